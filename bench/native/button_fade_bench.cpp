// The cross-fade of a skinned 75 x 25 button between its old and new pictures: each step
// copies the old picture into a fresh frame and keeps 255 − b of it over the new one, with
// b = step · 255 / 20. A step runs on the fade's 10 ms timer tick, so it must take a small
// part of one: prints the step's CPU time (the machine is shared), how many steps fit in a
// tick (target far above 1), and the whole 20-step fade. Run pinned to one core.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <random>

#include "bench/native/time_recorder.h"
#include "paint/primitives/bitmap_ops.h"

using namespace klarvik;

namespace {

constexpr int kWidth = 75;
constexpr int kHeight = 25;
constexpr int kSteps = 20;
constexpr double kTimerTickUs = 10000;

SkinBitmap Picture(std::uint32_t seed) {
  SkinBitmap b = CreateBitmap32(kWidth, kHeight);
  std::mt19937 rng(seed);
  for (auto& p : b.pixels) p = 0xFF000000u | static_cast<std::uint32_t>(rng());
  return b;
}

// One frame of the fade, as the button makes it on a tick.
SkinBitmap FadeFrame(const SkinBitmap& oldPicture, const SkinBitmap& newPicture, int step) {
  SkinBitmap frame = oldPicture;
  BlendBitmaps(frame.View(), ConstView(newPicture), 255 - step * 255 / kSteps);
  return frame;
}

void BM_FadeStep(benchmark::State& state) {
  const SkinBitmap oldPicture = Picture(1), newPicture = Picture(2);
  int step = 0;
  for (auto _ : state) {
    step = step % kSteps + 1;
    SkinBitmap frame = FadeFrame(oldPicture, newPicture, step);
    benchmark::DoNotOptimize(frame.pixels.data());
  }
}

void BM_WholeFade(benchmark::State& state) {
  const SkinBitmap oldPicture = Picture(1), newPicture = Picture(2);
  for (auto _ : state) {
    for (int step = 1; step <= kSteps; ++step) {
      SkinBitmap frame = FadeFrame(oldPicture, newPicture, step);
      benchmark::DoNotOptimize(frame.pixels.data());
    }
  }
}

BENCHMARK(BM_FadeStep)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_WholeFade)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TimeRecorder recorder;
  benchmark::RunSpecifiedBenchmarks(&recorder);
  if (recorder.Has("BM_FadeStep")) {
    const double step = recorder.Time("BM_FadeStep");
    std::printf("fade step of a %d x %d button: %.2f us; 10 ms tick / step: %.0f (target far above 1)\n", kWidth, kHeight, step,
                kTimerTickUs / step);
  }
  if (recorder.Has("BM_WholeFade")) {
    const double fade = recorder.Time("BM_WholeFade");
    std::printf("whole %d-step fade: %.1f us of work over %d ticks (%.0f ms)\n", kSteps, fade, kSteps, kSteps * kTimerTickUs / 1000);
  }
  benchmark::Shutdown();
  return 0;
}
