#pragma once
// The common elements of a skin drawn from its recipe, each as a straight-alpha picture
// of its state images side by side (normal, hot, pressed where there are three).
#include "skin/image/skin_bitmap.h"
#include "tools/skingen/skin_recipe.h"

namespace klarvik {

enum class Side { Top, Bottom, Left, Right };
enum class CaptionSymbol { Close, Maximise, Minimise, Restore, Help, None };
enum class BoxMark { Checked, Unchecked, Grayed };

// A rounded, filled, edged face in each of the three button looks; `side` drawn square
// and open, as tabs have it (Side::Top means the top is rounded, the bottom open).
// One face into rect of a picture: the edge (or the bevel), the ramp inside.
void DrawFace(PixelView picture, const Rect& at, int radius, const Surface& look, const SkinShape& shape);
// A caption button's symbol in the middle of rect.
void DrawCaptionSymbol(PixelView picture, const Rect& at, CaptionSymbol symbol, TColor color);
SkinBitmap ButtonFaces(const SkinRecipe& recipe, int width, int height, int radius);
SkinBitmap TabFaces(const SkinRecipe& recipe, int width, int height, Side roundedSide);
// The window frame: outer line, light inner line, the rest in the window colour; the
// middle left clear.
SkinBitmap WindowFrame(const SkinRecipe& recipe);
// The caption band, as wide as `width`, the frame's top edge included.
SkinBitmap TitleBand(const SkinRecipe& recipe, int width);
SkinBitmap CaptionButton(const SkinRecipe& recipe, int size, CaptionSymbol symbol);
SkinBitmap CheckBox(const SkinRecipe& recipe, int size, BoxMark mark);
SkinBitmap RadioButton(const SkinRecipe& recipe, int size, bool checked);
// An arrow pointing to `side` in the three glyph looks.
SkinBitmap Arrow(const SkinRecipe& recipe, int size, Side side);
// Three short grip lines across the middle, horizontal or vertical.
SkinBitmap SliderGrip(const SkinRecipe& recipe, int size, bool vertical);
SkinBitmap SizeGrip(const SkinRecipe& recipe, int size);
// A field: edge line, its inside in the field colour; two states (normal, focused).
SkinBitmap FieldFrame(const SkinRecipe& recipe, int size);
// A sunken or raised one-pixel bevel around a clear middle.
SkinBitmap BevelFrame(const SkinRecipe& recipe, int size, bool sunken);
// The filled part of a gauge, a horizontal bar; and the soft light drawn over it.
SkinBitmap GaugeFill(const SkinRecipe& recipe, int width, int height);
SkinBitmap GaugeLight(int width, int height);
// The empty gauge: a sunken track.
SkinBitmap GaugeTrack(const SkinRecipe& recipe, int size);
// The hot menu item: state 0 left clear (not drawn), state 1 the selection.
SkinBitmap MenuSelection(const SkinRecipe& recipe, int size);
// A frame of one edge line with a plain inside, for hints and group boxes.
SkinBitmap PlainFrame(TColor edge, const Ramp& fill, int size, int radius, int edgeAlpha);

}  // namespace klarvik
