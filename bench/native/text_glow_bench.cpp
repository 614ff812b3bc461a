// The glow behind a 100 x 20 caption for glow sizes 2, 4 and 8: the text's mask, with the
// glow's reach and a spare 4 pixels on every side, blurred and laid over a 32-bit picture.
// Prints each glow's CPU time (the machine is shared; target under 0.2 ms), how many times
// pixman's time for the same blur each of ours is, and how many times faster the blur is
// than its scalar reference. pixman blurs with its separable convolution filter and the
// same kernel over a8 pictures of the mask's size, edges padded: a pass of rows into an a8
// picture, then one of columns, as ours goes. Run pinned to one core.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/native/time_recorder.h"
#include "paint/primitives/bitmap_ops.h"
#include "paint/primitives/text_glow.h"

using namespace klarvik;

namespace {

constexpr int kCaptionWidth = 100;
constexpr int kCaptionHeight = 20;
constexpr double kTargetMs = 0.2;
constexpr int kSizes[] = {2, 4, 8};

int Margin(int size) { return size + 4; }

// 255 where nothing is, 0 under the strokes of a row of 7-pixel letters: stems, bars and
// a descender now and then, so that edges run both ways.
GlowMask CaptionMask(int size) {
  const int margin = Margin(size);
  GlowMask mask(kCaptionWidth + 2 * margin, kCaptionHeight + 2 * margin, 255);
  for (int y = 3; y < 17; ++y) {
    for (int x = 0; x < kCaptionWidth; ++x) {
      const int letter = x / 7, column = x % 7;
      const bool stem = (column == 1 || column == 4) && (y < 15 || letter % 3 == 0);
      const bool bar = (y == 3 || y == 8 || y == 13) && column >= 1 && column <= 4 && (letter + y) % 2 == 0;
      if (stem || bar) mask.At(margin + x, margin + y) = 0;
    }
  }
  return mask;
}

SkinBitmap Picture(int width, int height) {
  SkinBitmap b = CreateBitmap32(width, height);
  for (std::size_t i = 0; i < b.pixels.size(); ++i) b.pixels[i] = 0xFF000000u | static_cast<std::uint32_t>(i * 2654435761u >> 8);
  return b;
}

void BM_Glow(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const GlowMask text = CaptionMask(size);
  SkinBitmap target = Picture(text.width, text.height);
  for (auto _ : state) {
    GlowMask mask = text;
    GaussianBlur8(mask, size);
    ComposeGlow(target.View(), mask, Point{0, 0}, RgbColor(0xFF, 0xF0, 0xC0));
    benchmark::DoNotOptimize(target.pixels.data());
  }
}

void BM_Blur(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const GlowMask text = CaptionMask(size);
  for (auto _ : state) {
    GlowMask mask = text;
    GaussianBlur8(mask, size);
    benchmark::DoNotOptimize(mask.values.data());
  }
}

void BM_BlurScalar(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const GlowMask text = CaptionMask(size);
  for (auto _ : state) {
    GlowMask mask = text;
    glow_blur_scalar::Blur(mask, GlowKernel(size));  // the kernel too, as GaussianBlur8 makes it
    benchmark::DoNotOptimize(mask.values.data());
  }
}

// An a8 picture in pixman's layout: rows padded to whole 32-bit words.
struct A8Picture {
  int width, height, stride;
  std::vector<std::uint8_t> bytes;
  pixman_image_t* image;

  A8Picture(int w, int h) : width(w), height(h), stride((w + 3) & ~3), bytes(static_cast<std::size_t>(stride) * h) {
    image = pixman_image_create_bits(PIXMAN_a8, w, h, reinterpret_cast<std::uint32_t*>(bytes.data()), stride);
  }
  ~A8Picture() { pixman_image_unref(image); }
  A8Picture(const A8Picture&) = delete;
  A8Picture& operator=(const A8Picture&) = delete;
};

// Sets pixman's separable convolution on `source` along one axis: the kernel across, a
// single tap of 1 along the other, edges padded. Two phases, both the same kernel, so
// that pixman centres the kernel on each pixel.
void SetOneAxisFilter(pixman_image_t* source, const std::vector<double>& kernel, bool rows) {
  const auto taps = static_cast<int>(kernel.size());
  std::vector<pixman_fixed_t> across, one(2, pixman_fixed_1);
  for (int phase = 0; phase < 2; ++phase) {
    for (double weight : kernel) across.push_back(pixman_double_to_fixed(weight));
  }
  std::vector<pixman_fixed_t> params = {pixman_int_to_fixed(rows ? taps : 1), pixman_int_to_fixed(rows ? 1 : taps),
                                        pixman_int_to_fixed(1), pixman_int_to_fixed(1)};
  for (const auto* part : rows ? std::array{&across, &one} : std::array{&one, &across}) params.insert(params.end(), part->begin(), part->end());
  pixman_image_set_filter(source, PIXMAN_FILTER_SEPARABLE_CONVOLUTION, params.data(), static_cast<int>(params.size()));
  pixman_image_set_repeat(source, PIXMAN_REPEAT_PAD);
}

// The same blur through pixman: rows into an a8 picture, then its columns, as ours goes.
void PixmanBlur(A8Picture& source, A8Picture& between, A8Picture& out) {
  pixman_image_composite32(PIXMAN_OP_SRC, source.image, nullptr, between.image, 0, 0, 0, 0, 0, 0, source.width, source.height);
  pixman_image_composite32(PIXMAN_OP_SRC, between.image, nullptr, out.image, 0, 0, 0, 0, 0, 0, source.width, source.height);
}

void BM_PixmanBlur(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const GlowMask text = CaptionMask(size);
  A8Picture source(text.width, text.height), between(text.width, text.height), out(text.width, text.height);
  for (int y = 0; y < text.height; ++y) {
    for (int x = 0; x < text.width; ++x) source.bytes[static_cast<std::size_t>(y) * source.stride + x] = text.At(x, y);
  }
  const std::vector<double> kernel = GlowKernel(size);
  SetOneAxisFilter(source.image, kernel, true);
  SetOneAxisFilter(between.image, kernel, false);
  // A reference that blurred differently would time something else. pixman's weights are
  // 16.16 and it rounds its own way, so a step apart is the same blur.
  PixmanBlur(source, between, out);
  GlowMask ours = text;
  GaussianBlur8(ours, size);
  for (int y = 0; y < text.height; ++y) {
    for (int x = 0; x < text.width; ++x) {
      if (std::abs(ours.At(x, y) - out.bytes[static_cast<std::size_t>(y) * out.stride + x]) > 1) {
        state.SkipWithError("pixman's blur differs from ours by more than a step");
        return;
      }
    }
  }
  for (auto _ : state) {
    PixmanBlur(source, between, out);
    benchmark::DoNotOptimize(out.bytes.data());
  }
}

void Sizes(benchmark::internal::Benchmark* b) {
  for (int size : kSizes) b->Arg(size);
  b->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
}
BENCHMARK(BM_Glow)->Apply(Sizes);
BENCHMARK(BM_Blur)->Apply(Sizes);
BENCHMARK(BM_BlurScalar)->Apply(Sizes);
BENCHMARK(BM_PixmanBlur)->Apply(Sizes);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TimeRecorder recorder;
  benchmark::RunSpecifiedBenchmarks(&recorder);
  for (int size : kSizes) {
    const std::string arg = "/" + std::to_string(size);
    const std::string glow = "BM_Glow" + arg, blur = "BM_Blur" + arg, scalar = "BM_BlurScalar" + arg, pixman = "BM_PixmanBlur" + arg;
    if (!recorder.Has(glow) || !recorder.Has(blur) || !recorder.Has(scalar) || !recorder.Has(pixman)) continue;
    std::printf("glow size %d (%d x %d mask, %zu taps): glow %.3f ms (target < %.1f); blur %.3f ms, pixman / blur %.2f, scalar / blur %.2f\n",
                size, kCaptionWidth + 2 * Margin(size), kCaptionHeight + 2 * Margin(size), GlowKernel(size).size(), recorder.Time(glow),
                kTargetMs, recorder.Time(blur), recorder.Time(pixman) / recorder.Time(blur), recorder.Time(scalar) / recorder.Time(blur));
  }
  benchmark::Shutdown();
  return 0;
}
