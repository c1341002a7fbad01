// The scan cursor: the text of one scan, walked once from front to back, one
// waypoint at a time.
#ifndef VELMORA_GPX_SCAN_CURSOR_H
#define VELMORA_GPX_SCAN_CURSOR_H

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "core/run_state.h"
#include "gpx/waypoints.h"

namespace velmora {

// The result file's text in pieces: the output already made, then the rest
// of the loaded document.
using ResultPieces = std::array<std::string_view, 2>;

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
  ResultPieces Pieces(const RunState& state) const;
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

enum class WaypointWalk { kTaken, kNoneLeft, kUnclosed };

// Moves the text in front of the next waypoint to the output and puts the
// waypoint behind it, at DocumentText's end. kUnclosed: the waypoint has no
// "</wpt>" before the next waypoint or the end of the text.
WaypointWalk TakeNextWaypoint(RunState& state, ScanCursor& cursor);

// Drops the edits made to the waypoint in hand: it stands as loaded.
void RestoreWaypoint(RunState& state, const ScanCursor& cursor);

}  // namespace velmora

#endif
