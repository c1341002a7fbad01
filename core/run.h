// One run: the run state together with the settings and the edges that the
// steps of the run use. Front ends and tests build one and hand it down.
#ifndef VELMORA_CORE_RUN_H
#define VELMORA_CORE_RUN_H

#include <string>

#include "core/edges.h"
#include "core/run_state.h"
#include "core/settings.h"

namespace velmora {

// How a run ended, for front ends that report it (the command line's exit
// status). The windows only look at RunFinished.
enum class RunOutcome {
  kNotStarted,     // nothing processed yet
  kNotGpx11,       // the document lacks the GPX 1.1 marker; left alone
  kNoWaypointLeft, // the scan ran out of waypoints: the normal end
  kNoPage,         // no page could be had for a benchmark
  kNoLogZone,      // a waypoint without a log zone
  kMalformed,      // the scan stopped at a malformed document (message shown)
};

struct Run {
  RunState& state;
  const Settings& settings;
  PageSource& pages;
  Pacing pacing;
  Messages& messages;
  Progress& progress;
  // The program's command-line argument text ("quick" selects short pauses).
  std::string CommandLine;
  // Set by the GPX processing when it returns.
  RunOutcome outcome = RunOutcome::kNotStarted;
};

}  // namespace velmora

#endif
