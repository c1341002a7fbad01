#include "tests/faults/kill_loop.h"

#include <signal.h>

#include <gtest/gtest.h>

namespace velmora::testing {

KillTally KillRuns(const KillSteps& steps, int kills, int attempts, const std::string& trace) {
  KillTally tally;
  for (int attempt = 1;
       attempt <= attempts && tally.kills < kills && !::testing::Test::HasFailure(); ++attempt) {
    const std::filesystem::path folder = steps.fresh_folder("attempt" + std::to_string(attempt));
    std::string when;
    const int status = steps.kill(folder, attempt, when);
    SCOPED_TRACE(trace + ", attempt " + std::to_string(attempt) + ", " + when);
    if (status == 128 + SIGKILL) {
      ++tally.kills;
      ++tally.left[steps.check(folder)];
    } else {
      EXPECT_EQ(status, 0) << "a run that was not killed failed";
    }
    steps.again(folder);
    std::filesystem::remove_all(folder);
  }
  return tally;
}

}  // namespace velmora::testing
