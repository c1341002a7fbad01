#include "tests/app/run_fixtures.h"

#include "tests/support/builders.h"

namespace velmora::testing {
namespace {

std::string Document(const std::string& version, const std::vector<std::string>& pids) {
  std::vector<std::string> waypoints;
  for (const std::string& pid : pids) {
    waypoints.push_back(Waypoint({.name = pid,
                                  .listing_name = "HILL " + pid,
                                  .description = pid + " DESIGNATION - HILL",
                                  .terrain = "1",
                                  .extensions = false,
                                  .lat = "40.01",
                                  .lon = "-105.27"}));
  }
  return GpxDocument({.version = version, .creator = "Survey Club Export", .title = "Run test"},
                     waypoints);
}

}  // namespace

std::string BenchmarkDocument(const std::vector<std::string>& pids) { return Document("1.1", pids); }

std::string FinderOf(const std::string& pid) { return "finder-" + pid; }

std::string ListingPageWithOneLog(const std::string& pid) {
  return ListingPage(pid, {{.type = "Found It",
                            .date = "07/04/2009",
                            .finder = FinderOf(pid),
                            .text = "Disk found in good shape."}});
}

std::map<std::string, std::string> ListingPages(const std::vector<std::string>& pids) {
  std::map<std::string, std::string> pages;
  for (const std::string& pid : pids) pages[pid] = ListingPageWithOneLog(pid);
  return pages;
}

}  // namespace velmora::testing
