#include "app/temp_measurements.h"

#include <windows.h>

#include "app/folder_size.h"

namespace klarvik {

std::wstring GetTempDirectory() {
  const DWORD needed = GetTempPathW(0, nullptr);
  if (needed == 0) return {};
  std::wstring path(needed, L'\0');
  const DWORD length = GetTempPathW(needed, path.data());
  if (length == 0 || length >= needed) return {};
  path.resize(length);
  return path;
}

DriveSpace GetDriveSpace(const std::wstring& path) {
  ULARGE_INTEGER available{};
  ULARGE_INTEGER total{};
  if (path.empty() || !GetDiskFreeSpaceExW(path.c_str(), &available, &total, nullptr)) return {};
  return {static_cast<std::int64_t>(available.QuadPart), static_cast<std::int64_t>(total.QuadPart)};
}

MeasurementReport MeasureTempFolder() {
  const std::wstring temp = GetTempDirectory();
  if (temp.empty()) return BuildMeasurementReport({}, std::nullopt);
  return BuildMeasurementReport(GetDriveSpace(temp), GetFolderSize(temp));
}

}  // namespace klarvik
