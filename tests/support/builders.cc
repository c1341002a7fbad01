#include "tests/support/builders.h"

namespace velmora::testing {
namespace {

std::string Document(const std::string& version, const std::vector<std::string>& waypoints) {
  std::string text =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
      "<gpx version=\"" + version + "\" creator=\"Benchmark Export\" "
      "xmlns=\"http://www.topografix.com/GPX/1/" + (version == "1.1" ? "1" : "0") + "\">\r\n"
      "  <metadata>\r\n    <name>Benchmarks near Lyons</name>\r\n  </metadata>\r\n";
  for (const std::string& waypoint : waypoints) text += waypoint;
  return text + "</gpx>\r\n";
}

}  // namespace

std::string Waypoint(const WaypointFields& fields) {
  std::string text =
      "  <wpt lat=\"40.2247\" lon=\"-105.2711\">\r\n"
      "    <name>" + fields.name + "</name>\r\n"
      "    <sym>Benchmark</sym>\r\n"
      "    <extensions>\r\n"
      "      <groundspeak:cache id=\"1\" available=\"True\" archived=\"False\" "
      "xmlns:groundspeak=\"http://www.groundspeak.com/cache/1/0/1\">\r\n";
  if (!fields.listing_name.empty()) {
    text += "        <groundspeak:name>" + fields.listing_name + "</groundspeak:name>\r\n";
  }
  text +=
      "        <groundspeak:difficulty>1</groundspeak:difficulty>\r\n"
      "        <groundspeak:terrain>1.5</groundspeak:terrain>\r\n"
      "        <groundspeak:long_description html=\"False\">" + fields.description +
      "</groundspeak:long_description>\r\n";
  if (fields.log_zone) {
    text += "        <groundspeak:logs>\r\n        </groundspeak:logs>\r\n";
  }
  return text + "      </groundspeak:cache>\r\n    </extensions>\r\n  </wpt>\r\n";
}

std::string Gpx11(const std::vector<std::string>& waypoints) { return Document("1.1", waypoints); }

std::string Gpx10(const std::vector<std::string>& waypoints) { return Document("1.0", waypoints); }

std::string ListingPage(const std::string& pid, const std::vector<LogRowSpec>& rows,
                        const std::string& head) {
  std::string page =
      "<html>\r\n<head>" + head + "<title>" + pid + " - Benchmark Details</title></head>\r\n"
      "<body>\r\n"
      "  <h2>" + pid + "</h2>\r\n";
  if (rows.empty()) page += "  <p>There are no logs for this benchmark yet.</p>\r\n";
  for (const LogRowSpec& row : rows) {
    page +=
        "        <tr>\r\n"
        "          <td><img src=\"/images/icons/icon_smile.gif\" width=\"16\" height=\"16\" title=\"" +
        row.type + "\">&nbsp;" + row.date + "</td>\r\n"
        "          <td><a href=\"/profile/?guid=42\">" + row.finder + "</a></td>\r\n"
        "        </tr>\r\n"
        "        <tr>\r\n"
        "          <td colspan=\"4\">" + row.text + "</p>\r\n"
        "            </td>\r\n"
        "        </tr>\r\n";
  }
  return page + "</body>\r\n</html>\r\n";
}

}  // namespace velmora::testing
