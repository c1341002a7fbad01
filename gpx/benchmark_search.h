// The search for the next benchmark (FindNextBenchmark) along the scan
// cursor: the listing name, the log zone and the bounded searches it uses.
#ifndef VELMORA_GPX_BENCHMARK_SEARCH_H
#define VELMORA_GPX_BENCHMARK_SEARCH_H

#include <string>
#include <string_view>

#include "core/run.h"
#include "core/run_state.h"
#include "core/text.h"
#include "gpx/scan_cursor.h"
#include "gpx/waypoints.h"

namespace velmora {

// Position of the first `what` in `text` that starts at or after `start` and
// before `limit`; 0 when there is none (always 0 when limit < 2). The match
// itself may run past `limit`.
Pos InStrBefore(Pos start, std::string_view text, std::string_view what, Pos limit);

// Where the description range of the benchmark whose name ends at `name_end`
// ends: at the first "</groundspeak:long_description>" after it, or at an
// earlier run of 70 asterisks before that; 0 when there is no end tag.
Pos DescriptionRangeEnd(std::string_view text, Pos name_end);

// Position of the closing tag of the element whose opening tag stands at
// `open_pos`: the first `close_tag` after the opening tag. 0 when there is
// none, or when another `open_tag` comes first (an element left unclosed in
// front of the next one of its kind).
Pos ElementEnd(std::string_view text, Pos open_pos, std::string_view open_tag,
               std::string_view close_tag);


enum class LogZoneSearch { kFound, kNoStart, kNoEnd };

// Finds the first log zone at or after `from`. An empty element
// ("<groundspeak:logs/>") is a zone of its own: the cut keeps what stands in
// front of it and its end is right after it. Otherwise the cut keeps the start tag
// and the one character after it (the CR of the line break that normally
// follows), except when that character is not white space (a zone written
// on one line, or old logs right after the tag): there the cut keeps the
// start tag only. kNoEnd: the
// start tag has no end tag after it, or another start tag comes first.
LogZoneSearch FindLogZone(std::string_view text, Pos from, LogZone& zone);

enum class ListingName {
  kAppended,  // the name now reads PID, a space and the listing name
  kMissing,   // no "<groundspeak:name>" after the name: a faulty listing
  kUnclosed,  // a "<groundspeak:name>" without its end tag: left untouched
};

// For the waypoint whose "</name>" stands at NameEndPos (the scan calls it
// for a name text of exactly 6 characters). The listing name is the first
// "<groundspeak:name>" element after NameEndPos, taken as it is (it is already in XML form).
// NameEndPos is not moved: it then points into the lengthened name text, in
// front of everything that is searched from it.
ListingName AppendListingName(RunState& state);

enum class FindOutcome {
  kReady,           // CurrentPID, NameEndPos, BenchmarkEnd and the cursor are set
  kNoWaypointLeft,  // MoreBenchmarks is now false
  kMalformed,       // the document is damaged here; a message was shown
};

// Keeps the waypoint in hand, then walks to the next "<wpt" element that is a
// benchmark. A waypoint without a log zone is passed over first (the progress
// edge hears of it), one whose name does not begin with a PID (LeadingPid)
// silently, a 6-character name
// is lengthened by its listing name (a waypoint without one is skipped with a
// message), and the log zone and the description range are taken. Every
// waypoint passed over stays byte for byte. At kNoWaypointLeft and
// kMalformed DocumentText holds the whole document again.
FindOutcome FindNextBenchmark(Run& run, ScanCursor& cursor);

// The message about a 6-character name without a listing name.
std::string FaultyListingMessage(const std::string& name_text);

}  // namespace velmora

#endif
