#pragma once
// Colour arithmetic: mixing, hue rotation, saturation, and resolving system colours
// through whatever the platform offers (the core never asks the system itself).
#include <cstdint>

// Supplies the RGB value (0x00BBGGRR) of a system colour index; the Windows build
// implements it with the system's colours, tests with a table.
class SystemColorSource {
 public:
  virtual ~SystemColorSource() = default;
  virtual std::uint32_t SystemColor(int index) const = 0;
};

// A colour whose high byte is 0xFF names a system colour by its low byte; anything else
// is returned as it is. Without a source a system colour resolves to black.
std::uint32_t ResolveColor(std::uint32_t color, const SystemColorSource* source);

// Per channel nearest(k·A + (1 − k)·B), k in 0..1; the high byte is taken from A.
std::uint32_t MixColors(std::uint32_t a, std::uint32_t b, double k);

// On pixel values 0xAARRGGBB (swap a COLORREF with ColorToPixel first). The high byte
// stays. Degrees may be negative or above 360: the hue turns by a floor modulo.
std::uint32_t ChangeHue(std::uint32_t pixel, int degrees);
// Moves each channel away from (percent > 0) or toward (< 0) the grey mean.
std::uint32_t ChangeSaturation(std::uint32_t pixel, int percent);
