#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "skin/image/bmp_decoder.h"
#include "skin/skin_error.h"
#include "tests/skin_core/image_fixtures.h"

namespace klarvik {

using namespace image_fixtures;

namespace {

// One stored row of 24-bit pixels (0x00RRGGBB), padded to four bytes.
Bytes Row24(const std::vector<std::uint32_t>& pixels) {
  Bytes row;
  for (std::uint32_t p : pixels) {
    row.push_back(static_cast<std::uint8_t>(p));
    row.push_back(static_cast<std::uint8_t>(p >> 8));
    row.push_back(static_cast<std::uint8_t>(p >> 16));
  }
  while (row.size() % 4 != 0) row.push_back(0);
  return row;
}

Bytes Padded(Bytes row) {
  while (row.size() % 4 != 0) row.push_back(0);
  return row;
}

const std::vector<std::uint32_t> kPalette = {0x000000, 0xFF00FF, 0x102030, 0xFFFFFF};

BmpFields TwoByTwo24(std::uint32_t headerSize, bool topDown) {
  BmpFields f;
  f.headerSize = headerSize;
  f.width = 2;
  f.height = topDown ? -2 : 2;
  // Top row 0x112233 0x445566, bottom row 0xFF00FF 0x010203.
  const Bytes top = Row24({0x112233, 0x445566});
  const Bytes bottom = Row24({0xFF00FF, 0x010203});
  f.rows = topDown ? std::vector<Bytes>{top, bottom} : std::vector<Bytes>{bottom, top};
  return f;
}

BmpFields ThreeByTwo8(std::uint32_t headerSize) {
  BmpFields f;
  f.headerSize = headerSize;
  f.width = 3;
  f.height = 2;
  f.bits = 8;
  f.palette = kPalette;
  f.rows = {Padded({3, 2, 1}), Padded({0, 1, 2})};
  return f;
}

struct GoodCase {
  const char* name;
  BmpFields fields;
  int sourceBits;
  std::vector<std::uint32_t> pixels;  // top-down
};

const std::vector<std::uint32_t> kMasks8888 = {0xFF0000, 0x00FF00, 0x0000FF};
const std::vector<std::uint32_t> kMasks555 = {0x7C00, 0x03E0, 0x001F};
const std::vector<std::uint32_t> kMasks565 = {0xF800, 0x07E0, 0x001F};

BmpFields ThirtyTwoBits(std::uint32_t headerSize = 40, std::uint32_t compression = 0, std::vector<std::uint32_t> masks = {}) {
  BmpFields f;
  f.headerSize = headerSize;
  f.width = 2;
  f.bits = 32;
  f.compression = compression;
  f.masks = std::move(masks);
  f.rows = {{0x01, 0x02, 0x03, 0x80, 0xFF, 0x00, 0xFF, 0x00}};
  return f;
}

// Two rows of two 16-bit pixels, given top row first.
BmpFields SixteenBits(std::uint32_t headerSize, std::uint32_t compression, std::vector<std::uint32_t> masks,
                      std::array<std::uint16_t, 4> pixels) {
  BmpFields f;
  f.headerSize = headerSize;
  f.width = 2;
  f.height = 2;
  f.bits = 16;
  f.compression = compression;
  f.masks = std::move(masks);
  auto row = [](std::uint16_t a, std::uint16_t b) {
    return Bytes{static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(a >> 8), static_cast<std::uint8_t>(b),
                 static_cast<std::uint8_t>(b >> 8)};
  };
  f.rows = {row(pixels[2], pixels[3]), row(pixels[0], pixels[1])};
  return f;
}

const std::vector<std::uint32_t> kTwoByTwo = {0x112233, 0x445566, 0xFF00FF, 0x010203};
const std::vector<std::uint32_t> kThreeByTwo = {0x000000, 0xFF00FF, 0x102030, 0xFFFFFF, 0x102030, 0xFF00FF};

TEST(BmpDecoder, LayoutsHeadersAndDepthsGiveTopDownPixels) {
  BmpFields oneBit;
  oneBit.width = 10;
  oneBit.bits = 1;
  oneBit.palette = {0x0000FF, 0x00FF00};
  oneBit.rows = {Padded({0b10110000, 0b01000000})};
  BmpFields fourBit;
  fourBit.width = 3;
  fourBit.bits = 4;
  fourBit.palette = kPalette;
  fourBit.rows = {Padded({0x31, 0x20})};
  BmpFields shortPalette = ThreeByTwo8(40);
  shortPalette.coloursUsed = 2;
  shortPalette.palette = {0x000000, 0xFF00FF};
  BmpFields unpaddedLastRow = TwoByTwo24(40, false);
  unpaddedLastRow.rows.back().resize(6);
  BmpFields gapBeforePixels = TwoByTwo24(40, false);
  gapBeforePixels.pixelOffset = 14 + 40 + 8;
  gapBeforePixels.rows.insert(gapBeforePixels.rows.begin(), Bytes(8, 0xEE));

  const std::vector<GoodCase> cases = {
      {"24 bits bottom-up", TwoByTwo24(40, false), 24, kTwoByTwo},
      {"24 bits top-down", TwoByTwo24(40, true), 24, kTwoByTwo},
      {"24 bits core header", TwoByTwo24(12, false), 24, kTwoByTwo},
      {"24 bits 124-byte header", TwoByTwo24(124, false), 24, kTwoByTwo},
      {"8 bits palette", ThreeByTwo8(40), 8, kThreeByTwo},
      {"8 bits core header and 3-byte palette", ThreeByTwo8(12), 8, kThreeByTwo},
      {"8 bits 108-byte header", ThreeByTwo8(108), 8, kThreeByTwo},
      {"index past a short palette reads black", shortPalette, 8,
       {0x000000, 0xFF00FF, 0x000000, 0x000000, 0x000000, 0xFF00FF}},
      {"1 bit", oneBit, 1,
       {0x00FF00, 0x0000FF, 0x00FF00, 0x00FF00, 0x0000FF, 0x0000FF, 0x0000FF, 0x0000FF, 0x0000FF, 0x00FF00}},
      {"4 bits", fourBit, 4, {0xFFFFFF, 0xFF00FF, 0x102030}},
      {"32 bits kept as stored", ThirtyTwoBits(), 32, {0x80030201, 0x00FF00FF}},
      {"32 bits, 8-8-8 bit fields after the header", ThirtyTwoBits(40, 3, kMasks8888), 32, {0x80030201, 0x00FF00FF}},
      {"32 bits, 8-8-8 bit fields in a 124-byte header", ThirtyTwoBits(124, 3, kMasks8888), 32,
       {0x80030201, 0x00FF00FF}},
      // Channels widen by repeating their high bits: 16 of 31 is 0x84, 32 of 63 is 0x82.
      {"16 bits, 5-5-5 without bit fields", SixteenBits(40, 0, {}, {0x7FFF, 0x7C1F, 0x0001, 0x4210}), 16,
       {0xFFFFFF, 0xFF00FF, 0x000008, 0x848484}},
      {"16 bits, 5-5-5 bit fields in a 108-byte header", SixteenBits(108, 3, kMasks555, {0x7FFF, 0x7C1F, 0x0001, 0x4210}),
       16, {0xFFFFFF, 0xFF00FF, 0x000008, 0x848484}},
      {"16 bits, 5-6-5 bit fields", SixteenBits(40, 3, kMasks565, {0xFFFF, 0xF81F, 0x07E0, 0x8410}), 16,
       {0xFFFFFF, 0xFF00FF, 0x00FF00, 0x848284}},
      {"last row without its padding", unpaddedLastRow, 24, kTwoByTwo},
      {"pixels at their offset after a gap", gapBeforePixels, 24, kTwoByTwo},
  };
  for (const GoodCase& c : cases) {
    SCOPED_TRACE(c.name);
    const SkinBitmap bitmap = DecodeBmp(BmpFile(c.fields));
    EXPECT_EQ(bitmap.width, c.fields.width);
    EXPECT_EQ(bitmap.height, c.fields.height < 0 ? -c.fields.height : c.fields.height);
    EXPECT_EQ(bitmap.sourceBits, c.sourceBits);
    EXPECT_EQ(bitmap.pixels, c.pixels);
  }
}

Bytes PatchedLe32(Bytes bytes, std::size_t offset, std::uint32_t value) {
  for (std::size_t i = 0; i < 4 && offset + i < bytes.size(); ++i) {
    bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
  return bytes;
}

TEST(BmpDecoder, DamagedOrHostileHeadersArePlainErrors) {
  auto with = [](auto change) {
    BmpFields f = ThreeByTwo8(40);
    change(f);
    return BmpFile(f);
  };
  const Bytes good = BmpFile(ThreeByTwo8(40));
  BmpFields bitFields24 = TwoByTwo24(40, false);
  bitFields24.compression = 3;
  bitFields24.masks = kMasks8888;
  const Bytes bitFields32 = BmpFile(ThirtyTwoBits(40, 3, kMasks8888));
  struct BadCase {
    const char* name;
    Bytes file;
  };
  const std::vector<BadCase> cases = {
      {"empty", {}},
      {"not BM", PatchedLe32(good, 0, 0x4D42 + 1)},
      {"file header only", Bytes(good.begin(), good.begin() + 14)},
      {"header size 0", PatchedLe32(good, 14, 0)},
      {"header size 39", PatchedLe32(good, 14, 39)},
      {"header size 125", PatchedLe32(good, 14, 125)},
      {"header size 2^31-1", PatchedLe32(good, 14, 0x7FFFFFFF)},
      {"header size 2^32-1", PatchedLe32(good, 14, 0xFFFFFFFF)},
      {"header longer than the file", Bytes(good.begin(), good.begin() + 14 + 30)},
      {"width 0", with([](auto& f) { f.width = 0; })},
      {"width -1", with([](auto& f) { f.width = -1; })},
      {"width 2^31-1", with([](auto& f) { f.width = 0x7FFFFFFF; })},
      {"height 0", with([](auto& f) { f.height = 0; })},
      {"height -2^31", with([](auto& f) { f.height = INT32_MIN; })},
      {"height above 16384", with([](auto& f) { f.height = 16385; })},
      {"too many pixels", with([](auto& f) { f.width = f.height = 16384; })},
      {"two planes", with([](auto& f) { f.planes = 2; })},
      {"12 bits", with([](auto& f) { f.bits = 12; })},
      {"0 bits", with([](auto& f) { f.bits = 0; })},
      {"run-length compressed", with([](auto& f) { f.compression = 1; })},
      {"bit fields on 8 bits", with([](auto& f) { f.compression = 3; })},
      {"bit fields on 24 bits", BmpFile(bitFields24)},
      {"32-bit bit fields of another order", BmpFile(ThirtyTwoBits(40, 3, {0x0000FF, 0x00FF00, 0xFF0000}))},
      {"32-bit bit fields of 5-6-5", BmpFile(ThirtyTwoBits(40, 3, kMasks565))},
      {"16-bit bit fields of 8-8-8", BmpFile(SixteenBits(40, 3, kMasks8888, {}))},
      {"16-bit bit fields of 4-4-4", BmpFile(SixteenBits(40, 3, {0x0F00, 0x00F0, 0x000F}, {}))},
      {"bit fields cut off", Bytes(bitFields32.begin(), bitFields32.begin() + 14 + 40 + 8)},
      {"alpha bit fields", BmpFile(ThirtyTwoBits(40, 6, {0xFF0000, 0x00FF00, 0x0000FF, 0xFF000000}))},
      {"257 palette entries", with([](auto& f) { f.coloursUsed = 257; })},
      {"palette entries 2^32-1", with([](auto& f) { f.coloursUsed = 0xFFFFFFFF; })},
      {"pixel offset past the end", with([](auto& f) { f.pixelOffset = 1000; })},
      {"pixel offset 2^32-1", with([](auto& f) { f.pixelOffset = 0xFFFFFFFF; })},
      {"pixel offset inside the header", with([](auto& f) { f.pixelOffset = 20; })},
      {"one row missing", with([](auto& f) { f.rows.pop_back(); })},
      {"height far beyond the rows", with([](auto& f) { f.height = 9000; })},
  };
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      DecodeBmp(c.file);
      ADD_FAILURE() << "loaded";
    } catch (const EInvalidGraphic& e) {
      EXPECT_STREQ(e.what(), "Bitmap image is not valid.");
    }
  }
}

TEST(BmpDecoder, EveryTruncationOfAGoodFileFailsCleanly) {
  // Each file with the padding bytes its last row may go without.
  const std::vector<std::pair<Bytes, std::size_t>> files = {
      {BmpFile(ThreeByTwo8(12)), 1},
      {BmpFile(TwoByTwo24(40, true)), 2},
      {BmpFile(SixteenBits(40, 3, kMasks565, {1, 2, 3, 4})), 0}};
  for (const auto& [full, padding] : files) {
    ASSERT_NO_THROW(DecodeBmp(Bytes(full.begin(), full.end() - static_cast<std::ptrdiff_t>(padding))));
    for (std::size_t length = 0; length < full.size() - padding; ++length) {
      SCOPED_TRACE(length);
      EXPECT_THROW(DecodeBmp(Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length))),
                   EInvalidGraphic);
    }
  }
}

}  // namespace

}  // namespace klarvik
