#include "app/start_folder.h"

#include <gmock/gmock.h>

#include <filesystem>

#include "app/program.h"
#include "tests/app/chooser_actions.h"
#include "tests/support/fakes.h"
#include "tests/support/temp_dir.h"

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

TEST(ParseStartArgumentsTest, SplitsQuickInAnyCaseFromTheFileOrFolder) {
  const char* none[] = {"velmora"};
  const char* quick[] = {"velmora", "QuIcK"};
  const char* file[] = {"velmora", "/data/quads.gpx"};
  const char* both[] = {"velmora", "quick", "/data/my quads.gpx"};
  const char* after[] = {"velmora", "/data", "Quick"};
  const char* extra[] = {"velmora", "/data", "now"};
  EXPECT_EQ(ParseStartArguments(1, none).command_line, "");
  EXPECT_EQ(ParseStartArguments(1, none).path, "");
  EXPECT_EQ(ParseStartArguments(2, quick).command_line, "QuIcK");
  EXPECT_EQ(ParseStartArguments(2, quick).path, "");
  EXPECT_EQ(ParseStartArguments(2, file).command_line, "");
  EXPECT_EQ(ParseStartArguments(2, file).path, "/data/quads.gpx");
  EXPECT_EQ(ParseStartArguments(3, both).command_line, "quick");
  EXPECT_EQ(ParseStartArguments(3, both).path, "/data/my quads.gpx");
  EXPECT_EQ(ParseStartArguments(3, after).command_line, "Quick");
  EXPECT_EQ(ParseStartArguments(3, after).path, "/data");
  EXPECT_EQ(ParseStartArguments(3, extra).command_line, "now");  // not a quick run
}

class PrepareStartTest : public ::testing::Test {
 protected:
  PrepareStartTest() {
    fs::create_directories(home_ / "tracks");
    fs::create_directories(home_ / "empty");
    WriteFileBytes(home_ / "tracks" / "quads.gpx", "<gpx/>");
  }
  StartStep Prepare(const std::string& path) {
    return PrepareStart(StartFolder{path, [this](const std::string& title) {
                                      titles_.push_back(title);
                                      return answer_;
                                    }},
                        state_, messages_);
  }
  bool InFolder(const std::string& name) const {
    return fs::equivalent(fs::current_path(), home_ / name);
  }

  TempDir dir_;
  const fs::path home_ = dir_.path();
  CurrentDir in_dir_{dir_.path()};
  RunState state_;
  RecordingMessages messages_;
  std::string answer_;  // the folder dialog's answer; empty: cancelled
  std::vector<std::string> titles_;
};

TEST_F(PrepareStartTest, AFileIsRunInItsOwnFolder) {
  EXPECT_EQ(Prepare((home_ / "tracks" / "quads.gpx").string()), StartStep::kRunFile);
  EXPECT_TRUE(InFolder("tracks"));
  EXPECT_EQ(state_.GPXFileName, "quads.gpx");
  EXPECT_THAT(titles_, IsEmpty());
  EXPECT_THAT(messages_.shown, IsEmpty());
}

// Also a folder without GPX files: the chooser there offers to make one.
TEST_F(PrepareStartTest, AFolderOpensTheChooserThere) {
  EXPECT_EQ(Prepare("tracks"), StartStep::kChooser);
  EXPECT_TRUE(InFolder("tracks"));
  EXPECT_TRUE(state_.GPXFileName.empty());
  EXPECT_EQ(Prepare((home_ / "empty").string()), StartStep::kChooser);
  EXPECT_TRUE(InFolder("empty"));
  EXPECT_THAT(messages_.shown, IsEmpty());
  EXPECT_THAT(titles_, IsEmpty());
}

TEST_F(PrepareStartTest, AnEmptyWorkingFolderAsksForAFolder) {
  fs::current_path(home_ / "empty");
  EXPECT_EQ(Prepare(""), StartStep::kEnd);  // cancelled: no message
  EXPECT_THAT(messages_.shown, IsEmpty());
  answer_ = (home_ / "tracks").string();
  EXPECT_EQ(Prepare(""), StartStep::kChooser);
  EXPECT_TRUE(InFolder("tracks"));
  EXPECT_THAT(titles_, ElementsAre("Choose the folder that holds your GPX files",
                                   "Choose the folder that holds your GPX files"));
  EXPECT_EQ(Prepare(""), StartStep::kChooser);  // GPX files here: no dialog
  EXPECT_EQ(titles_.size(), 2u);

  fs::current_path(home_ / "empty");
  answer_ = (home_ / "empty").string();
  EXPECT_EQ(Prepare(""), StartStep::kChooser);
  EXPECT_TRUE(InFolder("empty"));
}

TEST_F(PrepareStartTest, AMissingFileOrFolderIsRefused) {
  EXPECT_EQ(Prepare((home_ / "gone.gpx").string()), StartStep::kRefused);
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_THAT(messages_.shown[0].text, HasSubstr("gone.gpx"));
  EXPECT_EQ(messages_.shown[0].icon, MessageIcon::kError);
  EXPECT_TRUE(fs::equivalent(fs::current_path(), home_));
}

TEST_F(PrepareStartTest, AProgramStartWithAFileRunsItWithoutTheChooser) {
  Settings settings;
  settings.pause_scale = 0;
  ScriptedPageSource pages;
  FakeClock clock;
  FakePump pump{clock};
  NoProgress watcher;
  std::string processed;
  const ProgramParts parts{
      Edges{pages, clock, pump, messages_, watcher},
      [&](velmora::Run& run) {
        processed = fs::current_path().string() + "|" + run.state.GPXFileName;
        run.state.RunFinished = true;
      },
      [](const std::string&) {}, [](frmGetGPX&) { ADD_FAILURE() << "no chooser"; }};
  const StartFolder start{(home_ / "tracks" / "quads.gpx").string(), nullptr};
  EXPECT_EQ(RunProgram(settings, "quick", parts, start), 0);
  EXPECT_EQ(processed, fs::current_path().string() + "|quads.gpx");
  EXPECT_TRUE(InFolder("tracks"));
  const StartFolder missing{(home_ / "gone").string(), nullptr};
  EXPECT_EQ(RunProgram(settings, "", parts, missing), kExitFailure);
}

}  // namespace
}  // namespace velmora::testing
