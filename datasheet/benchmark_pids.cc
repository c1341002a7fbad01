#include "datasheet/benchmark_pids.h"

#include <algorithm>

namespace velmora {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The position of the next "<wpt" start tag at or after `from`; npos for none.
std::size_t NextWaypoint(std::string_view document, std::size_t from) {
  for (;;) {
    const std::size_t at = document.find("<wpt", from);
    if (at == std::string_view::npos || at + 4 >= document.size()) return std::string_view::npos;
    const char next = document[at + 4];
    if (next == '>' || next == '/' || IsBlank(next)) return at;
    from = at + 4;
  }
}

// Calls `visit` with the text of each waypoint, from its "<wpt" to its
// "</wpt>" or the next "<wpt", whichever comes first.
template <typename Visit>
void ForEachWaypoint(std::string_view document, Visit visit) {
  std::size_t at = NextWaypoint(document, 0);
  while (at != std::string_view::npos) {
    const std::size_t next = NextWaypoint(document, at + 4);
    const std::size_t end = document.find("</wpt>", at);
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
    if (!WaypointPid(waypoint).empty() && waypoint.find("<groundspeak:logs>") != waypoint.npos) {
      ++count;
    }
  });
  return count;
}

}  // namespace velmora
