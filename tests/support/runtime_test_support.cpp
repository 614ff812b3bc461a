#include "tests/support/runtime_test_support.h"

#include "win/exceptions.h"
#include "win/text.h"

namespace klarvik::test {

void RuntimeTest::SetUp() {
  previous_ = Application;
  Application = &app;
  app.OnException = [this](TObject*, const std::exception& error) { errors.push_back(MessageOf(error)); };
}

void RuntimeTest::TearDown() {
  app.DestroyComponents();
  Pump();
  Application = previous_;
}

std::wstring MessageOf(const std::exception& error) {
  const auto* own = dynamic_cast<const Exception*>(&error);
  return own ? own->Message() : FromUtf8(error.what());
}

int LiveGdiObjects() {
  const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (reported != 0) return static_cast<int>(reported);
  int live = 0;
  for (UINT_PTR index = 1; index < 0x10000; ++index) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++live;
  }
  return live;
}

}  // namespace klarvik::test
