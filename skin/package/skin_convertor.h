#pragma once
// The skin package reader: turns the bytes of a package (a file, or the bytes of a stored
// skin lent to it) into the definition text and the image members.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace klarvik {

struct TacImageItem {
  std::string FileName;  // as stored, letter case kept
  bool IsBitmap = false;  // the upper-cased extension is ".BMP"
  std::vector<std::uint8_t> Stream;
};

using TacImageItems = std::vector<TacImageItem>;

class TacSkinConvertor {
 public:
  TacSkinConvertor() = default;
  TacSkinConvertor(const TacSkinConvertor&) = delete;
  TacSkinConvertor& operator=(const TacSkinConvertor&) = delete;

  // The source bytes stay the lender's; TakeBackPackedStream forgets them again.
  void LendPackedStream(std::span<const std::uint8_t> bytes);
  void OwnPackedStream(std::vector<std::uint8_t> bytes);
  void TakeBackPackedStream();
  bool HasPackedStream() const { return has_packed_; }

  // Parses the package in the packed stream. On any failure the reader is left cleared
  // (a lent stream stays untouched) and the error is raised: a bad magic raises
  // "Loaded data is not a packed Tessel file", corrupt compressed data an EZlibError,
  // broken records, a second definition or a wrong member size an EPackageDamaged.
  void ReadPackage();
  // Frees the members, the definition text and, when owned, the packed stream.
  void ClearPackage();

  // The number of image members: consumers iterate 0 .. ImageTotal() - 1.
  int ImageTotal() const { return static_cast<int>(image_items_.size()); }
  const TacImageItems& ImageItems() const { return image_items_; }
  // The definition text; none when the package holds no "Options.dat".
  const std::optional<std::vector<std::uint8_t>>& OptionsStream() const { return options_; }

  // The image member whose upper-cased name equals `name` as written; null when absent.
  const TacImageItem* FindImage(std::string_view name) const;

 private:
  std::span<const std::uint8_t> PackedBytes() const;

  bool has_packed_ = false;
  std::span<const std::uint8_t> packed_;
  std::optional<std::vector<std::uint8_t>> owned_packed_;
  TacImageItems image_items_;
  std::optional<std::vector<std::uint8_t>> options_;
};

// Reads the package file at `path` into `reader` (cleared, or created when none). Nothing
// happens when no file is there. When `freeSource` is set the file's bytes are freed after
// reading. When reading fails the reader is destroyed and `reader` is left empty.
void LoadPackageFile(const std::filesystem::path& path, std::unique_ptr<TacSkinConvertor>& reader, bool freeSource);

// Reads a stored skin's package bytes: lends them to a new reader, reads, and takes them
// back. When reading fails `reader` is left empty and the error is raised.
void ReadStoredPackage(std::span<const std::uint8_t> bytes, std::unique_ptr<TacSkinConvertor>& reader);

}  // namespace klarvik
