#pragma once
// The operating-system side of the main window's two measurements.
#include <string>

#include "app/measurement_report.h"

namespace klarvik {

// The user's temp folder as the system reports it (ends in a backslash); empty when unknown.
std::wstring GetTempDirectory();

// Free bytes available to the user and total bytes of the volume that holds `path`.
// Asks the volume of the path itself, so UNC paths and mounted folders work and the
// process's current directory is left alone. Both counts are -1 when it cannot be asked.
DriveSpace GetDriveSpace(const std::wstring& path);

// Measures both and works out what the window shows.
MeasurementReport MeasureTempFolder();

}  // namespace klarvik
