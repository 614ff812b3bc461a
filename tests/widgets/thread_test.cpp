#include "runtime/thread.h"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "tests/widgets/gui_test_support.h"
#include "win/exceptions.h"

namespace klarvik::test {
namespace {

// A thread whose body is given by the test.
class BodyThread : public TThread {
 public:
  BodyThread(bool createSuspended, std::function<void(BodyThread&)> body)
      : TThread(createSuspended), body_(std::move(body)) {}
  // The body is a member: the thread must end before it goes.
  ~BodyThread() override {
    Terminate();
    Start();
    WaitFor();
  }
  void RunSynchronized(const std::function<void()>& method) { Synchronize(method); }

 protected:
  void Execute() override { body_(*this); }

 private:
  std::function<void(BodyThread&)> body_;
};

using ThreadTest = GuiTest;

TEST_F(ThreadTest, SynchronizeRunsTheCallOnTheGuiThreadWhileTheWorkerWaits) {
  const DWORD guiThread = GetCurrentThreadId();
  std::vector<std::string> steps;  // only ever touched by one thread at a time
  DWORD callThread = 0;
  BodyThread worker(true, [&](BodyThread& self) {
    steps.push_back("worker before");
    self.RunSynchronized([&] {
      callThread = GetCurrentThreadId();
      Sleep(50);  // a slow call: the worker must still be waiting when it ends
      steps.push_back("call");
    });
    steps.push_back("worker after");
  });
  worker.Start();

  ASSERT_TRUE(PumpUntil([&] { return worker.Finished(); }, milliseconds(5000)));
  EXPECT_EQ(callThread, guiThread);
  EXPECT_EQ(steps, (std::vector<std::string>{"worker before", "call", "worker after"}));
}

TEST_F(ThreadTest, ExceptionOfTheSynchronizedCallIsRaisedInTheWorker) {
  std::string caughtInWorker;
  BodyThread worker(true, [&](BodyThread& self) {
    try {
      self.RunSynchronized([] { throw EInvalidOperation(L"from the GUI thread"); });
    } catch (const EInvalidOperation& error) {
      caughtInWorker = error.what();
    }
    self.RunSynchronized([] { throw EConvertError(L"left to escape"); });
  });
  worker.Start();
  {
    Watchdog watchdog(milliseconds(10000), "WaitFor while the worker synchronizes");
    worker.WaitFor();
  }

  EXPECT_EQ(caughtInWorker, "from the GUI thread");
  ASSERT_TRUE(worker.FatalException());
  try {
    std::rethrow_exception(worker.FatalException());
  } catch (const EConvertError& error) {
    EXPECT_STREQ(error.what(), "left to escape");
  }
  EXPECT_TRUE(errors.empty());
}

// WaitFor on the GUI thread without a message loop around it: the worker's calls are
// still served, so neither waits for the other forever.
TEST_F(ThreadTest, WaitForOnTheGuiThreadServesTheWorkersCalls) {
  int calls = 0;
  BodyThread worker(true, [&](BodyThread& self) {
    for (int i = 0; i < 3; ++i) self.RunSynchronized([&] { ++calls; });
  });
  worker.Start();
  {
    Watchdog watchdog(milliseconds(10000), "WaitFor on the GUI thread");
    worker.WaitFor();
  }
  EXPECT_EQ(calls, 3);
}

TEST_F(ThreadTest, ThreadRunsOnlyOnceStarted) {
  for (const bool createSuspended : {true, false}) {
    SCOPED_TRACE(createSuspended ? "created suspended" : "created running");
    std::atomic<bool> ran{false};
    BodyThread worker(createSuspended, [&](BodyThread&) { ran = true; });
    EXPECT_THROW(worker.WaitFor(), EInvalidOperation);  // not started: it would never end
    worker.AfterConstruction();
    if (createSuspended) {
      Sleep(100);
      EXPECT_FALSE(ran);
      worker.Start();
    }
    worker.WaitFor();
    EXPECT_TRUE(ran);
    EXPECT_TRUE(worker.Finished());
  }
}

TEST_F(ThreadTest, DestructionEndsTheThreadWhetherOrNotItRan) {
  struct Case {
    const char* name;
    bool start;
    bool expectRan;
  };
  const Case cases[] = {{"never started", false, false}, {"running until terminated", true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::atomic<bool> ran{false};
    std::atomic<bool> sawTerminated{false};
    auto* worker = new BodyThread(true, [&](BodyThread& self) {
      ran = true;
      while (!self.Terminated()) Sleep(1);
      sawTerminated = true;
    });
    if (c.start) {
      worker->Start();
      while (!ran) Sleep(1);
    }
    {
      Watchdog watchdog(milliseconds(10000), std::string("destroying a thread, ") + c.name);
      delete worker;
    }
    EXPECT_EQ(ran, c.expectRan);
    EXPECT_EQ(sawTerminated, c.expectRan);
  }
}

TEST_F(ThreadTest, PriorityLevelsMapToTheSystemPriorities) {
  struct Case {
    TThreadPriority level;
    int system;
  };
  const Case cases[] = {
      {TThreadPriority::tpIdle, THREAD_PRIORITY_IDLE},
      {TThreadPriority::tpLowest, THREAD_PRIORITY_LOWEST},
      {TThreadPriority::tpLower, THREAD_PRIORITY_BELOW_NORMAL},
      {TThreadPriority::tpNormal, THREAD_PRIORITY_NORMAL},
      {TThreadPriority::tpHigher, THREAD_PRIORITY_ABOVE_NORMAL},
      {TThreadPriority::tpHighest, THREAD_PRIORITY_HIGHEST},
      {TThreadPriority::tpTimeCritical, THREAD_PRIORITY_TIME_CRITICAL},
  };
  BodyThread worker(true, [](BodyThread&) {});
  EXPECT_EQ(worker.Priority(), TThreadPriority::tpNormal);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.system);
    worker.SetPriority(c.level);
    EXPECT_EQ(GetThreadPriority(worker.Handle()), c.system);
    EXPECT_EQ(worker.Priority(), c.level);
  }
}

}  // namespace
}  // namespace klarvik::test
