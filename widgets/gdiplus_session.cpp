#include "widgets/gdiplus_session.h"

#include <windows.h>

#include <objidl.h>
#include <gdiplus.h>

#include <mutex>

namespace klarvik {

namespace {

struct ProcessGdiplus {
  std::mutex mutex;
  int sessions = 0;
  bool started = false;
  ULONG_PTR startupToken = 0;
  ULONG_PTR hookToken = 0;
  Gdiplus::NotificationUnhookProc unhook = nullptr;
};

ProcessGdiplus& State() {
  static ProcessGdiplus state;
  return state;
}

void Start(ProcessGdiplus& state) {
  Gdiplus::GdiplusStartupInput input;
  input.GdiplusVersion = 1;
  input.DebugEventCallback = nullptr;
  input.SuppressBackgroundThread = TRUE;
  input.SuppressExternalCodecs = FALSE;
  Gdiplus::GdiplusStartupOutput output;
  if (Gdiplus::GdiplusStartup(&state.startupToken, &input, &output) != Gdiplus::Ok) return;
  state.started = true;
  // Without its own thread, GDI+ does its background work through this hook on every
  // Windows version; without it that work is never done.
  if (output.NotificationHook && output.NotificationHook(&state.hookToken) == Gdiplus::Ok) {
    state.unhook = output.NotificationUnhook;
  }
}

void Stop(ProcessGdiplus& state) {
  if (!state.started) return;
  if (state.unhook) state.unhook(state.hookToken);
  state.unhook = nullptr;
  state.hookToken = 0;
  Gdiplus::GdiplusShutdown(state.startupToken);
  state.startupToken = 0;
  state.started = false;
}

}  // namespace

GdiplusSession::GdiplusSession() {
  ProcessGdiplus& state = State();
  const std::lock_guard lock(state.mutex);
  if (state.sessions++ == 0) Start(state);
}

GdiplusSession::~GdiplusSession() {
  ProcessGdiplus& state = State();
  const std::lock_guard lock(state.mutex);
  if (--state.sessions == 0) Stop(state);
}

bool GdiplusSession::Started() {
  ProcessGdiplus& state = State();
  const std::lock_guard lock(state.mutex);
  return state.started;
}

bool GdiplusSession::NotificationHooked() {
  ProcessGdiplus& state = State();
  const std::lock_guard lock(state.mutex);
  return state.unhook != nullptr;
}

}  // namespace klarvik
