#include "gpx/benchmark_scan.h"

#include "core/text.h"
#include "datasheet/benchmark_pids.h"
#include "files/file_error.h"
#include "files/resume_record.h"
#include "gpx/document_edits.h"
#include "gpx/find_next_benchmark.h"
#include "gpx/mark_recovery_status.h"
#include "gpx/result_writer.h"
#include "logs/log_source.h"
#include "net/random_pause.h"

namespace velmora {

float ScanPause(const std::string& command_line) {
  return LowerAscii(command_line) == "quick" ? 2.5f : 5.0f;
}

namespace {

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

// The walk over the benchmarks; returns how it ended.
RunOutcome ScanBenchmarks(Run& run, ScanCursor& cursor, ResultWriter& writer) {
  RunState& state = run.state;
  const float pause = PausesBetweenBenchmarks(run) ? ScanPause(run.CommandLine) : 0.0f;
  while (state.MoreBenchmarks) {
    const FindOutcome found = FindNextBenchmark(run, cursor);
    if (found == FindOutcome::kMalformed) return RunOutcome::kMalformed;
    if (found == FindOutcome::kNoWaypointLeft) break;
    HarvestLogs(state.CurrentPID, run);
    // No page: the harvest has told the user; this waypoint is not written.
    if (!state.MoreBenchmarks) return RunOutcome::kNoPage;
    MarkRecoveryStatus(state);
    ApplyHarvest(state, cursor.log_zone);
    KeepWaypoint(state, cursor);
    writer.Completed(cursor.ResultPieces(state));
    run.benchmarks_done = writer.completed();
    run.edges.progress.SetCount(writer.completed());
    run.edges.pump.Poll();
    RandomPause(pause, run.pacing());
  }
  return RunOutcome::kNoWaypointLeft;
}

// A run that went through every waypoint needs no record to go on from; a
// record that cannot be removed only offers to go on from the end.
void RemoveFinishedRecord(const Run& run) {
  try {
    RemoveRecord(RecordFileName(run.state.GPXFileName));
  } catch (const FileError&) {
  }
}

}  // namespace

void ProcessVer11GPXfile(Run& run, ScanStart start) {
  RunState& state = run.state;
  state.MoreBenchmarks = true;
  state.BenchmarkTotal = start.total >= 0 ? start.total : CountBenchmarks(state.DocumentText);
  run.benchmarks_done = start.completed;
  ScanCursor cursor = StartOfScan(state, start.position);
  ResultWriter writer(run, std::move(start), cursor.source.size());
  // However the scan ends, every completed benchmark reaches the file first.
  const auto finish = [&] {
    writer.Flush(cursor.ResultPieces(state));
    EndOfScan(state, cursor);
  };
  RunOutcome outcome;
  try {
    outcome = ScanBenchmarks(run, cursor, writer);
  } catch (const RunStopped&) {
    finish();
    run.outcome = RunOutcome::kStopped;
    throw;
  } catch (...) {
    finish();
    throw;
  }
  finish();
  EndScan(run, outcome);
  if (outcome == RunOutcome::kNoWaypointLeft) RemoveFinishedRecord(run);
}

}  // namespace velmora
