// velmora-cli's exit statuses and messages, run as a user would: each way a
// run can end, in a fresh folder against a loopback listing server.
#include <gtest/gtest.h>

#include <condition_variable>
#include <csignal>
#include <filesystem>
#include <mutex>
#include <regex>

#include "core/text.h"
#include "server/listing_server.h"
#include "velmora/version.h"
#include "tests/support/builders.h"
#include "tests/e2e/e2e_support.h"
#include "tests/support/temp_dir.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace velmora::testing;

std::size_t FileCount(const fs::path& folder) {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// A listing website: AB1234 has logs, AB1240 never answers with a page, any
// other PID is unknown to it.
class ExitStatusTest : public ::testing::Test {
 protected:
  ExitStatusTest() {
    server_.Get("/mark/details.aspx", [](const httplib::Request& request, httplib::Response& response) {
      const std::string pid = request.get_param_value("PID");
      std::string body = NoBenchmarkPage(pid);
      if (pid == "AB1234") {
        body = ListingPage(pid, {{"Found it", "7/4/2009", "trailrunner", "Disk in good shape."}});
      }
      if (pid == "AB1240") body.clear();
      response.set_content(body, "text/html");
    });
    server_.Start();
  }

  ProgramResult Run(const std::string& document, std::vector<std::string> arguments = {"quads.gpx"}) {
    WriteFileBytes(folder_ / "quads.gpx", document);
    return RunCli(folder_.path(), arguments, server_.HostAndPort());
  }

  TempDir folder_;
  ListingServer server_;
};

TEST_F(ExitStatusTest, EachEndOfARunHasItsStatusAndItsMessages) {
  struct Case {
    std::string name;
    std::string document;
    int status;
    std::string message;  // a whole line of standard error
  };
  const std::string cannot_continue =
      "There something wrong.  Are you connected to the Internet?  Perhaps there's a problem "
      "with the GPX file or with the 127.0.0.1 website.";
  const std::vector<Case> cases = {
      {"faulty listing skipped", Gpx11({Waypoint({"AB1234", "MILL 3"}), Waypoint({"AB1250", ""})}),
       0, "There's something wrong with the benchmark listing 'AB1250'. It should be removed from "
          "the GPX file and started again."},
      {"no page", Gpx11({Waypoint({"AB1234", "MILL 3"}), Waypoint({"AB1240", "TOWER"})}), 3,
       cannot_continue},
      {"no log zone: passed over",
       Gpx11({Waypoint({"AB1234", "MILL 3", false}), Waypoint({"AB1235", "TOWER"})}), 0,
       "velmora-cli: waypoint AB1234 has no log zone; passed over"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir folder;
    WriteFileBytes(folder / "quads.gpx", c.document);
    const ProgramResult run = RunCli(folder.path(), {"quads.gpx"}, server_.HostAndPort());
    EXPECT_EQ(run.exit_status, c.status) << run.err;
    EXPECT_EQ(run.out, "");
    const std::vector<std::string> lines = Lines(run.err);
    EXPECT_NE(std::find(lines.begin(), lines.end(), c.message), lines.end()) << run.err;
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), FinishedLine());
    EXPECT_TRUE(fs::exists(folder / "ErrorLog.txt"));
  }
}

TEST_F(ExitStatusTest, NoPageKeepsWhatWasWrittenBefore) {
  const ProgramResult run =
      Run(Gpx11({Waypoint({"AB1234", "MILL 3"}), Waypoint({"AB1240", "TOWER"})}));
  ASSERT_EQ(run.exit_status, 3) << run.err;
  const std::string result = ReadFileBytes(folder_ / "quads R.gpx");
  EXPECT_NE(result.find("<name>AB1234 MILL 3</name>"), std::string::npos);
  EXPECT_NE(result.find("<groundspeak:finder id=\"0000000\">trailrunner</groundspeak:finder>"),
            std::string::npos);
  EXPECT_NE(result.find("<name>AB1240</name>"), std::string::npos);
  EXPECT_EQ(server_.requests().size(), 1u + 29u);  // one page, then 29 tries for nothing
}

TEST_F(ExitStatusTest, MalformedDocumentStopsWithItsOwnStatus) {
  const ProgramResult run =
      Run(Gpx11({Waypoint({"AB1234", "MILL 3"})}) + "  <wpt><name>AB1299<groundspeak:logs></groundspeak:logs></wpt>\r\n");
  EXPECT_EQ(run.exit_status, 5) << run.err;
  EXPECT_TRUE(fs::exists(folder_ / "quads R.gpx"));  // the benchmark before it
}

TEST_F(ExitStatusTest, OtherGpxVersionIsSaidAndNothingIsWritten) {
  const ProgramResult run = Run(ReplaceAll(Gpx10({Waypoint({"AB1234", "MILL 3"})}),
                                           "version=\"1.0\" creator", "version=\"1.2\" creator"));
  EXPECT_EQ(run.exit_status, 6);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "This file is not a GPX 1.0 or 1.1 document; nothing was changed.\n");
  EXPECT_EQ(FileCount(folder_.path()), 1u);
  EXPECT_TRUE(server_.requests().empty());
}

TEST_F(ExitStatusTest, MissingFileIsRefusedAndNothingIsCreated) {
  const ProgramResult run = RunCli(folder_.path(), {"nosuch.gpx"}, server_.HostAndPort());
  EXPECT_EQ(run.exit_status, 7);
  EXPECT_EQ(run.err, "velmora-cli: file error 2: No such file or directory: \"nosuch.gpx\"\n");
  EXPECT_EQ(FileCount(folder_.path()), 0u);
}

TEST_F(ExitStatusTest, ResultFileThatCannotBeWrittenGivesItsErrorNumberAndDescription) {
  fs::create_directory(folder_ / "quads R.gpx");
  const ProgramResult run = Run(Gpx11({Waypoint({"AB1234", "MILL 3"})}));
  EXPECT_EQ(run.exit_status, 7);
  EXPECT_TRUE(std::regex_match(run.err, std::regex("velmora-cli: file error [0-9]+: [^\n]+\n")))
      << run.err;
  EXPECT_FALSE(fs::exists(folder_ / "ErrorLog.txt"));
}

TEST_F(ExitStatusTest, UsageErrorsHelpAndVersion) {
  const ProgramResult bare = RunCli(folder_.path(), {}, "");
  EXPECT_EQ(bare.exit_status, 2);
  EXPECT_EQ(bare.out, "");
  EXPECT_NE(bare.err.find("Usage: velmora-cli [--quick] [--resume] [--no-report] [--source "
                          "listing|datasheet | --datasheets FILE] FILE.gpx"),
            std::string::npos);

  const ProgramResult unknown = RunCli(folder_.path(), {"--slow", "quads.gpx"}, "");
  EXPECT_EQ(unknown.exit_status, 2);
  EXPECT_NE(unknown.err.find("unknown option '--slow'"), std::string::npos);

  const ProgramResult help = RunCli(folder_.path(), {"--help"}, "");
  EXPECT_EQ(help.exit_status, 0);
  EXPECT_NE(help.out.find("Exit status:"), std::string::npos);
  EXPECT_EQ(help.err, "");

  const ProgramResult version = RunCli(folder_.path(), {"--version"}, "");
  EXPECT_EQ(version.exit_status, 0);
  EXPECT_EQ(version.out, std::string("Velmora ") + kVersionText + "\n");

  const ProgramResult setting =
      RunCli(folder_.path(), {"quads.gpx"}, "", {{"VELMORA_PAUSE_SCALE", "-1"}});
  EXPECT_EQ(setting.exit_status, 2);
  EXPECT_NE(setting.err.find("VELMORA_PAUSE_SCALE"), std::string::npos);
  EXPECT_EQ(FileCount(folder_.path()), 0u);
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

// SIGTERM while the second of three pages is being downloaded: the download
// is abandoned, the run stops with 143, and the result file holds the first
// benchmark, whole.
TEST(StopTest, SigtermDuringADownloadStopsWithTheCompletedBenchmarksWritten) {
  std::mutex mutex;
  std::condition_variable changed;
  bool arrived = false;
  bool released = false;
  ListingServer server;
  server.Get("/mark/details.aspx", [&](const httplib::Request& request, httplib::Response& response) {
    const std::string pid = request.get_param_value("PID");
    if (pid == "AB1240") {  // hold this answer until the test is over
      std::unique_lock<std::mutex> lock(mutex);
      arrived = true;
      changed.notify_all();
      changed.wait(lock, [&] { return released; });
    }
    response.set_content(ListingPage(pid, {{"Found it", "7/4/2009", "trailrunner", "Fine."}}),
                         "text/html");
  });
  server.Start();
  TempDir folder;
  const std::string document = Gpx11({Waypoint({"AB1234", "MILL 3"}),
                                      Waypoint({"AB1240", "TOWER"}), Waypoint({"AB1250", "HILL"})});
  WriteFileBytes(folder / "quads.gpx", document);

  BackgroundProgram cli({VELMORA_CLI_PATH, {"quads.gpx"}, folder.path(),
                         {{"VELMORA_PAUSE_SCALE", "0"}, {"LC_ALL", "C"}, {"VELMORA_REPORT", "off"},
                          {"VELMORA_LISTING_HOST", server.HostAndPort()}}});
  {
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [&] { return arrived; });
  }
  cli.Signal(SIGTERM);
  const int status = cli.Wait();
  {
    std::lock_guard<std::mutex> lock(mutex);
    released = true;
  }
  changed.notify_all();

  EXPECT_EQ(status, 143) << cli.err();
  EXPECT_EQ(Lines(cli.err()).back(), "Stopped after 1 of 3 benchmarks; the result is in quads R.gpx");
  const std::string result = ReadFileBytes(folder / "quads R.gpx");
  const std::size_t finder = result.find("trailrunner");
  EXPECT_NE(finder, std::string::npos);
  EXPECT_EQ(result.find("trailrunner", finder + 1), std::string::npos);
  const std::string tail = document.substr(document.rfind("</wpt>"));
  EXPECT_EQ(result.substr(result.size() - std::min(result.size(), tail.size())), tail);
  EXPECT_EQ(Lines(ReadFileBytes(folder / "ErrorLog.txt")).back(),
            "quads.gpx: 1 of 3 benchmarks; stopped: terminated\r");
}

}  // namespace
}  // namespace velmora
