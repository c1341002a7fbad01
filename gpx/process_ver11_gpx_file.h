// The benchmark scan: walks the waypoints of a loaded GPX 1.1 document,
// harvests each benchmark's logs and writes the result after each one.
#ifndef VELMORA_GPX_PROCESS_VER11_GPX_FILE_H
#define VELMORA_GPX_PROCESS_VER11_GPX_FILE_H

#include "core/run.h"

namespace velmora {

// Runs the scan over run.state.DocumentText; sets RunFinished when it ends.
void ProcessVer11GPXfile(Run& run);

}  // namespace velmora

#endif
