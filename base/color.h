#pragma once
// Colours as 0x00BBGGRR, red in the low byte. A value whose high byte is 0xFF names a
// system colour by its low byte; it is resolved to RGB just before it is used.
//
// TColor is its own type so that the compiler keeps it apart from pixels (0xAARRGGBB,
// plain 32-bit words in a PixelView) and from resolved RGB values: a colour becomes a
// pixel only through ColorToPixel, after its system colour is resolved.
#include <cstdint>
#include <iosfwd>

namespace klarvik {

enum class TColor : std::int32_t {};

constexpr std::int32_t ColorValue(TColor color) { return static_cast<std::int32_t>(color); }
constexpr TColor RgbColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return TColor{red | green << 8 | blue << 16};
}
constexpr TColor SystemColorId(int index) { return static_cast<TColor>(0xFF000000u | static_cast<unsigned>(index & 0xFF)); }
constexpr bool IsSystemColor(TColor color) { return (static_cast<std::uint32_t>(color) >> 24) == 0xFF; }

// "No colour at all" and "whatever the owner would use".
constexpr TColor clNone{0x1FFFFFFF};
constexpr TColor clDefault{0x20000000};
// Pixels of this colour are holes in skin pictures; painters also take it for "no
// colour of its own".
constexpr TColor kKeyColor{0xFF00FF};

// In hex, for test messages.
std::ostream& operator<<(std::ostream& out, TColor color);

}  // namespace klarvik
