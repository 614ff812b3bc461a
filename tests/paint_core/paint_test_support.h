#pragma once
// Small helpers of the paint-core tests: owned pictures filled with a seeded random
// pattern, a stable hash of their pixels, and sections of a given look.
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "skin/definition/skin_tables.h"
#include "skin/definition/value_parsing.h"
#include "skin/image/skin_bitmap.h"

namespace klarvik {

namespace paint_test {

inline SkinBitmap Filled(int width, int height, std::uint32_t pixel) {
  SkinBitmap b;
  b.width = width;
  b.height = height;
  b.pixels.assign(static_cast<std::size_t>(width) * height, pixel);
  return b;
}

inline SkinBitmap Random(int width, int height, std::uint32_t seed) {
  SkinBitmap b = Filled(width, height, 0);
  std::mt19937 rng(seed);
  for (auto& p : b.pixels) p = static_cast<std::uint32_t>(rng());
  return b;
}

// FNV-1a over the pixel values, little-endian whatever the host.
inline std::uint64_t Hash(const SkinBitmap& b) {
  std::uint64_t h = 1469598103934665603ull;
  auto mix = [&h](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
      h ^= (v >> (8 * i)) & 0xFF;
      h *= 1099511628211ull;
    }
  };
  mix(static_cast<std::uint32_t>(b.width));
  mix(static_cast<std::uint32_t>(b.height));
  for (std::uint32_t p : b.pixels) mix(p);
  return h;
}

inline std::uint32_t Px(const SkinBitmap& b, int x, int y) { return b.pixels[static_cast<std::size_t>(y) * b.width + x]; }

inline void SetPx(SkinBitmap& b, int x, int y, std::uint32_t p) { b.pixels[static_cast<std::size_t>(y) * b.width + x] = p; }

inline void FillArea(SkinBitmap& b, int left, int top, int right, int bottom, std::uint32_t p) {
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) SetPx(b, x, y, p);
  }
}

// Skin tables holding only a master bitmap; image entries are added by each test.
inline TsSkinTables TablesWithMaster(SkinBitmap master) {
  TsSkinTables t;
  t.MasterBitmap = std::make_shared<SkinBitmap>(std::move(master));
  return t;
}

inline TsMaskData Entry(Rect source, int states, int maskKind, int fillMode, int left, int top, int right, int bottom) {
  TsMaskData m;
  m.SourceRect = source;
  m.StateCount = static_cast<std::int16_t>(states);
  m.MaskKind = static_cast<std::int16_t>(maskKind);
  m.FillMode = static_cast<std::int16_t>(fillMode);
  m.BorderLeft = static_cast<std::int16_t>(left);
  m.BorderTop = static_cast<std::int16_t>(top);
  m.BorderRight = static_cast<std::int16_t>(right);
  m.BorderBottom = static_cast<std::int16_t>(bottom);
  return m;
}

// How every state of a section looks.
struct Look {
  TColor color{0};
  int transparency = 0;
  int imagePercent = 0;
  int gradientPercent = 0;
  std::string gradient;
  int texture = -1;
};

inline Look Plain(TColor color, int transparency = 0) {
  Look l;
  l.color = color;
  l.transparency = transparency;
  return l;
}

inline TsGeneralData Section(const std::string& name, const Look& look, int states = 1) {
  TsGeneralData s;
  s.SectionName = name;
  s.States = states;
  for (TsGenState& st : s.StateProps) {
    st.Color = look.color;
    st.Transparency = look.transparency;
    st.ImagePercent = look.imagePercent;
    st.GradientPercent = look.gradientPercent;
    st.GradientData = look.gradient;
    st.GradientArray = std::make_shared<TsGradArray>(ParseGradient(look.gradient));
    st.TextureIndex = look.texture;
  }
  return s;
}

}  // namespace paint_test

}  // namespace klarvik
