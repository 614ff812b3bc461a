#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "skin/image/png_decoder.h"
#include "skin/skin_error.h"
#include "tests/skin_core/image_fixtures.h"

namespace klarvik {

using namespace image_fixtures;

namespace {

std::string ErrorOf(const Bytes& bytes) {
  try {
    DecodePng(bytes);
  } catch (const ESkinError& e) {
    return e.what();
  }
  return "loaded";
}

const std::string kInvalidFormat = "Cannot load image. Invalid or unexpected PNG image format.";
const std::string kColourFormat = "Invalid color format in PNG file.";
const std::string kCrcError = "Cannot load image. CRC error found in PNG file.";
const std::string kPaletteError = "Cannot load image. Palette in PNG file is invalid.";
const std::string kCriticalChunk = "Cannot load PNG image. Unexpected but critical chunk detected.";
const std::string kCompressionError = "Cannot load image. Compression error found in PNG file.";
const std::string kExtraData = "Cannot load image. Extra compressed data found in PNG file.";

Bytes Plte(const std::vector<std::uint32_t>& colours) {
  Bytes d;
  for (std::uint32_t c : colours) {
    d.push_back(static_cast<std::uint8_t>(c >> 16));
    d.push_back(static_cast<std::uint8_t>(c >> 8));
    d.push_back(static_cast<std::uint8_t>(c));
  }
  return Chunk("PLTE", d);
}

const std::vector<std::uint32_t> kFourColours = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456};

// Plain members only: the table is built in place, sample lists and all.
struct ColourCase {
  const char* name;
  int width, height, depth, colourType;
  std::initializer_list<std::uint32_t> samples;
  bool withPalette;
  int sourceBits;
  std::initializer_list<std::uint32_t> pixels;
};

TEST(PngDecoder, EveryAcceptedColourTypeAndDepthGivesItsPixelsAndSourceBits) {
  static const ColourCase cases[] = {
      {"grey 1", 3, 1, 1, 0, {0, 1, 0}, false, 1, {0x000000, 0xFFFFFF, 0x000000}},
      {"grey 2", 4, 1, 2, 0, {0, 1, 2, 3}, false, 4, {0x000000, 0x555555, 0xAAAAAA, 0xFFFFFF}},
      {"grey 4", 3, 1, 4, 0, {0, 5, 15}, false, 4, {0x000000, 0x555555, 0xFFFFFF}},
      {"grey 8", 2, 1, 8, 0, {0x12, 0xFE}, false, 8, {0x121212, 0xFEFEFE}},
      {"grey 16", 1, 1, 16, 0, {0xABCD}, false, 8, {0xABABAB}},
      {"rgb 8", 1, 1, 8, 2, {200, 100, 0}, false, 24, {0xC86400}},
      {"rgb 16", 1, 1, 16, 2, {0x1234, 0x5678, 0x9ABC}, false, 24, {0x12569A}},
      {"palette 1", 2, 1, 1, 3, {1, 0}, true, 1, {0x00FF00, 0xFF0000}},
      {"palette 2", 4, 1, 2, 3, {3, 2, 1, 0}, true, 4, {0x123456, 0x0000FF, 0x00FF00, 0xFF0000}},
      {"palette 4", 2, 1, 4, 3, {2, 3}, true, 4, {0x0000FF, 0x123456}},
      {"palette 8", 2, 1, 8, 3, {3, 0}, true, 8, {0x123456, 0xFF0000}},
      {"palette index past the palette reads black", 2, 1, 8, 3, {1, 200}, true, 8, {0x00FF00, 0x000000}},
      {"grey alpha 8 drops alpha", 1, 1, 8, 4, {0x40, 0x80}, false, 8, {0x404040}},
      {"grey alpha 16 drops alpha", 1, 1, 16, 4, {0x40FF, 0x8000}, false, 8, {0x404040}},
      {"rgba 8 keeps straight alpha", 2, 1, 8, 6, {200, 100, 0, 128, 1, 2, 3, 0}, false, 32,
       {0x80C86400, 0x00010203}},
      {"rgba 16", 1, 1, 16, 6, {0xC8FF, 0x6400, 0x0011, 0x80AA}, false, 32, {0x80C86400}},
  };
  for (const ColourCase& c : cases) {
    SCOPED_TRACE(c.name);
    const SampleImage image{c.width, c.height, c.depth, c.colourType, c.samples};
    const SkinBitmap bitmap = DecodePng(PngFile(image, c.withPalette ? Plte(kFourColours) : Bytes{}));
    EXPECT_EQ(bitmap.width, c.width);
    EXPECT_EQ(bitmap.height, c.height);
    EXPECT_EQ(bitmap.sourceBits, c.sourceBits);
    EXPECT_EQ(bitmap.pixels, std::vector<std::uint32_t>(c.pixels));
    EXPECT_EQ(bitmap.transparentColor, -1);
  }
}

TEST(PngDecoder, ColourTypeAndDepthOutsideTheTableIsAColourFormatError) {
  const std::vector<std::pair<int, int>> rejected = {{2, 4}, {2, 1}, {0, 3}, {3, 16}, {4, 4},
                                                     {6, 1}, {6, 4}, {1, 8}, {5, 8}, {7, 8}};
  for (const auto& [colourType, depth] : rejected) {
    SCOPED_TRACE(std::to_string(colourType) + "/" + std::to_string(depth));
    PngHeaderFields h;
    h.colourType = colourType;
    h.depth = depth;
    const Bytes file = Concat({kPngSignature, Chunk("IHDR", IhdrData(h)), Chunk("IEND", {})});
    EXPECT_EQ(ErrorOf(file), kColourFormat);
  }
}

struct FilterFormat {
  const char* name;
  int depth;
  int colourType;
  Bytes extraChunks;
};

const std::vector<FilterFormat> kFormats = {
    {"grey 1", 1, 0, {}},       {"grey 2", 2, 0, {}},        {"grey 8", 8, 0, {}},
    {"rgb 8", 8, 2, {}},        {"rgb 16", 16, 2, {}},       {"grey alpha 16", 16, 4, {}},
    {"rgba 8", 8, 6, {}},       {"rgba 16", 16, 6, {}},      {"palette 2", 2, 3, Plte(kFourColours)},
};

TEST(PngDecoder, EveryFilterTypeAndAMixOfThemDecodeToTheUnfilteredPixels) {
  for (const FilterFormat& format : kFormats) {
    const SampleImage image = Pattern(13, 7, format.depth, format.colourType);
    const SkinBitmap plain = DecodePng(PngFile(image, format.extraChunks, 0));
    for (int filter = -1; filter <= 4; ++filter) {
      SCOPED_TRACE(std::string(format.name) + " filter " + std::to_string(filter));
      EXPECT_EQ(DecodePng(PngFile(image, format.extraChunks, filter)).pixels, plain.pixels);
    }
  }
}

TEST(PngDecoder, Adam7InterlacedImagesOfEverySizeMatchTheirPlainTwin) {
  const std::vector<std::pair<int, int>> sizes = {{1, 1}, {2, 2}, {3, 9}, {5, 1}, {8, 8}, {13, 11}, {33, 7}};
  for (const FilterFormat& format : kFormats) {
    for (const auto& [w, h] : sizes) {
      SCOPED_TRACE(std::string(format.name) + " " + std::to_string(w) + "x" + std::to_string(h));
      const SampleImage image = Pattern(w, h, format.depth, format.colourType);
      const SkinBitmap plain = DecodePng(PngFile(image, format.extraChunks, 0, false));
      const SkinBitmap interlaced = DecodePng(PngFile(image, format.extraChunks, -1, true));
      EXPECT_EQ(interlaced.pixels, plain.pixels);
      EXPECT_EQ(interlaced.sourceBits, plain.sourceBits);
    }
  }
}

TEST(PngDecoder, ImageDataSplitOverSeveralIdatChunksFormsOneStream) {
  const SampleImage image = Pattern(20, 20, 8, 6);
  const Bytes stream = Deflate(ImageData(image, 4, false));
  const std::size_t third = stream.size() / 3;
  const Bytes file = Concat({kPngSignature, Chunk("IHDR", IhdrData(HeaderOf(image, false))),
                             Chunk("IDAT", Bytes(stream.begin(), stream.begin() + third)), Chunk("IDAT", {}),
                             Chunk("IDAT", Bytes(stream.begin() + third, stream.begin() + 2 * third)),
                             Chunk("IDAT", Bytes(stream.begin() + 2 * third, stream.end())), Chunk("IEND", {})});
  EXPECT_EQ(DecodePng(file).pixels, DecodePng(PngFile(image)).pixels);
}

Bytes Gama(std::uint32_t value) {
  Bytes d;
  PutBe32(d, value);
  return Chunk("gAMA", d);
}

TEST(PngDecoder, GammaMapsEveryColourSampleAndLeavesAlpha) {
  // round(255 x (s / 255) ^ (1 / (G x 2.2))) for s = 0, 64, 128, 255.
  struct GammaCase {
    std::uint32_t chunkValue;
    std::vector<std::uint32_t> mapped;
  };
  const std::vector<GammaCase> cases = {
      {45455, {0, 64, 128, 255}},      // G x 2.2 is 1: no visible change
      {100000, {0, 136, 186, 255}},    // G = 1
      {0, {0, 136, 186, 255}},         // not above 0: taken as 1
      {220000, {0, 192, 221, 255}},    // G = 2.2
  };
  const SampleImage image{4, 1, 8, 6, {0, 0, 0, 77, 64, 64, 64, 77, 128, 0, 255, 77, 255, 255, 255, 77}};
  for (const GammaCase& c : cases) {
    SCOPED_TRACE(c.chunkValue);
    const SkinBitmap bitmap = DecodePng(PngFile(image, Gama(c.chunkValue)));
    const auto m = c.mapped;
    const std::vector<std::uint32_t> expected = {
        0x4D000000u | (m[0] << 16) | (m[0] << 8) | m[0], 0x4D000000u | (m[1] << 16) | (m[1] << 8) | m[1],
        0x4D000000u | (m[2] << 16) | (m[0] << 8) | m[3], 0x4D000000u | (m[3] << 16) | (m[3] << 8) | m[3]};
    EXPECT_EQ(bitmap.pixels, expected);
  }
}

TEST(PngDecoder, GammaTablesHashTheSameInEveryBuild) {
  // Every sample value through tables made with pow() in double precision: native, 32-bit
  // and 64-bit programs must all map them alike.
  std::vector<std::uint32_t> ramp;
  for (std::uint32_t s = 0; s < 256; ++s) ramp.insert(ramp.end(), {s, 255 - s, s / 2});
  const SampleImage image{256, 1, 8, 2, ramp};
  struct Case {
    std::uint32_t chunkValue;
    std::uint64_t hash;
  } cases[] = {{31, 0x035c947e394decc3ull},
               {33333, 0x1ef0ee59353d3f4dull},
               {70000, 0x284a914fd85c7a51ull},
               {150000, 0x56031f0236ef5587ull},
               {0x7FFFFFFF, 0x72f21dc698eaa285ull}};
  for (const Case& c : cases) {
    std::uint64_t h = 1469598103934665603ull;
    for (std::uint32_t pixel : DecodePng(PngFile(image, Gama(c.chunkValue))).pixels) {
      for (int i = 0; i < 4; ++i) h = (h ^ ((pixel >> (8 * i)) & 0xFF)) * 1099511628211ull;
    }
    EXPECT_EQ(h, c.hash) << c.chunkValue << ": 0x" << std::hex << h;
  }
}

struct TrnsCase {
  const char* name;
  int depth, colourType;
  std::initializer_list<std::uint32_t> samples;
  std::initializer_list<std::uint8_t> transparency;
  std::int32_t transparentColor;
};

TEST(PngDecoder, TransparencyChunkMarksGreyAndRgbImagesAndIsPassedOverForPalettes) {
  static const TrnsCase cases[] = {
      {"grey 8", 8, 0, {1}, {0x00, 0x40}, 0x404040},
      {"grey 16", 16, 0, {1}, {0xAB, 0xCD}, 0xABABAB},
      {"grey 2", 2, 0, {1}, {0x00, 0x02}, 0xAAAAAA},
      {"rgb 8 as 0x00BBGGRR", 8, 2, {1, 2, 3}, {0x00, 10, 0x00, 20, 0x00, 30}, 0x1E140A},
      {"palette, table shorter than the palette", 8, 3, {0}, {0, 128}, -1},
      {"palette, table as long as the palette", 8, 3, {0}, {0, 1, 2, 3}, -1},
      {"palette, table longer than the palette", 8, 3, {0}, {0, 1, 2, 3, 4, 5}, -1},
  };
  for (const TrnsCase& c : cases) {
    SCOPED_TRACE(c.name);
    const SampleImage image{1, 1, c.depth, c.colourType, c.samples};
    const Bytes trns = Chunk("tRNS", Bytes(c.transparency));
    const Bytes chunks = c.colourType == 3 ? Concat({Plte(kFourColours), trns}) : trns;
    EXPECT_EQ(DecodePng(PngFile(image, chunks)).transparentColor, c.transparentColor);
  }
}

TEST(PngDecoder, PalettesOtherReadersTolerateAreRead) {
  const SampleImage image{3, 1, 8, 3, {0, 2, 3}};
  const SkinBitmap plain = DecodePng(PngFile(image, Plte(kFourColours)));
  struct Case {
    const char* name;
    Bytes chunks;
    std::vector<std::uint32_t> pixels;
  } cases[] = {
      {"tRNS longer than the palette", Concat({Plte(kFourColours), Chunk("tRNS", Bytes(5, 1))}), plain.pixels},
      {"tRNS before PLTE", Concat({Chunk("tRNS", {1}), Plte(kFourColours)}), plain.pixels},
      {"PLTE of 0 bytes: every index reads black", Chunk("PLTE", {}), {0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SkinBitmap bitmap = DecodePng(PngFile(image, c.chunks));
    EXPECT_EQ(bitmap.sourceBits, 8);
    EXPECT_EQ(bitmap.pixels, c.pixels);
  }
}

TEST(PngDecoder, AncillaryChunksAreSkippedAndUnknownCriticalChunksRejected) {
  const SampleImage image = Pattern(3, 3, 8, 6);
  const SkinBitmap plain = DecodePng(PngFile(image));
  const Bytes ancillary = Concat({Chunk("cHRM", Bytes(32, 1)), Chunk("iCCP", Bytes(20, 2)),
                                  Chunk("pHYs", Bytes(9, 3)), Chunk("abCD", {}), Chunk("bKGD", {0, 1, 0, 2, 0, 3})});
  EXPECT_EQ(DecodePng(PngFile(image, ancillary)).pixels, plain.pixels);
  EXPECT_EQ(ErrorOf(PngFile(image, Chunk("ABCD", {}))), kCriticalChunk);
  EXPECT_EQ(ErrorOf(PngFile(image, Chunk("AbcD", {1, 2}))), kCriticalChunk);
}

struct BrokenCase {
  const char* name;
  Bytes file;
  std::string error;
};

Bytes WithHeader(const PngHeaderFields& h, const Bytes& idatPayload) {
  return Concat({kPngSignature, Chunk("IHDR", IhdrData(h)), Chunk("IDAT", idatPayload), Chunk("IEND", {})});
}

TEST(PngDecoder, DamagedOrHostileFilesFailWithTheirMessage) {
  const SampleImage image = Pattern(4, 4, 8, 6);
  const PngHeaderFields header = HeaderOf(image, false);
  const Bytes good = PngFile(image);
  const Bytes rows = ImageData(image, 0, false);
  const Bytes stream = Deflate(rows);

  auto patched = [&good](std::size_t offset, std::uint8_t value) {
    Bytes b = good;
    b[offset] = value;
    return b;
  };
  auto withHeaderField = [&](auto change) {
    PngHeaderFields h = header;
    change(h);
    return WithHeader(h, stream);
  };
  Bytes badFilter = rows;
  badFilter[0] = 5;
  Bytes corruptStream = stream;
  corruptStream[2] |= 0x06;  // first block header: block type 3 does not exist
  Bytes shortRows(rows.begin(), rows.end() - 1);
  Bytes longRows = rows;
  longRows.push_back(0);
  Bytes trailing = stream;
  trailing.push_back(0);
  const Bytes truncatedStream(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(stream.size() / 2));
  const Bytes ihdrChunk = Chunk("IHDR", IhdrData(header));
  const Bytes idatChunk = Chunk("IDAT", stream);
  Bytes hugeLength = Concat({kPngSignature, ihdrChunk, idatChunk});
  PutBe32(hugeLength, 0xFFFFFFFFu);
  hugeLength.insert(hugeLength.end(), {'I', 'E', 'N', 'D', 0, 0, 0, 0, 0, 0, 0, 0});

  const std::vector<BrokenCase> cases = {
      {"empty", {}, kInvalidFormat},
      {"signature only", kPngSignature, kInvalidFormat},
      {"damaged signature", patched(1, 'p'), kInvalidFormat},
      {"first chunk not IHDR", Concat({kPngSignature, Chunk("IEND", {}), ihdrChunk}), kInvalidFormat},
      {"IHDR too short", Concat({kPngSignature, Chunk("IHDR", Bytes(12, 1)), idatChunk}), kInvalidFormat},
      {"width 0", withHeaderField([](auto& h) { h.width = 0; }), kInvalidFormat},
      {"height 0", withHeaderField([](auto& h) { h.height = 0; }), kInvalidFormat},
      {"width 2^31-1", withHeaderField([](auto& h) { h.width = 0x7FFFFFFF; }), kInvalidFormat},
      {"width 2^32-1", withHeaderField([](auto& h) { h.width = 0xFFFFFFFF; }), kInvalidFormat},
      {"side above 16384", withHeaderField([](auto& h) { h.height = 16385; }), kInvalidFormat},
      {"both sides at the limit, too many pixels",
       withHeaderField([](auto& h) { h.width = h.height = 16384; }), kInvalidFormat},
      {"compression method 1", withHeaderField([](auto& h) { h.compression = 1; }),
       "Cannot load image. The compression scheme is not supported for PNG files."},
      {"filter method 1", withHeaderField([](auto& h) { h.filterMethod = 1; }), kInvalidFormat},
      {"interlace method 2", withHeaderField([](auto& h) { h.interlace = 2; }), kInvalidFormat},
      {"IHDR CRC damaged", patched(8 + 8 + 13, good[8 + 8 + 13] ^ 1), kCrcError},
      {"IHDR data damaged", patched(8 + 8 + 9, 2), kCrcError},
      {"IEND CRC damaged", patched(good.size() - 1, good.back() ^ 0x80), kCrcError},
      {"chunk length past the end", Concat({kPngSignature, ihdrChunk, Bytes{0, 0, 1, 0}, Bytes{'I', 'D', 'A', 'T'}, Bytes(40, 0)}),
       kInvalidFormat},
      {"chunk length 2^32-1", hugeLength, kInvalidFormat},
      {"missing IEND", Concat({kPngSignature, ihdrChunk, idatChunk}), kInvalidFormat},
      {"IEND cut short", Bytes(good.begin(), good.end() - 1), kInvalidFormat},
      {"no IDAT", Concat({kPngSignature, ihdrChunk, Chunk("IEND", {})}), kInvalidFormat},
      {"palette image without PLTE", PngFile({1, 1, 8, 3, {0}}), kInvalidFormat},
      {"PLTE length not a multiple of 3", PngFile({1, 1, 8, 3, {0}}, Chunk("PLTE", {1, 2, 3, 4})), kPaletteError},
      {"PLTE of 257 entries", PngFile({1, 1, 8, 3, {0}}, Chunk("PLTE", Bytes(257 * 3, 9))), kPaletteError},
      {"tRNS of the wrong length for grey", PngFile({1, 1, 8, 0, {0}}, Chunk("tRNS", {1, 2, 3})), kInvalidFormat},
      {"gAMA of the wrong length", PngFile(image, Chunk("gAMA", {1, 2})), kInvalidFormat},
      {"filter type 5", WithHeader(header, Deflate(badFilter)), kInvalidFormat},
      {"corrupt zlib data", WithHeader(header, corruptStream), kCompressionError},
      {"zlib header damaged", WithHeader(header, Bytes{0x78, 0x00, 1, 2, 3}), kCompressionError},
      {"stream ends one byte short of the rows", WithHeader(header, Deflate(shortRows)), kExtraData},
      {"stream holds one byte more than the rows", WithHeader(header, Deflate(longRows)), kExtraData},
      {"bytes after the end of the stream", WithHeader(header, trailing), kExtraData},
      {"stream cut off", WithHeader(header, truncatedStream), kCompressionError},
      {"tiny stream for a huge image",
       WithHeader(PngHeaderFields{8192, 8192, 8, 6, 0, 0, 0}, Deflate(Bytes(100, 0))), kExtraData},
  };
  for (const BrokenCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ErrorOf(c.file), c.error);
  }
}

TEST(PngDecoder, EveryTruncationOfAGoodFileFailsCleanly) {
  const Bytes full = PngFile(Pattern(9, 5, 8, 3), Concat({Plte(kFourColours), Chunk("tRNS", {0, 1}), Gama(45455)}), -1,
                             true);
  ASSERT_EQ(ErrorOf(full), "loaded");
  for (std::size_t length = 0; length < full.size(); ++length) {
    SCOPED_TRACE(length);
    EXPECT_THROW(DecodePng(Bytes(full.begin(), full.begin() + length)), EInvalidGraphic);
  }
}

TEST(PngDecoder, SignatureCheck) {
  EXPECT_TRUE(HasPngSignature(kPngSignature));
  EXPECT_FALSE(HasPngSignature(Bytes(kPngSignature.begin(), kPngSignature.end() - 1)));
  EXPECT_FALSE(HasPngSignature(Bytes{'B', 'M', 0, 0, 0, 0, 0, 0}));
}

}  // namespace

}  // namespace klarvik
