#include "core/run_progress.h"

#include <algorithm>
#include <utility>

namespace velmora {

RunProgress::RunProgress(const RunState& state, Seconds now, double nominal_pause)
    : state_(state), now_(std::move(now)), nominal_pause_(nominal_pause) {}

void RunProgress::Counted(int count) {
  const double now = now_();
  if (!based_) {
    based_ = true;
    // A run resumed part way counts its first benchmark from the download
    // on; a run without downloads starts measuring here.
    base_ = start_ < 0 ? count : count - 1;
    if (start_ < 0) start_ = now;
  }
  done_ = count;
  if (!pace_.pauses_included) pace_ = PaceSample{done_ - base_, now - start_, false};
  fetching_pid_.clear();
  attempts_ = 0;
  failure_.clear();
  wait_end_ = -1;
  activity_ = "done";
}

void RunProgress::Fetching() {
  const double now = now_();
  if (start_ < 0) start_ = now;
  if (state_.CurrentPID == fetching_pid_) {
    ++attempts_;
  } else {
    // A new benchmark: the pause after the last one is over, so the pace
    // so far includes pauses (and retries).
    if (based_ && done_ > base_) pace_ = PaceSample{done_ - base_, now - start_, true};
    fetching_pid_ = state_.CurrentPID;
    attempts_ = 1;
  }
  failure_.clear();
  wait_end_ = -1;
  activity_ = attempts_ > 1 ? "fetching (try " + std::to_string(attempts_) + ")" : "fetching";
}

void RunProgress::TryFailed(const std::string& reason) {
  failure_ = reason;
  wait_end_ = -1;
}

void RunProgress::WaitBegins(double seconds) { wait_end_ = now_() + seconds; }

void RunProgress::Ended(bool finished) {
  finished_ = finished;
  if (finished) {
    failure_.clear();
    activity_ = "done";
  }
}

ProgressView RunProgress::View() const {
  const double now = now_();
  ProgressView view;
  view.done = done_;
  view.total = std::max(state_.BenchmarkTotal, done_);
  view.pid = state_.CurrentPID;
  view.activity = activity_;
  double retry_wait = 0;
  if (!failure_.empty()) {
    view.retry.attempt = attempts_;
    view.retry.reason = failure_;
    view.retry.seconds_to_next = wait_end_ >= 0 ? std::max(0.0, wait_end_ - now) : -1;
    retry_wait = std::max(0.0, view.retry.seconds_to_next);
  }
  view.seconds_left = SecondsLeft(start_ < 0 ? 0 : now - start_, done_, view.total, pace_,
                                  nominal_pause_, base_, retry_wait);
  view.finished = finished_;
  return view;
}

}  // namespace velmora
