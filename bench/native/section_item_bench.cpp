// PaintSectionItem of a 400 x 30 gauge-like item: a masked border stretched around a
// resampled centre, a vertical gradient and a tiled texture sharing the background, over a
// parent picture. Reports the time per item. Run pinned to one core.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "paint/primitives/bitmap_ops.h"
#include "paint/primitives/section_item.h"
#include "skin/definition/value_parsing.h"

using namespace klarvik;

namespace {

SkinBitmap Master() {
  SkinBitmap m = CreateBitmap32(64, 32);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 64; ++x) {
      std::uint32_t p = 0xFF000000u | static_cast<std::uint32_t>(x * 4) << 16 | static_cast<std::uint32_t>(y * 8) << 8 | 0x60;
      if (x < 30 && y >= 10 && y < 20) {
        // The border's mask: opaque frame, see-through inside.
        const int xs = x % 10, ys = y - 10, edge = std::min(std::min(xs, 9 - xs), std::min(ys, 9 - ys));
        p = (edge >= 3 ? 255u : static_cast<std::uint32_t>(edge * 80)) * 0x010101u;
      }
      m.pixels[static_cast<std::size_t>(y) * 64 + x] = p;
    }
  }
  return m;
}

TsSkinTables Skin() {
  TsSkinTables t;
  t.MasterBitmap = std::make_shared<SkinBitmap>(Master());
  TsMaskData border;
  border.SourceRect = {0, 0, 30, 20};  // three 10 x 10 states, masks below
  border.StateCount = 3;
  border.MaskKind = 1;
  border.FillMode = 1 | 4;  // stretched sides and centre
  border.BorderLeft = border.BorderTop = border.BorderRight = border.BorderBottom = 3;
  t.Masks.push_back(border);
  TsMaskData texture;
  texture.SourceRect = {40, 0, 56, 16};
  texture.ImageKind = kImageTexture;
  t.Masks.push_back(texture);
  TsGeneralData gauge;
  gauge.SectionName = "GAUGE";
  gauge.States = 1;
  gauge.BorderMaskIndex = 0;
  for (TsGenState& s : gauge.StateProps) {
    s.Color = TColor{0x604020};
    s.GradientArray = std::make_shared<TsGradArray>(ParseGradient("14737632;8421504;50;0;0;8421504;12632256;50;0;0"));
    s.GradientPercent = 60;
    s.ImagePercent = 30;
    s.TextureIndex = 1;
    s.Transparency = 20;
  }
  t.Sections.push_back(gauge);
  return t;
}

void BM_GaugeItem(benchmark::State& state) {
  const TsSkinTables skin = Skin();
  SkinBitmap parent = CreateBitmap32(400, 30);
  for (std::size_t i = 0; i < parent.pixels.size(); ++i) parent.pixels[i] = 0xFF000000u | static_cast<std::uint32_t>(i * 2654435761u >> 8);
  SkinBitmap item = CreateBitmap32(400, 30);
  SectionPaint p;
  p.tables = &skin;
  p.section = 0;
  p.parent.Image = parent.View();
  p.parent.Ready = true;
  for (auto _ : state) {
    PaintSectionItem(item.View(), {0, 0, 400, 30}, p, true);
    benchmark::DoNotOptimize(item.pixels.data());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GaugeItem)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
