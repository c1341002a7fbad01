// The one test builder: GPX documents of benchmark waypoints and listing
// pages with log rows (or none), with CR LF line ends like the exported files
// and the website. tests/cli and tests/e2e use it; the other levels still build their own.
#ifndef VELMORA_TESTS_SUPPORT_BUILDERS_H
#define VELMORA_TESTS_SUPPORT_BUILDERS_H

#include <string>
#include <vector>

namespace velmora::testing {

struct WaypointFields {
  std::string name;          // the <name> text
  std::string listing_name;  // empty: no <groundspeak:name> (a faulty listing)
  bool log_zone = true;      // false: no <groundspeak:logs> at all
  std::string description = "HISTORY - 1934 MONUMENTED";
};

std::string Waypoint(const WaypointFields& fields);

// A GPX 1.1 document (with the version marker) around the waypoints.
std::string Gpx11(const std::vector<std::string>& waypoints);

// The same document as GPX 1.0 (scanned like GPX 1.1).
std::string Gpx10(const std::vector<std::string>& waypoints);

struct LogRowSpec {
  std::string type;
  std::string date;  // as the website writes it, month first
  std::string finder;
  std::string text;
};

// A listing page whose log table holds the rows; no rows: a page without logs.
// `head` goes into the page's <head> as it is (a <meta charset> ...). The
// rows' bytes are copied as they are: the page is in whatever character set
// they are written in.
std::string ListingPage(const std::string& pid, const std::vector<LogRowSpec>& rows,
                        const std::string& head = "");

}  // namespace velmora::testing

#endif
