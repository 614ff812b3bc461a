#include "tools/skingen/element_art.h"

#include <algorithm>
#include <array>

#include "base/colors.h"
#include "paint/primitives/bitmap_ops.h"
#include "tools/skingen/drawing.h"

namespace klarvik {

namespace {

const Surface& ButtonLook(const SkinColours& colours, int state) {
  return state == 0 ? colours.button : state == 1 ? colours.buttonHot : colours.buttonPressed;
}

void DrawRamp(PixelView picture, const Rect& at, int radius, const Surface& look, int edgeAlpha) {
  FillRounded(picture, at, radius, look.edge, edgeAlpha);
  const Rect inner{at.left + 1, at.top + 1, at.right - 1, at.bottom - 1};
  SkinBitmap ramp = NewPicture(inner.Width(), inner.Height());
  VerticalGradient(ramp.View(), Rect{0, 0, inner.Width(), inner.Height()}, look.fill.top, look.fill.bottom);
  ClipToRounded(ramp.View(), Rect{0, 0, inner.Width(), inner.Height()}, std::max(radius - 1, 0));
  for (int y = 0; y < inner.Height(); ++y) {
    for (int x = 0; x < inner.Width(); ++x) {
      const std::uint32_t pixel = ramp.pixels[static_cast<std::size_t>(y) * ramp.width + x];
      BlendPixel(picture, inner.left + x, inner.top + y, PixelToColor(pixel), static_cast<int>(pixel >> 24));
    }
  }
}

}  // namespace

void DrawFace(PixelView picture, const Rect& at, int radius, const Surface& look, const SkinShape& shape) {
  DrawRamp(picture, at, radius, look, shape.edgeAlpha);
  if (shape.bevelled) DrawBevel(picture, at, shape.bevelLight, shape.bevelDark);
}

void DrawCaptionSymbol(PixelView picture, const Rect& at, CaptionSymbol symbol, TColor color) {
  const double l = at.left + at.Width() * 0.3, r = at.right - at.Width() * 0.3;
  const double t = at.top + at.Height() * 0.3, b = at.bottom - at.Height() * 0.3;
  const double w = std::max(1.5, at.Width() / 9.0);
  switch (symbol) {
    case CaptionSymbol::Close:
      DrawLine(picture, l, t, r, b, w, color);
      DrawLine(picture, l, b, r, t, w, color);
      break;
    case CaptionSymbol::Maximise:
      DrawFrame(picture, Rect{static_cast<int>(l), static_cast<int>(t), static_cast<int>(r) + 1, static_cast<int>(b) + 1}, 1, color);
      DrawLine(picture, l, t + 0.5, r, t + 0.5, 2, color);
      break;
    case CaptionSymbol::Minimise:
      DrawLine(picture, l, b, r, b, w, color);
      break;
    case CaptionSymbol::Restore: {
      const int s = static_cast<int>((r - l) * 0.7);
      DrawFrame(picture, Rect{static_cast<int>(l), static_cast<int>(b) - s + 1, static_cast<int>(l) + s, static_cast<int>(b) + 1}, 1, color);
      DrawFrame(picture, Rect{static_cast<int>(r) - s + 1, static_cast<int>(t), static_cast<int>(r) + 1, static_cast<int>(t) + s}, 1, color);
      break;
    }
    case CaptionSymbol::Help:
      DrawLine(picture, l, t + 1, (l + r) / 2, t, w, color);
      DrawLine(picture, (l + r) / 2, t, r, t + 2, w, color);
      DrawLine(picture, r, t + 2, (l + r) / 2, (t + b) / 2 + 1, w, color);
      FillCircle(picture, (l + r) / 2, b, w / 1.5, color);
      break;
    case CaptionSymbol::None:
      break;
  }
}

SkinBitmap ButtonFaces(const SkinRecipe& recipe, int width, int height, int radius) {
  SkinBitmap picture = NewPicture(width * 3, height);
  for (int state = 0; state < 3; ++state) {
    DrawFace(picture.View(), Rect{state * width, 0, (state + 1) * width, height}, radius,
             ButtonLook(recipe.colours, state), recipe.shape);
  }
  return picture;
}

SkinBitmap TabFaces(const SkinRecipe& recipe, int width, int height, Side roundedSide) {
  // Drawn for a top tab and turned: a tab is a button whose open side runs on past the edge.
  const bool across = roundedSide == Side::Left || roundedSide == Side::Right;
  const int w = across ? height : width, h = across ? width : height;
  SkinBitmap top = NewPicture(w * 3, h);
  const std::array<const Surface*, 3> looks = {&recipe.colours.header, &recipe.colours.buttonHot, &recipe.colours.window};
  for (int state = 0; state < 3; ++state) {
    SkinBitmap face = NewPicture(w, h + recipe.shape.radius + 2);
    DrawFace(face.View(), Rect{0, 0, w, face.height}, recipe.shape.radius, *looks[state], recipe.shape);
    CopyRect(top.View(), state * w, 0, ConstView(face), Rect{0, 0, w, h});
  }
  if (roundedSide == Side::Top) return top;
  SkinBitmap out = NewPicture(across ? h * 3 : w * 3, across ? w : h);
  for (int state = 0; state < 3; ++state) {
    SkinBitmap one = NewPicture(w, h);
    CopyRect(one.View(), 0, 0, ConstView(top), Rect{state * w, 0, (state + 1) * w, h});
    SkinBitmap turned;
    if (roundedSide == Side::Bottom) {
      turned = NewPicture(w, h);
      for (int y = 0; y < h; ++y) std::copy_n(&one.pixels[static_cast<std::size_t>(h - 1 - y) * w], w, &turned.pixels[static_cast<std::size_t>(y) * w]);
    } else {
      turned = RotateBitmap90(ConstView(one), roundedSide == Side::Left ? RotateDirection::kCounterClockwise : RotateDirection::kClockwise);
    }
    CopyRect(out.View(), state * turned.width, 0, ConstView(turned), Rect{0, 0, turned.width, turned.height});
  }
  return out;
}

SkinBitmap WindowFrame(const SkinRecipe& recipe) {
  const int b = recipe.shape.borderWidth;
  const int size = 2 * b + 4;
  SkinBitmap picture = NewPicture(size, size);
  const Rect all{0, 0, size, size};
  FillRounded(picture.View(), all, recipe.shape.frameRadius, recipe.colours.frame);
  FillRounded(picture.View(), Rect{1, 1, size - 1, size - 1}, std::max(recipe.shape.frameRadius - 1, 0), recipe.colours.frameLight);
  FillOpaque(picture.View(), Rect{2, 2, size - 2, size - 2}, recipe.colours.window.fill.top);
  FillRect32(picture.View(), Rect{b, b, size - b, size - b}, TColor{0}, 0);
  return picture;
}

SkinBitmap TitleBand(const SkinRecipe& recipe, int width) {
  const int height = recipe.shape.titleHeight + recipe.shape.borderWidth;
  SkinBitmap picture = NewPicture(width, height);
  const Rect all{0, 0, width, height};
  VerticalGradient(picture.View(), all, recipe.colours.title.fill.top, recipe.colours.title.fill.bottom);
  if (recipe.titleArt) recipe.titleArt(picture.View(), all);
  DrawLine(picture.View(), 0, 0.5, width, 0.5, 1, recipe.colours.frame);
  DrawLine(picture.View(), 0.5, 0, 0.5, height, 1, recipe.colours.frame);
  DrawLine(picture.View(), width - 0.5, 0, width - 0.5, height, 1, recipe.colours.frame);
  // Only the top corners are rounded: the band runs on into the window below.
  SkinBitmap shape = NewPicture(width, height + recipe.shape.frameRadius);
  FillRect32(shape.View(), Rect{0, 0, width, shape.height}, TColor{0}, 255);
  ClipToRounded(shape.View(), Rect{0, 0, width, shape.height}, recipe.shape.frameRadius);
  for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
    const std::uint32_t alpha = (picture.pixels[i] >> 24) * (shape.pixels[i] >> 24) / 255;
    picture.pixels[i] = (picture.pixels[i] & 0x00FFFFFF) | alpha << 24;
  }
  return picture;
}

SkinBitmap CaptionButton(const SkinRecipe& recipe, int size, CaptionSymbol symbol) {
  SkinBitmap picture = NewPicture(size * 3, size);
  for (int state = 0; state < 3; ++state) {
    const Rect at{state * size, 0, (state + 1) * size, size};
    if (state > 0) DrawFace(picture.View(), at, std::min(recipe.shape.radius, size / 2), ButtonLook(recipe.colours, state), recipe.shape);
    DrawCaptionSymbol(picture.View(), at, symbol, state == 0 ? recipe.colours.glyph : recipe.colours.glyphHot);
  }
  return picture;
}

SkinBitmap CheckBox(const SkinRecipe& recipe, int size, BoxMark mark) {
  SkinBitmap picture = NewPicture(size * 3, size);
  for (int state = 0; state < 3; ++state) {
    const Rect at{state * size, 0, (state + 1) * size, size};
    Surface look = recipe.colours.field;
    if (state == 1) look.edge = recipe.colours.buttonHot.edge;
    if (state == 2) look.fill = recipe.colours.buttonPressed.fill;
    DrawRamp(picture.View(), at, std::min(recipe.shape.radius, 3), look, 255);
    const double s = size;
    const TColor ink = recipe.colours.field.text;
    if (mark == BoxMark::Checked) {
      DrawLine(picture.View(), at.left + s * 0.25, s * 0.5, at.left + s * 0.42, s * 0.7, 2, ink);
      DrawLine(picture.View(), at.left + s * 0.42, s * 0.7, at.left + s * 0.75, s * 0.28, 2, ink);
    } else if (mark == BoxMark::Grayed) {
      FillOpaque(picture.View(), Rect{at.left + size / 4 + 1, size / 4 + 1, at.right - size / 4 - 1, size - size / 4 - 1},
                 MixColors(ink, look.fill.top, 0.5));
    }
  }
  return picture;
}

SkinBitmap RadioButton(const SkinRecipe& recipe, int size, bool checked) {
  SkinBitmap picture = NewPicture(size * 3, size);
  for (int state = 0; state < 3; ++state) {
    const double cx = state * size + size / 2.0, c = size / 2.0;
    FillCircle(picture.View(), cx, c, c - 0.5, state == 1 ? recipe.colours.buttonHot.edge : recipe.colours.field.edge);
    FillCircle(picture.View(), cx, c, c - 1.5, state == 2 ? recipe.colours.buttonPressed.fill.top : recipe.colours.field.fill.top);
    if (checked) FillCircle(picture.View(), cx, c, size / 5.0, recipe.colours.field.text);
  }
  return picture;
}

SkinBitmap Arrow(const SkinRecipe& recipe, int size, Side side) {
  SkinBitmap picture = NewPicture(size * 3, size);
  for (int state = 0; state < 3; ++state) {
    const TColor ink = state == 0 ? recipe.colours.button.text : ButtonLook(recipe.colours, state).text;
    const double x0 = state * size, m = size / 2.0, a = size * 0.25, b = size * 0.75;
    switch (side) {
      case Side::Top:
        DrawLine(picture.View(), x0 + a, b - 1, x0 + m, a, 2, ink);
        DrawLine(picture.View(), x0 + m, a, x0 + b, b - 1, 2, ink);
        break;
      case Side::Bottom:
        DrawLine(picture.View(), x0 + a, a + 1, x0 + m, b, 2, ink);
        DrawLine(picture.View(), x0 + m, b, x0 + b, a + 1, 2, ink);
        break;
      case Side::Left:
        DrawLine(picture.View(), x0 + b - 1, a, x0 + a, m, 2, ink);
        DrawLine(picture.View(), x0 + a, m, x0 + b - 1, b, 2, ink);
        break;
      case Side::Right:
        DrawLine(picture.View(), x0 + a + 1, a, x0 + b, m, 2, ink);
        DrawLine(picture.View(), x0 + b, m, x0 + a + 1, b, 2, ink);
        break;
    }
  }
  return picture;
}

SkinBitmap SliderGrip(const SkinRecipe& recipe, int size, bool vertical) {
  SkinBitmap picture = NewPicture(size * 3, size);
  for (int state = 0; state < 3; ++state) {
    const TColor ink = ButtonLook(recipe.colours, state).text;
    for (int i = -1; i <= 1; ++i) {
      const double x0 = state * size, c = size / 2.0 + i * 2.5;
      if (vertical) {
        DrawLine(picture.View(), x0 + 2, c, x0 + size - 2, c, 1, ink, 200);
      } else {
        DrawLine(picture.View(), x0 + c, 2, x0 + c, size - 2, 1, ink, 200);
      }
    }
  }
  return picture;
}

SkinBitmap SizeGrip(const SkinRecipe& recipe, int size) {
  SkinBitmap picture = NewPicture(size, size);
  for (int row = 0; row < 3; ++row) {
    for (int col = 2 - row; col < 3; ++col) {
      FillCircle(picture.View(), size - 2.5 - (2 - col) * 4, size - 2.5 - (2 - row) * 4, 1.2, recipe.colours.glyph);
    }
  }
  return picture;
}

SkinBitmap FieldFrame(const SkinRecipe& recipe, int size) {
  SkinBitmap picture = NewPicture(size * 2, size);
  for (int state = 0; state < 2; ++state) {
    Surface look = recipe.colours.field;
    if (state == 1) look.edge = recipe.colours.buttonHot.edge;
    DrawRamp(picture.View(), Rect{state * size, 0, (state + 1) * size, size}, std::min(recipe.shape.radius, 3), look,
             recipe.shape.edgeAlpha);
  }
  return picture;
}

SkinBitmap BevelFrame(const SkinRecipe& recipe, int size, bool sunken) {
  SkinBitmap picture = NewPicture(size, size);
  const TColor light = recipe.colours.frameLight, dark = recipe.colours.frame;
  DrawBevel(picture.View(), Rect{0, 0, size, size}, sunken ? dark : light, sunken ? light : dark, recipe.shape.edgeAlpha);
  return picture;
}

SkinBitmap GaugeFill(const SkinRecipe& recipe, int width, int height) {
  SkinBitmap picture = NewPicture(width, height);
  VerticalGradient(picture.View(), Rect{0, 0, width, height}, recipe.colours.gauge.top, recipe.colours.gauge.bottom);
  DrawLine(picture.View(), 0, 1.5, width, 1.5, 1, TColor{0xFFFFFF}, 70);
  return picture;
}

SkinBitmap GaugeLight(int width, int height) {
  SkinBitmap picture = NewPicture(width, height);
  for (int y = 0; y < height / 2; ++y) {
    DrawLine(picture.View(), 0, y + 0.5, width, y + 0.5, 1, TColor{0xFFFFFF}, 90 - 160 * y / height);
  }
  return picture;
}

SkinBitmap GaugeTrack(const SkinRecipe& recipe, int size) {
  SkinBitmap picture = NewPicture(size, size);
  FillOpaque(picture.View(), Rect{0, 0, size, size}, recipe.colours.gaugeTrack);
  DrawBevel(picture.View(), Rect{0, 0, size, size}, recipe.colours.frame, recipe.colours.frameLight);
  return picture;
}

SkinBitmap MenuSelection(const SkinRecipe& recipe, int size) {
  SkinBitmap picture = NewPicture(size * 2, size);
  DrawRamp(picture.View(), Rect{size, 0, 2 * size, size}, std::min(recipe.shape.radius, 3), recipe.colours.selection, 255);
  return picture;
}

SkinBitmap PlainFrame(TColor edge, const Ramp& fill, int size, int radius, int edgeAlpha) {
  SkinBitmap picture = NewPicture(size, size);
  DrawRamp(picture.View(), Rect{0, 0, size, size}, radius, Surface{fill, TColor{0}, edge}, edgeAlpha);
  return picture;
}

}  // namespace klarvik
