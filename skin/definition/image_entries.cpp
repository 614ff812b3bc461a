#include "skin/definition/image_entries.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/ascii_text.h"
#include "base/pixel.h"
#include "skin/definition/value_parsing.h"
#include "skin/image/bmp_decoder.h"
#include "skin/image/pixel_rules.h"
#include "skin/image/png_decoder.h"
#include "skin/skin_error.h"

namespace klarvik {

namespace {

constexpr int kMaxMargin = 32767;

// Characters `from` .. `to` (1-based, inclusive) of a positional value, converted
// strictly: a value too short for the field fails like any other non-number.
int PositionalField(std::string_view value, std::size_t from, std::size_t to) {
  std::string_view field = from - 1 < value.size() ? value.substr(from - 1, to - from + 1) : std::string_view();
  return StrictInteger(field);
}

std::vector<std::string_view> SplitWords(std::string_view text, std::string_view separators, bool keepEmpty) {
  std::vector<std::string_view> words;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find_first_of(separators, start);
    if (end == std::string_view::npos) end = text.size();
    if (keepEmpty || end > start) words.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return words;
}

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

std::int16_t Margin(long long value) { return static_cast<std::int16_t>(ClampInt(value, 0, kMaxMargin)); }

// Keeps a rectangle inside its picture: an inverted rectangle, or one that leaves nothing
// of the picture, makes no entry.
bool FitToImage(Rect& rect, const SkinBitmap& image) {
  if (rect.right < rect.left || rect.bottom < rect.top) return false;
  rect.left = std::max(rect.left, 0);
  rect.top = std::max(rect.top, 0);
  rect.right = std::min(rect.right, image.width);
  rect.bottom = std::min(rect.bottom, image.height);
  return rect.left < rect.right && rect.top < rect.bottom;
}

Rect PositionalRect(std::string_view value) {
  return Rect{PositionalField(value, 2, 5), PositionalField(value, 7, 10), PositionalField(value, 12, 15), PositionalField(value, 17, 20)};
}

// One third of a state image's width and height.
void ApplyThirds(TsMaskData& mask, int width, int height) {
  long long across = static_cast<long long>(mask.StateCount) * 3;
  long long down = (static_cast<long long>(mask.MaskKind) + 1) * 3;
  mask.BorderLeft = across > 0 ? Margin(width / across) : 0;
  mask.BorderTop = down > 0 ? Margin(height / down) : 0;
  mask.BorderRight = mask.BorderLeft;
  mask.BorderBottom = mask.BorderTop;
}

void ApplyOldBorderRule(TsMaskData& mask, double version) {
  if (version >= 7.4 || mask.MaskKind <= 0) return;
  bool singlePixelCentre = mask.StateCount > 0 &&
                           mask.SourceRect.Width() / mask.StateCount - mask.BorderLeft - mask.BorderRight == 1 &&
                           mask.SourceRect.Height() / (mask.MaskKind + 1) - mask.BorderTop - mask.BorderBottom == 1;
  if (singlePixelCentre) {
    mask.FillMode = static_cast<std::int16_t>(mask.FillMode | kFillStretchSides);
  } else {
    mask.FillMode = static_cast<std::int16_t>(mask.FillMode & ~kFillStretchSides);
  }
}

bool HasKeyPixel(const SkinBitmap& image, int x0, int x1, int y0, int y1) {
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  for (int y = y0; y < y1; ++y) {
    const std::uint32_t* row = image.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width);
    for (int x = x0; x < x1; ++x) {
      if (IsKeyPixel(row[x])) return true;
    }
  }
  return false;
}

// Whether a key-coloured pixel lies in a corner of the first state image. The far edge
// of the picture (its last column and row) is never scanned.
std::int16_t CornerKindOf(const TsMaskData& mask, const SkinBitmap& image) {
  if (mask.SectionName == "BUTTON_HUGE" && mask.KeyName == "BORDERSMASK") return 2;
  if (mask.SourceRect.Height() <= 0 || mask.StateCount <= 0 || mask.MaskKind < 0 || image.Empty()) return 0;
  const int w = image.width - 1;
  const int h = image.height - 1;
  const int l = mask.SourceRect.left;
  const int t = mask.SourceRect.top;
  const int sw = mask.SourceRect.Width() / mask.StateCount;
  const int sh = mask.SourceRect.Height() / (mask.MaskKind + 1);
  const int leftEnd = std::min(l + mask.BorderLeft, w);
  const int rightFrom = l + sw - mask.BorderRight;
  const int rightEnd = std::min(l + sw, w);
  const int topEnd = std::min(t + mask.BorderTop, h);
  const int bottomFrom = t + sh - mask.BorderBottom;
  const int bottomEnd = std::min(t + sh, h);
  bool found = HasKeyPixel(image, l, leftEnd, t, topEnd) || HasKeyPixel(image, rightFrom, rightEnd, t, topEnd) ||
               HasKeyPixel(image, l, leftEnd, bottomFrom, bottomEnd) || HasKeyPixel(image, rightFrom, rightEnd, bottomFrom, bottomEnd);
  return found ? 1 : 0;
}

class EntryBuilder {
 public:
  EntryBuilder(const TsImageSources& sources, TsMaskArray& masks) : sources_(sources), masks_(masks) {}

  void Visit(std::string_view section, std::string_view key, std::string_view value, bool overlay) {
    if (value.empty() || (section == "GLOBALINFO" && key == "MASTERBITMAP")) return;
    if (!overlay) {
      switch (value.front()) {
        case '@': return AddGlyph(section, key, value);
        case '^': return AddBorder(section, key, value);
        case '~': return AddTexture(section, key, value);
        case '!': return AddSeparateImage(section, key, value);
        default: break;
      }
    }
    if (Contains(value, "#")) {
      if (value != "#") AddBracketed(section, key, value, overlay);
      return;
    }
    if (ContainsUpper(value, ".BMP")) AddGlyphFile(section, key, value);
  }

 private:
  void AddGlyph(std::string_view section, std::string_view key, std::string_view value) {
    TsMaskData mask = Named(section, key);
    mask.SourceRect = PositionalRect(value);
    mask.StateCount = static_cast<std::int16_t>(PositionalField(value, 22, 22));
    mask.MaskKind = static_cast<std::int16_t>(PositionalField(value, 24, 24));
    mask.ImageKind = kImageGlyph;
    if (FitToImage(mask.SourceRect, sources_.Master)) masks_.push_back(std::move(mask));
  }

  void AddBorder(std::string_view section, std::string_view key, std::string_view value) {
    TsMaskData mask = Named(section, key);
    mask.SourceRect = PositionalRect(value);
    mask.BorderLeft = Margin(PositionalField(value, 22, 25));
    mask.BorderTop = Margin(PositionalField(value, 27, 30));
    mask.BorderRight = Margin(PositionalField(value, 32, 35));
    mask.BorderBottom = Margin(PositionalField(value, 37, 40));
    mask.StateCount = static_cast<std::int16_t>(PositionalField(value, 42, 42));
    mask.MaskKind = static_cast<std::int16_t>(PositionalField(value, 44, 44));
    mask.FillMode = static_cast<std::int16_t>(PositionalField(value, 46, 46));
    mask.CommonMargin = static_cast<std::int16_t>(PositionalField(value, 48, 48));
    mask.ImageKind = kImageBorder;
    if (!FitToImage(mask.SourceRect, sources_.Master)) return;
    ApplyOldBorderRule(mask, sources_.Version);
    if (mask.BorderLeft + mask.BorderTop + mask.BorderRight + mask.BorderBottom == 0) {
      if (mask.CommonMargin != 0) {
        mask.BorderLeft = mask.BorderTop = mask.BorderRight = mask.BorderBottom = mask.CommonMargin;
      } else {
        ApplyThirds(mask, mask.SourceRect.Width(), mask.SourceRect.Height());
      }
    }
    mask.CornerKind = CornerKindOf(mask, sources_.Master);
    masks_.push_back(std::move(mask));
  }

  void AddTexture(std::string_view section, std::string_view key, std::string_view value) {
    TsMaskData mask = Named(section, key);
    mask.SourceRect = PositionalRect(value);
    mask.FillMode = static_cast<std::int16_t>(PositionalField(value, 22, 23));
    mask.MaskKind = value.size() >= 25 ? static_cast<std::int16_t>(PositionalField(value, 25, 25)) : 0;
    mask.ImageKind = kImageTexture;
    mask.StateCount = 1;
    if (!FitToImage(mask.SourceRect, sources_.Master)) return;
    if (sources_.Version < 7.4 && mask.MaskKind > 0) mask.FillMode = static_cast<std::int16_t>(mask.FillMode & ~kFillStretchSides);
    masks_.push_back(std::move(mask));
  }

  void AddSeparateImage(std::string_view section, std::string_view key, std::string_view value) {
    std::vector<std::string_view> words = SplitWords(value.substr(1), "!", true);
    const std::string_view file = words[0];
    const bool png = Contains(file, ".PNG");
    if (!png && !Contains(file, ".BMP")) return;
    auto word = [&](std::size_t n) { return n <= words.size() ? IntegerOr(words[n - 1], 0) : 0; };
    const int imageKind = word(4);
    // A negative image kind names nothing that can be drawn.
    if (imageKind < 0) return;
    std::shared_ptr<SkinBitmap> image = LoadImage(std::string(file), png);
    if (image == nullptr) return;

    TsMaskData mask = Named(section, key);
    mask.Bitmap = image;
    mask.SourceRect = Rect{0, 0, image->width, image->height};
    mask.StateCount = static_cast<std::int16_t>(ClampInt(word(2), 0, kMaxMargin));
    mask.MaskKind = static_cast<std::int16_t>(ClampInt(word(3), -1, kMaxMargin));
    mask.ImageKind = static_cast<std::uint8_t>(std::min(imageKind, 4));
    if (words.size() >= 5) {
      mask.BorderLeft = Margin(word(5));
      mask.BorderTop = Margin(word(6));
      mask.BorderRight = Margin(word(7));
      mask.BorderBottom = Margin(word(8));
    } else {
      ApplyThirds(mask, image->width, image->height);
    }
    mask.FillMode = words.size() >= 9 ? ClampToInt16(word(9)) : 1;
    if (mask.ImageKind == kImageBorder) mask.CornerKind = CornerKindOf(mask, *image);
    masks_.push_back(std::move(mask));
  }

  void AddGlyphFile(std::string_view section, std::string_view key, std::string_view value) {
    std::shared_ptr<SkinBitmap> image = LoadImage(UpperCase(value), false);
    if (image == nullptr) return;
    TsMaskData mask = Named(UpperCase(section), UpperCase(key));
    mask.Bitmap = image;
    mask.SourceRect = Rect{0, 0, image->width, image->height};
    mask.StateCount = 3;
    mask.MaskKind = 1;
    mask.BorderLeft = Margin(image->width / 9);
    mask.BorderTop = Margin(image->height / 6);
    mask.BorderRight = mask.BorderLeft;
    mask.BorderBottom = mask.BorderTop;
    mask.ImageKind = kImageBorder;
    mask.CornerKind = CornerKindOf(mask, *image);
    masks_.push_back(std::move(mask));
  }

  void AddBracketed(std::string_view section, std::string_view key, std::string_view value, bool overlay) {
    std::vector<std::string_view> words = SplitWords(value, " ()", false);
    auto numbers = [&](std::size_t n) {
      return n <= words.size() ? SplitWords(words[n - 1], " ,", false) : std::vector<std::string_view>();
    };
    std::vector<std::string_view> rect = numbers(2);
    std::vector<std::string_view> counts = numbers(3);
    auto lenient = [](const std::vector<std::string_view>& list, std::size_t i) { return i < list.size() ? IntegerOr(list[i], 0) : 0; };

    TsMaskData mask = Named(UpperCase(section), UpperCase(key));
    mask.SourceRect = Rect{lenient(rect, 0), lenient(rect, 1), lenient(rect, 2), lenient(rect, 3)};
    mask.StateCount = static_cast<std::int16_t>(ClampInt(lenient(counts, 0), 1, kMaxMargin));
    mask.MaskKind = static_cast<std::int16_t>(ClampInt(lenient(counts, 1), 0, kMaxMargin));
    mask.CommonMargin = counts.size() > 2 ? Margin(StrictInteger(counts[2])) : 0;
    mask.FillMode = counts.size() > 3 ? ClampToInt16(StrictInteger(counts[3])) : 1;
    mask.ImageKind = kImageBorder;
    if (!FitToImage(mask.SourceRect, sources_.Master)) return;
    if (mask.CommonMargin != 0) {
      mask.BorderLeft = mask.BorderTop = mask.BorderRight = mask.BorderBottom = mask.CommonMargin;
    } else if (overlay) {
      ApplyThirds(mask, mask.SourceRect.Width(), mask.SourceRect.Height());
    } else {
      mask.BorderLeft = mask.BorderRight = Margin(StateWidth(mask));
      mask.BorderTop = mask.BorderBottom = Margin(StateHeight(mask));
    }
    mask.CornerKind = CornerKindOf(mask, sources_.Master);
    masks_.push_back(std::move(mask));
  }

  TsMaskData Named(std::string_view section, std::string_view key) const {
    TsMaskData mask;
    mask.SectionName = section;
    mask.KeyName = key;
    return mask;
  }

  // A separate picture, normalised; none when the file is missing or has no width.
  std::shared_ptr<SkinBitmap> LoadImage(const std::string& name, bool png) const {
    std::vector<std::uint8_t> storage;
    std::optional<std::span<const std::uint8_t>> bytes = sources_.Files.View(name, storage);
    if (!bytes) return nullptr;
    sources_.Budget.Take(png ? ReadPngSize(*bytes) : ReadBmpSize(*bytes));
    auto image = std::make_shared<SkinBitmap>(png ? DecodePng(*bytes) : DecodeBmp(*bytes));
    if (image->Empty()) return nullptr;
    if (png) {
      ApplyPngEntryRules(*image, sources_.Version > 7.45 ? PngAlphaRule::Premultiply : PngAlphaRule::TransparentWhite);
    } else {
      NormaliseTo32Bits(*image);
    }
    return image;
  }

  const TsImageSources& sources_;
  TsMaskArray& masks_;
};

}  // namespace

void AddImageEntries(const TsIniText& ini, bool overlay, const TsImageSources& sources, TsMaskArray& masks) {
  EntryBuilder builder(sources, masks);
  for (const TsIniSection& section : ini.Sections()) {
    for (const TsIniKey& key : section.Keys) builder.Visit(section.Name, key.Name, key.Value, overlay);
  }
}

void AddJpegBackgrounds(const TsIniText& ini, bool overlay, const TsImageSources& sources, TsMaskArray& masks,
                        TsPatternArray& patterns) {
  if (sources.Jpeg == nullptr) return;
  for (const TsIniSection& section : ini.Sections()) {
    for (const TsIniKey& key : section.Keys) {
      if (!ContainsUpper(key.Value, ".JPG") && !ContainsUpper(key.Value, ".JPEG")) continue;
      const std::string name = UpperCase(key.Value);
      std::vector<std::uint8_t> storage;
      std::optional<std::span<const std::uint8_t>> bytes = sources.Files.View(name, storage);
      if (!bytes) continue;
      const JpegFrameSize frame = ReadJpegFrameSize(*bytes);
      sources.Budget.Take(frame);
      std::shared_ptr<const JpegImage> picture = sources.Jpeg->Decode(*bytes);
      if (picture == nullptr || picture->Width() <= 0 || picture->Height() <= 0) continue;
      // The platform scales the picture by the screen's resolution: a larger result takes
      // what it adds.
      sources.Budget.Take({picture->Width(), picture->Height()}, frame);
      if (overlay || IsLargeBackground(picture->Width(), picture->Height())) {
        patterns.push_back(TsPatternData{picture, UpperCase(section.Name), UpperCase(key.Name)});
        continue;
      }
      auto texture = std::make_shared<SkinBitmap>(picture->ToBitmap());
      NormaliseTo32Bits(*texture);
      TsMaskData mask;
      mask.Bitmap = texture;
      mask.SectionName = UpperCase(section.Name);
      mask.KeyName = UpperCase(key.Name);
      mask.ImageKind = kImageTexture;
      mask.StateCount = 1;
      masks.push_back(std::move(mask));
    }
  }
}

void TsPixelBudget::Take(SkinImageSize size, SkinImageSize alreadyTaken) {
  const auto pixels = [](SkinImageSize s) { return static_cast<std::int64_t>(std::max(s.width, 0)) * std::max(s.height, 0); };
  left_ -= std::max<std::int64_t>(pixels(size) - pixels(alreadyTaken), 0);
  if (left_ < 0) throw ESkinError("The skin's images are too large");
}

SkinBitmap LoadMasterBitmap(const TsIniText& ini, const TsSkinFiles& files, TsPixelBudget& budget) {
  std::string name = ini.ReadString("GLOBALINFO", "MASTERBITMAP", "");
  if (name.empty()) return {};
  std::vector<std::uint8_t> storage;
  std::optional<std::span<const std::uint8_t>> bytes = files.View(name, storage);
  if (!bytes) return {};
  const bool png = HasPngSignature(*bytes);
  budget.Take(png ? ReadPngSize(*bytes) : ReadBmpSize(*bytes));
  SkinBitmap master = png ? DecodePng(*bytes) : DecodeBmp(*bytes);
  NormaliseTo32Bits(master);
  master.transparentColor = ColorValue(kKeyColor);
  return master;
}

}  // namespace klarvik
