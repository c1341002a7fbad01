// The search for the next benchmark (FindNextBenchmark): the listing name,
// the log zone and the bounded searches it uses.
#ifndef VELMORA_GPX_FIND_NEXT_BENCHMARK_H
#define VELMORA_GPX_FIND_NEXT_BENCHMARK_H

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "core/run.h"
#include "core/run_state.h"
#include "core/text.h"

namespace velmora {

// Position of the first `what` in `text` that starts at or after `start` and
// before `limit`; 0 when there is none (always 0 when limit < 2). The match
// itself may run past `limit`.
Pos InStrBefore(Pos start, std::string_view text, std::string_view what, Pos limit);

// Position of the closing tag of the element whose opening tag stands at
// `open_pos`: the first `close_tag` after the opening tag. 0 when there is
// none, or when another `open_tag` comes first (an element left unclosed in
// front of the next one of its kind).
Pos ElementEnd(std::string_view text, Pos open_pos, std::string_view open_tag,
               std::string_view close_tag);

inline constexpr std::string_view kLogZoneStart = "<groundspeak:logs>";
inline constexpr std::string_view kLogZoneEnd = "</groundspeak:logs>";

struct LogZone {
  Pos cut = 0;  // count of characters kept in front of the block
  Pos end = 0;  // position of the zone's "</groundspeak:logs>"
};

enum class LogZoneSearch { kFound, kNoStart, kNoEnd };

// Finds the first log zone at or after `from`. The cut keeps the start tag
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

// The text of one scan, walked once from front to back. The loaded document
// moves into `source`; state.DocumentText holds the output made so far, then
// the waypoint in hand (from its "<wpt" to its "</wpt>"), so that every
// search for the waypoint's elements ends at the waypoint's own end. At every
// moment the first `output_done` bytes of DocumentText followed by `source`
// from `source_done` on are the document with the completed benchmarks: the
// result file's text, in two pieces.
struct ScanCursor {
  std::string source;           // the loaded document, never edited
  std::size_t source_done = 0;  // start of the part of `source` not yet final
  std::size_t output_done = 0;  // count of DocumentText bytes that are final
  std::size_t waypoint_end = 0; // end (in `source`) of the waypoint in hand
  bool in_waypoint = false;     // DocumentText ends with the waypoint in hand
  bool ended = false;           // DocumentText is whole again (EndOfScan)
  LogZone log_zone;             // the current waypoint's log zone

  // The result file's text: the final output, then the rest of the source.
  std::array<std::string_view, 2> ResultPieces(const RunState& state) const;
};

// Moves state.DocumentText into a new cursor; DocumentText starts as its
// first `position` bytes, final output (a resumed run's completed part).
// Only the text of "<wpt" elements is searched: the file's own name, routes
// and tracks are never taken for benchmarks.
ScanCursor StartOfScan(RunState& state, std::size_t position = 0);

// The waypoint in hand, with its edits, becomes final output.
void KeepWaypoint(RunState& state, ScanCursor& cursor);

// Ends the walk: DocumentText becomes the whole document, the waypoint in
// hand with its edits (made in memory only when it was not kept) included.
// Once only; a second call does nothing.
void EndOfScan(RunState& state, ScanCursor& cursor);

enum class FindOutcome {
  kReady,           // CurrentPID, NameEndPos, BenchmarkEnd and the cursor are set
  kNoWaypointLeft,  // MoreBenchmarks is now false
  kMalformed,       // the document is damaged here; a message was shown
};

// Keeps the waypoint in hand, then walks to the next "<wpt" element that is a
// benchmark. A waypoint without a log zone is passed over first (the progress
// edge hears of it), one without a usable name silently, a 6-character name
// is lengthened by its listing name (a waypoint without one is skipped with a
// message), and the log zone and the description range are taken. Every
// waypoint passed over stays byte for byte. At kNoWaypointLeft and
// kMalformed DocumentText holds the whole document again.
FindOutcome FindNextBenchmark(Run& run, ScanCursor& cursor);

// The message about a 6-character name without a listing name.
std::string FaultyListingMessage(const std::string& name_text);

}  // namespace velmora

#endif
