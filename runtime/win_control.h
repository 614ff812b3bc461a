#pragma once
// TWinControl: a control with a real window. Its properties can be set before the window
// exists; the window (with its children) is made when needed. Windows of the runtime's own
// class are tied to their object at WM_NCCREATE; standard classes (CreateParams naming e.g.
// L"BUTTON") are subclassed right after creation. Either way every message goes through
// WndProc, and exceptions stop at the dispatch boundary.
#include <windows.h>

#include <string>
#include <vector>

#include "runtime/control.h"
#include "runtime/pen_brush.h"

namespace klarvik {

struct TCreateParams {
  std::wstring Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  HWND WndParent = nullptr;
  HMENU Menu = nullptr;  // a top-level window's menu bar; a child's id is given by the runtime
  // Empty: the runtime's own window class. Otherwise a standard class that gets subclassed.
  std::wstring WinClassName;
};

class TGraphicControl;

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  // The window, made (with its parents and children) on first request.
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded();
  // Destroys the window; the object keeps its properties and can make a new one.
  void DestroyHandle();

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const;
  // The visible, enabled graphic child at a client point (topmost first), or nullptr.
  TGraphicControl* GraphicControlAt(POINT point) const;

  void SetParent(TWinControl* parent) override;
  void SetBounds(int left, int top, int width, int height) override;
  Rect ClientRect() const override;
  void Invalidate() override;
  void Update() override;

  int TabOrder() const;
  void SetTabOrder(int order);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool tabStop);
  void SetFocus();
  bool Focused() const;

  // The brush that paints the background; its colour follows Color.
  TBrush& Brush() { return brush_; }

  void WndProc(TMessage& Message) override;

  // Each visible graphic child meeting the clip box, clipped to its bounds, origin at its
  // corner; public for whoever paints the background in the control's place.
  void PaintControls(HDC dc);

  // The object behind a window of the runtime (own class or subclassed), or nullptr.
  static TWinControl* FindControl(HWND window);

 protected:
  virtual void CreateParams(TCreateParams& params);
  // Makes this window only; CreateHandle adds the children.
  virtual void CreateWnd();
  virtual void DestroyWnd();
  // Paints the client area except the graphic children: background, then Paint of a custom control.
  virtual void PaintWindow(HDC dc);
  void DefaultHandler(TMessage& Message) override;

  void ColorChanged() override;
  void TextChanged() override;
  void FontChanged() override;
  void EnabledChanged() override;
  void VisibleChanged() override;
  void SetMouseCapture(bool capture) override;
  bool ReportsOwnClicks() const override;

  // Fills the background with Brush, leaving out the visible opaque graphic children.
  void PaintBackground(HDC dc);

  // Message handlers.
  void WMPaint(TMessage& message);
  void WMEraseBkgnd(TMessage& message);
  void WMWindowPosChanged(TMessage& message);
  void WMSetText(TMessage& message);
  void WMCommand(TMessage& message);
  void WMNotify(TMessage& message);
  void WMCtlColor(TMessage& message);
  void WMOwnerDrawItem(TMessage& message);
  void WMMouse(TMessage& message);
  void WMCaptureChanged(TMessage& message);
  void WMMouseLeave(TMessage& message);
  void WMSetCursor(TMessage& message);
  void WMNCDestroy(TMessage& message);
  void CNCtlColor(TMessage& message);

  // Applies a new window style, keeping the frame up to date.
  void ChangeWindowStyle(DWORD style, DWORD exStyle);

 private:
  friend class TControl;
  friend struct WindowProcedures;

  void CreateHandle();
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void UpdateTabOrderOfWindows();
  // Tells the control the mouse was over that it left, and the new one that it came.
  void SetMouseControl(TControl* control);
  // Sends a reflected notification to the child window it is about; false when it is not ours.
  bool ReflectToChild(HWND child, TMessage& message);
  LRESULT Dispatch(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  void Attach(HWND window, bool standardClass);
  void Detach();

  HWND handle_ = nullptr;
  bool standardClass_ = false;
  bool tabStop_ = false;
  std::vector<TControl*> controls_;
  std::vector<TWinControl*> tabList_;
  TControl* captureControl_ = nullptr;
  TControl* mouseControl_ = nullptr;  // this window or a graphic child under the mouse
  bool trackingLeave_ = false;        // a WM_MOUSELEAVE is asked for
  TBrush brush_;
};

}  // namespace klarvik
