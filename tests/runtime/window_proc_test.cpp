// The handler slot: a component that takes a control's messages over sees window messages
// and direct calls alike, and handing back the control's own handler ends that.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "runtime/controls.h"
#include "runtime/forms.h"
#include "tests/support/runtime_test_support.h"

namespace klarvik {

namespace {

using klarvik::test::RuntimeTest;

constexpr UINT kProbeMessage = WM_APP + 17;

// Records what passes and hands everything on to the handler it replaced.
struct Recorder {
  TWndMethod previous;
  std::vector<UINT> seen;
  void Handle(TMessage& message) {
    if (message.Msg == kProbeMessage) seen.push_back(message.Msg);
    previous(message);
  }
};

TEST_F(RuntimeTest, TakenOverHandlerSeesWindowMessagesAndDirectCallsUntilHandedBack) {
  TForm* form = nullptr;
  app.CreateForm(form);
  Recorder recorder{form->WindowProc(), {}};
  form->SetWindowProc(MakeWndMethod<&Recorder::Handle>(&recorder));
  EXPECT_EQ(form->WindowProc(), MakeWndMethod<&Recorder::Handle>(&recorder));

  SendMessageW(form->Handle(), kProbeMessage, 0, 0);
  form->Perform(kProbeMessage, 0, 0);
  EXPECT_EQ(recorder.seen.size(), 2u);
  // Messages it leaves alone still reach the form.
  SetWindowTextW(form->Handle(), L"Handed on");
  EXPECT_EQ(form->Caption(), L"Handed on");

  form->SetWindowProc(recorder.previous);
  EXPECT_EQ(form->WindowProc(), form->OwnWindowProc());
  SendMessageW(form->Handle(), kProbeMessage, 0, 0);
  EXPECT_EQ(recorder.seen.size(), 2u);
}

}  // namespace

}  // namespace klarvik
