#include "widgets/adv_gdip_picture.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/scratch_env.h"
#include "tests/widgets/image_bytes.h"
#include "tests/widgets/widget_paint_support.h"
#include "widgets/gdip_picture.h"
#include "win/com_stream.h"

namespace klarvik::test {
namespace {

constexpr int kLeft = 10;
constexpr int kTop = 20;
constexpr std::uint32_t kOpaqueRed = 0xFFFF0000;
constexpr std::uint32_t kClearGreen = 0x0000FF00;
constexpr std::uint32_t kHalfBlue = 0x800000FF;

// 200 x 100: left half red, right half blue.
std::vector<std::uint8_t> SplitPng() {
  std::vector<std::uint32_t> pixels(200 * 100);
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 200; ++x) pixels[static_cast<size_t>(y * 200 + x)] = x < 100 ? 0xFFFF0000 : 0xFF0000FF;
  }
  return PngFile(200, 100, pixels);
}

void LoadBytes(TGDIPPicture& picture, const std::vector<std::uint8_t>& bytes) {
  const UniqueStream stream = StreamOnCopyOf(bytes);
  ASSERT_TRUE(stream);
  picture.LoadFromStream(stream.Get());
}

bool Near(std::uint32_t pixel, std::uint32_t wanted, int tolerance) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int a = static_cast<int>((pixel >> shift) & 0xFF);
    const int b = static_cast<int>((wanted >> shift) & 0xFF);
    if (std::abs(a - b) > tolerance) return false;
  }
  return true;
}

class GdipPictureTest : public WidgetFormTest {
 protected:
  void SetUp() override {
    WidgetFormTest::SetUp();
    control = new TAdvGDIPPicture(form);
    control->SetParent(form);
    control->SetBounds(kLeft, kTop, 100, 100);
    form->EndLoading();
    control->Picture().OnClear = [this](TObject*) { ++clears; };
  }

  // True when no pixel of the control's area differs from the white form.
  bool ControlAreaIsBlank() {
    const auto image = PaintForm();
    for (int y = kTop; y < kTop + control->Height(); ++y) {
      for (int x = kLeft; x < kLeft + control->Width(); ++x) {
        if (Rgb(*image, x, y) != 0xFFFFFF) return false;
      }
    }
    return true;
  }

  TAdvGDIPPicture* control = nullptr;
  int clears = 0;
};

TEST_F(GdipPictureTest, PngIsDrawnAtNaturalSizeWithItsAlpha) {
  LoadBytes(control->Picture(), PngFile(3, 1, {kOpaqueRed, kClearGreen, kHalfBlue}));
  EXPECT_FALSE(control->Picture().Empty());
  EXPECT_EQ(control->Picture().Width(), 3);
  EXPECT_EQ(control->Picture().Height(), 1);
  const auto image = PaintForm();
  EXPECT_EQ(Rgb(*image, kLeft, kTop), 0xFF0000u);
  EXPECT_EQ(Rgb(*image, kLeft + 1, kTop), 0xFFFFFFu) << "transparent pixel";
  EXPECT_TRUE(Near(Rgb(*image, kLeft + 2, kTop), 0x7F7FFF, 2)) << std::hex << Rgb(*image, kLeft + 2, kTop);
  EXPECT_EQ(Rgb(*image, kLeft + 3, kTop), 0xFFFFFFu) << "beyond the image";
  EXPECT_EQ(Rgb(*image, kLeft, kTop + 1), 0xFFFFFFu) << "below the image";
}

TEST_F(GdipPictureTest, BmpIsDrawnWithTheColourOfItsLowerLeftPixelTransparent) {
  constexpr std::uint32_t key = 0x0AC81E;
  // 3 x 2, stretched to 10 pixels per image pixel; the top-left is blue, not the key.
  const std::vector<std::uint32_t> pixels = {0x0000FF, key, 0x00FF00, key, 0xFF0000, key};
  LoadBytes(control->Picture(), BmpFile(3, 2, pixels));
  control->SetBounds(kLeft, kTop, 30, 20);
  control->SetStretch(true);
  const auto image = PaintForm();
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      const std::uint32_t pixel = pixels[static_cast<size_t>(y * 3 + x)];
      const std::uint32_t expected = pixel == key ? 0xFFFFFF : pixel;
      EXPECT_EQ(Rgb(*image, kLeft + 10 * x + 5, kTop + 10 * y + 5), expected) << "image pixel " << x << ", " << y;
    }
  }
}

TEST_F(GdipPictureTest, UndecodableBytesHaveNoSizeAndDrawNothing) {
  const std::vector<std::uint8_t> junk = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'};
  std::vector<std::uint8_t> truncatedPng = PngFile(4, 4, std::vector<std::uint32_t>(16, kOpaqueRed));
  truncatedPng.resize(30);
  for (const auto& bytes : {junk, truncatedPng}) {
    LoadBytes(control->Picture(), bytes);
    EXPECT_FALSE(control->Picture().Empty());
    EXPECT_FALSE(control->Picture().DetermineSize());
    EXPECT_EQ(control->Picture().Width(), 0);
    EXPECT_EQ(control->Picture().Height(), 0);
    control->SetAutoSize(true);
    EXPECT_EQ(control->Width(), 100) << "AutoSize keeps the size it cannot know";
    EXPECT_TRUE(ControlAreaIsBlank());
  }
  EXPECT_TRUE(errors.empty());
}

TEST_F(GdipPictureTest, LayoutFlagsPlaceTheImage) {
  LoadBytes(control->Picture(), SplitPng());
  const struct {
    const char* name;
    bool stretch, proportional, center, cropping;
    // Expected colour at x = 10, 60 and 90 of rows 10, 40 and 80 (0 for the white form).
    std::uint32_t rows[3][3];
  } cases[] = {
      {"natural size, cut by the control", false, false, false, false,
       {{0xFF0000, 0xFF0000, 0xFF0000}, {0xFF0000, 0xFF0000, 0xFF0000}, {0xFF0000, 0xFF0000, 0xFF0000}}},
      {"stretched", true, false, false, false,
       {{0xFF0000, 0x0000FF, 0x0000FF}, {0xFF0000, 0x0000FF, 0x0000FF}, {0xFF0000, 0x0000FF, 0x0000FF}}},
      {"proportional: 0, 0, 100, 50", true, true, false, false,
       {{0xFF0000, 0x0000FF, 0x0000FF}, {0xFF0000, 0x0000FF, 0x0000FF}, {0xFFFFFF, 0xFFFFFF, 0xFFFFFF}}},
      {"proportional and centred: 0, 25, 100, 75", true, true, true, false,
       {{0xFFFFFF, 0xFFFFFF, 0xFFFFFF}, {0xFF0000, 0x0000FF, 0x0000FF}, {0xFFFFFF, 0xFFFFFF, 0xFFFFFF}}},
      {"cropped: -50, 0, 150, 100", false, false, false, true,
       {{0xFF0000, 0x0000FF, 0x0000FF}, {0xFF0000, 0x0000FF, 0x0000FF}, {0xFF0000, 0x0000FF, 0x0000FF}}},
  };
  const int columns[] = {10, 60, 90};
  const int rows[] = {10, 40, 80};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    control->SetStretch(c.stretch);
    control->SetProportional(c.proportional);
    control->SetCenter(c.center);
    control->SetCropping(c.cropping);
    const auto image = PaintForm();
    for (int row = 0; row < 3; ++row) {
      for (int column = 0; column < 3; ++column) {
        EXPECT_EQ(Rgb(*image, kLeft + columns[column], kTop + rows[row]), c.rows[row][column])
            << "at " << columns[column] << ", " << rows[row];
      }
    }
    EXPECT_EQ(Rgb(*image, kLeft - 1, kTop + 40), 0xFFFFFFu) << "nothing drawn left of the control";
    EXPECT_EQ(Rgb(*image, kLeft + 100, kTop + 40), 0xFFFFFFu) << "nothing drawn right of the control";
  }
}

TEST_F(GdipPictureTest, VeryNarrowImageCroppedDrawsNothing) {
  LoadBytes(control->Picture(), PngFile(1, 1000, std::vector<std::uint32_t>(1000, kOpaqueRed)));
  control->SetCropping(true);
  EXPECT_TRUE(ControlAreaIsBlank());
  EXPECT_TRUE(errors.empty());
}

TEST_F(GdipPictureTest, LoadsFromFileAndLeavesAnUnreadableFileEmpty) {
  const std::wstring folder = FreshScratchFolder(L"picture");
  const std::wstring path = folder + L"icon.png";
  const std::vector<std::uint8_t> png = PngFile(32, 32, std::vector<std::uint32_t>(32 * 32, kOpaqueRed));
  {
    const UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.Get(), png.data(), static_cast<DWORD>(png.size()), &written, nullptr));
  }
  int changes = 0;
  TGDIPPicture picture;
  picture.OnChange = [&](TObject*) { ++changes; };
  picture.OnClear = [&](TObject*) { ++clears; };
  picture.LoadFromFile(path);
  EXPECT_FALSE(picture.Empty());
  EXPECT_EQ(picture.Data(), png);
  EXPECT_EQ(picture.FileName(), path);
  EXPECT_EQ(picture.Width(), 32);
  EXPECT_EQ(picture.Height(), 32);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(clears, 1);

  picture.LoadFromFile(folder + L"missing.png");
  EXPECT_TRUE(picture.Empty());
  picture.LoadFromFile(folder);  // a folder cannot be read as a file
  EXPECT_TRUE(picture.Empty());
  EXPECT_TRUE(errors.empty());
}

TEST_F(GdipPictureTest, StoredFormDataIsTakenAsItIsWithoutDecodingOrEvents) {
  int changes = 0;
  TGDIPPicture picture;
  picture.OnChange = [&](TObject*) { ++changes; };
  picture.OnClear = [&](TObject*) { ++clears; };
  ASSERT_TRUE(picture.ReadDataFromResource(GetModuleHandleW(nullptr), L"TEST_PICTURE_DATA"));
  const std::string text = "Klarvik picture bytes";
  EXPECT_EQ(picture.Data(), std::vector<std::uint8_t>(text.begin(), text.end()));
  EXPECT_FALSE(picture.Empty());
  EXPECT_EQ(changes + clears, 0);
  EXPECT_FALSE(picture.ReadDataFromResource(GetModuleHandleW(nullptr), L"NO_SUCH_RESOURCE"));

  // A control loaded with a 32 x 32 picture keeps its stored size even with AutoSize:
  // reading form data does not decode.
  const std::vector<std::uint8_t> png = PngFile(32, 32, std::vector<std::uint32_t>(32 * 32, kOpaqueRed));
  auto* loading = new TForm(&app);
  auto* stored = new TAdvGDIPPicture(loading);
  stored->SetBounds(0, 0, 48, 48);
  stored->Picture().ReadData(png);
  loading->EndLoading();
  EXPECT_EQ(stored->Width(), 48);
  EXPECT_EQ(stored->Picture().Width(), 0);
  // The bytes go back out exactly as they came in.
  const UniqueStream out = StreamOnCopyOf({});
  stored->Picture().SaveToStream(out.Get());
  EXPECT_EQ(ReadWholeStream(out.Get()), png);
}

TEST_F(GdipPictureTest, AutoSizeFollowsThePicture) {
  LoadBytes(control->Picture(), PngFile(32, 16, std::vector<std::uint32_t>(32 * 16, kOpaqueRed)));
  EXPECT_EQ(control->Width(), 100);
  control->SetAutoSize(true);
  EXPECT_EQ(control->Width(), 32);
  EXPECT_EQ(control->Height(), 16);
  LoadBytes(control->Picture(), SplitPng());
  EXPECT_EQ(control->Width(), 200);
  EXPECT_EQ(control->Height(), 100);
  control->SetAutoSize(false);
  LoadBytes(control->Picture(), PngFile(32, 16, std::vector<std::uint32_t>(32 * 16, kOpaqueRed)));
  EXPECT_EQ(control->Width(), 200);
}

TEST_F(GdipPictureTest, AssignCopiesClearsOrTakesABitmap) {
  int changes = 0;
  control->Picture().OnChange = [&, previous = control->Picture().OnChange](TObject* sender) {
    ++changes;
    previous(sender);
  };
  TGDIPPicture source;
  LoadBytes(source, SplitPng());
  control->SetPicture(&source);
  EXPECT_EQ(control->Picture().Data(), source.Data());
  EXPECT_EQ(control->Picture().Width(), 200);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(clears, 0);
  EXPECT_FALSE(ControlAreaIsBlank());

  control->SetPicture(nullptr);
  EXPECT_TRUE(control->Picture().Empty());
  EXPECT_TRUE(control->Picture().Data().empty());
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(clears, 1);
  EXPECT_TRUE(ControlAreaIsBlank());

  TGDIPPicture empty;
  control->SetPicture(&empty);
  EXPECT_TRUE(control->Picture().Empty());

  // A bitmap becomes a BMP: drawn with its lower-left colour left out.
  TBitmap bitmap(4, 2);
  PixelView pixels = bitmap.Pixels();
  for (int x = 0; x < 4; ++x) {
    pixels.At(x, 0) = 0x00FF00;
    pixels.At(x, 1) = x < 2 ? 0x123456 : 0x0000FF;
  }
  control->Picture().Assign(bitmap);
  EXPECT_EQ(control->Picture().Width(), 4);
  EXPECT_EQ(control->Picture().Height(), 2);
  const auto image = PaintForm();
  EXPECT_EQ(Rgb(*image, kLeft, kTop), 0x00FF00u);
  EXPECT_EQ(Rgb(*image, kLeft + 1, kTop + 1), 0xFFFFFFu);
  EXPECT_EQ(Rgb(*image, kLeft + 3, kTop + 1), 0x0000FFu);
}

}  // namespace
}  // namespace klarvik::test
