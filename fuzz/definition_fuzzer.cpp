// Any definition text, loaded with a small master bitmap, a separate BMP and PNG picture
// and JPG stand-ins, ends in whole tables or in a skin error; the tables then hold only
// entries that lie inside their pictures, and every lookup ends.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "skin/definition/skin_loader.h"
#include "skin/skin_error.h"
#include "tests/skin_core/definition_fixture.h"

using namespace klarvik;

using namespace definition_fixture;

namespace {

class TinyJpeg : public JpegImage {
 public:
  explicit TinyJpeg(int side) : side_(side) {}
  int Width() const override { return side_; }
  int Height() const override { return side_; }
  SkinBitmap ToBitmap() const override {
    SkinBitmap b;
    b.width = b.height = side_;
    b.sourceBits = 24;
    b.pixels.assign(static_cast<std::size_t>(side_) * static_cast<std::size_t>(side_), 0x00FF00FF);
    return b;
  }

 private:
  int side_;
};

class TinyJpegDecoder : public JpegDecoder {
 public:
  std::unique_ptr<JpegImage> Decode(std::span<const std::uint8_t> bytes) const override {
    const JpegFrameSize frame = ReadJpegFrameSize(bytes);
    return std::make_unique<TinyJpeg>(std::min(frame.width, frame.height));
  }
};

const MemoryFiles& Files() {
  static const MemoryFiles files = [] {
    MemoryFiles f;
    f.Add("Master.bmp", Bmp24(64, 48, [](int x, int y) { return (x + y) % 7 == 0 ? 0xFF00FFu : 0x204060u + static_cast<std::uint32_t>(x); }));
    f.Add("Glyph.bmp", Bmp24(27, 12, [](int x, int y) { return x == y ? 0xFF00FFu : 0x808080u; }));
    f.Add("Glow.png", RgbaPng(9, 6, [](int x, int y) { return static_cast<std::uint32_t>(x * 28) << 24 | static_cast<std::uint32_t>(y * 40); }));
    f.Add("Bg.jpg", image_fixtures::JpegHead(40, 40));
    f.Add("Empty.jpg", image_fixtures::JpegHead(0, 5));
    return f;
  }();
  return files;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckTables(const TsSkinTables& t) {
  for (const TsMaskData& m : t.Masks) {
    const SkinBitmap& image = t.ImageOf(m);
    const bool jpgTexture = m.Bitmap != nullptr && m.SourceRect == Rect{};
    Check(jpgTexture || (m.SourceRect.left >= 0 && m.SourceRect.top >= 0 && m.SourceRect.right <= image.width &&
                         m.SourceRect.bottom <= image.height && m.SourceRect.left < m.SourceRect.right &&
                         m.SourceRect.top < m.SourceRect.bottom));
    Check(m.BorderLeft >= 0 && m.BorderTop >= 0 && m.BorderRight >= 0 && m.BorderBottom >= 0);
    Check(StateWidth(m) >= 0 && StateHeight(m) >= 0 && MarginLeft(m) >= 0 && MarginTop(m) >= 0);
  }
  for (std::size_t i = 0; i < t.Sections.size(); ++i) {
    const TsGeneralData& s = t.Sections[i];
    Check(s.States >= 1 && s.Transparency >= 0 && s.Transparency <= 100 && s.FadingIterations >= -1 && s.FadingIterations <= 255);
    Check(s.GradientArray != nullptr && s.StateProps[kStateHot].GradientArray != nullptr);
    const int index = static_cast<int>(i);
    for (int found : {s.BorderMaskIndex, s.TextureIndex, t.IndexOfMask(index, s.SectionName, "GLYPHMASK"),
                      t.IndexOfPattern(index, s.SectionName, "PATTERN")}) {
      Check(found >= -1);
    }
    Check(s.SectionName == "GLOBALINFO" || s.BorderMaskIndex == -1 || t.IsValidMaskIndex(s.BorderMaskIndex));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  static const TinyJpegDecoder jpeg;
  TsLoadSettings settings;
  settings.Jpeg = &jpeg;
  // Inputs whose first line starts with "*" are also applied as overlay lines.
  if (!text.empty() && text.front() == '*') {
    std::vector<std::string> lines;
    std::size_t start = 1;
    while (start <= text.size()) {
      std::size_t end = std::min(text.find('\n', start), text.size());
      lines.emplace_back(text.substr(start, end - start));
      start = end + 1;
    }
    settings.CommonSections = PrepareCommonSections(lines);
  }
  try {
    CheckTables(LoadSkinTables(text, Files(), settings));
  } catch (const ESkinError&) {
  }
  return 0;
}
