#include "cli/terminal_progress.h"

#include <algorithm>
#include <utility>

namespace velmora {

TerminalProgress::TerminalProgress(StatusLine& line, const RunState& state, Seconds now)
    : line_(line), state_(state), now_(std::move(now)), start_(now_()) {}

ProgressView TerminalProgress::View(const std::string& activity) {
  if (total_ < 0) {
    total_ = state_.BenchmarkTotal >= 0 ? state_.BenchmarkTotal
                                        : CountLogZones(state_.DocumentText);
  }
  total_ = std::max(total_, done_);
  ProgressView view;
  view.done = done_;
  view.total = total_;
  view.pid = state_.CurrentPID;
  view.activity = activity;
  view.seconds_left = SecondsLeft(now_() - start_, done_, total_);
  return view;
}

void TerminalProgress::SetCount(int count) {
  done_ = count;
  fetching_pid_.clear();
  attempts_ = 0;
  const ProgressView view = View("done");
  if (line_.terminal()) {
    line_.ShowStatus(ProgressBar(view));
  } else {
    line_.PrintLine(ProgressLine(view));
  }
}

void TerminalProgress::PassedOver(const std::string& name) {
  const std::string waypoint = name.empty() ? "a waypoint without name" : "waypoint " + name;
  line_.PrintLine("velmora-cli: " + waypoint + " has no log zone; passed over");
}

void TerminalProgress::Fetching() {
  if (!line_.terminal()) return;
  if (state_.CurrentPID == fetching_pid_) {
    ++attempts_;
  } else {
    fetching_pid_ = state_.CurrentPID;
    attempts_ = 1;
  }
  std::string activity = "fetching";
  if (attempts_ > 1) activity += " (try " + std::to_string(attempts_) + ")";
  line_.ShowStatus(ProgressBar(View(activity)));
}

}  // namespace velmora
