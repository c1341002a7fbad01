// The real clock and an event pump for front ends without window events.
#ifndef VELMORA_CORE_SYSTEM_CLOCK_H
#define VELMORA_CORE_SYSTEM_CLOCK_H

#include <chrono>
#include <cstdint>
#include <random>
#include <string>

#include "core/edges.h"

namespace velmora {

// Timer: seconds since local midnight, with a fraction, from the wall clock.
// Randomize re-seeds a Mersenne Twister from the clock; Rnd is uniform in
// [0, 1).
class SystemClock : public Clock {
 public:
  double Timer() override;
  void Randomize() override;
  double Rnd() override;
  std::string Today() override;

 private:
  std::mt19937 generator_;
};

// Seconds since the local midnight of `moment`.
double SecondsSinceLocalMidnight(std::chrono::system_clock::time_point moment);

// The moment in UTC as GPX writes times: "2026-09-12T21:41:43Z".
std::string UtcTimeText(std::chrono::system_clock::time_point moment);

// The local day of `moment`, "YYYY-MM-DD".
std::string LocalDayText(std::chrono::system_clock::time_point moment);

// A uniform number in [0, 1) from two 32-bit draws (53 bits; never 1).
double UnitInterval(std::uint32_t high, std::uint32_t low);

// There are no window events to run: each DoEvents only sleeps briefly, so
// that a pause costs next to no processor time and still ends on time. The
// default nap keeps a pause under 1 % of a processor and ends it within a
// few milliseconds (bench/pause_bench.cc).
class SleepingEventPump : public EventPump {
 public:
  explicit SleepingEventPump(std::chrono::microseconds nap = std::chrono::milliseconds(5))
      : nap_(nap) {}
  void DoEvents() override;

 private:
  std::chrono::microseconds nap_;
};

}  // namespace velmora

#endif
