// One run: the run state together with the settings and the edges that the
// steps of the run use. Front ends and tests build one and hand it down.
#ifndef VELMORA_CORE_RUN_H
#define VELMORA_CORE_RUN_H

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/edges.h"
#include "core/logs_source.h"
#include "core/run_state.h"
#include "core/settings.h"

namespace velmora {

struct ResumePoint;  // gpx/resume_point.h

// How a run ended, for front ends that report it (the command line's exit
// status). The windows only look at RunFinished.
enum class RunOutcome {
  kNotStarted,      // nothing processed yet
  kNotGpx,          // not a GPX 1.0 or 1.1 document; left alone (message shown)
  kNoWaypointLeft,  // the scan ran out of waypoints: the normal end
  kNoPage,          // no page could be had for a benchmark
  kNotSourcePage,   // the source answered with some other page (stop_reason says whose)
  kNoBenchmark,     // the document names no benchmark to fetch; left alone (message shown)
  kMalformed,       // the scan stopped at a malformed document (message shown)
  kStopped,         // the user asked the run to stop (Ctrl-C, SIGTERM, a closed window)
};

// Thrown by a front end's edge (its event pump or page source) when the user
// has asked the run to stop. The scan lets it pass after making sure every
// completed benchmark is in the result file; the front end catches it.
struct RunStopped {
  std::string reason;  // for the user: "interrupted", "terminated", "closed"
};

// How long the pauses between benchmarks are: "quick" on the program's
// command line halves them.
enum class Pace { kNormal, kQuick };

// kQuick when the command-line argument text is "quick" in any letter case
// (and nothing else).
Pace PaceOf(std::string_view command_line);

struct Run {
  RunState& state;
  const Settings& settings;
  Edges edges;
  // The pace of the pauses between benchmarks.
  Pace pace = Pace::kNormal;
  // Set by the GPX processing when it returns.
  RunOutcome outcome = RunOutcome::kNotStarted;
  // Where the logs come from; set by a front end before the run
  // (sources/make_logs_source.h: MakeLogsSource).
  std::unique_ptr<LogsSource> source = nullptr;
  // The benchmarks completed so far (written to the result file); kept by
  // the scan.
  int benchmarks_done = 0;
  // Why the user's stop came (RunStopped::reason), for outcome kStopped; for
  // kNotSourcePage the source's words (HarvestOutcome::reason: "not a listing
  // page").
  std::string stop_reason{};
  // Set by a front end before the run: where an earlier run over the same
  // file stopped, to go on from there; empty for a fresh run.
  std::shared_ptr<const ResumePoint> resume = nullptr;
  // The benchmarks an earlier run had completed when this one resumed it;
  // -1 for a fresh run. Set by the GPX processing.
  int resumed_after = -1;
  // The report made of the result once the run ended (report/), which the
  // "Finished" message offers to show; empty when none was made.
  std::string report_file{};

  // The pauses: the edges' clock and pump at the settings' pause scale.
  Pacing pacing() const { return Pacing{edges.clock, edges.pump, settings.pause_scale}; }
};

// The run's count of benchmarks, never below those already done.
int BenchmarksInAll(const Run& run);

// The message that ends a finished run: 14 blanks, the word, 9 blanks.
inline constexpr const char* kFinishedText = "              Finished         ";

// Writes one entry to the error log (files/error_log.h: AppendErrorLog).
using ErrorLogWriter = std::function<void(const std::string&)>;

// What the error-log entry of a run says: the file, the benchmarks done and
// how the run ended, e.g. "quads.gpx: 12 of 40 benchmarks; finished" or
// "quads.gpx: 3 of 40 benchmarks; stopped: interrupted"; a resumed run adds
// "; resumed after N".
std::string RunSummary(const Run& run);

// The end of a run, as every front end makes it: when the scan came to its
// end, an entry in the error log (RunSummary), then "Finished" through the
// Messages edge, offering the run's report_file. A run the user stopped
// (outcome kStopped) gets its entry too, without the message. Nothing for a
// run that never began its scan.
void FinishRun(Run& run, const ErrorLogWriter& append_error_log);

}  // namespace velmora

#endif
