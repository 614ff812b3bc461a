#pragma once
// Modal message dialogs.
#include <string>

namespace klarvik {

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : unsigned { mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8, mbAbort = 16, mbRetry = 32, mbIgnore = 64 };
constexpr unsigned mbYesNo = mbYes | mbNo;
constexpr unsigned mbYesNoCancel = mbYes | mbNo | mbCancel;
constexpr unsigned mbOKCancel = mbOK | mbCancel;
constexpr unsigned mbAbortRetryIgnore = mbAbort | mbRetry | mbIgnore;

// Shows a modal message box over the active window, captioned by its kind ("Error",
// "Warning", "Information", "Confirm"; a custom one by the application's title), and
// returns the pressed button as mrXxx. Sets of buttons the system box has no layout
// for fall back to the nearest one that contains them (mbOK alone when none does).
int MessageDlg(const std::wstring& Msg, TMsgDlgType DlgType, unsigned Buttons, int HelpCtx);

}  // namespace klarvik
