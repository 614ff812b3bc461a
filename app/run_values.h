#pragma once
// The two values Klarvik keeps under the current user's Run key. Reading asks only for
// query rights and writing only for set rights, so a key the user may read but not
// change still shows what it holds.
#include <string>

namespace klarvik {

// From the root of HKEY_CURRENT_USER.
inline constexpr wchar_t kRunKeyPath[] = L"\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// Present when the cleaner runs at every logon.
inline constexpr wchar_t kAutorunValueName[] = L"Klarvik Autorun";
// Present when the scheduler runs with a period.
inline constexpr wchar_t kTimerValueName[] = L"Klarvik Timer";

// Whether the Run key holds the value, whatever its data; false when the key is
// missing or cannot be read.
bool RunValueExists(const std::wstring& name);

// The value's text, empty when it is absent or cannot be read. The key is created
// first when it is missing.
std::wstring ReadRunValue(const std::wstring& name);

// Stores the value, creating the key when it is missing; false when it could not be stored.
bool WriteRunValue(const std::wstring& name, const std::wstring& data);

// Removes the value; true when the key no longer holds it, also when it (or the key)
// was never there.
bool DeleteRunValue(const std::wstring& name);

}  // namespace klarvik
