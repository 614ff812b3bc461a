#pragma once
// The maker's web pages, opened in the user's browser.
#include <functional>
#include <string>

namespace klarvik {

inline constexpr wchar_t kHomePageAddress[] = L"https://www.bramwick.com/";
inline constexpr wchar_t kSupportPageAddress[] = L"https://www.bramwick.com/support/";

// Hands an address to the shell; false when no browser could be started.
using WebPageOpener = std::function<bool(const std::wstring& address)>;
bool OpenInBrowser(const std::wstring& address);

// What the user is told when the browser cannot be started.
std::wstring BrowserFailureText(const std::wstring& address);

// Opens the page; when that fails, says so in an error box and leaves the rest to the user.
void OpenWebPage(const std::wstring& address, const WebPageOpener& open);

}  // namespace klarvik
