// The kill test of kill_safety_test.cc with the datasheet archive as the log
// source (`velmora-cli --datasheets ARCHIVE ridge.gpx`): writes are paced by
// time there, so a result file may hold several benchmarks more than the one
// before it; it must still be absent or byte for byte the file after some
// number k of completed benchmarks, with nothing else left but the temporary
// file, and a run started again completes.
#include <signal.h>

#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <map>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <thread>

#include "tests/faults/cli_under_test.h"
#include "tests/faults/creation_watch.h"
#include "tests/faults/kill_loop.h"
#include "tests/faults/run_record.h"
#include "server/listing_server.h"
#include "tests/faults/survey_fixture.h"
#include "tests/support/temp_dir.h"

namespace velmora::testing {
namespace {

constexpr int kKills = 40;
constexpr int kMaxAttempts = 100;
constexpr int kDatasheetLines = 1000;          // about 1 MB of document, as the listing kills
constexpr int kFillerDatasheets = 2000;        // about 1 MB of other PIDs to read past
constexpr int kAfterCreationWindowUs = 3000;
constexpr const char* kArchive = "state.txt";  // in the test's own folder, outside the runs'
constexpr const char* kTemporary = "ridge R.gpx.tmp";
const std::string kRecord = "ridge R.gpx.resume";
constexpr const char* kErrorLog = "ErrorLog.txt";
constexpr const char* kNowhere = "127.0.0.1:9";  // no request may go out

// A datasheet in the agency's archive layout: two history rows and a recovery.
std::string ArchiveDatasheet(const std::string& pid, int number) {
  return "1        National Geodetic Survey,   Retrieval Date = MARCH 3, 2025\r\n"
         " " + pid + "  DESIGNATION -  RIDGE " + std::to_string(number) + "\r\n"
         " " + pid + "  HISTORY     - Date     Condition        Report By\r\n"
         " " + pid + "  HISTORY     - 1934     MONUMENTED       CGS\r\n"
         " " + pid + "  HISTORY     - 2004" + std::to_string(1000 + number).substr(2) +
         "15 " + (number % 3 == 0 ? "MARK NOT FOUND   " : "GOOD             ") + "USPSQD\r\n"
         " " + pid + "\r\n"
         " " + pid + "                          STATION RECOVERY (2004)\r\n"
         " " + pid + "\r\n"
         " " + pid + "'RECOVERY NOTE BY US POWER SQUADRON 2004 (JW)\r\n"
         " " + pid + "'RECOVERED AS DESCRIBED, NUMBER " + std::to_string(number) + ".\r\n"
         " " + pid + "\r\n";
}

// The survey's datasheets by PID (the unknown benchmark has none).
std::map<std::string, std::string> SurveySheets() {
  std::map<std::string, std::string> sheets;
  const Survey& survey = RidgeSurvey();
  for (std::size_t i = 0; i < survey.pids.size(); ++i) {
    if (survey.pages.count(survey.pids[i]) == 0) continue;
    sheets[survey.pids[i]] = ArchiveDatasheet(survey.pids[i], static_cast<int>(i) + 1);
  }
  return sheets;
}

std::string ArchiveText(const std::map<std::string, std::string>& sheets) {
  std::string text;
  for (int filler = 0; filler < kFillerDatasheets; ++filler) {
    text += ArchiveDatasheet("XF" + std::to_string(1000 + filler).substr(0, 4), filler);
  }
  for (const auto& [pid, sheet] : sheets) text += sheet;
  return text + " *** retrieval complete.\r\n";
}

// The result file after each benchmark (Snapshots) of a run of the same
// datasheets on the web with pauses at `scale`: the server reads the result
// file whenever the next datasheet is asked for.
Snapshots RecordDatasheetRun(const std::string& document,
                             const std::map<std::string, std::string>& sheets,
                             const std::string& scale) {
  TempDir folder;
  WriteFileBytes(folder / kSurveyFile, document);
  const std::filesystem::path result = folder / kSurveyResultFile;
  std::mutex mutex;
  Snapshots seen;
  ListingServer server;
  server.Get("/cgi-bin/ds_mark.prl", [&](const httplib::Request& request,
                                         httplib::Response& response) {
    std::lock_guard<std::mutex> lock(mutex);
    seen.push_back(std::filesystem::exists(result) ? std::optional(FileBytes(result))
                                                   : std::nullopt);
    const std::string pid = request.get_param_value("PidBox");
    const auto sheet = sheets.find(pid);
    response.set_content(DatasheetPage(sheet == sheets.end() ? UnknownPidText(pid) : sheet->second),
                         "text/html");
  });
  server.Start();
  ProgramRun run = CliRun({folder.path(), kNowhere, scale});
  run.environment["VELMORA_LOG_SOURCE"] = "datasheet";
  run.environment["VELMORA_DATASHEET_HOST"] = server.HostAndPort();
  const ProgramResult done = RunProgram(run);
  EXPECT_EQ(done.exit_status, 0) << done.err;
  if (seen.empty() || !std::filesystem::exists(result)) return {};
  seen.erase(seen.begin());
  seen.push_back(FileBytes(result));
  return seen;
}

class ArchiveKillSafetyTest : public ::testing::Test {
 protected:
  std::filesystem::path FreshFolder(const std::string& name) {
    const std::filesystem::path folder = work_ / name;
    std::filesystem::create_directory(folder);
    WriteFileBytes(folder / kSurveyFile, document_);
    return folder;
  }

  CliSetup Setup(const std::filesystem::path& folder) const {
    CliSetup setup(folder, kNowhere);
    setup.datasheets = (work_ / kArchive).string();
    return setup;
  }

  // What a kill left: the version number (0: no result file).
  int CheckKilledFolder(const std::filesystem::path& folder) {
    const FolderState state = ReadFolderState(folder);
    EXPECT_TRUE(state.at(kSurveyFile) == document_) << "the input file changed";
    int version = 0;
    if (const auto result = state.find(kSurveyResultFile); result != state.end()) {
      version = VersionNumber(versions_, result->second);
      EXPECT_NE(version, 0) << "the result file (" << result->second.size()
                            << " bytes) is no complete version";
    }
    for (const auto& [name, bytes] : state) {
      if (name == kTemporary) ++write_hit_;
      if (name == kSurveyFile || name == kSurveyResultFile || name == kTemporary) continue;
      // The progress record of a stopped run, and its own temporary file.
      if (name == kRecord || name == kRecord + ".tmp") continue;
      if (name == kErrorLog) {
        EXPECT_EQ(version, static_cast<int>(versions_.size())) << "error log of an unfinished run";
        continue;
      }
      ADD_FAILURE() << "'" << name << "' left by the killed run";
    }
    return version;
  }

  void ExpectARunAgainCompletes(const std::filesystem::path& folder) {
    const ProgramResult again = RunCli(Setup(folder));
    EXPECT_EQ(again.exit_status, 0) << again.err;
    const FolderState state = ReadFolderState(folder);
    const FolderState finished{{kErrorLog, ""}, {kSurveyFile, ""}, {kSurveyResultFile, ""}};
    EXPECT_EQ(Names(state), Names(finished)) << "a finished run leaves only these";
    EXPECT_TRUE(state.count(kSurveyResultFile) != 0 &&
                state.at(kSurveyResultFile) == versions_.back())
        << "the run again gives another result";
  }

  TempDir work_;
  const std::string document_ = SurveyDocument(kDatasheetLines);
  std::vector<std::string> versions_;
  int write_hit_ = 0;  // kills that left the temporary file: the write was hit
};

TEST_F(ArchiveKillSafetyTest, AKilledArchiveRunLeavesNoResultOrACompleteVersion) {
  const std::map<std::string, std::string> sheets = SurveySheets();
  WriteFileBytes(work_ / kArchive, ArchiveText(sheets));
  versions_ = VersionsFromRuns(
      [&](const std::string& scale) { return RecordDatasheetRun(document_, sheets, scale); });
  ASSERT_EQ(versions_.size(), RidgeSurvey().pids.size());

  // An undisturbed run from the archive gives the web run's last version.
  const std::filesystem::path timed = FreshFolder("timed");
  const auto start = std::chrono::steady_clock::now();
  const ProgramResult run = RunCli(Setup(timed));
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  ASSERT_EQ(run.exit_status, 0) << run.err;
  ASSERT_TRUE(FileBytes(timed / kSurveyResultFile) == versions_.back())
      << "the archive gives another result than the same datasheets on the web";

  const unsigned seed = std::random_device{}();
  std::mt19937 random(seed);
  const int run_us = static_cast<int>(took.count() * 1.1e6);
  const auto kill = [&](const std::filesystem::path& folder, int attempt, std::string& when) {
    CreationWatch creations(folder);
    BackgroundCli cli(Setup(folder));
    int delay = std::uniform_int_distribution<int>(0, run_us)(random);
    // Every other kill aims at the write of the result (its temporary file):
    // the second file created, after the start's probe of the same name.
    if (attempt % 2 == 0 && CreationWatch::Available() &&
        creations.WaitFor(2, std::chrono::seconds(5))) {
      delay = std::uniform_int_distribution<int>(0, kAfterCreationWindowUs)(random);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(delay));
    cli.Kill(SIGKILL);
    when = "killed after " + std::to_string(delay) + " us";
    return cli.Wait();
  };
  const KillSteps steps{
      [this](const std::string& name) { return FreshFolder(name); }, kill,
      [this](const std::filesystem::path& folder) { return CheckKilledFolder(folder); },
      [this](const std::filesystem::path& folder) { ExpectARunAgainCompletes(folder); }};
  const KillTally tally = KillRuns(steps, kKills, kMaxAttempts, "seed " + std::to_string(seed));
  const int kills = tally.kills;
  const std::map<int, int>& left = tally.left;
  std::cout << "archive run of " << took.count() << " s; after " << kills << " kills:";
  for (const auto& [version, count] : left) std::cout << " version " << version << " x" << count;
  std::cout << " (0: no result file); " << write_hit_ << " kills hit the write\n";
  if (HasFailure()) return;
  EXPECT_GE(kills, kKills) << "too many runs ended before their kill";
  // A run writes once or a few times: the kills aimed at the write must reach it.
  EXPECT_GT(write_hit_, 0) << "no kill hit the write of the result";
}

}  // namespace
}  // namespace velmora::testing
