// Puts the harvested log block into the waypoint's log zone.
#ifndef VELMORA_GPX_INSERT_LOG_BLOCK_H
#define VELMORA_GPX_INSERT_LOG_BLOCK_H

#include "core/run_state.h"
#include "gpx/log_zone.h"

namespace velmora {

// DocumentText becomes its first zone.cut characters, LogBlock, CR LF and
// three spaces, then the text from the zone's end tag on. Whatever stood in
// the zone before (logs of an earlier run) is dropped, not repeated.
void InsertLogBlock(RunState& state, const LogZone& zone);

}  // namespace velmora

#endif
