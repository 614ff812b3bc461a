#pragma once
// A glyph picture holds its looks side by side, each as wide as the picture is high:
// normal, hot, pressed.
namespace klarvik {

// How many looks a picture of that size holds: width ÷ height when the width is a whole
// multiple of the height, else 1; 0 (no glyph) for a picture without width or height.
int GlyphFrameCount(int width, int height);
// The width of one look.
int GlyphFrameWidth(int width, int height);

}  // namespace klarvik
