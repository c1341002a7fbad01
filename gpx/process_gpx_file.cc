#include "gpx/process_gpx_file.h"

#include "core/text.h"
#include "files/file_utils.h"
#include "gpx/benchmark_scan.h"
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

void ProcessGPXfile(Run& run) {
  RunState& state = run.state;
  state.DocumentText = ReadWholeFile(state.GPXFileName);
  // The datasheet source leaves the datasheet links as they are.
  if (run.settings.log_source == LogSource::kListing) {
    RewriteDatasheetLinks(state.DocumentText, run.settings);
  }
  if (Contains(state.DocumentText, "version=\"1.1\" creator=")) {
    PrepareLogSource(run);
    ProcessVer11GPXfile(run);
  } else {
    run.outcome = RunOutcome::kNotGpx11;
  }
}

}  // namespace velmora

