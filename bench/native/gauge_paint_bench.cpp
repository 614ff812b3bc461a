// The skinned gauge's pixel work for a 393 x 25 horizontal gauge at 47 %, with each stored
// skin's tables. A full paint draws the GAUGE item over the whole picture and the PROGRESSH
// item into the cached 184 x 25 fill over it, copies the fill in and lays the light over
// it; a light tick only copies the cached fill in again and lays the light over it. The
// light, app/res/gauge_light.png stretched to 300 x 25, covers the whole fill here (the
// most a tick blends) through a mask that spares the top and bottom rows. The light moves
// on a 22 ms timer, so a tick must take a small part of one: prints both times and how
// they compare with the tick. Beside it, the face of a 75 x 25 skinned button (its BUTTON
// item in the normal, hot and pressed states in turn), against a 60 Hz frame. Run pinned
// to one core.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bench/native/stored_skin_bytes.h"
#include "bench/native/time_recorder.h"
#include "controls/gauge_math.h"
#include "paint/primitives/bitmap_ops.h"
#include "paint/primitives/light_blend.h"
#include "paint/primitives/resample.h"
#include "paint/primitives/section_item.h"
#include "skin/image/png_decoder.h"
#include "skin/package/skin_source.h"

using namespace klarvik;

namespace {

const char* const kSkins[] = {"Afterburner", "BlueGauze", "FalloutStyle", "Garnet", "Matrix", "Steam2"};
constexpr int kWidth = 393, kHeight = 25, kPercent = 47;
constexpr int kLightWidth = 300;
constexpr double kLightTickUs = 22000;

SkinBitmap Light() {
  std::ifstream file(KLARVIK_GAUGE_LIGHT_PNG, std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "cannot read %s\n", KLARVIK_GAUGE_LIGHT_PNG);
    std::exit(2);
  }
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  SkinBitmap stretched;
  ResampleBitmap(ConstView(DecodePng(bytes)), stretched, kLightWidth, kHeight, ResampleFilter::kMitchell);
  return stretched;
}

// Red 255 (no light) on the top and bottom rows, falling to 0 (full light) in the middle.
SkinBitmap Mask() {
  SkinBitmap mask = CreateBitmap32(kLightWidth, kHeight);
  for (int y = 0; y < kHeight; ++y) {
    const auto red = static_cast<std::uint32_t>(std::abs(2 * y - (kHeight - 1)) * 255 / (kHeight - 1));
    for (int x = 0; x < kLightWidth; ++x) mask.pixels[static_cast<std::size_t>(y) * kLightWidth + x] = 0xFF000000u | red << 16;
  }
  return mask;
}

// One gauge of one skin over a form's background, with everything a paint needs.
struct Gauge {
  TsSkinTables tables;
  SkinBitmap background = CreateBitmap32(kWidth, kHeight);
  SkinBitmap picture = CreateBitmap32(kWidth, kHeight);
  int filled = FillLength(kPercent, kWidth);
  SkinBitmap fill = CreateBitmap32(filled, kHeight);
  SkinBitmap light = Light();
  SkinBitmap mask = Mask();
  SectionPaint track, bar;

  explicit Gauge(const std::string& skin) {
    TsStoredSkins stored;
    TsStoredSkin& item = stored.Add();
    item.SetName(skin);
    item.SetData(StoredSkinBytes(skin));
    tables = LoadSkinSource(SkinSource{SkinSourceKind::kStored, {}, 0, skin}, stored, TsLoadSettings()).tables;
    for (std::size_t i = 0; i < background.pixels.size(); ++i) {
      background.pixels[i] = 0xFF000000u | static_cast<std::uint32_t>(i * 2654435761u >> 8);
    }
    track = Section("GAUGE", background);
    bar = Section("PROGRESSH", picture);
  }

  SectionPaint Section(const char* name, SkinBitmap& under) const {
    SectionPaint p;
    p.tables = &tables;
    p.section = tables.IndexOfSection(name);
    if (p.section < 0) {
      std::fprintf(stderr, "the skin has no [%s] section\n", name);
      std::exit(2);
    }
    p.parent.Image = under.View();
    p.parent.Ready = true;
    return p;
  }

  void LightTick() {
    CopyRect(picture.View(), 0, 0, ConstView(fill), BoundsOf(filled, kHeight));
    const PixelView lit{filled, kHeight, picture.width, picture.pixels.data()};
    const int left = (filled - kLightWidth) / 2;
    BlendLightThroughMask(lit, ConstView(light), ConstView(mask), {left, 0, left + kLightWidth, kHeight});
  }

  void FullPaint() {
    PaintSectionItem(picture.View(), BoundsOf(kWidth, kHeight), track, true);
    PaintSectionItem(fill.View(), BoundsOf(filled, kHeight), bar, true);
    LightTick();
  }
};

void BM_FullPaint(benchmark::State& state, const std::string& skin) {
  Gauge gauge(skin);
  for (auto _ : state) {
    gauge.FullPaint();
    benchmark::DoNotOptimize(gauge.picture.pixels.data());
  }
}

void BM_ButtonFace(benchmark::State& state, const std::string& skin) {
  Gauge gauge(skin);
  SkinBitmap face = CreateBitmap32(75, 25);
  SectionPaint button = gauge.Section("BUTTON", gauge.background);
  int look = 0;
  for (auto _ : state) {
    button.state = look++ % 3;
    PaintSectionItem(face.View(), BoundsOf(75, 25), button, true);
    benchmark::DoNotOptimize(face.pixels.data());
  }
}

void BM_LightTick(benchmark::State& state, const std::string& skin) {
  Gauge gauge(skin);
  gauge.FullPaint();
  for (auto _ : state) {
    gauge.LightTick();
    benchmark::DoNotOptimize(gauge.picture.pixels.data());
  }
}

}  // namespace

int main(int argc, char** argv) {
  for (const char* skin : kSkins) {
    benchmark::RegisterBenchmark((std::string("BM_FullPaint/") + skin).c_str(), BM_FullPaint, std::string(skin))
        ->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark((std::string("BM_LightTick/") + skin).c_str(), BM_LightTick, std::string(skin))
        ->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark((std::string("BM_ButtonFace/") + skin).c_str(), BM_ButtonFace, std::string(skin))
        ->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);
  }
  benchmark::Initialize(&argc, argv);
  TimeRecorder recorder;
  benchmark::RunSpecifiedBenchmarks(&recorder);
  std::printf("%d x %d gauge at %d %%: fill %d x %d, light %d x %d over all of it\n", kWidth, kHeight, kPercent,
              FillLength(kPercent, kWidth), kHeight, kLightWidth, kHeight);
  for (const char* skin : kSkins) {
    const std::string full = std::string("BM_FullPaint/") + skin, tick = std::string("BM_LightTick/") + skin;
    if (!recorder.Has(full) || !recorder.Has(tick)) continue;
    const double fullUs = recorder.Time(full), tickUs = recorder.Time(tick);
    std::printf("%-13s full paint %7.1f us (%.2f %% of the 22 ms tick), light tick %6.2f us (%.3f %%; 22 ms / tick: %.0f, "
                "target far above 1)\n",
                skin, fullUs, 100 * fullUs / kLightTickUs, tickUs, 100 * tickUs / kLightTickUs, kLightTickUs / tickUs);
  }
  constexpr double kFrameUs = 1e6 / 60;
  for (const char* skin : kSkins) {
    const std::string face = std::string("BM_ButtonFace/") + skin;
    if (!recorder.Has(face)) continue;
    const double faceUs = recorder.Time(face);
    std::printf("%-13s 75 x 25 button face %6.2f us (a 60 Hz frame / face: %.0f)\n", skin, faceUs, kFrameUs / faceUs);
  }
  benchmark::Shutdown();
  return 0;
}
