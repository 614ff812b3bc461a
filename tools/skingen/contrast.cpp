#include "tools/skingen/contrast.h"

#include <algorithm>
#include <cmath>

namespace klarvik {

namespace {

double Linear(int channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(TColor color) {
  const auto value = static_cast<std::uint32_t>(ColorValue(color));
  return 0.2126 * Linear(value & 0xFF) + 0.7152 * Linear((value >> 8) & 0xFF) + 0.0722 * Linear((value >> 16) & 0xFF);
}

}  // namespace

double ContrastRatio(TColor a, TColor b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TColor ReadableOn(const Ramp& ramp) {
  constexpr TColor black{0}, white{0xFFFFFF};
  const double onBlack = std::min(ContrastRatio(black, ramp.top), ContrastRatio(black, ramp.bottom));
  const double onWhite = std::min(ContrastRatio(white, ramp.top), ContrastRatio(white, ramp.bottom));
  return onBlack >= onWhite ? black : white;
}

}  // namespace klarvik
