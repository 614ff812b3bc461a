#include "tests/widgets/image_bytes.h"

#include <algorithm>
#include <cstddef>

namespace klarvik::test {
namespace {

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint32_t Crc32(const std::uint8_t* data, size_t size) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

std::uint32_t Adler32(const std::vector<std::uint8_t>& data) {
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (std::uint8_t byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& body) {
  PutBigEndian(out, static_cast<std::uint32_t>(body.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), body.begin(), body.end());
  PutBigEndian(out, Crc32(out.data() + start, out.size() - start));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::vector<std::uint8_t> StoredZlib(const std::vector<std::uint8_t>& raw) {
  std::vector<std::uint8_t> out{0x78, 0x01};
  size_t done = 0;
  do {
    const size_t length = std::min<size_t>(raw.size() - done, 65535);
    const bool last = done + length == raw.size();
    out.push_back(last ? 1 : 0);
    PutLittleEndian(out, static_cast<std::uint32_t>(length), 2);
    PutLittleEndian(out, static_cast<std::uint32_t>(~length & 0xFFFF), 2);
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(done),
               raw.begin() + static_cast<std::ptrdiff_t>(done + length));
    done += length;
  } while (done < raw.size());
  PutBigEndian(out, Adler32(raw));
  return out;
}

}  // namespace

std::vector<std::uint8_t> PngFile(int width, int height, const std::vector<std::uint32_t>& argb) {
  std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  PutBigEndian(header, static_cast<std::uint32_t>(width));
  PutBigEndian(header, static_cast<std::uint32_t>(height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, no interlace
  PutChunk(out, "IHDR", header);
  std::vector<std::uint8_t> raw;
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // filter: none
    for (int x = 0; x < width; ++x) {
      const std::uint32_t pixel = argb[static_cast<size_t>(y * width + x)];
      raw.insert(raw.end(), {static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
                             static_cast<std::uint8_t>(pixel), static_cast<std::uint8_t>(pixel >> 24)});
    }
  }
  PutChunk(out, "IDAT", StoredZlib(raw));
  PutChunk(out, "IEND", {});
  return out;
}

std::vector<std::uint8_t> BmpFile(int width, int height, const std::vector<std::uint32_t>& rgb) {
  const auto rowSize = static_cast<std::uint32_t>((width * 3 + 3) & ~3);
  const std::uint32_t imageSize = rowSize * static_cast<std::uint32_t>(height);
  std::vector<std::uint8_t> out{'B', 'M'};
  PutLittleEndian(out, 54 + imageSize, 4);
  PutLittleEndian(out, 0, 4);
  PutLittleEndian(out, 54, 4);
  PutLittleEndian(out, 40, 4);
  PutLittleEndian(out, static_cast<std::uint32_t>(width), 4);
  PutLittleEndian(out, static_cast<std::uint32_t>(height), 4);
  PutLittleEndian(out, 1, 2);
  PutLittleEndian(out, 24, 2);
  for (int field = 0; field < 6; ++field) PutLittleEndian(out, field == 1 ? imageSize : 0, 4);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) PutLittleEndian(out, rgb[static_cast<size_t>(y * width + x)], 3);
    out.resize(out.size() + (rowSize - static_cast<std::uint32_t>(width) * 3), 0);
  }
  return out;
}

}  // namespace klarvik::test
