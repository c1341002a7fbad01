#include "gpx/scan_cursor.h"

#include <algorithm>

namespace velmora {
namespace {

// 0-based offset just past the element that starts at `start`: past its
// "</wpt>", or past the start tag itself when that ends in "/>". npos when
// the element is not closed before the next waypoint or the end of the text.
std::size_t WaypointEnd(std::string_view text, std::size_t start) {
  const std::size_t tag_end = text.find('>', start);
  if (tag_end == std::string_view::npos) return tag_end;
  if (text[tag_end - 1] == '/') return tag_end + 1;
  const std::size_t close = text.find(kWaypointEnd, tag_end);
  if (close == std::string_view::npos) return close;
  if (WaypointStart(text, tag_end) < close) return std::string_view::npos;
  return close + kWaypointEnd.size();
}

}  // namespace

ResultPieces ScanCursor::Pieces(const RunState& state) const {
  return {std::string_view(state.DocumentText).substr(0, output_done),
          std::string_view(source).substr(source_done)};
}

ScanCursor StartOfScan(RunState& state, std::size_t position) {
  ScanCursor cursor;
  cursor.source = std::move(state.DocumentText);
  position = std::min(position, cursor.source.size());
  state.DocumentText.clear();
  // Room for the document and half as much again for the logs it gains, so
  // that the output rarely moves to a larger buffer (for a moment both would
  // be alive, next to the source).
  state.DocumentText.reserve(cursor.source.size() + cursor.source.size() / 2);
  state.DocumentText.append(std::string_view(cursor.source).substr(0, position));
  cursor.source_done = position;
  cursor.output_done = position;
  return cursor;
}

void KeepWaypoint(RunState& state, ScanCursor& cursor) {
  if (!cursor.in_waypoint) return;
  cursor.in_waypoint = false;
  cursor.output_done = state.DocumentText.size();
  cursor.source_done = cursor.waypoint_end;
}

void EndOfScan(RunState& state, ScanCursor& cursor) {
  if (cursor.ended) return;
  cursor.ended = true;
  const std::size_t rest = cursor.in_waypoint ? cursor.waypoint_end : cursor.source_done;
  state.DocumentText.append(std::string_view(cursor.source).substr(rest));
  cursor.in_waypoint = false;
  // The pieces still give the completed benchmarks only: the output's first
  // output_done bytes and the source from source_done are unchanged.
}

WaypointWalk TakeNextWaypoint(RunState& state, ScanCursor& cursor) {
  const std::string_view source = cursor.source;
  const std::size_t start = WaypointStart(source, cursor.source_done);
  if (start == std::string_view::npos) return WaypointWalk::kNoneLeft;
  const std::size_t end = WaypointEnd(source, start);
  state.DocumentText.append(source.substr(cursor.source_done, start - cursor.source_done));
  cursor.output_done = state.DocumentText.size();
  cursor.source_done = start;
  if (end == std::string_view::npos) return WaypointWalk::kUnclosed;
  state.DocumentText.append(source.substr(start, end - start));
  cursor.waypoint_end = end;
  cursor.in_waypoint = true;
  return WaypointWalk::kTaken;
}

void RestoreWaypoint(RunState& state, const ScanCursor& cursor) {
  state.DocumentText.resize(cursor.output_done);
  state.DocumentText.append(std::string_view(cursor.source)
                                .substr(cursor.source_done,
                                        cursor.waypoint_end - cursor.source_done));
}

}  // namespace velmora
