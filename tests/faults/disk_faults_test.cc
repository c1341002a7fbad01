// velmora-cli when the result file cannot be written: the failure's number
// and description reach the user on standard error, the exit status is the
// file-failure status, the result file already written stays as it was, and
// nothing else in the folder is touched.
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>

#include "tests/faults/cli_under_test.h"
#include "tests/faults/run_record.h"
#include "tests/faults/scratch_file_system.h"
#include "tests/faults/survey_fixture.h"
#include "tests/faults/survey_server.h"
#include "tests/support/temp_dir.h"

namespace velmora::testing {
namespace {

using ::testing::HasSubstr;

constexpr int kFileErrorStatus = 7;  // velmora-cli: a file could not be read or written
constexpr std::size_t kScratchBytes = 1 << 20;

std::string FailureText(int number) {
  return "file error " + std::to_string(number) + ": " + std::strerror(number);
}

class DiskFaultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    versions_ = RecordResultVersions();
    ASSERT_EQ(versions_.size(), RidgeSurvey().pids.size());
  }

  // Runs over the survey in `folder`; `fault` strikes when the third
  // benchmark's page is asked for, after two benchmarks were written. The
  // folder's state right after the fault goes to at_fault_.
  ProgramResult RunWithFaultAtBenchmark3(const std::filesystem::path& folder,
                                         const std::function<void()>& fault) {
    WriteFileBytes(folder / kSurveyFile, RidgeSurvey().document);
    const std::string third = RidgeSurvey().pids.at(2);
    SurveyServer server([&](const std::string& pid, int attempt, httplib::Response&) {
      if (pid == third && attempt == 1) {
        fault();
        at_fault_ = ReadFolderState(folder);
      }
      return false;
    });
    // Pauses long next to a write: the first two benchmarks are each written.
    return RunCli({folder, server.HostAndPort(), "0.1"});
  }

  // The run stopped at the third benchmark's write with failure `number`; the
  // first two benchmarks' result file and everything else stayed.
  void ExpectStoppedAtThirdWrite(const ProgramResult& run, const std::filesystem::path& folder,
                                 int number) {
    EXPECT_EQ(run.exit_status, kFileErrorStatus) << run.err;
    EXPECT_THAT(run.err, HasSubstr(FailureText(number)));
    ASSERT_EQ(at_fault_.count(kSurveyResultFile), 1u) << "no result file before the fault";
    EXPECT_EQ(VersionNumber(versions_, at_fault_.at(kSurveyResultFile)), 2);
    const FolderState after = ReadFolderState(folder);
    EXPECT_EQ(Names(after), Names(at_fault_));
    EXPECT_TRUE(after == at_fault_) << "the folder changed after the fault";
  }

  std::vector<std::string> versions_;
  FolderState at_fault_;
};

TEST_F(DiskFaultTest, AFolderThatTurnsReadOnlyKeepsTheResultWrittenBefore) {
  if (geteuid() != 0) {
    // The owner's write permission taken away (root would ignore it).
    TempDir folder;
    const ProgramResult run = RunWithFaultAtBenchmark3(folder.path(), [&] {
      std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_write,
                                   std::filesystem::perm_options::remove);
    });
    ExpectStoppedAtThirdWrite(run, folder.path(), EACCES);
    return;
  }
  std::string why_not;
  const auto scratch = ScratchFileSystem::Mount(kScratchBytes, why_not);
  if (!scratch) GTEST_SKIP() << why_not;
  const ProgramResult run =
      RunWithFaultAtBenchmark3(scratch->path(), [&] { scratch->MakeReadOnly(); });
  ExpectStoppedAtThirdWrite(run, scratch->path(), EROFS);
}

TEST_F(DiskFaultTest, AFullFileSystemKeepsTheResultWrittenBefore) {
  std::string why_not;
  const auto scratch = ScratchFileSystem::Mount(kScratchBytes, why_not);
  if (!scratch) GTEST_SKIP() << why_not;
  const ProgramResult run = RunWithFaultAtBenchmark3(scratch->path(), [&] { scratch->Fill(); });
  ExpectStoppedAtThirdWrite(run, scratch->path(), ENOSPC);
  EXPECT_EQ(at_fault_.count("filler"), 1u);
}

TEST_F(DiskFaultTest, AReadOnlyFolderIsRefusedBeforeTheFirstRequest) {
  // Root would ignore the owner's write permission; a read-only mount it cannot.
  TempDir own;
  std::string why_not;
  const auto scratch = geteuid() == 0 ? ScratchFileSystem::Mount(kScratchBytes, why_not) : nullptr;
  if (geteuid() == 0 && !scratch) GTEST_SKIP() << why_not;
  const std::filesystem::path folder = scratch ? scratch->path() : own.path();
  WriteFileBytes(folder / kSurveyFile, RidgeSurvey().document);
  if (scratch) scratch->MakeReadOnly();
  else std::filesystem::permissions(folder, std::filesystem::perms::owner_write,
                                    std::filesystem::perm_options::remove);
  const FolderState before = ReadFolderState(folder);
  SurveyServer server;
  const ProgramResult run = RunCli({folder, server.HostAndPort()});
  EXPECT_EQ(run.exit_status, kFileErrorStatus) << run.err;
  EXPECT_THAT(run.err, HasSubstr(FailureText(scratch ? EROFS : EACCES)));
  EXPECT_EQ(server.Requests(), 0);
  EXPECT_TRUE(ReadFolderState(folder) == before) << "the folder changed";
}

TEST_F(DiskFaultTest, AFolderInThePlaceOfTheResultFileIsLeftAsItIs) {
  TempDir folder;
  WriteFileBytes(folder / kSurveyFile, RidgeSurvey().document);
  std::filesystem::create_directory(folder / kSurveyResultFile);
  WriteFileBytes(folder / kSurveyResultFile / "notes.txt", "the user's own notes\n");
  const FolderState before = ReadFolderState(folder.path());
  SurveyServer server;
  const ProgramResult run = RunCli({folder.path(), server.HostAndPort()});
  EXPECT_EQ(run.exit_status, kFileErrorStatus) << run.err;
  EXPECT_THAT(run.err, HasSubstr(FailureText(EISDIR)));
  EXPECT_EQ(server.Requests(), 0) << "refused before the first request";
  const FolderState after = ReadFolderState(folder.path());
  EXPECT_EQ(Names(after), Names(before));
  EXPECT_TRUE(after == before) << "the folder changed";
}

}  // namespace
}  // namespace velmora::testing
