#pragma once
// Colours as 0x00BBGGRR, red in the low byte. A value whose high byte is 0xFF names a
// system colour by its low byte; it is resolved to RGB just before it is used.
#include <cstdint>

using TColor = std::int32_t;

constexpr TColor SystemColorId(int index) { return static_cast<TColor>(0xFF000000u | static_cast<unsigned>(index & 0xFF)); }
constexpr bool IsSystemColor(TColor color) { return (static_cast<std::uint32_t>(color) >> 24) == 0xFF; }

// "No colour at all" and "whatever the owner would use".
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
