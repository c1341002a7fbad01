// The randomized pause on the real clock with the sleeping event pump: how
// much processor time a pause costs, as a share of its length, and how late
// it ends. Goals: under 1 % and under 20 ms.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>

#include "net/pause_length.h"
#include "net/random_pause.h"
#include "core/system_clock.h"

namespace velmora {
namespace {

// The real timer, with a fixed random number, so that each pause's length
// is known beforehand.
class FixedRandomClock : public Clock {
 public:
  explicit FixedRandomClock(double r) : r_(r) {}
  double Timer() override { return real_.Timer(); }
  void Randomize() override { real_.Randomize(); }
  double Rnd() override { return r_; }
  std::string Today() override { return real_.Today(); }

 private:
  SystemClock real_;
  double r_;
};

// Processor time of the whole process, in seconds.
double ProcessorSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

void BM_RandomPause(benchmark::State& state) {
  const float nominal = static_cast<float>(state.range(0)) / 10;
  constexpr double kR = 0.5;  // the middle of the range: about the nominal length
  FixedRandomClock clock(kR);
  SleepingEventPump pump(std::chrono::milliseconds(state.range(1)));
  const double planned = PauseLength(nominal, kR);

  double processor_share_sum = 0;
  double late_sum = 0;
  double late_max = -1;
  for (auto _ : state) {
    const double processor_start = ProcessorSeconds();
    const auto start = std::chrono::steady_clock::now();
    RandomPause(nominal, Pacing{clock, pump, 1.0});
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double processor = ProcessorSeconds() - processor_start;
    state.SetIterationTime(elapsed);
    processor_share_sum += processor / elapsed;
    late_sum += elapsed - planned;
    late_max = std::max(late_max, elapsed - planned);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["cpu_pct"] = 100 * processor_share_sum / n;
  state.counters["late_ms"] = 1000 * late_sum / n;
  state.counters["late_max_ms"] = 1000 * late_max;
  state.counters["planned_s"] = planned;
}

// Nominal lengths in tenths of a second: the pause between benchmarks (5 s)
// and in quick mode (2.5 s); the pump's nap in milliseconds (5: the default).
BENCHMARK(BM_RandomPause)
    ->ArgNames({"tenths", "nap_ms"})
    ->Args({50, 5})
    ->Args({25, 5})
    ->Args({50, 2})
    ->Args({50, 10})
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
