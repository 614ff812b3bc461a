#include "tools/skingen/definition_text.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace klarvik {

namespace {

// A field of the fixed-position syntaxes: zero-padded to its width, never wider.
std::string Field(int value, int width) {
  const int limit = width == 4 ? 9999 : 9;
  if (value < 0 || value > limit) throw std::out_of_range("a value does not fit its field in a definition");
  char text[8];
  std::snprintf(text, sizeof text, "%0*d", width, value);
  return text;
}

std::string Rectangle(char mark, const Rect& rect) {
  std::string text;
  for (int value : {rect.left, rect.top, rect.right, rect.bottom}) text.append(1, mark).append(Field(value, 4));
  return text;
}

}  // namespace

void DefinitionText::Set(std::string_view section, std::string_view key, std::string value) {
  auto found = std::find_if(sections_.begin(), sections_.end(), [&](const Section& s) { return s.name == section; });
  if (found == sections_.end()) found = sections_.insert(sections_.end(), Section{std::string(section), {}});
  auto keyFound = std::find_if(found->keys.begin(), found->keys.end(), [&](const Key& k) { return k.name == key; });
  if (keyFound == found->keys.end()) {
    found->keys.push_back({std::string(key), std::move(value)});
  } else {
    keyFound->value = std::move(value);
  }
}

std::string DefinitionText::Text() const {
  std::string text;
  for (const Section& section : sections_) {
    if (!text.empty()) text.append("\r\n");
    text.append("[").append(section.name).append("]\r\n");
    for (const Key& key : section.keys) text.append(key.name).append("=").append(key.value).append("\r\n");
  }
  return text;
}

std::string BorderValue(const Rect& rect, Margins margins, int states, bool masked, int fill) {
  std::string text = Rectangle('^', rect);
  for (int value : {margins.left, margins.top, margins.right, margins.bottom}) text.append("^").append(Field(value, 4));
  for (int value : {states, masked ? 1 : 0, fill, 0}) text.append("^").append(Field(value, 1));
  return text;
}

std::string GlyphValue(const Rect& rect, int states, bool masked) {
  return Rectangle('@', rect).append("@").append(Field(states, 1)).append("@").append(Field(masked ? 1 : 0, 1));
}

std::string ImageValue(std::string_view member, int states, bool masked, int kind, Margins margins, int fill) {
  std::string text = std::string("!").append(member);
  for (int value : {states, masked ? 1 : 0, kind}) text.append("!").append(std::to_string(value));
  for (int value : {margins.left, margins.top, margins.right, margins.bottom}) text.append("!").append(Field(value, 4));
  return text.append("!").append(std::to_string(fill));
}

std::string GradientValue(const std::vector<GradientStep>& steps) {
  std::string text;
  for (const GradientStep& step : steps) {
    for (int value : {ColorValue(step.from), ColorValue(step.to), step.percent, 0, 0}) {
      text.append(std::to_string(value)).append(";");
    }
  }
  return text;
}

}  // namespace klarvik
