// The text of a new GPX file of benchmarks made from the agency's datasheets,
// in the shape of the old benchmark exports: GPX 1.1 with the cache extension
// 1/0/1 inside each waypoint's <extensions>, line ends CR LF.
//
// Each waypoint is written as a run over the file with the same datasheets
// leaves it: its log zone holds the logs the datasheet source writes, and
// its ratings carry the marks that run makes (recovery status, no logs).
#ifndef VELMORA_NEWFILE_NEW_GPX_H
#define VELMORA_NEWFILE_NEW_GPX_H

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings.h"
#include "datasheet/datasheet_facts.h"

namespace velmora {

inline constexpr std::string_view kCacheNamespace = "http://www.groundspeak.com/cache/1/0/1";

// One mark of a new file.
struct NewMark {
  std::string pid;
  Position position;
  double distance = 0;   // to the point of --near; 0 without it
  std::string waypoint;  // "  <wpt ...>" to "</wpt>"
};

// The waypoint of the datasheet `lines` of `pid`, whose facts (position
// included) are `facts`.
std::string NewWaypoint(std::string_view pid, const DatasheetFacts& facts,
                        std::span<const std::string> lines, const Settings& settings);

// The document's text up to its first waypoint: the XML declaration, the
// <gpx> start tag and the metadata with `title`, the time `made_at`
// ("2026-09-12T21:41:43Z") and the bounds of the marks.
std::string NewDocumentStart(std::string_view title, std::string_view made_at,
                             const std::vector<NewMark>& marks);

// What follows the last waypoint.
std::string_view NewDocumentEnd();

// The state's name for its two-letter code ("TX" gives "Texas"); the code
// itself when it is not one of the agency's.
std::string StateName(std::string_view code);

}  // namespace velmora

#endif
