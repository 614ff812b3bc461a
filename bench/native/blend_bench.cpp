// The blend rows over 1024 x 1024 images against pixman's OVER composite of the same
// size (speed only: its premultiplied rounding differs from ours). Prints, in CPU time
// (the machine is shared), how many times pixman's time each of ours is: at least 1.0 is
// the target. Run pinned to one core.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "bench/native/time_recorder.h"
#include "paint/primitives/blend.h"

using namespace klarvik;

namespace {

constexpr int kSize = 1024;

std::vector<std::uint32_t> RandomPixels(std::uint32_t seed) {
  std::vector<std::uint32_t> p(static_cast<std::size_t>(kSize) * kSize);
  std::mt19937 rng(seed);
  for (auto& v : p) v = static_cast<std::uint32_t>(rng());
  return p;
}

template <typename Row>
void RunRows(benchmark::State& state, Row row) {
  auto dst = RandomPixels(1);
  const auto src = RandomPixels(2);
  for (auto _ : state) {
    for (int y = 0; y < kSize; ++y) row(dst.data() + static_cast<std::size_t>(y) * kSize, src.data() + static_cast<std::size_t>(y) * kSize);
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
}

void BM_KeepFast(benchmark::State& s) { RunRows(s, [](std::uint32_t* d, const std::uint32_t* r) { KeepRow(d, r, kSize, 128); }); }
void BM_KeepScalar(benchmark::State& s) {
  RunRows(s, [](std::uint32_t* d, const std::uint32_t* r) { blend_scalar::KeepRow(d, r, kSize, 128); });
}
void BM_OverFast(benchmark::State& s) { RunRows(s, [](std::uint32_t* d, const std::uint32_t* r) { OverRow(d, r, kSize); }); }
void BM_OverScalar(benchmark::State& s) {
  RunRows(s, [](std::uint32_t* d, const std::uint32_t* r) { blend_scalar::OverRow(d, r, kSize); });
}

void BM_PixmanOver(benchmark::State& state) {
  auto dst = RandomPixels(1);
  auto src = RandomPixels(2);
  pixman_image_t* d = pixman_image_create_bits(PIXMAN_a8r8g8b8, kSize, kSize, dst.data(), kSize * 4);
  pixman_image_t* s = pixman_image_create_bits(PIXMAN_a8r8g8b8, kSize, kSize, src.data(), kSize * 4);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_OVER, s, nullptr, d, 0, 0, 0, 0, 0, 0, kSize, kSize);
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
  pixman_image_unref(s);
  pixman_image_unref(d);
}

BENCHMARK(BM_KeepFast)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_KeepScalar)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_OverFast)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_OverScalar)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_PixmanOver)->Repetitions(7)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TimeRecorder recorder;
  benchmark::RunSpecifiedBenchmarks(&recorder);
  const auto t = [&](const char* name) { return recorder.Time(name); };
  if (recorder.Has("BM_PixmanOver") && recorder.Has("BM_KeepFast") && recorder.Has("BM_OverFast")) {
    std::printf("pixman OVER time / weighted keep time: %.2f (target >= 1.0)\n", t("BM_PixmanOver") / t("BM_KeepFast"));
    std::printf("pixman OVER time / alpha over time:    %.2f (target >= 1.0)\n", t("BM_PixmanOver") / t("BM_OverFast"));
    std::printf("scalar / fast path (AVX2 or SSE2): keep %.2f, over %.2f\n", t("BM_KeepScalar") / t("BM_KeepFast"), t("BM_OverScalar") / t("BM_OverFast"));
  }
  benchmark::Shutdown();
  return 0;
}
