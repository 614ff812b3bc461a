#pragma once
// Skins held in memory for the definition tests: files by name, and small BMP and PNG
// pictures written here so that each test states the pixels it relies on.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "skin/definition/skin_files.h"
#include "skin/definition/skin_loader.h"
#include "tests/skin_core/image_fixtures.h"

namespace klarvik {

namespace definition_fixture {

using Bytes = std::vector<std::uint8_t>;

// Files looked up as a package looks up its members: the upper-cased stored name must
// equal the name as the definition writes it.
class MemoryFiles : public TsSkinFiles {
 public:
  void Add(const std::string& name, Bytes bytes) { files_[name] = std::move(bytes); }
  std::optional<Bytes> Read(const std::string& name) const override {
    const Bytes* bytes = Find(name);
    return bytes != nullptr ? std::optional<Bytes>(*bytes) : std::nullopt;
  }
  std::optional<std::span<const std::uint8_t>> View(const std::string& name, Bytes&) const override {
    const Bytes* bytes = Find(name);
    return bytes != nullptr ? std::optional<std::span<const std::uint8_t>>(*bytes) : std::nullopt;
  }

 private:
  const Bytes* Find(const std::string& name) const {
    for (const auto& [stored, bytes] : files_) {
      std::string upper = stored;
      for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
      if (upper == name) return &bytes;
    }
    return nullptr;
  }
  std::map<std::string, Bytes> files_;
};

inline void PutLe(Bytes& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
using image_fixtures::Chunk;
using image_fixtures::Deflate;
using image_fixtures::kPngSignature;
using image_fixtures::PutBe32;

// A 24-bit bottom-up BMP; `colour(x, y)` gives 0x00RRGGBB with y counted from the top.
inline Bytes Bmp24(int width, int height, const std::function<std::uint32_t(int, int)>& colour) {
  const int stride = (width * 3 + 3) & ~3;
  Bytes file{'B', 'M'};
  PutLe(file, static_cast<std::uint32_t>(54 + stride * height), 4);
  PutLe(file, 0, 4);
  PutLe(file, 54, 4);
  PutLe(file, 40, 4);
  PutLe(file, static_cast<std::uint32_t>(width), 4);
  PutLe(file, static_cast<std::uint32_t>(height), 4);
  PutLe(file, 1, 2);
  PutLe(file, 24, 2);
  for (int i = 0; i < 6; ++i) PutLe(file, 0, 4);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) PutLe(file, colour(x, y), 3);
    for (int pad = width * 3; pad < stride; ++pad) file.push_back(0);
  }
  return file;
}

inline Bytes PlainBmp(int width, int height, std::uint32_t rgb = 0x336699) {
  return Bmp24(width, height, [rgb](int, int) { return rgb; });
}

// An 8-bit RGBA PNG; `pixel(x, y)` gives 0xAARRGGBB.
inline Bytes RgbaPng(int width, int height, const std::function<std::uint32_t(int, int)>& pixel) {
  Bytes header;
  PutBe32(header, static_cast<std::uint32_t>(width));
  PutBe32(header, static_cast<std::uint32_t>(height));
  header.insert(header.end(), {8, 6, 0, 0, 0});
  Bytes raw;
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = pixel(x, y);
      raw.insert(raw.end(), {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8), static_cast<std::uint8_t>(p),
                             static_cast<std::uint8_t>(p >> 24)});
    }
  }
  Bytes file = kPngSignature;
  for (const Bytes& chunk : {Chunk("IHDR", header), Chunk("IDAT", Deflate(raw)), Chunk("IEND", {})}) {
    file.insert(file.end(), chunk.begin(), chunk.end());
  }
  return file;
}

// A skin with a plain 200 x 100 master bitmap named "MASTER.BMP" in front of `body`.
inline std::string WithMaster(const std::string& body, const std::string& global = "") {
  return "[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n" + global + body;
}

inline MemoryFiles FilesWithMaster(int width = 200, int height = 100) {
  MemoryFiles files;
  files.Add("Master.bmp", PlainBmp(width, height));
  return files;
}

inline TsSkinTables Load(const std::string& definition, const TsSkinFiles& files, const TsLoadSettings& settings = {}) {
  return LoadSkinTables(definition, files, settings);
}

inline TsSkinTables Load(const std::string& definition) { return Load(definition, MemoryFiles()); }

inline const TsGeneralData& Section(const TsSkinTables& tables, const std::string& name) {
  const int index = tables.IndexOfSection(name);
  if (index < 0) throw std::runtime_error("no section " + name);
  return tables.Sections[static_cast<std::size_t>(index)];
}

}  // namespace definition_fixture

}  // namespace klarvik
