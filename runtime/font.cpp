#include "runtime/font.h"

#include <cwchar>

namespace klarvik {

int ScreenPixelsPerInch() {
  static const int pixelsPerInch = [] {
    WindowDc screen(nullptr);
    const int value = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
    return value > 0 ? value : 96;
  }();
  return pixelsPerInch;
}

TFont::TFont() : name_(L"MS Sans Serif"), height_(-11), color_(clWindowText) {}

void TFont::SetName(const std::wstring& name) {
  if (name == name_) return;
  name_ = name;
  Changed();
}

void TFont::SetHeight(int height) {
  if (height == height_) return;
  height_ = height;
  Changed();
}

int TFont::Size() const {
  const int points = MulDiv(height_ < 0 ? -height_ : height_, 72, ScreenPixelsPerInch());
  return height_ < 0 ? points : -points;
}

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, ScreenPixelsPerInch(), 72)); }

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  // The colour is no part of the Windows font: the handle stays, only listeners hear.
  if (OnChange) OnChange(this);
}

void TFont::SetStyle(TFontStyles style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TFont::SetCharset(BYTE charset) {
  if (charset == charset_) return;
  charset_ = charset;
  Changed();
}

HFONT TFont::Handle() {
  if (!handle_) {
    LOGFONTW font{};
    font.lfHeight = height_;
    font.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (style_ & fsItalic) ? TRUE : FALSE;
    font.lfUnderline = (style_ & fsUnderline) ? TRUE : FALSE;
    font.lfStrikeOut = (style_ & fsStrikeOut) ? TRUE : FALSE;
    font.lfCharSet = charset_;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH;
    wcsncpy(font.lfFaceName, name_.c_str(), LF_FACESIZE - 1);
    handle_.Reset(CreateFontIndirectW(&font));
  }
  return handle_.Get();
}

bool TFont::SameAs(const TFont& other) const {
  return name_ == other.name_ && height_ == other.height_ && color_ == other.color_ && style_ == other.style_ &&
         charset_ == other.charset_;
}

void TFont::Assign(const TFont& source) {
  if (&source == this || SameAs(source)) return;
  if (name_ == source.name_ && height_ == source.height_ && style_ == source.style_ && charset_ == source.charset_) {
    SetColor(source.color_);
    return;
  }
  name_ = source.name_;
  height_ = source.height_;
  color_ = source.color_;
  style_ = source.style_;
  charset_ = source.charset_;
  Changed();
}

void TFont::Changed() {
  // The old handle outlives the listeners, which may still have it selected somewhere.
  const UniqueFont previous = std::move(handle_);
  if (OnChange) OnChange(this);
}

}  // namespace klarvik
