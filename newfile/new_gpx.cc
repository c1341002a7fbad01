#include "newfile/new_gpx.h"

#include <algorithm>
#include <charconv>

#include "core/run_state.h"
#include "core/text.h"
#include "datasheet/datasheet_reader.h"
#include "datasheet/datasheet_text.h"
#include "gpx/document_edits.h"
#include "gpx/benchmark_search.h"
#include "gpx/waypoints.h"
#include "gpx/mark_recovery_status.h"
#include "sources/datasheet_web_source.h"
#include "logs/log_writer.h"
#include "velmora/version.h"

namespace velmora {
namespace {

constexpr std::string_view kEol = "\r\n";
constexpr std::string_view kNameEnd = "</name>";
constexpr std::string_view kDescriptionEnd = "</groundspeak:long_description>";

struct StateCode {
  std::string_view code;
  std::string_view name;
};

constexpr StateCode kStates[] = {
    {"AL", "Alabama"}, {"AK", "Alaska"}, {"AZ", "Arizona"}, {"AR", "Arkansas"},
    {"CA", "California"}, {"CO", "Colorado"}, {"CT", "Connecticut"}, {"DE", "Delaware"},
    {"DC", "District of Columbia"}, {"FL", "Florida"}, {"GA", "Georgia"}, {"HI", "Hawaii"},
    {"ID", "Idaho"}, {"IL", "Illinois"}, {"IN", "Indiana"}, {"IA", "Iowa"}, {"KS", "Kansas"},
    {"KY", "Kentucky"}, {"LA", "Louisiana"}, {"ME", "Maine"}, {"MD", "Maryland"},
    {"MA", "Massachusetts"}, {"MI", "Michigan"}, {"MN", "Minnesota"}, {"MS", "Mississippi"},
    {"MO", "Missouri"}, {"MT", "Montana"}, {"NE", "Nebraska"}, {"NV", "Nevada"},
    {"NH", "New Hampshire"}, {"NJ", "New Jersey"}, {"NM", "New Mexico"}, {"NY", "New York"},
    {"NC", "North Carolina"}, {"ND", "North Dakota"}, {"OH", "Ohio"}, {"OK", "Oklahoma"},
    {"OR", "Oregon"}, {"PA", "Pennsylvania"}, {"RI", "Rhode Island"}, {"SC", "South Carolina"},
    {"SD", "South Dakota"}, {"TN", "Tennessee"}, {"TX", "Texas"}, {"UT", "Utah"},
    {"VT", "Vermont"}, {"VA", "Virginia"}, {"WA", "Washington"}, {"WV", "West Virginia"},
    {"WI", "Wisconsin"}, {"WY", "Wyoming"}, {"AS", "American Samoa"}, {"GU", "Guam"},
    {"MP", "Northern Mariana Islands"}, {"PR", "Puerto Rico"}, {"VI", "Virgin Islands"},
};

// Text for an element or an attribute value: markup characters escaped, the
// control bytes XML forbids dropped, the two non-characters XML forbids
// (U+FFFE, U+FFFF) replaced.
std::string Xml(std::string_view text) {
  std::string out = ReplaceAll(DropForbiddenControls(text), "&", "&amp;");
  out = ReplaceAll(ReplaceAll(out, "<", "&lt;"), ">", "&gt;");
  out = ReplaceAll(out, "\"", "&quot;");
  return ReplaceAll(ReplaceAll(out, "\xEF\xBF\xBE", "\xEF\xBF\xBD"), "\xEF\xBF\xBF",
                    "\xEF\xBF\xBD");
}

// Seven decimals, with a point whatever the user's locale.
std::string Degrees(double value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 7);
  return std::string(text, result.ptr);
}

void Line(std::string& out, std::string_view indent, std::string_view text) {
  out.append(indent).append(text).append(kEol);
}

void Element(std::string& out, std::string_view indent, std::string_view name,
             std::string_view value, std::string_view attributes = "") {
  out.append(indent).append("<").append(name).append(attributes).append(">");
  out.append(Xml(value)).append("</").append(name).append(">").append(kEol);
}

std::string CountryName(std::string_view code) {
  return code == "US" ? "United States" : std::string(code);
}

// "BENCH MARK DISK SET IN TOP OF CONCRETE MONUMENT".
std::string MonumentText(const DatasheetFacts& facts) {
  if (facts.marker.empty() || facts.setting.empty()) return facts.marker + facts.setting;
  return facts.marker + " " + facts.setting;
}

// The datasheet's lines from its DESIGNATION line to its last line that is
// not empty (the end of the last recovery block), one per line.
std::string LongDescription(std::span<const std::string> lines) {
  std::size_t first = 0;
  while (first < lines.size() && DatasheetField(lines.subspan(first, 1), "DESIGNATION").empty()) {
    ++first;
  }
  if (first == lines.size()) first = 0;
  std::size_t last = lines.size();
  while (last > first && lines[last - 1].find_first_not_of(' ', 7) == std::string::npos) --last;
  std::string text;
  for (std::size_t i = first; i < last; ++i) {
    if (i > first) text.append(kEol);
    text.append(Xml(lines[i]));
  }
  return text;
}

void AppendCache(std::string& out, std::string_view pid, const DatasheetFacts& facts,
                 std::span<const std::string> lines) {
  const std::string cache = "      <groundspeak:cache id=\"" + Xml(pid) +
                            "\" available=\"True\" archived=\"" +
                            (facts.destroyed ? "True" : "False") + "\" xmlns:groundspeak=\"" +
                            std::string(kCacheNamespace) + "\">";
  Line(out, "", cache);
  const std::string_view in = "        ";
  Element(out, in, "groundspeak:name", facts.designation);
  Element(out, in, "groundspeak:placed_by", facts.placed_by);
  Element(out, in, "groundspeak:owner", facts.agency, " id=\"0\"");
  Element(out, in, "groundspeak:type", "Benchmark");
  Element(out, in, "groundspeak:container", facts.marker);
  Element(out, in, "groundspeak:difficulty", "1");
  Element(out, in, "groundspeak:terrain", "1");
  Element(out, in, "groundspeak:country", CountryName(facts.country));
  Element(out, in, "groundspeak:state",
          StateName(facts.state_county.substr(0, facts.state_county.find('/'))));
  Element(out, in, "groundspeak:short_description", MonumentText(facts), " html=\"False\"");
  out.append(in).append("<groundspeak:long_description html=\"False\">");
  out.append(LongDescription(lines)).append(kDescriptionEnd).append(kEol);
  Element(out, in, "groundspeak:encoded_hints", "");
  // One blank in the zone: the character the log block is put behind, kept
  // by every later run, so that its block lands where this one's does.
  Line(out, in, std::string(kLogZoneStart) + " " + std::string(kLogZoneEnd));
  Line(out, "      ", "</groundspeak:cache>");
}

// The edits a run with the datasheet source makes to the benchmark: the
// recovery-status marking, then the logs or the no-logs terrain mark.
std::string AsARunLeavesIt(std::string waypoint, std::string_view pid,
                           std::span<const std::string> lines) {
  RunState state;
  state.ScanText = std::move(waypoint);
  state.NameEndPos = InStr(1, state.ScanText, kNameEnd);
  state.BenchmarkEnd = DescriptionRangeEnd(state.ScanText, state.NameEndPos);
  LogZone zone;
  FindLogZone(state.ScanText, state.NameEndPos, zone);
  MarkRecoveryStatus(state);
  const std::vector<std::string> sheet(lines.begin(), lines.end());
  switch (HarvestDatasheetLines(sheet, pid, state.LogBlock)) {
    case DatasheetOutcome::kLogs:
      InsertLogBlock(state, zone);
      break;
    case DatasheetOutcome::kNoLogs:
      SetTerrain(state, '3');
      break;
    case DatasheetOutcome::kNoDatasheet:
    case DatasheetOutcome::kDamaged:
      break;
  }
  return std::move(state.ScanText);
}

}  // namespace

std::string StateName(std::string_view code) {
  for (const StateCode& state : kStates) {
    if (state.code == code) return std::string(state.name);
  }
  return std::string(code);
}

std::string NewWaypoint(std::string_view pid, const DatasheetFacts& facts,
                        std::span<const std::string> lines, const Settings& settings) {
  const Position at = facts.position.value_or(Position{});
  std::string out;
  Line(out, "  ", "<wpt lat=\"" + Degrees(at.lat) + "\" lon=\"" + Degrees(at.lon) + "\">");
  const std::string_view in = "    ";
  Element(out, in, "name", pid);
  Element(out, in, "cmt", facts.designation);
  Element(out, in, "desc", facts.designation + " by " + facts.agency + ", Benchmark");
  Line(out, in, "<link href=\"" + Xml(DatasheetUrl(settings, std::string(pid))) + "\">");
  Element(out, "      ", "text", facts.designation + " datasheet");
  Line(out, in, "</link>");
  Element(out, in, "sym", "Benchmark");
  Element(out, in, "type", "Benchmark|" + facts.marker);
  Line(out, in, "<extensions>");
  AppendCache(out, pid, facts, lines);
  Line(out, in, "</extensions>");
  out.append("  </wpt>");
  return AsARunLeavesIt(std::move(out), pid, lines);
}

std::string NewDocumentStart(std::string_view title, std::string_view made_at,
                             const std::vector<NewMark>& marks) {
  std::string out;
  Line(out, "", "<?xml version=\"1.0\" encoding=\"utf-8\"?>");
  Line(out, "",
       "<gpx xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" version=\"1.1\" "
       "creator=\"Velmora " + Xml(kVersionText) + "\" xsi:schemaLocation=\"" +
           "http://www.topografix.com/GPX/1/1 http://www.topografix.com/GPX/1/1/gpx.xsd " +
           std::string(kCacheNamespace) + " " + std::string(kCacheNamespace) +
           "/cache.xsd\" xmlns=\"http://www.topografix.com/GPX/1/1\">");
  Line(out, "  ", "<metadata>");
  Element(out, "    ", "name", title);
  Element(out, "    ", "desc", "Survey benchmarks from the agency's datasheets");
  Element(out, "    ", "time", made_at);
  if (!marks.empty()) {
    const auto [south, north] = std::minmax_element(
        marks.begin(), marks.end(), [](auto& a, auto& b) { return a.position.lat < b.position.lat; });
    const auto [west, east] = std::minmax_element(
        marks.begin(), marks.end(), [](auto& a, auto& b) { return a.position.lon < b.position.lon; });
    Line(out, "    ", "<bounds minlat=\"" + Degrees(south->position.lat) + "\" minlon=\"" +
                          Degrees(west->position.lon) + "\" maxlat=\"" +
                          Degrees(north->position.lat) + "\" maxlon=\"" +
                          Degrees(east->position.lon) + "\"/>");
  }
  Line(out, "  ", "</metadata>");
  return out;
}

std::string_view NewDocumentEnd() { return "</gpx>\r\n"; }

}  // namespace velmora
