#include "skin/definition/section_records.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "base/ascii_text.h"
#include "skin/definition/value_parsing.h"

namespace klarvik {

namespace {

constexpr std::string_view kParentKey = "PARENTCLASS";
constexpr std::string_view kSentinel = "?";

// The parent named by `section`, when it names one other than itself.
const TsIniSection* ParentOf(const TsIniText& definition, const TsIniSection& section) {
  const std::string_view* parent = section.Find(kParentKey);
  if (parent == nullptr || parent->empty() || *parent == kSentinel || *parent == section.Name) return nullptr;
  return definition.FindSection(*parent);
}

// A section followed by its ancestors: the walk ends at a section already in the chain
// or at the depth limit.
std::vector<const TsIniSection*> ChainOf(const TsIniText& definition, const TsIniSection& section) {
  std::vector<const TsIniSection*> chain{&section};
  for (const TsIniSection* parent = ParentOf(definition, section);
       parent != nullptr && chain.size() < static_cast<std::size_t>(kMaxParentDepth) &&
       std::find(chain.begin(), chain.end(), parent) == chain.end();
       parent = ParentOf(definition, *parent)) {
    chain.push_back(parent);
  }
  return chain;
}

// Where a record's keys come from. Each read gives nothing when the key is not given.
class KeySource {
 public:
  virtual ~KeySource() = default;
  // `alwaysRgb`: a system colour is turned into RGB even when the section gives it itself.
  virtual std::optional<int> Integer(std::string_view key, bool alwaysRgb) const = 0;
  virtual std::optional<std::string_view> Text(std::string_view key) const = 0;
};

// A section of the definition with its ancestors. An explicit -1 counts as absent.
class InheritedSource : public KeySource {
 public:
  InheritedSource(const TsIniText& definition, const TsIniSection& section, const TsSystemInfo& system)
      : chain_(ChainOf(definition, section)), system_(system) {}

  std::optional<int> Integer(std::string_view key, bool alwaysRgb) const override {
    for (std::size_t i = 0; i < chain_.size(); ++i) {
      const std::string_view* text = chain_[i]->Find(key);
      int value = text != nullptr ? IntegerOr(*text, -1) : -1;
      if (value != -1) return i == 0 && !alwaysRgb ? value : ColorValue(system_.ToRgb(TColor{value}));
    }
    return std::nullopt;
  }

  std::optional<std::string_view> Text(std::string_view key) const override {
    for (const TsIniSection* s : chain_) {
      const std::string_view* text = s->Find(key);
      if (text != nullptr && *text != kSentinel) return *text;
    }
    return std::nullopt;
  }

 private:
  std::vector<const TsIniSection*> chain_;
  const TsSystemInfo& system_;
};

// A section of the overlay alone: a key it does not give (or gives unreadably) keeps the
// value the record already has.
class OverlaySource : public KeySource {
 public:
  OverlaySource(const TsIniSection& section, const TsSystemInfo& system) : section_(section), system_(system) {}

  std::optional<int> Integer(std::string_view key, bool alwaysRgb) const override {
    const std::string_view* text = section_.Find(key);
    if (text == nullptr) return std::nullopt;
    std::optional<int> value = ParseInteger(*text);
    if (value && alwaysRgb) return ColorValue(system_.ToRgb(TColor{*value}));
    return value;
  }

  std::optional<std::string_view> Text(std::string_view key) const override {
    const std::string_view* text = section_.Find(key);
    return text != nullptr ? std::optional<std::string_view>(*text) : std::nullopt;
  }

 private:
  const TsIniSection& section_;
  const TsSystemInfo& system_;
};

void ReadInt(const KeySource& source, std::string_view key, std::int32_t& field) {
  if (std::optional<int> value = source.Integer(key, false)) field = *value;
}

// alwaysRgb: the key names a colour that a system colour value may not stand for.
void ReadColor(const KeySource& source, std::string_view key, TColor& field, bool alwaysRgb = false) {
  if (std::optional<int> value = source.Integer(key, alwaysRgb)) field = TColor{*value};
}

// A value given in the text, limited to lowest..highest; a field the text leaves out
// keeps what it holds, which may lie outside (the overlay's -1, "inherit").
void ReadClamped(const KeySource& source, std::string_view key, std::int32_t& field, int lowest, int highest) {
  if (std::optional<int> value = source.Integer(key, false)) field = std::clamp(*value, lowest, highest);
}

void ReadPercent(const KeySource& source, std::string_view key, std::int32_t& field) {
  ReadClamped(source, key, field, 0, 100);
}

void ReadByte(const KeySource& source, std::string_view key, std::uint8_t& field) {
  if (std::optional<int> value = source.Integer(key, false)) field = static_cast<std::uint8_t>(*value & 0xFF);
}

void ReadBool(const KeySource& source, std::string_view key, bool& field) {
  if (std::optional<std::string_view> text = source.Text(key)) field = ParseBoolean(*text);
}

// A gradient given in the text replaces the record's text and steps with the load's shared
// pair; one left out keeps the record's own. Either way, a text shorter than two
// characters means no gradient at all.
void ReadGradient(const KeySource& source, std::string_view key, TsGradientTexts& gradients, TsSharedText& text,
                  TsGradArrayRef& steps, std::int32_t& percent) {
  if (std::optional<std::string_view> given = source.Text(key)) {
    if (given->size() < 2) {
      text = *given;
    } else {
      TsGradientTexts::Gradient gradient = gradients.Of(*given);
      text = std::move(gradient.Text);
      steps = std::move(gradient.Steps);
    }
  }
  if (text.size() < 2) {
    percent = 0;
    steps = gradients.NoSteps();
  }
}

void ReadFontColors(const KeySource& source, const std::array<std::string_view, 5>& keys, std::array<TColor, 5>& colors) {
  for (std::size_t i = 0; i < keys.size(); ++i) ReadColor(source, keys[i], colors[i]);
}

void SetHotDefaults(TsGeneralData& record) {
  static const TsGeneralData fresh;
  record.HotColor = fresh.HotColor;
  record.HotFontColors = fresh.HotFontColors;
  record.HotGlowColor = fresh.HotGlowColor;
}

void ClearHotFields(TsGeneralData& record) {
  record.HotColor = TColor{0};
  record.HotTransparency = 0;
  record.HotGradientPercent = 0;
  record.HotGradientData = TsSharedText();
  record.HotImagePercent = 0;
  record.HotFontColors.fill(TColor{0});
  record.HotGlowColor = TColor{0};
  record.HotGlowSize = 0;
}

// Fills the flat fields from `source` over the values `record` already holds, then the
// two state records from the flat fields.
void ReadRecordKeys(const KeySource& source, bool readShowFocus, TsGradientTexts& gradients, TsGeneralData& record) {
  ReadColor(source, "COLOR", record.Color, true);
  ReadBool(source, "RESERVEDBOOLEAN", record.ReservedBoolean);
  ReadBool(source, "GIVEOWNFONT", record.GiveOwnFont);
  ReadInt(source, "GLOW", record.Glow);
  ReadInt(source, "GLOWMARGIN", record.GlowMargin);
  ReadFontColors(source, {"FONTCOLOR", "TCLEFT", "TCTOP", "TCRIGHT", "TCBOTTOM"}, record.FontColors);
  ReadPercent(source, "TRANSPARENCY", record.Transparency);
  ReadPercent(source, "GRADIENTPERCENT", record.GradientPercent);
  ReadPercent(source, "IMAGEPERCENT", record.ImagePercent);
  ReadGradient(source, "GRADIENTDATA", gradients, record.GradientData, record.GradientArray, record.GradientPercent);
  if (readShowFocus) ReadBool(source, "SHOWFOCUS", record.ShowFocus);
  ReadBool(source, "FADINGENABLED", record.FadingEnabled);
  ReadClamped(source, "FADINGITERATIONS", record.FadingIterations, 0, 255);
  ReadColor(source, "GCOL", record.GlowColor, true);
  ReadByte(source, "GSIZE", record.GlowSize);

  TsGenState& normal = record.StateProps[kStateNormal];
  normal.Color = record.Color;
  normal.FontColors = record.FontColors;
  normal.GradientPercent = record.GradientPercent;
  normal.GradientData = record.GradientData;
  normal.GradientArray = record.GradientArray;
  normal.ImagePercent = record.ImagePercent;
  normal.GlowColor = record.GlowColor;
  normal.GlowSize = record.GlowSize;
  normal.Transparency = record.Transparency;

  ReadInt(source, "STATES", record.States);
  record.States = std::max(record.States, 1);
  if (record.States < 2) {
    record.StateProps[kStateHot] = normal;
    return;
  }
  ReadFontColors(source, {"HOTFONTCOLOR", "HOTTCLEFT", "HOTTCTOP", "HOTTCRIGHT", "HOTTCBOTTOM"}, record.HotFontColors);
  ReadColor(source, "HGCOL", record.HotGlowColor, true);
  ReadByte(source, "HGSIZE", record.HotGlowSize);
  ReadColor(source, "HOTCOLOR", record.HotColor);
  ReadPercent(source, "HOTTRANSPARENCY", record.HotTransparency);
  ReadPercent(source, "HOTGRADIENTPERCENT", record.HotGradientPercent);
  ReadGradient(source, "HOTGRADIENTDATA", gradients, record.HotGradientData, record.HotGradientArray,
               record.HotGradientPercent);
  ReadPercent(source, "HOTIMAGEPERCENT", record.HotImagePercent);

  TsGenState& hot = record.StateProps[kStateHot];
  hot.Color = record.HotColor;
  hot.FontColors = record.HotFontColors;
  hot.GradientPercent = record.HotGradientPercent;
  hot.GradientData = record.HotGradientData;
  hot.GradientArray = record.HotGradientArray;
  hot.ImagePercent = record.HotImagePercent;
  hot.GlowColor = record.HotGlowColor;
  hot.GlowSize = record.HotGlowSize;
  hot.Transparency = record.HotTransparency;
}

// The starting point of an overlay section that matches no record and no parent.
TsGeneralData OverlayDefaults() {
  TsGeneralData record;
  SetHotDefaults(record);
  record.FontColors.fill(kNoColor);
  record.HotFontColors.fill(kNoColor);
  record.FadingIterations = -1;
  record.ShowFocus = false;
  record.FadingEnabled = false;
  return record;
}

}  // namespace

TsGeneralDataArray ReadSectionRecords(const TsIniText& definition, const TsSystemInfo& system, TsGradientTexts& gradients) {
  TsGeneralDataArray records;
  records.reserve(definition.Sections().size());
  for (const TsIniSection& section : definition.Sections()) {
    TsGeneralData record;
    record.SectionName = section.Name;
    const std::string_view* parent = section.Find(kParentKey);
    record.ParentClass = parent != nullptr ? *parent : std::string_view();
    ClearHotFields(record);
    InheritedSource source(definition, section, system);
    // Hot values take their defaults only when the section has a hot state.
    std::optional<int> states = source.Integer("STATES", false);
    if (states.value_or(record.States) >= 2) SetHotDefaults(record);
    ReadRecordKeys(source, false, gradients, record);
    records.push_back(std::move(record));
  }
  return records;
}

void ApplyOverlayRecords(const TsIniText& overlay, const TsSystemInfo& system, TsGradientTexts& gradients,
                         TsGeneralDataArray& records) {
  for (const TsIniSection& section : overlay.Sections()) {
    if (section.Name == "GLOBALINFO") continue;
    auto existing = std::find_if(records.begin(), records.end(), [&](const TsGeneralData& r) { return r.SectionName == section.Name; });
    TsGeneralData record;
    if (existing != records.end()) {
      record = *existing;
    } else {
      const std::string_view* parent = section.Find(kParentKey);
      std::string parentUpper = parent != nullptr ? UpperCase(*parent) : std::string();
      auto base = parentUpper.empty() ? records.end()
                                      : std::find_if(records.begin(), records.end(), [&](const TsGeneralData& r) { return UpperCase(r.SectionName) == parentUpper; });
      record = base != records.end() ? *base : OverlayDefaults();
      record.SectionName = section.Name;
      record.ParentClass = parent != nullptr ? *parent : std::string_view();
      record.BorderMaskIndex = -1;
      record.CornerIndexes = {-1, -1, -1, -1};
      record.TextureIndex = -1;
    }
    OverlaySource source(section, system);
    ReadRecordKeys(source, true, gradients, record);
    if (existing != records.end()) {
      *existing = std::move(record);
    } else {
      records.push_back(std::move(record));
    }
  }
}

}  // namespace klarvik
