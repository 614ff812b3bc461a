#include "runtime/thread.h"

#include <process.h>

#include <iterator>

#include "win/exceptions.h"
#include "win/window_class.h"

namespace klarvik {

namespace {

constexpr wchar_t kSyncWindowClassName[] = L"KlarvikThreadSync";
// The hidden window is ours alone, so any message number is free.
constexpr UINT kRunSynchronized = WM_APP;

// Indexed by TThreadPriority.
constexpr int kSystemPriorities[] = {
    THREAD_PRIORITY_IDLE,         THREAD_PRIORITY_LOWEST,  THREAD_PRIORITY_BELOW_NORMAL,  THREAD_PRIORITY_NORMAL,
    THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_HIGHEST, THREAD_PRIORITY_TIME_CRITICAL,
};

struct SynchronizedCall {
  const std::function<void()>* method;
  std::exception_ptr error;
};

// Runs on the GUI thread, inside whatever loop is pumping: the application's, a modal
// form's, a message box's or a thread join's.
LRESULT CALLBACK SyncWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != kRunSynchronized) return DefWindowProcW(window, msg, wParam, lParam);
  auto* call = reinterpret_cast<SynchronizedCall*>(lParam);
  try {
    (*call->method)();
  } catch (...) {
    call->error = std::current_exception();
  }
  return 1;
}

HWND CreateSyncWindow() {
  RegisterWindowClass(kSyncWindowClassName, SyncWindowProc);
  // Message-only: never shown, never enumerated, never reached by broadcasts.
  HWND window = CreateWindowExW(0, kSyncWindowClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  if (!window) throw EOSError(L"CreateWindowEx", GetLastError());
  return window;
}

// Made by the first thread object, on the GUI thread, before any worker exists; kept for
// the life of the process. Its owning thread is the GUI thread.
HWND SyncWindow() {
  static const UniqueWindow window(CreateSyncWindow());
  return window.Get();
}

}  // namespace

TThread::TThread(bool CreateSuspended) : createSuspended_(CreateSuspended) {
  SyncWindow();
  // Always created suspended: Execute must not start before the derived object is built.
  unsigned id = 0;
  handle_.Reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &ThreadProc, this, CREATE_SUSPENDED, &id)));
  if (!handle_) throw EOSError(L"_beginthreadex", GetLastError());
  threadId_ = id;
}

TThread::~TThread() {
  Terminate();
  // A thread that never ran still has to end, or its stack and handle stay behind.
  StartOnce();
  if (GetCurrentThreadId() != threadId_) Join();
}

void TThread::AfterConstruction() {
  if (!createSuspended_) Start();
}

void TThread::Start() {
  if (!StartOnce()) throw EOSError(L"ResumeThread", GetLastError());
}

bool TThread::StartOnce() noexcept {
  if (started_.exchange(true)) return true;
  return ResumeThread(handle_.Get()) != static_cast<DWORD>(-1);
}

unsigned WINAPI TThread::ThreadProc(void* parameter) {
  auto* thread = static_cast<TThread*>(parameter);
  if (!thread->Terminated()) {
    try {
      thread->Execute();
    } catch (...) {
      thread->fatalException_ = std::current_exception();
    }
  }
  thread->finished_ = true;
  return 0;
}

void TThread::WaitFor() {
  if (GetCurrentThreadId() == threadId_) throw EInvalidOperation(L"A thread cannot wait for itself");
  if (!started_) throw EInvalidOperation(L"Cannot wait for a thread that was never started");
  Join();
}

void TThread::Join() noexcept {
  const HANDLE handle = handle_.Get();
  for (;;) {
    // Handles the synchronized calls already waiting; posted messages stay queued.
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    const DWORD result = MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_SENDMESSAGE);
    if (result != WAIT_OBJECT_0 + 1) return;
  }
}

TThreadPriority TThread::Priority() const {
  const int reported = GetThreadPriority(handle_.Get());
  if (reported == THREAD_PRIORITY_ERROR_RETURN) throw EOSError(L"GetThreadPriority", GetLastError());
  // Values between the seven levels (possible in the real-time class) read as the level below.
  int level = 0;
  while (level + 1 < static_cast<int>(std::size(kSystemPriorities)) && kSystemPriorities[level + 1] <= reported) {
    ++level;
  }
  return static_cast<TThreadPriority>(level);
}

void TThread::SetPriority(TThreadPriority value) {
  if (!SetThreadPriority(handle_.Get(), kSystemPriorities[static_cast<int>(value)])) {
    throw EOSError(L"SetThreadPriority", GetLastError());
  }
}

void TThread::Synchronize(const std::function<void()>& method) {
  const HWND window = SyncWindow();
  if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
    method();
    return;
  }
  SynchronizedCall call{&method, nullptr};
  if (!SendMessageW(window, kRunSynchronized, 0, reinterpret_cast<LPARAM>(&call))) {
    throw EInvalidOperation(L"The GUI thread no longer runs synchronized calls");
  }
  if (call.error) std::rethrow_exception(call.error);
}

}  // namespace klarvik
