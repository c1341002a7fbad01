// Progress for the command line. On a terminal: a bar that fits the
// terminal's width and is redrawn when a benchmark is done, when a page
// download starts or fails, and about once a second during waits (done/total,
// the point identifier in hand, why the last try failed and when the next
// one is, time left at the pace so far). Elsewhere: one plain line per
// completed benchmark and one per failed try, with its reason.
#ifndef VELMORA_CLI_TERMINAL_PROGRESS_H
#define VELMORA_CLI_TERMINAL_PROGRESS_H

#include <functional>
#include <string>

#include "cli/status_line.h"
#include "core/edges.h"
#include "core/progress_text.h"
#include "core/run_progress.h"
#include "core/run_state.h"

namespace velmora {

class TerminalProgress : public Progress {
 public:
  // Seconds on a steady clock, for the pace and the waits.
  using Seconds = std::function<double()>;
  // The terminal's width in columns, asked at every redraw.
  using Width = std::function<int()>;

  // `nominal_pause`: the pause after each benchmark, in seconds, before
  // one has been measured (5 or 2.5 times the pause scale).
  TerminalProgress(StatusLine& line, const RunState& state, Seconds now, double nominal_pause,
                   Width width = {});

  void SetCount(int count) override;
  // One line: "velmora-cli: waypoint NAME has no log zone; passed over".
  void PassedOver(const std::string& name) override;

  // A page download for state.CurrentPID begins.
  void Fetching();
  // The download just made gave no usable page, for `reason` (off a
  // terminal: a line that says so).
  void TryFailed(const std::string& reason);
  // A wait of `seconds` begins (a pause, or the wait before the next try).
  void WaitBegins(double seconds);
  // Called often during waits: redraws about once a second and when the
  // terminal's width has changed.
  void Tick();
  // The run has ended; `finished` when it went through every waypoint (the
  // bar then stands full). The bar line is drawn once more and ended.
  void End(bool finished);

 private:
  void Draw();

  StatusLine& line_;
  RunProgress run_;
  Width width_;
  double drawn_at_ = -1;
  int drawn_width_ = 0;
};

}  // namespace velmora

#endif
