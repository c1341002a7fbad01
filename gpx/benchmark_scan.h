// The benchmark scan of a GPX 1.0 or 1.1 document (ProcessVer11GPXfile) and the
// pause between two benchmarks.
#ifndef VELMORA_GPX_BENCHMARK_SCAN_H
#define VELMORA_GPX_BENCHMARK_SCAN_H

#include <string>

#include "core/run.h"

namespace velmora {

// 5.0 seconds, or 2.5 when the command-line argument text is "quick" in any
// letter case (and nothing else).
float ScanPause(const std::string& command_line);

// Runs the scan over run.state.DocumentText in one pass, writing the result
// file through a ResultWriter; sets RunFinished when it ends. A RunStopped
// or any other exception from an edge passes on once every completed
// benchmark is in the result file (outcome kStopped for RunStopped).
// DocumentText is the whole document again when it returns or throws.
void ProcessVer11GPXfile(Run& run);

}  // namespace velmora

#endif
