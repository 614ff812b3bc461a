#include "base/colors.h"

#include <algorithm>
#include <cmath>
#include <ostream>

#include "base/pixel.h"

namespace klarvik {

std::ostream& operator<<(std::ostream& out, TColor color) {
  const auto flags = out.flags();
  out << "0x" << std::hex << static_cast<std::uint32_t>(color);
  out.flags(flags);
  return out;
}

int MixChannel(int a, int b, double k) { return static_cast<int>(std::lround(k * a + (1.0 - k) * b)); }

TColor MixColors(TColor colorA, TColor colorB, double k) {
  const auto a = static_cast<std::uint32_t>(colorA), b = static_cast<std::uint32_t>(colorB);
  std::uint32_t out = a & 0xFF000000;
  for (int shift = 0; shift < 24; shift += 8) {
    const int ca = static_cast<int>((a >> shift) & 0xFF), cb = static_cast<int>((b >> shift) & 0xFF);
    out |= static_cast<std::uint32_t>(std::clamp(MixChannel(ca, cb, k), 0, 255)) << shift;
  }
  return static_cast<TColor>(out);
}

TColor MixColorsPercent(TColor colorA, TColor colorB, int percent) {
  const auto a = static_cast<std::uint32_t>(colorA), b = static_cast<std::uint32_t>(colorB);
  const int p = std::clamp(percent, 0, 100);
  std::uint32_t out = a & 0xFF000000;
  for (int shift = 0; shift < 24; shift += 8) {
    const int ca = static_cast<int>((a >> shift) & 0xFF), cb = static_cast<int>((b >> shift) & 0xFF);
    out |= static_cast<std::uint32_t>((p * ca + (100 - p) * cb + 50) / 100) << shift;
  }
  return static_cast<TColor>(out);
}

namespace {

int Limit(double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); }

std::uint32_t Compose(std::uint32_t high, int r, int g, int b) {
  return (high & 0xFF000000) | (static_cast<std::uint32_t>(r) << 16) | (static_cast<std::uint32_t>(g) << 8) |
         static_cast<std::uint32_t>(b);
}

}  // namespace

std::uint32_t ChangeHue(std::uint32_t pixel, int degrees) {
  if (degrees == 0) return pixel;
  const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
  const int v = std::max({r, g, b}), lo = std::min({r, g, b});
  if (v == 0 || v == lo) return pixel;  // black or grey: no hue to turn
  const double delta = v - lo, s = delta / v;
  double h;
  if (r == v) {
    h = 60.0 * (g - b) / delta;
  } else if (g == v) {
    h = 120.0 + 60.0 * (b - r) / delta;
  } else {
    h = 240.0 + 60.0 * (r - g) / delta;
  }
  if (h < 0) h += 360;
  // Floor modulo: a negative turn must land in 0..359, not in a negative sector.
  long turned = std::lround(h + degrees) % 360;
  if (turned < 0) turned += 360;
  const double sector = turned / 60.0;
  const int i = static_cast<int>(sector);
  const double f = sector - i;
  const int p = Limit(v * (1 - s)), q = Limit(v * (1 - f * s)), t = Limit(v * (1 - (1 - f) * s));
  switch (i) {
    case 0: return Compose(pixel, v, t, p);
    case 1: return Compose(pixel, q, v, p);
    case 2: return Compose(pixel, p, v, t);
    case 3: return Compose(pixel, p, q, v);
    case 4: return Compose(pixel, t, p, v);
    default: return Compose(pixel, v, p, q);
  }
}

std::uint32_t ChangeSaturation(std::uint32_t pixel, int percent) {
  if (percent == 0) return pixel;
  const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
  const double mean = (r + g + b) / 3.0;
  auto move = [&](int x) { return Limit(x + (x - mean) * percent / 100.0); };
  return Compose(pixel, move(r), move(g), move(b));
}

TColor ShiftColor(TColor color, int hue, int saturation) {
  if (hue == 0 && saturation == 0) return color;
  std::uint32_t pixel = ColorToPixel(color, 0);
  if (hue != 0) pixel = ChangeHue(pixel, hue);
  if (saturation != 0) pixel = ChangeSaturation(pixel, saturation);
  return PixelToColor(pixel);
}

}  // namespace klarvik
