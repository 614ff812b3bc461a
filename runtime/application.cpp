#include "runtime/application.h"


#include <commctrl.h>

#include "runtime/menus.h"
#include "runtime/program_icon.h"
#include "win/exception_boundary.h"
#include "win/exceptions.h"
#include "win/text.h"
#include "win/window_class.h"

namespace klarvik {

namespace {

constexpr wchar_t kApplicationClassName[] = L"KlarvikApplication";
constexpr WindowBinding<TApplication> kApplicationBinding(L"Klarvik.Application");

TApplication processApplication(nullptr);

}  // namespace

TApplication* Application = &processApplication;

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {
  // Whichever application is current hears of what escapes a window's handler.
  WindowExceptions<TObject>::SetHandler([](TObject* sender) {
    if (Application) Application->HandleException(sender);
  });
}

TApplication::~TApplication() {
  DestroyComponents();
  handle_.Reset();
}

void TApplication::Initialize() {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
}

void TApplication::SetTitle(const std::wstring& title) {
  title_ = title;
  if (handle_) SetWindowTextW(handle_.Get(), title_.c_str());
}

HWND TApplication::Handle() {
  if (!handle_) CreateHandle();
  return handle_.Get();
}

// A visible window of no size: it carries the task-bar button with the title and owns the
// forms, so they get no buttons of their own.
void TApplication::CreateHandle() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hIcon = ProgramIcon();
  windowClass.lpszClassName = kApplicationClassName;
  RegisterWindowClass(windowClass);
  const int x = GetSystemMetrics(SM_CXSCREEN) / 2;
  const int y = GetSystemMetrics(SM_CYSCREEN) / 2;
  // WM_NCCREATE hands the window to handle_, so that messages sent during creation find it.
  CreateWindowExW(0, kApplicationClassName, title_.c_str(), WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                  x, y, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), this);
  if (!handle_) throw EOSError(L"CreateWindowEx", GetLastError());
}

LRESULT CALLBACK TApplication::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* created = static_cast<TApplication*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    created->handle_.Reset(window);
    kApplicationBinding.Bind(window, created);
  }
  TApplication* application = kApplicationBinding.Find(window);
  if (msg == WM_NCDESTROY) {
    kApplicationBinding.Unbind(window);
    if (application) application->handle_.Release();
    application = nullptr;
  }
  if (!application) return DefWindowProcW(window, msg, wParam, lParam);
  return WindowExceptions<TObject>::CallGuarded(application, 0,
                                                [&] { return application->HandleWindowMessage(msg, wParam, lParam); });
}

LRESULT TApplication::HandleWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
      if (mainForm_) mainForm_->Close();
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MINIMIZE) {
        Minimize();
        return 0;
      }
      if ((wParam & 0xFFF0) == SC_RESTORE) {
        Restore();
        return 0;
      }
      if ((wParam & 0xFFF0) == SC_CLOSE) {
        if (mainForm_) mainForm_->Close();
        return 0;
      }
      break;
    case WM_ACTIVATE:
      // Activation through the task-bar button belongs to the form the user worked in.
      if (LOWORD(wParam) != WA_INACTIVE) {
        HWND popup = GetLastActivePopup(handle_.Get());
        if (popup && popup != handle_.Get() && IsWindowVisible(popup) && IsWindowEnabled(popup)) {
          SetActiveWindow(popup);
          return 0;
        }
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(handle_.Get(), msg, wParam, lParam);
}

void TApplication::Minimize() {
  if (!IsIconic(Handle())) ShowWindow(Handle(), SW_MINIMIZE);
}

void TApplication::Restore() {
  if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
  if (mainForm_ && mainForm_->Visible()) SetActiveWindow(mainForm_->Handle());
}

TCustomForm* TApplication::ActiveForm() const {
  return dynamic_cast<TCustomForm*>(TWinControl::FindControl(GetActiveWindow()));
}

void TApplication::Run() {
  if (mainForm_) {
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    mainForm_->Show();
  }
  while (!terminated_) HandleMessage();
}

void TApplication::ProcessMessages() {
  while (ProcessMessage()) {
  }
}

void TApplication::HandleMessage() {
  if (!ProcessMessage() && !terminated_) WaitMessage();
}

bool TApplication::ProcessMessage() {
  MSG message{};
  if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return false;
  if (message.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  bool handled = false;
  try {
    handled = IsPreProcessMessage(message);
  } catch (...) {
    HandleException(this);
    handled = true;
  }
  if (!handled) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return true;
}

// Keyboard messages go to the focus window; the form around it gets the first say.
bool TApplication::IsPreProcessMessage(MSG& message) {
  if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST || !message.hwnd) return false;
  auto* form = dynamic_cast<TCustomForm*>(TWinControl::FindControl(GetAncestor(message.hwnd, GA_ROOT)));
  if (!form) return false;
  const bool keyDown = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
  if (keyDown && form->Menu() && form->Menu()->IsShortCut(message)) return true;
  // An access key held down acts once: its repeats would click the button again and
  // again (Alt+letter never types text, so no repeat is lost to an edit box).
  constexpr LPARAM kRepeated = LPARAM{1} << 30;
  if (message.message == WM_SYSCHAR && (message.lParam & kRepeated)) return true;
  return IsDialogMessageW(form->Handle(), &message) != FALSE;
}

void TApplication::Terminate() {
  terminated_ = true;
  // Wakes a loop that waits for messages, so it sees the flag now.
  PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == mainForm_) mainForm_ = nullptr;
}

void TApplication::HandleException(TObject* Sender) {
  const std::exception_ptr current = std::current_exception();
  if (!current) return;
  // Whatever the display does, nothing may leave here: callers sit in window procedures.
  try {
    try {
      std::rethrow_exception(current);
    } catch (const std::exception& error) {
      if (OnException) {
        OnException(Sender, error);
      } else {
        ShowException(error);
      }
    } catch (...) {
      const Exception unknown(L"Unknown error");
      if (OnException) {
        OnException(Sender, unknown);
      } else {
        ShowException(unknown);
      }
    }
  } catch (...) {
  }
}

// Under the application's title, unlike a message dialog, whose caption names its kind.
void TApplication::ShowException(const std::exception& E) {
  const auto* own = dynamic_cast<const Exception*>(&E);
  const std::wstring text = own ? own->Message() : FromUtf8(E.what());
  MessageBoxW(GetActiveWindow(), text.c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace klarvik
