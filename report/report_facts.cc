#include "report/report_facts.h"

#include <charconv>

#include "core/text.h"
#include "gpx/waypoints.h"
#include "logs/character_references.h"

namespace velmora {
namespace {

constexpr std::string_view kLogStart = "<groundspeak:log";
constexpr std::string_view kLogEnd = "</groundspeak:log>";

// 0-based offset of the first start tag `<tag` (followed by a blank, ">" or
// "/") at or after `from`; npos when none.
std::size_t TagStart(std::string_view text, std::string_view tag, std::size_t from = 0) {
  for (std::size_t at = text.find(tag, from); at != text.npos; at = text.find(tag, at + 1)) {
    const std::size_t next = at + tag.size();
    if (next < text.size() && (text[next] == '>' || text[next] == '/' || IsBlank(text[next]))) {
      return at;
    }
  }
  return text.npos;
}

// The start tag of the first `name` element (without "<" and ">"), and its content.
struct Element {
  std::string_view tag, content;
  bool found = false;
};

Element FirstElement(std::string_view text, std::string_view name) {
  const std::string open = "<" + std::string(name);
  const std::size_t at = TagStart(text, open);
  if (at == text.npos) return {};
  const std::size_t tag_end = text.find('>', at);
  if (tag_end == text.npos) return {};
  Element element{text.substr(at + 1, tag_end - at - 1), {}, true};
  if (text[tag_end - 1] == '/') return element;
  const std::size_t close = text.find("</" + std::string(name) + ">", tag_end);
  if (close != text.npos) element.content = text.substr(tag_end + 1, close - tag_end - 1);
  return element;
}

std::string Text(std::string_view text, std::string_view name) {
  return DecodeCharacterReferences(TrimMarkupBlanks(FirstElement(text, name).content));
}

// The value of the attribute `name` in a start tag, undecoded.
std::string_view Attribute(std::string_view tag, std::string_view name) {
  for (std::size_t at = tag.find(name); at != tag.npos; at = tag.find(name, at + 1)) {
    const std::size_t eq = at + name.size();
    if (at == 0 || !IsBlank(tag[at - 1]) || eq + 1 >= tag.size() || tag[eq] != '=') continue;
    const char quote = tag[eq + 1];
    const std::size_t end = tag.find(quote, eq + 2);
    if ((quote != '"' && quote != '\'') || end == tag.npos) return {};
    return tag.substr(eq + 2, end - eq - 2);
  }
  return {};
}

std::optional<double> Coordinate(std::string_view tag, std::string_view name) {
  const std::string_view text = TrimMarkupBlanks(Attribute(tag, name));
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return {};
  return value;
}

std::string Designation(std::string_view waypoint) {
  for (std::string_view name : {"groundspeak:name", "urlname", "desc"}) {
    std::string text = Text(waypoint, name);
    if (!text.empty()) return text;
  }
  return {};
}

std::string Link(std::string_view waypoint) {
  const Element link = FirstElement(waypoint, "link");
  if (link.found) return DecodeCharacterReferences(Attribute(link.tag, "href"));
  return Text(waypoint, "url");
}

}  // namespace

bool IsFoundIt(std::string_view type) {
  return LowerAscii(type) == "found it";
}

bool IsDidNotFind(std::string_view type) {
  return LowerAscii(type) == "didn't find it";
}

namespace {

// One log of the zone: newer than the newest so far (or the first) takes its place.
void TakeLog(std::string_view log, MarkFacts& mark) {
  ++mark.logs;
  std::string day = Left(TrimMarkupBlanks(FirstElement(log, "groundspeak:date").content), 10);
  if (!IsDayText(day)) day.clear();
  const std::string type = Text(log, "groundspeak:type");
  if (IsFoundIt(type) && day > mark.newest_find) mark.newest_find = day;
  if (mark.logs > 1 && day <= mark.newest_day) return;
  mark.newest_day = day;
  mark.newest_type = type;
  mark.newest_text = DecodeCharacterReferences(FirstElement(log, "groundspeak:text").content);
}

void TakeLogs(std::string_view zone, MarkFacts& mark) {
  for (std::size_t at = TagStart(zone, kLogStart); at != zone.npos;
       at = TagStart(zone, kLogStart, at + 1)) {
    const std::size_t end = zone.find(kLogEnd, at);
    TakeLog(zone.substr(at, end == zone.npos ? zone.npos : end - at), mark);
    if (end == zone.npos) break;
  }
}

// The facts of one waypoint; false when it is no benchmark.
bool ReadMark(std::string_view waypoint, MarkFacts& mark) {
  if (!IsBenchmark(waypoint)) return false;
  const LogZoneTag zone_tag = FindLogZoneTag(waypoint, 0);
  const std::size_t zone = zone_tag.at;
  mark.pid = std::string(WaypointPid(waypoint));
  mark.designation = Designation(waypoint);
  mark.link = Link(waypoint);
  mark.difficulty = Text(waypoint, "groundspeak:difficulty");
  mark.terrain = Text(waypoint, "groundspeak:terrain");
  const std::string_view tag = waypoint.substr(0, waypoint.find('>'));
  const std::optional<double> lat = Coordinate(tag, "lat"), lon = Coordinate(tag, "lon");
  if (lat && lon) mark.position = LatLon{*lat, *lon};
  if (zone_tag.empty) return true;  // "<groundspeak:logs/>": no logs
  const std::size_t zone_end = waypoint.find(kLogZoneEnd, zone);
  TakeLogs(waypoint.substr(zone, zone_end == waypoint.npos ? waypoint.npos : zone_end - zone),
           mark);
  return true;
}

std::string Title(std::string_view head) {
  const Element metadata = FirstElement(head, "metadata");
  return Text(metadata.found ? metadata.content : head, "name");
}

}  // namespace

ReportFacts ReadReportFacts(std::string_view document) {
  ReportFacts facts;
  facts.title = Title(document.substr(0, WaypointStart(document, 0)));
  ForEachWaypoint(document, [&facts](std::string_view waypoint) {
    MarkFacts mark;
    if (ReadMark(waypoint, mark)) facts.marks.push_back(std::move(mark));
  });
  return facts;
}

}  // namespace velmora
