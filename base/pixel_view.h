#pragma once
// A view of 32-bit pixels (bytes blue, green, red, alpha; rows top-down) that the
// portable core works on. Deliberately free of <windows.h>: the native build shares it.
#include <cstddef>
#include <cstdint>

namespace klarvik {

struct PixelView {
  int width = 0;
  int height = 0;
  int stride = 0;  // in pixels, not bytes
  std::uint32_t* pixels = nullptr;

  std::uint32_t& At(int x, int y) const {
    return pixels[static_cast<std::ptrdiff_t>(y) * stride + x];
  }
  bool Empty() const { return pixels == nullptr || width <= 0 || height <= 0; }
};

}  // namespace klarvik
