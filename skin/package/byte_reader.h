#pragma once
// Reads little-endian fields from bytes of outside origin; every read is bounds-checked and
// a short read raises the package-damaged error instead of reading past the end.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "skin/package/package_error.h"

namespace skin_package {

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t Position() const { return position_; }
  std::size_t Remaining() const { return bytes_.size() - position_; }
  std::span<const std::uint8_t> Rest() const { return bytes_.subspan(position_); }

  std::int32_t ReadInt32(const char* field) {
    const auto raw = Take(4, field);
    const std::uint32_t value = std::uint32_t{raw[0]} | std::uint32_t{raw[1]} << 8 |
                                std::uint32_t{raw[2]} << 16 | std::uint32_t{raw[3]} << 24;
    return static_cast<std::int32_t>(value);
  }

  std::string ReadText(std::size_t length, const char* field) {
    const auto raw = Take(length, field);
    return std::string(raw.begin(), raw.end());
  }

  std::span<const std::uint8_t> Take(std::size_t length, const char* field) {
    if (length > Remaining()) throw EPackageDamaged(std::string("the data ends inside the ") + field);
    const auto part = bytes_.subspan(position_, length);
    position_ += length;
    return part;
  }

  void Skip(std::size_t length) { Take(length, "member data"); }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

}  // namespace skin_package
