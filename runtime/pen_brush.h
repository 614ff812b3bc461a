#pragma once
// TPen and TBrush: canvas drawing tools with lazily made GDI handles, remade after a change.
#include <windows.h>

#include "runtime/colors.h"
#include "runtime/component.h"
#include "win/handles.h"

namespace klarvik {

enum class TPenStyle { psSolid, psClear, psInsideFrame };

class TPen : public TObject {
 public:
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int Width() const { return width_; }
  void SetWidth(int width);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style);

  HPEN Handle();
  void Assign(const TPen& source);

  TNotifyEvent OnChange;

 private:
  void Changed();

  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = TPenStyle::psSolid;
  UniquePen handle_;
};

enum class TBrushStyle { bsSolid, bsClear };

class TBrush : public TObject {
 public:
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style);

  // A clear brush is the stock null brush, which is never deleted.
  HBRUSH Handle();
  void Assign(const TBrush& source);

  TNotifyEvent OnChange;

 private:
  void Changed();

  TColor color_ = clWhite;
  TBrushStyle style_ = TBrushStyle::bsSolid;
  UniqueBrush handle_;
};

}  // namespace klarvik
