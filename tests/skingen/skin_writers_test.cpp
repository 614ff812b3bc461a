// The generator's picture writers read back through the skin engine's own decoders (BMP,
// PNG) and, for JPEG, through the frame reader and an outside decoder where one is
// installed.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/bmp_file.h"
#include "paint/primitives/bitmap_ops.h"
#include "skin/image/bmp_decoder.h"
#include "skin/image/jpeg_decoder.h"
#include "skin/image/png_decoder.h"
#include "tools/skingen/jpeg_writer.h"
#include "tools/skingen/png_writer.h"

namespace klarvik {
namespace {

// A picture whose every pixel differs from its neighbours in every channel, alpha included.
SkinBitmap Pattern(int width, int height) {
  SkinBitmap picture = CreateBitmap32(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto v = static_cast<std::uint32_t>(x * 37 + y * 101);
      picture.pixels[static_cast<std::size_t>(y) * width + x] = (v * 7 & 0xFF) << 24 | (v & 0xFF) << 16 | (v * 3 & 0xFF) << 8 | (v * 5 & 0xFF);
    }
  }
  return picture;
}

struct Size {
  int width, height;
};
// Widths whose 24-bit rows need 0, 3, 2 and 1 bytes of padding.
const Size kSizes[] = {{1, 1}, {4, 3}, {5, 2}, {6, 7}, {7, 4}, {33, 9}};

TEST(SkinWriters, PngReadsBackAsTheSamePixelsWithAlpha) {
  for (const Size& size : kSizes) {
    const SkinBitmap picture = Pattern(size.width, size.height);
    const SkinBitmap decoded = DecodePng(PngFileBytes(ConstView(picture)));
    SCOPED_TRACE(testing::Message() << size.width << "x" << size.height);
    EXPECT_EQ(decoded.sourceBits, 32);
    ASSERT_EQ(decoded.width, size.width);
    ASSERT_EQ(decoded.height, size.height);
    EXPECT_EQ(decoded.pixels, picture.pixels);
  }
}

TEST(SkinWriters, BmpReadsBackAsTheSameColoursWithEitherHeader) {
  const std::pair<BmpHeader, std::uint8_t> headers[] = {{BmpHeader::kInfo, 40}, {BmpHeader::kCore, 12}};
  for (const auto& [header, headerSize] : headers) {
    for (const Size& size : kSizes) {
      const SkinBitmap picture = Pattern(size.width, size.height);
      const std::vector<std::uint8_t> file = BmpFileBytes(ConstView(picture), header);
      SCOPED_TRACE(testing::Message() << size.width << "x" << size.height << ", header " << int{headerSize});
      ASSERT_GE(file.size(), 26u);
      EXPECT_EQ(file[14], headerSize) << "the header after the file header";
      const SkinBitmap decoded = DecodeBmp(file);
      EXPECT_EQ(decoded.sourceBits, 24);
      ASSERT_EQ(decoded.width, size.width);
      ASSERT_EQ(decoded.height, size.height);
      for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        ASSERT_EQ(decoded.pixels[i] & 0xFFFFFF, picture.pixels[i] & 0xFFFFFF) << "pixel " << i;
      }
    }
  }
}

// A smooth picture, as the skin textures are: a JPEG must keep it close.
SkinBitmap Smooth(int width, int height) {
  SkinBitmap picture = CreateBitmap32(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto r = static_cast<std::uint32_t>(40 + 150 * x / width), g = static_cast<std::uint32_t>(200 - 120 * y / height);
      picture.pixels[static_cast<std::size_t>(y) * width + x] = 0xFF000000 | r << 16 | g << 8 | 90;
    }
  }
  return picture;
}

TEST(SkinWriters, JpegFramesCarryTheSizeAndEndWithTheEndMarker) {
  for (const Size& size : {Size{1, 1}, Size{8, 8}, Size{13, 21}, Size{640, 9}}) {
    const std::vector<std::uint8_t> file = JpegFileBytes(ConstView(Smooth(size.width, size.height)), 85);
    SCOPED_TRACE(testing::Message() << size.width << "x" << size.height);
    ASSERT_TRUE(HasJpegSignature(file));
    const JpegFrameSize frame = ReadJpegFrameSize(file);
    EXPECT_EQ(frame.width, size.width);
    EXPECT_EQ(frame.height, size.height);
    ASSERT_GE(file.size(), 2u);
    EXPECT_EQ(file[file.size() - 2], 0xFF);
    EXPECT_EQ(file[file.size() - 1], 0xD9);
  }
}

// The native build has no JPEG decoder of its own; ImageMagick, where the machine has it,
// decodes the file independently of our encoder.
TEST(SkinWriters, JpegDecodesCloseToTheSourceElsewhere) {
  if (std::system("convert -version > /dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick's convert is not installed";
  const std::filesystem::path scratch = std::filesystem::path(KLARVIK_TEST_SCRATCH) / "jpeg";
  std::filesystem::create_directories(scratch);
  constexpr int kWidth = 45, kHeight = 30;
  const SkinBitmap source = Smooth(kWidth, kHeight);
  const std::vector<std::uint8_t> file = JpegFileBytes(ConstView(source), 90);
  std::ofstream(scratch / "smooth.jpg", std::ios::binary).write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  const std::string command = std::string("convert '").append((scratch / "smooth.jpg").string()).append("' -depth 8 'rgb:")
                                  .append((scratch / "smooth.rgb").string()).append("'");
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  std::ifstream raw(scratch / "smooth.rgb", std::ios::binary);
  const std::vector<std::uint8_t> rgb{std::istreambuf_iterator<char>(raw), std::istreambuf_iterator<char>()};
  ASSERT_EQ(rgb.size(), static_cast<std::size_t>(kWidth * kHeight * 3));
  int worst = 0;
  for (std::size_t i = 0; i < source.pixels.size(); ++i) {
    const std::uint32_t pixel = source.pixels[i];
    const int channels[] = {static_cast<int>(pixel >> 16 & 0xFF), static_cast<int>(pixel >> 8 & 0xFF), static_cast<int>(pixel & 0xFF)};
    for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(channels[c] - rgb[i * 3 + c]));
  }
  EXPECT_LE(worst, 6) << "largest channel difference after a round trip at quality 90";
}

TEST(SkinWriters, SamePicturesGiveTheSameBytes) {
  const SkinBitmap picture = Pattern(19, 11);
  EXPECT_EQ(PngFileBytes(ConstView(picture)), PngFileBytes(ConstView(Pattern(19, 11))));
  EXPECT_EQ(JpegFileBytes(ConstView(picture), 80), JpegFileBytes(ConstView(Pattern(19, 11)), 80));
}

}  // namespace
}  // namespace klarvik
