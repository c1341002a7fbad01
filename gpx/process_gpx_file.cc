#include "gpx/process_gpx_file.h"

#include "core/text.h"
#include "files/file_utils.h"
#include "gpx/datasheet_links.h"
#include "gpx/process_ver11_gpx_file.h"

namespace velmora {

void ProcessGPXfile(Run& run) {
  RunState& state = run.state;
  state.DocumentText = ReadWholeFile(state.GPXFileName);
  RewriteDatasheetLinks(state.DocumentText, run.settings);
  if (Contains(state.DocumentText, "version=\"1.1\" creator=")) {
    ProcessVer11GPXfile(run);
  } else {
    run.outcome = RunOutcome::kNotGpx11;
  }
}

}  // namespace velmora
