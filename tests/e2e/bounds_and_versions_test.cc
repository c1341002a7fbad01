// velmora-cli over GPX 1.0 exports of the listing website and over waypoints
// that are no benchmarks, against a loopback listing server.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/text.h"
#include "server/listing_server.h"
#include "tests/e2e/e2e_support.h"
#include "tests/support/builders.h"
#include "tests/support/temp_dir.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace velmora::testing;

const fs::path kRealData = VELMORA_REAL_DATA;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// xmllint's verdict on `file`, with the schema when one is named.
ProgramResult Lint(const fs::path& folder, const std::string& file, const fs::path& schema = {}) {
  std::vector<std::string> arguments = {"--noout"};
  if (!schema.empty()) arguments.insert(arguments.end(), {"--schema", schema.string()});
  arguments.push_back(file);
  return RunProgram({"xmllint", arguments, folder, {}});
}

TEST(GpxOneZero, RealExportsGetTheirLogsReplacedAndStayValid) {
  const fs::path schema = kRealData / "schemas" / "gpx11_groundspeak.xsd";
  if (!fs::exists(schema)) GTEST_SKIP() << "no real GPX 1.0 files on this machine";
  ASSERT_FALSE(FindInPath("xmllint").empty());
  const std::vector<std::pair<std::string, std::string>> files = {
      {"gpsbabel_GCGCA8.gpx", "GCGCA8"},
      {"gpsbabel_GC7FA4.gpx", "GC7FA4"},
      {"gpsbabel_GCGCA8_nasty.gpx", "GCGCA8"}};
  for (const auto& [file, code] : files) {
    SCOPED_TRACE(file);
    TempDir folder;
    // A geocache's code is no PID: the export as it came holds no benchmark.
    const std::string exported = ReadFileBytes(kRealData / file);
    WriteFileBytes(folder / "cache.gpx", exported);
    const ProgramResult refused = RunCli(folder.path(), {"cache.gpx"}, "127.0.0.1:9");
    EXPECT_EQ(refused.exit_status, 4) << refused.err;
    EXPECT_FALSE(fs::exists(folder / "cache R.gpx"));
    // Named by a PID, its waypoint is a benchmark.
    const std::string pid = "KK1523";
    WriteFileBytes(folder / "export.gpx", ReplaceAll(exported, "<name>" + code + "</name>",
                                                     "<name>" + pid + "</name>"));
    ListingServer server;
    server.ServeListingPages(
        {{pid, ListingPage(pid, {{"Found it", "7/4/2009", "ann", "Disk in good shape."}})}});
    server.Start();
    const ProgramResult run = RunCli(folder.path(), {"export.gpx"}, server.HostAndPort());
    EXPECT_EQ(run.exit_status, 0) << run.err;
    EXPECT_EQ(server.requests().size(), 1u);
    const std::string result = ReadFileBytes(folder / "export R.gpx");
    EXPECT_TRUE(Has(result, "<gpx ") && Has(result, "version=\"1.0\""));
    EXPECT_TRUE(Has(result, "Disk in good shape.")) << "the new log";
    EXPECT_EQ(Count(result, "<groundspeak:log "), 1u) << "the old logs were replaced";
    const ProgramResult lint = Lint(folder.path(), "export R.gpx");
    EXPECT_EQ(lint.exit_status, 0) << lint.err;
    const ProgramResult valid = Lint(folder.path(), "export R.gpx", schema);
    EXPECT_EQ(valid.exit_status, 0) << valid.err;
  }
}

TEST(WaypointBounds, UserWaypointsAndRouteNamesAreNoBenchmarks) {
  const std::string user =
      "  <wpt lat=\"39.7\" lon=\"-105.0\">\r\n    <name>Parking at trailhead</name>\r\n"
      "    <sym>Parking Area</sym>\r\n  </wpt>\r\n";
  const std::string route = "  <rte>\r\n    <name>AB9999</name>\r\n  </rte>\r\n";
  std::string document = Gpx11({user, Waypoint({"AB1234", "MILL 3"})});
  document.insert(document.find("</gpx>"), route);
  TempDir folder;
  WriteFileBytes(folder / "quads.gpx", document);
  ListingServer server;
  server.ServeListingPages({{"AB1234", ListingPage("AB1234", {{"Found it", "7/4/2009", "ann",
                                                                "Disk in good shape."}})}});
  server.Start();
  const ProgramResult run = RunCli(folder.path(), {"quads.gpx"}, server.HostAndPort());
  EXPECT_EQ(run.exit_status, 0) << run.err;
  EXPECT_TRUE(
      Has(run.err, "velmora-cli: waypoint Parking at trailhead has no log zone; passed over\n"))
      << run.err;
  EXPECT_EQ(server.requests().size(), 1u);
  const std::string result = ReadFileBytes(folder / "quads R.gpx");
  EXPECT_TRUE(Has(result, user));
  EXPECT_TRUE(Has(result, route));
  EXPECT_TRUE(Has(result, "<name>AB1234 MILL 3</name>"));
  EXPECT_TRUE(Has(result, "Disk in good shape."));
  EXPECT_EQ(Lint(folder.path(), "quads R.gpx").exit_status, 0);
}

}  // namespace
}  // namespace velmora
