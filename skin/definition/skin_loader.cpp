#include "skin/definition/skin_loader.h"

#include <algorithm>
#include <array>
#include <vector>

#include "skin/definition/colour_adjustment.h"
#include "skin/definition/global_values.h"
#include "skin/definition/image_entries.h"
#include "skin/definition/ini_text.h"
#include "skin/definition/section_records.h"
#include "skin/definition/value_parsing.h"

namespace klarvik {

namespace {

constexpr std::string_view kGlobal = "GLOBALINFO";

TsIniText OverlayText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += '\n';
  }
  return TsIniText(text);
}

// The entries a section record keeps the indexes of: its own, else its nearest
// ancestor's, as IndexOfMask and IndexOfTexture find them. Worked out for every section at
// once, with one name lookup per entry and per section instead of one per section, key
// and ancestor. Section names are unique in finished tables.
constexpr std::array<std::string_view, 7> kSectionImageKeys = {"BORDERSMASK", "IMGTOPLEFT",  "IMGTOPRIGHT", "IMGBTMLEFT",
                                                               "IMGBTMRIGHT", "PATTERN",     "HOTPATTERN"};
constexpr std::size_t kFirstTextureKey = 5;  // PATTERN and HOTPATTERN name textures only
using SectionImageIndexes = std::array<int, kSectionImageKeys.size()>;

std::vector<SectionImageIndexes> OwnImageIndexes(const TsSkinTables& tables) {
  SectionImageIndexes none;
  none.fill(-1);
  std::vector<SectionImageIndexes> own(tables.Sections.size(), none);
  for (std::size_t m = 0; m < tables.Masks.size(); ++m) {
    const TsMaskData& mask = tables.Masks[m];
    const auto key = std::find(kSectionImageKeys.begin(), kSectionImageKeys.end(), mask.KeyName);
    if (key == kSectionImageKeys.end()) continue;
    const auto k = static_cast<std::size_t>(key - kSectionImageKeys.begin());
    if (k >= kFirstTextureKey && mask.ImageKind != kImageTexture) continue;
    const int section = tables.IndexOfSection(mask.SectionName);
    if (section < 0) continue;
    int& first = own[static_cast<std::size_t>(section)][k];
    if (first < 0) first = static_cast<int>(m);
  }
  return own;
}

// The record each section inherits from: -1 for none, for itself or for a name no record has.
std::vector<int> ParentIndexes(const TsSkinTables& tables) {
  std::vector<int> parents(tables.Sections.size(), -1);
  for (std::size_t i = 0; i < tables.Sections.size(); ++i) {
    const TsGeneralData& record = tables.Sections[i];
    if (!record.ParentClass.empty() && record.ParentClass != record.SectionName) parents[i] = tables.IndexOfSection(record.ParentClass);
  }
  return parents;
}

void ComputeSectionImageIndexes(TsSkinTables& tables) {
  const std::vector<SectionImageIndexes> own = OwnImageIndexes(tables);
  const std::vector<int> parents = ParentIndexes(tables);
  // The walk ends at a section it has already passed, so a loop of parents ends in -1.
  auto inherited = [&](std::size_t section, std::size_t key) {
    std::array<int, kMaxParentDepth> visited{};
    int current = static_cast<int>(section);
    for (int depth = 0; depth < kMaxParentDepth && current >= 0; ++depth) {
      const int found = own[static_cast<std::size_t>(current)][key];
      if (found >= 0) return found;
      visited[static_cast<std::size_t>(depth)] = current;
      current = parents[static_cast<std::size_t>(current)];
      if (std::find(visited.begin(), visited.begin() + depth + 1, current) != visited.begin() + depth + 1) return -1;
    }
    return -1;
  };
  for (std::size_t i = 0; i < tables.Sections.size(); ++i) {
    TsGeneralData& record = tables.Sections[i];
    if (record.SectionName == kGlobal) {
      record.BorderMaskIndex = 0;
      record.TextureIndex = 0;
      record.StateProps[kStateNormal].TextureIndex = 0;
      record.StateProps[kStateHot].TextureIndex = 0;
      continue;
    }
    record.BorderMaskIndex = inherited(i, 0);
    record.CornerIndexes = {inherited(i, 1), inherited(i, 2), inherited(i, 3), inherited(i, 4)};
    record.TextureIndex = inherited(i, 5);
    record.StateProps[kStateNormal].TextureIndex = record.TextureIndex;
    record.StateProps[kStateHot].TextureIndex = record.States > 1 ? inherited(i, 6) : record.TextureIndex;
  }
}

}  // namespace

std::vector<std::string> PrepareCommonSections(const std::vector<std::string>& lines) {
  std::vector<std::string> prepared;
  prepared.reserve(lines.size());
  for (std::string line : lines) {
    if (line.empty() || line.front() != ';') line.erase(std::remove(line.begin(), line.end(), ' '), line.end());
    prepared.push_back(std::move(line));
  }
  return prepared;
}

TsSkinTables LoadSkinTables(std::string_view definitionText, const TsSkinFiles& files, const TsLoadSettings& settings) {
  const TsIniText definition(definitionText);
  const bool hasOverlay = !settings.CommonSections.empty();
  const TsIniText overlay = hasOverlay ? OverlayText(settings.CommonSections) : TsIniText();

  TsSkinTables tables;
  TsPixelBudget budget(settings.MaxImagePixels);
  tables.MasterBitmap = std::make_shared<SkinBitmap>(LoadMasterBitmap(definition, files, budget));
  const double version = ParseVersion(definition.ReadString(kGlobal, "VERSION", "0"));
  const TsImageSources sources{files, version, *tables.MasterBitmap, settings.Jpeg, budget};
  AddImageEntries(definition, false, sources, tables.Masks);
  if (hasOverlay) AddImageEntries(overlay, true, sources, tables.Masks);
  AddJpegBackgrounds(definition, false, sources, tables.Masks, tables.Patterns);
  if (hasOverlay) AddJpegBackgrounds(overlay, true, sources, tables.Masks, tables.Patterns);

  tables.System = settings.System;
  tables.SkinData = ReadGlobalValues(definition, settings.System);
  tables.SkinData.SkinFolder = settings.SkinFolder;
  TsGradientTexts gradients;
  tables.Sections = ReadSectionRecords(definition, settings.System, gradients);
  if (hasOverlay) ApplyOverlayRecords(overlay, settings.System, gradients, tables.Sections);
  tables.BuildIndexes();
  ComputeSectionImageIndexes(tables);
  tables.Palette = BuildPalette(definition, tables.Sections, settings.System);
  // Last, so that palette entries taken from the sections turn once, not twice.
  AdjustSkinColours(tables, settings.HueOffset, settings.Saturation);
  tables.Cached = ComputeCachedIndexes(tables);
  return tables;
}

TsCachedIndexes ComputeCachedIndexes(const TsSkinTables& t) {
  TsCachedIndexes c;
  c.GlobalInfo = t.IndexOfSection(kGlobal);
  auto global = [&](std::string_view key) { return t.IndexOfMask(c.GlobalInfo, kGlobal, key); };
  auto mask = [&](int section, std::string_view key) {
    return section >= 0 ? t.IndexOfMask(section, t.Sections[static_cast<std::size_t>(section)].SectionName, key) : -1;
  };
  c.ExBorder = global("EXBORDER");

  constexpr std::array<std::string_view, 4> kTabs = {"TABTOP", "TABBOTTOM", "TABLEFT", "TABRIGHT"};
  constexpr std::array<std::string_view, 4> kScrollButtons = {"SCROLLBTNTOP", "SCROLLBTNBOTTOM", "SCROLLBTNLEFT", "SCROLLBTNRIGHT"};
  constexpr std::array<std::string_view, 2> kSliders = {"SCROLLSLIDERV", "SCROLLSLIDERH"};
  constexpr std::array<std::string_view, 4> kTracks = {"SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H", "SCROLLBAR2V"};
  for (std::size_t i = 0; i < kTabs.size(); ++i) {
    c.TabSections[i] = t.IndexOfSection(kTabs[i]);
    c.TabBorders[i] = mask(c.TabSections[i], "BORDERSMASK");
  }
  for (std::size_t i = 0; i < kScrollButtons.size(); ++i) {
    const int s = c.ScrollBtnSections[i] = t.IndexOfSection(kScrollButtons[i]);
    c.ScrollBtnBorders[i] = mask(s, "BORDERSMASK");
    c.ScrollBtnPatterns[i] = mask(s, "PATTERN");
    c.ScrollBtnHotPatterns[i] = mask(s, "HOTPATTERN");
    c.ScrollBtnGlyphs[i] = mask(s, "GLYPHMASK");
  }
  constexpr std::array<std::string_view, 11> kCaptionButtons = {"BICONCLOSE", "BICLOSEALONE", "BICONMAX", "BICONNORM",
                                                                "BICONMIN",   "BICONHELP",    "SICONCLOSE", "SICONMAX",
                                                                "SICONNORM",  "SICONMIN",     "SICONHELP"};
  for (std::size_t i = 0; i < kCaptionButtons.size(); ++i) c.CaptionButtons[i] = global(kCaptionButtons[i]);
  for (std::size_t i = 0; i < kSliders.size(); ++i) {
    const int s = c.SliderSections[i] = t.IndexOfSection(kSliders[i]);
    c.SliderBorders[i] = mask(s, "BORDERSMASK");
    c.SliderGlyphs[i] = mask(s, "GLYPHMASK");
    c.SliderPatterns[i] = mask(s, "PATTERN");
    c.SliderHotPatterns[i] = mask(s, "HOTPATTERN");
  }
  for (std::size_t i = 0; i < kTracks.size(); ++i) {
    const int s = c.ScrollBarSections[i] = t.IndexOfSection(kTracks[i]);
    c.ScrollBarBorders[i] = mask(s, "BORDERSMASK");
    c.ScrollBarPatterns[i] = mask(s, "PATTERN");
    c.ScrollBarHotPatterns[i] = mask(s, "HOTPATTERN");
  }
  constexpr std::array<std::string_view, 9> kCheckGlyphs = {"BOXCHECKED",     "BOXUNCHECKED", "BOXGRAYED",
                                                            "RADIOCHECKED",   "RADIOUNCHECKED", "RADIOGRAYED",
                                                            "SMALLCHECKED",   "SMALLUNCHECKED", "SMALLGRAYED"};
  for (std::size_t i = 0; i < kCheckGlyphs.size(); ++i) c.CheckGlyphs[i] = global(kCheckGlyphs[i]);
  c.ComboBtnSection = t.IndexOfSection("COMBOBTN");
  c.ComboBtnBorder = t.IndexOfMaskDirect("COMBOBTN", "BORDERSMASK");
  c.ComboBtnPattern = t.IndexOfTexture(c.ComboBtnSection, "COMBOBTN", "PATTERN");
  c.ComboBtnHotPattern = t.IndexOfTexture(c.ComboBtnSection, "COMBOBTN", "HOTPATTERN");
  c.ComboBoxGlyph = t.IndexOfMaskDirect("COMBOBOX", "GLYPHMASK");
  c.GripImages = {global("GRIPIMAGE"), global("GRIPHORZ"), global("GRIPVERT")};
  c.WebButtonSection = t.IndexOfSection("WEBBUTTON");
  return c;
}

}  // namespace klarvik
