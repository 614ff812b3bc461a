#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/image/jpeg_decoder.h"
#include "skin/skin_error.h"
#include "tests/skin_core/image_fixtures.h"

using namespace image_fixtures;

namespace {

Bytes Segment(std::uint8_t marker, const Bytes& payload) {
  const auto length = static_cast<std::uint32_t>(payload.size() + 2);
  Bytes out;
  out.reserve(payload.size() + 4);
  for (std::uint8_t b : {std::uint8_t{0xFF}, marker, static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)}) {
    out.push_back(b);
  }
  out.insert(out.end(), payload.begin(), payload.end());
  return out;
}

Bytes FramePayload(int width, int height) {
  return {8, static_cast<std::uint8_t>(height >> 8), static_cast<std::uint8_t>(height),
          static_cast<std::uint8_t>(width >> 8), static_cast<std::uint8_t>(width), 1, 1, 0x11, 0};
}

const Bytes kStart = {0xFF, 0xD8};
const Bytes kApp0 = Segment(0xE0, {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
const Bytes kHuffman = Segment(0xC4, Bytes(20, 0));

TEST(JpegFrameSize, TheFirstFrameHeaderGivesTheSize) {
  struct GoodCase {
    const char* name;
    Bytes file;
    int width, height;
  };
  const std::vector<GoodCase> cases = {
      {"baseline after an application segment", Concat({kStart, kApp0, Segment(0xC0, FramePayload(1000, 900))}), 1000,
       900},
      {"progressive frame", Concat({kStart, Segment(0xC2, FramePayload(3, 200))}), 3, 200},
      {"Huffman tables before the frame are skipped", Concat({kStart, kHuffman, Segment(0xC1, FramePayload(7, 5))}), 7,
       5},
      {"fill bytes before a marker", Concat({kStart, Bytes{0xFF, 0xFF}, Segment(0xC0, FramePayload(16384, 1))}), 16384,
       1},
  };
  for (const GoodCase& c : cases) {
    SCOPED_TRACE(c.name);
    const JpegFrameSize size = ReadJpegFrameSize(c.file);
    EXPECT_EQ(size.width, c.width);
    EXPECT_EQ(size.height, c.height);
  }
}

TEST(JpegFrameSize, OtherFormatsDamagedMarkersAndHugeFramesAreRefused) {
  const Bytes frame = Segment(0xC0, FramePayload(10, 10));
  Bytes shortFrame = Segment(0xC0, {8, 0, 1, 0});
  struct BadCase {
    const char* name;
    Bytes file;
  };
  const std::vector<BadCase> cases = {
      {"empty", {}},
      {"bitmap", {'B', 'M', 0, 0, 0, 0}},
      {"PNG", {137, 'P', 'N', 'G', 13, 10, 26, 10}},
      {"placeable metafile", {0xD7, 0xCD, 0xC6, 0x9A, 0, 0}},
      {"start marker alone", kStart},
      {"byte that is no marker", Concat({kStart, Bytes{0x12, 0x34}})},
      {"segment length past the end", Concat({kStart, Bytes{0xFF, 0xE0, 0x40, 0x00, 1, 2}})},
      {"segment length below 2", Concat({kStart, Bytes{0xFF, 0xE0, 0x00, 0x01}, frame})},
      {"length cut off", Concat({kStart, Bytes{0xFF, 0xE0, 0x00}})},
      {"scan before any frame", Concat({kStart, Segment(0xDA, Bytes(10, 0)), frame})},
      {"end of image before any frame", Concat({kStart, Bytes{0xFF, 0xD9}, frame})},
      {"frame header too short", Concat({kStart, shortFrame})},
      {"height 0", Concat({kStart, Segment(0xC0, FramePayload(10, 0))})},
      {"width 0", Concat({kStart, Segment(0xC0, FramePayload(0, 10))})},
      {"width above 16384", Concat({kStart, Segment(0xC0, FramePayload(16385, 10))})},
      {"too many pixels", Concat({kStart, Segment(0xC0, FramePayload(16384, 16384))})},
      {"largest sides", Concat({kStart, Segment(0xC0, FramePayload(65535, 65535))})},
  };
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THROW(ReadJpegFrameSize(c.file), EInvalidGraphic);
  }
}

TEST(JpegFrameSize, EveryTruncationBeforeTheFrameSizeFails) {
  const Bytes full = Concat({kStart, kApp0, kHuffman, Segment(0xC0, FramePayload(640, 480))});
  ASSERT_EQ(ReadJpegFrameSize(full).width, 640);
  for (std::size_t length = 0; length < full.size(); ++length) {
    SCOPED_TRACE(length);
    EXPECT_THROW(ReadJpegFrameSize(Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length))),
                 EInvalidGraphic);
  }
}

TEST(JpegBackground, MoreThan899999PixelsIsALargeBackground) {
  struct SplitCase {
    int width, height;
    bool large;
  };
  const std::vector<SplitCase> cases = {
      {1000, 900, true},    {1000, 899, false}, {899999, 1, false}, {900000, 1, true},
      {46341, 46341, true},  // the product passes 2^31
      {65535, 65535, true}, {0, 1000000, false}, {1, 1, false},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    EXPECT_EQ(IsLargeBackground(c.width, c.height), c.large);
  }
}

TEST(JpegFrameSize, SignatureIsTheStartMarkerFollowedByAMarker) {
  EXPECT_TRUE(HasJpegSignature(Bytes{0xFF, 0xD8, 0xFF}));
  EXPECT_FALSE(HasJpegSignature(Bytes{0xFF, 0xD8}));
  EXPECT_FALSE(HasJpegSignature(Bytes{0xFF, 0xD8, 0x00, 0xFF}));
  EXPECT_FALSE(HasJpegSignature(Bytes{0xFF, 0xD9, 0xFF}));
}

}  // namespace
