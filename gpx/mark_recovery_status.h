// Recovery-status marking: raises a benchmark's difficulty when the latest
// reports in its own description say the mark was not found.
#ifndef VELMORA_GPX_MARK_RECOVERY_STATUS_H
#define VELMORA_GPX_MARK_RECOVERY_STATUS_H

#include "core/run_state.h"

namespace velmora {

inline constexpr const char* kMarkNotFound = "MARK NOT FOUND";
inline constexpr const char* kRecoveredInGoodCondition = "RECOVERED IN GOOD CONDITION";
inline constexpr const char* kFoundAsDescribed = "FOUND AS DESCRIBED";

// Counts the "MARK NOT FOUND" reports between NameEndPos and BenchmarkEnd
// that no recovery phrase follows inside that range, capped at 3, and writes
// count + 2 (3, 4 or 5) over the first character of the difficulty value that
// follows NameEndPos. Marks nothing when BenchmarkEnd is 0, and leaves the
// document untouched when there is no difficulty value to edit. Replaces at
// most one character by one character.
void MarkRecoveryStatus(RunState& state);

}  // namespace velmora

#endif
