// Entry of the GPX processing: load the chosen file, point datasheet links
// at the listing website and run the benchmark scan on a GPX 1.1 document.
#ifndef VELMORA_GPX_PROCESS_GPX_FILE_H
#define VELMORA_GPX_PROCESS_GPX_FILE_H

#include "core/run.h"

namespace velmora {

// Reads run.state.GPXFileName into DocumentText, rewrites datasheet links
// and, when the document carries the GPX 1.1 marker, runs the scan.
// run.state.RunFinished tells whether the scan came to its end, and
// run.outcome how the run ended.
void ProcessGPXfile(Run& run);

}  // namespace velmora

#endif
