#include "win/registry.h"

#include <vector>

namespace klarvik {

TRegistry::TRegistry(REGSAM access) : access_(access) {}

void TRegistry::SetRootKey(HKEY root) {
  CloseKey();
  rootKey_ = root;
}

bool TRegistry::OpenKey(const std::wstring& path, bool canCreate) {
  CloseKey();
  const wchar_t* const relative = path.c_str() + (path.starts_with(L'\\') ? 1 : 0);
  HKEY key = nullptr;
  const LSTATUS status = canCreate ? RegCreateKeyExW(rootKey_, relative, 0, nullptr, REG_OPTION_NON_VOLATILE, access_,
                                                     nullptr, &key, nullptr)
                                   : RegOpenKeyExW(rootKey_, relative, 0, access_, &key);
  lastOpenStatus_ = status;
  if (status != ERROR_SUCCESS) return false;
  key_.Reset(key);
  return true;
}

bool TRegistry::ValueExists(const std::wstring& name) const {
  return key_ && RegQueryValueExW(key_.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::wstring TRegistry::ReadString(const std::wstring& name) const {
  if (!key_) return {};
  constexpr DWORD kStrings = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
  // The value may grow between asking its size and reading it; ask again then.
  for (;;) {
    DWORD bytes = 0;
    if (RegGetValueW(key_.Get(), nullptr, name.c_str(), kStrings, nullptr, nullptr, &bytes) != ERROR_SUCCESS) return {};
    std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    const LSTATUS status = RegGetValueW(key_.Get(), nullptr, name.c_str(), kStrings, nullptr, text.data(), &bytes);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) return {};
    return text.data();
  }
}

bool TRegistry::WriteString(const std::wstring& name, const std::wstring& value) {
  if (!key_) return false;
  const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key_.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes) ==
         ERROR_SUCCESS;
}

bool TRegistry::DeleteValue(const std::wstring& name) {
  if (!key_) return false;
  const LSTATUS status = RegDeleteValueW(key_.Get(), name.c_str());
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace klarvik
