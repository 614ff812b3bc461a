#pragma once
// A skin definition being written: sections and keys in the order they are first set, and
// the value texts of the definition's syntaxes.
#include <string>
#include <string_view>
#include <vector>

#include "base/color.h"
#include "base/geometry.h"
#include "skin/definition/skin_records.h"  // the border-mask fill bits

namespace klarvik {

class DefinitionText {
 public:
  // Sets a key of a section, keeping the place of a key set before.
  void Set(std::string_view section, std::string_view key, std::string value);
  void Set(std::string_view section, std::string_view key, int value) { Set(section, key, std::to_string(value)); }
  void Set(std::string_view section, std::string_view key, TColor color) { Set(section, key, ColorValue(color)); }
  // Windows line ends, a blank line between sections.
  std::string Text() const;

 private:
  struct Key {
    std::string name, value;
  };
  struct Section {
    std::string name;
    std::vector<Key> keys;
  };
  std::vector<Section> sections_;
};

struct Margins {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// "^" border rectangle of the master bitmap; the rectangle includes the mask rows.
std::string BorderValue(const Rect& rect, Margins margins, int states, bool masked, int fill);
// "@" glyph rectangle of the master bitmap.
std::string GlyphValue(const Rect& rect, int states, bool masked);
// "!" separate picture: a member named in upper case.
std::string ImageValue(std::string_view member, int states, bool masked, int kind, Margins margins, int fill);
// Gradient steps: colour from, colour to, share in percent; vertical.
struct GradientStep {
  TColor from, to;
  int percent;
};
std::string GradientValue(const std::vector<GradientStep>& steps);

}  // namespace klarvik
