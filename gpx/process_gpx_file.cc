#include "gpx/process_gpx_file.h"

#include "core/text.h"
#include "files/file_utils.h"
#include "gpx/benchmark_scan.h"
#include "gpx/gpx_version.h"
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
  const std::string version = GpxVersionAttribute(state.DocumentText);
  if (version == "1.0" || version == "1.1") {
    PrepareLogSource(run);
    ProcessVer11GPXfile(run);
    return;
  }
  run.outcome = RunOutcome::kNotGpx;
  Message message;
  message.text = kNotGpxText;
  run.edges.messages.Show(message);
}

}  // namespace velmora

