// velmora-cli from its arguments to its exit status: the same run as the
// windows make (same result file, error-log entry, messages and pauses),
// with messages and progress on standard error.
#ifndef VELMORA_CLI_COMMAND_LINE_RUN_H
#define VELMORA_CLI_COMMAND_LINE_RUN_H

#include <ostream>
#include <string>
#include <vector>

#include "cli/terminal_progress.h"
#include "core/edges.h"
#include "core/settings.h"

namespace velmora {

// What the command line reaches the world through; main() passes the real
// ones, the tests their fakes. The run's messages and progress are the
// terminal's own (on `err`); RunFile builds the run's Edges from these.
struct CliEdges {
  PageSource& pages;
  Clock& clock;
  EventPump& pump;
  std::ostream& out;  // --help and --version only
  std::ostream& err;  // messages and progress
  bool err_is_terminal = false;
  const LoadedSettings& settings;  // read at start; refused only by a run
  TerminalProgress::Seconds seconds;  // a steady clock, for the pace
  TerminalProgress::Width width = {};  // the terminal's columns (80 when not given)
};

// Runs the command line given by `arguments` (without the program name) and
// returns the exit status (cli/exit_status.h). A FILE with a folder part
// makes that folder the working folder first. A stop requested by a signal
// (cli/stop_signal.h) ends the run early: "Stopped after N of M benchmarks;
// the result is in FILE R.gpx", an error-log entry, and 128 + the signal.
int RunCommandLine(const std::vector<std::string>& arguments, CliEdges& edges);

}  // namespace velmora

#endif
