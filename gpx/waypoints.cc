#include "gpx/waypoints.h"

#include <algorithm>

#include "core/text.h"

namespace velmora {
namespace {

// Calls `visit` with the text of each waypoint, from its "<wpt" to its
// "</wpt>" or the next "<wpt", whichever comes first.
template <typename Visit>
void ForEachWaypoint(std::string_view document, Visit visit) {
  std::size_t at = WaypointStart(document, 0);
  while (at != std::string_view::npos) {
    const std::size_t next = WaypointStart(document, at + kWaypointStart.size());
    const std::size_t end = document.find(kWaypointEnd, at);
    visit(document.substr(at, std::min(end, next) - at));
    at = next;
  }
}

// The PID of a waypoint: the first 6 characters of its first <name>, when
// that name holds 6 characters or more; empty otherwise.
std::string_view WaypointPid(std::string_view waypoint) {
  const std::size_t open = waypoint.find("<name>");
  const std::size_t close = open == std::string_view::npos ? open : waypoint.find("</name>", open);
  if (close == std::string_view::npos) return {};
  std::string_view name = waypoint.substr(open + 6, close - open - 6);
  while (!name.empty() && IsBlank(name.front())) name.remove_prefix(1);
  while (!name.empty() && IsBlank(name.back())) name.remove_suffix(1);
  return name.size() >= 6 ? name.substr(0, 6) : std::string_view();
}

}  // namespace

std::size_t WaypointStart(std::string_view text, std::size_t from) {
  for (std::size_t at = text.find(kWaypointStart, from); at != std::string_view::npos;
       at = text.find(kWaypointStart, at + 1)) {
    const std::size_t next = at + kWaypointStart.size();
    if (next >= text.size()) return std::string_view::npos;
    const char c = text[next];
    if (c == '>' || IsBlank(c)) return at;
  }
  return std::string_view::npos;
}

std::set<std::string> BenchmarkPids(std::string_view document) {
  std::set<std::string> pids;
  ForEachWaypoint(document, [&pids](std::string_view waypoint) {
    const std::string_view pid = WaypointPid(waypoint);
    if (!pid.empty()) pids.emplace(pid);
  });
  return pids;
}

int CountBenchmarks(std::string_view document) {
  int count = 0;
  ForEachWaypoint(document, [&count](std::string_view waypoint) {
    if (!WaypointPid(waypoint).empty() && waypoint.find(kLogZoneStart) != waypoint.npos) {
      ++count;
    }
  });
  return count;
}

}  // namespace velmora
