#include "app/measurement_report.h"

#include <limits>

#include "app/size_format.h"

namespace klarvik {
namespace {

constexpr double kGaugeLimit = std::numeric_limits<std::int32_t>::max();

bool CountsThousandths(const std::string& tag) { return tag == "GB" || tag == "TB"; }

// The text before the unit, as a number ("12.5GB" -> 12.5).
double NumberOf(const std::string& sizeText, std::size_t unitLength) {
  return ParseNumber(sizeText.substr(0, sizeText.size() - unitLength)).value_or(0);
}

void DescribeFreeSpace(const DriveSpace& drive, MeasurementReport& report) {
  const std::string prefix = std::string(kFreeSpacePrefix) + " ";
  if (drive.freeBytes < 0 || drive.totalBytes < 0) {
    report.freeSpaceCaption = prefix + "unavailable";
    report.freeSpaceGauge = {};
    return;
  }
  const std::string tag = UnitTag(FormatSize(NumberFormat::Whole, drive.freeBytes));
  if (tag == "es") {
    // Below one KB there is no unit to scale by: count bytes.
    report.freeSpaceCaption = prefix + std::to_string(drive.freeBytes) + " bytes";
    report.freeSpaceGauge = FitGauge(static_cast<double>(drive.totalBytes), static_cast<double>(drive.freeBytes));
    return;
  }
  double total = ParseNumber(FormatSizeInUnit(tag, NumberFormat::TwoDecimals, drive.totalBytes)).value_or(0);
  double free = NumberOf(FormatSize(NumberFormat::TwoDecimals, drive.freeBytes), 2);
  report.freeSpaceCaption = prefix + PrintNumber(free) + " " + tag;
  if (CountsThousandths(tag)) {
    total *= 1000;
    free *= 1000;
  }
  report.freeSpaceGauge = FitGauge(total, free);
}

void DescribeTempFolder(std::optional<std::int64_t> folderBytes, const DriveSpace& drive,
                        MeasurementReport& report) {
  const std::string prefix = std::string(kTempSizePrefix) + " ";
  if (!folderBytes) {
    report.tempSizeCaption = prefix + "unavailable";
    report.tempSizeGauge = {};
    return;
  }
  const std::int64_t bytes = *folderBytes;
  const std::string text = FormatSize(NumberFormat::TwoDecimals, bytes);
  if (text.ends_with("bytes")) {
    report.tempSizeCaption = prefix + text.substr(0, text.size() - 5) + " bytes";
  } else {
    report.tempSizeCaption = prefix + PrintNumber(NumberOf(text, 2)) + " " + UnitTag(text);
  }
  // The folder's share of folder plus free space, both counted in bytes so the two
  // numbers are in one unit. Without the free space there is no share to show: the
  // folder would read as the whole disk.
  if (drive.freeBytes < 0 || drive.totalBytes < 0) {
    report.tempSizeGauge = {};
    return;
  }
  report.tempSizeGauge =
      FitGauge(static_cast<double>(bytes) + static_cast<double>(drive.freeBytes), static_cast<double>(bytes));
}

}  // namespace

GaugeRange FitGauge(double maxValue, double progress) {
  while (RoundHalfEven(maxValue) > kGaugeLimit) {
    maxValue /= 1024;
    progress /= 1024;
  }
  return {static_cast<std::int32_t>(RoundHalfEven(maxValue)), static_cast<std::int32_t>(RoundHalfEven(progress))};
}

MeasurementReport BuildMeasurementReport(const DriveSpace& drive, std::optional<std::int64_t> tempFolderBytes) {
  MeasurementReport report;
  DescribeFreeSpace(drive, report);
  DescribeTempFolder(tempFolderBytes, drive, report);
  return report;
}

}  // namespace klarvik
