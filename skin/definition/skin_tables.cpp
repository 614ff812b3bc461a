#include "skin/definition/skin_tables.h"

#include <algorithm>
#include <array>

namespace klarvik {

namespace {

std::string PairKey(std::string_view section, std::string_view key) {
  std::string joined;
  joined.reserve(section.size() + key.size() + 1);
  joined.append(section);
  joined.push_back('\0');
  joined.append(key);
  return joined;
}

// The same joined name, written into `buffer` when it fits and into `spill` otherwise.
std::string_view PairKeyView(std::string_view section, std::string_view key, std::array<char, 96>& buffer, std::string& spill) {
  const std::size_t size = section.size() + key.size() + 1;
  if (size > buffer.size()) {
    spill = PairKey(section, key);
    return spill;
  }
  std::copy(section.begin(), section.end(), buffer.begin());
  buffer[section.size()] = '\0';
  std::copy(key.begin(), key.end(), buffer.begin() + static_cast<std::ptrdiff_t>(section.size() + 1));
  return std::string_view(buffer.data(), size);
}

template <typename Items, typename Accept>
int FirstMatch(const Items& items, std::string_view section, std::string_view key, Accept accept) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].SectionName == section && items[i].KeyName == key && accept(items[i])) return static_cast<int>(i);
  }
  return -1;
}

int StateWidthOf(const TsMaskData& mask, int stateCount) {
  return stateCount > 0 ? mask.SourceRect.Width() / stateCount : 0;
}

int MarginOr(std::int16_t own, const TsMaskData& mask, int whole) {
  if (own > 0) return own;
  if (mask.CommonMargin > 0) return mask.CommonMargin;
  return whole;
}

}  // namespace

int StateWidth(const TsMaskData& mask) { return StateWidthOf(mask, mask.StateCount); }

int StateHeight(const TsMaskData& mask) {
  if (mask.MaskKind < 0) return 0;
  return mask.SourceRect.Height() / (mask.MaskKind + 1);
}

int MarginLeft(const TsMaskData& mask) { return MarginOr(mask.BorderLeft, mask, StateWidthOf(mask, std::max<int>(mask.StateCount, 1))); }
int MarginTop(const TsMaskData& mask) { return MarginOr(mask.BorderTop, mask, StateHeight(mask)); }
int MarginRight(const TsMaskData& mask) { return MarginOr(mask.BorderRight, mask, StateWidthOf(mask, std::max<int>(mask.StateCount, 1))); }
int MarginBottom(const TsMaskData& mask) { return MarginOr(mask.BorderBottom, mask, StateHeight(mask)); }

void TsSkinTables::BuildIndexes() {
  auto index = std::make_unique<NameIndex>();
  index->sections = Sections.size();
  index->masks = Masks.size();
  index->patterns = Patterns.size();
  index->section.reserve(Sections.size());
  index->mask.reserve(Masks.size());
  index->pattern.reserve(Patterns.size());
  for (std::size_t i = 0; i < Sections.size(); ++i) index->section.emplace(Sections[i].SectionName, static_cast<int>(i));
  for (std::size_t i = 0; i < Masks.size(); ++i) {
    std::string pair = PairKey(Masks[i].SectionName, Masks[i].KeyName);
    if (Masks[i].ImageKind == kImageTexture) index->texture.emplace(pair, static_cast<int>(i));
    index->mask.emplace(std::move(pair), static_cast<int>(i));
  }
  for (std::size_t i = 0; i < Patterns.size(); ++i) {
    index->pattern.emplace(PairKey(Patterns[i].SectionName, Patterns[i].KeyName), static_cast<int>(i));
  }
  index_ = std::move(index);
}

int TsSkinTables::IndexOfSection(std::string_view name) const {
  if (name.empty()) return -1;
  if (index_ != nullptr && index_->sections == Sections.size()) {
    auto found = index_->section.find(name);
    return found == index_->section.end() ? -1 : found->second;
  }
  for (std::size_t i = 0; i < Sections.size(); ++i) {
    if (Sections[i].SectionName == name) return static_cast<int>(i);
  }
  return -1;
}

int TsSkinTables::FindEntry(EntryKind kind, std::string_view section, std::string_view key) const {
  if (index_ != nullptr && index_->masks == Masks.size() && index_->patterns == Patterns.size()) {
    const auto& map = kind == EntryKind::Mask ? index_->mask : kind == EntryKind::Texture ? index_->texture : index_->pattern;
    std::array<char, 96> buffer;
    std::string joined;
    auto found = map.find(PairKeyView(section, key, buffer, joined));
    return found == map.end() ? -1 : found->second;
  }
  switch (kind) {
    case EntryKind::Mask: return FirstMatch(Masks, section, key, [](const TsMaskData&) { return true; });
    case EntryKind::Texture: return FirstMatch(Masks, section, key, [](const TsMaskData& m) { return m.ImageKind == kImageTexture; });
    case EntryKind::Pattern: return FirstMatch(Patterns, section, key, [](const TsPatternData&) { return true; });
  }
  return -1;
}

// The entry of the section and key; when there is none, the same search in the parent
// named by the record at `sectionIndex`, and so on. The walk ends at a section it has
// already searched, so a loop of parents ends in -1.
int TsSkinTables::FindInherited(EntryKind kind, int sectionIndex, std::string_view section, std::string_view key) const {
  std::array<int, kMaxParentDepth> visited{};
  for (int depth = 0; depth < kMaxParentDepth && sectionIndex >= 0 && !section.empty(); ++depth) {
    int found = FindEntry(kind, section, key);
    if (found >= 0 || !IsValidSectionIndex(sectionIndex)) return found;
    visited[static_cast<std::size_t>(depth)] = sectionIndex;
    const std::string& parent = Sections[static_cast<std::size_t>(sectionIndex)].ParentClass;
    if (parent.empty() || parent == section) return -1;
    int parentIndex = IndexOfSection(parent);
    if (std::find(visited.begin(), visited.begin() + depth + 1, parentIndex) != visited.begin() + depth + 1) return -1;
    sectionIndex = parentIndex;
    section = parent;
  }
  return -1;
}

int TsSkinTables::IndexOfMask(int sectionIndex, std::string_view section, std::string_view key) const {
  return FindInherited(EntryKind::Mask, sectionIndex, section, key);
}

int TsSkinTables::IndexOfMaskDirect(std::string_view section, std::string_view key) const {
  return section.empty() ? -1 : FindEntry(EntryKind::Mask, section, key);
}

int TsSkinTables::IndexOfTexture(int sectionIndex, std::string_view section, std::string_view key) const {
  return FindInherited(EntryKind::Texture, sectionIndex, section, key);
}

int TsSkinTables::IndexOfPattern(int sectionIndex, std::string_view section, std::string_view key) const {
  return FindInherited(EntryKind::Pattern, sectionIndex, section, key);
}

const SkinBitmap& TsSkinTables::ImageOf(const TsMaskData& mask) const {
  static const SkinBitmap kNone;
  if (mask.Bitmap != nullptr) return *mask.Bitmap;
  return MasterBitmap != nullptr ? *MasterBitmap : kNone;
}

}  // namespace klarvik
