// velmora-cli --resume after runs that were killed, interrupted or stopped by
// a busy website: the run goes on where the last one stopped, asks for no page
// twice (but the one an interruption cut off), and ends with the bytes of a
// run that was never stopped. A changed input or an edited result is never
// resumed.
#include <signal.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <mutex>
#include <random>
#include <string>
#include <thread>

#include "tests/faults/cli_under_test.h"
#include "tests/faults/run_record.h"
#include "tests/faults/survey_fixture.h"
#include "tests/faults/survey_server.h"
#include "tests/support/temp_dir.h"

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

constexpr int kRounds = 3;           // one folder each, killed until its run is done
constexpr int kMaxRunsPerRound = 25;
constexpr int kDatasheetLines = 300;
// About 100 ms between benchmarks, long next to a write: every benchmark is
// written, so a kill loses none but the one in hand.
constexpr const char* kPauseScale = "0.02";
constexpr int kNoPageStatus = 3;
const std::string kRecordFile = std::string(kSurveyResultFile) + ".resume";
const int kSignals[] = {SIGKILL, SIGINT, SIGTERM};

unsigned Seed() {
  if (const char* text = std::getenv("VELMORA_KILL_SEED")) {
    return static_cast<unsigned>(std::strtoul(text, nullptr, 10));
  }
  return std::random_device{}();
}

class ResumeFaultTest : public ::testing::Test {
 protected:
  fs::path Folder(const std::string& name, const std::string& document) {
    const fs::path folder = work_ / name;
    fs::create_directory(folder);
    WriteFileBytes(folder / kSurveyFile, document);
    return folder;
  }

  CliSetup Setup(const fs::path& folder, const std::string& host, const std::string& scale,
                 std::vector<std::string> options) {
    CliSetup setup(folder, host, scale);
    setup.options = std::move(options);
    return setup;
  }

  // Runs with --resume in `folder`, each killed with the next signal after a
  // random delay below `max_delay_us`, until one ends by itself (then a last
  // run finishes it). The count of runs that were interrupted.
  int KillAndResumeUntilDone(const CliSetup& setup, int max_delay_us, std::mt19937& random) {
    int interrupted = 0;
    for (int run = 0; run < kMaxRunsPerRound; ++run) {
      BackgroundCli cli(setup);
      const int delay = std::uniform_int_distribution<int>(0, max_delay_us)(random);
      std::this_thread::sleep_for(std::chrono::microseconds(delay));
      cli.Kill(kSignals[run % 3]);
      const int status = cli.Wait();
      if (status == 0) return interrupted;
      ++interrupted;
      EXPECT_TRUE(status == 128 + kSignals[run % 3]) << "status " << status;
      EXPECT_EQ(FileBytes(setup.folder / kSurveyFile), document_) << "the input changed";
    }
    const ProgramResult last = RunCli(setup);
    EXPECT_EQ(last.exit_status, 0) << last.err;
    return interrupted;
  }

  // The finished folder: the uninterrupted result, no record, the error log.
  void ExpectFinished(const fs::path& folder, const std::string& whole) {
    EXPECT_TRUE(FileBytes(folder / kSurveyResultFile) == whole)
        << "the resumed runs give another result";
    EXPECT_FALSE(fs::exists(folder / kRecordFile)) << "a finished run removes its record";
  }

  const std::string document_ = SurveyDocument(kDatasheetLines);
  TempDir work_;
};

TEST_F(ResumeFaultTest, RunsKilledAtRandomAndResumedEndWithTheResultOfOneUninterruptedRun) {
  const unsigned seed = Seed();
  std::cout << "kill seed " << seed << " (VELMORA_KILL_SEED=" << seed << " repeats it)\n";
  std::mt19937 random(seed);
  SurveyServer server;
  const fs::path plain = Folder("plain", document_);
  const auto start = std::chrono::steady_clock::now();
  const ProgramResult reference = RunCli({plain, server.HostAndPort(), kPauseScale});
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  ASSERT_EQ(reference.exit_status, 0) << reference.err;
  const std::string whole = FileBytes(plain / kSurveyResultFile);
  const int benchmarks = server.Requests();
  int kills = 0;
  for (int round = 0; round < kRounds && !HasFailure(); ++round) {
    SCOPED_TRACE("seed " + std::to_string(seed) + ", round " + std::to_string(round));
    const fs::path folder = Folder("round" + std::to_string(round), document_);
    const int before = server.Requests();
    const CliSetup setup = Setup(folder, server.HostAndPort(), kPauseScale, {"--resume"});
    const int interrupted =
        KillAndResumeUntilDone(setup, static_cast<int>(took.count() * 0.5e6), random);
    kills += interrupted;
    ExpectFinished(folder, whole);
    EXPECT_LE(server.Requests() - before, benchmarks + interrupted)
        << "a page asked for again beyond one per interruption";
  }
  std::cout << kills << " interruptions over " << kRounds << " resumed runs\n";
}

TEST_F(ResumeFaultTest, AfterCannotContinueTheRunGoesOnWhenTheWebsiteIsBack) {
  const std::string whole = RecordResultVersions().back();
  std::mutex mutex;
  std::map<std::string, int> asked;
  const std::string busy_pid = RidgeSurvey().pids.at(4);
  SurveyServer server([&](const std::string& pid, int attempt, httplib::Response& response) {
    std::lock_guard<std::mutex> lock(mutex);
    ++asked[pid];
    if (pid != busy_pid || attempt > 29) return false;  // busy for the first run only
    response.status = 503;
    response.set_content("<html><body><h1>Server Too Busy</h1></body></html>", "text/html");
    return true;
  });
  const fs::path folder = Folder("busy", RidgeSurvey().document);
  const ProgramResult stopped = RunCli(Setup(folder, server.HostAndPort(), "0", {}));
  EXPECT_EQ(stopped.exit_status, kNoPageStatus) << stopped.err;
  ASSERT_TRUE(fs::exists(folder / kRecordFile)) << "a stop keeps the record";

  const ProgramResult told = RunCli(Setup(folder, server.HostAndPort(), "0", {"--resume"}));
  EXPECT_EQ(told.exit_status, 0) << told.err;
  EXPECT_THAT(told.err, HasSubstr("Continuing the earlier run over ridge.gpx after 4 of "));
  ExpectFinished(folder, whole);
  for (const std::string& pid : RidgeSurvey().pids) {
    EXPECT_EQ(asked[pid], pid == busy_pid ? 30 : 1) << pid << " asked for again";
  }
  EXPECT_THAT(FileBytes(folder / "ErrorLog.txt"), HasSubstr("; resumed after 4"));
}

TEST_F(ResumeFaultTest, AHostThatTurnsToAnotherPageKeepsTheBenchmarksDoneAndIsResumedLater) {
  const std::string whole = RecordResultVersions().back();
  std::atomic<bool> retired{true};
  SurveyServer server([&](const std::string& pid, int, httplib::Response& response) {
    if (!retired || pid < RidgeSurvey().pids.at(3)) return false;
    response.set_content(RetiredPage(), "text/html");
    return true;
  });
  const fs::path folder = Folder("retired", RidgeSurvey().document);
  const ProgramResult stopped = RunCli(Setup(folder, server.HostAndPort(), "0", {}));
  EXPECT_EQ(stopped.exit_status, kNoPageStatus) << stopped.err;
  EXPECT_EQ(server.Requests(), 4) << "the other page is not asked for again";
  EXPECT_EQ(VersionNumber(RecordResultVersions(), FileBytes(folder / kSurveyResultFile)), 3);
  EXPECT_THAT(FileBytes(folder / "ErrorLog.txt"), HasSubstr("3 of 10 benchmarks; stopped: not a "
                                                            "listing page"));
  retired = false;
  const ProgramResult resumed = RunCli(Setup(folder, server.HostAndPort(), "0", {"--resume"}));
  EXPECT_EQ(resumed.exit_status, 0) << resumed.err;
  ExpectFinished(folder, whole);
}

TEST_F(ResumeFaultTest, AChangedInputOrAnEditedResultIsNeverResumed) {
  const std::string whole = RecordResultVersions().back();
  const std::string last_pid = RidgeSurvey().pids.back();
  std::atomic<int> requests{0};
  std::atomic<bool> busy{true};
  SurveyServer server([&](const std::string& pid, int, httplib::Response& response) {
    ++requests;
    if (!busy || pid != last_pid) return false;
    response.status = 503;
    response.set_content("<html><body><h1>Server Too Busy</h1></body></html>", "text/html");
    return true;
  });
  const fs::path folder = Folder("edited", RidgeSurvey().document);
  const CliSetup fresh = Setup(folder, server.HostAndPort(), "0", {});
  const CliSetup resume = Setup(folder, server.HostAndPort(), "0", {"--resume"});
  ASSERT_EQ(RunCli(fresh).exit_status, kNoPageStatus);
  // Without --resume: a fresh run that says the earlier one could go on.
  const ProgramResult again = RunCli(fresh);
  EXPECT_THAT(again.err, HasSubstr("An earlier run over ridge.gpx stopped after "));
  EXPECT_THAT(again.err, HasSubstr("it can be resumed with --resume."));
  WriteFileBytes(folder / kSurveyResultFile, FileBytes(folder / kSurveyResultFile) + "\r\n");
  const ProgramResult edited = RunCli(resume);
  EXPECT_THAT(edited.err,
              HasSubstr("Starting a fresh run: the result file was changed or is missing."));
  WriteFileBytes(folder / kSurveyFile, RidgeSurvey().document + "\r\n");
  busy = false;
  requests = 0;
  const ProgramResult changed = RunCli(resume);
  EXPECT_EQ(changed.exit_status, 0) << changed.err;
  EXPECT_THAT(changed.err,
              HasSubstr("Starting a fresh run: the input file has changed since the earlier run."));
  EXPECT_EQ(requests, static_cast<int>(RidgeSurvey().pids.size())) << "every page asked again";
  EXPECT_EQ(FileBytes(folder / kSurveyResultFile), whole + "\r\n");
  EXPECT_FALSE(fs::exists(folder / kRecordFile));
}

TEST_F(ResumeFaultTest, RunsOverADatasheetFileKilledAndResumedEndWithTheUninterruptedResult) {
  std::mt19937 random(Seed());
  SurveyServer server;  // never asked: the logs come from the file
  const std::string archive = (fs::path(VELMORA_DATASHEET_FIXTURES) / "AB1234.txt").string();
  const std::vector<std::string> options = {"--datasheets", archive};
  const fs::path plain = Folder("plain", document_);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(RunCli(Setup(plain, server.HostAndPort(), "0", options)).exit_status, 0);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  const std::string whole = FileBytes(plain / kSurveyResultFile);
  std::vector<std::string> resume_options = options;
  resume_options.push_back("--resume");
  for (int round = 0; round < kRounds && !HasFailure(); ++round) {
    const fs::path folder = Folder("archive" + std::to_string(round), document_);
    KillAndResumeUntilDone(Setup(folder, server.HostAndPort(), "0", resume_options),
                           static_cast<int>(took.count() * 1.2e6), random);
    ExpectFinished(folder, whole);
  }
  EXPECT_EQ(server.Requests(), 0);
}

}  // namespace
}  // namespace velmora::testing
