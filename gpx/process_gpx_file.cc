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

}  // namespace

void ProcessGPXfile(Run& run) {
  RunState& state = run.state;
  ScanStart start = LoadDocument(run);
  const std::string version = GpxVersionAttribute(state.DocumentText);
  if (version == "1.0" || version == "1.1") {
    CheckResultWritable(state.GPXFileName);
    run.source->Prepare(BenchmarkPids(state.DocumentText), DocumentIsUtf8(state.DocumentText));
    ProcessVer11GPXfile(run, std::move(start));
    return;
  }
  run.outcome = RunOutcome::kNotGpx;
  Message message;
  message.text = kNotGpxText;
  message.icon = MessageIcon::kWarning;
  run.edges.messages.Show(message);
}

}  // namespace velmora

