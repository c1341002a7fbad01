#include "datasheet/benchmark_pids.h"

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

}  // namespace

std::set<std::string> BenchmarkPids(std::string_view document) {
  std::set<std::string> pids;
  std::size_t at = NextWaypoint(document, 0);
  while (at != std::string_view::npos) {
    const std::size_t next = NextWaypoint(document, at + 4);
    const std::size_t end = document.find("</wpt>", at);
    const std::string_view waypoint = document.substr(at, std::min(end, next) - at);
    const std::size_t open = waypoint.find("<name>");
    const std::size_t close =
        open == std::string_view::npos ? open : waypoint.find("</name>", open);
    if (close != std::string_view::npos) {
      std::string_view name = waypoint.substr(open + 6, close - open - 6);
      while (!name.empty() && IsBlank(name.front())) name.remove_prefix(1);
      while (!name.empty() && IsBlank(name.back())) name.remove_suffix(1);
      if (name.size() >= 6) pids.emplace(name.substr(0, 6));
    }
    at = next;
  }
  return pids;
}

}  // namespace velmora
