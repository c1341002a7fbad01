#include "tests/faults/survey_fixture.h"

#include "tests/support/builders.h"

namespace velmora::testing {
namespace {

constexpr int kBenchmarks = 10;
constexpr int kUnknownBenchmark = 4;  // the website knows no benchmark with this PID
constexpr int kBenchmarkWithoutLogs = 7;
constexpr int kMarkNotFound = 2;  // its datasheet reports the mark as not found

std::string Pid(int number) {
  return "RG" + std::to_string(2100 + number);
}

// Datasheet lines, each "PID  text"; the builder ends them with CR LF, as
// exports carry them.
std::string Datasheet(const std::string& pid, int number, int lines) {
  std::string sheet = pid + "  DESIGNATION -  RIDGE " + std::to_string(number) + "\n";
  sheet += pid + "  MARKER: DB = BENCH MARK DISK\n";
  sheet += pid + "  STAMPING: R " + std::to_string(number) + " 1934\n";
  for (int line = 0; line < lines; ++line) {
    sheet += pid + "  THE MARK IS " + std::to_string(10 + line) +
             " FT NORTH OF THE CENTERLINE OF THE COUNTY ROAD &amp; 3 FT WEST OF A FENCE.\n";
  }
  sheet += pid + "  HISTORY     - 1934     MONUMENTED       CGS\n";
  if (number == kMarkNotFound) sheet += pid + "  HISTORY     - 1987     MARK NOT FOUND   NGS\n";
  return sheet;
}

std::string Waypoint(int number, int datasheet_lines) {
  const std::string pid = Pid(number);
  return testing::Waypoint({.name = pid,
                            .listing_name = "RIDGE " + std::to_string(number),
                            .description = Datasheet(pid, number, datasheet_lines),
                            .lat = "40.0" + std::to_string(100 + number),
                            .lon = "-105.2" + std::to_string(300 + number),
                            .cache_id = pid});
}

}  // namespace

std::string SurveyDocument(int datasheet_lines) {
  std::vector<std::string> waypoints;
  for (int number = 1; number <= kBenchmarks; ++number) {
    waypoints.push_back(Waypoint(number, datasheet_lines));
  }
  return GpxDocument({.creator = "Benchmark Export 4.2",
                      .xsi = true,
                      .title = "Ridge road benchmarks",
                      .description =
                          "Survey benchmarks along the ridge road \xE2\x80\x94 Boulder County"},
                     waypoints);
}

namespace {

std::vector<LogRowFields> LogRows(const std::string& pid, int log_count) {
  std::vector<LogRowFields> rows;
  for (int log = 1; log <= log_count; ++log) {
    const std::string n = std::to_string(log);
    rows.push_back({.type = "Found it",
                    .date = std::to_string(log % 12 + 1) + "/" + std::to_string(log + 3) + "/20" +
                            std::to_string(10 + log),
                    .finder = "hunter " + n + " &amp; friend",
                    .text = "Visit " + n + " to " + pid +
                            ": disk in good shape, caf\xC3\xA9 stop after. \"Stamping\" clear "
                            "&lt;R&gt;.</p><p>Second paragraph of the log.<br />"
                            "A photo uploaded."});
  }
  return rows;
}

}  // namespace

std::string SurveyListingPage(const std::string& pid, int log_count) {
  return ListingPage(
      pid, LogRows(pid, log_count),
      "\n  <meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />\n");
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
