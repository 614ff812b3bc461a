#include "tests/support/message_box_presser.h"

namespace klarvik::test {

MessageBoxPresser::MessageBoxPresser() {
  texts_.clear();
  captions_.clear();
  timer_ = SetTimer(nullptr, 0, 50, &Tick);
}

MessageBoxPresser::~MessageBoxPresser() { KillTimer(nullptr, timer_); }

void CALLBACK MessageBoxPresser::Tick(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), &Press, 0); }

BOOL CALLBACK MessageBoxPresser::Press(HWND window, LPARAM) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (std::wstring(className) != L"#32770" || !IsWindowVisible(window)) return TRUE;
  wchar_t text[1024] = {};
  GetDlgItemTextW(window, 0xFFFF, text, 1024);
  texts_.push_back(text);
  wchar_t caption[256] = {};
  GetWindowTextW(window, caption, 256);
  captions_.push_back(caption);
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  return FALSE;
}

}  // namespace klarvik::test
