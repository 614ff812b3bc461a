#include "win/window_class.h"

#include <gtest/gtest.h>

#include "win/exceptions.h"
#include "win/handles.h"

namespace klarvik {

namespace {

constexpr wchar_t kTestClass[] = L"KlarvikWindowClassTest";

struct Panel {};
struct Timer {};

TEST(WindowClass, RegistersOnceAndRaisesWhenWindowsRefuses) {
  EXPECT_NO_THROW(RegisterWindowClass(kTestClass, DefWindowProcW));
  EXPECT_NO_THROW(RegisterWindowClass(kTestClass, DefWindowProcW));  // a second kind of window of the class
  WNDCLASSEXW broken{};
  broken.cbSize = 0;
  broken.lpfnWndProc = DefWindowProcW;
  broken.hInstance = GetModuleHandleW(nullptr);
  broken.lpszClassName = L"KlarvikWindowClassTestBroken";
  EXPECT_THROW(RegisterWindowClass(broken), EOSError);
}

TEST(WindowBinding, AWindowYieldsOnlyTheObjectOfItsOwnKindAndNothingOnceUntied) {
  RegisterWindowClass(kTestClass, DefWindowProcW);
  using UniqueWindow = UniqueHandle<handle_traits::NullIsInvalid<HWND, DestroyWindow>>;
  const UniqueWindow window(CreateWindowExW(0, kTestClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                            GetModuleHandleW(nullptr), nullptr));
  ASSERT_TRUE(window);
  constexpr WindowBinding<Panel> panels(L"Klarvik.Test.Panel");
  constexpr WindowBinding<Timer> timers(L"Klarvik.Test.Timer");
  Panel panel;
  panels.Bind(window.Get(), &panel);
  EXPECT_EQ(panels.Find(window.Get()), &panel);
  EXPECT_EQ(timers.Find(window.Get()), nullptr);
  EXPECT_EQ(panels.Find(nullptr), nullptr);
  panels.Unbind(window.Get());
  EXPECT_EQ(panels.Find(window.Get()), nullptr);
}

}  // namespace

}  // namespace klarvik
