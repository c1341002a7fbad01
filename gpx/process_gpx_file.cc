#include "gpx/process_gpx_file.h"

#include "files/file_utils.h"
#include "gpx/benchmark_scan.h"
#include "gpx/gpx_version.h"
#include "gpx/resume_point.h"
#include "gpx/waypoints.h"
#include "logs/page_charset.h"

namespace velmora {

namespace {

// The document and the scan's start: the input file as read, its links
// rewritten as the source wants them, or for a resumed run the earlier
// run's result, which has them rewritten already.
ScanStart LoadDocument(Run& run) {
  RunState& state = run.state;
  if (run.resume != nullptr) {
    state.DocumentText = run.resume->document;
    run.resumed_after = run.resume->state.completed;
    return ResumeStart(*run.resume);
  }
  state.DocumentText = ReadWholeFile(state.GPXFileName);
  ScanStart start = FreshStart(state.DocumentText, *run.source);
  run.source->RewriteLinks(state.DocumentText);
  return start;
}

// Shows `text` with a warning icon, and ends the run that never began with
// `outcome`.
void LeaveAlone(Run& run, RunOutcome outcome, const std::string& text) {
  run.outcome = outcome;
  run.edges.messages.Show(Message{text, "", MessageIcon::kWarning});
}

}  // namespace

void ProcessGPXfile(Run& run) {
  RunState& state = run.state;
  ScanStart start = LoadDocument(run);
  const std::string version = GpxVersionAttribute(state.DocumentText);
  if (version != "1.0" && version != "1.1") {
    return LeaveAlone(run, RunOutcome::kNotGpx, kNotGpxText);
  }
  if (run.resume == nullptr) {
    start.total = CountBenchmarks(state.DocumentText);
    if (start.total == 0) return LeaveAlone(run, RunOutcome::kNoBenchmark, kNoBenchmarkText);
  }
  CheckResultWritable(state.GPXFileName);
  run.source->Prepare(BenchmarkPids(state.DocumentText), DocumentIsUtf8(state.DocumentText));
  ProcessVer11GPXfile(run, std::move(start));
}

}  // namespace velmora
