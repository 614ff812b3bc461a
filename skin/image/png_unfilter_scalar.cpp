#include <cstdlib>

#include "skin/image/png_unfilter.h"

namespace klarvik {

namespace {

// Written without branches: on noisy rows the choice is a coin toss for the predictor.
std::uint8_t Paeth(int a, int b, int c) {
  const int pa = std::abs(b - c);
  const int pb = std::abs(a - c);
  const int pc = std::abs(a + b - 2 * c);
  const int notA = (pa > pb) | (pa > pc);
  const int bOverC = pb <= pc;
  return static_cast<std::uint8_t>(notA ? (bOverC ? b : c) : a);
}

void Unaverage(std::uint8_t* row, const std::uint8_t* prior, std::size_t length, std::size_t b) {
  for (std::size_t i = 0; i < b && i < length; ++i) row[i] = static_cast<std::uint8_t>(row[i] + (prior[i] >> 1));
  for (std::size_t i = b; i < length; ++i) {
    row[i] = static_cast<std::uint8_t>(row[i] + ((row[i - b] + prior[i]) >> 1));
  }
}

void Unpaeth(std::uint8_t* row, const std::uint8_t* prior, std::size_t length, std::size_t b) {
  for (std::size_t i = 0; i < b && i < length; ++i) row[i] = static_cast<std::uint8_t>(row[i] + prior[i]);
  for (std::size_t i = b; i < length; ++i) {
    row[i] = static_cast<std::uint8_t>(row[i] + Paeth(row[i - b], prior[i], prior[i - b]));
  }
}

}  // namespace

namespace png_unfilter_scalar {

bool Unfilter(int filter, std::uint8_t* row, const std::uint8_t* prior, std::size_t length, std::size_t bpp) {
  switch (filter) {
    case 0:
      return true;
    case 1:
      for (std::size_t i = bpp; i < length; ++i) row[i] = static_cast<std::uint8_t>(row[i] + row[i - bpp]);
      return true;
    case 2:
      for (std::size_t i = 0; i < length; ++i) row[i] = static_cast<std::uint8_t>(row[i] + prior[i]);
      return true;
    case 3:
      Unaverage(row, prior, length, bpp);
      return true;
    case 4:
      Unpaeth(row, prior, length, bpp);
      return true;
    default:
      return false;
  }
}

}  // namespace png_unfilter_scalar

}  // namespace klarvik
