#include "runtime/dialogs.h"

#include <windows.h>

#include "runtime/application.h"
#include "runtime/forms.h"

namespace klarvik {

namespace {

UINT ButtonLayout(unsigned buttons) {
  const auto has = [buttons](unsigned wanted) { return (buttons & wanted) == wanted; };
  if (has(mbAbortRetryIgnore)) return MB_ABORTRETRYIGNORE;
  if (has(mbYesNoCancel)) return MB_YESNOCANCEL;
  if (has(mbYesNo)) return MB_YESNO;
  if (has(mbRetry | mbCancel)) return MB_RETRYCANCEL;
  if (has(mbOKCancel)) return MB_OKCANCEL;
  return MB_OK;
}

UINT IconOf(TMsgDlgType type) {
  switch (type) {
    case TMsgDlgType::mtWarning: return MB_ICONWARNING;
    case TMsgDlgType::mtError: return MB_ICONERROR;
    case TMsgDlgType::mtInformation: return MB_ICONINFORMATION;
    case TMsgDlgType::mtConfirmation: return MB_ICONQUESTION;
    case TMsgDlgType::mtCustom: return 0;
  }
  return 0;
}

// The caption each kind of message carries; a custom one carries the application's title.
std::wstring CaptionOf(TMsgDlgType type) {
  switch (type) {
    case TMsgDlgType::mtWarning: return L"Warning";
    case TMsgDlgType::mtError: return L"Error";
    case TMsgDlgType::mtInformation: return L"Information";
    case TMsgDlgType::mtConfirmation: return L"Confirm";
    case TMsgDlgType::mtCustom: break;
  }
  return Application ? Application->Title() : std::wstring();
}

int ModalResultOf(int pressed) {
  switch (pressed) {
    case IDOK: return mrOk;
    case IDCANCEL: return mrCancel;
    case IDABORT: return mrAbort;
    case IDRETRY: return mrRetry;
    case IDIGNORE: return mrIgnore;
    case IDYES: return mrYes;
    case IDNO: return mrNo;
    default: return mrNone;
  }
}

}  // namespace

int MessageDlg(const std::wstring& Msg, TMsgDlgType DlgType, unsigned Buttons, int) {
  HWND owner = GetActiveWindow();
  const std::wstring caption = CaptionOf(DlgType);
  return ModalResultOf(MessageBoxW(owner, Msg.c_str(), caption.c_str(), ButtonLayout(Buttons) | IconOf(DlgType)));
}

}  // namespace klarvik
