// What a run's progress report shows, kept from the run's events: the
// benchmarks done, the page download in hand and its failed tries, the wait
// in progress, and the pace of this run. The terminal's bar and line and the
// main window show its View().
#ifndef VELMORA_CORE_RUN_PROGRESS_H
#define VELMORA_CORE_RUN_PROGRESS_H

#include <functional>
#include <string>

#include "core/progress_text.h"
#include "core/run_state.h"

namespace velmora {

class RunProgress {
 public:
  // Seconds on a steady clock, for the pace and the waits.
  using Seconds = std::function<double()>;

  // `nominal_pause`: the pause after each benchmark, in seconds, before one
  // has been measured (0 for a run without pauses).
  RunProgress(const RunState& state, Seconds now, double nominal_pause);

  // `count` benchmarks are done. The pace is measured from the first page
  // download on; in a run without downloads, from the first benchmark done
  // on (that one's own time, mostly the reading of the run's sources, is not
  // taken for the pace).
  void Counted(int count);
  // A page download for state.CurrentPID begins.
  void Fetching();
  // The download just made gave no usable page, for `reason`.
  void TryFailed(const std::string& reason);
  // A wait of `seconds` begins (a pause, or the wait before the next try).
  void WaitBegins(double seconds);
  // The run has ended; `finished` when it went through every waypoint.
  void Ended(bool finished);

  ProgressView View() const;
  bool retrying() const { return !failure_.empty(); }
  double now() const { return now_(); }

 private:
  const RunState& state_;
  Seconds now_;
  double nominal_pause_;
  double start_ = -1;  // when the pace began to be measured; negative: not yet
  int base_ = 0;       // benchmarks done before that
  bool based_ = false; // base_ is known (a benchmark was counted)
  int done_ = 0;
  PaceSample pace_;
  std::string fetching_pid_;
  int attempts_ = 0;
  std::string activity_;
  std::string failure_;   // why the last try failed; empty after a good one
  double wait_end_ = -1;  // when the wait in progress ends; negative: none
  bool finished_ = false;
};

}  // namespace velmora

#endif
