#include "gpx/process_gpx_file.h"

#include "core/text.h"
#include "files/file_utils.h"
#include "gpx/benchmark_scan.h"
#include "gpx/gpx_version.h"
#include "gpx/resume_point.h"
#include "logs/log_source.h"

namespace velmora {

std::string DatasheetPrefix(const Settings& settings) {
  return "http://" + settings.datasheet_host + "/cgi-bin/ds_mark.prl?PidBox";
}

std::string ListingLinkPrefix(const Settings& settings) {
  return "http://" + settings.listing_host + "/mark/details.aspx?PID";
}

void RewriteDatasheetLinks(std::string& document, const Settings& settings) {
  const std::string from = DatasheetPrefix(settings);
  if (!Contains(document, from)) return;
  document = ReplaceAll(document, from, ListingLinkPrefix(settings));
}

namespace {

// The document and the scan's start: the input file as read, its datasheet
// links rewritten (listing source only), or for a resumed run the earlier
// run's result, which has them rewritten already.
ScanStart LoadDocument(Run& run) {
  RunState& state = run.state;
  if (run.resume != nullptr) {
    state.DocumentText = run.resume->document;
    run.resumed_after = run.resume->state.completed;
    return ResumeStart(*run.resume);
  }
  state.DocumentText = ReadWholeFile(state.GPXFileName);
  ScanStart start = FreshStart(state.DocumentText, run.settings);
  // The datasheet source leaves the datasheet links as they are.
  if (run.settings.log_source == LogSource::kListing) {
    RewriteDatasheetLinks(state.DocumentText, run.settings);
  }
  return start;
}

}  // namespace

void ProcessGPXfile(Run& run) {
  RunState& state = run.state;
  ScanStart start = LoadDocument(run);
  const std::string version = GpxVersionAttribute(state.DocumentText);
  if (version == "1.0" || version == "1.1") {
    CheckResultWritable(state.GPXFileName);
    PrepareLogSource(run);
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

