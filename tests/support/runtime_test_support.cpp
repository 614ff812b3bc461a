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

}  // namespace klarvik::test
