#pragma once
// The records a loaded skin is turned into: global values, per-section records with a
// normal and a hot state, image entries (rectangles of the skin's pictures) and large
// backgrounds. Portable: the paint primitives read them natively and in the program.
#include <array>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "base/color.h"
#include "base/geometry.h"
#include "skin/image/jpeg_decoder.h"
#include "skin/image/skin_bitmap.h"

namespace klarvik {

constexpr TColor kNoColor{-1};  // a record's "none" (contour colours)

// One step of a section's gradient.
struct TsGradStep {
  TColor Color1{0};       // at least 0
  TColor Color2{0};       // at least 0
  std::uint8_t Percent = 0;  // 0..100: share of the area this step covers
  std::int32_t Mode = 0;     // handed to the gradient painter unchanged
  bool operator==(const TsGradStep&) const = default;
};
using TsGradArray = std::vector<TsGradStep>;
// A state record refers to the very array of its section's flat field, so a step changed
// through one (hue shifting) is seen through the other. Sections that inherit one gradient
// text share its array too, so whatever changes steps must change each array once. Never
// null in a loaded skin.
using TsGradArrayRef = std::shared_ptr<TsGradArray>;

// Text held by many records at once (a gradient inherited by every section below it):
// copies share one buffer, so a long text costs its size once per load.
class TsSharedText {
 public:
  TsSharedText() = default;
  TsSharedText(std::string_view text) : text_(text.empty() ? nullptr : std::make_shared<const std::string>(text)) {}
  TsSharedText(const char* text) : TsSharedText(std::string_view(text)) {}
  TsSharedText(const std::string& text) : TsSharedText(std::string_view(text)) {}

  std::string_view View() const { return text_ != nullptr ? std::string_view(*text_) : std::string_view(); }
  operator std::string_view() const { return View(); }
  std::size_t size() const { return View().size(); }
  bool empty() const { return View().empty(); }
  bool SharesBufferWith(const TsSharedText& other) const { return text_ == other.text_; }

  friend bool operator==(const TsSharedText& a, const TsSharedText& b) { return a.View() == b.View(); }
  friend bool operator==(const TsSharedText& a, std::string_view b) { return a.View() == b; }
  friend bool operator==(const TsSharedText& a, const char* b) { return a.View() == std::string_view(b); }
  friend std::ostream& operator<<(std::ostream& out, const TsSharedText& text) { return out << text.View(); }

 private:
  std::shared_ptr<const std::string> text_;
};

enum TsStateIndex : int { kStateNormal = 0, kStateHot = 1 };

struct TsGenState {
  TColor Color{0};
  std::array<TColor, 5> FontColors{};  // text, then contour left, top, right, bottom (-1: none)
  std::int32_t GradientPercent = 0;    // 0..100
  TsSharedText GradientData;
  TsGradArrayRef GradientArray;
  std::int32_t ImagePercent = 0;  // 0..100
  std::int32_t TextureIndex = -1;  // image entry of the state's texture
  TColor GlowColor{0};
  std::uint8_t GlowSize = 0;
  std::int32_t Transparency = 0;  // percent, 0..100
};
using TsProps = std::array<TsGenState, 2>;

struct TsGeneralData {
  std::string ParentClass;
  std::string SectionName;
  std::int32_t States = 3;  // at least 1
  TsProps StateProps;
  bool GiveOwnFont = false;
  bool ReservedBoolean = false;
  bool ShowFocus = true;
  std::int32_t Glow = 0;
  std::int32_t GlowMargin = 0;
  std::int32_t BorderMaskIndex = -1;
  std::array<std::int32_t, 4> CornerIndexes{-1, -1, -1, -1};  // top left, top right, bottom left, bottom right
  std::int32_t TextureIndex = -1;
  TColor Color{0xFFFFFF};
  std::int32_t Transparency = 0;
  std::int32_t GradientPercent = 0;
  TsSharedText GradientData = " ";
  TsGradArrayRef GradientArray;
  std::int32_t ImagePercent = 0;
  std::array<TColor, 5> FontColors{TColor{0}, kNoColor, kNoColor, kNoColor, kNoColor};
  TColor HotColor{0xFFFFFF};
  std::int32_t HotTransparency = 0;
  std::int32_t HotGradientPercent = 0;
  TsSharedText HotGradientData;
  TsGradArrayRef HotGradientArray;
  std::int32_t HotImagePercent = 0;
  std::array<TColor, 5> HotFontColors{TColor{0}, kNoColor, kNoColor, kNoColor, kNoColor};
  bool FadingEnabled = false;
  std::int32_t FadingIterations = 5;  // 0..255; -1 (inherit) in an overlay section that leaves it out
  TColor HotGlowColor{0xFFFFFF};
  TColor GlowColor{0xFFFFFF};
  std::uint8_t HotGlowSize = 0;
  std::uint8_t GlowSize = 0;
};
using TsGeneralDataArray = std::vector<TsGeneralData>;

// The longest chain of "PARENTCLASS" references followed; farther ancestors are not read.
inline constexpr int kMaxParentDepth = 64;

// What an image entry is drawn as.
enum TsImageKind : std::uint8_t {
  kImageBorder = 0,   // nine-part frame
  kImageTexture = 1,
  kImageGlyph = 2,    // state images side by side
  kImageGlow = 3,
  kImageCaptionGlow = 4,
};

// Bits of FillMode for border entries (for textures it is a tiling mode 0..10).
constexpr std::int16_t kFillStretchSides = 1;
constexpr std::int16_t kFillNoStateZero = 2;
constexpr std::int16_t kFillCentre = 4;

struct TsMaskData {
  // The picture that holds the entry; null means the skin's master bitmap.
  std::shared_ptr<SkinBitmap> Bitmap;
  std::string SectionName;
  std::string KeyName;
  // Lies inside its picture, mask rows included, once loaded; empty (0, 0, 0, 0) for a
  // texture made from a small JPG, which covers its whole picture.
  Rect SourceRect;
  std::int16_t StateCount = 1;   // 0 (nothing drawn) or more
  std::int16_t MaskKind = 0;     // 0 no mask (key colour transparent); >= 1 mask below each state; -1 nothing drawn
  std::int16_t CommonMargin = 0;
  std::int16_t FillMode = 0;
  std::uint8_t ImageKind = kImageBorder;
  std::int16_t BorderLeft = 0;   // margins are never negative once loaded
  std::int16_t BorderTop = 0;
  std::int16_t BorderRight = 0;
  std::int16_t BorderBottom = 0;
  std::int16_t CornerKind = 0;   // 0 no key colour in the first state's corners, 1 some, 2 fixed
};
using TsMaskArray = std::vector<TsMaskData>;

// Width and height of one state image; 0 for entries that draw nothing (StateCount 0,
// MaskKind below 0).
int StateWidth(const TsMaskData& mask);
int StateHeight(const TsMaskData& mask);
// Frame widths: the own margin when above 0, else CommonMargin when above 0, else the
// whole state width or height (a StateCount of 0 counts as 1 here).
int MarginLeft(const TsMaskData& mask);
int MarginTop(const TsMaskData& mask);
int MarginRight(const TsMaskData& mask);
int MarginBottom(const TsMaskData& mask);

// A large background: a JPG of more than 899999 pixels, kept as the decoded picture and
// drawn by it.
struct TsPatternData {
  std::shared_ptr<const JpegImage> Image;
  std::string SectionName;
  std::string KeyName;
};
using TsPatternArray = std::vector<TsPatternData>;

// Global values of [GLOBALINFO].
struct TsSkinData {
  std::string SkinFolder;  // with a trailing backslash; empty for a stored skin
  bool Active = false;
  double Version = 0;
  std::string Author;
  std::string Description;
  TColor Shadow1Color{0};
  std::int16_t Shadow1Offset = 0;
  std::int16_t Shadow1Blur = -1;
  std::int16_t Shadow1Transparency = 0;
  std::int16_t BorderWidth = 4;
  std::int16_t TitleHeight = 30;
  std::int16_t MaxHeight = 0;
  std::int16_t FormOffset = 0;
  std::int16_t CenterOffset = 0;
  std::int16_t BorderMode = 0;
  std::int16_t AlignOffset = 0;
  std::int16_t AlignOffsetR = 0;
  std::int16_t AlignOffsetT = 0;
  std::int16_t AlignOffsetB = 0;
  std::int16_t BISpace = 0;
  std::int16_t BIVAlign = 0;
  std::int16_t BIRight = 0;
  std::int16_t BILeft = 0;
  std::int16_t BITop = 0;
  std::int16_t BIKeepHue = 0;
  std::int16_t CloseButtonGlow = 0;
  std::int16_t CloseButtonGlowMargin = 0;
  std::int16_t MaxButtonGlow = 0;
  std::int16_t MaxButtonGlowMargin = 0;
  std::int16_t MinButtonGlow = 0;
  std::int16_t MinButtonGlowMargin = 0;
  bool AeroBlur = false;
};

// The 28 global colours.
enum TsPaletteIndex : int {
  pcMainColor = 0,
  pcLabelText = 1,
  pcBorderBottom = 2,
  pcBorderTop = 3,
  pcEditText = 4,
  pcEditBG = 5,
  pcSelectionBG = 6,
  pcSelectionText = 7,
  pcSelectionBGHot = 8,
  pcSelectionTextHot = 9,
  pcEditBG_Inverted = 10,
  pcEditText_Inverted = 11,
  pcEditBG_OddRow = 12,
  pcEditBG_EvenRow = 13,
  pcEditText_Ok = 14,
  pcEditText_Warning = 15,
  pcEditText_Alert = 16,
  pcEditText_Caution = 17,
  pcEditText_Bypassed = 18,
  pcEditBG_Ok = 19,
  pcEditBG_Warning = 20,
  pcEditBG_Alert = 21,
  pcEditBG_Caution = 22,
  pcEditBG_Bypassed = 23,
  pcEditText_Highlight1 = 24,
  pcEditText_Highlight2 = 25,
  pcEditText_Highlight3 = 26,
  pcBorder = 27,
};
constexpr int kPaletteSize = 28;
using TsPalette = std::array<TColor, kPaletteSize>;

// Indexes the painting code uses most, looked up once per load; -1 when absent.
struct TsCachedIndexes {
  int GlobalInfo = -1;
  int ExBorder = -1;
  std::array<int, 4> TabSections{-1, -1, -1, -1};  // top, bottom, left, right
  std::array<int, 4> TabBorders{-1, -1, -1, -1};
  std::array<int, 4> ScrollBtnSections{-1, -1, -1, -1};  // top, bottom, left, right
  std::array<int, 4> ScrollBtnBorders{-1, -1, -1, -1};
  std::array<int, 4> ScrollBtnPatterns{-1, -1, -1, -1};
  std::array<int, 4> ScrollBtnHotPatterns{-1, -1, -1, -1};
  std::array<int, 4> ScrollBtnGlyphs{-1, -1, -1, -1};
  // close, close alone, max, norm, min, help; then small close, max, norm, min, help
  std::array<int, 11> CaptionButtons{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  std::array<int, 2> SliderSections{-1, -1};  // vertical, horizontal
  std::array<int, 2> SliderBorders{-1, -1};
  std::array<int, 2> SliderGlyphs{-1, -1};
  std::array<int, 2> SliderPatterns{-1, -1};
  std::array<int, 2> SliderHotPatterns{-1, -1};
  std::array<int, 4> ScrollBarSections{-1, -1, -1, -1};  // 1H, 1V, 2H, 2V
  std::array<int, 4> ScrollBarBorders{-1, -1, -1, -1};
  std::array<int, 4> ScrollBarPatterns{-1, -1, -1, -1};
  std::array<int, 4> ScrollBarHotPatterns{-1, -1, -1, -1};
  // box checked, unchecked, grayed; radio checked, unchecked, grayed; small checked, unchecked, grayed
  std::array<int, 9> CheckGlyphs{-1, -1, -1, -1, -1, -1, -1, -1, -1};
  int ComboBtnSection = -1;
  int ComboBtnBorder = -1;
  int ComboBtnPattern = -1;
  int ComboBtnHotPattern = -1;
  int ComboBoxGlyph = -1;
  std::array<int, 3> GripImages{-1, -1, -1};  // grip image, horizontal, vertical
  int WebButtonSection = -1;
};

}  // namespace klarvik
