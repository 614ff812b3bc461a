#include "companions/common/program_paths.h"

namespace klarvik {

std::wstring WithTrailingBackslash(std::wstring path) {
  if (path.empty() || path.back() != L'\\') path += L'\\';
  return path;
}

std::wstring FolderOf(const std::wstring& filePath) {
  const std::size_t slash = filePath.find_last_of(L'\\');
  if (slash == std::wstring::npos) return {};
  return filePath.substr(0, slash + 1);
}

}  // namespace klarvik
