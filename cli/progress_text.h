// The texts of the command line's progress report: the terminal's bar and
// the plain line per benchmark, and the figures they show.
#ifndef VELMORA_CLI_PROGRESS_TEXT_H
#define VELMORA_CLI_PROGRESS_TEXT_H

#include <string>
#include <string_view>

namespace velmora {

// The benchmarks a document offers, for the progress total: its log zones
// from the first waypoint on.
int CountLogZones(std::string_view document);

// A duration as m:ss, or h:mm:ss from an hour on; negative counts as 0.
std::string DurationText(double seconds);

// Seconds left at the pace so far (elapsed / done per benchmark); negative
// when nothing is done yet, so no pace is known.
double SecondsLeft(double elapsed, int done, int total);

struct ProgressView {
  int done = 0;
  int total = 0;
  std::string pid;       // the point identifier in hand
  std::string activity;  // "done", "fetching", ...
  double seconds_left = -1;
};

// One terminal line: "[#####...............] 1/4 AB1234 done, about 0:15 left".
std::string ProgressBar(const ProgressView& view);

// One plain line: "Benchmark 1/4 AB1234 done, about 0:15 left".
std::string ProgressLine(const ProgressView& view);

}  // namespace velmora

#endif
