// Forms: frame and client size, placement, the close query, session end, exceptions in
// handlers, and handle hygiene.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "runtime/controls.h"
#include "runtime/dialogs.h"
#include "runtime/forms.h"
#include "runtime/graphics.h"
#include "runtime/menus.h"
#include "tests/support/runtime_test_support.h"
#include "tests/support/test_menus.h"
#include "win/exceptions.h"

namespace klarvik {

namespace {

using klarvik::test::RuntimeTest;

TMainMenu* MenuBarWithFourEntries(TComponent* owner) {
  return test::NewMenuBar(owner, {L"&File", L"&Skin", L"&Auto Clean", L"&Help"});
}

TEST_F(RuntimeTest, SingleBorderFormGetsTheExactClientSize) {
  struct Case {
    const char* name;
    bool withMenu;
    bool menuBeforeSize;
  };
  const Case cases[] = {
      {"menu set first", true, true},
      {"menu set after the size", true, false},
      {"no menu", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TForm* form = nullptr;
    app.CreateForm(form);
    form->SetBorderStyle(TFormBorderStyle::bsSingle);
    TMainMenu* menu = c.withMenu ? MenuBarWithFourEntries(form) : nullptr;
    if (c.menuBeforeSize) form->SetMenu(menu);
    form->SetClientWidth(440);
    form->SetClientHeight(211);
    if (!c.menuBeforeSize) form->SetMenu(menu);
    EXPECT_EQ(form->ClientWidth(), 440);
    EXPECT_EQ(form->ClientHeight(), 211);

    form->HandleNeeded();

    RECT client{};
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, 440);
    EXPECT_EQ(client.bottom, 211);
    EXPECT_EQ(GetMenu(form->Handle()) != nullptr, c.withMenu);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(form->Handle(), GWL_STYLE));
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX), static_cast<DWORD>(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0u);
    Free(form);
  }
}

// A task bar takes part of the screen from the work area; the form is still centred on
// the screen itself.
TEST_F(RuntimeTest, ScreenCenterPlacesTheFormInTheMiddleOfTheScreenNotTheWorkArea) {
  RECT previous{};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &previous, 0));
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  RECT withTaskBar{0, 0, screenWidth, screenHeight - 120};
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &withTaskBar, 0));
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  ASSERT_EQ(area.bottom, screenHeight - 120) << "the work area could not be changed";

  TForm* form = nullptr;
  app.CreateForm(form);
  form->SetPosition(TPosition::poScreenCenter);
  form->SetBounds(0, 0, 300, 200);
  form->Show();
  RECT window{};
  GetWindowRect(form->Handle(), &window);
  SystemParametersInfoW(SPI_SETWORKAREA, 0, &previous, 0);

  EXPECT_NEAR((window.left + window.right) / 2, screenWidth / 2, 1);
  EXPECT_NEAR((window.top + window.bottom) / 2, screenHeight / 2, 1);
}

TEST_F(RuntimeTest, CloseQueryDecidesWhetherTheFormCloses) {
  struct Step {
    const char* name;
    bool mainForm;
    bool allow;
    bool visibleAfter;
    bool terminatedAfter;
  };
  // In this order: only the last step may end the application.
  const Step steps[] = {
      {"main form refused", true, false, true, false},
      {"other form refused", false, false, true, false},
      {"other form allowed", false, true, false, false},
      {"main form allowed", true, true, false, true},
  };
  TForm* mainForm = nullptr;
  TForm* other = nullptr;
  app.CreateForm(mainForm);
  app.CreateForm(other);
  ASSERT_EQ(app.MainForm(), mainForm);
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    TForm* target = step.mainForm ? mainForm : other;
    int queries = 0;
    target->OnCloseQuery = [&](TObject*, bool& canClose) {
      ++queries;
      canClose = step.allow;
    };
    target->Show();

    PostMessageW(target->Handle(), WM_CLOSE, 0, 0);
    Pump();

    EXPECT_EQ(queries, 1);
    EXPECT_TRUE(IsWindow(target->Handle()));
    EXPECT_EQ(IsWindowVisible(target->Handle()) != FALSE, step.visibleAfter);
    EXPECT_EQ(app.Terminated(), step.terminatedAfter);
  }
}

// The main window's way: refuse ordinary closes, but let the session end.
class SessionForm : public TForm {
 public:
  using TForm::TForm;
  bool endedWith = false;
  int endCalls = 0;

 protected:
  void OnQueryEndSession(bool& allow) override { allow = true; }
  void OnEndSession(bool ending) override {
    ++endCalls;
    endedWith = ending;
  }
};

TEST_F(RuntimeTest, SessionEndAsksTheOverridableHooks) {
  TForm* plain = nullptr;
  SessionForm* session = nullptr;
  app.CreateForm(plain);
  app.CreateForm(session);
  for (TForm* form : {plain, static_cast<TForm*>(session)}) {
    form->OnCloseQuery = [](TObject*, bool& canClose) { canClose = false; };
  }

  EXPECT_EQ(SendMessageW(plain->Handle(), WM_QUERYENDSESSION, 0, 0), FALSE);
  EXPECT_EQ(SendMessageW(session->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
  SendMessageW(session->Handle(), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(session->endCalls, 1);
  EXPECT_TRUE(session->endedWith);
}

TEST_F(RuntimeTest, ExceptionInAHandlerReachesTheApplicationAndTheLoopGoesOn) {
  struct Case {
    std::function<void()> raise;
    std::wstring expectedMessage;
  };
  const Case cases[] = {
      {[] { throw EConvertError(L"'12,5' is not a valid number"); }, L"'12,5' is not a valid number"},
      {[] { throw std::runtime_error("disk gone"); }, L"disk gone"},
      {[] { throw 42; }, L"Unknown error"},
  };
  TForm* form = nullptr;
  app.CreateForm(form);
  auto* menu = new TMainMenu(form);
  form->SetMenu(menu);
  std::vector<TMenuItem*> failing;
  for (const Case& c : cases) {
    auto* item = new TMenuItem(form);
    item->SetShortCut(ShortCut(static_cast<WORD>(VK_F5 + failing.size()), scNone));
    item->OnClick = [&c](TObject*) { c.raise(); };
    menu->Items()->Add(item);
    failing.push_back(item);
  }
  auto* quit = new TMenuItem(form);
  quit->OnClick = [this](TObject*) { app.Terminate(); };
  menu->Items()->Add(quit);

  // Every failure once from a window procedure, once from the loop's short-cut handling, then quit.
  for (TMenuItem* item : failing) PostMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
  for (TMenuItem* item : failing) PostMessageW(form->Handle(), WM_KEYDOWN, item->ShortCut(), 1);
  PostMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(quit->Command(), 0), 0);
  app.Run();

  std::vector<std::wstring> expected;
  for (int round = 0; round < 2; ++round)
    for (const Case& c : cases) expected.push_back(c.expectedMessage);
  EXPECT_EQ(errors, expected);
}

TEST_F(RuntimeTest, ShowModalRunsUntilAModalResultTheCloseQueryAccepts) {
  TForm* owner = nullptr;
  TForm* dialog = nullptr;
  app.CreateForm(owner);
  app.CreateForm(dialog);
  owner->Show();
  auto* menu = new TMainMenu(dialog);
  auto* answer = new TMenuItem(dialog);
  menu->Items()->Add(answer);
  dialog->SetMenu(menu);
  std::vector<bool> ownerEnabledDuringLoop;
  answer->OnClick = [&](TObject*) {
    ownerEnabledDuringLoop.push_back(IsWindowEnabled(owner->Handle()) != FALSE);
    dialog->SetModalResult(mrYes);
  };
  int queries = 0;
  dialog->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++queries > 1; };  // refuses once
  for (int i = 0; i < 2; ++i) PostMessageW(dialog->Handle(), WM_COMMAND, MAKEWPARAM(answer->Command(), 0), 0);

  EXPECT_EQ(dialog->ShowModal(), mrYes);

  EXPECT_EQ(queries, 2);
  EXPECT_EQ(ownerEnabledDuringLoop, (std::vector<bool>{false, false}));
  EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
  EXPECT_FALSE(IsWindowVisible(dialog->Handle()));
}

class FailingCreateForm : public TForm {
 public:
  explicit FailingCreateForm(TComponent* owner) : TForm(owner) {
    child = new TComponent(this);
    OnCreate = [this](TObject*) {
      childLoadingInOnCreate = child->IsLoading();
      throw EInvalidOperation(L"creation failed");
    };
  }
  TComponent* child;
  bool childLoadingInOnCreate = true;
};

TEST_F(RuntimeTest, CreateFormRunsOnCreateAfterLoadingAndSurvivesItsException) {
  FailingCreateForm* form = nullptr;
  app.CreateForm(form);

  ASSERT_NE(form, nullptr);
  EXPECT_EQ(app.MainForm(), form);
  EXPECT_FALSE(form->IsLoading());
  EXPECT_FALSE(form->childLoadingInOnCreate);
  EXPECT_EQ(errors, (std::vector<std::wstring>{L"creation failed"}));
  EXPECT_TRUE(IsWindow(form->Handle()));
}

// Presses a button of the message box this thread shows, from inside its modal loop.
class MessageBoxAnswer {
 public:
  explicit MessageBoxAnswer(int button) {
    button_ = button;
    caption_.clear();
    text_.clear();
    timer_ = SetTimer(nullptr, 0, 50, &Tick);
  }
  ~MessageBoxAnswer() { KillTimer(nullptr, timer_); }
  static const std::wstring& Caption() { return caption_; }
  static const std::wstring& Text() { return text_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), &Press, 0);
  }
  static BOOL CALLBACK Press(HWND window, LPARAM) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) != L"#32770" || !IsWindowVisible(window)) return TRUE;
    wchar_t buffer[256] = {};
    GetWindowTextW(window, buffer, 256);
    caption_ = buffer;
    GetDlgItemTextW(window, 0xFFFF, buffer, 256);
    text_ = buffer;
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED), 0);
    return FALSE;
  }

  UINT_PTR timer_ = 0;
  static inline int button_ = 0;
  static inline std::wstring caption_;
  static inline std::wstring text_;
};

TEST_F(RuntimeTest, MessageDlgReturnsThePressedButtonAsModalResult) {
  struct Case {
    unsigned buttons;
    int pressed;
    int expected;
  };
  const Case cases[] = {
      {mbYesNo, IDNO, mrNo},
      {mbYesNoCancel, IDCANCEL, mrCancel},
      {mbOKCancel, IDOK, mrOk},
      {mbAbortRetryIgnore, IDIGNORE, mrIgnore},
      {mbRetry | mbCancel, IDRETRY, mrRetry},
  };
  app.SetTitle(L"Klarvik Test");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.buttons);
    MessageBoxAnswer answer(c.pressed);
    EXPECT_EQ(MessageDlg(L"Question?", TMsgDlgType::mtConfirmation, c.buttons, 0), c.expected);
  }
}

TEST_F(RuntimeTest, MessageDlgIsCaptionedByItsKind) {
  struct Case {
    TMsgDlgType type;
    const wchar_t* caption;
  };
  const Case cases[] = {
      {TMsgDlgType::mtError, L"Error"},
      {TMsgDlgType::mtWarning, L"Warning"},
      {TMsgDlgType::mtInformation, L"Information"},
      {TMsgDlgType::mtConfirmation, L"Confirm"},
      {TMsgDlgType::mtCustom, L"Klarvik Test"},
  };
  app.SetTitle(L"Klarvik Test");
  for (const Case& c : cases) {
    MessageBoxAnswer answer(IDOK);
    MessageDlg(L"Said", c.type, mbOK, 0);
    EXPECT_EQ(MessageBoxAnswer::Caption(), c.caption);
  }
}

TEST_F(RuntimeTest, DefaultExceptionDisplayShowsTheMessageUnderTheTitle) {
  app.SetTitle(L"Klarvik Test");
  app.OnException = nullptr;
  MessageBoxAnswer answer(IDOK);
  try {
    throw EConvertError(L"Value out of range");
  } catch (...) {
    app.HandleException(&app);
  }
  EXPECT_EQ(MessageBoxAnswer::Caption(), L"Klarvik Test");
  EXPECT_EQ(MessageBoxAnswer::Text(), L"Value out of range");
}

// A windowless control that writes its caption: the parent's paint hands it a canvas.
class CaptionText : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;

 protected:
  void Paint() override { Canvas().TextOut(0, 0, Caption()); }
};

// Everything a window of the program makes in GDI: frame, menu, fonts made and remade,
// brushes, painting of windowless children, bitmaps with their canvases.
void BuildShowPaintAndFree(TApplication& application) {
  TForm* form = nullptr;
  application.CreateForm(form);
  form->SetBorderStyle(TFormBorderStyle::bsSingle);
  form->SetMenu(MenuBarWithFourEntries(form));
  form->SetClientWidth(200);
  form->SetClientHeight(100);
  auto* label = new CaptionText(form);
  label->SetParent(form);
  label->SetBounds(10, 10, 100, 20);
  label->SetCaption(L"Temp Folder Size:");
  form->Show();
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
  form->Font().SetStyle(fsBold);  // remade while windows and canvases use it
  form->SetColor(clWhite);
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);

  TBitmap bitmap(32, 16);
  TCanvas& canvas = bitmap.Canvas();
  canvas.TextOut(0, 0, L"Klarvik");
  canvas.Rectangle(0, 0, 10, 10);
  canvas.Font().SetHeight(-13);
  canvas.Brush().SetColor(clBtnFace);
  canvas.Pen().SetColor(clRed);
  canvas.TextOut(0, 0, L"Klarvik");
  canvas.Rectangle(0, 0, 10, 10);
  bitmap.SetSize(16, 16);
  canvas.TextOut(0, 0, L"K");
  application.ProcessMessages();
  Free(form);
  application.ProcessMessages();
}

TEST_F(RuntimeTest, FormsBitmapsAndFontsLeaveNoGdiObjectsBehind) {
  BuildShowPaintAndFree(app);  // first use fills the system's caches
  const int before = LiveGdiObjects();
  {
    UniqueBrush extra(CreateSolidBrush(RGB(1, 2, 3)));
    ASSERT_EQ(LiveGdiObjects(), before + 1) << "the counter must see every object";
  }
  BuildShowPaintAndFree(app);
  EXPECT_EQ(LiveGdiObjects(), before);
}

}  // namespace

}  // namespace klarvik
