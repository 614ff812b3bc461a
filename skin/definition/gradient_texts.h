#pragma once
// The gradient texts of one load. Every section that inherits a "GRADIENTDATA" reads the
// very same value of the definition, so that value is kept and parsed once and its text
// and steps are shared by all those records: a small definition cannot make a load copy
// one long gradient into thousands of sections.
#include <cstddef>
#include <map>
#include <utility>

#include "skin/definition/skin_records.h"

namespace klarvik {

// Steps parsed by one load, all gradients together; past it the load fails.
inline constexpr std::size_t kMaxGradientStepsPerLoad = 65536;

class TsGradientTexts {
 public:
  struct Gradient {
    TsSharedText Text;
    TsGradArrayRef Steps;
  };

  // The text and steps of a value read from a definition that outlives this object; the
  // same value (the same characters of the same definition) gives the same shared pair.
  // Raises ESkinConvertError for a value that is not a gradient or passes the caps.
  Gradient Of(std::string_view value);

  std::size_t StepsParsed() const { return stepsParsed_; }

  // The steps of "no gradient", one empty array for the whole load.
  const TsGradArrayRef& NoSteps() const { return noSteps_; }

 private:
  TsGradArrayRef noSteps_ = std::make_shared<TsGradArray>();
  std::map<std::pair<const char*, std::size_t>, Gradient> byValue_;
  std::size_t stepsParsed_ = 0;
};

}  // namespace klarvik
