#include "runtime/program_icon.h"

namespace klarvik {

HICON ProgramIcon() {
  // Shared icons from LoadIcon are never destroyed, so one lookup serves the process.
  static const HICON icon = [] {
    HICON own = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    return own ? own : LoadIconW(nullptr, IDI_APPLICATION);
  }();
  return icon;
}

}  // namespace klarvik
