#include "skin/windows/ole_jpeg_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/image/pixel_rules.h"
#include "skin/skin_error.h"

namespace klarvik {

namespace {

using Bytes = std::vector<std::uint8_t>;

// Writes bits most significant first, with the byte stuffing a JPEG scan needs.
class ScanWriter {
 public:
  void Put(std::uint32_t bits, int count) {
    for (int i = count - 1; i >= 0; --i) {
      current_ = static_cast<std::uint8_t>((current_ << 1) | ((bits >> i) & 1));
      if (++filled_ == 8) Flush();
    }
  }
  Bytes Finish() {
    while (filled_ != 0) Put(1, 1);  // pad with one bits
    return bytes_;
  }

 private:
  void Flush() {
    bytes_.push_back(current_);
    if (current_ == 0xFF) bytes_.push_back(0);
    current_ = 0;
    filled_ = 0;
  }
  Bytes bytes_;
  std::uint8_t current_ = 0;
  int filled_ = 0;
};

void Segment(Bytes& out, std::uint8_t marker, const Bytes& payload) {
  const auto length = payload.size() + 2;
  out.insert(out.end(), {0xFF, marker, static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)});
  out.insert(out.end(), payload.begin(), payload.end());
}

// A baseline greyscale JPEG whose every pixel is `grey`: each 8 x 8 block holds only its
// DC value, quantised by 1, so the decoder's inverse transform gives `grey` back exactly.
Bytes UniformGreyJpeg(int width, int height, int grey) {
  const int dc = (grey - 128) * 8;
  int category = 0;
  for (int magnitude = dc < 0 ? -dc : dc; magnitude != 0; magnitude >>= 1) ++category;
  Bytes out{0xFF, 0xD8};
  Bytes quantisation{0x00};
  quantisation.resize(65, 1);
  Segment(out, 0xDB, quantisation);
  Segment(out, 0xC0,
          {8, static_cast<std::uint8_t>(height >> 8), static_cast<std::uint8_t>(height),
           static_cast<std::uint8_t>(width >> 8), static_cast<std::uint8_t>(width), 1, 1, 0x11, 0});
  // DC table: category 0 is "0", the image's category "10"; AC table: end of block "0".
  Bytes dcTable{0x00, 1, 1};
  dcTable.resize(1 + 16, 0);
  dcTable.push_back(0);
  dcTable.push_back(static_cast<std::uint8_t>(category != 0 ? category : 1));
  Segment(out, 0xC4, dcTable);
  Bytes acTable{0x10, 1};
  acTable.resize(1 + 16, 0);
  acTable.push_back(0x00);
  Segment(out, 0xC4, acTable);
  Segment(out, 0xDA, {1, 1, 0x00, 0, 63, 0});
  ScanWriter scan;
  const int blocks = ((width + 7) / 8) * ((height + 7) / 8);
  for (int block = 0; block < blocks; ++block) {
    if (block == 0 && category != 0) {
      scan.Put(0b10, 2);
      const int bits = dc < 0 ? dc + (1 << category) - 1 : dc;
      scan.Put(static_cast<std::uint32_t>(bits), category);
    } else {
      scan.Put(0, 1);
    }
    scan.Put(0, 1);
  }
  const Bytes data = scan.Finish();
  out.insert(out.end(), data.begin(), data.end());
  out.insert(out.end(), {0xFF, 0xD9});
  return out;
}

TEST(OleJpegDecoder, DecodesAndDrawsAtItsSizeThenNormalisesToOpaque) {
  struct GreyCase {
    int width, height, grey;
  };
  for (const GreyCase& c : {GreyCase{16, 8, 0x80}, GreyCase{13, 5, 0x30}, GreyCase{8, 8, 0xE0}}) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    const auto image = OleJpegDecoder().Decode(UniformGreyJpeg(c.width, c.height, c.grey));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Width(), c.width);
    EXPECT_EQ(image->Height(), c.height);
    SkinBitmap bitmap = image->ToBitmap();
    EXPECT_EQ(bitmap.sourceBits, 24);
    NormaliseTo32Bits(bitmap);
    const std::uint32_t g = static_cast<std::uint32_t>(c.grey);
    EXPECT_EQ(bitmap.pixels, std::vector<std::uint32_t>(static_cast<std::size_t>(c.width) * c.height,
                                                        0xFF000000u | (g << 16) | (g << 8) | g));
  }
}

TEST(OleJpegDecoder, BackgroundsAbove899999PixelsStayPictures) {
  struct SplitCase {
    int width, height;
    bool large;
  };
  for (const SplitCase& c : {SplitCase{1000, 900, true}, SplitCase{1000, 899, false}}) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    const auto image = OleJpegDecoder().Decode(UniformGreyJpeg(c.width, c.height, 0x40));
    EXPECT_EQ(image->Width(), c.width);
    EXPECT_EQ(image->Height(), c.height);
    EXPECT_EQ(IsLargeBackground(image->Width(), image->Height()), c.large);
  }
}

TEST(OleJpegDecoder, OtherFormatsAndDamagedJpegsNeverReachAPictureObject) {
  // A BMP and a placeable metafile are pictures the OLE loader would happily read.
  Bytes bitmap{'B', 'M'};
  bitmap.resize(70, 0);
  Bytes metafile{0xD7, 0xCD, 0xC6, 0x9A};
  metafile.resize(40, 0);
  const Bytes good = UniformGreyJpeg(8, 8, 0x80);
  Bytes noScan{0xFF, 0xD8};
  Segment(noScan, 0xC0, {8, 0, 8, 0, 8, 1, 1, 0x11, 0});
  noScan.insert(noScan.end(), {0xFF, 0xD9});
  const Bytes huge = [] {
    Bytes b{0xFF, 0xD8};
    Segment(b, 0xC0, {8, 0x40, 0x01, 0x40, 0x01, 1, 1, 0x11, 0});
    return b;
  }();
  struct BadCase {
    const char* name;
    Bytes bytes;
  };
  const std::vector<BadCase> cases = {
      {"empty", {}},
      {"bitmap", bitmap},
      {"metafile", metafile},
      {"signature only", Bytes(good.begin(), good.begin() + 3)},
      {"frame without scan", noScan},
      {"frame above the caps", huge},
  };
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THROW(OleJpegDecoder().Decode(c.bytes), EInvalidGraphic);
  }
}

}  // namespace

}  // namespace klarvik
