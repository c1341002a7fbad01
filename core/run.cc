#include "core/run.h"

#include <algorithm>

#include "core/text.h"

namespace velmora {
namespace {

std::string EndText(const Run& run) {
  switch (run.outcome) {
    case RunOutcome::kNoWaypointLeft: return "finished";
    case RunOutcome::kNoPage: return "stopped: no page could be had";
    case RunOutcome::kNotSourcePage: return "stopped: " + run.stop_reason;
    case RunOutcome::kMalformed: return "stopped: damaged document";
    case RunOutcome::kStopped:
      return "stopped: " + (run.stop_reason.empty() ? std::string("interrupted") : run.stop_reason);
    case RunOutcome::kNotGpx: return "not a GPX 1.0 or 1.1 document";
    case RunOutcome::kNoBenchmark: return "no benchmark";
    case RunOutcome::kNotStarted: break;
  }
  return "not started";
}

}  // namespace

Pace PaceOf(std::string_view command_line) {
  return LowerAscii(command_line) == "quick" ? Pace::kQuick : Pace::kNormal;
}

int BenchmarksInAll(const Run& run) {
  return std::max(run.state.BenchmarkTotal, run.benchmarks_done);
}

std::string RunSummary(const Run& run) {
  return run.state.GPXFileName + ": " + std::to_string(run.benchmarks_done) + " of " +
         std::to_string(BenchmarksInAll(run)) + " benchmarks; " + EndText(run) +
         (run.resumed_after >= 0 ? "; resumed after " + std::to_string(run.resumed_after) : "");
}

void FinishRun(Run& run, const ErrorLogWriter& append_error_log) {
  if (run.outcome == RunOutcome::kStopped) {
    append_error_log(RunSummary(run));
    return;
  }
  if (!run.state.RunFinished) return;
  append_error_log(RunSummary(run));
  run.edges.messages.Show(Message{kFinishedText, "", MessageIcon::kNone, run.report_file});
}

}  // namespace velmora
