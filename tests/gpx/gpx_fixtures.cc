#include "tests/gpx/gpx_fixtures.h"

#include <cstdlib>
#include <filesystem>

#include "tests/support/temp_dir.h"

namespace velmora::testing {
namespace {

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
