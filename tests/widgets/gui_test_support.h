#pragma once
// Shared by the thread and timer tests: a fresh application object per test (exceptions
// recorded, never shown), message pumping with a deadline, and a watchdog that turns a
// hang into a quick, named failure instead of a test-runner timeout.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "runtime/application.h"

namespace klarvik::test {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

inline double MillisecondsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = Application;
    Application = &app;
    app.OnException = [this](TObject*, const std::exception& error) { errors.push_back(error.what()); };
  }
  void TearDown() override {
    app.DestroyComponents();
    app.ProcessMessages();
    Application = previous_;
  }

  // Handles messages until done() holds or the time is up; returns done().
  bool PumpUntil(const std::function<bool()>& done, milliseconds limit) {
    const Clock::time_point deadline = Clock::now() + limit;
    for (;;) {
      app.ProcessMessages();
      if (done()) return true;
      const Clock::time_point now = Clock::now();
      if (now >= deadline) return false;
      const auto left = std::chrono::duration_cast<milliseconds>(deadline - now).count();
      MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<long long>(left, 10)), QS_ALLINPUT);
    }
  }
  void PumpFor(milliseconds span) {
    PumpUntil([] { return false; }, span);
  }

  TApplication app{nullptr};
  std::vector<std::string> errors;  // what reached the application's exception handler

 private:
  TApplication* previous_ = nullptr;
};

// Ends the whole test process with a message when its scope is not left in time.
class Watchdog {
 public:
  Watchdog(milliseconds limit, std::string what)
      : what_(std::move(what)), thread_([this, limit] {
          std::unique_lock lock(mutex_);
          if (released_.wait_for(lock, limit, [this] { return done_; })) return;
          std::fprintf(stderr, "Hung for %lld ms: %s\n", static_cast<long long>(limit.count()), what_.c_str());
          std::fflush(stderr);
          TerminateProcess(GetCurrentProcess(), 3);
        }) {}
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;
  ~Watchdog() {
    {
      std::lock_guard lock(mutex_);
      done_ = true;
    }
    released_.notify_one();
    thread_.join();
  }

 private:
  std::string what_;
  std::mutex mutex_;
  std::condition_variable released_;
  bool done_ = false;
  std::thread thread_;
};

}  // namespace klarvik::test
