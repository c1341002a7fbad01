// The waypoints of a GPX document: the one rule for where a "<wpt" element
// starts, the walk over them, the PIDs they name (so that a datasheet file
// can be read for just those benchmarks) and the count of benchmarks a run
// will fetch.
#ifndef VELMORA_GPX_WAYPOINTS_H
#define VELMORA_GPX_WAYPOINTS_H

#include <cstddef>
#include <functional>
#include <set>
#include <string>
#include <string_view>

#include "core/text.h"

namespace velmora {

inline constexpr std::string_view kWaypointStart = "<wpt";
inline constexpr std::string_view kWaypointEnd = "</wpt>";
inline constexpr std::string_view kLogZoneStart = "<groundspeak:logs>";
inline constexpr std::string_view kLogZoneEnd = "</groundspeak:logs>";
// The start of a log zone's tag, which kLogZoneStart ends with ">"; as an
// empty element it ends with "/>", blanks allowed in front of the "/".
inline constexpr std::string_view kLogZoneTag = "<groundspeak:logs";

// Where a waypoint's log zone is, in 1-based positions.
struct LogZone {
  Pos cut = 0;  // count of characters kept in front of the block
  // Position of the zone's "</groundspeak:logs>"; for an empty element, the
  // position right after it.
  Pos end = 0;
  bool empty_element = false;  // "<groundspeak:logs/>": the block brings both tags
};

// Where a log zone starts in `text`, as a 0-based offset at or after `from`;
// npos when there is none. `length` becomes the length of its start tag, or
// of the whole element when `empty` is set.
struct LogZoneTag {
  std::size_t at = std::string_view::npos;
  std::size_t length = 0;
  bool empty = false;
};
LogZoneTag FindLogZoneTag(std::string_view text, std::size_t from);

// 0-based offset of the first "<wpt" start tag at or after `from` ("<wpt"
// followed by a blank or ">"); npos when there is none.
std::size_t WaypointStart(std::string_view text, std::size_t from);

// Calls `visit` with the text of each waypoint of `document`, from its
// "<wpt" to its "</wpt>" or the next "<wpt", whichever comes first.
void ForEachWaypoint(std::string_view document,
                     const std::function<void(std::string_view)>& visit);

// The PID that the waypoint's first <name> begins with (LeadingPid); empty
// when it begins with none.
std::string_view WaypointPid(std::string_view waypoint);

// True when a run takes the waypoint for a benchmark: its first <name> begins
// with a PID and it has a log zone (FindLogZoneTag).
bool IsBenchmark(std::string_view waypoint);

// The PID that the first <name> of every <wpt> element begins with
// (LeadingPid).
std::set<std::string> BenchmarkPids(std::string_view document);

// The benchmarks a run over `document` fetches, each counted once per
// waypoint: the waypoints whose first <name> begins with a PID (LeadingPid)
// and that have a log zone (FindLogZoneTag). Every other waypoint is passed
// over and not counted.
int CountBenchmarks(std::string_view document);

}  // namespace velmora

#endif
