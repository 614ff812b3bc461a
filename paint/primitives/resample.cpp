#include "paint/primitives/resample.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "paint/primitives/bitmap_ops.h"

namespace klarvik {

namespace {

struct FilterShape {
  double support;
  double (*weight)(double);
};

double Box(double x) { return (x > -0.5 && x <= 0.5) ? 1.0 : 0.0; }
double Triangle(double x) {
  x = std::abs(x);
  return x < 1 ? 1 - x : 0;
}
double Hermite(double x) {
  x = std::abs(x);
  return x < 1 ? (2 * x - 3) * x * x + 1 : 0;
}
double Bell(double x) {
  x = std::abs(x);
  if (x < 0.5) return 0.75 - x * x;
  if (x < 1.5) return 0.5 * (x - 1.5) * (x - 1.5);
  return 0;
}
double BSpline(double x) {
  x = std::abs(x);
  if (x < 1) return 0.5 * x * x * x - x * x + 2.0 / 3.0;
  if (x < 2) {
    const double t = 2 - x;
    return t * t * t / 6;
  }
  return 0;
}
double Sinc(double x) {
  if (x == 0) return 1;
  const double px = x * std::numbers::pi;
  return std::sin(px) / px;
}
double Lanczos3(double x) { return std::abs(x) < 3 ? Sinc(x) * Sinc(x / 3) : 0; }
double Mitchell(double x) {
  x = std::abs(x);
  const double x2 = x * x;
  if (x < 1) return 7.0 / 6.0 * x2 * x - 2 * x2 + 8.0 / 9.0;
  if (x < 2) return -7.0 / 18.0 * x2 * x + 2 * x2 - 10.0 / 3.0 * x + 16.0 / 9.0;
  return 0;
}

FilterShape ShapeOf(ResampleFilter f) {
  switch (f) {
    case ResampleFilter::kBox: return {0.51, Box};
    case ResampleFilter::kTriangle: return {1, Triangle};
    case ResampleFilter::kHermite: return {1, Hermite};
    case ResampleFilter::kBell: return {1.5, Bell};
    case ResampleFilter::kBSpline: return {2, BSpline};
    case ResampleFilter::kLanczos3: return {3, Lanczos3};
    case ResampleFilter::kMitchell: return {2, Mitchell};
  }
  return {2, Mitchell};
}

int MirrorIndex(int j, int n) {
  if (j < 0) j = -j;
  if (j >= n) j = 2 * n - 1 - j;
  return std::clamp(j, 0, n - 1);
}

}  // namespace

ResampleAxis MakeResampleAxis(int sourceSize, int destSize, ResampleFilter filter) {
  ResampleAxis axis;
  const FilterShape shape = ShapeOf(filter);
  const double scale = static_cast<double>(destSize) / sourceSize;
  // Shrinking widens the support by the size ratio and scales the weights down by it.
  const double stretch = scale < 1 ? 1 / scale : 1;
  const double width = shape.support * stretch;
  axis.start.reserve(static_cast<std::size_t>(destSize) + 1);
  for (int i = 0; i < destSize; ++i) {
    axis.start.push_back(static_cast<int>(axis.index.size()));
    const double centre = i / scale;
    const int left = static_cast<int>(std::floor(centre - width));
    const int right = static_cast<int>(std::ceil(centre + width));
    for (int j = left; j <= right; ++j) {
      const double w = shape.weight((centre - j) / stretch) / stretch;
      if (w == 0) continue;
      axis.index.push_back(MirrorIndex(j, sourceSize));
      axis.weight.push_back(static_cast<std::int32_t>(std::lround(w * 65536)));
    }
  }
  axis.start.push_back(static_cast<int>(axis.index.size()));
  return axis;
}

void ResampleBitmap(const PixelView& src, SkinBitmap& dst, int width, int height, ResampleFilter filter) {
  if (width <= 0 || height <= 0) return;
  if (src.Empty() || src.width <= 1 || src.height <= 1) throw EResampleError("Source bitmap is too small");
  dst = CreateBitmap32(width, height);
  if (width == src.width && height == src.height) {
    CopyRect(dst.View(), 0, 0, src, BoundsOf(src.width, src.height));
    return;
  }
  ResampleWithAxes(src, dst.View(), MakeResampleAxis(src.width, width, filter), MakeResampleAxis(src.height, height, filter));
}

void ResampleWithAxes(const PixelView& src, PixelView dst, const ResampleAxis& columns, const ResampleAxis& rows) {
  // Chosen once for the processor.
  using Resampler = void (*)(const PixelView&, PixelView, const ResampleAxis&, const ResampleAxis&);
  static const Resampler resample = resample_sse2::Available() ? resample_sse2::Resample : resample_scalar::Resample;
  resample(src, dst, columns, rows);
}

}  // namespace klarvik
