#pragma once
// The master bitmap of a skin, filled piece by piece: each piece is a straight-alpha
// picture of its state images side by side, placed on shelves from the top-left. A masked
// piece gets its mask right below it (0 where the picture is opaque, 255 where it is
// clear), a keyed one is cut to magenta where it is mostly clear.
#include <vector>

#include "base/geometry.h"
#include "skin/image/skin_bitmap.h"

namespace klarvik {

enum class PieceKind { Masked, Keyed };

class MasterAtlas {
 public:
  explicit MasterAtlas(int width) : width_(width) {}

  // The rectangle the piece takes in the master bitmap, its mask included.
  Rect Place(const SkinBitmap& piece, PieceKind kind);
  // The master bitmap: unused room is magenta, every placed pixel opaque.
  SkinBitmap Compose() const;

 private:
  struct Placed {
    Rect at;
    SkinBitmap picture;
  };
  int width_;
  int shelfX_ = 0, shelfY_ = 0, shelfHeight_ = 0;
  std::vector<Placed> placed_;
};

// What a piece looks like once put down with its mask or key: the image the loader will
// see, for art that is saved as its own file.
SkinBitmap MaskedPicture(const SkinBitmap& piece);

}  // namespace klarvik
