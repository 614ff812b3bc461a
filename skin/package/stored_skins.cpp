#include "skin/package/stored_skins.h"

#include <algorithm>
#include <stdexcept>

#include "base/byte_reader.h"
#include "skin/package/package_error.h"

namespace klarvik {

void TsStoredSkin::Changed() {
  if (collection_ != nullptr) collection_->Update();
}

void TsStoredSkin::Assign(const TsStoredSkin& source) {
  if (&source == this) return;
  data_ = source.data_;
  name_ = source.name_;
  master_bitmap_ = source.master_bitmap_;
  shadow1_color_ = source.shadow1_color_;
  shadow1_offset_ = source.shadow1_offset_;
  shadow1_blur_ = source.shadow1_blur_;
  shadow1_transparency_ = source.shadow1_transparency_;
  border_color_ = source.border_color_;
  version_ = source.version_;
  author_ = source.author_;
  description_ = source.description_;
  Changed();
}

void TsStoredSkin::SetName(std::string value) { name_ = std::move(value); Changed(); }
void TsStoredSkin::SetMasterBitmap(SkinBitmap value) { master_bitmap_ = std::move(value); Changed(); }
void TsStoredSkin::SetShadow1Color(std::int32_t value) { shadow1_color_ = value; Changed(); }
void TsStoredSkin::SetShadow1Offset(std::int32_t value) { shadow1_offset_ = value; Changed(); }
void TsStoredSkin::SetShadow1Blur(std::int32_t value) { shadow1_blur_ = value; Changed(); }
void TsStoredSkin::SetShadow1Transparency(std::int32_t value) { shadow1_transparency_ = value; Changed(); }
void TsStoredSkin::SetBorderColor(std::int32_t value) { border_color_ = value; Changed(); }
void TsStoredSkin::SetVersion(double value) { version_ = value; Changed(); }
void TsStoredSkin::SetAuthor(std::string value) { author_ = std::move(value); Changed(); }
void TsStoredSkin::SetDescription(std::string value) { description_ = std::move(value); Changed(); }
void TsStoredSkin::SetData(std::vector<std::uint8_t> bytes) { data_ = std::move(bytes); Changed(); }

std::size_t TsStoredSkin::ReadDataValue(std::span<const std::uint8_t> value) {
  ByteReader reader(value, PackageDataEnds);
  const std::int32_t count = static_cast<std::int32_t>(reader.Le32("stored skin byte count"));
  if (count < 0) throw ESkinError("The stored skin byte count is negative");
  const auto bytes = reader.Take(static_cast<std::size_t>(count), "stored skin bytes");
  SetData(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  return reader.Position();
}

std::vector<std::uint8_t> TsStoredSkin::WriteDataValue() const {
  const auto count = static_cast<std::uint32_t>(data_.size());
  std::vector<std::uint8_t> value(4 + data_.size());
  for (std::size_t i = 0; i < 4; ++i) value[i] = static_cast<std::uint8_t>(count >> (8 * i));
  std::copy(data_.begin(), data_.end(), value.begin() + 4);
  return value;
}

TsStoredSkin& TsStoredSkins::Add() {
  items_.push_back(std::make_unique<TsStoredSkin>(this));
  Update();
  return *items_.back();
}

void TsStoredSkins::Delete(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("TsStoredSkins::Delete");
  items_.erase(items_.begin() + index);
  Update();
}

int TsStoredSkins::IndexOfName(const std::string& name) const {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i]->Name() == name) return static_cast<int>(i);
  }
  return -1;
}

void TsStoredSkins::Update() const {
  if (OnUpdate) OnUpdate();
}

}  // namespace klarvik
