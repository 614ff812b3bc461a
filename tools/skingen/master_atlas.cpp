#include "tools/skingen/master_atlas.h"

#include <algorithm>
#include <stdexcept>

#include "base/pixel.h"
#include "paint/primitives/bitmap_ops.h"

namespace klarvik {

namespace {

constexpr std::uint32_t kOpaqueKey = 0xFF000000 | kKeyPixel;

std::uint32_t Opaque(std::uint32_t pixel) { return pixel | 0xFF000000; }

SkinBitmap KeyedPicture(const SkinBitmap& piece) {
  SkinBitmap out = CreateBitmap32(piece.width, piece.height);
  for (std::size_t i = 0; i < piece.pixels.size(); ++i) {
    const std::uint32_t pixel = piece.pixels[i];
    out.pixels[i] = (pixel >> 24) >= 128 ? Opaque(pixel) : kOpaqueKey;
  }
  return out;
}

}  // namespace

SkinBitmap MaskedPicture(const SkinBitmap& piece) {
  SkinBitmap out = CreateBitmap32(piece.width, piece.height * 2);
  const std::size_t count = piece.pixels.size();
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t pixel = piece.pixels[i];
    const std::uint32_t clear = 255 - (pixel >> 24);
    out.pixels[i] = clear == 255 ? kOpaqueKey : Opaque(pixel);
    out.pixels[count + i] = 0xFF000000 | clear << 16 | clear << 8 | clear;
  }
  return out;
}

Rect MasterAtlas::Place(const SkinBitmap& piece, PieceKind kind) {
  SkinBitmap picture = kind == PieceKind::Masked ? MaskedPicture(piece) : KeyedPicture(piece);
  if (picture.width > width_) throw std::invalid_argument("a piece wider than the master bitmap");
  if (shelfX_ + picture.width > width_) {
    shelfY_ += shelfHeight_;
    shelfX_ = 0;
    shelfHeight_ = 0;
  }
  const Rect at{shelfX_, shelfY_, shelfX_ + picture.width, shelfY_ + picture.height};
  shelfX_ += picture.width;
  shelfHeight_ = std::max(shelfHeight_, picture.height);
  placed_.push_back({at, std::move(picture)});
  return at;
}

SkinBitmap MasterAtlas::Compose() const {
  SkinBitmap master = CreateBitmap32(width_, shelfY_ + shelfHeight_);
  std::fill(master.pixels.begin(), master.pixels.end(), kOpaqueKey);
  for (const Placed& piece : placed_) {
    CopyRect(master.View(), piece.at.left, piece.at.top, ConstView(piece.picture),
             Rect{0, 0, piece.picture.width, piece.picture.height});
  }
  return master;
}

}  // namespace klarvik
