#pragma once

namespace klarvik {
// GDI+ start-up and shutdown. The program's entry point holds one GdiplusSession for its
// whole life; every widget that keeps GDI+ objects holds one too, so GDI+ is started on
// demand when no entry point did it and is shut down only after the last holder (and with
// it every GDI+ object the holder owned) is gone.
class GdiplusSession {
 public:
  GdiplusSession();
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  ~GdiplusSession();

  // True while at least one session is alive and the start-up succeeded.
  static bool Started();
  // True while GDI+, started without its background thread, has its notification hook.
  static bool NotificationHooked();
};

}  // namespace klarvik
