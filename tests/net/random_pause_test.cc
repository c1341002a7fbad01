#include "net/random_pause.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "net/pause_length.h"
#include "tests/support/fakes.h"

namespace velmora {
namespace {

using testing::FakeClock;
using testing::FakePump;

const double kJustBelowOne = std::nextafter(1.0, 0.0);

TEST(PauseLengthTest, BoundsOfTheNominalPauses) {
  EXPECT_NEAR(PauseLength(10, 0), 6.66667, 1e-9);
  EXPECT_NEAR(PauseLength(10, kJustBelowOne), 13.33667, 1e-9);
  EXPECT_NEAR(PauseLength(5, 0), 3.333335, 1e-9);
  EXPECT_NEAR(PauseLength(5, kJustBelowOne), 6.673335, 1e-9);
  EXPECT_NEAR(PauseLength(2.5f, 0), 1.6666675, 1e-9);
  EXPECT_NEAR(PauseLength(2.5f, kJustBelowOne), 3.3366675, 1e-9);
  EXPECT_EQ(PauseLength(0, 0), 0);
  EXPECT_EQ(PauseLength(0, kJustBelowOne), 0);
}

TEST(PauseLengthTest, LongWaitsAndTheMiddle) {
  EXPECT_NEAR(PauseLength(240, 0), 160.00008, 1e-6);
  EXPECT_NEAR(PauseLength(240, kJustBelowOne), 320.00008, 1e-6);
  EXPECT_NEAR(PauseLength(600, kJustBelowOne), 800.0002, 1e-6);
  // Whole hundredths above the lower bound: the floor comes before adding it.
  EXPECT_NEAR(PauseLength(10, 0.5), 6.66667 + 3.33, 1e-9);
  EXPECT_NEAR(PauseLength(10, 0.001), 6.66667, 1e-9);
  EXPECT_NEAR(PauseLength(10, 0.0015), 6.67667, 1e-9);
}

struct PauseCase {
  const char* name;
  float seconds;
  double r;
  double expected;  // seconds on the fake clock
};

class RandomPauseBoundsTest : public ::testing::TestWithParam<PauseCase> {};

TEST_P(RandomPauseBoundsTest, LastsItsRandomizedLength) {
  const PauseCase& c = GetParam();
  FakeClock clock(43200.0);
  FakePump pump(clock, 0.001);
  clock.random_values = {c.r, 0.25};
  RandomPause(c.seconds, Pacing{clock, pump, 1.0});

  // Ends on the first poll at or after the end, within the timer's single
  // precision (1/256 s at noon).
  EXPECT_GE(clock.elapsed(), c.expected - 0.004);
  EXPECT_LE(clock.elapsed(), c.expected + 0.001 + 0.004);
  EXPECT_EQ(clock.randomize_calls, 1);
  EXPECT_EQ(clock.random_values.size(), 1u);  // one number drawn
}

INSTANTIATE_TEST_SUITE_P(
    NominalPauses, RandomPauseBoundsTest,
    ::testing::Values(PauseCase{"Short10", 10, 0, 6.66667},
                      PauseCase{"Long10", 10, kJustBelowOne, 13.33667},
                      PauseCase{"Short5", 5, 0, 3.333335},
                      PauseCase{"Long5", 5, kJustBelowOne, 6.673335},
                      PauseCase{"Short2_5", 2.5f, 0, 1.6666675},
                      PauseCase{"Long2_5", 2.5f, kJustBelowOne, 3.3366675}),
    [](const ::testing::TestParamInfo<PauseCase>& info) { return std::string(info.param.name); });

TEST(RandomPauseTest, AnInstantPauseLetsNoEventsRun) {
  FakeClock clock;
  FakePump pump(clock);
  for (double r : {0.0, 0.5, kJustBelowOne}) {
    clock.random_values = {r};
    RandomPause(0, Pacing{clock, pump, 1.0});
  }
  RandomPause(10, Pacing{clock, pump, 0.0});  // scale 0: no pauses at all
  EXPECT_EQ(pump.calls, 0);
  EXPECT_EQ(clock.elapsed(), 0);
}

TEST(RandomPauseTest, TheScaleMultipliesTheWait) {
  FakeClock clock;
  FakePump pump(clock, 0.001);
  clock.random_values = {0};
  RandomPause(10, Pacing{clock, pump, 0.5});
  EXPECT_NEAR(clock.elapsed(), 6.66667 / 2, 0.006);

  FakeClock slow_clock;
  FakePump slow_pump(slow_clock, 0.01);
  slow_clock.random_values = {0};
  RandomPause(10, Pacing{slow_clock, slow_pump, 3.0});
  EXPECT_NEAR(slow_clock.elapsed(), 20.00001, 0.015);
}

TEST(RandomPauseTest, EventsRunThroughoutThePause) {
  FakeClock clock;
  FakePump pump(clock, 0.01);
  clock.random_values = {0};
  RandomPause(5, Pacing{clock, pump, 1.0});
  // 3.333335 s in steps of 10 ms: one event round per step, none after the end.
  EXPECT_GE(pump.calls, 333);
  EXPECT_LE(pump.calls, 335);
}

TEST(RandomPauseTest, APauseAcrossMidnightLastsItsFullLength) {
  for (double before_midnight : {3.0, 0.5, 6.0}) {
    SCOPED_TRACE(before_midnight);
    FakeClock clock(86400.0 - before_midnight);
    FakePump pump(clock, 0.01);
    clock.random_values = {kJustBelowOne};
    RandomPause(5, Pacing{clock, pump, 1.0});
    EXPECT_NEAR(clock.elapsed(), 6.673335, 0.015);
    // It ended after midnight, on the new day's timer.
    EXPECT_NEAR(clock.Timer(), 6.673335 - before_midnight, 0.015);
  }
}

TEST(RandomPauseTest, ALongPauseAcrossMidnightLastsItsFullLength) {
  FakeClock clock(86400.0 - 100.0);
  FakePump pump(clock, 0.5);
  clock.random_values = {kJustBelowOne};
  RandomPause(600, Pacing{clock, pump, 1.0});
  EXPECT_NEAR(clock.elapsed(), 800.0, 0.51);
}

TEST(RandomPauseTest, APauseEndingJustBeforeMidnightDoesNotWaitADay) {
  FakeClock clock(86400.0 - 10.0);
  FakePump pump(clock, 0.01);
  clock.random_values = {0};
  RandomPause(10, Pacing{clock, pump, 1.0});
  EXPECT_NEAR(clock.elapsed(), 6.66667, 0.015);
}

}  // namespace
}  // namespace velmora
