// velmora-cli killed with SIGKILL at random moments of a run: the result file
// is always absent or one complete per-benchmark version, and a run started
// again over the input completes.
#include <signal.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <map>
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

constexpr int kKills = 60;
constexpr int kMaxAttempts = 150;  // runs that end before their kill do not count
// Pauses of about 20 ms between benchmarks: a run lasts a fraction of a
// second, and the kills land in pauses, downloads and writes alike.
constexpr const char* kKillPauseScale = "0.004";
constexpr const char* kErrorLog = "ErrorLog.txt";

unsigned KillSeed() {
  if (const char* text = std::getenv("VELMORA_KILL_SEED")) {
    return static_cast<unsigned>(std::strtoul(text, nullptr, 10));
  }
  return std::random_device{}();
}

// Seconds that an undisturbed run takes at the pause scale of the kills.
double RunSeconds(const std::filesystem::path& folder, const std::string& host,
                  const std::string& last_version) {
  std::filesystem::create_directory(folder);
  WriteFileBytes(folder / kSurveyFile, RidgeSurvey().document);
  const auto start = std::chrono::steady_clock::now();
  const ProgramResult run = RunCli({folder, host, kKillPauseScale});
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(run.exit_status, 0) << run.err;
  EXPECT_EQ(ReadFileBytes(folder / kSurveyResultFile), last_version);
  return took.count();
}

// What a kill left in `folder`: the input unchanged; the result file absent
// (0) or a complete version (its number); no other file the chooser would
// offer. Other files (a temporary file cut short) go to `stale`.
int CheckKilledFolder(const std::filesystem::path& folder,
                      const std::vector<std::string>& versions, std::map<std::string, int>& stale) {
  FolderState state = ReadFolderState(folder);
  EXPECT_EQ(state[kSurveyFile], RidgeSurvey().document) << "the input file changed";
  int version = 0;
  if (const auto result = state.find(kSurveyResultFile); result != state.end()) {
    version = VersionNumber(versions, result->second);
    EXPECT_NE(version, 0) << "the result file (" << result->second.size()
                          << " bytes) is no complete version";
  }
  if (state.count(kErrorLog) != 0) {
    EXPECT_EQ(version, static_cast<int>(versions.size())) << "error log of an unfinished run";
  }
  for (const auto& [name, bytes] : state) {
    if (name == kSurveyFile || name == kSurveyResultFile || name == kErrorLog) continue;
    EXPECT_FALSE(ChooserWouldList(name)) << "'" << name << "' would be offered as a GPX file";
    ++stale[name];
  }
  return version;
}

TEST(KillSafetyTest, AKilledRunLeavesNoResultOrACompleteVersionAndARunAgainCompletes) {
  const std::vector<std::string> versions = RecordResultVersions();
  ASSERT_EQ(versions.size(), RidgeSurvey().pids.size());
  for (std::size_t k = 1; k < versions.size(); ++k) {
    // Every benchmark changes the file, so each version tells how far a run got.
    ASSERT_NE(versions[k], versions[k - 1]) << "benchmark " << k + 1 << " changed nothing";
  }
  const unsigned seed = KillSeed();
  std::cout << "kill seed " << seed << " (VELMORA_KILL_SEED=" << seed << " repeats it)\n";
  RecordProperty("kill_seed", std::to_string(seed));
  std::mt19937 random(seed);

  SurveyServer server;
  TempDir work;
  const double run_seconds = RunSeconds(work / "timed", server.HostAndPort(), versions.back());
  std::uniform_int_distribution<int> kill_after_us(0, static_cast<int>(run_seconds * 1.1e6));
  std::map<int, int> left;  // version number (0: no result file) -> kills
  std::map<std::string, int> stale;
  int kills = 0;
  for (int attempt = 1; attempt <= kMaxAttempts && kills < kKills && !HasFailure(); ++attempt) {
    const std::filesystem::path folder = work / ("attempt" + std::to_string(attempt));
    std::filesystem::create_directory(folder);
    WriteFileBytes(folder / kSurveyFile, RidgeSurvey().document);
    const int delay = kill_after_us(random);
    SCOPED_TRACE("seed " + std::to_string(seed) + ", attempt " + std::to_string(attempt) +
                 ", killed after " + std::to_string(delay) + " us");
    BackgroundCli cli({folder, server.HostAndPort(), kKillPauseScale});
    std::this_thread::sleep_for(std::chrono::microseconds(delay));
    cli.Kill(SIGKILL);
    const int status = cli.Wait();
    if (status == 128 + SIGKILL) {
      ++kills;
      ++left[CheckKilledFolder(folder, versions, stale)];
    } else {
      EXPECT_EQ(status, 0) << "a run that was not killed failed";
      EXPECT_EQ(ReadFileBytes(folder / kSurveyResultFile), versions.back());
    }
    const ProgramResult again = RunCli({folder, server.HostAndPort()});
    EXPECT_EQ(again.exit_status, 0) << again.err;
    const FolderState state = ReadFolderState(folder);
    const FolderState finished{{kErrorLog, ""}, {kSurveyFile, ""}, {kSurveyResultFile, ""}};
    EXPECT_EQ(Names(state), Names(finished)) << "a finished run leaves only these";
    EXPECT_EQ(state.at(kSurveyResultFile), versions.back());
    std::filesystem::remove_all(folder);
  }
  EXPECT_GE(kills, kKills) << "too many runs ended before their kill";
  std::cout << "run of " << run_seconds << " s; after " << kills << " kills the result file was:";
  for (const auto& [version, count] : left) {
    std::cout << (version == 0 ? " absent" : " version " + std::to_string(version)) << " x"
              << count << ";";
  }
  std::cout << "\n";
  for (const auto& [name, count] : stale) {
    std::cout << "stale file '" << name << "' left by " << count << " kills\n";
  }
  // Kills at random moments reach the run's beginning, middle and end.
  EXPECT_GE(left.size(), 3u) << "the kills all hit the same stage of the run";
}

}  // namespace
}  // namespace velmora::testing
