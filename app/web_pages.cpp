#include "app/web_pages.h"

#include <windows.h>
#include <shellapi.h>

#include "runtime/dialogs.h"

namespace klarvik {

bool OpenInBrowser(const std::wstring& address) {
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(GetDesktopWindow(), L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
}

std::wstring BrowserFailureText(const std::wstring& address) {
  return L"Unable to open your web browser, please open your web browser and enter \"" + address +
         L"\" in the addressbar.";
}

void OpenWebPage(const std::wstring& address, const WebPageOpener& open) {
  if (!open(address)) MessageDlg(BrowserFailureText(address), TMsgDlgType::mtError, mbOK, 0);
}

}  // namespace klarvik
