#pragma once
// Drawing on straight-alpha 32-bit pictures (0xAARRGGBB, colour not premultiplied) for the
// skin art: shapes are covered by supersampling at fixed points, so every run draws the
// same pixels. Where a paint primitive does the job (fills, gradients) it is used.
#include <cstdint>

#include "base/color.h"
#include "base/geometry.h"
#include "base/pixel_view.h"
#include "skin/image/skin_bitmap.h"

namespace klarvik {

// A new picture of that size, every pixel transparent.
SkinBitmap NewPicture(int width, int height);

// Straight-alpha "over" of one colour with coverage alpha (0..255) onto a pixel.
void BlendPixel(PixelView picture, int x, int y, TColor color, int alpha);

void FillOpaque(PixelView picture, const Rect& rect, TColor color);
// Gradients from the first colour at the top (left) to the second at the bottom (right).
void VerticalGradient(PixelView picture, const Rect& rect, TColor top, TColor bottom);
void HorizontalGradient(PixelView picture, const Rect& rect, TColor left, TColor right);
// A rectangle with rounded corners blended over the picture; radius 0 gives square corners.
void FillRounded(PixelView picture, const Rect& rect, int radius, TColor color, int alpha = 255);
// Makes the picture transparent outside a rounded rectangle (its own edges antialiased).
void ClipToRounded(PixelView picture, const Rect& rect, int radius);
// A line of thickness `width` from (x0, y0) to (x1, y1), round ends; coordinates in pixels.
void DrawLine(PixelView picture, double x0, double y0, double x1, double y1, double width, TColor color, int alpha = 255);
void FillCircle(PixelView picture, double cx, double cy, double radius, TColor color, int alpha = 255);
// A frame `width` pixels wide inside rect.
void DrawFrame(PixelView picture, const Rect& rect, int width, TColor color, int alpha = 255);
// One-pixel raised bevel: light top and left edges, dark bottom and right ones.
void DrawBevel(PixelView picture, const Rect& rect, TColor light, TColor dark, int alpha = 255);
// A soft halo of `size` pixels around rect, strongest next to it.
void DrawHalo(PixelView picture, const Rect& rect, int size, TColor color, int strength);
// Lightens or darkens each pixel of rect by a pseudo-random amount up to ±amplitude; the
// same seed gives the same grain. `streak` > 1 stretches the grain horizontally (brushed).
void AddGrain(PixelView picture, const Rect& rect, int amplitude, std::uint32_t seed, int streak = 1);

}  // namespace klarvik
