// The PIDs a GPX document names, so that a datasheet archive can be read for
// just those benchmarks, and the count of benchmarks a run will fetch.
#ifndef VELMORA_DATASHEET_BENCHMARK_PIDS_H
#define VELMORA_DATASHEET_BENCHMARK_PIDS_H

#include <set>
#include <string>
#include <string_view>

namespace velmora {

// The first 6 characters of the <name> of every <wpt> element whose name
// holds 6 characters or more (blanks around the name not counted).
std::set<std::string> BenchmarkPids(std::string_view document);

// The benchmarks a run over `document` fetches: the waypoints with a PID (as
// above) and a "<groundspeak:logs>" log zone, each counted once per waypoint.
int CountBenchmarks(std::string_view document);

}  // namespace velmora

#endif
