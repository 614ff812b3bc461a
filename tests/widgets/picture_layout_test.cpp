#include "widgets/picture_layout.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace klarvik {

void PrintTo(const Rect& rect, std::ostream* out);

namespace {

struct Flags {
  bool stretch, proportional, center, cropping;
};

std::string Describe(const Flags& f) {
  std::string text;
  if (f.stretch) text += "Stretch ";
  if (f.proportional) text += "Proportional ";
  if (f.center) text += "Center ";
  if (f.cropping) text += "Cropping ";
  return text.empty() ? "no flags" : text;
}

std::optional<Rect> Layout(const Flags& f, int controlWidth, int controlHeight, int width, int height) {
  return PictureRect(PictureFlags{f.stretch, f.proportional, f.center, f.cropping}, controlWidth, controlHeight,
                     width, height);
}

// The 200 x 100 image in a 100 x 100 control, every combination of the four flags.
TEST(PictureLayout, WideImageInASquareControlForEveryFlagCombination) {
  const struct {
    Flags flags;
    Rect rect;
  } cases[] = {
      {{false, false, false, false}, {0, 0, 200, 100}},   // natural size, cut by the control
      {{false, false, true, false}, {0, 0, 200, 100}},    // centring only moves a side that is smaller
      {{false, true, false, false}, {0, 0, 200, 100}},    // Proportional alone does nothing
      {{false, true, true, false}, {0, 0, 200, 100}},
      {{true, false, false, false}, {0, 0, 100, 100}},    // plain stretch fills the control
      {{true, false, true, false}, {0, 0, 100, 100}},
      {{true, true, false, false}, {0, 0, 100, 50}},
      {{true, true, true, false}, {0, 25, 100, 75}},
      {{false, false, false, true}, {-50, 0, 150, 100}},  // height fills, the sides are cut evenly
      {{false, false, true, true}, {-50, 0, 150, 100}},
      {{false, true, false, true}, {-50, 0, 150, 100}},
      {{false, true, true, true}, {-50, 0, 150, 100}},
      {{true, false, false, true}, {-50, 0, 150, 100}},
      {{true, false, true, true}, {-50, 0, 150, 100}},
      {{true, true, false, true}, {-50, 0, 150, 100}},
      {{true, true, true, true}, {-50, 0, 150, 100}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Layout(c.flags, 100, 100, 200, 100), std::optional<Rect>(c.rect)) << Describe(c.flags);
  }
}

TEST(PictureLayout, OtherShapesOfImageAndControl) {
  const Flags none{false, false, false, false};
  const Flags center{false, false, true, false};
  const Flags fit{true, true, false, false};
  const Flags fitCentred{true, true, true, false};
  const Flags crop{false, false, false, true};
  const struct {
    const char* name;
    Flags flags;
    int controlWidth, controlHeight, width, height;
    Rect rect;
  } cases[] = {
      {"32 x 32 icon at natural size", none, 100, 100, 32, 32, {0, 0, 32, 32}},
      {"small image centred", center, 100, 100, 32, 32, {34, 34, 66, 66}},
      {"odd leftover halves towards zero", center, 101, 100, 32, 31, {34, 34, 66, 65}},
      {"tall image fitted", fit, 100, 100, 50, 200, {0, 0, 25, 100}},
      {"tall image fitted and centred", fitCentred, 100, 100, 50, 200, {37, 0, 62, 100}},
      {"tall image cropped: width fills, top and bottom cut", crop, 100, 100, 50, 200, {0, -150, 100, 250}},
      {"wide image cropped in a wide control", crop, 300, 100, 200, 100, {0, -25, 300, 125}},
      {"square image fitted in a wide control fills the width", fit, 300, 100, 10, 10, {0, 0, 300, 300}},
      {"ties round to even: 100 / 8 * 3 = 37.5", fit, 100, 100, 8, 3, {0, 0, 100, 38}},
      {"ties round to even: 100 / 8 * 1 = 12.5", fit, 100, 100, 8, 1, {0, 0, 100, 12}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Layout(c.flags, c.controlWidth, c.controlHeight, c.width, c.height), std::optional<Rect>(c.rect))
        << c.name;
  }
}

// A side scaled to nothing would give a ratio of 0 (and a division by it when cropping),
// and an undecoded picture has no size at all: nothing is drawn.
TEST(PictureLayout, NothingWhenASideComesOutEmpty) {
  const struct {
    const char* name;
    Flags flags;
    int controlWidth, controlHeight, width, height;
  } cases[] = {
      {"very narrow image cropped", {false, false, false, true}, 100, 100, 1, 1000},
      {"very narrow image fitted", {true, true, false, false}, 100, 100, 1, 1000},
      {"very flat image cropped", {false, false, false, true}, 100, 100, 1000, 1},
      {"undecoded picture, no flags", {false, false, false, false}, 100, 100, 0, 0},
      {"undecoded picture cropped", {false, false, false, true}, 100, 100, 0, 0},
      {"undecoded picture centred", {false, false, true, false}, 100, 100, 0, 0},
      {"stretched into a control of no width", {true, false, false, false}, 0, 100, 20, 20},
      {"cropped into a control of no height", {false, false, false, true}, 100, 0, 20, 20},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Layout(c.flags, c.controlWidth, c.controlHeight, c.width, c.height), std::nullopt) << c.name;
  }
}

}  // namespace

}  // namespace klarvik
