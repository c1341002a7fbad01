// The loop of the kill tests: runs killed one after another, each in a fresh
// folder, until enough were killed (runs that end first do not count),
// stopping at the first failure.
#ifndef VELMORA_TESTS_FAULTS_KILL_LOOP_H
#define VELMORA_TESTS_FAULTS_KILL_LOOP_H

#include <filesystem>
#include <functional>
#include <map>
#include <string>

namespace velmora::testing {

using Folder = std::filesystem::path;

struct KillSteps {
  std::function<Folder(const std::string& name)> fresh_folder;  // holding the run's input
  // Starts a run in the folder and kills it: its exit status; `when` the kill's moment.
  std::function<int(const Folder& folder, int attempt, std::string& when)> kill;
  std::function<int(const Folder& folder)> check;   // the version a kill left (0: none)
  std::function<void(const Folder& folder)> again;  // a run again completes
};

struct KillTally {
  int kills = 0;
  std::map<int, int> left;  // version left (0: no result file) -> kills
};

// Up to `attempts` runs until `kills` were killed by SIGKILL; a run that ended
// by itself must have ended well. `trace` starts each attempt's trace.
KillTally KillRuns(const KillSteps& steps, int kills, int attempts, const std::string& trace);

}  // namespace velmora::testing

#endif
