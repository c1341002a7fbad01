// velmora-cli over the demo file, run as a user would, against a loopback
// listing server that serves the demo's pages: the result byte for byte,
// read back by real GPX and XML readers, the streams, the error log, the
// requests, a re-run over the result, and the demo server program itself.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <regex>

#include "server/listing_server.h"
#include "tests/e2e/e2e_support.h"
#include "tests/support/temp_dir.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace velmora::testing;

const std::vector<std::string> kDemoPids = {"KK1523", "KK1530", "KK1547", "KK1552", "KK1566"};

// One demo run in a fresh folder, shared by the tests of the suite.
struct DemoRun {
  DemoRun() {
    fs::copy_file(SourceDir() / "demo" / "benchmarks.gpx", folder / "benchmarks.gpx");
    server.ServeListingPages(DemoPages());
    server.Start();
    run = RunCli(folder.path(), {"benchmarks.gpx"}, server.HostAndPort());
    if (fs::exists(folder / "benchmarks R.gpx")) result = ReadFileBytes(folder / "benchmarks R.gpx");
  }
  TempDir folder;
  ListingServer server;
  ProgramResult run;
  std::string result;
};

class DemoRunTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { demo_ = std::make_unique<DemoRun>(); }
  static void TearDownTestSuite() { demo_.reset(); }
  static std::unique_ptr<DemoRun> demo_;
};
std::unique_ptr<DemoRun> DemoRunTest::demo_;

TEST_F(DemoRunTest, FinishesAndWritesTheExpectedResultByteForByte) {
  ASSERT_EQ(demo_->run.exit_status, 0) << demo_->run.err;
  EXPECT_EQ(demo_->result, ExpectedDemoResult(demo_->server.HostAndPort()));
  EXPECT_EQ(ReadFileBytes(demo_->folder / "benchmarks.gpx"),
            ReadFileBytes(SourceDir() / "demo" / "benchmarks.gpx"));
}

TEST_F(DemoRunTest, StandardOutputStaysEmptyAndStandardErrorHasOneLinePerBenchmark) {
  EXPECT_EQ(demo_->run.out, "");
  const std::vector<std::string> lines = Lines(demo_->run.err);
  ASSERT_EQ(lines.size(), kDemoPids.size() + 1) << demo_->run.err;
  for (std::size_t i = 0; i < kDemoPids.size(); ++i) {
    const std::regex progress("Benchmark " + std::to_string(i + 1) + "/5 " + kDemoPids[i] +
                              " done(, about [0-9]+:[0-9][0-9] left)?");
    EXPECT_TRUE(std::regex_match(lines[i], progress)) << lines[i];
  }
  EXPECT_EQ(lines.back(), FinishedLine());
  EXPECT_EQ(demo_->run.err.find('\x1b'), std::string::npos);  // no bar off a terminal
}

TEST_F(DemoRunTest, FetchesEachListingPageOnceInOrder) {
  const std::vector<RecordedRequest> requests = demo_->server.requests();
  ASSERT_EQ(requests.size(), kDemoPids.size());
  for (std::size_t i = 0; i < requests.size(); ++i) {
    EXPECT_EQ(requests[i].path, "/mark/details.aspx");
    EXPECT_EQ(requests[i].pid, kDemoPids[i]);
    auto agent = requests[i].headers.find("User-Agent");
    ASSERT_NE(agent, requests[i].headers.end());
    EXPECT_EQ(agent->second, "VB Project");
  }
}

TEST_F(DemoRunTest, ErrorLogGetsOneEntry) {
  const std::string log = ReadFileBytes(demo_->folder / "ErrorLog.txt");
  const std::regex entry("={44}\r\n[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}\r\n"
                         "benchmarks\\.gpx: [0-9]+ of [0-9]+ benchmarks; finished\r\n");
  EXPECT_TRUE(std::regex_match(log, entry)) << log;
}

TEST_F(DemoRunTest, ResultIsWellFormedXml) {
  ASSERT_FALSE(FindInPath("xmllint").empty()) << "xmllint missing: bash scripts/setup.sh installs it";
  const ProgramResult check =
      RunProgram({"xmllint", {"--noout", "benchmarks R.gpx"}, demo_->folder.path(), {}});
  EXPECT_EQ(check.exit_status, 0) << check.err;
  EXPECT_EQ(check.err, "");
}

TEST_F(DemoRunTest, GpsbabelReadsTheResultAndSeesTheInsertedLogs) {
  ASSERT_FALSE(FindInPath("gpsbabel").empty()) << "gpsbabel missing: bash scripts/setup.sh installs it";
  const ProgramResult read = RunProgram(
      {"gpsbabel", {"-i", "gpx", "-f", "benchmarks R.gpx", "-o", "text,logs", "-F", "-"},
       demo_->folder.path(), {}});
  ASSERT_EQ(read.exit_status, 0) << read.err;
  const std::string& text = read.out;
  for (const char* log : {"Found it by trailrunner on 2010-08-14",
                          "Found it by Ann & Bob on 2008-06-02",
                          "Note by peakbagger_co on 2006-03-21",
                          "Didn't find it by rocky_mtn_mapper on 2009-11-05",
                          "Didn't find it by trailrunner on 2007-07-19",
                          "Didn't find it by Zo\xC3\xAB Lindqvist on 2010-09-30",
                          "Didn't find it by rocky_mtn_mapper on 2005-05-01",
                          "KK1530 BOULDER WATER TOWER"}) {
    EXPECT_NE(text.find(log), std::string::npos) << log << "\n" << text;
  }
  const std::regex log_line("\n(Found it|Didn't find it|Note) by [^\n]+ on [0-9-]{10}\n");
  const auto count = std::distance(std::sregex_iterator(text.begin(), text.end(), log_line),
                                   std::sregex_iterator());
  EXPECT_EQ(count, 7);
  // The logs of the earlier export are replaced, not kept beside the new ones.
  EXPECT_EQ(text.find("Recovered in good condition, reported to NGS."), std::string::npos);
  EXPECT_EQ(text.find("Found RM 1 but no sign of the station disk."), std::string::npos);
}

TEST_F(DemoRunTest, ReRunOverTheResultChangesNothingMoreAndLogsASecondEntry) {
  ASSERT_EQ(demo_->run.exit_status, 0);
  TempDir again;
  fs::copy_file(demo_->folder / "benchmarks R.gpx", again / "benchmarks R.gpx");
  fs::copy_file(demo_->folder / "ErrorLog.txt", again / "ErrorLog.txt");
  const ProgramResult rerun = RunCli(again.path(), {"benchmarks R.gpx"}, demo_->server.HostAndPort());
  ASSERT_EQ(rerun.exit_status, 0) << rerun.err;
  // Names are not lengthened again and fresh logs replace the old ones.
  EXPECT_EQ(ReadFileBytes(again / "benchmarks R R.gpx"), demo_->result);
  const std::string log = ReadFileBytes(again / "ErrorLog.txt");
  const std::regex two("(={44}\r\n[0-9: -]{19}\r\n"
                       "benchmarks( R)?\\.gpx: [0-9]+ of [0-9]+ benchmarks; finished\r\n){2}");
  EXPECT_TRUE(std::regex_match(log, two)) << log;
}

TEST(DemoServerTest, DemoServerProgramServesTheDemoToTheCommandLine) {
  TempDir folder;
  fs::copy_file(SourceDir() / "demo" / "benchmarks.gpx", folder / "benchmarks.gpx");
  BackgroundProgram server(
      {VELMORA_DEMO_SERVER_PATH, {(SourceDir() / "demo" / "pages").string()}, folder.path(), {}});
  const std::string port = server.FirstLine();
  ASSERT_TRUE(std::regex_match(port, std::regex("[0-9]+"))) << "port: " << port << "\n" << server.err();
  const std::string host = "127.0.0.1:" + port;

  const ProgramResult run = RunCli(folder.path(), {"benchmarks.gpx"}, host);
  EXPECT_EQ(run.exit_status, 0) << run.err;
  EXPECT_EQ(ReadFileBytes(folder / "benchmarks R.gpx"), ExpectedDemoResult(host));
  EXPECT_EQ(server.Stop(), 0) << server.err();
}

}  // namespace
}  // namespace velmora
