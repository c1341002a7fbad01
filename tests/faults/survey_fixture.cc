#include "tests/faults/survey_fixture.h"

namespace velmora::testing {
namespace {

constexpr int kBenchmarks = 10;
constexpr int kUnknownBenchmark = 4;  // the website knows no benchmark with this PID
constexpr int kBenchmarkWithoutLogs = 7;
constexpr int kMarkNotFound = 2;  // its datasheet reports the mark as not found

std::string Pid(int number) {
  return "RG" + std::to_string(2100 + number);
}

// Datasheet lines, each "PID  text" and CR LF ended, as exports carry them.
std::string Datasheet(const std::string& pid, int number, int lines) {
  std::string sheet = pid + "  DESIGNATION -  RIDGE " + std::to_string(number) + "\r\n";
  sheet += pid + "  MARKER: DB = BENCH MARK DISK\r\n";
  sheet += pid + "  STAMPING: R " + std::to_string(number) + " 1934\r\n";
  for (int line = 0; line < lines; ++line) {
    sheet += pid + "  THE MARK IS " + std::to_string(10 + line) +
             " FT NORTH OF THE CENTERLINE OF THE COUNTY ROAD &amp; 3 FT WEST OF A FENCE.\r\n";
  }
  sheet += pid + "  HISTORY     - 1934     MONUMENTED       CGS\r\n";
  if (number == kMarkNotFound) sheet += pid + "  HISTORY     - 1987     MARK NOT FOUND   NGS\r\n";
  return sheet;
}

std::string Waypoint(int number, int datasheet_lines) {
  const std::string pid = Pid(number);
  const std::string name = "RIDGE " + std::to_string(number);
  return "  <wpt lat=\"40.0" + std::to_string(100 + number) + "\" lon=\"-105.2" +
         std::to_string(300 + number) + "\">\r\n"
         "    <time>1934-06-01T00:00:00Z</time>\r\n"
         "    <name>" + pid + "</name>\r\n"
         "    <desc>" + name + " by NGS, Benchmark (1/1)</desc>\r\n"
         "    <sym>Benchmark</sym>\r\n"
         "    <extensions>\r\n"
         "      <groundspeak:cache id=\"" + pid + "\" available=\"True\" archived=\"False\" "
         "xmlns:groundspeak=\"http://www.groundspeak.com/cache/1/0/1\">\r\n"
         "        <groundspeak:name>" + name + "</groundspeak:name>\r\n"
         "        <groundspeak:difficulty>1</groundspeak:difficulty>\r\n"
         "        <groundspeak:terrain>1.5</groundspeak:terrain>\r\n"
         "        <groundspeak:long_description html=\"False\">" +
         Datasheet(pid, number, datasheet_lines) + "</groundspeak:long_description>\r\n"
         "        <groundspeak:logs>\r\n"
         "        </groundspeak:logs>\r\n"
         "      </groundspeak:cache>\r\n"
         "    </extensions>\r\n"
         "  </wpt>\r\n";
}

}  // namespace

std::string SurveyDocument(int datasheet_lines) {
  std::string document =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
      "<gpx xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" version=\"1.1\" "
      "creator=\"Benchmark Export 4.2\" xmlns=\"http://www.topografix.com/GPX/1/1\">\r\n"
      "  <metadata>\r\n"
      "    <name>Ridge road benchmarks</name>\r\n"
      "    <desc>Survey benchmarks along the ridge road \xE2\x80\x94 Boulder County</desc>\r\n"
      "  </metadata>\r\n";
  for (int number = 1; number <= kBenchmarks; ++number) {
    document += Waypoint(number, datasheet_lines);
  }
  return document + "</gpx>\r\n";
}

namespace {

std::string LogRows(const std::string& pid, int log_count) {
  std::string rows;
  for (int log = 1; log <= log_count; ++log) {
    rows += "        <tr class=\"LogHeader\">\n"
            "          <td><img src=\"/images/icons/icon_smile.gif\" alt=\"\" width=\"16\" "
            "height=\"16\" title=\"Found it\">&nbsp;" + std::to_string(log % 12 + 1) + "/" +
            std::to_string(log + 3) + "/20" + std::to_string(10 + log) + "</td>\n"
            "          <td><a href=\"/profile/?guid=" + pid + std::to_string(log) +
            "\">hunter " + std::to_string(log) + " &amp; friend</a></td>\n"
            "        </tr>\n"
            "        <tr class=\"LogBody\">\n"
            "          <td colspan=\"4\">Visit " + std::to_string(log) + " to " + pid +
            ": disk in good shape, caf\xC3\xA9 stop after. \"Stamping\" clear &lt;R&gt;.</p>"
            "<p>Second paragraph of the log.<br />A photo uploaded.</p>\n"
            "            </td>\n"
            "        </tr>\n";
  }
  return rows;
}

}  // namespace

std::string SurveyListingPage(const std::string& pid, int log_count) {
  return "<!DOCTYPE html>\n<html>\n<head>\n"
         "  <meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />\n"
         "  <title>" + pid + " - Benchmark Details</title>\n</head>\n<body>\n"
         "  <div id=\"Content\">\n"
         "    <h2><span id=\"ctl00_ContentBody_lbPointID\">" + pid + "</span></h2>\n"
         "    <h3>Logs</h3>\n"
         "      <table class=\"LogsTable\" cellspacing=\"0\">\n" + LogRows(pid, log_count) +
         "      </table>\n"
         "    <p><a href=\"/mark/log.aspx?PID=" + pid + "\">Log your visit</a></p>\n"
         "  </div>\n</body>\n</html>\n";
}

const Survey& RidgeSurvey() {
  static const Survey survey = [] {
    Survey made;
    made.document = SurveyDocument(30);
    for (int number = 1; number <= kBenchmarks; ++number) {
      const std::string pid = Pid(number);
      made.pids.push_back(pid);
      if (number == kUnknownBenchmark) continue;
      const int logs = number == kBenchmarkWithoutLogs ? 0 : 1 + number % 4;
      made.pages[pid] = SurveyListingPage(pid, logs);
    }
    return made;
  }();
  return survey;
}

}  // namespace velmora::testing
