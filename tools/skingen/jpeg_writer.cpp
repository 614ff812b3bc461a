#include "tools/skingen/jpeg_writer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace klarvik {

namespace {

using Block = std::array<int, 64>;

constexpr std::array<int, 64> kZigzag = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// The standard's example tables, in natural (row by row) order.
constexpr std::array<int, 64> kLumaQuant = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,  14, 13, 16, 24, 40,  57,
    69, 56, 14, 17, 22,  29,  51,  87,  80, 62, 18, 22, 37,  56,  68,  109, 103, 77, 24, 35, 55, 64,
    81, 104, 113, 92, 49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
constexpr std::array<int, 64> kChromaQuant = {
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99, 24, 26, 56, 99, 99, 99,
    99, 99, 47, 66, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};

struct HuffmanSpec {
  std::array<std::uint8_t, 16> counts;  // codes of each length 1..16
  std::vector<std::uint8_t> symbols;
};

const HuffmanSpec kLumaDc{{0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}};
const HuffmanSpec kChromaDc{{0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}};
const HuffmanSpec kLumaAc{
    {0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7D},
    {0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61, 0x07, 0x22, 0x71, 0x14,
     0x32, 0x81, 0x91, 0xA1, 0x08, 0x23, 0x42, 0xB1, 0xC1, 0x15, 0x52, 0xD1, 0xF0, 0x24, 0x33, 0x62, 0x72, 0x82, 0x09,
     0x0A, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3A,
     0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4A, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x63, 0x64, 0x65,
     0x66, 0x67, 0x68, 0x69, 0x6A, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88,
     0x89, 0x8A, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9A, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9,
     0xAA, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0xCA,
     0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0xDA, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9, 0xEA,
     0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA}};
const HuffmanSpec kChromaAc{
    {0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77},
    {0x00, 0x01, 0x02, 0x03, 0x11, 0x04, 0x05, 0x21, 0x31, 0x06, 0x12, 0x41, 0x51, 0x07, 0x61, 0x71, 0x13, 0x22, 0x32,
     0x81, 0x08, 0x14, 0x42, 0x91, 0xA1, 0xB1, 0xC1, 0x09, 0x23, 0x33, 0x52, 0xF0, 0x15, 0x62, 0x72, 0xD1, 0x0A, 0x16,
     0x24, 0x34, 0xE1, 0x25, 0xF1, 0x17, 0x18, 0x19, 0x1A, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x35, 0x36, 0x37, 0x38, 0x39,
     0x3A, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4A, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x63, 0x64,
     0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x82, 0x83, 0x84, 0x85, 0x86,
     0x87, 0x88, 0x89, 0x8A, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9A, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7,
     0xA8, 0xA9, 0xAA, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8,
     0xC9, 0xCA, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0xDA, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9,
     0xEA, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA}};

struct Code {
  std::uint16_t bits = 0;
  std::uint8_t length = 0;
};
using CodeTable = std::array<Code, 256>;

// Canonical codes: shortest first, counting up within a length.
CodeTable CodesOf(const HuffmanSpec& spec) {
  CodeTable table{};
  std::uint16_t code = 0;
  std::size_t k = 0;
  for (int length = 1; length <= 16; ++length) {
    for (int i = 0; i < spec.counts[length - 1]; ++i) table[spec.symbols[k++]] = {code++, static_cast<std::uint8_t>(length)};
    code = static_cast<std::uint16_t>(code << 1);
  }
  return table;
}

std::array<int, 64> ScaledQuant(const std::array<int, 64>& base, int quality) {
  quality = std::clamp(quality, 1, 100);
  const int scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
  std::array<int, 64> table{};
  for (int i = 0; i < 64; ++i) table[i] = std::clamp((base[i] * scale + 50) / 100, 1, 255);
  return table;
}

// C(u)/2 · cos((2x + 1)uπ/16) in units of 2^-13. Rounded to 13 bits, the values do not
// depend on the last bit of the platform's cosine.
std::array<std::array<std::int64_t, 8>, 8> DctTable() {
  std::array<std::array<std::int64_t, 8>, 8> table{};
  const double pi = std::acos(-1.0);
  for (int u = 0; u < 8; ++u) {
    const double c = u == 0 ? std::sqrt(0.5) : 1.0;
    for (int x = 0; x < 8; ++x) table[u][x] = std::llround(c / 2 * std::cos((2 * x + 1) * u * pi / 16) * 8192);
  }
  return table;
}

// Division rounded half away from zero.
std::int64_t RoundedDivide(std::int64_t value, std::int64_t divisor) {
  return value >= 0 ? (value + divisor / 2) / divisor : -((-value + divisor / 2) / divisor);
}

// Forward DCT of level-shifted samples, quantised; the result in zigzag order.
Block Transform(const Block& samples, const std::array<int, 64>& quant) {
  static const auto table = DctTable();
  std::array<std::int64_t, 64> rows{};
  for (int y = 0; y < 8; ++y) {
    for (int u = 0; u < 8; ++u) {
      std::int64_t sum = 0;
      for (int x = 0; x < 8; ++x) sum += table[u][x] * samples[y * 8 + x];
      rows[y * 8 + u] = sum;
    }
  }
  Block out{};
  for (int v = 0; v < 8; ++v) {
    for (int u = 0; u < 8; ++u) {
      std::int64_t sum = 0;
      for (int y = 0; y < 8; ++y) sum += table[v][y] * rows[y * 8 + u];
      const int natural = v * 8 + u;
      out[natural] = static_cast<int>(RoundedDivide(sum, std::int64_t{quant[natural]} << 26));
    }
  }
  Block zigzag{};
  for (int i = 0; i < 64; ++i) zigzag[i] = out[kZigzag[i]];
  return zigzag;
}

class BitWriter {
 public:
  explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}

  void Put(std::uint32_t bits, int length) {
    for (int i = length - 1; i >= 0; --i) {
      byte_ = static_cast<std::uint8_t>((byte_ << 1) | ((bits >> i) & 1));
      if (++count_ == 8) Flush();
    }
  }
  // Pads the last byte with 1 bits, as the format asks.
  void Finish() {
    while (count_ != 0) Put(1, 1);
  }

 private:
  void Flush() {
    out_.push_back(byte_);
    if (byte_ == 0xFF) out_.push_back(0);  // a data 0xFF must not read as a marker
    byte_ = 0;
    count_ = 0;
  }

  std::vector<std::uint8_t>& out_;
  std::uint8_t byte_ = 0;
  int count_ = 0;
};

// Bits needed for a magnitude, and the value as the format stores it (negatives as v − 1).
int Category(int value) {
  int magnitude = value < 0 ? -value : value;
  int bits = 0;
  while (magnitude != 0) {
    ++bits;
    magnitude >>= 1;
  }
  return bits;
}
std::uint32_t StoredBits(int value, int category) {
  return static_cast<std::uint32_t>(value < 0 ? value + (1 << category) - 1 : value);
}

struct Component {
  const std::array<int, 64>* quant;
  CodeTable dc, ac;
  int previousDc = 0;
};

void EncodeBlock(BitWriter& bits, Component& component, const Block& samples) {
  const Block coefficients = Transform(samples, *component.quant);
  const int difference = coefficients[0] - component.previousDc;
  component.previousDc = coefficients[0];
  int category = Category(difference);
  bits.Put(component.dc[category].bits, component.dc[category].length);
  if (category != 0) bits.Put(StoredBits(difference, category), category);

  int zeros = 0;
  for (int i = 1; i < 64; ++i) {
    const int value = coefficients[i];
    if (value == 0) {
      ++zeros;
      continue;
    }
    for (; zeros >= 16; zeros -= 16) bits.Put(component.ac[0xF0].bits, component.ac[0xF0].length);
    category = Category(value);
    const Code& code = component.ac[(zeros << 4) | category];
    bits.Put(code.bits, code.length);
    bits.Put(StoredBits(value, category), category);
    zeros = 0;
  }
  if (zeros != 0) bits.Put(component.ac[0].bits, component.ac[0].length);  // end of block
}

void PutBigEndian16(std::vector<std::uint8_t>& out, int value) {
  out.push_back(static_cast<std::uint8_t>(value >> 8));
  out.push_back(static_cast<std::uint8_t>(value));
}

void PutSegment(std::vector<std::uint8_t>& out, std::uint8_t marker, const std::vector<std::uint8_t>& data) {
  out.push_back(0xFF);
  out.push_back(marker);
  PutBigEndian16(out, static_cast<int>(data.size()) + 2);
  out.insert(out.end(), data.begin(), data.end());
}

void PutQuantTable(std::vector<std::uint8_t>& data, int id, const std::array<int, 64>& table) {
  data.push_back(static_cast<std::uint8_t>(id));
  for (int i = 0; i < 64; ++i) data.push_back(static_cast<std::uint8_t>(table[kZigzag[i]]));
}

void PutHuffmanTable(std::vector<std::uint8_t>& data, int classAndId, const HuffmanSpec& spec) {
  data.push_back(static_cast<std::uint8_t>(classAndId));
  data.insert(data.end(), spec.counts.begin(), spec.counts.end());
  data.insert(data.end(), spec.symbols.begin(), spec.symbols.end());
}

void PutHeaders(std::vector<std::uint8_t>& out, const PixelView& pixels, const std::array<int, 64>& luma,
                const std::array<int, 64>& chroma) {
  out.insert(out.end(), {0xFF, 0xD8});
  PutSegment(out, 0xE0, {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});  // version 1.1, aspect 1:1, no thumbnail
  std::vector<std::uint8_t> tables;
  PutQuantTable(tables, 0, luma);
  PutQuantTable(tables, 1, chroma);
  PutSegment(out, 0xDB, tables);

  std::vector<std::uint8_t> frame = {8};  // sample precision
  PutBigEndian16(frame, pixels.height);
  PutBigEndian16(frame, pixels.width);
  frame.insert(frame.end(), {3, 1, 0x11, 0, 2, 0x11, 1, 3, 0x11, 1});  // Y, Cb, Cr, all 1x1
  PutSegment(out, 0xC0, frame);

  std::vector<std::uint8_t> huffman;
  PutHuffmanTable(huffman, 0x00, kLumaDc);
  PutHuffmanTable(huffman, 0x10, kLumaAc);
  PutHuffmanTable(huffman, 0x01, kChromaDc);
  PutHuffmanTable(huffman, 0x11, kChromaAc);
  PutSegment(out, 0xC4, huffman);

  PutSegment(out, 0xDA, {3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0});
}

// The three level-shifted planes of the 8 × 8 block at (bx, by); pixels past the edge
// repeat the last column and row.
std::array<Block, 3> BlockSamples(const PixelView& pixels, int bx, int by) {
  std::array<Block, 3> planes{};
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const std::uint32_t pixel = pixels.At(std::min(bx + x, pixels.width - 1), std::min(by + y, pixels.height - 1));
      const int r = static_cast<int>((pixel >> 16) & 0xFF);
      const int g = static_cast<int>((pixel >> 8) & 0xFF);
      const int b = static_cast<int>(pixel & 0xFF);
      // JFIF's conversion in units of 2^-16, rounded.
      const int i = y * 8 + x;
      planes[0][i] = ((19595 * r + 38470 * g + 7471 * b + 32768) >> 16) - 128;
      planes[1][i] = ((-11059 * r - 21709 * g + 32768 * b + 32768) >> 16);
      planes[2][i] = ((32768 * r - 27439 * g - 5329 * b + 32768) >> 16);
    }
  }
  return planes;
}

}  // namespace

std::vector<std::uint8_t> JpegFileBytes(const PixelView& pixels, int quality) {
  if (pixels.Empty() || pixels.width > 0xFFFF || pixels.height > 0xFFFF) {
    throw std::invalid_argument("a JPEG needs 1 to 65535 pixels a side");
  }
  const std::array<int, 64> luma = ScaledQuant(kLumaQuant, quality);
  const std::array<int, 64> chroma = ScaledQuant(kChromaQuant, quality);
  std::vector<std::uint8_t> out;
  PutHeaders(out, pixels, luma, chroma);

  std::array<Component, 3> components = {Component{&luma, CodesOf(kLumaDc), CodesOf(kLumaAc)},
                                         Component{&chroma, CodesOf(kChromaDc), CodesOf(kChromaAc)},
                                         Component{&chroma, CodesOf(kChromaDc), CodesOf(kChromaAc)}};
  BitWriter bits(out);
  for (int by = 0; by < pixels.height; by += 8) {
    for (int bx = 0; bx < pixels.width; bx += 8) {
      const std::array<Block, 3> planes = BlockSamples(pixels, bx, by);
      for (int c = 0; c < 3; ++c) EncodeBlock(bits, components[c], planes[c]);
    }
  }
  bits.Finish();
  out.insert(out.end(), {0xFF, 0xD9});
  return out;
}

}  // namespace klarvik
