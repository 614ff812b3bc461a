#include "skin/manager/application_hook.h"

#include <commctrl.h>

#include "runtime/application.h"
#include "runtime/forms.h"
#include "runtime/menus.h"
#include "skin/manager/skin_commands.h"
#include "skin/manager/skin_manager.h"

namespace klarvik {

namespace {

constexpr UINT_PTR kSubclassId = 0x534B4D47;  // the manager's own subclass

bool IsPopupMenuWindow(HWND window) {
  wchar_t name[16]{};
  return window && GetClassNameW(window, name, 16) > 0 && std::wstring_view(name) == L"#32768";
}

}  // namespace

ApplicationWindowHook::ApplicationWindowHook(TsSkinManager& manager, HWND application)
    : manager_(manager), window_(application) {
  if (window_) SetWindowSubclass(window_, Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

ApplicationWindowHook::~ApplicationWindowHook() {
  if (window_ && IsWindow(window_)) RemoveWindowSubclass(window_, Procedure, kSubclassId);
}

LRESULT CALLBACK ApplicationWindowHook::Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                  DWORD_PTR data) {
  auto* hook = reinterpret_cast<ApplicationWindowHook*>(data);
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(window, Procedure, kSubclassId);
    hook->window_ = nullptr;
  } else if (hook->Handle(msg, wParam, lParam)) {
    return 0;
  }
  return DefSubclassProc(window, msg, wParam, lParam);
}

bool ApplicationWindowHook::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SYSCOMMAND:
      if (!manager_.Tables().SkinData.Active) return false;
      switch (wParam & 0xFFF0) {
        case SC_MINIMIZE: lastCommand_ = TacSystemCommand::Minimizing; break;
        case SC_RESTORE: lastCommand_ = TacSystemCommand::Restoring; break;
        default: lastCommand_ = TacSystemCommand::None; break;
      }
      return false;
    case WM_THEMECHANGED:
      return true;
    case WM_SKINUPDATEFORMS:
      if (Application) {
        for (int i = Application->ComponentCount() - 1; i >= 0; --i) {
          auto* form = dynamic_cast<TCustomForm*>(Application->Components(i));
          if (form && form->HandleAllocated() && !form->IsDestroying())
            SendMessageW(form->Handle(), WM_SKINCOMMAND, SkinCommandParam(SKC_UPDATEFORMS), 0);
        }
      }
      return true;
    case WM_SKINPOPUPITEM:
      if (!manager_.SkinnedPopups) return false;
      PopupItemShown(lParam);
      return true;
    case WM_SKINPOPUPWINDOW:
      if (!manager_.SkinnedPopups) return false;
      PopupWindowShown(reinterpret_cast<HWND>(lParam), nullptr);
      return true;
    default:
      return false;
  }
}

// The item comes from whoever sent the message: only one that still exists is used.
void ApplicationWindowHook::PopupItemShown(LPARAM item) {
  if (!TMenuItem::IsLive(reinterpret_cast<const void*>(item))) return;
  auto* menuItem = reinterpret_cast<TMenuItem*>(item);
  TMenuItem* parent = menuItem->Parent();
  if (!parent || parent->Count() == 0) return;
  HMENU menu = parent->Handle();
  RECT first{};
  if (!GetMenuItemRect(nullptr, menu, 0, &first) && !GetMenuItemRect(window_, menu, 0, &first)) return;
  const POINT centre{(first.left + first.right) / 2, (first.top + first.bottom) / 2};
  PopupWindowShown(WindowFromPoint(centre), menuItem);
}

void ApplicationWindowHook::PopupWindowShown(HWND popup, TMenuItem* item) {
  if (IsPopupMenuWindow(popup) && OnPopupMenu) OnPopupMenu(popup, item);
}

}  // namespace klarvik
