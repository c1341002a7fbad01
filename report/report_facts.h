// What a report tells of a GPX file of benchmarks: its title and, for each
// benchmark in file order, where it is, what it is and what its logs say.
// Every text is decoded from the file's XML (character references turned
// into characters) and not yet escaped for any other use.
#ifndef VELMORA_REPORT_REPORT_FACTS_H
#define VELMORA_REPORT_REPORT_FACTS_H

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report/report_math.h"

namespace velmora {

struct MarkFacts {
  std::string pid;
  std::string designation;  // <groundspeak:name>, else <urlname>, else <desc>
  std::string link;         // <url> or <link href>, as written (decoded)
  std::string difficulty, terrain;
  std::optional<LatLon> position;  // none without both coordinates
  int logs = 0;
  std::string newest_find;  // the day of the newest "Found it" log; empty: never found
  // The newest log (the first in the file of those on its day); empty
  // texts when there is no log.
  std::string newest_type, newest_day, newest_text;
};

struct ReportFacts {
  std::string title;  // <metadata><name>, or a GPX 1.0 <name> under <gpx>
  std::vector<MarkFacts> marks;
};

// The benchmarks are the waypoints whose name begins with a PID and that
// have a log zone, as a run counts them (gpx/waypoints.h).
ReportFacts ReadReportFacts(std::string_view document);

// Log types, whatever their letter case.
bool IsFoundIt(std::string_view type);
bool IsDidNotFind(std::string_view type);

}  // namespace velmora

#endif
