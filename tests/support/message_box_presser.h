#pragma once
// Presses OK on every message box the test's thread shows while a presser lives, keeping
// each box's caption and text.
#include <windows.h>

#include <string>
#include <vector>

namespace klarvik::test {

class MessageBoxPresser {
 public:
  MessageBoxPresser();
  MessageBoxPresser(const MessageBoxPresser&) = delete;
  MessageBoxPresser& operator=(const MessageBoxPresser&) = delete;
  ~MessageBoxPresser();
  static const std::vector<std::wstring>& Texts() { return texts_; }
  static const std::vector<std::wstring>& Captions() { return captions_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  static BOOL CALLBACK Press(HWND window, LPARAM);

  UINT_PTR timer_ = 0;
  static inline std::vector<std::wstring> texts_;
  static inline std::vector<std::wstring> captions_;
};

}  // namespace klarvik::test
