#pragma once
// Where the picture control draws its picture, from its flags, its own size and the
// picture's size.
#include <optional>

#include "base/geometry.h"

namespace klarvik {

struct PictureFlags {
  bool stretch = false;
  bool proportional = false;
  bool center = false;
  bool cropping = false;
};

// The rectangle in the control's coordinates (it may reach beyond the control, which then
// cuts it); nothing when a computed width or height is 0, since such a picture cannot show.
std::optional<Rect> PictureRect(const PictureFlags& flags, int controlWidth, int controlHeight, int pictureWidth,
                                   int pictureHeight);

}  // namespace klarvik
