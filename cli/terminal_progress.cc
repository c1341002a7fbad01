#include "cli/terminal_progress.h"

#include <algorithm>
#include <utility>


namespace velmora {
namespace {

constexpr int kDefaultWidth = 80;

}  // namespace

TerminalProgress::TerminalProgress(StatusLine& line, const RunState& state, Seconds now,
                                   double nominal_pause, Width width)
    : line_(line),
      state_(state),
      now_(std::move(now)),
      nominal_pause_(nominal_pause),
      width_(width ? std::move(width) : Width([] { return kDefaultWidth; })),
      start_(now_()) {}

double TerminalProgress::SecondsLeft() {
  return velmora::SecondsLeft(now_() - start_, done_, total_, pace_, nominal_pause_);
}

ProgressView TerminalProgress::View() {
  total_ = std::max(state_.BenchmarkTotal, done_);
  ProgressView view;
  view.done = done_;
  view.total = total_;
  view.pid = state_.CurrentPID;
  view.activity = activity_;
  if (!failure_.empty()) {
    view.retry.attempt = attempts_;
    view.retry.reason = failure_;
    view.retry.seconds_to_next = wait_end_ >= 0 ? std::max(0.0, wait_end_ - now_()) : -1;
  }
  view.seconds_left = SecondsLeft();
  view.finished = finished_;
  return view;
}

void TerminalProgress::Draw() {
  if (!line_.terminal()) return;
  drawn_at_ = now_();
  drawn_width_ = width_();
  line_.ShowStatus(ProgressBar(View(), drawn_width_));
}

void TerminalProgress::SetCount(int count) {
  done_ = count;
  if (!pace_.pauses_included) pace_ = PaceSample{done_, now_() - start_, false};
  fetching_pid_.clear();
  attempts_ = 0;
  failure_.clear();
  wait_end_ = -1;
  activity_ = "done";
  if (line_.terminal()) return Draw();
  ProgressView view = View();
  if (view.done >= view.total) view.seconds_left = -1;
  line_.PrintLine(ProgressLine(view));
}

void TerminalProgress::PassedOver(const std::string& name) {
  const std::string waypoint = name.empty() ? "a waypoint without name" : "waypoint " + name;
  line_.PrintLine("velmora-cli: " + waypoint + " has no log zone; passed over");
}

void TerminalProgress::Fetching() {
  if (state_.CurrentPID == fetching_pid_) {
    ++attempts_;
  } else {
    // A new benchmark: the pause after the last one is over, so the pace
    // so far includes pauses (and retries).
    if (done_ > 0) pace_ = PaceSample{done_, now_() - start_, true};
    fetching_pid_ = state_.CurrentPID;
    attempts_ = 1;
  }
  failure_.clear();
  wait_end_ = -1;
  activity_ = attempts_ > 1 ? "fetching (try " + std::to_string(attempts_) + ")" : "fetching";
  Draw();
}

void TerminalProgress::TryFailed(const std::string& reason) {
  failure_ = reason;
  wait_end_ = -1;
  Draw();
}

void TerminalProgress::WaitBegins(double seconds) {
  wait_end_ = now_() + seconds;
  Draw();
}

void TerminalProgress::Tick() {
  if (!line_.terminal()) return;
  if (now_() - drawn_at_ >= 1 || width_() != drawn_width_) Draw();
}

void TerminalProgress::End(bool finished) {
  finished_ = finished;
  if (finished) {
    failure_.clear();
    activity_ = "done";
  }
  if (line_.terminal() && total_ >= 0) Draw();
  line_.Keep();
}

}  // namespace velmora
