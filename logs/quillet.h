// The log harvest of one benchmark: fetches its listing page and cuts the
// visitor logs out of it into LogBlock, or reports a special outcome.
#ifndef VELMORA_LOGS_QUILLET_H
#define VELMORA_LOGS_QUILLET_H

#include <string>

#include "core/run.h"

namespace velmora {

// Empties run.state.LogBlock, fetches TheURL patiently, and then either
// fills LogBlock with the page's logs, or sets NoBenchmark, or sets NoLogs,
// or (no page at all) shows "Cannot Continue" and clears MoreBenchmarks.
void Quillet(const std::string& TheURL, Run& run);

}  // namespace velmora

#endif
