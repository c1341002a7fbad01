// The benchmark scan of a GPX 1.1 document (ProcessVer11GPXfile) and the
// pause between two benchmarks.
#ifndef VELMORA_GPX_BENCHMARK_SCAN_H
#define VELMORA_GPX_BENCHMARK_SCAN_H

#include <string>

#include "core/run.h"

namespace velmora {

// 5.0 seconds, or 2.5 when the command-line argument text is "quick" in any
// letter case (and nothing else).
float ScanPause(const std::string& command_line);

// Runs the scan over run.state.DocumentText; sets RunFinished when it ends.
void ProcessVer11GPXfile(Run& run);

}  // namespace velmora

#endif
