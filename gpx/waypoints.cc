#include "gpx/waypoints.h"

#include <algorithm>

#include "core/text.h"

namespace velmora {
namespace {

constexpr std::string_view kNameStart = "<name>";
constexpr std::string_view kNameEnd = "</name>";

// The text of a waypoint's first <name>; empty when it has none.
std::string_view WaypointName(std::string_view waypoint) {
  const std::size_t open = waypoint.find(kNameStart);
  const std::size_t end = open == std::string_view::npos ? open : waypoint.find(kNameEnd, open);
  if (end == std::string_view::npos) return {};
  return waypoint.substr(open + kNameStart.size(), end - open - kNameStart.size());
}

}  // namespace

void ForEachWaypoint(std::string_view document,
                     const std::function<void(std::string_view)>& visit) {
  std::size_t at = WaypointStart(document, 0);
  while (at != std::string_view::npos) {
    const std::size_t next = WaypointStart(document, at + kWaypointStart.size());
    const std::size_t end = document.find(kWaypointEnd, at);
    visit(document.substr(at, std::min(end, next) - at));
    at = next;
  }
}

std::string_view WaypointPid(std::string_view waypoint) {
  return LeadingPid(WaypointName(waypoint));
}

bool IsBenchmark(std::string_view waypoint) {
  return !WaypointPid(waypoint).empty() &&
         FindLogZoneTag(waypoint, 0).at != std::string_view::npos;
}

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

LogZoneTag FindLogZoneTag(std::string_view text, std::size_t from) {
  for (std::size_t at = text.find(kLogZoneTag, from); at != std::string_view::npos;
       at = text.find(kLogZoneTag, at + 1)) {
    std::size_t next = at + kLogZoneTag.size();
    if (next < text.size() && text[next] == '>') return {at, next + 1 - at, false};
    while (next < text.size() && IsBlank(text[next])) ++next;
    if (text.substr(next, 2) == "/>") return {at, next + 2 - at, true};
  }
  return {};
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
    if (IsBenchmark(waypoint)) ++count;
  });
  return count;
}

}  // namespace velmora
