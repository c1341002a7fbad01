#include "app/program.h"

#include <QByteArray>
#include <gmock/gmock.h>

#include <cerrno>
#include <filesystem>

#include "app/frm_get_gpx.h"
#include "app/program_end.h"
#include "tests/app/chooser_actions.h"
#include "tests/support/fakes.h"
#include "tests/support/temp_dir.h"

namespace velmora::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;

class ProgramTest : public ::testing::Test {
 protected:
  ProgramTest() { settings_.pause_scale = 0; }

  int Start(std::function<void(velmora::Run&)> process, const StartFolder& start = {}) {
    ProgramParts parts{Edges{pages_, clock_, pump_, messages_, watcher_}, std::move(process),
                       [this](const std::string& text) { error_log_.push_back(text); },
                       [](frmGetGPX& chooser) { ChooseEntry(chooser, "quads.gpx"); }};
    return RunProgram(settings_, "", parts, start);
  }

  TempDir dir_;
  CurrentDir in_dir_{dir_.path()};
  Settings settings_;
  RecordingMessages messages_;
  ScriptedPageSource pages_;
  FakeClock clock_;
  FakePump pump_{clock_};
  NoProgress watcher_;
  std::vector<std::string> error_log_;
};

TEST_F(ProgramTest, FinishedRunEndsWithStatusZero) {
  WriteFileBytes(dir_ / "quads.gpx", "<gpx/>");
  EXPECT_EQ(Start([](velmora::Run& run) { run.state.RunFinished = true; }), 0);
  EXPECT_THAT(messages_.texts(), ::testing::ElementsAre("              Finished         "));
  EXPECT_EQ(error_log_.size(), 1u);
}

TEST_F(ProgramTest, EmptyFolderWithoutAFolderDialogEndsQuietly) {
  EXPECT_EQ(Start([](velmora::Run&) { ADD_FAILURE() << "nothing to process"; }), 0);
  EXPECT_THAT(messages_.shown, IsEmpty());
}

TEST_F(ProgramTest, UseOfTheClosedWindowEndsQuietly) {
  WriteFileBytes(dir_ / "quads.gpx", "<gpx/>");
  EXPECT_EQ(Start([](velmora::Run& run) {
              run.state.MainClosing = true;  // the window closed during a pause
              run.edges.progress.SetCount(1);
            }),
            0);
  EXPECT_THAT(messages_.shown, IsEmpty());
  EXPECT_THAT(error_log_, IsEmpty());
}

TEST_F(ProgramTest, UntrappedFileFailureIsReportedAndEndsWithFailureStatus) {
  WriteFileBytes(dir_ / "quads.gpx", "<gpx/>");
  const int status = Start([this](velmora::Run&) {
    WriteFileBytes(dir_ / "quads R.gpx", "first benchmark");  // written before
    throw FileError(ENOSPC, "No space left on device", "quads R.gpx");
  });
  EXPECT_EQ(status, kExitFailure);
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_THAT(messages_.shown[0].text, HasSubstr(std::to_string(ENOSPC)));
  EXPECT_THAT(messages_.shown[0].text, HasSubstr("No space left on device"));
  EXPECT_EQ(messages_.shown[0].title, "");
  EXPECT_EQ(messages_.shown[0].icon, MessageIcon::kError);
  EXPECT_THAT(error_log_, IsEmpty());
  EXPECT_EQ(ReadFileBytes(dir_ / "quads R.gpx"), "first benchmark");
}

TEST_F(ProgramTest, OtherUntrappedFailuresAreReportedToo) {
  WriteFileBytes(dir_ / "quads.gpx", "<gpx/>");
  EXPECT_EQ(Start([](velmora::Run&) { throw std::runtime_error("out of order"); }), kExitFailure);
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_THAT(messages_.shown[0].text, HasSubstr("out of order"));
}

TEST(FailureReportTest, GivesNumberDescriptionAndFile) {
  const Message report = FailureReport(FileError(13, "Permission denied", "quads R.gpx"));
  EXPECT_EQ(report.text, "Error 13: Permission denied\n\nFile: quads R.gpx");
  EXPECT_EQ(report.icon, MessageIcon::kError);
  EXPECT_EQ(FailureReport(FileError(5, "Input/output error", "")).text, "Error 5: Input/output error");
}

TEST(CommandLineTextTest, JoinsTheArgumentsAfterTheProgramName) {
  const char* none[] = {"velmora"};
  const char* quick[] = {"velmora", "QUICK"};
  const char* two[] = {"velmora", "quick", "now"};
  EXPECT_EQ(CommandLineText(1, none), "");
  EXPECT_EQ(CommandLineText(2, quick), "QUICK");
  EXPECT_EQ(CommandLineText(3, two), "quick now");
}

class LoadSettingsTest : public ::testing::Test {
 protected:
  ~LoadSettingsTest() override { qunsetenv("VELMORA_PAUSE_SCALE"); }
  RecordingMessages messages_;
  Settings settings_;
};

TEST_F(LoadSettingsTest, RefusesAnInvalidSettingWithAMessageNamingIt) {
  qputenv("VELMORA_PAUSE_SCALE", "fast");
  EXPECT_FALSE(LoadSettings(messages_, settings_));
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_THAT(messages_.shown[0].text, HasSubstr("VELMORA_PAUSE_SCALE"));
  EXPECT_EQ(messages_.shown[0].icon, MessageIcon::kError);
}

TEST_F(LoadSettingsTest, TakesAValidSetting) {
  qputenv("VELMORA_PAUSE_SCALE", "0.5");
  EXPECT_TRUE(LoadSettings(messages_, settings_));
  EXPECT_DOUBLE_EQ(settings_.pause_scale, 0.5);
  EXPECT_THAT(messages_.shown, IsEmpty());
}

}  // namespace
}  // namespace velmora::testing
