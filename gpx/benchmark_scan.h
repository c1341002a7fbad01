// The benchmark scan of a GPX 1.0 or 1.1 document (ProcessVer11GPXfile) and the
// pause between two benchmarks.
#ifndef VELMORA_GPX_BENCHMARK_SCAN_H
#define VELMORA_GPX_BENCHMARK_SCAN_H

#include <string>

#include "core/run.h"
#include "gpx/resume_point.h"

namespace velmora {

// The pause between two benchmarks: 5.0 seconds, or 2.5 at the quick pace.
float ScanPause(Pace pace);

// Runs the scan over run.state.DocumentText in one pass from `start` (a
// fresh run: FreshStart), writing the result file through a ResultWriter;
// sets RunFinished when it ends. The text before start.position is final
// output, the count goes on from start.completed and the total is
// start.total (when set). A RunStopped or any other exception from an edge
// passes on once every completed benchmark is in the result file (outcome
// kStopped for RunStopped). DocumentText is the whole document again when it
// returns or throws. Every write keeps the progress record beside the result
// file; a scan that goes through every waypoint removes the record, every
// other end keeps it.
void ProcessVer11GPXfile(Run& run, ScanStart start);

}  // namespace velmora

#endif
