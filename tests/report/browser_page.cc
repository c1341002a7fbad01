// Writes the GPX file that the browser test's report is made of: marks in
// one county, found long ago and lately, never found, last seen missing,
// with texts and links that try to run script in the page.
#include <fstream>
#include <iostream>

#include "tests/support/builders.h"

namespace velmora::testing {
namespace {

std::string Mark(const std::string& pid, const std::string& lat, const std::string& lon,
                 const std::vector<GpxLogFields>& logs, const std::string& name) {
  return Waypoint({.name = pid,
                   .listing_name = name,
                   .difficulty = pid == "KK1003" ? "" : "2",
                   .logs = GpxLogs(logs),
                   .lat = lat,
                   .lon = lon});
}

std::string Document() {
  const std::string hostile =
      "<script>window.pwned = 1</script><img src=x onerror=\"window.pwned = 2\"> &amp; more";
  std::string link = Mark("KK1001", "40.10", "-105.20", {{"2024-08-01", "Found it", hostile}},
                          "RESERVOIR <b>RM</b>");
  link.replace(link.find("<sym>"), 0, "<link href=\"javascript:window.pwned=3\"/>");
  return GpxDocument(
      {.title = "Boulder County <script>window.pwned = 4</script>"},
      {link, Mark("KK1002", "40.00", "-105.30", {{"2003-07-01", "Found it", "Old find"}}, "ALPHA"),
       Mark("KK1003", "40.05", "-105.00", {}, "BRAVO"),
       Mark("KK1004", "39.95", "-105.10",
            {{"2025-01-02", "Didn't find it", "Road widened"}, {"2016-03-04", "Found it", "ok"}},
            "CHARLIE"),
       Mark("KK1005", "40.20", "-105.25", {{"2012-02-29", "Found it", "Leap day"}}, "DELTA")});
}

}  // namespace
}  // namespace velmora::testing

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: report_browser_page FILE.gpx\n";
    return 2;
  }
  std::ofstream(argv[1], std::ios::binary) << velmora::testing::Document();
  return 0;
}
