#include "app/measurement_report.h"

#include <gtest/gtest.h>

#include "controls/gauge_math.h"

namespace klarvik {
namespace {

struct ReportCase {
  const char* what;
  DriveSpace drive;
  std::optional<std::int64_t> folder;
  const char* freeCaption;
  GaugeRange freeGauge;
  const char* tempCaption;
  GaugeRange tempGauge;
};

// The labels and the free-space gauge follow the worked examples exactly. The
// temp-folder gauge counts folder and free space in one unit (bytes, scaled by
// 1024 until they fit 32 bits), so its fill is the folder's true share.
const ReportCase kCases[] = {
    {"300 MB folder, 12.5 GB free", {13421772800, 107374182400}, 314572800,
     "Free Disk Space: 12.5 GB", {100000, 12500}, "Temp Folder Size: 300 MB", {13414400, 307200}},
    {"1.5 GB folder", {13421772800, 107374182400}, 1610612736,
     "Free Disk Space: 12.5 GB", {100000, 12500}, "Temp Folder Size: 1.5 GB", {14680064, 1572864}},
    {"500 KB folder", {13421772800, 107374182400}, 512000,
     "Free Disk Space: 12.5 GB", {100000, 12500}, "Temp Folder Size: 500 KB", {13107700, 500}},
    {"700 byte folder", {13421772800, 107374182400}, 700,
     "Free Disk Space: 12.5 GB", {100000, 12500}, "Temp Folder Size: 700 bytes", {13107201, 1}},
    {"free space in MB is not multiplied", {838860800, 107374182400}, 1536,
     "Free Disk Space: 800 MB", {102400, 800}, "Temp Folder Size: 1.5 KB", {838862336, 1536}},
    {"terabytes, empty folder", {1649267441664, 4398046511104}, 0,
     "Free Disk Space: 1.5 TB", {4000, 1500}, "Temp Folder Size: 0 bytes", {1610612736, 0}},
    {"1.125 GB shows two decimals rounded up", {1207959552, 107374182400}, 2097152,
     "Free Disk Space: 1.13 GB", {100000, 1130}, "Temp Folder Size: 2 MB", {1210056704, 2097152}},
    {"1023 bytes folder", {13421772800, 107374182400}, 1023,
     "Free Disk Space: 12.5 GB", {100000, 12500}, "Temp Folder Size: 1023 bytes", {13107201, 1}},
    {"exactly 1 KB, 1 GB and 1 TB", {1099511627776, 1099511627776}, 1024,
     "Free Disk Space: 1 TB", {1000, 1000}, "Temp Folder Size: 1 KB", {1073741825, 1}},
    {"gauge ties round to even: 12.5 MB free", {13107200, 107374182400}, 1073741824,
     "Free Disk Space: 12.5 MB", {102400, 12}, "Temp Folder Size: 1 GB", {1086849024, 1073741824}},
    {"gauge ties round to even: 13.5 MB free", {14155776, 107374182400}, 0,
     "Free Disk Space: 13.5 MB", {102400, 14}, "Temp Folder Size: 0 bytes", {14155776, 0}},
    // Below one KB the number has no unit to scale by: it is shown in bytes.
    {"700 bytes free", {700, 1073741824}, 0,
     "Free Disk Space: 700 bytes", {1073741824, 700}, "Temp Folder Size: 0 bytes", {700, 0}},
    {"700 bytes free on 4 TB: both numbers scaled to fit", {700, 4398046511104}, 0,
     "Free Disk Space: 700 bytes", {4194304, 0}, "Temp Folder Size: 0 bytes", {700, 0}},
    // KB of a 4 TB drive overflow 32 bits.
    {"500 KB free on 4 TB", {512000, 4398046511104}, 0,
     "Free Disk Space: 500 KB", {4194304, 0}, "Temp Folder Size: 0 bytes", {512000, 0}},
    // Without the free space the folder has no share to show, not the whole disk.
    {"drive cannot be queried", {-1, -1}, 314572800,
     "Free Disk Space: unavailable", {0, 0}, "Temp Folder Size: 300 MB", {0, 0}},
    {"temp folder unknown", {13421772800, 107374182400}, std::nullopt,
     "Free Disk Space: 12.5 GB", {100000, 12500}, "Temp Folder Size: unavailable", {0, 0}},
};

TEST(MeasurementReport, LabelsAndGaugesForEveryCase) {
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    const MeasurementReport report = BuildMeasurementReport(c.drive, c.folder);
    EXPECT_EQ(report.freeSpaceCaption, c.freeCaption);
    EXPECT_EQ(report.freeSpaceGauge, c.freeGauge);
    EXPECT_EQ(report.tempSizeCaption, c.tempCaption);
    EXPECT_EQ(report.tempSizeGauge, c.tempGauge);
    EXPECT_LE(report.tempSizeGauge.progress, report.tempSizeGauge.maxValue);
  }
}

TEST(MeasurementReport, SmallFolderBesideLargeFreeSpaceShowsAlmostNothing) {
  const MeasurementReport report = BuildMeasurementReport({13421772800, 107374182400}, 512000);
  EXPECT_EQ(ProgressPercent(0, report.tempSizeGauge.maxValue, report.tempSizeGauge.progress), 0);
}

}  // namespace
}  // namespace klarvik
