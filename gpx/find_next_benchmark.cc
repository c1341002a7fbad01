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

// The log zone and the description range of the benchmark at NameEndPos.
FindOutcome TakeBenchmarkRange(Run& run, ScanCursor& cursor) {
  RunState& state = run.state;
  const std::string& text = state.DocumentText;
  switch (FindLogZone(text, state.NameEndPos, cursor.log_zone)) {
    case LogZoneSearch::kNoStart:
      Show(run, "Error --- Log zone start = 0");
      return FindOutcome::kNoLogZone;
    case LogZoneSearch::kNoEnd:
      Show(run, DamagedMessage("The log zone of benchmark '" + state.CurrentPID +
                               "' has no </groundspeak:logs>."));
      return FindOutcome::kMalformed;
    case LogZoneSearch::kFound:
      break;
  }
  state.BenchmarkEnd = InStr(state.NameEndPos, text, kDescriptionEnd);
  if (state.BenchmarkEnd < 1) Show(run, "Error --- End of Benchmark = 0");
  // An earlier run of asterisks ends the range; only one before the
  // description's end matters.
  const Pos asterisks = InStrBefore(state.NameEndPos, text, kAsteriskRun, state.BenchmarkEnd);
  if (asterisks > 0) state.BenchmarkEnd = asterisks;
  return FindOutcome::kReady;
}

}  // namespace

ScanCursor StartOfScan(const std::string& document) {
  ScanCursor cursor;
  const Pos first_waypoint = InStr(1, document, "<wpt");
  // Without a waypoint the first search starts past the end and finds nothing.
  cursor.name_end = first_waypoint == 0 ? static_cast<Pos>(document.size()) : first_waypoint - 1;
  return cursor;
}

std::string FaultyListingMessage(const std::string& name_text) {
  return "There's something wrong with the benchmark listing '" + name_text + "'." +
         " It should be removed from the GPX file and started again.";
}

FindOutcome FindNextBenchmark(Run& run, ScanCursor& cursor) {
  RunState& state = run.state;
  state.CurrentPID.clear();
  for (;;) {
    const std::string& text = state.DocumentText;
    const Pos name_start = InStr(cursor.name_end + 1, text, kNameStart);
    if (name_start == 0) {
      state.MoreBenchmarks = false;
      return FindOutcome::kNoWaypointLeft;
    }
    const Pos name_end = ElementEnd(text, name_start, kNameStart, kNameEnd);
    if (name_end == 0) {
      Show(run, DamagedMessage("The <name> at character " + std::to_string(name_start) +
                               " has no </name>."));
      return FindOutcome::kMalformed;
    }
    cursor.name_end = name_end;
    const Pos length = name_end - name_start - 6;
    if (length < 6) continue;  // no benchmark: passed over silently
    state.NameEndPos = name_end;
    const std::string pid = Mid(text, name_start + 6, 6);
    if (length == 6) {
      const std::size_t size_before = text.size();
      const ListingName listing = AppendListingName(state);
      // The benchmark's searches, and the next name search, start after the
      // listing name just appended, on the waypoint's "</name>": the listing
      // name may hold markup, even a "<name>", which taken for the next
      // waypoint would be lengthened again and again without end.
      cursor.name_end += static_cast<Pos>(text.size() - size_before);
      state.NameEndPos = cursor.name_end;
      if (listing == ListingName::kMissing) {
        Show(run, FaultyListingMessage(pid));
        continue;
      }
      if (listing == ListingName::kUnclosed) {
        Show(run, DamagedMessage("The listing name of benchmark '" + pid +
                                 "' has no </groundspeak:name>."));
        return FindOutcome::kMalformed;
      }
    }
    state.CurrentPID = pid;
    cursor.listing_url = ListingUrlPrefix(run.settings) + pid;
    return TakeBenchmarkRange(run, cursor);
  }
}

}  // namespace velmora

