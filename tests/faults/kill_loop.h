// The loop of the kill tests: runs killed one after another, each in a fresh
// folder, until enough of them were killed (runs that end before their kill
// do not count), stopping at the first failure.
#ifndef VELMORA_TESTS_FAULTS_KILL_LOOP_H
#define VELMORA_TESTS_FAULTS_KILL_LOOP_H

#include <filesystem>
#include <functional>
#include <map>
#include <string>

namespace velmora::testing {

struct KillSteps {
  // A fresh folder of the given name, holding the run's input.
  std::function<std::filesystem::path(const std::string& name)> fresh_folder;
  // Starts a run in the folder and kills it: its exit status, and in `when`
  // the moment of the kill.
  std::function<int(const std::filesystem::path& folder, int attempt, std::string& when)> kill;
  // What a kill left in the folder: the result's version (0: none).
  std::function<int(const std::filesystem::path& folder)> check;
  // A run again over the folder's input completes.
  std::function<void(const std::filesystem::path& folder)> again;
};

struct KillTally {
  int kills = 0;
  std::map<int, int> left;  // version left (0: no result file) -> kills
};

// Up to `attempts` runs, until `kills` of them were killed by SIGKILL; a run
// that ended by itself must have ended well. `trace` starts every attempt's
// trace (the seed).
KillTally KillRuns(const KillSteps& steps, int kills, int attempts, const std::string& trace);

}  // namespace velmora::testing

#endif
