#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "skin/image/png_unfilter.h"

namespace klarvik {

namespace {

// Bytes of a filtered row or of its prior row. Few distinct values make the Paeth
// predictor's ties common; the full range makes its sums wrap.
struct Content {
  const char* name;
  std::vector<std::uint8_t> values;  // empty: any byte
};

std::vector<std::uint8_t> RandomBytes(std::size_t count, const Content& content, std::mt19937& random) {
  std::vector<std::uint8_t> bytes(count);
  for (std::uint8_t& b : bytes) {
    const std::uint32_t r = random();
    b = content.values.empty() ? static_cast<std::uint8_t>(r) : content.values[r % content.values.size()];
  }
  return bytes;
}

TEST(PngUnfilter, Sse2RowsEqualTheScalarReferenceForEveryFilterAndPixelSize) {
  if (!png_unfilter_sse2::Available()) GTEST_SKIP() << "no SSE2 on this processor";
  const Content contents[] = {{"any byte", {}}, {"few values", {0, 1, 2, 128, 254, 255}}};
  // One pixel, a few, and rows that end inside a 16-byte register and past several.
  const std::size_t pixelCounts[] = {1, 2, 3, 5, 7, 17, 64, 333};
  // Bytes after the row that neither path may touch.
  constexpr std::size_t kGuard = 16;
  std::mt19937 random(1);
  // Filter type 5 names no filter: both paths reject it and leave the row.
  for (int filter = 0; filter <= 5; ++filter) {
    for (std::size_t bpp : {1, 2, 3, 4, 6, 8}) {
      for (std::size_t pixels : pixelCounts) {
        for (const Content& content : contents) {
          const std::size_t length = bpp * pixels;
          SCOPED_TRACE("filter " + std::to_string(filter) + ", " + std::to_string(bpp) + " bytes per pixel, " +
                       std::to_string(length) + " bytes, " + content.name);
          const std::vector<std::uint8_t> filtered = RandomBytes(length + kGuard, content, random);
          const std::vector<std::uint8_t> prior = RandomBytes(length, content, random);
          std::vector<std::uint8_t> expected = filtered;
          std::vector<std::uint8_t> actual = filtered;
          const bool known = filter <= 4;
          ASSERT_EQ(png_unfilter_scalar::Unfilter(filter, expected.data(), prior.data(), length, bpp), known);
          ASSERT_EQ(png_unfilter_sse2::Unfilter(filter, actual.data(), prior.data(), length, bpp), known);
          ASSERT_EQ(actual, expected);
          if (!known) {
            ASSERT_EQ(actual, filtered);
          }
        }
      }
    }
  }
}

}  // namespace

}  // namespace klarvik
