#include "base/system_colors.h"

#include <array>

namespace klarvik {

TColor TsSystemInfo::ToRgb(TColor color) const {
  if (ColorValue(color) >= 0) return color;
  return SystemColor ? SystemColor(ColorValue(color) & 0xFF) : TColor{0};
}

TsSystemInfo ClassicSystemInfo() {
  // The 31 colours of a classic desktop, by system colour index; others are black.
  static constexpr std::array<std::int32_t, 31> kClassic = {
      0xC8D0D4, 0x6E3A0A, 0x6A240A, 0xC8D0D4, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000,
      0x000000, 0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4,
      0x808080, 0x808080, 0x000000, 0x000000, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000,
      0xE1FFFF, 0xB5B5B5, 0x800000, 0xF0CAA6, 0xC0C0C0, 0xFF9933, 0xF0F0F0};
  TsSystemInfo info;
  info.SystemColor = [](int index) {
    return TColor{index >= 0 && index < static_cast<int>(kClassic.size()) ? kClassic[static_cast<std::size_t>(index)] : 0};
  };
  info.SizingFrameWidth = 4;
  return info;
}

}  // namespace klarvik
