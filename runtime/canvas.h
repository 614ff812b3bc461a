#pragma once
// TCanvas: drawing on a borrowed device context with its own font, pen and brush. The
// tools are selected lazily before the first operation that needs them and the DC's
// original objects are put back when the canvas lets go of the DC.
#include <windows.h>

#include <string>

#include "runtime/component.h"
#include "runtime/font.h"
#include "runtime/pen_brush.h"
#include "win/rect.h"

namespace klarvik {

class TCanvas : public TObject {
 public:
  TCanvas();
  ~TCanvas() override;

  // The DC; a canvas that can make its own (a bitmap's) makes it on first request.
  HDC Handle();
  bool HandleAllocated() const { return dc_ != nullptr; }
  // Borrows a DC (nullptr lets go of the current one after restoring its objects).
  void SetHandle(HDC dc);

  TFont& Font() { return font_; }
  TPen& Pen() { return pen_; }
  TBrush& Brush() { return brush_; }

  void FillRect(const Rect& rect);
  void FrameRect(const Rect& rect);
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const Rect& rect) { Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
  void Ellipse(int x1, int y1, int x2, int y2);
  void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void TextOut(int x, int y, const std::wstring& text);
  // Text at (x, y) clipped to rect; the rect is filled first unless the brush is clear.
  void TextRect(const Rect& rect, int x, int y, const std::wstring& text);
  SIZE TextExtent(const std::wstring& text);
  int TextWidth(const std::wstring& text) { return TextExtent(text).cx; }
  int TextHeight(const std::wstring& text) { return TextExtent(text).cy; }
  // DrawTextW with the canvas font; returns the text height (DT_CALCRECT updates rect).
  int DrawText(const std::wstring& text, Rect& rect, UINT flags);
  void CopyRect(const Rect& dest, TCanvas& source, const Rect& sourceRect);

 protected:
  // Called when Handle() is asked for and no DC is set; may call SetHandle.
  virtual void CreateHandle();

 private:
  enum StateBit : unsigned { kFontSelected = 1, kPenSelected = 2, kBrushSelected = 4 };
  void RequireState(unsigned bits);
  void DeselectTools();
  void ToolChanged(unsigned bit);

  HDC dc_ = nullptr;
  unsigned state_ = 0;
  HGDIOBJ originalFont_ = nullptr;
  HGDIOBJ originalPen_ = nullptr;
  HGDIOBJ originalBrush_ = nullptr;
  TFont font_;
  TPen pen_;
  TBrush brush_;
};

}  // namespace klarvik
