#pragma once
// The runtime's own window messages. Kept clear of WM_USER-based messages of the standard
// control classes and of the ranges the skin engine uses (0xA100, 0xB000, 0xBCB3, 0xBCB4).
#include <windows.h>

namespace klarvik {

struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};

// A message handler that can be told apart from another: the object it serves and the
// function that calls it. Whoever takes a control's messages over keeps the handler it
// replaced, calls it for what it leaves alone, and can later see whether the slot still
// holds its own.
struct TWndMethod {
  void* Data = nullptr;
  void (*Code)(void* data, TMessage& message) = nullptr;

  void operator()(TMessage& message) const { Code(Data, message); }
  explicit operator bool() const { return Code != nullptr; }
  friend bool operator==(const TWndMethod&, const TWndMethod&) = default;
};

// The handler that calls object->*Method.
template <auto Method, typename T>
TWndMethod MakeWndMethod(T* object) {
  return TWndMethod{object, [](void* data, TMessage& message) { (static_cast<T*>(data)->*Method)(message); }};
}

// Posted to a form to destroy it once the current message has been handled.
constexpr UINT CM_RELEASE = 0xB401;
// Sent to a control (a windowless one by direct call) when the mouse comes over it and
// when it leaves it; a control under a windowed child counts as left.
constexpr UINT CM_MOUSEENTER = 0xB402;
constexpr UINT CM_MOUSELEAVE = 0xB403;

// Notifications that a parent reflects back to the child window they are about:
// CN_BASE + the original message, same parameters.
constexpr UINT CN_BASE = 0xB800;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_LAST = CN_BASE + 0x3FF;

}  // namespace klarvik
