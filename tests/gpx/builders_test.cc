// The test builder's documents and pages are what the product reads: every
// shape of waypoint is well-formed XML with any line end, and the scan finds
// and fills each benchmark of a built document from built listing pages.
#include "tests/support/builders.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gpx/process_gpx_file.h"
#include "tests/gpx/scan_harness.h"

namespace velmora::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// One waypoint of each shape the builder makes, ended by `eol`.
std::vector<std::string> EveryShape(const std::string& eol) {
  const std::string old_log = "<groundspeak:log id=\"1\"><groundspeak:text encoded=\"False\">old"
                              "</groundspeak:text></groundspeak:log>";
  return {Waypoint({.name = "AB1234", .listing_name = "MILL 3", .eol = eol}),
          Waypoint({.name = "AB1235", .listing_name = "MILL 4", .logs = old_log,
                    .extensions = false, .export_details = true, .eol = eol}),
          Waypoint({.name = "AB1236", .listing_name = "", .log_zone = false,
                    .description = "LINE 1\nLINE 2", .description_element = "short_description",
                    .difficulty = "", .terrain = "", .eol = eol})};
}

TEST(Builders, EveryShapeIsWellFormedWithEachLineEnd) {
  for (const std::string eol : {"\r\n", "\n", ""}) {
    const std::vector<std::string> waypoints = EveryShape(eol);
    std::string why;
    EXPECT_TRUE(WellFormedXml(Gpx11(waypoints), &why)) << why;
    EXPECT_TRUE(WellFormedXml(GpxDocument({.xsi = true, .description = "d", .author = "a",
                                           .eol = eol}, waypoints), &why)) << why;
  }
}

TEST(Builders, ScanFillsEachBuiltBenchmarkFromItsBuiltPage) {
  ScanHarness scan;
  std::vector<std::string> waypoints = EveryShape("\n");
  waypoints.pop_back();  // no listing name and no log zone: not a benchmark
  scan.Choose(Gpx11(waypoints));
  scan.Answer("AB1234", ListingPage("AB1234", {{.finder = "ann"}}));
  scan.Answer("AB1235", ListingPage("AB1235", {{.finder = "bob"}, {.finder = "cy"}}));
  ProcessGPXfile(scan.fake.run);

  EXPECT_THAT(scan.FetchedPids(), ElementsAre("AB1234", "AB1235"));
  const std::string result = scan.Result();
  EXPECT_EQ(NameOf(result, "AB1234"), "AB1234 MILL 3");
  EXPECT_THAT(LogZoneOf(result, "AB1234"), HasSubstr(">ann</groundspeak:finder>"));
  EXPECT_THAT(LogZoneOf(result, "AB1235"), HasSubstr(">cy</groundspeak:finder>"));
  EXPECT_TRUE(WellFormedXml(result));
}

}  // namespace
}  // namespace velmora::testing
