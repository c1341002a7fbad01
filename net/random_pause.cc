#include "net/random_pause.h"

#include "net/pause_length.h"

namespace velmora {
namespace {

constexpr double kSecondsPerDay = 86400;

// The timer has single precision; so have the comparisons against it.
bool Before(double a, double b) { return static_cast<float>(a) < static_cast<float>(b); }

}  // namespace

void RandomPause(float seconds, const Pacing& pacing) {
  Clock& clock = pacing.clock;
  clock.Randomize();
  const double r = clock.Rnd();
  const double wait = PauseLength(seconds, r) * pacing.scale;
  if (!(wait > 0)) return;  // an instant pause lets no events run
  pacing.pump.WaitBegins(wait);

  const double start = clock.Timer();
  double end = start + wait;
  bool shifted = false;
  while (Before(clock.Timer(), end)) {
    pacing.pump.DoEvents();
    if (pacing.pump.StopAsked()) return;
    // The timer restarts at midnight: move the end back by one day, once,
    // so that the pause still lasts its full length.
    if (!shifted && Before(clock.Timer(), start)) {
      end -= kSecondsPerDay;
      shifted = true;
    }
  }
}

}  // namespace velmora
