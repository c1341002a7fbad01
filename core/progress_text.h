// The texts of a run's progress report: the terminal's bar and plain line
// per benchmark, the main window's status line, and the figures they show.
#ifndef VELMORA_CORE_PROGRESS_TEXT_H
#define VELMORA_CORE_PROGRESS_TEXT_H

#include <string>

namespace velmora {

// A duration as m:ss, or h:mm:ss from an hour on; negative counts as 0.
std::string DurationText(double seconds);

// What the pace of a run is known from: `benchmarks` benchmarks took
// `seconds`, pauses included when `pauses_included` (a pause after them has
// been measured), else fetch time alone.
struct PaceSample {
  int benchmarks = 0;
  double seconds = 0;
  bool pauses_included = false;
};

// Seconds left of a run of `total` benchmarks with `done` done, `elapsed`
// seconds after the pace began to be measured, when `base` of them were done
// already (an earlier run's, or one whose time is not known). A benchmark
// counts as the measured pace with its pause; until a pause has been
// measured, as its measured fetch time (if any) plus `nominal_pause`. The
// benchmarks after the one in hand always count whole, however long that one
// takes; during a wait of `retry_wait` more seconds before its next try, it
// counts whole after the wait. Negative (not known) when nothing has been
// measured and there is no nominal pause either; else never negative.
double SecondsLeft(double elapsed, int done, int total, const PaceSample& pace,
                   double nominal_pause, int base = 0, double retry_wait = 0);

// Why one try of a page download failed, for the bar: "connection refused",
// "timed out", "HTTP 503", "Server Too Busy", "empty answer", ...
// "try 3 failed: HTTP 503 Server Too Busy; next try in 0:42" (the time part
// only when the wait is known, i.e. `seconds_to_next` >= 0); `brief`, for a
// narrow terminal, puts the time first: "try 4 in 0:42: HTTP 503 Server...".
std::string RetryText(int attempt, const std::string& reason, double seconds_to_next,
                      bool brief = false);

// A retry in progress, for the bar; `attempt` 0 when none.
struct RetryView {
  int attempt = 0;          // the try that failed
  std::string reason;       // why
  double seconds_to_next = -1;  // negative: not yet known
};

struct ProgressView {
  int done = 0;
  int total = 0;
  std::string pid;       // the point identifier in hand
  std::string activity;  // "done", "fetching", ...
  RetryView retry;       // shown in place of the activity while retrying
  double seconds_left = -1;  // negative: not shown
  bool finished = false;     // the run has ended: the bar may stand full
};

// One terminal line that fits in `width` columns (three are left free, so
// that neither the line nor a "^C" echoed after it wraps): "[#####......] 1/4 AB1234 done, about
// 0:15 left". A narrow terminal gets a shorter bar, then no bar, then the
// text cut short. The bar stands full only when the view is finished.
std::string ProgressBar(const ProgressView& view, int width = 80);

// One plain line: "Benchmark 1/4 AB1234 done, about 0:15 left".
std::string ProgressLine(const ProgressView& view);

// The line without the count, for a display that shows the count apart:
// "AB1234 try 3 failed: HTTP 503; next try in 0:42, about 1:02 left".
std::string ActivityLine(const ProgressView& view);

}  // namespace velmora

#endif
