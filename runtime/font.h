#pragma once
// TFont: a logical font description whose HFONT is made on first use and remade after
// every change. OnChange fires after each change while the previous HFONT still exists,
// so a listener can deselect it before it is deleted.
#include <windows.h>

#include <string>

#include "runtime/colors.h"
#include "runtime/component.h"
#include "win/handles.h"

namespace klarvik {

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;  // a set of TFontStyle bits

class TFont : public TObject {
 public:
  TFont();  // "MS Sans Serif", height -11, clWindowText, no style

  const std::wstring& Name() const { return name_; }
  void SetName(const std::wstring& name);
  // Pixels; negative = character height (without internal leading), positive = cell height.
  int Height() const { return height_; }
  void SetHeight(int height);
  // Points at the screen's pixels per inch.
  int Size() const;
  void SetSize(int points);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  BYTE Charset() const { return charset_; }
  void SetCharset(BYTE charset);

  HFONT Handle();
  void Assign(const TFont& source);
  bool SameAs(const TFont& other) const;

  TNotifyEvent OnChange;

 private:
  void Changed();

  std::wstring name_;
  int height_;
  TColor color_;
  TFontStyles style_ = 0;
  BYTE charset_ = DEFAULT_CHARSET;
  UniqueFont handle_;
};

// Pixels per inch of the screen, used to turn points into pixels.
int ScreenPixelsPerInch();

}  // namespace klarvik
