#pragma once
// TRegistry: one open key below a root key, opened with only the rights the caller
// asks for and closed when the object goes.
#include <windows.h>

#include <string>

#include "win/handles.h"

namespace klarvik {

class TRegistry {
 public:
  // Rooted at HKEY_CURRENT_USER; keys are opened with `access` rights.
  explicit TRegistry(REGSAM access);

  HKEY RootKey() const { return rootKey_; }
  void SetRootKey(HKEY root);
  REGSAM Access() const { return access_; }
  void SetAccess(REGSAM access) { access_ = access; }

  // Opens `path` below the root key with the Access rights, creating the missing keys
  // when `canCreate`. A leading backslash names the same path from the root; the system
  // functions refuse it, so it is dropped. Closes the key open before. False on failure.
  bool OpenKey(const std::wstring& path, bool canCreate);
  // The system's answer to the last OpenKey (ERROR_FILE_NOT_FOUND: no such key).
  LSTATUS LastOpenStatus() const { return lastOpenStatus_; }
  void CloseKey() { key_.Reset(); }
  bool HasOpenKey() const { return static_cast<bool>(key_); }

  // Whether the open key holds a value of that name, of any type.
  bool ValueExists(const std::wstring& name) const;
  // The text of a string value, unexpanded; empty when absent or not a string.
  std::wstring ReadString(const std::wstring& name) const;
  // Stores a REG_SZ value; false when it could not be stored.
  bool WriteString(const std::wstring& name, const std::wstring& value);
  // Removes a value; true when the key no longer holds it, including when it never did.
  bool DeleteValue(const std::wstring& name);

 private:
  HKEY rootKey_ = HKEY_CURRENT_USER;
  REGSAM access_;
  LSTATUS lastOpenStatus_ = ERROR_SUCCESS;
  UniqueHkey key_;
};

}  // namespace klarvik
