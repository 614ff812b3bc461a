#include "runtime/canvas.h"

#include "win/exceptions.h"

namespace klarvik {

TCanvas::TCanvas() {
  font_.OnChange = [this](TObject*) { ToolChanged(kFontSelected); };
  pen_.OnChange = [this](TObject*) { ToolChanged(kPenSelected); };
  brush_.OnChange = [this](TObject*) { ToolChanged(kBrushSelected); };
}

TCanvas::~TCanvas() { DeselectTools(); }

HDC TCanvas::Handle() {
  if (!dc_) CreateHandle();
  return dc_;
}

void TCanvas::CreateHandle() {}

void TCanvas::SetHandle(HDC dc) {
  if (dc == dc_) return;
  DeselectTools();
  dc_ = dc;
}

void TCanvas::DeselectTools() {
  if (dc_) {
    if (state_ & kFontSelected) SelectObject(dc_, originalFont_);
    if (state_ & kPenSelected) SelectObject(dc_, originalPen_);
    if (state_ & kBrushSelected) SelectObject(dc_, originalBrush_);
  }
  state_ = 0;
  originalFont_ = originalPen_ = originalBrush_ = nullptr;
}

void TCanvas::ToolChanged(unsigned bit) {
  if (!dc_ || !(state_ & bit)) return;
  HGDIOBJ& original = bit == kFontSelected ? originalFont_ : bit == kPenSelected ? originalPen_ : originalBrush_;
  SelectObject(dc_, original);
  original = nullptr;
  state_ &= ~bit;
}

void TCanvas::RequireState(unsigned bits) {
  if (!Handle()) throw EInvalidOperation(L"Canvas does not allow drawing");
  const auto select = [this](unsigned bit, HGDIOBJ object, HGDIOBJ& original) {
    if (state_ & bit) return;
    original = SelectObject(dc_, object);
    state_ |= bit;
  };
  if (bits & kFontSelected) select(kFontSelected, font_.Handle(), originalFont_);
  if (bits & kPenSelected) select(kPenSelected, pen_.Handle(), originalPen_);
  if (bits & kBrushSelected) select(kBrushSelected, brush_.Handle(), originalBrush_);
  if (bits & kFontSelected) {
    SetTextColor(dc_, ColorToRGB(font_.Color()));
    if (brush_.Style() == TBrushStyle::bsClear) {
      SetBkMode(dc_, TRANSPARENT);
    } else {
      SetBkMode(dc_, OPAQUE);
      SetBkColor(dc_, ColorToRGB(brush_.Color()));
    }
  }
}

void TCanvas::FillRect(const Rect& rect) {
  RequireState(kBrushSelected);
  const RECT r = ToRECT(rect);
  ::FillRect(dc_, &r, brush_.Handle());
}

void TCanvas::FrameRect(const Rect& rect) {
  RequireState(kBrushSelected);
  const RECT r = ToRECT(rect);
  ::FrameRect(dc_, &r, brush_.Handle());
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  RequireState(kPenSelected | kBrushSelected);
  ::Rectangle(dc_, x1, y1, x2, y2);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  RequireState(kPenSelected | kBrushSelected);
  ::Ellipse(dc_, x1, y1, x2, y2);
}

void TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  RequireState(kPenSelected | kBrushSelected);
  ::Pie(dc_, x1, y1, x2, y2, x3, y3, x4, y4);
}

void TCanvas::MoveTo(int x, int y) {
  RequireState(0);
  MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  RequireState(kPenSelected);
  ::LineTo(dc_, x, y);
}

void TCanvas::TextOut(int x, int y, const std::wstring& text) {
  RequireState(kFontSelected | kBrushSelected);
  ::TextOutW(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
}

void TCanvas::TextRect(const Rect& rect, int x, int y, const std::wstring& text) {
  RequireState(kFontSelected | kBrushSelected);
  UINT options = ETO_CLIPPED;
  if (brush_.Style() != TBrushStyle::bsClear) options |= ETO_OPAQUE;
  const RECT clip = ToRECT(rect);
  ExtTextOutW(dc_, x, y, options, &clip, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

SIZE TCanvas::TextExtent(const std::wstring& text) {
  RequireState(kFontSelected);
  SIZE size{};
  GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

int TCanvas::DrawText(const std::wstring& text, Rect& rect, UINT flags) {
  RequireState(kFontSelected | kBrushSelected);
  RECT r = ToRECT(rect);
  const int height = ::DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &r, flags);
  rect = FromRECT(r);
  return height;
}

void TCanvas::CopyRect(const Rect& dest, TCanvas& source, const Rect& sourceRect) {
  RequireState(0);
  StretchBlt(dc_, dest.left, dest.top, dest.Width(), dest.Height(), source.Handle(), sourceRect.left, sourceRect.top,
             sourceRect.Width(), sourceRect.Height(), SRCCOPY);
}

}  // namespace klarvik
