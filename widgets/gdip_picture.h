#pragma once
// TGDIPPicture: a picture that keeps the image file's bytes exactly as loaded and has GDI+
// decode them when it needs the size or draws. Any format GDI+ reads will do; a BMP is
// drawn with the colour of its lower-left pixel transparent, other formats with their
// own alpha.
#include <windows.h>

#include <objidl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/canvas.h"
#include "runtime/component.h"
#include "widgets/gdiplus_session.h"

namespace klarvik {

class TBitmap;

class TGDIPPicture : public TObject {
 public:
  TGDIPPicture() = default;

  // From nothing: clears the picture (OnChange, then OnClear). From another picture: takes
  // a copy of its bytes.
  void Assign(const TGDIPPicture* source);
  // Takes the bitmap as the bytes of a BMP file.
  void Assign(TBitmap& source);

  // Reads the file's bytes. A file that cannot be read leaves the picture empty; no error.
  void LoadFromFile(const std::wstring& path);
  // Takes every byte of the stream; a null stream does nothing.
  void LoadFromStream(IStream* stream);
  void SaveToStream(IStream* stream) const;

  // The bytes kept with a form: taken as they are, with no decoding and no events.
  void ReadData(const std::vector<std::uint8_t>& bytes);
  const std::vector<std::uint8_t>& Data() const { return data_; }
  // ReadData from an RCDATA resource; false when the module has no such resource.
  bool ReadDataFromResource(HMODULE module, const wchar_t* name);

  // Draws the image stretched into the rectangle; undecodable bytes draw nothing.
  void Draw(TCanvas& canvas, const Rect& rect);

  bool Empty() const { return empty_; }
  // The decoded size, 0 × 0 until the bytes were decoded once (and for undecodable bytes).
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Decodes the bytes (once per content) and takes the image's size; false when there is
  // nothing to decode or it cannot be decoded.
  bool DetermineSize();

  const std::wstring& FileName() const { return fileName_; }

  // Called after the content changed (set by the owning control).
  TNotifyEvent OnChange;
  // Called when a file is loaded and when the picture is cleared.
  TNotifyEvent OnClear;

 private:
  void TakeBytes(std::vector<std::uint8_t> bytes);
  void Changed();

  GdiplusSession gdiplus_;
  std::wstring fileName_;
  std::vector<std::uint8_t> data_;
  bool empty_ = true;
  bool sizeKnown_ = false;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace klarvik
