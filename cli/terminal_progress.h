// Progress for the command line. On a terminal: a bar that is redrawn when a
// benchmark is done and when a page download starts (done/total, the point
// identifier in hand, time left at the pace so far). Elsewhere: one plain
// line per completed benchmark.
#ifndef VELMORA_CLI_TERMINAL_PROGRESS_H
#define VELMORA_CLI_TERMINAL_PROGRESS_H

#include <functional>
#include <string>

#include "cli/progress_text.h"
#include "cli/status_line.h"
#include "core/edges.h"
#include "core/run_state.h"

namespace velmora {

class TerminalProgress : public Progress {
 public:
  // Seconds on a steady clock, for the pace.
  using Seconds = std::function<double()>;

  TerminalProgress(StatusLine& line, const RunState& state, Seconds now);

  void SetCount(int count) override;
  // One line: "velmora-cli: waypoint NAME has no log zone; passed over".
  void PassedOver(const std::string& name) override;

  // A page download for state.CurrentPID begins (terminal bar only).
  void Fetching();

 private:
  ProgressView View(const std::string& activity);

  StatusLine& line_;
  const RunState& state_;
  Seconds now_;
  double start_;
  int done_ = 0;
  int total_ = -1;  // counted from the document when first needed
  std::string fetching_pid_;
  int attempts_ = 0;
};

}  // namespace velmora

#endif
