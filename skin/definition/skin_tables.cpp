#include "skin/definition/skin_tables.h"

#include <algorithm>
#include <vector>

namespace {

// Entries of `section`/`key` among `items` accepted by `accept`; when there is none, the
// same search in the parent named by the record at `sectionIndex`, and so on up the chain.
// The walk ends at a section it has already searched, so a loop of parents ends in -1.
template <typename Items, typename Accept>
int FindWithInheritance(const TsSkinTables& tables, const Items& items, int sectionIndex, std::string_view section,
                        std::string_view key, Accept accept) {
  std::vector<int> visited;
  while (sectionIndex >= 0 && !section.empty()) {
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i].SectionName == section && items[i].KeyName == key && accept(items[i])) return static_cast<int>(i);
    }
    if (!tables.IsValidSectionIndex(sectionIndex)) return -1;
    visited.push_back(sectionIndex);
    const std::string& parent = tables.Sections[static_cast<std::size_t>(sectionIndex)].ParentClass;
    if (parent.empty() || parent == section) return -1;
    int parentIndex = tables.IndexOfSection(parent);
    if (std::find(visited.begin(), visited.end(), parentIndex) != visited.end()) return -1;
    sectionIndex = parentIndex;
    section = parent;
  }
  return -1;
}

int StateWidthOf(const TsMaskData& mask, int stateCount) {
  return stateCount > 0 ? mask.SourceRect.Width() / stateCount : 0;
}

}  // namespace

int StateWidth(const TsMaskData& mask) { return StateWidthOf(mask, mask.StateCount); }

int StateHeight(const TsMaskData& mask) {
  if (mask.MaskKind < 0) return 0;
  return mask.SourceRect.Height() / (mask.MaskKind + 1);
}

namespace {

int MarginOr(std::int16_t own, const TsMaskData& mask, int whole) {
  if (own > 0) return own;
  if (mask.CommonMargin > 0) return mask.CommonMargin;
  return whole;
}

}  // namespace

int MarginLeft(const TsMaskData& mask) { return MarginOr(mask.BorderLeft, mask, StateWidthOf(mask, mask.StateCount == 0 ? 1 : mask.StateCount)); }
int MarginTop(const TsMaskData& mask) { return MarginOr(mask.BorderTop, mask, StateHeight(mask)); }
int MarginRight(const TsMaskData& mask) { return MarginOr(mask.BorderRight, mask, StateWidthOf(mask, mask.StateCount == 0 ? 1 : mask.StateCount)); }
int MarginBottom(const TsMaskData& mask) { return MarginOr(mask.BorderBottom, mask, StateHeight(mask)); }

int TsSkinTables::IndexOfSection(std::string_view name) const {
  if (name.empty()) return -1;
  for (std::size_t i = 0; i < Sections.size(); ++i) {
    if (Sections[i].SectionName == name) return static_cast<int>(i);
  }
  return -1;
}

int TsSkinTables::IndexOfMask(int sectionIndex, std::string_view section, std::string_view key) const {
  return FindWithInheritance(*this, Masks, sectionIndex, section, key, [](const TsMaskData&) { return true; });
}

int TsSkinTables::IndexOfMaskDirect(std::string_view section, std::string_view key) const {
  if (section.empty()) return -1;
  for (std::size_t i = 0; i < Masks.size(); ++i) {
    if (Masks[i].SectionName == section && Masks[i].KeyName == key) return static_cast<int>(i);
  }
  return -1;
}

int TsSkinTables::IndexOfTexture(int sectionIndex, std::string_view section, std::string_view key) const {
  return FindWithInheritance(*this, Masks, sectionIndex, section, key, [](const TsMaskData& m) { return m.ImageKind == kImageTexture; });
}

int TsSkinTables::IndexOfPattern(int sectionIndex, std::string_view section, std::string_view key) const {
  return FindWithInheritance(*this, Patterns, sectionIndex, section, key, [](const TsPatternData&) { return true; });
}

const SkinBitmap& TsSkinTables::ImageOf(const TsMaskData& mask) const {
  static const SkinBitmap kNone;
  if (mask.Bitmap != nullptr) return *mask.Bitmap;
  return MasterBitmap != nullptr ? *MasterBitmap : kNone;
}
