// The terrain mark of the two special harvest outcomes: "4" when the website
// knows no benchmark with the PID, "3" when its page holds no log.
#ifndef VELMORA_GPX_SET_TERRAIN_H
#define VELMORA_GPX_SET_TERRAIN_H

#include "core/run_state.h"

namespace velmora {

// Writes `value` over the first character of the terrain value that follows
// NameEndPos. Leaves the document untouched (and returns false) when no
// terrain value follows. The scan writes the result file afterwards.
bool SetTerrain(RunState& state, char value);

}  // namespace velmora

#endif
