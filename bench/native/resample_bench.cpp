// ResampleBitmap with the Mitchell filter, 512 x 512 to 300 x 200 and to 1024 x 768,
// against the scalar reference (target: the fast path at least 3 times faster) and
// against pixman's separable convolution with its cubic kernel. Prints the ratios of CPU
// times (the machine is shared).
// Run pinned to one core.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "bench/native/time_recorder.h"
#include "paint/primitives/bitmap_ops.h"
#include "paint/primitives/resample.h"

using namespace klarvik;

namespace {

constexpr int kSource = 512;

SkinBitmap Source() {
  SkinBitmap b = CreateBitmap32(kSource, kSource);
  std::mt19937 rng(5);
  for (auto& v : b.pixels) v = static_cast<std::uint32_t>(rng());
  return b;
}

void BM_Fast(benchmark::State& state) {
  const SkinBitmap src = Source();
  SkinBitmap dst;
  for (auto _ : state) {
    ResampleBitmap(ConstView(src), dst, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), ResampleFilter::kMitchell);
    benchmark::DoNotOptimize(dst.pixels.data());
  }
}

void BM_Scalar(benchmark::State& state) {
  const SkinBitmap src = Source();
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  SkinBitmap dst = CreateBitmap32(w, h);
  for (auto _ : state) {
    // The same work as the fast path: weights, then both passes.
    const ResampleAxis columns = MakeResampleAxis(kSource, w, ResampleFilter::kMitchell);
    const ResampleAxis rows = MakeResampleAxis(kSource, h, ResampleFilter::kMitchell);
    resample_scalar::Resample(ConstView(src), dst.View(), columns, rows);
    benchmark::DoNotOptimize(dst.pixels.data());
  }
}

void BM_Pixman(benchmark::State& state) {
  SkinBitmap src = Source();
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  SkinBitmap dst = CreateBitmap32(w, h);
  pixman_image_t* s = pixman_image_create_bits(PIXMAN_a8r8g8b8, kSource, kSource, src.pixels.data(), kSource * 4);
  pixman_image_t* d = pixman_image_create_bits(PIXMAN_a8r8g8b8, w, h, dst.pixels.data(), w * 4);
  const double sx = static_cast<double>(kSource) / w, sy = static_cast<double>(kSource) / h;
  pixman_transform_t transform;
  pixman_transform_init_scale(&transform, pixman_double_to_fixed(sx), pixman_double_to_fixed(sy));
  pixman_image_set_transform(s, &transform);
  int count = 0;
  pixman_fixed_t* params = pixman_filter_create_separable_convolution(
      &count, pixman_double_to_fixed(sx > 1 ? sx : 1), pixman_double_to_fixed(sy > 1 ? sy : 1), PIXMAN_KERNEL_CUBIC,
      PIXMAN_KERNEL_CUBIC, PIXMAN_KERNEL_BOX, PIXMAN_KERNEL_BOX, 4, 4);
  pixman_image_set_filter(s, PIXMAN_FILTER_SEPARABLE_CONVOLUTION, params, count);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, s, nullptr, d, 0, 0, 0, 0, 0, 0, w, h);
    benchmark::DoNotOptimize(dst.pixels.data());
  }
  std::free(params);
  pixman_image_unref(s);
  pixman_image_unref(d);
}

BENCHMARK(BM_Fast)->Args({300, 200})->Args({1024, 768})->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Scalar)->Args({300, 200})->Args({1024, 768})->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Pixman)->Args({300, 200})->Args({1024, 768})->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TimeRecorder recorder;
  benchmark::RunSpecifiedBenchmarks(&recorder);
  for (const char* size : {"300/200", "1024/768"}) {
    const std::string fast = std::string("BM_Fast/") + size, scalar = std::string("BM_Scalar/") + size,
                      pixman = std::string("BM_Pixman/") + size;
    if (!recorder.Has(fast) || !recorder.Has(scalar) || !recorder.Has(pixman)) continue;
    std::printf("512x512 to %s: scalar / fast %.2f (target >= 3), pixman / fast %.2f\n", size, recorder.Time(scalar) / recorder.Time(fast),
                recorder.Time(pixman) / recorder.Time(fast));
  }
  benchmark::Shutdown();
  return 0;
}
