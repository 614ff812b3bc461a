#pragma once
// What makes one stored skin itself: its colours, its shapes and its own pictures. The
// shared builder (skin_builder.h) draws every common element from a recipe; each skin's
// file fills one in.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/color.h"
#include "base/geometry.h"
#include "base/pixel_view.h"
#include "tools/skingen/definition_text.h"
#include "tools/skingen/master_atlas.h"

namespace klarvik {

// A colour written as web colours are, 0xRRGGBB.
constexpr TColor Rgb(std::uint32_t rrggbb) {
  return RgbColor(static_cast<std::uint8_t>(rrggbb >> 16), static_cast<std::uint8_t>(rrggbb >> 8),
                  static_cast<std::uint8_t>(rrggbb));
}

struct Ramp {
  TColor top, bottom;
};

// A surface with text on it: the text colour must stay readable on both ends of the ramp.
struct Surface {
  Ramp fill;
  TColor text;
  TColor edge;  // its border line
};

struct SkinColours {
  Surface window;         // forms, dialogs, panels, check boxes, group boxes
  Surface title;          // the caption band
  Surface button, buttonHot, buttonPressed;
  Surface field;          // edits and combo boxes
  Surface menu;           // menus and the menu bar
  Surface selection;      // the hot menu item and selected text
  Surface hint;
  Surface header;         // status bar, tool bar, tabs
  Ramp gauge;             // the filled part of gauges and progress bars
  TColor gaugeTrack;
  TColor glyph, glyphHot; // caption-button symbols, arrows, check marks
  TColor frame, frameLight;
  TColor link, linkHot;   // web buttons, on the window colour
};

struct SkinShape {
  int radius = 0;       // of buttons, fields and tabs
  int frameRadius = 0;  // of the window's outer corners
  int borderWidth = 4;
  int titleHeight = 26;
  int edgeAlpha = 255;  // borders may be translucent
  bool bevelled = false;  // faces get a light top-left and a dark bottom-right line
  TColor bevelLight{0xFFFFFF}, bevelDark{0};
};

class SkinBuild;

struct SkinRecipe {
  std::string folder;       // the skin's folder name, e.g. "Garnet"
  std::string version;      // "8.00" or "8.40"
  std::string description;
  std::string masterFile = "Master.bmp";
  bool masterCoreHeader = false;
  std::string hugeFile = "ButtonHuge.bmp";
  int hugeSize = 40;        // one state of the large-button picture, square
  SkinColours colours;
  SkinShape shape;
  // The skin's own touch on the caption band (after its ramp is drawn), its large
  // buttons, and what it adds: extra pictures and the keys that use them.
  std::function<void(PixelView, const Rect&)> titleArt;
  std::function<void(PixelView)> frameArt;  // over the window frame picture
  bool ownTitleBand = false;                // the extras give the caption band
  std::function<void(PixelView, const Rect&, int state)> buttonArt;
  std::function<void(SkinBuild&)> extras;
};

// A member of the skin folder: its file name as stored and its bytes.
struct SkinFile {
  std::string name;
  std::vector<std::uint8_t> bytes;
};

// The skin being built: its master bitmap, its definition and its files.
class SkinBuild {
 public:
  explicit SkinBuild(const SkinRecipe& skinRecipe) : recipe(skinRecipe), atlas(256) {}

  const SkinRecipe& recipe;
  MasterAtlas atlas;
  DefinitionText definition;
  std::vector<SkinFile> files;

  // A PNG member; returns its name as the definition writes it (upper case).
  std::string AddPng(const std::string& name, const SkinBitmap& picture);
};

}  // namespace klarvik
