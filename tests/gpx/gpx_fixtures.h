// The GPX processing tests' waypoint (KK1234 CAMP HILL in an export's full
// shape) and document, made by the test builder, and an xmllint check.
#ifndef VELMORA_TESTS_GPX_GPX_FIXTURES_H
#define VELMORA_TESTS_GPX_GPX_FIXTURES_H

#include <optional>
#include <string>
#include <vector>

#include "tests/support/builders.h"

namespace velmora::testing {

// A waypoint as the tests of the GPX processing write it: an export's
// waypoint of KK1234 CAMP HILL, the cache outside <extensions>.
struct WaypointFixture {
  std::string name = "KK1234";           // text of <name>
  std::string listing_name = "CAMP HILL";  // text of <groundspeak:name>
  bool has_listing_name = true;
  std::string difficulty = "1.5";
  bool has_difficulty = true;
  std::string terrain = "1";
  bool has_terrain = true;
  // The datasheet text; every "\n" becomes CR LF.
  std::string description = "KK1234 DESIGNATION - CAMP HILL\nKK1234 STAMPING: CAMP HILL 1934";
  bool has_description_end = true;
  // What stands between the log zone's tags; none: the usual empty zone.
  std::optional<std::string> logs;
  bool has_logs = true;
  bool logs_closed = true;
};

// One <wpt> element of the builder's export shape, CR LF ended.
std::string Waypoint(const WaypointFixture& fixture);

// A GPX 1.1 document: header (with the file's own name and an author name in
// its metadata), the waypoints, and the closing tag.
std::string GpxDocument(const std::vector<std::string>& waypoints);

// The root element's opening tag used by GpxDocument.
std::string GpxRootTag();

// A datasheet description with a run of 70 asterisks after `before` and
// `after` behind it, as datasheets separate their sections.
std::string WithAsteriskRun(const std::string& before, const std::string& after);

using PageLog = LogRowFields;

// True when xmllint finds `document` well-formed. `why` receives its report.
bool WellFormedXml(const std::string& document, std::string* why = nullptr);

}  // namespace velmora::testing

#endif
