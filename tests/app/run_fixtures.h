// A small GPX 1.1 document of benchmarks and their listing pages, for the
// run tests of the windows against the loopback listing server.
#ifndef VELMORA_TESTS_APP_RUN_FIXTURES_H
#define VELMORA_TESTS_APP_RUN_FIXTURES_H

#include <map>
#include <string>
#include <vector>

#include "tests/support/builders.h"

namespace velmora::testing {

// A GPX 1.1 document (CR LF lines) with one benchmark waypoint per PID, each
// with an empty log zone.
std::string BenchmarkDocument(const std::vector<std::string>& pids);

// The finder name that the listing page of `pid` gives its one log.
std::string FinderOf(const std::string& pid);
// A listing page with one log, found by FinderOf(pid).
std::string ListingPageWithOneLog(const std::string& pid);
std::map<std::string, std::string> ListingPages(const std::vector<std::string>& pids);

}  // namespace velmora::testing

#endif
