#include "gpx/benchmark_search.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace velmora {

namespace {
constexpr std::string_view kDescriptionEnd = "</groundspeak:long_description>";
const std::string kAsteriskRun(70, '*');
}  // namespace

Pos InStrBefore(Pos start, std::string_view text, std::string_view what, Pos limit) {
  if (limit < 2) return 0;
  // A match at 1-based position p < limit ends at most at p + size - 1.
  const Pos reach = limit - 2 + static_cast<Pos>(what.size());
  const auto length = static_cast<std::size_t>(std::min<Pos>(reach, static_cast<Pos>(text.size())));
  return InStr(start, text.substr(0, length), what);
}

Pos DescriptionRangeEnd(std::string_view text, Pos name_end) {
  const Pos end = InStr(name_end, text, kDescriptionEnd);
  // An earlier run of asterisks ends the range; only one before the
  // description's end matters.
  const Pos asterisks = InStrBefore(name_end, text, kAsteriskRun, end);
  return asterisks > 0 ? asterisks : end;
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
  const LogZoneTag tag = FindLogZoneTag(text, static_cast<std::size_t>(std::max<Pos>(from, 1) - 1));
  if (tag.at == std::string_view::npos) return LogZoneSearch::kNoStart;
  const Pos start = static_cast<Pos>(tag.at) + 1;
  const auto tag_length = static_cast<Pos>(tag.length);
  zone.empty_element = tag.empty;
  if (tag.empty) {
    // The element gives way to a whole zone: both tags and the block.
    zone.cut = start - 1;
    zone.end = start + tag_length;
    return LogZoneSearch::kFound;
  }
  const Pos end = ElementEnd(text, start, kLogZoneStart, kLogZoneEnd);
  if (end == 0) return LogZoneSearch::kNoEnd;
  // The character after the tag is kept only when it is white space (the
  // line break's CR): in a one-line zone it is the end tag's "<", and where
  // old logs follow the tag directly it is their first "<".
  const char next = text[static_cast<std::size_t>(start - 1 + tag_length)];
  const bool keep_next = IsBlank(next);
  zone.cut = keep_next ? start + tag_length : start + tag_length - 1;
  zone.end = end;
  return LogZoneSearch::kFound;
}

namespace {

constexpr std::string_view kListingNameStart = "<groundspeak:name>";
constexpr std::string_view kListingNameEnd = "</groundspeak:name>";

}  // namespace

ListingName AppendListingName(RunState& state) {
  std::string& text = state.ScanText;
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
  const std::string& text = state.ScanText;
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
  state.BenchmarkEnd = DescriptionRangeEnd(text, state.NameEndPos);
  if (state.BenchmarkEnd < 1) Show(run, "Error --- End of Benchmark = 0");
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

// What the waypoint at ScanText's end is; for a benchmark, its PID,
// name and ranges are taken. The text ends at the waypoint's "</wpt>", so no
// search here reaches past it.
WaypointKind TakeWaypoint(Run& run, ScanCursor& cursor) {
  RunState& state = run.state;
  const std::string& text = state.ScanText;
  const auto waypoint = static_cast<Pos>(cursor.output_done + 1);
  if (FindLogZoneTag(text, cursor.output_done).at == std::string_view::npos) {
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
  const std::string pid(LeadingPid(std::string_view(text).substr(
      static_cast<std::size_t>(name_start + 5), static_cast<std::size_t>(length))));
  if (pid.empty()) return WaypointKind::kPassedOver;  // no benchmark: silently
  state.NameEndPos = name_end;
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
