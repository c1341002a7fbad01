#include "gpx/benchmark_scan.h"

#include <cstddef>
#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

#include "core/text.h"
#include "files/file_error.h"
#include "files/resume_record.h"
#include "gpx/document_edits.h"
#include "gpx/benchmark_search.h"
#include "gpx/mark_recovery_status.h"
#include "gpx/result_writer.h"
#include "gpx/waypoints.h"
#include "net/random_pause.h"

namespace velmora {

float ScanPause(Pace pace) { return pace == Pace::kQuick ? 2.5f : 5.0f; }

namespace {

void EndScan(Run& run, RunOutcome outcome) {
  run.state.RunFinished = true;
  run.outcome = outcome;
}

// The edit that the harvest's outcome calls for: a terrain mark for the two
// special outcomes (the log zone stays as it is), else the new logs.
void ApplyHarvest(RunState& state, const LogZone& zone, HarvestOutcome::Kind kind) {
  if (kind == HarvestOutcome::Kind::kNoBenchmark) {
    SetTerrain(state, '4');
  } else if (kind == HarvestOutcome::Kind::kNoLogs) {
    SetTerrain(state, '3');
  } else {
    InsertLogBlock(state, zone);
  }
}

// The memory of the loaded document in front of the cursor's source_done,
// given back to the system as the scan moves on (on Linux; elsewhere it stays
// until the scan ends), so that a large document is not held twice, once as
// it was loaded and once as the output. Those bytes of cursor.source read as
// zeros afterwards: the scan reads the source from source_done on only, and
// the cursor is its own.
class DoneSourcePages {
 public:
  void Release(const ScanCursor& cursor) {
#if defined(__linux__)
    static const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto begin = reinterpret_cast<std::uintptr_t>(cursor.source.data());
    if (next_ == 0) next_ = (begin + page - 1) / page * page;  // the first whole page
    const std::uintptr_t end = (begin + cursor.source_done) / page * page;
    if (end < next_ + kStep) return;
    madvise(reinterpret_cast<void*>(next_), end - next_, MADV_DONTNEED);
    next_ = end;
#else
    (void)cursor;
#endif
  }

 private:
  static constexpr std::uintptr_t kStep = 1 << 20;  // a call per megabyte at most
  std::uintptr_t next_ = 0;  // the first page not given back; 0: none yet
};

// How a run ends at a harvest that stops it (no page, or another site's
// page); kNoWaypointLeft for one that lets it go on.
RunOutcome StopOf(Run& run, const HarvestOutcome& harvest) {
  switch (harvest.kind) {
    case HarvestOutcome::Kind::kNoPage: return RunOutcome::kNoPage;
    case HarvestOutcome::Kind::kForeignPage:
      run.stop_reason = harvest.reason;
      return RunOutcome::kNotSourcePage;
    default: return RunOutcome::kNoWaypointLeft;
  }
}

// The walk over the benchmarks; returns how it ended.
RunOutcome ScanBenchmarks(Run& run, ScanCursor& cursor, ResultWriter& writer) {
  RunState& state = run.state;
  LogsSource& source = *run.source;
  const float pause = source.PausesBetweenBenchmarks() ? ScanPause(run.pace) : 0.0f;
  DoneSourcePages done_source;
  while (state.MoreBenchmarks) {
    const FindOutcome found = FindNextBenchmark(run, cursor);
    if (found == FindOutcome::kMalformed) return RunOutcome::kMalformed;
    if (found == FindOutcome::kNoWaypointLeft) break;
    HarvestOutcome harvest = source.Harvest(state.CurrentPID, run);
    // No page: the source has told the user; this waypoint is not written.
    const RunOutcome stop = StopOf(run, harvest);
    if (stop != RunOutcome::kNoWaypointLeft) return stop;
    state.LogBlock = std::move(harvest.logs);
    MarkRecoveryStatus(state);
    ApplyHarvest(state, cursor.log_zone, harvest.kind);
    KeepWaypoint(state, cursor);
    writer.Completed(cursor.Pieces(state));
    done_source.Release(cursor);
    run.benchmarks_done = writer.completed();
    run.edges.progress.SetCount(writer.completed());
    run.edges.pump.Poll();
    // None from a source that makes none, nor at a pause scale of 0.
    if (pause > 0 && run.settings.pause_scale > 0) RandomPause(pause, run.pacing());
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
    writer.Flush(cursor.Pieces(state));
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
