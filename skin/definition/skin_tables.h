#pragma once
// Everything one load of a skin definition produces, as one value: a load builds it
// whole and the skin manager swaps it in only when the load succeeded. Move-only, because
// state records share gradient arrays with their section's flat fields.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "base/system_colors.h"
#include "skin/definition/skin_records.h"
#include "skin/image/skin_bitmap.h"

namespace klarvik {

class TsSkinTables {
 public:
  TsSkinTables() = default;
  TsSkinTables(TsSkinTables&&) noexcept = default;
  TsSkinTables& operator=(TsSkinTables&&) noexcept = default;
  TsSkinTables(const TsSkinTables&) = delete;
  TsSkinTables& operator=(const TsSkinTables&) = delete;

  TsSkinData SkinData;
  TsPalette Palette{};
  TsGeneralDataArray Sections;  // a section's position is its section index
  TsMaskArray Masks;
  TsPatternArray Patterns;
  std::shared_ptr<SkinBitmap> MasterBitmap = std::make_shared<SkinBitmap>();  // never null; empty when the skin has none
  TsCachedIndexes Cached;
  // Resolves the system colours that records keep as identifiers (a section's own hot
  // colour, say) when they are painted: the load's, so the program's live colours.
  TsSystemInfo System = ClassicSystemInfo();

  // A colour as a COLORREF: a system colour identifier becomes its RGB value.
  TColor ColorRef(TColor color) const { return TColor{ColorValue(System.ToRgb(color)) & 0x00FFFFFF}; }

  // Position of the first section of that name; -1 when empty or absent.
  int IndexOfSection(std::string_view name) const;
  // First image entry of the section and key; else the same search in the parent named by
  // the record at sectionIndex (ending at a section already visited); else -1.
  int IndexOfMask(int sectionIndex, std::string_view section, std::string_view key) const;
  int IndexOfMaskDirect(std::string_view section, std::string_view key) const;
  // As IndexOfMask over texture entries only.
  int IndexOfTexture(int sectionIndex, std::string_view section, std::string_view key) const;
  // As IndexOfMask over the large backgrounds.
  int IndexOfPattern(int sectionIndex, std::string_view section, std::string_view key) const;

  bool IsValidMaskIndex(int index) const { return index >= 0 && static_cast<std::size_t>(index) < Masks.size(); }
  bool IsValidSectionIndex(int index) const { return index >= 0 && static_cast<std::size_t>(index) < Sections.size(); }

  // The picture that holds an image entry: its own bitmap or the master bitmap.
  const SkinBitmap& ImageOf(const TsMaskData& mask) const;

  TColor MainColor() const { return Palette[pcMainColor]; }
  TColor MainTextColor() const { return Palette[pcLabelText]; }
  TColor EditTextColor() const { return Palette[pcEditText]; }
  TColor EditBackground() const { return Palette[pcEditBG]; }
  TColor SelectionBackground(bool hot) const { return Palette[hot ? pcSelectionBGHot : pcSelectionBG]; }
  TColor SelectionText(bool hot) const { return Palette[hot ? pcSelectionTextHot : pcSelectionText]; }

  // Hashes the names of the finished tables so that lookups stay fast on any definition.
  // Lookups fall back to a plain search over tables changed in length since.
  void BuildIndexes();

 private:
  enum class EntryKind { Mask, Texture, Pattern };
  int FindEntry(EntryKind kind, std::string_view section, std::string_view key) const;
  int FindInherited(EntryKind kind, int sectionIndex, std::string_view section, std::string_view key) const;

  // Looked up by a view, so that a lookup copies no name.
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>()(name); }
  };
  using NameMap = std::unordered_map<std::string, int, NameHash, std::equal_to<>>;
  struct NameIndex {
    std::size_t sections = 0, masks = 0, patterns = 0;  // lengths when built
    NameMap section;
    NameMap mask, texture, pattern;  // "section\0key"
  };
  std::unique_ptr<NameIndex> index_;
};

}  // namespace klarvik
