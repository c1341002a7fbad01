// The waypoints of a GPX document: the one rule for where a "<wpt" element
// starts, the walk over them, the PIDs they name (so that a datasheet file
// can be read for just those benchmarks) and the count of benchmarks a run
// will fetch.
#ifndef VELMORA_GPX_WAYPOINTS_H
#define VELMORA_GPX_WAYPOINTS_H

#include <cstddef>
#include <set>
#include <string>
#include <string_view>

#include "core/text.h"

namespace velmora {

inline constexpr std::string_view kWaypointStart = "<wpt";
inline constexpr std::string_view kWaypointEnd = "</wpt>";
inline constexpr std::string_view kLogZoneStart = "<groundspeak:logs>";
inline constexpr std::string_view kLogZoneEnd = "</groundspeak:logs>";

// Where a waypoint's log zone is, in 1-based positions.
struct LogZone {
  Pos cut = 0;  // count of characters kept in front of the block
  Pos end = 0;  // position of the zone's "</groundspeak:logs>"
};

// 0-based offset of the first "<wpt" start tag at or after `from` ("<wpt"
// followed by a blank or ">"); npos when there is none.
std::size_t WaypointStart(std::string_view text, std::size_t from);

// The first 6 characters of the <name> of every <wpt> element whose name
// holds 6 characters or more (blanks around the name not counted).
std::set<std::string> BenchmarkPids(std::string_view document);

// The benchmarks a run over `document` fetches: the waypoints with a PID (as
// above) and a log zone (kLogZoneStart), each counted once per waypoint.
int CountBenchmarks(std::string_view document);

}  // namespace velmora

#endif
