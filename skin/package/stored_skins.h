#pragma once
// The skins carried inside the program: each item holds a name, descriptive values and the
// exact bytes of a skin package. Only the name and the bytes take part in loading.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "skin/image/skin_bitmap.h"

namespace klarvik {

class TsStoredSkins;

class TsStoredSkin {
 public:
  explicit TsStoredSkin(TsStoredSkins* collection = nullptr) : collection_(collection) {}
  TsStoredSkin(const TsStoredSkin&) = delete;
  TsStoredSkin& operator=(const TsStoredSkin&) = delete;

  // Copies the package bytes, the name, the bitmap and every descriptive value.
  void Assign(const TsStoredSkin& source);

  const std::string& Name() const { return name_; }
  void SetName(std::string value);
  const SkinBitmap& MasterBitmap() const { return master_bitmap_; }
  void SetMasterBitmap(SkinBitmap value);
  std::int32_t Shadow1Color() const { return shadow1_color_; }
  void SetShadow1Color(std::int32_t value);
  std::int32_t Shadow1Offset() const { return shadow1_offset_; }
  void SetShadow1Offset(std::int32_t value);
  std::int32_t Shadow1Blur() const { return shadow1_blur_; }
  void SetShadow1Blur(std::int32_t value);
  std::int32_t Shadow1Transparency() const { return shadow1_transparency_; }
  void SetShadow1Transparency(std::int32_t value);
  std::int32_t BorderColor() const { return border_color_; }
  void SetBorderColor(std::int32_t value);
  double Version() const { return version_; }
  void SetVersion(double value);
  const std::string& Author() const { return author_; }
  void SetAuthor(std::string value);
  const std::string& Description() const { return description_; }
  void SetDescription(std::string value);

  // The package bytes.
  std::span<const std::uint8_t> Data() const { return data_; }
  void SetData(std::vector<std::uint8_t> bytes);

  // The persisted "Data" value: a 32-bit little-endian byte count, then the bytes.
  // ReadDataValue replaces the bytes and returns how many bytes of `value` it used; it
  // raises ESkinError when the count is negative or exceeds what `value` holds.
  std::size_t ReadDataValue(std::span<const std::uint8_t> value);
  std::vector<std::uint8_t> WriteDataValue() const;

 private:
  void Changed();

  TsStoredSkins* collection_;
  std::string name_;
  SkinBitmap master_bitmap_;
  std::int32_t shadow1_color_ = 0;
  std::int32_t shadow1_offset_ = 0;
  std::int32_t shadow1_blur_ = -1;
  std::int32_t shadow1_transparency_ = 0;
  std::int32_t border_color_ = 0xFF00FF;
  double version_ = 0;
  std::string author_;
  std::string description_;
  std::vector<std::uint8_t> data_;
};

class TsStoredSkins {
 public:
  TsStoredSkins() = default;
  TsStoredSkins(const TsStoredSkins&) = delete;
  TsStoredSkins& operator=(const TsStoredSkins&) = delete;

  // Runs whenever an item is added, removed or changed (the owner's skin-list event).
  std::function<void()> OnUpdate;

  TsStoredSkin& Add();
  void Delete(int index);
  int Count() const { return static_cast<int>(items_.size()); }
  TsStoredSkin& Items(int index) { return *items_.at(static_cast<std::size_t>(index)); }
  const TsStoredSkin& Items(int index) const { return *items_.at(static_cast<std::size_t>(index)); }
  // Index of the first item whose name equals `name` exactly, letter case included; else -1.
  int IndexOfName(const std::string& name) const;

 private:
  friend class TsStoredSkin;
  void Update() const;

  std::vector<std::unique_ptr<TsStoredSkin>> items_;
};

}  // namespace klarvik
