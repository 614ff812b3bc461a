#include "widgets/threaded_timer.h"

#include <tlhelp32.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "runtime/dialogs.h"
#include "runtime/forms.h"
#include "tests/widgets/gui_test_support.h"

namespace klarvik::test {
namespace {

// Waits and timer expiries may end up to a clock tick early; lower bounds allow for it.
constexpr double kEarlySlackMs = 20;

struct Tick {
  Clock::time_point at;
  DWORD thread;
  TObject* sender;
};

class ThreadedTimerTest : public GuiTest {
 protected:
  // A timer owned by the test's application, recording each tick.
  TThreadedTimer* NewRecordingTimer(uint32_t interval) {
    auto* timer = new TThreadedTimer(&app);
    timer->SetInterval(interval);
    timer->OnTimer = [this](TObject* sender) { ticks.push_back({Clock::now(), GetCurrentThreadId(), sender}); };
    return timer;
  }

  bool PumpUntilTicks(size_t count) {
    return PumpUntil([&] { return ticks.size() >= count; }, milliseconds(5000));
  }

  std::vector<Tick> ticks;
};

// True once the worker has handed a tick over and waits for the GUI thread to run it.
// Waits without handling messages, so the handover stays pending.
bool WaitForPendingHandover() {
  const Clock::time_point deadline = Clock::now() + milliseconds(5000);
  while (Clock::now() < deadline) {
    if (HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) return true;
    Sleep(5);
  }
  return false;
}

// Threads of this process, other than the caller, that are suspended. Reading the count
// means suspending for an instant; nothing is allocated before the thread is resumed.
int SuspendedOtherThreads() {
  const UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  if (!snapshot) return -1;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  int suspended = 0;
  for (BOOL more = Thread32First(snapshot.Get(), &entry); more; more = Thread32Next(snapshot.Get(), &entry)) {
    if (entry.th32OwnerProcessID != GetCurrentProcessId() || entry.th32ThreadID == GetCurrentThreadId()) continue;
    const UniqueKernelHandle thread(OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID));
    if (!thread) continue;
    const DWORD previousCount = SuspendThread(thread.Get());
    if (previousCount == static_cast<DWORD>(-1)) continue;
    ResumeThread(thread.Get());
    if (previousCount > 0) ++suspended;
  }
  return suspended;
}

BOOL CALLBACK PressOkInMessageBoxes(HWND window, LPARAM) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (std::wstring(className) == L"#32770") PostMessageW(window, WM_COMMAND, IDOK, 0);
  return TRUE;
}

TEST_F(ThreadedTimerTest, NewTimerIsDisabledWithOneSecondAtNormalPriority) {
  TThreadedTimer timer(nullptr);
  EXPECT_FALSE(timer.Enabled());
  EXPECT_FALSE(timer.AllowZero());
  EXPECT_EQ(timer.Interval(), 1000u);
  EXPECT_EQ(timer.ThreadPriority(), TThreadPriority::tpNormal);
  timer.SetThreadPriority(TThreadPriority::tpLowest);
  EXPECT_EQ(timer.ThreadPriority(), TThreadPriority::tpLowest);
}

TEST_F(ThreadedTimerTest, TicksComeOnTheGuiThreadOneIntervalApartStartingOneIntervalAfterEnabling) {
  TThreadedTimer* timer = NewRecordingTimer(200);
  const Clock::time_point enabledAt = Clock::now();
  timer->SetEnabled(true);
  PumpFor(milliseconds(500));  // two and a half intervals: two ticks, give or take load

  ASSERT_GE(ticks.size(), 1u);
  EXPECT_LE(ticks.size(), 3u);
  EXPECT_GE(MillisecondsBetween(enabledAt, ticks[0].at), 200 - kEarlySlackMs);
  for (size_t i = 0; i < ticks.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(ticks[i].thread, GetCurrentThreadId());
    EXPECT_EQ(ticks[i].sender, timer);
    if (i > 0) {
      EXPECT_GE(MillisecondsBetween(ticks[i - 1].at, ticks[i].at), 200 - kEarlySlackMs);
    }
  }
}

// Each write sequence must act like its last distinct value: repeats count for nothing.
TEST_F(ThreadedTimerTest, RepeatedEnabledWritesCountOnce) {
  struct Case {
    const char* name;
    std::vector<bool> writes;
    bool ticksExpected;
  };
  const Case cases[] = {
      {"enabled and at once disabled", {true, false}, false},
      {"enabled twice, disabled once", {true, true, false}, false},
      {"disabled twice, enabled once", {true, false, false, true}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ticks.clear();
    TThreadedTimer* timer = NewRecordingTimer(100);
    for (const bool value : c.writes) timer->SetEnabled(value);
    if (c.ticksExpected) {
      EXPECT_TRUE(PumpUntilTicks(2));
    } else {
      PumpFor(milliseconds(400));
      EXPECT_TRUE(ticks.empty());
    }
    delete timer;
  }
}

TEST_F(ThreadedTimerTest, IntervalChangeWhileEnabledRestartsTheCount) {
  TThreadedTimer* timer = NewRecordingTimer(300);
  timer->SetEnabled(true);
  PumpFor(milliseconds(200));
  ASSERT_TRUE(ticks.empty());
  const Clock::time_point changedAt = Clock::now();
  timer->SetInterval(400);  // the old count would have ticked about 100 ms from here

  ASSERT_TRUE(PumpUntilTicks(1));
  EXPECT_GE(MillisecondsBetween(changedAt, ticks[0].at), 400 - kEarlySlackMs);
  EXPECT_TRUE(timer->Enabled());
  EXPECT_EQ(timer->Interval(), 400u);
}

TEST_F(ThreadedTimerTest, IntervalChangeLeavesADisabledTimerDisabled) {
  TThreadedTimer* timer = NewRecordingTimer(300);
  timer->SetInterval(50);
  PumpFor(milliseconds(300));
  EXPECT_FALSE(timer->Enabled());
  EXPECT_TRUE(ticks.empty());
}

TEST_F(ThreadedTimerTest, FailingHandlerNeitherStopsTheTimerNorReachesTheApplication) {
  auto* timer = new TThreadedTimer(&app);
  timer->SetInterval(50);
  int calls = 0;
  timer->OnTimer = [&](TObject*) {
    ++calls;
    if (calls % 2) throw std::runtime_error("tick failed");
    throw 42;  // not even a std::exception
  };
  timer->SetEnabled(true);

  EXPECT_TRUE(PumpUntil([&] { return calls >= 4; }, milliseconds(5000)));
  EXPECT_TRUE(timer->Enabled());
  EXPECT_TRUE(errors.empty());
}

// The worker may be not yet started, held, counting, or blocked in a handover that the
// GUI thread has not served; in each, destruction must end it without a tick.
TEST_F(ThreadedTimerTest, DestructionEndsTheWorkerInEveryStateWithoutATick) {
  struct Case {
    const char* name;
    std::function<void(TThreadedTimer&)> prepare;
  };
  const Case cases[] = {
      {"never enabled", [](TThreadedTimer&) {}},
      {"enabled with interval 0, so never started",
       [](TThreadedTimer& timer) {
         timer.SetInterval(0);
         timer.SetEnabled(true);
       }},
      {"enabled, then disabled",
       [](TThreadedTimer& timer) {
         timer.SetInterval(50);
         timer.SetEnabled(true);
         timer.SetEnabled(false);
       }},
      {"counting an interval",
       [](TThreadedTimer& timer) {
         timer.SetInterval(60000);
         timer.SetEnabled(true);
       }},
      {"tick handed over, not yet run",
       [](TThreadedTimer& timer) {
         timer.SetInterval(30);
         timer.SetEnabled(true);
         ASSERT_TRUE(WaitForPendingHandover());
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* owner = new TComponent(nullptr);
    auto* timer = new TThreadedTimer(owner);
    int calls = 0;
    timer->OnTimer = [&](TObject*) { ++calls; };
    c.prepare(*timer);
    {
      Watchdog watchdog(milliseconds(10000), std::string("destroying a timer, ") + c.name);
      Free(owner);
    }
    PumpFor(milliseconds(50));
    EXPECT_EQ(calls, 0);
  }
}

TEST_F(ThreadedTimerTest, TickHandedOverBeforeDisablingIsDroppedAndTicksResumeWhenEnabledAgain) {
  TThreadedTimer* timer = NewRecordingTimer(30);
  timer->SetEnabled(true);
  ASSERT_TRUE(WaitForPendingHandover());
  timer->SetEnabled(false);
  PumpFor(milliseconds(200));
  EXPECT_TRUE(ticks.empty());

  timer->SetEnabled(true);
  EXPECT_TRUE(PumpUntilTicks(1));
}

TEST_F(ThreadedTimerTest, BusyGuiThreadGetsOneTickNotSeveral) {
  TThreadedTimer* timer = NewRecordingTimer(100);
  timer->SetEnabled(true);
  Sleep(800);  // busy for eight intervals
  app.ProcessMessages();
  EXPECT_GE(ticks.size(), 1u);
  // One, or two if this thread was descheduled for a whole interval inside ProcessMessages.
  EXPECT_LE(ticks.size(), 2u);
}

TEST_F(ThreadedTimerTest, ZeroIntervalWithoutAllowZeroWaitsForANonZeroInterval) {
  TThreadedTimer* timer = NewRecordingTimer(0);
  timer->SetEnabled(true);
  EXPECT_TRUE(timer->Enabled());
  PumpFor(milliseconds(300));
  EXPECT_TRUE(ticks.empty());

  const Clock::time_point changedAt = Clock::now();
  timer->SetInterval(100);
  ASSERT_TRUE(PumpUntilTicks(3));
  EXPECT_GE(MillisecondsBetween(changedAt, ticks[0].at), 100 - kEarlySlackMs);
  EXPECT_GE(MillisecondsBetween(ticks[0].at, ticks[1].at), 100 - kEarlySlackMs);
}

TEST_F(ThreadedTimerTest, ZeroIntervalWithAllowZeroTicksOnceEnabledAfterwards) {
  TThreadedTimer* timer = NewRecordingTimer(0);
  timer->SetEnabled(true);
  timer->SetAllowZero(true);  // counts from the next enabling
  PumpFor(milliseconds(300));
  EXPECT_TRUE(ticks.empty());

  timer->SetEnabled(false);
  timer->SetEnabled(true);
  // As fast as this thread takes them: far more than any non-zero interval would give.
  EXPECT_TRUE(PumpUntilTicks(50));
}

TEST_F(ThreadedTimerTest, DisablingInsideOnTimerStopsTicksUntilEnabledAgain) {
  auto* timer = new TThreadedTimer(&app);
  timer->SetInterval(50);
  int calls = 0;
  timer->OnTimer = [&](TObject*) {
    ++calls;
    timer->SetEnabled(false);
  };
  timer->SetEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return calls >= 1; }, milliseconds(5000)));
  PumpFor(milliseconds(300));
  EXPECT_EQ(calls, 1);

  timer->SetEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return calls >= 2; }, milliseconds(5000)));
  PumpFor(milliseconds(300));
  EXPECT_EQ(calls, 2);
}

// A worker frozen with SuspendThread may hold the heap lock and deadlock the GUI thread;
// a disabled timer's worker must be waiting, not suspended.
TEST_F(ThreadedTimerTest, DisabledWorkerIsHeldNotSuspended) {
  TThreadedTimer* timer = NewRecordingTimer(50);
  timer->SetEnabled(true);
  ASSERT_TRUE(PumpUntilTicks(1));
  timer->SetEnabled(false);
  PumpFor(milliseconds(100));
  EXPECT_EQ(SuspendedOtherThreads(), 0);
}

TEST_F(ThreadedTimerTest, TicksArriveWhileAModalLoopRuns) {
  TForm* dialog = nullptr;
  app.CreateForm(dialog);
  struct Case {
    const char* name;
    std::function<void()> runModal;
    std::function<void()> endModal;
  };
  const Case cases[] = {
      {"message box", [] { MessageDlg(L"Waiting for ticks", TMsgDlgType::mtInformation, mbOK, 0); },
       [] { EnumThreadWindows(GetCurrentThreadId(), &PressOkInMessageBoxes, 0); }},
      {"modal form", [&] { dialog->ShowModal(); }, [&] { dialog->SetModalResult(mrOk); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* timer = new TThreadedTimer(&app);
    timer->SetInterval(50);
    int ticksInside = 0;
    bool inside = false;
    timer->OnTimer = [&](TObject*) {
      if (!inside) return;
      if (++ticksInside >= 3) c.endModal();
    };
    timer->SetEnabled(true);
    {
      Watchdog watchdog(milliseconds(20000), std::string("ticks inside a ") + c.name);
      inside = true;
      c.runModal();
      inside = false;
    }
    EXPECT_GE(ticksInside, 3);
    delete timer;
  }
}

}  // namespace
}  // namespace klarvik::test
