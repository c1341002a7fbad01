#include "tests/gpx/gpx_fixtures.h"

#include <cstdlib>
#include <filesystem>

#include "core/text.h"
#include "tests/support/temp_dir.h"

namespace velmora::testing {
namespace {

std::string CrLf(const std::string& text) { return ReplaceAll(text, "\n", kCrLf); }

std::string Line(int indent, const std::string& text) {
  return std::string(static_cast<std::size_t>(indent), ' ') + text + kCrLf;
}

std::string CacheElements(const WaypointFixture& f) {
  std::string out;
  if (f.has_listing_name) out += Line(6, "<groundspeak:name>" + f.listing_name + "</groundspeak:name>");
  out += Line(6, "<groundspeak:placed_by>NGS</groundspeak:placed_by>");
  out += Line(6, "<groundspeak:owner id=\"0\">NGS</groundspeak:owner>");
  out += Line(6, "<groundspeak:type>Benchmark</groundspeak:type>");
  out += Line(6, "<groundspeak:container>Not chosen</groundspeak:container>");
  if (f.has_difficulty) out += Line(6, "<groundspeak:difficulty>" + f.difficulty + "</groundspeak:difficulty>");
  if (f.has_terrain) out += Line(6, "<groundspeak:terrain>" + f.terrain + "</groundspeak:terrain>");
  out += Line(6, "<groundspeak:country>United States</groundspeak:country>");
  out += Line(6, "<groundspeak:state>Colorado</groundspeak:state>");
  out += Line(6, "<groundspeak:short_description html=\"False\">Vertical control, 1st order</groundspeak:short_description>");
  out += "      <groundspeak:long_description html=\"False\">" + CrLf(f.description);
  out += f.has_description_end ? "</groundspeak:long_description>\r\n" : "\r\n";
  out += Line(6, "<groundspeak:encoded_hints>Rubbing needed</groundspeak:encoded_hints>");
  if (f.has_logs) {
    out += "      <groundspeak:logs>" + f.logs + (f.logs_closed ? "</groundspeak:logs>" : "") + kCrLf;
  }
  out += Line(6, "<groundspeak:travelbugs />");
  return out;
}

// The waypoint whose name starts with `name`: from its <name> to its </wpt>.
std::string WaypointText(const std::string& document, const std::string& name) {
  const Pos start = InStr(1, document, "<name>" + name);
  if (start == 0) return {};
  const Pos end = InStr(start, document, "</wpt>");
  return Mid(document, start, end == 0 ? -1 : end - start);
}

std::string Between(const std::string& text, const std::string& open, const std::string& close) {
  const Pos start = InStr(1, text, open);
  if (start == 0) return {};
  const Pos value = start + static_cast<Pos>(open.size());
  const Pos end = InStr(value, text, close);
  if (end == 0) return {};
  return Mid(text, value, end - value);
}

}  // namespace

std::string Waypoint(const WaypointFixture& f) {
  const std::string pid = Left(f.name, 6);
  std::string out = Line(2, "<wpt lat=\"39.741234\" lon=\"-104.991234\">");
  out += Line(4, "<time>2009-01-01T00:00:00Z</time>");
  out += Line(4, "<name>" + f.name + "</name>");
  out += Line(4, "<desc>" + f.listing_name + " by NGS, Benchmark (" + f.difficulty + "/" + f.terrain + ")</desc>");
  out += Line(4, "<link href=\"http://www.ngs.noaa.gov/cgi-bin/ds_mark.prl?PidBox=" + pid + "\">");
  out += Line(6, "<text>" + f.listing_name + "</text>");
  out += Line(4, "</link>");
  out += Line(4, "<sym>Benchmark</sym>");
  out += Line(4, "<type>Geocache|Benchmark</type>");
  out += Line(4, "<groundspeak:cache id=\"1\" available=\"True\" archived=\"False\" "
                 "xmlns:groundspeak=\"http://www.groundspeak.com/cache/1/0/1\">");
  out += CacheElements(f);
  out += Line(4, "</groundspeak:cache>");
  out += Line(2, "</wpt>");
  return out;
}

std::string GpxRootTag() {
  return "<gpx xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" version=\"1.1\" "
         "creator=\"Survey Club Export\" xmlns=\"http://www.topografix.com/GPX/1/1\">";
}

std::string GpxDocument(const std::vector<std::string>& waypoints) {
  std::string out = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n" + GpxRootTag() + kCrLf;
  out += Line(2, "<metadata>");
  out += Line(4, "<name>Benchmarks near Denver</name>");
  out += Line(4, "<desc>Benchmarks within 10 miles</desc>");
  out += Line(4, "<author>");
  out += Line(6, "<name>Survey Club</name>");
  out += Line(4, "</author>");
  out += Line(2, "</metadata>");
  for (const std::string& waypoint : waypoints) out += waypoint;
  out += "</gpx>\r\n";
  return out;
}

std::string WithAsteriskRun(const std::string& before, const std::string& after) {
  return before + "\n" + std::string(70, '*') + "\n" + after;
}

std::string ListingPage(const std::vector<PageLog>& logs) {
  std::string page =
      "<html><head><title>Benchmark</title></head><body>\r\n"
      "<table class=\"LogsTable\">\r\n";
  for (const PageLog& log : logs) {
    page += "<tr><td height=\"16\"><img src=\"/images/icons/icon_smile.gif\" title=\"" + log.type +
            "\"></td><td>&nbsp;" + log.date + "</td><td><a href=\"/profile/?u=" + log.finder +
            "\">" + log.finder + "</a></td></tr>\r\n<tr><td colspan=\"4\">" + log.text +
            "</p></td></tr>\r\n";
  }
  page += "</table>\r\n<div id=\"dlgClipboard\"></div></body></html>\r\n";
  return page;
}

std::string NoBenchmarkPage() {
  return "<html><body><p>No Benchmark was found with that Point ID</p></body></html>";
}

std::string NoLogsPage() {
  return "<html><body><table class=\"LogsTable\"></table><p>There are no logs for this "
         "benchmark.</p></body></html>";
}

std::string LogZoneOf(const std::string& document, const std::string& name) {
  return Between(WaypointText(document, name), "<groundspeak:logs>", "</groundspeak:logs>");
}

char RatingOf(const std::string& document, const std::string& name, const std::string& element) {
  const std::string value = Between(WaypointText(document, name), "<groundspeak:" + element + ">",
                                    "</groundspeak:" + element + ">");
  return value.empty() ? '\0' : value[0];
}

std::string NameOf(const std::string& document, const std::string& name) {
  return Between(WaypointText(document, name), "<name>", "</name>");
}

bool WellFormedXml(const std::string& document, std::string* why) {
  TempDir dir;
  const std::filesystem::path file = dir / "document.gpx";
  const std::filesystem::path report = dir / "report.txt";
  WriteFileBytes(file, document);
  const std::string command =
      "xmllint --noout '" + file.string() + "' > '" + report.string() + "' 2>&1";
  const bool ok = std::system(command.c_str()) == 0;
  if (why != nullptr) *why = ReadFileBytes(report);
  return ok;
}

}  // namespace velmora::testing
