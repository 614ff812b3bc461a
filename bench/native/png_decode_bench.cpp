// Decoding 32-bit RGBA PNG images of the sizes skins use, and one of 1024 x 1024, with
// the skin engine's decoder against libpng decoding the same bytes to 8-bit RGBA rows.
// Prints the ratio per size and over all sizes (target at most 1.0).
#include <benchmark/benchmark.h>
#include <png.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/native/time_recorder.h"
#include "skin/image/png_decoder.h"

using namespace klarvik;

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Size {
  int width, height;
};

// Glows, caption-button glows, shadows and the gauge light are this small; the last one
// is the large reference.
const std::vector<Size> kSizes = {{33, 33}, {60, 20}, {96, 40}, {180, 120}, {1024, 1024}};

// A glow-like picture: smooth colour and alpha ramps around a centre, a little noise.
std::vector<std::uint8_t> GlowPixels(int width, int height) {
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
  std::uint32_t seed = 7;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      seed = seed * 1103515245u + 12345u;
      const double dx = (x - width / 2.0) / width;
      const double dy = (y - height / 2.0) / height;
      const double fall = std::max(0.0, 1.0 - 2.0 * std::sqrt(dx * dx + dy * dy));
      std::uint8_t* p = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
      const int noise = static_cast<int>((seed >> 24) & 7);
      p[0] = static_cast<std::uint8_t>(60 + 180 * fall + noise);
      p[1] = static_cast<std::uint8_t>(120 + 100 * fall);
      p[2] = static_cast<std::uint8_t>(200 + 50 * fall);
      p[3] = static_cast<std::uint8_t>(255 * fall * fall);
    }
  }
  return rgba;
}

// The file an ordinary encoder writes: libpng with its default filter choice and level.
Bytes EncodeWithLibpng(int width, int height, const std::vector<std::uint8_t>& rgba) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr)) {
    throw std::runtime_error("png size");
  }
  Bytes out(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, rgba.data(), 0, nullptr)) {
    throw std::runtime_error("png write");
  }
  out.resize(size);
  return out;
}

const Bytes& FileOfSize(std::size_t index) {
  static std::map<std::size_t, Bytes> files;
  auto found = files.find(index);
  if (found == files.end()) {
    const Size s = kSizes[index];
    found = files.emplace(index, EncodeWithLibpng(s.width, s.height, GlowPixels(s.width, s.height))).first;
  }
  return found->second;
}

struct MemoryReader {
  const Bytes* bytes;
  std::size_t offset;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (length > reader->bytes->size() - reader->offset) png_error(png, "read past the end");
  std::memcpy(out, reader->bytes->data() + reader->offset, length);
  reader->offset += length;
}

// libpng's ordinary reading path into one buffer of 8-bit RGBA rows.
std::vector<std::uint8_t> DecodeWithLibpng(const Bytes& file) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  std::vector<std::uint8_t> pixels;
  std::vector<png_bytep> rows;
  MemoryReader reader{&file, 0};
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    throw std::runtime_error("libpng failed");
  }
  png_set_read_fn(png, &reader, ReadFromMemory);
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  pixels.resize(static_cast<std::size_t>(width) * height * 4);
  rows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = pixels.data() + static_cast<std::size_t>(y) * width * 4;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return pixels;
}

void BM_SkinPng(benchmark::State& state) {
  const Bytes& file = FileOfSize(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    SkinBitmap bitmap = DecodePng(file);
    benchmark::DoNotOptimize(bitmap.pixels.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}

void BM_Libpng(benchmark::State& state) {
  const Bytes& file = FileOfSize(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    std::vector<std::uint8_t> pixels = DecodeWithLibpng(file);
    benchmark::DoNotOptimize(pixels.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}

void AllSizes(benchmark::internal::Benchmark* b) {
  for (std::size_t i = 0; i < kSizes.size(); ++i) b->Arg(static_cast<std::int64_t>(i));
}

BENCHMARK(BM_SkinPng)->Apply(AllSizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Libpng)->Apply(AllSizes)->Unit(benchmark::kMicrosecond);

// Checks once that both decoders agree on every pixel, so the race is a fair one.
bool SamePixels() {
  for (std::size_t i = 0; i < kSizes.size(); ++i) {
    const SkinBitmap ours = DecodePng(FileOfSize(i));
    const std::vector<std::uint8_t> reference = DecodeWithLibpng(FileOfSize(i));
    for (std::size_t p = 0; p < ours.pixels.size(); ++p) {
      const std::uint8_t* rgba = &reference[p * 4];
      const std::uint32_t expected = (std::uint32_t{rgba[3]} << 24) | (std::uint32_t{rgba[0]} << 16) |
                                     (std::uint32_t{rgba[1]} << 8) | rgba[2];
      if (ours.pixels[p] != expected) return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (!SamePixels()) {
    std::fprintf(stderr, "the decoders disagree on the pixels\n");
    return 1;
  }
  TimeRecorder reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  double ours = 0;
  double reference = 0;
  for (std::size_t i = 0; i < kSizes.size(); ++i) {
    const std::string arg = "/" + std::to_string(i);
    const double a = reporter.Time("BM_SkinPng" + arg);
    const double b = reporter.Time("BM_Libpng" + arg);
    std::printf("%4d x %-4d  %zu bytes  ratio %.2f\n", kSizes[i].width, kSizes[i].height, FileOfSize(i).size(), a / b);
    // Each size weighs the same, whatever its pixel count.
    ours += a / b;
    reference += 1;
  }
  std::printf("PNG decoding, skin decoder / libpng: %.2f over all sizes (target <= 1.00)\n", ours / reference);
  benchmark::Shutdown();
  return 0;
}
