#include "app/version_info.h"

#include <vector>

#include "win/module_path.h"

namespace klarvik {

std::optional<VersionNumbers> GetVersionNumbers(const std::wstring& executable) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(executable.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::vector<std::uint8_t> block(size);
  if (!GetFileVersionInfoW(executable.c_str(), 0, size, block.data())) return std::nullopt;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || !fixed ||
      length < sizeof(VS_FIXEDFILEINFO))
    return std::nullopt;
  return VersionNumbers{HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                        LOWORD(fixed->dwFileVersionLS)};
}

std::wstring VersionText(const VersionNumbers& numbers) {
  return std::to_wstring(numbers.major) + L"." + std::to_wstring(numbers.minor) + L" Build: " +
         std::to_wstring(numbers.build);
}

std::wstring GetVersionText() {
  const std::optional<VersionNumbers> numbers = GetVersionNumbers(RunningExecutablePath());
  return numbers ? VersionText(*numbers) : L"unknown";
}

}  // namespace klarvik
