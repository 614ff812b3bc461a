#pragma once
// The default skin manager's hook on the application's main window: it remembers whether
// the main form is being minimized or restored, keeps theme changes from reaching the
// application, passes the skin engine's own messages on to the forms and finds the
// pop-up menu a skinned menu item opens.
#include <windows.h>

#include <functional>

namespace klarvik {

class TMenuItem;
class TsSkinManager;

// Sent to the application's window: every form gets SKC_UPDATEFORMS, last to first.
constexpr UINT WM_SKINUPDATEFORMS = 0xB000;
// Sent to the application's window when a skinned pop-up menu opens: LParam names the
// menu item whose children it shows (0xBCB3) or the menu's window (0xBCB4).
constexpr UINT WM_SKINPOPUPITEM = 0xBCB3;
constexpr UINT WM_SKINPOPUPWINDOW = 0xBCB4;

enum class TacSystemCommand { None, Minimizing, Restoring };

class ApplicationWindowHook {
 public:
  ApplicationWindowHook(TsSkinManager& manager, HWND application);
  ~ApplicationWindowHook();
  ApplicationWindowHook(const ApplicationWindowHook&) = delete;
  ApplicationWindowHook& operator=(const ApplicationWindowHook&) = delete;

  HWND Window() const { return window_; }
  // The last system command while a skin was shown: minimizing, restoring or other.
  TacSystemCommand LastCommand() const { return lastCommand_; }

  // Given the window of a pop-up menu that opened and the item whose children it shows
  // (null when only the window is known); the skinned menus take it from here.
  std::function<void(HWND popup, TMenuItem* item)> OnPopupMenu;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data);
  // True when the message was handled here.
  bool Handle(UINT msg, WPARAM wParam, LPARAM lParam);
  void PopupItemShown(LPARAM item);
  void PopupWindowShown(HWND popup, TMenuItem* item);

  TsSkinManager& manager_;
  HWND window_;
  TacSystemCommand lastCommand_ = TacSystemCommand::None;
};

}  // namespace klarvik
