#include "runtime/pen_brush.h"

namespace klarvik {

void TPen::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TPen::SetWidth(int width) {
  if (width == width_) return;
  width_ = width;
  Changed();
}

void TPen::SetStyle(TPenStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

HPEN TPen::Handle() {
  if (!handle_) {
    int style = PS_SOLID;
    if (style_ == TPenStyle::psClear) style = PS_NULL;
    if (style_ == TPenStyle::psInsideFrame) style = PS_INSIDEFRAME;
    handle_.Reset(CreatePen(style, width_, ColorToRGB(color_)));
  }
  return handle_.Get();
}

void TPen::Assign(const TPen& source) {
  if (&source == this) return;
  if (color_ == source.color_ && width_ == source.width_ && style_ == source.style_) return;
  color_ = source.color_;
  width_ = source.width_;
  style_ = source.style_;
  Changed();
}

void TPen::Changed() {
  // The old handle outlives the listeners, which may still have it selected somewhere.
  const UniquePen previous = std::move(handle_);
  if (OnChange) OnChange(this);
}

void TBrush::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

HBRUSH TBrush::Handle() {
  if (style_ == TBrushStyle::bsClear) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  if (!handle_) handle_.Reset(CreateSolidBrush(ColorToRGB(color_)));
  return handle_.Get();
}

void TBrush::Assign(const TBrush& source) {
  if (&source == this) return;
  if (color_ == source.color_ && style_ == source.style_) return;
  color_ = source.color_;
  style_ = source.style_;
  Changed();
}

void TBrush::Changed() {
  const UniqueBrush previous = std::move(handle_);
  if (OnChange) OnChange(this);
}

}  // namespace klarvik
