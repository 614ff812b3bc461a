#pragma once
// Reads the fields of bytes from outside the program, in either byte order. Every read is
// checked against the end first; one that would pass it calls the reader's failure
// function, which raises the error of the format being read and does not return.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace klarvik {

class ByteReader {
 public:
  // Raises; `field` names what the data ended inside of.
  using Failure = void (*)(const char* field);

  ByteReader(std::span<const std::uint8_t> bytes, Failure fail) : bytes_(bytes), fail_(fail) {}

  std::size_t Position() const { return position_; }
  std::size_t Remaining() const { return bytes_.size() - position_; }
  std::span<const std::uint8_t> Rest() const { return bytes_.subspan(position_); }

  void Seek(std::size_t position, const char* field) {
    if (position > bytes_.size()) Fail(field);
    position_ = position;
  }
  std::span<const std::uint8_t> Take(std::size_t length, const char* field) {
    if (length > Remaining()) Fail(field);
    const auto part = bytes_.subspan(position_, length);
    position_ += length;
    return part;
  }
  void Skip(std::size_t length, const char* field) { Take(length, field); }

  std::uint8_t U8(const char* field) { return Take(1, field)[0]; }
  std::uint16_t Le16(const char* field) { return Le16Of(Take(2, field).first<2>()); }
  std::uint32_t Le32(const char* field) { return Le32Of(Take(4, field).first<4>()); }
  std::uint16_t Be16(const char* field) { return Be16Of(Take(2, field).first<2>()); }
  std::uint32_t Be32(const char* field) { return Be32Of(Take(4, field).first<4>()); }

  // A field at an absolute position; the reading position stays where it is.
  std::uint16_t Le16At(std::size_t position, const char* field) const { return Le16Of(At(position, 2, field).first<2>()); }
  std::uint32_t Le32At(std::size_t position, const char* field) const { return Le32Of(At(position, 4, field).first<4>()); }
  std::uint16_t Be16At(std::size_t position, const char* field) const { return Be16Of(At(position, 2, field).first<2>()); }
  std::uint32_t Be32At(std::size_t position, const char* field) const { return Be32Of(At(position, 4, field).first<4>()); }

  // The same decodings of bytes already known to be there.
  static std::uint16_t Le16Of(std::span<const std::uint8_t, 2> b) {
    return static_cast<std::uint16_t>(b[0] | b[1] << 8);
  }
  static std::uint32_t Le32Of(std::span<const std::uint8_t, 4> b) {
    return std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 | std::uint32_t{b[3]} << 24;
  }
  static std::uint16_t Be16Of(std::span<const std::uint8_t, 2> b) {
    return static_cast<std::uint16_t>(b[0] << 8 | b[1]);
  }
  static std::uint32_t Be32Of(std::span<const std::uint8_t, 4> b) {
    return std::uint32_t{b[0]} << 24 | std::uint32_t{b[1]} << 16 | std::uint32_t{b[2]} << 8 | std::uint32_t{b[3]};
  }

 private:
  [[noreturn]] void Fail(const char* field) const {
    fail_(field);
    std::abort();  // a failure function that returns would let a short read through
  }
  std::span<const std::uint8_t> At(std::size_t position, std::size_t length, const char* field) const {
    if (position > bytes_.size() || length > bytes_.size() - position) Fail(field);
    return bytes_.subspan(position, length);
  }

  std::span<const std::uint8_t> bytes_;
  Failure fail_;
  std::size_t position_ = 0;
};

}  // namespace klarvik
