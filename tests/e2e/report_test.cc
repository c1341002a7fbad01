// velmora-cli's reports, run as a user would: "report" of a file, and the
// report beside the result after a run over the loopback listing server.
#include <gtest/gtest.h>

#include <filesystem>

#include "report/report_page.h"
#include "server/listing_server.h"
#include "tests/e2e/e2e_support.h"
#include "tests/support/builders.h"
#include "tests/support/temp_dir.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace velmora::testing;

TEST(ReportCommandTest, WritesBesideTheFileOrWhereToldAndReplacesAnOldOne) {
  TempDir folder;
  WriteFileBytes(
      folder / "trip.2024.gpx",
      Gpx11({Waypoint({.name = "AB1234", .logs = GpxLogs({{}})}),
             Waypoint({.name = "AB1240", .logs = GpxLogs({}), .export_details = true})}));
  WriteFileBytes(folder / "trip.2024.html", "an old report");
  WriteFileBytes(folder / "empty.gpx", Gpx11({}));
  const ProgramResult beside =
      RunCli(folder.path(), {"report", "trip.2024.gpx", "--as-of", "2026-06-15"}, "");
  EXPECT_EQ(beside.exit_status, 0);
  EXPECT_EQ(beside.err, "Wrote trip.2024.html: 2 benchmarks\n");
  const std::string page = ReadFileBytes(folder / "trip.2024.html");
  EXPECT_NE(page.find("report made on <time>2026-06-15</time>"), std::string::npos);
  EXPECT_NE(page.find(">AB1240</a>"), std::string::npos);
  const ProgramResult told = RunCli(folder.path(), {"report", "empty.gpx", "-o", "none.html"}, "");
  EXPECT_EQ(told.err, "Wrote none.html: 0 benchmarks\n");
  EXPECT_NE(ReadFileBytes(folder / "none.html").find(kNoBenchmarksText), std::string::npos);
  const ProgramResult wrong =
      RunCli(folder.path(), {"report", "empty.gpx", "--as-of", "2026-02-29"}, "");
  EXPECT_EQ(wrong.exit_status, 2);
  EXPECT_FALSE(fs::exists(folder / "empty.html"));
}

TEST(ReportAfterRunTest, BesideTheResultNamedOnTheLastLineUnlessTurnedOff) {
  ListingServer server;
  server.ServeListingPages({{"AB1234", ListingPage("AB1234", {{}})}});
  server.Start();
  for (const bool on : {true, false}) {
    TempDir folder;
    WriteFileBytes(folder / "quads.gpx", Gpx11({Waypoint({"AB1234", "MILL 3"})}));
    const ProgramResult run = RunCli(folder.path(),
                                     on ? std::vector<std::string>{"quads.gpx"}
                                        : std::vector<std::string>{"--no-report", "quads.gpx"},
                                     server.HostAndPort(), {{"VELMORA_REPORT", "on"}});
    ASSERT_EQ(run.exit_status, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.err);
    EXPECT_EQ(lines.back(), on ? "The report is in quads R.html" : FinishedLine());
    EXPECT_EQ(fs::exists(folder / "quads R.html"), on);
    if (on) {
      EXPECT_NE(ReadFileBytes(folder / "quads R.html").find(">2009-07-04</td>"), std::string::npos);
    }
  }
  // A report that cannot be written is said; the run and its result stand.
  TempDir folder;
  WriteFileBytes(folder / "quads.gpx", Gpx11({Waypoint({"AB1234", "MILL 3"})}));
  fs::create_directory(folder / "quads R.html");
  const ProgramResult run =
      RunCli(folder.path(), {"quads.gpx"}, server.HostAndPort(), {{"VELMORA_REPORT", "on"}});
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_NE(run.err.find("The report could not be written"), std::string::npos) << run.err;
  EXPECT_EQ(Lines(run.err).back(), FinishedLine());
  EXPECT_TRUE(fs::exists(folder / "quads R.gpx"));
}

}  // namespace
}  // namespace velmora
