#pragma once
// No exception may cross a window procedure into Windows. Every window procedure of the
// program runs its object's message handling through CallGuarded; what escapes goes to
// the one handler the program installs (the application's), with the object it came from.
#include <windows.h>

namespace klarvik {

template <typename Sender>
class WindowExceptions {
 public:
  using Handler = void (*)(Sender* sender);

  static void SetHandler(Handler handler) { handler_ = handler; }

  // Runs call() and returns what it returns. An exception goes to the handler, inside the
  // catch so that it can look at it (dropped when none is installed), and `failed` is
  // returned instead.
  template <typename Call>
  static LRESULT CallGuarded(Sender* sender, LRESULT failed, Call&& call) noexcept {
    try {
      return call();
    } catch (...) {
      if (handler_ != nullptr) handler_(sender);
      return failed;
    }
  }

 private:
  static inline Handler handler_ = nullptr;
};

}  // namespace klarvik
