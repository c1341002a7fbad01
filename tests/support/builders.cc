#include "tests/support/builders.h"

#include "core/text.h"
#include "gpx/benchmark_search.h"
#include "listing/harvest_log_table.h"
#include "logs/log_writer.h"

namespace velmora::testing {
namespace {

std::string Line(int indent, const std::string& text, const std::string& eol) {
  return std::string(static_cast<std::size_t>(indent), ' ') + text + eol;
}

std::string Element(const std::string& name, const std::string& value) {
  return "<groundspeak:" + name + ">" + value + "</groundspeak:" + name + ">";
}

// The cache's elements, `in` spaces indented.
std::string CacheElements(const WaypointFields& f, int in) {
  const std::string& eol = f.eol;
  std::string out;
  if (!f.listing_name.empty()) out += Line(in, Element("name", f.listing_name), eol);
  if (f.export_details) {
    out += Line(in, Element("placed_by", "NGS"), eol);
    out += Line(in, "<groundspeak:owner id=\"0\">NGS</groundspeak:owner>", eol);
    out += Line(in, Element("type", "Benchmark"), eol);
    out += Line(in, Element("container", "Not chosen"), eol);
  }
  if (!f.difficulty.empty()) out += Line(in, Element("difficulty", f.difficulty), eol);
  if (!f.terrain.empty()) out += Line(in, Element("terrain", f.terrain), eol);
  if (f.export_details) {
    out += Line(in, Element("country", "United States"), eol);
    out += Line(in, Element("state", "Colorado"), eol);
    out += Line(in, "<groundspeak:short_description html=\"False\">Vertical control, 1st order"
                    "</groundspeak:short_description>", eol);
  }
  const std::string& element = f.description_element;
  out += Line(in, "<groundspeak:" + element + " html=\"False\">" +
                      ReplaceAll(f.description, "\n", eol) +
                      (f.description_closed ? "</groundspeak:" + element + ">" : ""), eol);
  if (f.export_details) out += Line(in, Element("encoded_hints", "Rubbing needed"), eol);
  if (f.log_zone) {
    const std::string empty_zone = eol + std::string(static_cast<std::size_t>(in), ' ');
    const std::string logs = f.logs ? *f.logs : empty_zone;
    const std::string end = f.logs_closed ? std::string(kLogZoneEnd) : "";
    out += Line(in, std::string(kLogZoneStart) + logs + end, eol);
  }
  if (f.export_details) out += Line(in, "<groundspeak:travelbugs />", eol);
  return out;
}

std::string Details(const WaypointFields& f) {
  const std::string& eol = f.eol;
  std::string out = Line(4, "<desc>" + f.listing_name + " by NGS, Benchmark (" + f.difficulty +
                                "/" + f.terrain + ")</desc>", eol);
  out += Line(4, "<link href=\"http://www.ngs.noaa.gov/cgi-bin/ds_mark.prl?PidBox=" +
                     Left(f.name, 6) + "\">", eol);
  out += Line(6, "<text>" + f.listing_name + "</text>", eol);
  return out + Line(4, "</link>", eol);
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

std::string Waypoint(const WaypointFields& f) {
  const std::string& eol = f.eol;
  const int cache = f.extensions ? 6 : 4;
  std::string out = Line(2, "<wpt lat=\"" + f.lat + "\" lon=\"" + f.lon + "\">", eol);
  if (f.export_details) out += Line(4, "<time>2009-01-01T00:00:00Z</time>", eol);
  out += Line(4, "<name>" + f.name + "</name>", eol);
  if (f.export_details) out += Details(f);
  out += Line(4, "<sym>Benchmark</sym>", eol);
  if (f.export_details) out += Line(4, "<type>Geocache|Benchmark</type>", eol);
  if (f.extensions) out += Line(4, "<extensions>", eol);
  out += Line(cache, "<groundspeak:cache id=\"" + f.cache_id + "\" available=\"True\" archived=" +
                         "\"False\" xmlns:groundspeak=\"http://www.groundspeak.com/cache/1/0/1\">",
              eol);
  out += CacheElements(f, cache + 2);
  out += Line(cache, "</groundspeak:cache>", eol);
  if (f.extensions) out += Line(4, "</extensions>", eol);
  return out + Line(2, "</wpt>", eol);
}

std::string GpxRootTag(const DocumentFields& f) {
  return std::string("<gpx ") +
         (f.xsi ? "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" " : "") +
         "version=\"" + f.version + "\" creator=\"" + f.creator +
         "\" xmlns=\"http://www.topografix.com/GPX/1/" + (f.version == "1.0" ? "0" : "1") + "\">";
}

std::string GpxDocument(const DocumentFields& f, const std::vector<std::string>& waypoints) {
  const std::string& eol = f.eol;
  std::string out = "<?xml version=\"1.0\" encoding=\"utf-8\"?>" + eol + GpxRootTag(f) + eol;
  out += Line(2, "<metadata>", eol);
  out += Line(4, "<name>" + f.title + "</name>", eol);
  if (!f.description.empty()) out += Line(4, "<desc>" + f.description + "</desc>", eol);
  if (!f.author.empty()) {
    out += Line(4, "<author>", eol) + Line(6, "<name>" + f.author + "</name>", eol) +
           Line(4, "</author>", eol);
  }
  out += Line(2, "</metadata>", eol);
  for (const std::string& waypoint : waypoints) out += waypoint;
  return out + "</gpx>" + eol;
}

std::string Gpx11(const std::vector<std::string>& waypoints) { return GpxDocument({}, waypoints); }

std::string Gpx10(const std::vector<std::string>& waypoints) {
  return GpxDocument({.version = "1.0"}, waypoints);
}

std::string LogRow(const std::string& type, const std::string& date, const std::string& finder,
                   const std::string& cell) {
  return "            <tr>\r\n"
         "                <td class=\"LogIcon\"><img src=\"/images/icons/icon_smile.gif\" "
         "alt=\"\" width=\"16\" " + std::string(kLogRowMarker) + " /></td>\r\n"
         "                <td class=\"LogType\"" + std::string(kTypeStart) + type +
         std::string(kTypeEnd) + "&nbsp;" + date + std::string(kDateEnd) + "\r\n"
         "                <td>by <a href=\"/profile/?u=someone\">" + finder +
         "</a> (12 found)</td>\r\n"
         "            </tr>\r\n"
         "            <tr>\r\n"
         "                " + std::string(kTextStart) + cell + "\r\n"
         "                </td>\r\n"
         "            </tr>\r\n";
}

std::string LogRow(const LogRowFields& row) {
  return LogRow(row.type, row.date, row.finder, row.text + std::string(kTextEnd));
}

std::string ListingPageAround(const std::string& pid, const std::string& rows,
                              const std::string& head) {
  return "<html xmlns=\"http://www.w3.org/1999/xhtml\">\r\n"
         "<head>" + head + "<title>" + pid + " - Benchmark Details</title></head>\r\n"
         "<body>\r\n"
         "    <div id=\"Content\">\r\n"
         "        <h2><img src=\"/images/wpttypes/27.gif\" alt=\"\" width=\"32\" height=\"32\" />"
         " " + pid + " HANOVER RESET</h2>\r\n"
         "        <table class=\"LogsTable\" cellspacing=\"0\" cellpadding=\"4\">\r\n" +
         rows +
         "        </table>\r\n"
         "    </div>\r\n"
         "</body>\r\n"
         "</html>\r\n";
}

std::string ListingPage(const std::string& pid, const std::vector<LogRowFields>& rows,
                        const std::string& head) {
  std::string text;
  for (const LogRowFields& row : rows) text += LogRow(row);
  if (rows.empty()) text = "        <p>There are no logs for this benchmark.</p>\r\n";
  return ListingPageAround(pid, text, head);
}

std::string GpxLogs(const std::vector<GpxLogFields>& logs) {
  std::string block;
  int id = 1;
  for (const GpxLogFields& log : logs) {
    AppendLogElement(block, std::to_string(id++), log.date, log.type, EscapeLogText(log.finder),
                     EscapeLogText(log.text));
  }
  return block + kCrLf + "      ";
}

std::string NoBenchmarkPage() {
  return "<html><body><p>" + std::string(kNoBenchmarkNotice) + "</p></body></html>";
}

std::string LogZoneOf(const std::string& document, const std::string& name) {
  return Between(WaypointText(document, name), std::string(kLogZoneStart),
                 std::string(kLogZoneEnd));
}

char RatingOf(const std::string& document, const std::string& name, const std::string& element) {
  const std::string value = Between(WaypointText(document, name), "<groundspeak:" + element + ">",
                                    "</groundspeak:" + element + ">");
  return value.empty() ? '\0' : value[0];
}

std::string NameOf(const std::string& document, const std::string& name) {
  return Between(WaypointText(document, name), "<name>", "</name>");
}

}  // namespace velmora::testing
