// Reading a skin package against the floor: inflating the same members with plain zlib
// calls into buffers of their sizes. Prints the ratio (target at most 1.3).
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/native/time_recorder.h"
#include "skin/package/package_writer.h"
#include "skin/package/skin_convertor.h"

using namespace klarvik;

namespace {

using Bytes = std::vector<std::uint8_t>;

// Picture-like bytes: smooth rows with runs and a little noise, so they compress about as
// well as skin bitmaps do (around ten to one).
Bytes PictureLike(std::size_t size, std::uint32_t seed) {
  Bytes out(size);
  for (std::size_t i = 0; i < size; ++i) {
    seed = seed * 1103515245u + 12345u;
    const bool noise = (seed >> 16) % 128 == 0;
    out[i] = static_cast<std::uint8_t>(noise ? seed >> 24 : (i / 64) % 200 + (i % 3) * 20);
  }
  return out;
}

Bytes DefinitionLike(std::size_t size) {
  std::string text;
  for (int section = 0; text.size() < size; ++section) {
    text += "[SECTION" + std::to_string(section) + "]\r\nSTATES=3\r\nCOLOR=" + std::to_string(section * 7919 % 16777216) +
            "\r\nBORDER=MASTER.BMP#" + std::to_string(section * 13) + "#" + std::to_string(section * 5) + "#60#20#3#1\r\n";
  }
  text.resize(size);
  return Bytes(text.begin(), text.end());
}

// Members as in a stored skin with a few glow images.
struct Fixture {
  Bytes package;
  struct Member {
    std::size_t offset;
    std::size_t packedSize;
    std::size_t size;
  };
  std::vector<Member> members;

  Fixture() {
    const std::vector<TacPackageMember> files = {
        {"Options.dat", DefinitionLike(16852)}, {"Huge.bmp", PictureLike(36918, 1)},
        {"Master.bmp", PictureLike(222796, 2)}, {"CloseAG.png", PictureLike(4153, 3)},
        {"CloseG.png", PictureLike(4103, 4)},   {"MaxG.png", PictureLike(3785, 5)},
        {"MinG.png", PictureLike(3819, 6)},     {"NormG.png", PictureLike(3873, 7)},
    };
    package = WritePackage(files);
    std::size_t offset = 8;
    for (const TacPackageMember& file : files) {
      offset += 4 + file.Name.size() + 4;
      uLongf packed = compressBound(static_cast<uLong>(file.Bytes.size()));
      Bytes scratch(packed);
      compress2(scratch.data(), &packed, file.Bytes.data(), static_cast<uLong>(file.Bytes.size()), Z_DEFAULT_COMPRESSION);
      members.push_back({offset, packed, file.Bytes.size()});
      offset += packed;
    }
  }
};

const Fixture& TheFixture() {
  static const Fixture fixture;
  return fixture;
}

void BM_ReadPackage(benchmark::State& state) {
  const Fixture& fixture = TheFixture();
  for (auto _ : state) {
    std::unique_ptr<TacSkinConvertor> reader;
    ReadStoredPackage(fixture.package, reader);
    benchmark::DoNotOptimize(reader->ImageItems().data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fixture.package.size()));
}

void BM_PlainZlib(benchmark::State& state) {
  const Fixture& fixture = TheFixture();
  for (auto _ : state) {
    std::vector<Bytes> outputs;
    outputs.reserve(fixture.members.size());
    for (const auto& member : fixture.members) {
      Bytes& out = outputs.emplace_back(member.size);
      uLongf size = static_cast<uLongf>(member.size);
      if (uncompress(out.data(), &size, fixture.package.data() + member.offset, static_cast<uLong>(member.packedSize)) != Z_OK) {
        state.SkipWithError("plain inflate failed");
      }
    }
    benchmark::DoNotOptimize(outputs.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fixture.package.size()));
}

BENCHMARK(BM_ReadPackage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainZlib)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TimeRecorder reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("package read / plain zlib inflate: %.3f (target <= 1.3)\n",
              reporter.Time("BM_ReadPackage") / reporter.Time("BM_PlainZlib"));
  benchmark::Shutdown();
  return 0;
}
