#include "app/run_values.h"

#include <windows.h>

#include "win/registry.h"

namespace klarvik {

bool RunValueExists(const std::wstring& name) {
  TRegistry registry(KEY_QUERY_VALUE);
  return registry.OpenKey(kRunKeyPath, false) && registry.ValueExists(name);
}

std::wstring ReadRunValue(const std::wstring& name) {
  TRegistry registry(KEY_QUERY_VALUE);
  return registry.OpenKey(kRunKeyPath, true) ? registry.ReadString(name) : std::wstring();
}

bool WriteRunValue(const std::wstring& name, const std::wstring& data) {
  TRegistry registry(KEY_SET_VALUE);
  return registry.OpenKey(kRunKeyPath, true) && registry.WriteString(name, data);
}

bool DeleteRunValue(const std::wstring& name) {
  TRegistry registry(KEY_SET_VALUE);
  if (registry.OpenKey(kRunKeyPath, false)) return registry.DeleteValue(name);
  // Without the key there is no value to delete; a key we may not change keeps
  // the value only when it holds it.
  if (registry.LastOpenStatus() == ERROR_FILE_NOT_FOUND) return true;
  TRegistry reader(KEY_QUERY_VALUE);
  return reader.OpenKey(kRunKeyPath, false) && !reader.ValueExists(name);
}

}  // namespace klarvik
