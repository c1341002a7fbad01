#include "cli/terminal_progress.h"

#include <utility>

namespace velmora {
namespace {

constexpr int kDefaultWidth = 80;

}  // namespace

TerminalProgress::TerminalProgress(StatusLine& line, const RunState& state, Seconds now,
                                   double nominal_pause, Width width)
    : line_(line),
      run_(state, std::move(now), nominal_pause),
      width_(width ? std::move(width) : Width([] { return kDefaultWidth; })) {}

void TerminalProgress::Draw() {
  if (!line_.terminal()) return;
  drawn_at_ = run_.now();
  drawn_width_ = width_();
  line_.ShowStatus(ProgressBar(run_.View(), drawn_width_));
}

void TerminalProgress::SetCount(int count) {
  run_.Counted(count);
  if (line_.terminal()) return Draw();
  ProgressView view = run_.View();
  if (view.done >= view.total) view.seconds_left = -1;
  line_.PrintLine(ProgressLine(view));
}

void TerminalProgress::PassedOver(const std::string& name) {
  const std::string waypoint = name.empty() ? "a waypoint without name" : "waypoint " + name;
  line_.PrintLine("velmora-cli: " + waypoint + " has no log zone; passed over");
}

void TerminalProgress::Fetching() {
  run_.Fetching();
  Draw();
}

void TerminalProgress::TryFailed(const std::string& reason) {
  run_.TryFailed(reason);
  if (line_.terminal()) return Draw();
  line_.PrintLine(ProgressLine(run_.View()));
}

void TerminalProgress::WaitBegins(double seconds) {
  run_.WaitBegins(seconds);
  Draw();
}

void TerminalProgress::Tick() {
  if (!line_.terminal()) return;
  if (run_.now() - drawn_at_ >= 1 || width_() != drawn_width_) Draw();
}

void TerminalProgress::End(bool finished) {
  run_.Ended(finished);
  if (line_.terminal() && drawn_at_ >= 0) Draw();
  line_.Keep();
}

}  // namespace velmora
