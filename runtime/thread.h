#pragma once
// The runtime's thread: a worker with its own Execute, a polite stop (Terminate plus
// Terminated), a join that keeps serving the GUI thread, and Synchronize, which runs a
// call on the GUI thread and waits for it. There is deliberately no Suspend: a thread
// frozen from outside may hold the heap lock and take the GUI thread down with it, so a
// worker that must pause waits on an event of its own.
#include <windows.h>

#include <atomic>
#include <exception>
#include <functional>

#include "runtime/component.h"
#include "win/handles.h"

namespace klarvik {

enum class TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TThread : public TObject {
 public:
  // Must be constructed on the GUI thread, which is where Synchronize delivers. A thread
  // not created suspended starts in AfterConstruction, never in the constructor, so that
  // Execute cannot run on a half-built object.
  explicit TThread(bool CreateSuspended);
  // Terminates the thread and waits for it; one that never started ends without Execute.
  // A derived class whose Execute waits on its own members wakes it in its own destructor.
  ~TThread() override;

  // Called by the creator right after the constructor: starts a thread that was not
  // created suspended.
  void AfterConstruction();
  // Lets a suspended-created thread run; later calls do nothing.
  void Start();

  // Asks Execute to end; it sees the request through Terminated.
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }
  // True once Execute has returned (or the thread ended without running it).
  bool Finished() const { return finished_; }

  // Blocks until the thread has ended, handling the calls it synchronizes meanwhile, so
  // the GUI thread may wait for a worker that is waiting for the GUI thread. Refused for
  // a thread that was never started (it would never end) and from the thread itself.
  void WaitFor();

  TThreadPriority Priority() const;
  void SetPriority(TThreadPriority value);

  HANDLE Handle() const { return handle_.Get(); }
  DWORD ThreadID() const { return threadId_; }
  // What escaped Execute, or null; read it after WaitFor.
  std::exception_ptr FatalException() const { return fatalException_; }

 protected:
  virtual void Execute() = 0;

  // Runs method on the GUI thread and blocks until it has run; an exception it raises is
  // raised again here, in the worker. Delivered through a message to a hidden window, so
  // it also runs inside modal loops and message boxes. Called on the GUI thread itself,
  // it simply calls method.
  void Synchronize(const std::function<void()>& method);

 private:
  static unsigned WINAPI ThreadProc(void* parameter);
  // Lets the suspended-created thread run the first time only; false if that failed.
  bool StartOnce() noexcept;
  // Waits for the end while handling synchronized calls; no checks, no exceptions.
  void Join() noexcept;

  UniqueKernelHandle handle_;
  DWORD threadId_ = 0;
  bool createSuspended_;
  std::atomic<bool> started_{false};
  std::atomic<bool> terminated_{false};
  std::atomic<bool> finished_{false};
  std::exception_ptr fatalException_;
};

}  // namespace klarvik
