#pragma once
// What the main window shows for one measurement: the two label texts and the
// two gauges' ranges, worked out from byte counts alone.
#include <cstdint>
#include <optional>
#include <string>

namespace klarvik {

struct DriveSpace {
  std::int64_t freeBytes = -1;   // available to the user; negative when unknown
  std::int64_t totalBytes = -1;  // size of the volume; negative when unknown
};

struct GaugeRange {
  std::int32_t maxValue = 0;
  std::int32_t progress = 0;
  bool operator==(const GaugeRange&) const = default;
};

struct MeasurementReport {
  std::string freeSpaceCaption;  // sLabel2
  GaugeRange freeSpaceGauge;     // sGauge1
  std::string tempSizeCaption;   // sLabel1
  GaugeRange tempSizeGauge;      // sGauge2
};

inline constexpr const char* kFreeSpacePrefix = "Free Disk Space:";
inline constexpr const char* kTempSizePrefix = "Temp Folder Size:";

// `tempFolderBytes` is empty when the temp folder could not be determined.
MeasurementReport BuildMeasurementReport(const DriveSpace& drive, std::optional<std::int64_t> tempFolderBytes);

// Scales a gauge's two numbers by the same power of 1024 until the maximum fits
// a signed 32-bit value, then rounds both half to even.
GaugeRange FitGauge(double maxValue, double progress);

}  // namespace klarvik
