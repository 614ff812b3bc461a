#include "controls/gauge.h"

#include <windows.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "runtime/application.h"
#include "runtime/bitmap.h"
#include "runtime/forms.h"
#include "win/exceptions.h"

namespace klarvik {

namespace {

class Gauge : public testing::Test {
 protected:
  void SetUp() override {
    previous_ = Application;
    Application = &app_;
    form_ = new TForm(&app_);
    form_->SetClientWidth(420);
    form_->SetClientHeight(60);
    form_->EndLoading();
    gauge_ = new TsGauge(form_);
    gauge_->SetParent(form_);
    gauge_->OnChange = [this](TObject*) { ++changes_; };
  }
  void TearDown() override { Application = previous_; }

  // The form's client area as its paint would put it on screen, gauge included.
  std::unique_ptr<TBitmap> PaintForm() {
    auto image = std::make_unique<TBitmap>(form_->ClientWidth(), form_->ClientHeight());
    SendMessageW(form_->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(image->Canvas().Handle()), PRF_CLIENT);
    return image;
  }

  TApplication app_{nullptr};
  TApplication* previous_ = nullptr;
  TForm* form_ = nullptr;
  TsGauge* gauge_ = nullptr;
  int changes_ = 0;
};

TEST_F(Gauge, ProgressIsClampedAndOnlyARealChangeIsReported) {
  gauge_->SetProgress(250);
  EXPECT_EQ(gauge_->Progress(), 100);
  EXPECT_EQ(changes_, 1);
  gauge_->SetProgress(100);
  gauge_->SetProgress(101);
  EXPECT_EQ(changes_, 1);
  gauge_->SetProgress(-5);
  EXPECT_EQ(gauge_->Progress(), 0);
  EXPECT_EQ(changes_, 2);

  gauge_->SetProgress(80);
  gauge_->SetMaxValue(50);  // drags Progress down silently
  EXPECT_EQ(gauge_->Progress(), 50);
  gauge_->SetMinValue(20);
  gauge_->SetMaxValue(20);
  EXPECT_EQ(gauge_->Progress(), 20);
  EXPECT_EQ(changes_, 3);
  EXPECT_EQ(gauge_->ProgressPercent(), 0);
  EXPECT_EQ(gauge_->Text(), L"0%");
}

TEST_F(Gauge, RangeThatWouldTurnOverFailsAndKeepsTheOldValue) {
  gauge_->SetMaxValue(40);
  try {
    gauge_->SetMaxValue(-1);
    FAIL() << "a maximum below the minimum was accepted";
  } catch (const EInvalidOperation& error) {
    EXPECT_EQ(error.Message(), L"Value must be between 1 and 2147483647");
  }
  EXPECT_EQ(gauge_->MaxValue(), 40);
  try {
    gauge_->SetMinValue(41);
    FAIL() << "a minimum above the maximum was accepted";
  } catch (const EInvalidOperation& error) {
    EXPECT_EQ(error.Message(), L"Value must be between -2147483647 and 39");
  }
  EXPECT_EQ(gauge_->MinValue(), 0);
}

TEST_F(Gauge, WhileLoadingAnyOrderOfValuesIsAccepted) {
  auto* loading = new TsGauge(nullptr);
  loading->BeginLoading();
  loading->SetMinValue(500);
  loading->SetMaxValue(1000);
  loading->Loaded();
  EXPECT_EQ(loading->MinValue(), 500);
  EXPECT_EQ(loading->MaxValue(), 1000);
  delete loading;
}

TEST_F(Gauge, TextIsThePercentageOrTheProgressWithTheSuffix) {
  gauge_->SetMaxValue(3);
  gauge_->SetProgress(2);
  EXPECT_EQ(gauge_->Text(), L"66%");
  gauge_->SetMaxValue(10);
  gauge_->SetProgress(5);
  gauge_->SetCalcPercents(false);
  gauge_->SetSuffix(L" files");
  EXPECT_EQ(gauge_->Text(), L"5 files");
}

// 47 % of a 393 pixel gauge: the frame ring is black, the fill (ForeColor) covers
// the first 184 columns inside the frame, the rest is BackColor.
TEST_F(Gauge, PlainLookHasAFrameAFillAndTheRest) {
  gauge_->SetBounds(10, 10, 393, 25);
  gauge_->SetShowText(false);
  gauge_->SetForeColor(TColor{0x00800000});
  gauge_->SetBackColor(clWhite);
  gauge_->SetProgress(47);
  const auto image = PaintForm();
  const PixelView pixels = image->Pixels();
  auto rgb = [&](int x, int y) { return pixels.At(10 + x, 10 + y) & 0xFFFFFF; };
  for (int x : {0, 100, 392}) {
    EXPECT_EQ(rgb(x, 0), 0u) << x;
    EXPECT_EQ(rgb(x, 24), 0u) << x;
  }
  EXPECT_EQ(rgb(0, 12), 0u);
  EXPECT_EQ(rgb(392, 12), 0u);
  // Pixels read as 0xAARRGGBB numbers: the colour 0x00BBGGRR 0x800000 (navy) is 0x000080.
  EXPECT_EQ(rgb(1, 12), 0x000080u);
  EXPECT_EQ(rgb(183, 12), 0x000080u);
  EXPECT_EQ(rgb(184, 12), 0xFFFFFFu);
  EXPECT_EQ(rgb(391, 23), 0xFFFFFFu);
}

TEST_F(Gauge, EmptyRangeShowsNoFill) {
  gauge_->SetBounds(0, 0, 100, 20);
  gauge_->SetShowText(false);
  gauge_->SetMaxValue(0);
  const auto image = PaintForm();
  const PixelView pixels = image->Pixels();
  for (int x = 1; x < 99; x += 7) EXPECT_EQ(pixels.At(x, 10) & 0xFFFFFF, 0xFFFFFFu) << x;
}

}  // namespace

}  // namespace klarvik
