#include "tools/skingen/drawing.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "base/pixel.h"
#include "paint/primitives/bitmap_ops.h"
#include "paint/primitives/gradient.h"

namespace klarvik {

namespace {

constexpr int kSamples = 4;  // per axis, per pixel

// Coverage 0..255 of a shape over every pixel of its bounds, from kSamples² points.
void Cover(PixelView picture, const Rect& bounds, const std::function<bool(double, double)>& inside, TColor color,
           int alpha) {
  const int left = std::max(bounds.left, 0), top = std::max(bounds.top, 0);
  const int right = std::min(bounds.right, picture.width), bottom = std::min(bounds.bottom, picture.height);
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      int hits = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          if (inside(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples)) ++hits;
        }
      }
      if (hits != 0) BlendPixel(picture, x, y, color, alpha * hits / (kSamples * kSamples));
    }
  }
}

bool InsideRounded(const Rect& rect, double radius, double x, double y) {
  if (x < rect.left || x >= rect.right || y < rect.top || y >= rect.bottom) return false;
  const double cx = std::clamp(x, rect.left + radius, rect.right - radius);
  const double cy = std::clamp(y, rect.top + radius, rect.bottom - radius);
  return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
}

std::uint8_t Channel(std::uint32_t pixel, int shift) { return static_cast<std::uint8_t>(pixel >> shift); }

}  // namespace

SkinBitmap NewPicture(int width, int height) { return CreateBitmap32(width, height); }

void BlendPixel(PixelView picture, int x, int y, TColor color, int alpha) {
  if (x < 0 || y < 0 || x >= picture.width || y >= picture.height || alpha <= 0) return;
  std::uint32_t& pixel = picture.At(x, y);
  const std::uint32_t source = ColorToPixel(color, 0);
  const int below = Channel(pixel, 24);
  const int out = alpha + below * (255 - alpha) / 255;
  if (out == 0) return;
  std::uint32_t result = static_cast<std::uint32_t>(out) << 24;
  for (int shift : {0, 8, 16}) {
    const int mixed = (Channel(source, shift) * alpha + Channel(pixel, shift) * below * (255 - alpha) / 255 + out / 2) / out;
    result |= static_cast<std::uint32_t>(std::clamp(mixed, 0, 255)) << shift;
  }
  pixel = result;
}

void FillOpaque(PixelView picture, const Rect& rect, TColor color) { FillRect32(picture, rect, color, 255); }

void VerticalGradient(PixelView picture, const Rect& rect, TColor top, TColor bottom) {
  PaintGradient(picture, rect, TsGradArray{TsGradStep{top, bottom, 100, kGradientVertical}});
}

void HorizontalGradient(PixelView picture, const Rect& rect, TColor left, TColor right) {
  PaintGradient(picture, rect, TsGradArray{TsGradStep{left, right, 100, kGradientHorizontal}});
}

void FillRounded(PixelView picture, const Rect& rect, int radius, TColor color, int alpha) {
  Cover(picture, rect, [&](double x, double y) { return InsideRounded(rect, radius, x, y); }, color, alpha);
}

void ClipToRounded(PixelView picture, const Rect& rect, int radius) {
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) {
      int hits = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          if (InsideRounded(rect, radius, x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples)) ++hits;
        }
      }
      std::uint32_t& pixel = picture.At(x, y);
      const std::uint32_t alpha = Channel(pixel, 24) * static_cast<std::uint32_t>(hits) / (kSamples * kSamples);
      pixel = (pixel & 0x00FFFFFF) | (alpha << 24);
    }
  }
}

void DrawLine(PixelView picture, double x0, double y0, double x1, double y1, double width, TColor color, int alpha) {
  const double half = width / 2;
  const Rect bounds{static_cast<int>(std::floor(std::min(x0, x1) - half)), static_cast<int>(std::floor(std::min(y0, y1) - half)),
                    static_cast<int>(std::ceil(std::max(x0, x1) + half)) + 1, static_cast<int>(std::ceil(std::max(y0, y1) + half)) + 1};
  const double dx = x1 - x0, dy = y1 - y0, length2 = dx * dx + dy * dy;
  Cover(picture, bounds, [&](double x, double y) {
    const double t = length2 == 0 ? 0 : std::clamp(((x - x0) * dx + (y - y0) * dy) / length2, 0.0, 1.0);
    const double ex = x - (x0 + t * dx), ey = y - (y0 + t * dy);
    return ex * ex + ey * ey <= half * half;
  }, color, alpha);
}

void FillCircle(PixelView picture, double cx, double cy, double radius, TColor color, int alpha) {
  const Rect bounds{static_cast<int>(std::floor(cx - radius)), static_cast<int>(std::floor(cy - radius)),
                    static_cast<int>(std::ceil(cx + radius)) + 1, static_cast<int>(std::ceil(cy + radius)) + 1};
  Cover(picture, bounds, [&](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius; },
        color, alpha);
}

void DrawFrame(PixelView picture, const Rect& rect, int width, TColor color, int alpha) {
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) {
      const bool edge = x < rect.left + width || x >= rect.right - width || y < rect.top + width || y >= rect.bottom - width;
      if (edge) BlendPixel(picture, x, y, color, alpha);
    }
  }
}

void DrawBevel(PixelView picture, const Rect& rect, TColor light, TColor dark, int alpha) {
  for (int x = rect.left; x < rect.right; ++x) {
    BlendPixel(picture, x, rect.top, light, alpha);
    BlendPixel(picture, x, rect.bottom - 1, dark, alpha);
  }
  for (int y = rect.top + 1; y < rect.bottom - 1; ++y) {
    BlendPixel(picture, rect.left, y, light, alpha);
    BlendPixel(picture, rect.right - 1, y, dark, alpha);
  }
}

void DrawHalo(PixelView picture, const Rect& rect, int size, TColor color, int strength) {
  for (int y = rect.top - size; y < rect.bottom + size; ++y) {
    for (int x = rect.left - size; x < rect.right + size; ++x) {
      const int outX = std::max({rect.left - x, x - (rect.right - 1), 0});
      const int outY = std::max({rect.top - y, y - (rect.bottom - 1), 0});
      const double distance = std::sqrt(static_cast<double>(outX * outX + outY * outY));
      if (distance == 0 || distance > size) continue;
      const double fall = 1.0 - distance / (size + 1);
      BlendPixel(picture, x, y, color, static_cast<int>(strength * fall * fall));
    }
  }
}

void AddGrain(PixelView picture, const Rect& rect, int amplitude, std::uint32_t seed, int streak) {
  std::uint32_t state = seed;
  int offset = 0;
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) {
      if ((x - rect.left) % std::max(streak, 1) == 0) {
        state = state * 1664525u + 1013904223u;  // a plain linear congruential step
        offset = static_cast<int>((state >> 16) % static_cast<std::uint32_t>(2 * amplitude + 1)) - amplitude;
      }
      std::uint32_t& pixel = picture.At(x, y);
      std::uint32_t result = pixel & 0xFF000000;
      for (int shift : {0, 8, 16}) {
        result |= static_cast<std::uint32_t>(std::clamp(Channel(pixel, shift) + offset, 0, 255)) << shift;
      }
      pixel = result;
    }
  }
}

}  // namespace klarvik
