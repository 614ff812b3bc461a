#include "widgets/message_timer.h"

#include <chrono>
#include <stdexcept>

#include "tests/widgets/gui_test_support.h"

namespace klarvik::test {
namespace {

using std::chrono::milliseconds;

using MessageTimerTest = GuiTest;

TEST_F(MessageTimerTest, AFailingTickReachesTheApplicationAndTheTimerGoesOn) {
  TMessageTimer timer;
  timer.SetInterval(20);
  int calls = 0;
  timer.OnTimer = [&](TObject*) {
    ++calls;
    throw std::runtime_error("tick failed");
  };
  timer.SetEnabled(true);

  ASSERT_TRUE(PumpUntil([&] { return calls >= 2; }, milliseconds(5000)));
  EXPECT_TRUE(timer.Enabled());
  ASSERT_GE(errors.size(), 2u);
  EXPECT_EQ(errors.front(), "tick failed");
}

}  // namespace
}  // namespace klarvik::test
