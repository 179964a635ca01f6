#include "app/gui_ui.h"

#include <gtest/gtest.h>

#include <QTimer>
#include <thread>

namespace quarvel::test {
namespace {

// Pump lets waiting events run, but not more often than its interval.
TEST(GuiUiTest, PumpRunsPendingEventsAtMostOncePerInterval) {
  GuiUi ui;
  int ran = 0;
  QObject context;
  auto post = [&] { QTimer::singleShot(0, &context, [&] { ++ran; }); };

  post();
  ui.Pump();
  EXPECT_EQ(ran, 1);

  post();
  ui.Pump();  // right after the last one: skipped
  EXPECT_EQ(ran, 1);

  std::this_thread::sleep_for(GuiUi::kPumpInterval + std::chrono::milliseconds(5));
  ui.Pump();
  EXPECT_EQ(ran, 2);
}

}  // namespace
}  // namespace quarvel::test
