#pragma once
// Small image files made in memory for the picture tests: a PNG with an alpha channel
// (uncompressed deflate blocks) and a 24-bit bottom-up BMP.
#include <cstdint>
#include <vector>

namespace klarvik::test {

// Pixels row by row from the top, each 0xAARRGGBB.
std::vector<std::uint8_t> PngFile(int width, int height, const std::vector<std::uint32_t>& argb);
// Pixels row by row from the top, each 0x00RRGGBB.
std::vector<std::uint8_t> BmpFile(int width, int height, const std::vector<std::uint32_t>& rgb);

}  // namespace klarvik::test
