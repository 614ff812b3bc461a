#include "widgets/gdiplus_session.h"

#include <gtest/gtest.h>

#include <optional>

#include "widgets/gdiplus_objects.h"

namespace klarvik {

namespace {

TEST(GdiplusSession, StartsWithTheFirstHolderAndStopsAfterTheLast) {
  ASSERT_FALSE(GdiplusSession::Started()) << "another test left a GDI+ holder alive";
  std::optional<GdiplusSession> program(std::in_place);
  EXPECT_TRUE(GdiplusSession::Started());
  EXPECT_TRUE(GdiplusSession::NotificationHooked()) << "GDI+ runs without its thread, so it needs the hook";
  {
    const GdiplusSession widget;
    const gdip::SolidBrush brush(0xFF102030);
    EXPECT_EQ(brush.LastStatus(), Gdiplus::Ok);
    EXPECT_NE(brush.Handle(), nullptr);
  }
  EXPECT_TRUE(GdiplusSession::Started()) << "an inner holder must not shut GDI+ down";
  program.reset();
  EXPECT_FALSE(GdiplusSession::Started());
  EXPECT_FALSE(GdiplusSession::NotificationHooked()) << "unhooked at shutdown";

  // And it starts again for a later holder.
  const GdiplusSession again;
  EXPECT_TRUE(GdiplusSession::Started());
}

TEST(GdiplusObjects, FailuresAreRecordedNotThrown) {
  const GdiplusSession session;
  const gdip::Path path;
  EXPECT_EQ(path.LastStatus(), Gdiplus::Ok);
  gdip::Image nothing(nullptr);
  EXPECT_FALSE(nothing.Loaded());
  EXPECT_EQ(nothing.Width(), 0);
  EXPECT_EQ(nothing.Format(), gdip::ImageFormat::Unknown);

  gdip::Graphics noDc(nullptr);
  EXPECT_FALSE(noDc.Valid());
  EXPECT_NE(noDc.LastStatus(), Gdiplus::Ok);
  const gdip::SolidBrush brush(0xFF000000);
  EXPECT_NE(noDc.FillPath(brush, path), Gdiplus::Ok);
}

TEST(GdiplusObjects, ColoursBecomeOpaqueArgb) {
  EXPECT_EQ(gdip::OpaqueArgb(RgbColor(0x12, 0x34, 0x56)), 0xFF123456u);
  EXPECT_EQ(gdip::OpaqueArgb(clBlack), 0xFF000000u);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(gdip::OpaqueArgb(clBtnFace),
            0xFF000000u | (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face));
}

}  // namespace

}  // namespace klarvik
