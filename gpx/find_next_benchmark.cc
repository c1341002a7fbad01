#include "gpx/find_next_benchmark.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace velmora {

Pos InStrBefore(Pos start, std::string_view text, std::string_view what, Pos limit) {
  if (limit < 2) return 0;
  // A match at 1-based position p < limit ends at most at p + size - 1.
  const Pos reach = limit - 2 + static_cast<Pos>(what.size());
  const auto length = static_cast<std::size_t>(std::min<Pos>(reach, static_cast<Pos>(text.size())));
  return InStr(start, text.substr(0, length), what);
}

Pos ElementEnd(std::string_view text, Pos open_pos, std::string_view open_tag,
               std::string_view close_tag) {
  if (open_pos < 1) return 0;
  const Pos inside = open_pos + static_cast<Pos>(open_tag.size());
  const Pos close = InStr(inside, text, close_tag);
  if (close == 0) return 0;
  if (InStrBefore(inside, text, open_tag, close) != 0) return 0;
  return close;
}

LogZoneSearch FindLogZone(std::string_view text, Pos from, LogZone& zone) {
  const Pos start = InStr(from, text, kLogZoneStart);
  if (start == 0) return LogZoneSearch::kNoStart;
  const Pos end = ElementEnd(text, start, kLogZoneStart, kLogZoneEnd);
  if (end == 0) return LogZoneSearch::kNoEnd;
  const auto tag_length = static_cast<Pos>(kLogZoneStart.size());
  // The character after the tag is kept only when it is white space (the
  // line break's CR): in a one-line zone it is the end tag's "<", and where
  // old logs follow the tag directly it is their first "<".
  const char next = text[static_cast<std::size_t>(start - 1 + tag_length)];
  const bool keep_next = next == '\r' || next == '\n' || next == ' ' || next == '\t';
  zone.cut = keep_next ? start + tag_length : start + tag_length - 1;
  zone.end = end;
  return LogZoneSearch::kFound;
}

namespace {

constexpr std::string_view kListingNameStart = "<groundspeak:name>";
constexpr std::string_view kListingNameEnd = "</groundspeak:name>";

}  // namespace

ListingName AppendListingName(RunState& state) {
  std::string& text = state.DocumentText;
  const Pos tag = InStr(state.NameEndPos, text, kListingNameStart);
  if (tag == 0) return ListingName::kMissing;
  const Pos close = ElementEnd(text, tag, kListingNameStart, kListingNameEnd);
  if (close == 0) return ListingName::kUnclosed;
  const Pos value = tag + static_cast<Pos>(kListingNameStart.size());
  // The name text, a space, the listing name, then "</name>" and the rest.
  const std::string addition = " " + Mid(text, value, close - value);
  text.insert(static_cast<std::size_t>(state.NameEndPos - 1), addition);
  return ListingName::kAppended;
}

namespace {

constexpr std::string_view kNameStart = "<name>";
constexpr std::string_view kNameEnd = "</name>";
constexpr std::string_view kWaypointStart = "<wpt";
constexpr std::string_view kWaypointEnd = "</wpt>";
constexpr std::string_view kDescriptionEnd = "</groundspeak:long_description>";
const std::string kAsteriskRun(70, '*');

// A plain message: the application title, no icon.
void Show(Run& run, const std::string& text) {
  Message message;
  message.text = text;
  run.edges.messages.Show(message);
}

std::string DamagedMessage(const std::string& what) {
  return "Error --- " + what +
         " The GPX file is damaged there; the scan stops, and the result file keeps"
         " the benchmarks completed before it.";
}

// 0-based offset of the first "<wpt" start tag at or after `from` ("<wpt"
// followed by a blank or ">"); npos when there is none.
std::size_t WaypointStart(std::string_view text, std::size_t from) {
  for (std::size_t at = text.find(kWaypointStart, from); at != std::string_view::npos;
       at = text.find(kWaypointStart, at + 1)) {
    const std::size_t next = at + kWaypointStart.size();
    if (next >= text.size()) return std::string_view::npos;
    const char c = text[next];
    if (c == '>' || c == ' ' || c == '\t' || c == '\r' || c == '\n') return at;
  }
  return std::string_view::npos;
}

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

enum class WaypointWalk { kTaken, kNoneLeft, kUnclosed };

// Moves the text in front of the next waypoint to the output and puts the
// waypoint behind it, at DocumentText's end.
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

// Drops the edits made to the waypoint in hand: it stands as loaded.
void RestoreWaypoint(RunState& state, const ScanCursor& cursor) {
  state.DocumentText.resize(cursor.output_done);
  state.DocumentText.append(std::string_view(cursor.source)
                                .substr(cursor.source_done,
                                        cursor.waypoint_end - cursor.source_done));
}

// The text of the waypoint's first "<name>" element; empty when it has none.
std::string FirstNameText(const std::string& text, Pos waypoint) {
  const Pos start = InStr(waypoint, text, kNameStart);
  const Pos end = ElementEnd(text, start, kNameStart, kNameEnd);
  if (end == 0) return "";
  return Mid(text, start + 6, end - start - 6);
}

enum class WaypointKind { kBenchmark, kPassedOver, kMalformed };

// The log zone and the description range of the benchmark at NameEndPos.
WaypointKind TakeBenchmarkRange(Run& run, ScanCursor& cursor) {
  RunState& state = run.state;
  const std::string& text = state.DocumentText;
  switch (FindLogZone(text, state.NameEndPos, cursor.log_zone)) {
    case LogZoneSearch::kNoStart:  // a log zone only in front of the name
      run.edges.progress.PassedOver(FirstNameText(text, static_cast<Pos>(cursor.output_done + 1)));
      return WaypointKind::kPassedOver;
    case LogZoneSearch::kNoEnd:
      Show(run, DamagedMessage("The log zone of benchmark '" + state.CurrentPID +
                               "' has no </groundspeak:logs>."));
      return WaypointKind::kMalformed;
    case LogZoneSearch::kFound:
      break;
  }
  state.BenchmarkEnd = InStr(state.NameEndPos, text, kDescriptionEnd);
  if (state.BenchmarkEnd < 1) Show(run, "Error --- End of Benchmark = 0");
  // An earlier run of asterisks ends the range; only one before the
  // description's end matters.
  const Pos asterisks = InStrBefore(state.NameEndPos, text, kAsteriskRun, state.BenchmarkEnd);
  if (asterisks > 0) state.BenchmarkEnd = asterisks;
  return WaypointKind::kBenchmark;
}

// Lengthens a 6-character name by its listing name; kPassedOver for a
// faulty listing (after its message).
WaypointKind LengthenName(Run& run, const std::string& pid) {
  switch (AppendListingName(run.state)) {
    case ListingName::kAppended:
      return WaypointKind::kBenchmark;
    case ListingName::kMissing:
      Show(run, FaultyListingMessage(pid));
      return WaypointKind::kPassedOver;
    case ListingName::kUnclosed:
      Show(run, DamagedMessage("The listing name of benchmark '" + pid +
                               "' has no </groundspeak:name>."));
      break;
  }
  return WaypointKind::kMalformed;
}

// What the waypoint at DocumentText's end is; for a benchmark, its PID,
// name and ranges are taken. The text ends at the waypoint's "</wpt>", so no
// search here reaches past it.
WaypointKind TakeWaypoint(Run& run, ScanCursor& cursor) {
  RunState& state = run.state;
  const std::string& text = state.DocumentText;
  const auto waypoint = static_cast<Pos>(cursor.output_done + 1);
  if (InStr(waypoint, text, kLogZoneStart) == 0) {
    run.edges.progress.PassedOver(FirstNameText(text, waypoint));
    return WaypointKind::kPassedOver;
  }
  const Pos name_start = InStr(waypoint, text, kNameStart);
  if (name_start == 0) return WaypointKind::kPassedOver;
  const Pos name_end = ElementEnd(text, name_start, kNameStart, kNameEnd);
  if (name_end == 0) {
    // The waypoint in hand stands in DocumentText as it stands in the source.
    const std::size_t in_source =
        cursor.source_done + static_cast<std::size_t>(name_start - 1) - cursor.output_done;
    Show(run, DamagedMessage("The <name> at " + LineAndColumn(cursor.source, in_source) +
                             " has no </name>."));
    return WaypointKind::kMalformed;
  }
  const Pos length = name_end - name_start - 6;
  if (length < 6) return WaypointKind::kPassedOver;  // no benchmark: silently
  state.NameEndPos = name_end;
  const std::string pid = Mid(text, name_start + 6, 6);
  if (length == 6) {
    const std::size_t size_before = text.size();
    const WaypointKind lengthened = LengthenName(run, pid);
    if (lengthened != WaypointKind::kBenchmark) return lengthened;
    // The benchmark's searches start on the waypoint's "</name>", after the
    // listing name just appended: it may hold markup, even a "<name>".
    state.NameEndPos += static_cast<Pos>(text.size() - size_before);
  }
  state.CurrentPID = pid;
  return TakeBenchmarkRange(run, cursor);
}

}  // namespace

std::array<std::string_view, 2> ScanCursor::ResultPieces(const RunState& state) const {
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

std::string FaultyListingMessage(const std::string& name_text) {
  return "There's something wrong with the benchmark listing '" + name_text + "'." +
         " It should be removed from the GPX file and started again.";
}

FindOutcome FindNextBenchmark(Run& run, ScanCursor& cursor) {
  RunState& state = run.state;
  state.CurrentPID.clear();
  KeepWaypoint(state, cursor);
  for (;;) {
    const WaypointWalk walk = TakeNextWaypoint(state, cursor);
    if (walk == WaypointWalk::kNoneLeft) {
      state.MoreBenchmarks = false;
      EndOfScan(state, cursor);
      return FindOutcome::kNoWaypointLeft;
    }
    if (walk == WaypointWalk::kUnclosed) {
      Show(run, DamagedMessage("The <wpt> at " + LineAndColumn(cursor.source, cursor.source_done) +
                               " has no </wpt>."));
      EndOfScan(state, cursor);
      return FindOutcome::kMalformed;
    }
    const WaypointKind kind = TakeWaypoint(run, cursor);
    if (kind == WaypointKind::kBenchmark) return FindOutcome::kReady;
    state.CurrentPID.clear();
    RestoreWaypoint(state, cursor);  // passed over or damaged: byte for byte
    if (kind == WaypointKind::kMalformed) {
      EndOfScan(state, cursor);
      return FindOutcome::kMalformed;
    }
    KeepWaypoint(state, cursor);
  }
}

}  // namespace velmora
