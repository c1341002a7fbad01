// The one test builder: GPX documents of benchmark waypoints and listing pages
// with log rows (or none), in the shapes the exports and the website write, for
// every test level, the benchmarks and the fuzz seeds. The markers the product
// looks for come from its own constants.
#ifndef VELMORA_TESTS_SUPPORT_BUILDERS_H
#define VELMORA_TESTS_SUPPORT_BUILDERS_H

#include <optional>
#include <string>
#include <vector>

namespace velmora::testing {

inline constexpr const char* kCrLf = "\r\n";

struct WaypointFields {
  std::string name{};          // the <name> text
  std::string listing_name{};  // empty: no <groundspeak:name> (a faulty listing)
  bool log_zone = true;      // false: no <groundspeak:logs> at all
  // The datasheet text; every "\n" becomes `eol`.
  std::string description = "HISTORY - 1934 MONUMENTED";
  bool description_closed = true;  // false: no end tag (a damaged file)
  std::string description_element = "long_description";  // or "short_description"
  std::string difficulty = "1";    // empty: no <groundspeak:difficulty>
  std::string terrain = "1.5";     // empty: no <groundspeak:terrain>
  // What stands between the log zone's tags (old logs, ...); none: the usual
  // empty zone, a line break and the end tag's indentation.
  std::optional<std::string> logs{};
  bool logs_closed = true;
  bool extensions = true;  // the cache inside an <extensions> element
  bool export_details = false;  // time, desc, link, owner, state, hints ... as exports write
  std::string lat = "40.2247";
  std::string lon = "-105.2711";
  std::string cache_id = "1";
  std::string eol = kCrLf;
};

// One <wpt> element, 2 spaces indented.
std::string Waypoint(const WaypointFields& fields);

struct DocumentFields {
  std::string version = "1.1";
  std::string creator = "Benchmark Export";
  bool xsi = false;  // the root declares the xsi namespace
  std::string title = "Benchmarks near Lyons";  // <metadata><name>
  std::string description{};                   // empty: no <desc>
  std::string author{};                        // empty: no <author>
  std::string eol = kCrLf;
};

// The root element's opening tag.
std::string GpxRootTag(const DocumentFields& fields);
// A GPX document around the waypoints.
std::string GpxDocument(const DocumentFields& fields, const std::vector<std::string>& waypoints);
// A GPX 1.1 document (with the version marker) around the waypoints.
std::string Gpx11(const std::vector<std::string>& waypoints);
// The same document as GPX 1.0 (scanned like GPX 1.1).
std::string Gpx10(const std::vector<std::string>& waypoints);

struct LogRowFields {
  std::string type = "Found It";
  std::string date = "July 4, 2009";  // as the website writes it, month first
  std::string finder = "alice";
  std::string text = "Found the disk in good shape.";  // the text cell, up to its end marker
};

// One log as the website writes it: the icon row (type, date, finder) and the
// text row, whose cell holds `cell` as it is, a line break and the indented
// "</td>".
std::string LogRow(const std::string& type, const std::string& date, const std::string& finder,
                   const std::string& cell);
// The row of `row`, its text closed by the text's end marker.
std::string LogRow(const LogRowFields& row);

// A listing page around already built rows: header, log table, footer;
// `head` goes into the page's <head> as it is (a <meta charset> ...).
std::string ListingPageAround(const std::string& pid, const std::string& rows,
                              const std::string& head = "");
// A listing page whose log table holds the rows; no rows: a page without logs
// (the table empty, the website's "no logs" line). The rows' bytes are copied
// as they are: the page is in whatever character set they are written in.
std::string ListingPage(const std::string& pid, const std::vector<LogRowFields>& rows,
                        const std::string& head = "");
// A listing page whose log table is empty.
inline std::string NoLogsPage(const std::string& pid = "KW1234") { return ListingPage(pid, {}); }
// The page the website sends for an unknown PID.
std::string NoBenchmarkPage();

struct GpxLogFields {
  std::string date = "2019-05-01";  // YYYY-MM-DD
  std::string type = "Found it";
  std::string text = "Found the disk in good shape.";  // as the page had it (escaped here)
  std::string finder = "alice";
};
// What stands between a log zone's tags after a run: the logs as the run
// writes them (logs/log_writer.h), newest first as given.
std::string GpxLogs(const std::vector<GpxLogFields>& logs);

// Reading documents back: the text between the log zone's tags of the
// waypoint whose <name> starts with `name`; the empty text when not found.
std::string LogZoneOf(const std::string& document, const std::string& name);
// The first character of the rating `element` ("terrain", "difficulty") of
// that waypoint; '\0' when not found.
char RatingOf(const std::string& document, const std::string& name, const std::string& element);
// The <name> text of the waypoint whose name starts with `name`.
std::string NameOf(const std::string& document, const std::string& name);

}  // namespace velmora::testing

#endif
