#include "tests/app/run_fixtures.h"

#include "core/text.h"

namespace velmora::testing {
namespace {

std::string Waypoint(const std::string& pid) {
  return "  <wpt lat=\"40.01\" lon=\"-105.27\">\r\n"
         "    <name>" + pid + "</name>\r\n"
         "    <groundspeak:cache id=\"1\" available=\"True\" archived=\"False\">\r\n"
         "      <groundspeak:name>HILL " + pid + "</groundspeak:name>\r\n"
         "      <groundspeak:difficulty>1</groundspeak:difficulty>\r\n"
         "      <groundspeak:terrain>1</groundspeak:terrain>\r\n"
         "      <groundspeak:long_description html=\"False\">" + pid +
         " DESIGNATION - HILL</groundspeak:long_description>\r\n"
         "      <groundspeak:logs>\r\n      </groundspeak:logs>\r\n"
         "    </groundspeak:cache>\r\n"
         "  </wpt>\r\n";
}

std::string Document(const std::string& version, const std::vector<std::string>& pids) {
  std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<gpx version=\"" + version +
                     "\" creator=\"Survey Club Export\" "
                     "xmlns=\"http://www.topografix.com/GPX/1/1\">\r\n"
                     "  <metadata>\r\n    <name>Run test</name>\r\n  </metadata>\r\n";
  for (const std::string& pid : pids) text += Waypoint(pid);
  return text + "</gpx>\r\n";
}

}  // namespace

std::string BenchmarkDocument(const std::vector<std::string>& pids) { return Document("1.1", pids); }
std::string Gpx10Document(const std::vector<std::string>& pids) { return Document("1.0", pids); }

std::string FinderOf(const std::string& pid) { return "finder-" + pid; }

std::string ListingPageWithOneLog(const std::string& pid) {
  return "<html><body><h2>" + pid + "</h2>\r\n<table class=\"logs\">\r\n"
         "<tr><td height=\"16\"><img src=\"/i/found.gif\" title=\"Found It\">&nbsp;07/04/2009</td>"
         "<td><a href=\"/profile\">" + FinderOf(pid) + "</a></td></tr>\r\n"
         "<tr><td colspan=\"4\">Disk found in good shape.</p></td></tr>\r\n"
         "</table></body></html>\r\n";
}

std::map<std::string, std::string> ListingPages(const std::vector<std::string>& pids) {
  std::map<std::string, std::string> pages;
  for (const std::string& pid : pids) pages[pid] = ListingPageWithOneLog(pid);
  return pages;
}

std::string LogZoneOf(const std::string& document, const std::string& pid) {
  const Pos name = InStr(1, document, "<name>" + pid);
  if (name == 0) return {};
  const Pos open = InStr(name, document, "<groundspeak:logs>");
  const Pos close = InStr(open, document, "</groundspeak:logs>");
  if (open == 0 || close == 0) return {};
  return Mid(document, open + 18, close - open - 18);
}

}  // namespace velmora::testing
