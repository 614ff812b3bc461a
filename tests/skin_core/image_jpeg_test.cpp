#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/image/jpeg_decoder.h"
#include "skin/skin_error.h"
#include "tests/skin_core/image_fixtures.h"

namespace klarvik {

using namespace image_fixtures;

namespace {

const Bytes kApp0 = JpegSegment(0xE0, {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
const Bytes kHuffman = JpegSegment(0xC4, Bytes(20, 0));

TEST(JpegFrameSize, TheFirstFrameHeaderGivesTheSize) {
  struct GoodCase {
    const char* name;
    Bytes file;
    int width, height;
  };
  const std::vector<GoodCase> cases = {
      {"baseline after an application segment", Concat({kJpegStart, kApp0, JpegSegment(0xC0, JpegFramePayload(1000, 900))}), 1000,
       900},
      {"progressive frame", Concat({kJpegStart, JpegSegment(0xC2, JpegFramePayload(3, 200))}), 3, 200},
      {"Huffman tables before the frame are skipped", Concat({kJpegStart, kHuffman, JpegSegment(0xC1, JpegFramePayload(7, 5))}), 7,
       5},
      {"fill bytes before a marker", Concat({kJpegStart, Bytes{0xFF, 0xFF}, JpegSegment(0xC0, JpegFramePayload(16384, 1))}), 16384,
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
  const Bytes frame = JpegSegment(0xC0, JpegFramePayload(10, 10));
  Bytes shortFrame = JpegSegment(0xC0, {8, 0, 1, 0});
  struct BadCase {
    const char* name;
    Bytes file;
  };
  const std::vector<BadCase> cases = {
      {"empty", {}},
      {"bitmap", {'B', 'M', 0, 0, 0, 0}},
      {"PNG", {137, 'P', 'N', 'G', 13, 10, 26, 10}},
      {"placeable metafile", {0xD7, 0xCD, 0xC6, 0x9A, 0, 0}},
      {"start marker alone", kJpegStart},
      {"byte that is no marker", Concat({kJpegStart, Bytes{0x12, 0x34}})},
      {"segment length past the end", Concat({kJpegStart, Bytes{0xFF, 0xE0, 0x40, 0x00, 1, 2}})},
      {"segment length below 2", Concat({kJpegStart, Bytes{0xFF, 0xE0, 0x00, 0x01}, frame})},
      {"length cut off", Concat({kJpegStart, Bytes{0xFF, 0xE0, 0x00}})},
      {"scan before any frame", Concat({kJpegStart, JpegSegment(0xDA, Bytes(10, 0)), frame})},
      {"end of image before any frame", Concat({kJpegStart, Bytes{0xFF, 0xD9}, frame})},
      {"frame header too short", Concat({kJpegStart, shortFrame})},
      {"height 0", Concat({kJpegStart, JpegSegment(0xC0, JpegFramePayload(10, 0))})},
      {"width 0", Concat({kJpegStart, JpegSegment(0xC0, JpegFramePayload(0, 10))})},
      {"width above 16384", Concat({kJpegStart, JpegSegment(0xC0, JpegFramePayload(16385, 10))})},
      {"too many pixels", Concat({kJpegStart, JpegSegment(0xC0, JpegFramePayload(16384, 16384))})},
      {"largest sides", Concat({kJpegStart, JpegSegment(0xC0, JpegFramePayload(65535, 65535))})},
  };
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THROW(ReadJpegFrameSize(c.file), EInvalidGraphic);
  }
}

TEST(JpegFrameSize, EveryTruncationBeforeTheFrameSizeFails) {
  const Bytes full = Concat({kJpegStart, kApp0, kHuffman, JpegSegment(0xC0, JpegFramePayload(640, 480))});
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

}  // namespace klarvik
