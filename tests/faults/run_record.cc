#include "tests/faults/run_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <mutex>
#include <optional>
#include <stdexcept>

#include "tests/faults/cli_under_test.h"
#include "tests/faults/survey_fixture.h"
#include "tests/faults/survey_server.h"
#include "tests/support/temp_dir.h"

namespace velmora::testing {

std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::string bytes(std::filesystem::file_size(path), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (in.gcount() != static_cast<std::streamsize>(bytes.size())) {
    throw std::runtime_error("cannot read all of " + path.string());
  }
  return bytes;
}

FolderState ReadFolderState(const std::filesystem::path& folder) {
  FolderState state;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    const std::string name = std::filesystem::relative(entry.path(), folder).string();
    if (entry.is_directory()) {
      state[name + "/"] = "";
    } else {
      state[name] = FileBytes(entry.path());
    }
  }
  return state;
}

std::string Names(const FolderState& state) {
  std::string names;
  for (const auto& [name, bytes] : state) names += name + "\n";
  return names;
}

std::vector<std::string> RecordResultVersions() {
  return RecordResultVersions(RidgeSurvey().document);
}

namespace {

// The result file after each benchmark as one run with pauses at `scale`
// left it; empty after a failure.
Snapshots RecordOnce(const std::string& document, const std::string& scale) {
  TempDir folder;
  WriteFileBytes(folder / kSurveyFile, document);
  const std::filesystem::path result = folder / kSurveyResultFile;
  std::mutex mutex;
  Snapshots seen;  // at each listing request
  SurveyServer server([&](const std::string&, int, httplib::Response&) {
    std::lock_guard<std::mutex> lock(mutex);
    if (std::filesystem::exists(result)) {
      seen.emplace_back(FileBytes(result));
    } else {
      seen.emplace_back(std::nullopt);
    }
    return false;
  });
  const ProgramResult run = RunCli({folder.path(), server.HostAndPort(), scale});
  EXPECT_EQ(run.exit_status, 0) << run.err;
  if (run.exit_status != 0 || seen.size() != RidgeSurvey().pids.size()) {
    ADD_FAILURE() << "the reference run made " << seen.size() << " listing requests";
    return {};
  }
  EXPECT_FALSE(seen.front().has_value()) << "a result file before the first benchmark";
  seen.erase(seen.begin());
  seen.emplace_back(FileBytes(result));
  return seen;
}

}  // namespace

std::vector<std::string> RecordResultVersions(const std::string& document) {
  return VersionsFromRuns([&](const std::string& scale) { return RecordOnce(document, scale); });
}

std::vector<std::string> VersionsFromRuns(const SnapshotRecording& record) {
  std::vector<std::string> versions;
  double scale = 0.02;
  for (int run = 0; run < 8; ++run, scale = std::min(2 * scale, 0.32)) {
    const Snapshots seen = record(std::to_string(scale));
    // After k benchmarks the file holds version k or an earlier one.
    while (versions.size() < seen.size()) {
      const std::optional<std::string>& next = seen[versions.size()];
      if (!next || std::find(versions.begin(), versions.end(), *next) != versions.end()) break;
      versions.push_back(*next);
    }
    if (seen.empty() || versions.size() == seen.size()) break;
  }
  return versions;
}

int VersionNumber(const std::vector<std::string>& versions, const std::string& bytes) {
  const auto found = std::find(versions.begin(), versions.end(), bytes);
  return found == versions.end() ? 0 : static_cast<int>(found - versions.begin()) + 1;
}

bool ChooserWouldList(const std::string& name) {
  if (name.size() < 4) return false;
  std::string ending = name.substr(name.size() - 4);
  std::transform(ending.begin(), ending.end(), ending.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ending == ".gpx";
}

}  // namespace velmora::testing
