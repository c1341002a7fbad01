#include "gpx/benchmark_scan.h"

#include "core/text.h"
#include "files/file_utils.h"
#include "gpx/document_edits.h"
#include "gpx/find_next_benchmark.h"
#include "gpx/mark_recovery_status.h"
#include "logs/quillet.h"
#include "net/random_pause.h"

namespace velmora {

float ScanPause(const std::string& command_line) {
  return LowerAscii(command_line) == "quick" ? 2.5f : 5.0f;
}

namespace {

RunOutcome OutcomeOf(FindOutcome found) {
  switch (found) {
    case FindOutcome::kNoWaypointLeft:
      return RunOutcome::kNoWaypointLeft;
    case FindOutcome::kNoLogZone:
      return RunOutcome::kNoLogZone;
    case FindOutcome::kMalformed:
    case FindOutcome::kReady:
      break;
  }
  return RunOutcome::kMalformed;
}

void EndScan(Run& run, RunOutcome outcome) {
  run.state.RunFinished = true;
  run.outcome = outcome;
}

// The edit that the harvest's outcome calls for: a terrain mark for the two
// special outcomes (the log zone stays as it is), else the new logs.
void ApplyHarvest(RunState& state, const LogZone& zone) {
  if (state.NoBenchmark) {
    SetTerrain(state, '4');
    state.NoBenchmark = false;
  } else if (state.NoLogs) {
    SetTerrain(state, '3');
    state.NoLogs = false;
  } else {
    InsertLogBlock(state, zone);
  }
}

}  // namespace

void ProcessVer11GPXfile(Run& run) {
  RunState& state = run.state;
  const float pause = ScanPause(run.CommandLine);
  state.MoreBenchmarks = true;
  ScanCursor cursor = StartOfScan(state.DocumentText);
  int processed = 0;
  while (state.MoreBenchmarks) {
    const FindOutcome found = FindNextBenchmark(run, cursor);
    if (found != FindOutcome::kReady) return EndScan(run, OutcomeOf(found));
    Quillet(cursor.listing_url, run);
    // No page: the harvest has told the user; this waypoint is not written.
    if (!state.MoreBenchmarks) return EndScan(run, RunOutcome::kNoPage);
    MarkRecoveryStatus(state);
    ApplyHarvest(state, cursor.log_zone);
    WriteResultFile(state.DocumentText, state.GPXFileName);
    ++processed;
    run.benchmarks_done = processed;
    run.edges.progress.SetCount(processed);
    RandomPause(pause, run.pacing());
  }
  EndScan(run, RunOutcome::kNoWaypointLeft);
}

}  // namespace velmora

