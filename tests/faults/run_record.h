// What the fault tests compare against: the contents of a folder, and the
// result file after each benchmark of an undisturbed run over the survey.
#ifndef VELMORA_TESTS_FAULTS_RUN_RECORD_H
#define VELMORA_TESTS_FAULTS_RUN_RECORD_H

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace velmora::testing {

// The file's bytes, read in large blocks (ReadFileBytes goes a byte at a
// time, which is slow for a megabyte under the sanitizers).
std::string FileBytes(const std::filesystem::path& path);

// Every file's bytes by its path inside the folder; a folder is recorded
// under its path followed by "/" (with an empty text), so that a folder that
// appears, goes or turns into a file shows.
using FolderState = std::map<std::string, std::string>;
FolderState ReadFolderState(const std::filesystem::path& folder);

// The names in a state, one a line, for failure messages.
std::string Names(const FolderState& state);

// Versions[k - 1] is the result file after the k-th benchmark of the survey
// (its document, or another with the same waypoints), taken from a run with
// short pauses (VersionsFromRuns) against a well-behaved server: the
// server reads the result file whenever the next benchmark's page is asked
// for; the last version is the file the finished run leaves. Fails the
// calling test (and returns fewer versions) when that run goes wrong.
std::vector<std::string> RecordResultVersions(const std::string& document);
std::vector<std::string> RecordResultVersions();

// The result file after each benchmark of a run, as far as seen: element
// k - 1 is the file when the page after the k-th benchmark was asked for
// (nothing when there was none), the last one the file the run left.
using Snapshots = std::vector<std::optional<std::string>>;
using SnapshotRecording = std::function<Snapshots(const std::string& pause_scale)>;

// Writes are paced by their cost, so that a run may leave a benchmark's
// version out (the file after k benchmarks still holds an earlier one);
// pauses long next to a write make that rare. `record` runs with pauses at
// the scale it is given (VELMORA_PAUSE_SCALE), longer each time, until every
// version is known: seen after k benchmarks, a file that is none of the
// versions 1 to k - 1 is version k. Fewer versions when runs fail or all
// tries leave one out.
std::vector<std::string> VersionsFromRuns(const SnapshotRecording& record);

// The number k of the version that `bytes` equals, or 0 when none does.
int VersionNumber(const std::vector<std::string>& versions, const std::string& bytes);

// True when `name` is a file the chooser would offer: it ends in ".gpx" in
// any letter case.
bool ChooserWouldList(const std::string& name);

}  // namespace velmora::testing

#endif
