// The search for the next waypoint with a PID, and the positions that the
// steps of one benchmark work from.
#ifndef VELMORA_GPX_FIND_NEXT_BENCHMARK_H
#define VELMORA_GPX_FIND_NEXT_BENCHMARK_H

#include <string>

#include "core/run.h"
#include "gpx/log_zone.h"

namespace velmora {

// Values of one scan that live from one benchmark to the next.
struct ScanCursor {
  Pos name_end = 0;         // the last "</name>" taken; the next search follows it
  std::string listing_url;  // ListingUrlPrefix + CurrentPID
  LogZone log_zone;         // the current waypoint's log zone
};

// A cursor whose first search starts at the document's first "<wpt", so that
// the file's own name and its author's name are never taken for benchmarks.
// A document without "<wpt" has no benchmark.
ScanCursor StartOfScan(const std::string& document);

enum class FindOutcome {
  kReady,           // CurrentPID, NameEndPos, BenchmarkEnd and the cursor are set
  kNoWaypointLeft,  // MoreBenchmarks is now false
  kNoLogZone,       // "Error --- Log zone start = 0" was shown
  kMalformed,       // the document is damaged here; a message was shown
};

// Passes over names of fewer than 6 characters, lengthens a 6-character name
// by its listing name (a waypoint without one is skipped with a message) and
// takes the log zone and the description range of the benchmark found.
FindOutcome FindNextBenchmark(Run& run, ScanCursor& cursor);

// The message about a 6-character name without a listing name.
std::string FaultyListingMessage(const std::string& name_text);

}  // namespace velmora

#endif
