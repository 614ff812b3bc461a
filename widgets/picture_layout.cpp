#include "widgets/picture_layout.h"

#include <cmath>

namespace klarvik {

namespace {

// Rounds to the nearest integer, ties to even.
int Nearest(double value) { return static_cast<int>(std::nearbyint(value)); }

std::optional<Rect> Sized(int x, int y, int width, int height) {
  if (width <= 0 || height <= 0) return std::nullopt;
  return Rect{x, y, x + width, y + height};
}

// Stretching that keeps proportions, or cropping: the larger side fills the control, and
// cropping then fills the other side too, cutting the excess evenly.
std::optional<Rect> ScaledRect(const PictureFlags& flags, int W, int H, int w, int h) {
  int scaledWidth = w;
  int scaledHeight = h;
  if (w >= h && w > 0) {
    scaledWidth = W;
    scaledHeight = Nearest(static_cast<double>(W) / w * h);
  } else if (h > w && h > 0) {
    scaledHeight = H;
    scaledWidth = Nearest(static_cast<double>(H) / h * w);
  }
  // A side scaled down to nothing would give a ratio of 0 or a division by 0 below.
  if (scaledWidth <= 0 || scaledHeight <= 0) return std::nullopt;

  const double pictureRatio = static_cast<double>(scaledWidth) / scaledHeight;
  const double controlRatio = H == 0 ? 1.0 : static_cast<double>(W) / H;
  if (flags.cropping) {
    if (pictureRatio < 1 || pictureRatio < controlRatio) {
      scaledWidth = W;
      scaledHeight = Nearest(W / pictureRatio);
    } else {
      scaledHeight = H;
      scaledWidth = Nearest(H * pictureRatio);
    }
  }
  int x = 0;
  int y = 0;
  if (flags.center || flags.cropping) {
    x = (W - scaledWidth) / 2;
    y = (H - scaledHeight) / 2;
  }
  return Sized(x, y, scaledWidth, scaledHeight);
}

}  // namespace

std::optional<Rect> PictureRect(const PictureFlags& flags, int controlWidth, int controlHeight, int pictureWidth,
                                   int pictureHeight) {
  if (flags.stretch || flags.cropping) {
    if (!flags.proportional && !flags.cropping) return Sized(0, 0, controlWidth, controlHeight);
    return ScaledRect(flags, controlWidth, controlHeight, pictureWidth, pictureHeight);
  }
  if (flags.center) {
    const int x = pictureWidth < controlWidth ? (controlWidth - pictureWidth) / 2 : 0;
    const int y = pictureHeight < controlHeight ? (controlHeight - pictureHeight) / 2 : 0;
    return Sized(x, y, pictureWidth, pictureHeight);
  }
  return Sized(0, 0, pictureWidth, pictureHeight);
}

}  // namespace klarvik
