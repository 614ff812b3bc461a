// Loading each stored skin from its package bytes to tables ready to paint, against
// inflating its package and decoding each of its pictures once: the load may cost at most
// 1.3 times that. JPG members are left out of both (the native build decodes no JPEG).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "base/ascii_text.h"
#include "bench/native/stored_skin_bytes.h"
#include "bench/native/time_recorder.h"
#include "skin/image/bmp_decoder.h"
#include "skin/image/pixel_rules.h"
#include "skin/image/png_decoder.h"
#include "skin/package/skin_convertor.h"
#include "skin/package/skin_source.h"

using namespace klarvik;

namespace {

const char* const kSkins[] = {"Afterburner", "BlueGauze", "FalloutStyle", "Garnet", "Matrix", "Steam2"};

void BM_LoadStoredSkin(benchmark::State& state, const std::string& skin) {
  TsStoredSkins stored;
  TsStoredSkin& item = stored.Add();
  item.SetName(skin);
  item.SetData(StoredSkinBytes(skin));
  const SkinSource source{SkinSourceKind::kStored, {}, 0, skin};
  for (auto _ : state) {
    LoadedSkin loaded = LoadSkinSource(source, stored, TsLoadSettings());
    benchmark::DoNotOptimize(loaded.tables.Masks.data());
  }
}

void BM_InflateAndDecode(benchmark::State& state, const std::string& skin) {
  const std::vector<std::uint8_t> bytes = StoredSkinBytes(skin);
  for (auto _ : state) {
    std::unique_ptr<TacSkinConvertor> reader;
    ReadStoredPackage(bytes, reader);
    // Kept together to the end, as the loaded tables keep them.
    std::vector<SkinBitmap> pictures;
    for (const TacImageItem& member : reader->ImageItems()) {
      if (member.IsBitmap) {
        pictures.push_back(DecodeBmp(member.Stream));
        NormaliseTo32Bits(pictures.back());
      } else if (UpperCase(member.FileName).ends_with(".PNG")) {
        pictures.push_back(DecodePng(member.Stream));
        ApplyPngEntryRules(pictures.back(), PngAlphaRule::Premultiply);
      }
    }
    benchmark::DoNotOptimize(pictures.data());
  }
}

}  // namespace

int main(int argc, char** argv) {
  for (const char* skin : kSkins) {
    benchmark::RegisterBenchmark((std::string("BM_LoadStoredSkin/") + skin).c_str(), BM_LoadStoredSkin, std::string(skin))
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((std::string("BM_InflateAndDecode/") + skin).c_str(), BM_InflateAndDecode, std::string(skin))
        ->Unit(benchmark::kMicrosecond);
  }
  benchmark::Initialize(&argc, argv);
  TimeRecorder reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (const char* skin : kSkins) {
    const std::string load = std::string("BM_LoadStoredSkin/") + skin, reference = std::string("BM_InflateAndDecode/") + skin;
    if (!reporter.Has(load) || !reporter.Has(reference)) continue;
    const double ratio = reporter.Time(load) / reporter.Time(reference);
    std::printf("%-13s load %8.1f us, inflate and decode %8.1f us, load / reference %.2f (target <= 1.3)\n", skin,
                reporter.Time(load), reporter.Time(reference), ratio);
  }
  benchmark::Shutdown();
  return 0;
}
