#include "widgets/gdip_picture.h"

#include "base/bmp_file.h"
#include "runtime/bitmap.h"
#include "widgets/gdiplus_objects.h"
#include "win/com_stream.h"
#include "win/resource_bytes.h"
#include "win/exceptions.h"
#include "win/handles.h"
#include "win/long_path.h"

namespace klarvik {

namespace {

bool ReadWholeFile(const std::wstring& path, std::vector<std::uint8_t>& bytes) {
  const UniqueKernelHandle file(CreateFileW(ExtendedLengthPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF) return false;
  bytes.resize(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr)) return false;
    if (read == 0) break;
    done += read;
  }
  bytes.resize(done);
  return true;
}

}  // namespace

void TGDIPPicture::Assign(const TGDIPPicture* source) {
  if (!source) {
    data_.clear();
    empty_ = true;
    sizeKnown_ = false;
    Changed();
    if (OnClear) OnClear(this);
    return;
  }
  if (source == this) return;
  data_ = source->data_;
  empty_ = data_.empty();
  sizeKnown_ = false;
  Changed();
  DetermineSize();
}

void TGDIPPicture::Assign(TBitmap& source) {
  TakeBytes(BmpFileBytes(source.Pixels()));
  Changed();
  DetermineSize();
}

void TGDIPPicture::LoadFromFile(const std::wstring& path) {
  std::vector<std::uint8_t> bytes;
  if (!ReadWholeFile(path, bytes)) {
    data_.clear();
    empty_ = true;
    sizeKnown_ = false;
    Changed();
    return;
  }
  TakeBytes(std::move(bytes));
  fileName_ = path;
  if (OnClear) OnClear(this);
  DetermineSize();
  Changed();
}

void TGDIPPicture::LoadFromStream(IStream* stream) {
  if (!stream) return;
  TakeBytes(ReadWholeStream(stream));
  DetermineSize();
  Changed();
}

void TGDIPPicture::SaveToStream(IStream* stream) const { WriteToStream(stream, data_); }

void TGDIPPicture::ReadData(const std::vector<std::uint8_t>& bytes) { TakeBytes(bytes); }

bool TGDIPPicture::ReadDataFromResource(HMODULE module, const wchar_t* name) {
  const auto bytes = RcDataBytes(module, name);
  if (!bytes) return false;
  ReadData(std::vector<std::uint8_t>(bytes->begin(), bytes->end()));
  return true;
}

void TGDIPPicture::TakeBytes(std::vector<std::uint8_t> bytes) {
  data_ = std::move(bytes);
  empty_ = false;
  sizeKnown_ = false;
}

void TGDIPPicture::Changed() {
  if (OnChange) OnChange(this);
}

bool TGDIPPicture::DetermineSize() {
  if (empty_ || data_.empty()) return false;
  if (sizeKnown_) return width_ > 0 && height_ > 0;
  const UniqueStream stream = StreamOnCopyOf(data_);
  gdip::Image image(stream.Get());
  width_ = image.Width();
  height_ = image.Height();
  sizeKnown_ = true;
  return image.Loaded();
}

void TGDIPPicture::Draw(TCanvas& canvas, const Rect& rect) {
  if (empty_ || data_.empty()) return;
  const UniqueStream stream = StreamOnCopyOf(data_);
  if (!stream) throw Exception(L"Could not allocate memory for image");
  gdip::Graphics graphics(canvas.Handle());
  gdip::Image image(stream.Get());
  if (!graphics.Valid() || !image.Loaded()) return;
  const int width = rect.Width();
  const int height = rect.Height();
  if (image.Format() == gdip::ImageFormat::Bmp) {
    const gdip::ARGB key = image.PixelAt(0, image.Height() - 1);
    graphics.DrawImageKeyed(image, rect.left, rect.top, width, height, key);
    return;
  }
  width_ = image.Width();
  height_ = image.Height();
  sizeKnown_ = true;
  graphics.DrawImage(image, rect.left, rect.top, width, height);
}

}  // namespace klarvik
