// velmora-cli killed with SIGKILL at random moments of a run: the result file
// is always absent or one complete per-benchmark version, and a run started
// again over the input completes.
#include <signal.h>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <iostream>
#include <map>
#include <mutex>
#include <random>
#include <string>
#include <thread>

#include "tests/faults/cli_under_test.h"
#include "tests/faults/creation_watch.h"
#include "tests/faults/kill_loop.h"
#include "tests/faults/run_record.h"
#include "tests/faults/survey_fixture.h"
#include "tests/faults/survey_server.h"
#include "tests/support/temp_dir.h"

namespace velmora::testing {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::microseconds;

constexpr int kKills = 60;
constexpr int kMaxAttempts = 150;  // runs that end before their kill do not count
// About 1 MB of document: each write of the result file takes a
// millisecond or more, a window that the kills can hit.
constexpr int kDatasheetLines = 1000;
// Pauses of about 20 ms between benchmarks: a run lasts a fraction of a second.
constexpr const char* kKillPauseScale = "0.004";
// After a page was asked for, the page is cut up, the document edited and
// written within a few milliseconds; kills aimed there reach the write.
constexpr int kAfterPageWindowUs = 12000;
// A file created in the folder is written, flushed and renamed within a few
// milliseconds; kills aimed there hit the write itself.
constexpr int kAfterCreationWindowUs = 3000;
constexpr const char* kErrorLog = "ErrorLog.txt";

unsigned KillSeed() {
  if (const char* text = std::getenv("VELMORA_KILL_SEED")) {
    return static_cast<unsigned>(std::strtoul(text, nullptr, 10));
  }
  return std::random_device{}();
}

// Counts the listing requests of the run in hand, so that a kill can be
// aimed at the moments right after the k-th page was asked for.
class RequestWatch {
 public:
  void Reset() {
    std::lock_guard<std::mutex> lock(mutex_);
    count_ = 0;
  }
  void Count() {
    std::lock_guard<std::mutex> lock(mutex_);
    ++count_;
    counted_.notify_all();
  }
  // False when the run did not get that far within a few seconds.
  bool WaitFor(int count) {
    std::unique_lock<std::mutex> lock(mutex_);
    return counted_.wait_for(lock, std::chrono::seconds(5), [&] { return count_ >= count; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable counted_;
  int count_ = 0;
};

class KillSafetyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    versions_ = RecordResultVersions(document_);
    ASSERT_EQ(versions_.size(), RidgeSurvey().pids.size());
    for (std::size_t k = 1; k < versions_.size(); ++k) {
      // Every benchmark changes the file, so each version tells how far a run got.
      ASSERT_NE(versions_[k], versions_[k - 1]) << "benchmark " << k + 1 << " changed nothing";
    }
  }

  std::filesystem::path FreshFolder(const std::string& name) {
    const std::filesystem::path folder = work_ / name;
    std::filesystem::create_directory(folder);
    WriteFileBytes(folder / kSurveyFile, document_);
    return folder;
  }

  // Seconds that an undisturbed run takes at the pause scale of the kills.
  double RunSeconds() {
    const std::filesystem::path folder = FreshFolder("timed");
    const auto start = Clock::now();
    const ProgramResult run = RunCli({folder, server_.HostAndPort(), kKillPauseScale});
    const std::chrono::duration<double> took = Clock::now() - start;
    EXPECT_EQ(run.exit_status, 0) << run.err;
    EXPECT_TRUE(FileBytes(folder / kSurveyResultFile) == versions_.back())
        << "an undisturbed run gives another result";
    return took.count();
  }

  // Starts a run in `folder` and kills it, in turn at a moment anywhere in
  // the run, shortly after a page was asked for, and shortly after a file
  // was created in the folder. The exit status.
  int KillARun(const std::filesystem::path& folder, int attempt, std::mt19937& random,
               std::string& when) {
    const int files = static_cast<int>(versions_.size());
    const int nth = std::uniform_int_distribution<int>(1, files)(random);
    watch_.Reset();
    CreationWatch creations(folder);
    BackgroundCli cli({folder, server_.HostAndPort(), kKillPauseScale});
    int delay = std::uniform_int_distribution<int>(0, run_us_)(random);
    when = "killed " + std::to_string(delay) + " us after the start";
    if (attempt % 3 == 2) {
      delay = std::uniform_int_distribution<int>(0, kAfterPageWindowUs)(random);
      when = "killed " + std::to_string(delay) + " us after page " + std::to_string(nth);
      if (!watch_.WaitFor(nth)) delay = 0;
    } else if (attempt % 3 == 0 && CreationWatch::Available()) {
      delay = std::uniform_int_distribution<int>(0, kAfterCreationWindowUs)(random);
      when = "killed " + std::to_string(delay) + " us after file " + std::to_string(nth) +
             " was created";
      if (!creations.WaitFor(nth, std::chrono::seconds(5))) delay = 0;
    }
    std::this_thread::sleep_for(microseconds(delay));
    cli.Kill(SIGKILL);
    return cli.Wait();
  }

  // What a kill left: the input unchanged; the result file absent (0) or a
  // complete version (its number); no other file the chooser would offer.
  // Other files (a temporary file cut short) are counted in stale_.
  int CheckKilledFolder(const std::filesystem::path& folder) {
    FolderState state = ReadFolderState(folder);
    EXPECT_TRUE(state[kSurveyFile] == document_) << "the input file changed";
    int version = 0;
    if (const auto result = state.find(kSurveyResultFile); result != state.end()) {
      version = VersionNumber(versions_, result->second);
      EXPECT_NE(version, 0) << "the result file (" << result->second.size()
                            << " bytes) is no complete version";
    }
    if (state.count(kErrorLog) != 0) {
      EXPECT_EQ(version, static_cast<int>(versions_.size())) << "error log of an unfinished run";
    }
    for (const auto& [name, bytes] : state) {
      if (name == kSurveyFile || name == kSurveyResultFile || name == kErrorLog) continue;
      EXPECT_FALSE(ChooserWouldList(name)) << "'" << name << "' would be offered as a GPX file";
      ++stale_[name];
    }
    return version;
  }

  // A run over the input in `folder` completes, whatever a kill left there.
  void ExpectARunAgainCompletes(const std::filesystem::path& folder) {
    const ProgramResult again = RunCli({folder, server_.HostAndPort()});
    EXPECT_EQ(again.exit_status, 0) << again.err;
    const FolderState state = ReadFolderState(folder);
    const FolderState finished{{kErrorLog, ""}, {kSurveyFile, ""}, {kSurveyResultFile, ""}};
    EXPECT_EQ(Names(state), Names(finished)) << "a finished run leaves only these";
    EXPECT_TRUE(state.count(kSurveyResultFile) != 0 &&
                state.at(kSurveyResultFile) == versions_.back())
        << "the run again gives another result";
  }

  void Report(double run_seconds, int kills, const std::map<int, int>& left) const {
    std::cout << "run of " << run_seconds << " s; after " << kills << " kills the result file was:";
    for (const auto& [version, count] : left) {
      std::cout << (version == 0 ? " absent" : " version " + std::to_string(version)) << " x"
                << count << ";";
    }
    std::cout << "\n";
    for (const auto& [name, count] : stale_) {
      std::cout << "stale file '" << name << "' left by " << count << " kills\n";
    }
  }

  const std::string document_ = SurveyDocument(kDatasheetLines);
  std::vector<std::string> versions_;
  RequestWatch watch_;
  SurveyServer server_{[this](const std::string&, int, httplib::Response&) {
    watch_.Count();
    return false;
  }};
  TempDir work_;
  int run_us_ = 0;
  std::map<std::string, int> stale_;
};

TEST_F(KillSafetyTest, AKilledRunLeavesNoResultOrACompleteVersionAndARunAgainCompletes) {
  const unsigned seed = KillSeed();
  std::cout << "kill seed " << seed << " (VELMORA_KILL_SEED=" << seed << " repeats it)\n";
  RecordProperty("kill_seed", std::to_string(seed));
  std::mt19937 random(seed);
  const double run_seconds = RunSeconds();
  run_us_ = static_cast<int>(run_seconds * 1.1e6);
  const KillSteps steps{
      [this](const std::string& name) { return FreshFolder(name); },
      [&](const std::filesystem::path& folder, int attempt, std::string& when) {
        return KillARun(folder, attempt, random, when);
      },
      [this](const std::filesystem::path& folder) { return CheckKilledFolder(folder); },
      [this](const std::filesystem::path& folder) { ExpectARunAgainCompletes(folder); }};
  const KillTally tally = KillRuns(steps, kKills, kMaxAttempts, "seed " + std::to_string(seed));
  const int kills = tally.kills;
  const std::map<int, int>& left = tally.left;
  Report(run_seconds, kills, left);
  if (HasFailure()) return;  // stopped at the first kill that went wrong
  EXPECT_GE(kills, kKills) << "too many runs ended before their kill";
  // Kills at random moments reach the run's beginning, middle and end.
  EXPECT_GE(left.size(), 3u) << "the kills all hit the same stage of the run";
}

}  // namespace
}  // namespace velmora::testing
