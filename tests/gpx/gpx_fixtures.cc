#include "tests/gpx/gpx_fixtures.h"

#include <cstdlib>
#include <filesystem>

#include "core/text.h"
#include "tests/support/temp_dir.h"

namespace velmora::testing {
namespace {

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

DocumentFields Export() {
  return {.creator = "Survey Club Export",
          .xsi = true,
          .title = "Benchmarks near Denver",
          .description = "Benchmarks within 10 miles",
          .author = "Survey Club"};
}

}  // namespace

std::string Waypoint(const WaypointFixture& f) {
  WaypointFields fields{.name = f.name,
                        .listing_name = f.has_listing_name ? f.listing_name : "",
                        .log_zone = f.has_logs,
                        .description = f.description,
                        .description_closed = f.has_description_end,
                        .difficulty = f.has_difficulty ? f.difficulty : "",
                        .terrain = f.has_terrain ? f.terrain : "",
                        .logs = f.logs,
                        .logs_closed = f.logs_closed,
                        .extensions = false,
                        .export_details = true,
                        .lat = "39.741234",
                        .lon = "-104.991234"};
  return testing::Waypoint(fields);
}

std::string GpxRootTag() { return testing::GpxRootTag(Export()); }

std::string GpxDocument(const std::vector<std::string>& waypoints) {
  return testing::GpxDocument(Export(), waypoints);
}

std::string WithAsteriskRun(const std::string& before, const std::string& after) {
  return before + "\n" + std::string(70, '*') + "\n" + after;
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
