// The whole command line in this process: arguments, settings, the run over
// a file in a temporary folder with scripted pages and a fake clock, the
// messages and progress on the error stream, and the exit status.
#include "cli/command_line_run.h"
#include "velmora/version.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <map>
#include <sstream>

#include "cli/arguments.h"
#include "core/text.h"
#include "core/exit_status.h"
#include "cli/resume_lines.h"
#include "cli/stop_signal.h"
#include "files/resume_check.h"
#include "tests/support/builders.h"
#include "tests/support/child_process.h"
#include "tests/support/fakes.h"
#include "tests/support/temp_dir.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace velmora::testing;

const std::string kUrl = "http://www.geocaching.com/mark/details.aspx?PID=";
const std::string kFinished = std::string(14, ' ') + "Finished" + std::string(9, ' ');
const std::string kCannotContinue =
    "There something wrong.  Are you connected to the Internet?  Perhaps there's a problem "
    "with the GPX file or with the geocaching.com website.";

std::string TwoLogPage(const std::string& pid) {
  return ListingPage(pid, {{"Found it", "7/4/2009", "trailrunner", "Disk in good shape."},
                           {"Didn't find it", "5/1/2005", "Ann", "Road work."}});
}

// One command line run in a fresh working folder, with fakes at the edges.
class CommandLineTest : public ::testing::Test {
 protected:
  CommandLineTest() : in_folder_(folder_.path()) {
    environment_["VELMORA_PAUSE_SCALE"] = "0";
    environment_["VELMORA_REPORT"] = "off";
  }

  int Run(const std::vector<std::string>& arguments) { return RunWith(pages_, pump_, arguments); }

  int RunWith(PageSource& pages, EventPump& pump, const std::vector<std::string>& arguments) {
    const LoadedSettings settings = LoadSettings([this](const char* name) -> const char* {
      auto found = environment_.find(name);
      return found == environment_.end() ? nullptr : found->second.c_str();
    });
    CliEdges edges{pages, clock_, pump, out_, err_, false, settings, [] { return 0.0; }};
    return RunCommandLine(arguments, edges);
  }

  std::vector<std::string> ErrLines() const { return Lines(err_.str()); }
  std::string Read(const std::string& name) const { return ReadFileBytes(folder_ / name); }
  bool Has(const std::string& name) const { return fs::exists(folder_ / name); }
  std::size_t FilesInFolder() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_.path()),
                                                  fs::directory_iterator()));
  }

  TempDir folder_;
  CurrentDir in_folder_;
  std::map<std::string, std::string> environment_;
  ScriptedPageSource pages_;
  FakeClock clock_;
  FakePump pump_{clock_, 0.05};
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST(ResumeLinesTest, TheLinesAboutAnEarlierRun) {
  EXPECT_EQ(ResumableRunLine("quads.gpx", 12, 40),
            "An earlier run over quads.gpx stopped after 12 of 40 benchmarks; it can be resumed "
            "with --resume.");
  EXPECT_EQ(FreshRunLine(kInputChangedReason),
            "Starting a fresh run: the input file has changed since the earlier run.");
}

TEST_F(CommandLineTest, FinishedRunWritesResultAndErrorLogAndSaysFinished) {
  WriteFileBytes(folder_ / "quads.gpx",
                 Gpx11({Waypoint({"AB1234", "MILL 3"}), Waypoint({"AB1240 TOWER", ""})}));
  pages_.Add(kUrl + "AB1234", TwoLogPage("AB1234"));
  pages_.Add(kUrl + "AB1240", ListingPage("AB1240", {}));

  EXPECT_EQ(Run({"quads.gpx"}), kExitFinished);
  EXPECT_EQ(out_.str(), "");
  EXPECT_EQ(ErrLines(), (std::vector<std::string>{"Benchmark 1/2 AB1234 done, about 0:00 left",
                                                  "Benchmark 2/2 AB1240 done", kFinished}));
  const std::string result = Read("quads R.gpx");
  EXPECT_NE(result.find("<name>AB1234 MILL 3</name>"), std::string::npos);
  EXPECT_NE(result.find("<groundspeak:date>2009-07-04T00:00:00-06:00Z</groundspeak:date>"),
            std::string::npos);
  EXPECT_NE(result.find("<groundspeak:terrain>3.5</groundspeak:terrain>"), std::string::npos);
  const std::vector<std::string> log = Lines(Read("ErrorLog.txt"));
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[2], "quads.gpx: 2 of 2 benchmarks; finished\r");
  EXPECT_EQ(pages_.requests, (std::vector<std::string>{kUrl + "AB1234", kUrl + "AB1240"}));
}

TEST_F(CommandLineTest, NoPageStopsWithCannotContinueAndItsOwnStatus) {
  WriteFileBytes(folder_ / "quads.gpx",
                 Gpx11({Waypoint({"AB1234", "MILL 3"}), Waypoint({"AB1240", "TOWER"})}));
  pages_.Add(kUrl + "AB1234", TwoLogPage("AB1234"));  // AB1240 answers nothing

  EXPECT_EQ(Run({"quads.gpx"}), kExitNoPage);
  std::vector<std::string> expected = {"Benchmark 1/2 AB1234 done, about 0:00 left"};
  for (int attempt = 1; attempt <= 29; ++attempt) {
    expected.push_back("Benchmark 1/2 AB1240 try " + std::to_string(attempt) +
                       " failed: empty answer, about 0:00 left");
  }
  expected.insert(expected.end(),
                  {kCannotContinue, "empty answer from www.geocaching.com", kFinished});
  EXPECT_EQ(ErrLines(), expected);
  const std::string result = Read("quads R.gpx");
  EXPECT_NE(result.find("<name>AB1234 MILL 3</name>"), std::string::npos);
  EXPECT_NE(result.find("<name>AB1240</name>"), std::string::npos);  // not written
  EXPECT_EQ(Lines(Read("ErrorLog.txt")).back(),
            "quads.gpx: 1 of 2 benchmarks; stopped: no page could be had\r");
  EXPECT_EQ(pages_.requests.size(), 1u + 29u);  // the patient fetch gave up
}

TEST_F(CommandLineTest, EarlyStopsOfTheScanHaveTheirOwnStatuses) {
  struct Case {
    std::string document;
    int status;
    std::string message;
  };
  const std::vector<Case> cases = {
      {Gpx11({Waypoint({"AB1234 MILL 3", ""})}) + "<wpt><name>AB1299", kExitMalformed,
       "Error --- The <wpt> at line "},
      {Gpx11({Waypoint({"AB1234 MILL 3", ""})}) + "<wpt><name>AB1299<groundspeak:logs></groundspeak:logs></wpt>",
       kExitMalformed,
       "Error --- The <name> at line "},
  };
  for (const Case& c : cases) {
    TempDir folder;
    CurrentDir here(folder.path());
    std::ostringstream err;
    err_.swap(err);
    WriteFileBytes(folder / "quads.gpx", c.document);
    pages_.Add(kUrl + "AB1234", TwoLogPage("AB1234"));
    EXPECT_EQ(Run({"quads.gpx"}), c.status) << c.message;
    const std::vector<std::string> lines = ErrLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), kFinished);
    EXPECT_EQ(err_.str().find(c.message) != std::string::npos, true) << err_.str();
    EXPECT_TRUE(fs::exists(folder / "ErrorLog.txt"));
  }
}

// Raises `signal` when the page of `pid` is fetched, as a Ctrl-C during that
// download would: the download completes but the run must not go on.
class SignallingPages : public PageSource {
 public:
  SignallingPages(ScriptedPageSource& pages, std::string pid, int signal)
      : pages_(pages), pid_(std::move(pid)), signal_(signal) {}
  PageAnswer Fetch(const std::string& url) override {
    if (url.find(pid_) != std::string::npos) std::raise(signal_);
    return pages_.Fetch(url);
  }

 private:
  ScriptedPageSource& pages_;
  std::string pid_;
  int signal_;
};

// Raises `signal` in the first pause.
class SignallingPump : public EventPump {
 public:
  explicit SignallingPump(int signal) : signal_(signal) {}
  void DoEvents() override { std::raise(signal_); }

 private:
  int signal_;
};

TEST_F(CommandLineTest, SignalStopsTheRunAfterItsCompletedBenchmarks) {
  InstallStopHandlers();
  const std::string document = Gpx11({Waypoint({"AB1234", "MILL 3"}),
                                      Waypoint({"AB1240", "TOWER"}), Waypoint({"AB1250", "HILL"})});
  SignallingPages interrupting(pages_, "AB1240", SIGINT);
  SignallingPump terminating(SIGTERM);
  struct Case {
    PageSource& pages;
    EventPump& pump;
    std::string scale;
    int status;
    std::string reason;
  };
  for (const Case& c : {Case{interrupting, pump_, "0", kExitInterrupted, "interrupted"},
                        Case{pages_, terminating, "1", kExitTerminated, "terminated"}}) {
    TempDir folder;
    CurrentDir here(folder.path());
    std::ostringstream err;
    err_.swap(err);
    environment_["VELMORA_PAUSE_SCALE"] = c.scale;
    ClearStopRequest();
    WriteFileBytes(folder / "quads.gpx", document);
    for (const char* pid : {"AB1234", "AB1240", "AB1250"}) pages_.Add(kUrl + pid, TwoLogPage(pid));

    EXPECT_EQ(RunWith(c.pages, c.pump, {"quads.gpx"}), c.status);
    EXPECT_EQ(ErrLines().back(), "Stopped after 1 of 3 benchmarks; the result is in quads R.gpx");
    const std::string result = ReadFileBytes(folder / "quads R.gpx");
    EXPECT_NE(result.find("<name>AB1234 MILL 3</name>"), std::string::npos);
    const std::size_t finder = result.find("trailrunner");  // one log per written benchmark
    ASSERT_NE(finder, std::string::npos);
    EXPECT_EQ(result.find("trailrunner", finder + 1), std::string::npos);
    EXPECT_EQ(Lines(ReadFileBytes(folder / "ErrorLog.txt")).back(),
              "quads.gpx: 1 of 3 benchmarks; stopped: " + c.reason + "\r");
  }
  ClearStopRequest();
}

TEST_F(CommandLineTest, SkippedFaultyListingIsReportedAndStillEndsInZero) {
  WriteFileBytes(folder_ / "quads.gpx",
                 Gpx11({Waypoint({"AB1234", "MILL 3"}), Waypoint({"AB1250", ""})}));
  pages_.Add(kUrl + "AB1234", TwoLogPage("AB1234"));

  EXPECT_EQ(Run({"quads.gpx"}), kExitFinished);
  const std::vector<std::string> lines = ErrLines();
  ASSERT_EQ(lines.size(), 3u);
  // The faulty listing comes last: a listing name anywhere after the name
  // would be taken for it.
  EXPECT_EQ(lines[0].rfind("Benchmark 1/2 AB1234 done", 0), 0u) << lines[0];
  EXPECT_EQ(lines[1], "There's something wrong with the benchmark listing 'AB1250'. "
                      "It should be removed from the GPX file and started again.");
  EXPECT_EQ(lines[2], kFinished);
  EXPECT_EQ(pages_.requests.size(), 1u);
}

TEST_F(CommandLineTest, OtherGpxVersionIsSaidOnStandardErrorAndNothingIsWritten) {
  WriteFileBytes(folder_ / "old.gpx",
                 ReplaceAll(Gpx10({Waypoint({"AB1234", "MILL 3"})}), "version=\"1.0\" creator",
                            "version=\"0.9\" creator"));

  EXPECT_EQ(Run({"old.gpx"}), kExitNotGpx);
  EXPECT_EQ(ErrLines(), (std::vector<std::string>{
                            "This file is not a GPX 1.0 or 1.1 document; nothing was changed."}));
  EXPECT_EQ(FilesInFolder(), 1u);
  EXPECT_TRUE(pages_.requests.empty());
}

TEST_F(CommandLineTest, MissingFileIsRefusedAndNothingIsCreated) {
  EXPECT_EQ(Run({"nosuch.gpx"}), kExitFileError);
  EXPECT_EQ(ErrLines(), (std::vector<std::string>{
                            "velmora-cli: file error 2: No such file or directory: \"nosuch.gpx\""}));
  EXPECT_EQ(FilesInFolder(), 0u);

  std::ostringstream err;
  err_.swap(err);
  EXPECT_EQ(Run({"missing/quads.gpx"}), kExitFileError);
  EXPECT_EQ(FilesInFolder(), 0u);
  EXPECT_EQ(fs::current_path(), folder_.path());
}

TEST_F(CommandLineTest, ResultFileThatCannotBeWrittenGivesNumberAndDescription) {
  WriteFileBytes(folder_ / "quads.gpx", Gpx11({Waypoint({"AB1234", "MILL 3"})}));
  fs::create_directory(folder_ / "quads R.gpx");  // in the way of the result file
  pages_.Add(kUrl + "AB1234", TwoLogPage("AB1234"));

  EXPECT_EQ(Run({"quads.gpx"}), kExitFileError);
  const std::vector<std::string> lines = ErrLines();
  ASSERT_EQ(lines.size(), 1u) << err_.str();
  EXPECT_EQ(lines[0].rfind("velmora-cli: file error ", 0), 0u) << lines[0];
  EXPECT_NE(lines[0].find("quads R.gpx"), std::string::npos) << lines[0];
  EXPECT_FALSE(Has("ErrorLog.txt"));
  EXPECT_TRUE(fs::is_directory(folder_ / "quads R.gpx"));
}

TEST_F(CommandLineTest, FileInAnotherFolderIsProcessedThere) {
  fs::create_directory(folder_ / "hunt");
  WriteFileBytes(folder_ / "hunt" / "quads.gpx", Gpx11({Waypoint({"AB1234", "MILL 3"})}));
  pages_.Add(kUrl + "AB1234", TwoLogPage("AB1234"));

  EXPECT_EQ(Run({"hunt/quads.gpx"}), kExitFinished);
  EXPECT_TRUE(fs::exists(folder_ / "hunt" / "quads R.gpx"));
  EXPECT_TRUE(fs::exists(folder_ / "hunt" / "ErrorLog.txt"));
  EXPECT_EQ(FilesInFolder(), 1u);  // only the folder "hunt"
}

TEST_F(CommandLineTest, InvalidSettingIsRefusedBeforeAnythingHappens) {
  WriteFileBytes(folder_ / "quads.gpx", Gpx11({Waypoint({"AB1234", "MILL 3"})}));
  environment_["VELMORA_PAUSE_SCALE"] = "fast";
  EXPECT_EQ(Run({"quads.gpx"}), kExitUsage);
  ASSERT_EQ(ErrLines().size(), 1u);
  EXPECT_NE(err_.str().find("VELMORA_PAUSE_SCALE"), std::string::npos);

  environment_["VELMORA_PAUSE_SCALE"] = "0";
  environment_["VELMORA_LISTING_HOST"] = "http://example.org/";
  EXPECT_EQ(Run({"quads.gpx"}), kExitUsage);
  EXPECT_NE(err_.str().find("VELMORA_LISTING_HOST"), std::string::npos);
  EXPECT_TRUE(pages_.requests.empty());
  EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(CommandLineTest, SettingsReachTheRun) {
  WriteFileBytes(folder_ / "quads.gpx", Gpx11({Waypoint({"AB1234", "MILL 3"})}));
  environment_["VELMORA_LISTING_HOST"] = "127.0.0.1:8080";
  environment_["VELMORA_LISTING_NAME"] = "the demo";
  EXPECT_EQ(Run({"quads.gpx"}), kExitNoPage);
  EXPECT_EQ(pages_.requests.front(), "http://127.0.0.1:8080/mark/details.aspx?PID=AB1234");
  EXPECT_NE(err_.str().find("with the the demo website."), std::string::npos) << err_.str();
}

TEST_F(CommandLineTest, QuickHalvesThePauseAfterEachBenchmark) {
  environment_.erase("VELMORA_PAUSE_SCALE");  // real pause lengths, on the fake clock
  WriteFileBytes(folder_ / "quads.gpx", Gpx11({Waypoint({"AB1234", "MILL 3"})}));
  pages_.fallback = TwoLogPage("AB1234");

  ASSERT_EQ(Run({"quads.gpx"}), kExitFinished);
  const double normal = clock_.elapsed();
  ASSERT_EQ(Run({"--quick", "quads R.gpx"}), kExitFinished);
  const double quick = clock_.elapsed() - normal;
  EXPECT_GT(normal, 3.0);
  EXPECT_NEAR(quick / normal, 0.5, 0.1) << "normal " << normal << " s, quick " << quick << " s";
}

TEST_F(CommandLineTest, HelpVersionAndUsageErrors) {
  EXPECT_EQ(Run({"--help"}), kExitFinished);
  EXPECT_EQ(out_.str(), HelpText());
  EXPECT_EQ(err_.str(), "");

  std::ostringstream out;
  out_.swap(out);
  EXPECT_EQ(Run({"--version"}), kExitFinished);
  EXPECT_EQ(out_.str(), std::string("Velmora ") + kVersionText + "\n");

  std::ostringstream fresh;
  out_.swap(fresh);
  EXPECT_EQ(Run({}), kExitUsage);
  EXPECT_EQ(out_.str(), "");
  EXPECT_EQ(ErrLines(), (std::vector<std::string>{"velmora-cli: no GPX file given", UsageText(),
                                                  "Try 'velmora-cli --help' for more information."}));
  EXPECT_EQ(FilesInFolder(), 0u);
}

}  // namespace
}  // namespace velmora
