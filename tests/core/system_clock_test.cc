#include "core/system_clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <limits>

namespace velmora {
namespace {

std::chrono::system_clock::time_point LocalMoment(int hour, int minute, int second) {
  std::tm local{};
  local.tm_year = 2024 - 1900;
  local.tm_mon = 0;
  local.tm_mday = 15;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;
  return std::chrono::system_clock::from_time_t(std::mktime(&local));
}

TEST(SystemClockTest, TimerCountsSecondsSinceLocalMidnightWithAFraction) {
  using std::chrono::milliseconds;
  EXPECT_DOUBLE_EQ(SecondsSinceLocalMidnight(LocalMoment(13, 45, 30) + milliseconds(250)),
                   49530.25);
  EXPECT_DOUBLE_EQ(SecondsSinceLocalMidnight(LocalMoment(0, 0, 0)), 0.0);
  EXPECT_DOUBLE_EQ(SecondsSinceLocalMidnight(LocalMoment(23, 59, 59) + milliseconds(999)),
                   86399.999);
}

TEST(SystemClockTest, RandomNumbersStayBelowOne) {
  constexpr auto kMax = std::numeric_limits<std::uint32_t>::max();
  EXPECT_EQ(UnitInterval(0, 0), 0.0);
  EXPECT_LT(UnitInterval(kMax, kMax), 1.0);
  EXPECT_GT(UnitInterval(kMax, kMax), 0.9999999);
  EXPECT_DOUBLE_EQ(UnitInterval(0x80000000u, 0), 0.5);

  SystemClock clock;
  clock.Randomize();
  double smallest = 1, largest = 0;
  for (int i = 0; i < 10000; ++i) {
    const double r = clock.Rnd();
    ASSERT_GE(r, 0.0);
    ASSERT_LT(r, 1.0);
    smallest = std::min(smallest, r);
    largest = std::max(largest, r);
  }
  EXPECT_LT(smallest, 0.01);  // spread over the whole interval
  EXPECT_GT(largest, 0.99);
}

TEST(SystemClockTest, TheTimerIsWithinOneDay) {
  SystemClock clock;
  const double now = clock.Timer();
  EXPECT_GE(now, 0.0);
  EXPECT_LT(now, 86401.0);  // a leap second may show as 86400.x
}

}  // namespace
}  // namespace velmora
