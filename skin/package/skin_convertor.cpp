#include "skin/package/skin_convertor.h"

#include <algorithm>
#include <cstring>

#include "base/ascii_text.h"
#include "base/byte_reader.h"
#include "base/input_limits.h"
#include "skin/package/file_bytes.h"
#include "skin/package/member_inflater.h"
#include "skin/package/member_names.h"
#include "skin/package/package_error.h"
#include "skin/package/package_limits.h"

namespace klarvik {

using namespace skin_package;

namespace {

struct ParsedPackage {
  TacImageItems images;
  std::optional<std::vector<std::uint8_t>> options;
};

ParsedPackage ParsePackage(std::span<const std::uint8_t> bytes) {
  ByteReader reader(bytes, PackageDataEnds);
  if (reader.Remaining() < sizeof(kMagic) || std::memcmp(bytes.data(), kMagic, sizeof(kMagic)) != 0) {
    throw ESkinError("Loaded data is not a packed Tessel file");
  }
  reader.Skip(sizeof(kMagic), "signature");

  const std::int32_t count = static_cast<std::int32_t>(reader.Le32("member count"));
  if (count < 0 || count > kMaxMembers) throw EPackageDamaged("the member count is out of range");

  ParsedPackage package;
  std::int64_t total = 0;
  for (std::int32_t i = 0; i < count; ++i) {
    const std::int32_t nameLength = static_cast<std::int32_t>(reader.Le32("member name length"));
    if (nameLength <= 0 || nameLength > kMaxNameLength) throw EPackageDamaged("a member name length is out of range");
    const auto nameBytes = reader.Take(static_cast<std::size_t>(nameLength), "member name");
    std::string name(nameBytes.begin(), nameBytes.end());
    const std::int32_t size = static_cast<std::int32_t>(reader.Le32("member size"));
    if (size <= 0 || size > kMaxMemberSize) throw EPackageDamaged("the size of member " + name + " is out of range");
    total += size;
    if (total > kMaxTotalSize) throw EPackageDamaged("the members are too large together");
    if (size > static_cast<std::int64_t>(reader.Remaining()) * kMaxDeflateRatio) {
      throw EPackageDamaged("member " + name + " is larger than its data can hold");
    }

    std::vector<std::uint8_t> content(static_cast<std::size_t>(size));
    reader.Skip(InflateMember(reader.Rest(), content), "member data");

    if (IsDefinitionName(name)) {
      if (package.options) throw EPackageDamaged("the package holds more than one Options.dat");
      package.options = std::move(content);
    } else {
      const bool isBitmap = HasBitmapExtension(name);
      package.images.push_back(TacImageItem{std::move(name), isBitmap, std::move(content)});
    }
  }
  if (reader.Remaining() != 0) throw EPackageDamaged("data follows the last member");
  return package;
}

}  // namespace

void TacSkinConvertor::LendPackedStream(std::span<const std::uint8_t> bytes) {
  owned_packed_.reset();
  packed_ = bytes;
  has_packed_ = true;
}

void TacSkinConvertor::OwnPackedStream(std::vector<std::uint8_t> bytes) {
  owned_packed_ = std::move(bytes);
  packed_ = *owned_packed_;
  has_packed_ = true;
}

void TacSkinConvertor::TakeBackPackedStream() {
  owned_packed_.reset();
  packed_ = {};
  has_packed_ = false;
}

std::span<const std::uint8_t> TacSkinConvertor::PackedBytes() const {
  if (!HasPackedStream()) throw ESkinError("The skin package reader has no data");
  return packed_;
}

void TacSkinConvertor::ReadPackage() {
  try {
    ParsedPackage package = ParsePackage(PackedBytes());
    image_items_ = std::move(package.images);
    options_ = std::move(package.options);
  } catch (...) {
    ClearPackage();
    throw;
  }
}

void TacSkinConvertor::ClearPackage() {
  while (!image_items_.empty()) image_items_.pop_back();
  options_.reset();
  if (owned_packed_) TakeBackPackedStream();
}

const TacImageItem* TacSkinConvertor::FindImage(std::string_view name) const {
  const auto found = std::find_if(image_items_.begin(), image_items_.end(),
                                  [&](const TacImageItem& item) { return UpperCase(item.FileName) == name; });
  return found == image_items_.end() ? nullptr : &*found;
}

void LoadPackageFile(const std::filesystem::path& path, std::unique_ptr<TacSkinConvertor>& reader, bool freeSource) {
  std::optional<std::vector<std::uint8_t>> bytes;
  try {
    bytes = ReadFileBytes(path, kMaxPackageBytes);
  } catch (...) {
    reader.reset();
    throw;
  }
  if (!bytes) return;
  if (reader) {
    reader->ClearPackage();
  } else {
    reader = std::make_unique<TacSkinConvertor>();
  }
  reader->OwnPackedStream(std::move(*bytes));
  try {
    reader->ReadPackage();
  } catch (...) {
    reader.reset();
    throw;
  }
  if (freeSource) reader->TakeBackPackedStream();
}

void ReadStoredPackage(std::span<const std::uint8_t> bytes, std::unique_ptr<TacSkinConvertor>& reader) {
  reader = std::make_unique<TacSkinConvertor>();
  reader->LendPackedStream(bytes);
  try {
    reader->ReadPackage();
  } catch (...) {
    reader.reset();
    throw;
  }
  reader->TakeBackPackedStream();
}

}  // namespace klarvik
