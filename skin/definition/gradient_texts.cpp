#include "skin/definition/gradient_texts.h"

#include <string>

#include "skin/definition/value_parsing.h"
#include "skin/skin_error.h"

namespace klarvik {

TsGradientTexts::Gradient TsGradientTexts::Of(std::string_view value) {
  const auto key = std::make_pair(value.data(), value.size());
  if (auto found = byValue_.find(key); found != byValue_.end()) return found->second;
  Gradient gradient{TsSharedText(value), std::make_shared<TsGradArray>(ParseGradient(value))};
  stepsParsed_ += gradient.Steps->size();
  if (stepsParsed_ > kMaxGradientStepsPerLoad) {
    throw ESkinConvertError("The skin's gradients have more than " + std::to_string(kMaxGradientStepsPerLoad) +
                            " steps together; it cannot be loaded.");
  }
  return byValue_.emplace(key, std::move(gradient)).first->second;
}

}  // namespace klarvik
