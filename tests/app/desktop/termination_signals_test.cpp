#include "app/desktop/termination_signals.h"

#include <gtest/gtest.h>

#include <csignal>
#include <stdexcept>

#include "desktop_test_support.h"
#include "qt_test_application.h"

namespace orvana::app {
namespace {

using testing::SpinUntil;

void (*CurrentHandler(int number))(int) {
  struct sigaction current {};
  ::sigaction(number, nullptr, &current);
  return current.sa_handler;
}

TEST(TerminationSignals, EachSignalBecomesOneRequestOnTheLoop) {
  orvana::testing::TestApplication();
  for (int number : {SIGTERM, SIGINT, SIGHUP}) {
    const auto before = CurrentHandler(number);
    int requests = 0;
    {
      TTerminationSignals guard;
      QObject::connect(&guard, &TTerminationSignals::terminationRequested, [&] { ++requests; });
      ASSERT_EQ(std::raise(number), 0);
      EXPECT_EQ(requests, 0) << "nothing runs inside the handler";
      EXPECT_TRUE(SpinUntil([&] { return requests == 1; }, 2000)) << number;
      EXPECT_TRUE(guard.Requested());

      std::raise(SIGTERM);
      std::raise(SIGINT);
      SpinUntil([] { return false; }, 100);
      EXPECT_EQ(requests, 1) << "a program already ending is not ended twice";
      EXPECT_THROW(TTerminationSignals second, std::logic_error);
    }
    EXPECT_EQ(CurrentHandler(number), before) << "the earlier handler is back";
  }
}

TEST(TerminationSignals, SignalsOfAnEarlierObjectDoNotReachTheNext) {
  orvana::testing::TestApplication();
  {
    TTerminationSignals earlier;
    std::raise(SIGHUP);  // never taken by the loop
  }
  int requests = 0;
  TTerminationSignals guard;
  QObject::connect(&guard, &TTerminationSignals::terminationRequested, [&] { ++requests; });
  SpinUntil([] { return false; }, 100);
  EXPECT_EQ(requests, 0);
}

}  // namespace
}  // namespace orvana::app
