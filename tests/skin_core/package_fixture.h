#pragma once
// Builds package bytes field by field, so a test can state any count, length or size,
// including ones the writer refuses to produce.
#include <zlib.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace klarvik {

namespace package_fixture {

using Bytes = std::vector<std::uint8_t>;

inline Bytes TextBytes(std::string_view text) { return Bytes(text.begin(), text.end()); }

// A zlib stream of `data` at the default level.
inline Bytes Zlib(const Bytes& data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  Bytes out(size);
  compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()), Z_DEFAULT_COMPRESSION);
  out.resize(size);
  return out;
}

// Bytes that vary, so they do not compress to almost nothing.
inline Bytes Varied(std::size_t size, std::uint32_t seed = 1) {
  Bytes out(size);
  for (auto& b : out) {
    seed = seed * 1103515245u + 12345u;
    b = static_cast<std::uint8_t>(seed >> 16);
  }
  return out;
}

class RawPackage {
 public:
  explicit RawPackage(std::string_view magic = "TLzf") { Append(TextBytes(magic)); }

  RawPackage& Int32(std::int32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> shift));
    return *this;
  }
  // Byte by byte: GCC 12 at -O3 takes a range insert here for an out-of-bounds copy.
  RawPackage& Append(const Bytes& data) {
    for (const std::uint8_t byte : data) bytes_.push_back(byte);
    return *this;
  }
  // A member record with its declared size and the stream that follows it.
  RawPackage& Member(std::string_view name, std::int32_t declaredSize, const Bytes& stream) {
    Int32(static_cast<std::int32_t>(name.size()));
    Append(TextBytes(name));
    Int32(declaredSize);
    return Append(stream);
  }
  // A well-formed member holding `content`.
  RawPackage& Member(std::string_view name, const Bytes& content) {
    return Member(name, static_cast<std::int32_t>(content.size()), Zlib(content));
  }

  const Bytes& bytes() const { return bytes_; }

 private:
  Bytes bytes_;
};

}  // namespace package_fixture

}  // namespace klarvik
