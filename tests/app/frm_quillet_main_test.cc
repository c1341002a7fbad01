#include "app/frm_quillet_main.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gmock/gmock.h>

#include <filesystem>

#include "app/program_end.h"
#include "app/start_folder.h"
#include "datasheet/datasheet_archive.h"
#include "tests/app/chooser_actions.h"
#include "tests/app/main_window_harness.h"
#include "tests/support/temp_dir.h"

namespace velmora::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class FrmQuilletMainTest : public ::testing::Test {
 protected:
  void Put(const std::string& name) { WriteFileBytes(dir_ / name, "<gpx/>"); }
  // The user picks this entry in the chooser.
  void UserChooses(const char* entry) {
    h_.user = [entry](frmGetGPX& chooser) { ChooseEntry(chooser, entry); };
  }
  std::vector<std::string> FolderNames() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  TempDir dir_;
  CurrentDir in_dir_{dir_.path()};
  MainWindowHarness h_;
};

TEST_F(FrmQuilletMainTest, TheWindowAsDesigned) {
  frmQuilletMain& window = h_.window();
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Quillet"));
  EXPECT_EQ(window.windowIcon().availableSizes().value(0), QSize(32, 32));
  EXPECT_EQ(h_.label()->text(), QStringLiteral("Benchmarks Processed"));
  EXPECT_TRUE(h_.label()->font().bold());
  EXPECT_TRUE(h_.count_box()->text().isEmpty());
  EXPECT_EQ(h_.go_button()->text(), QStringLiteral("Go"));
  EXPECT_TRUE(h_.go_button()->isEnabled());
  EXPECT_FALSE(window.isVisible());
}

TEST_F(FrmQuilletMainTest, LabelIsNotClippedAndTheCountStandsToItsRight) {
  frmQuilletMain& window = h_.window();
  window.show();
  QLabel* label = h_.label();
  QLineEdit* box = h_.count_box();
  const QFontMetrics metrics(label->font());
  EXPECT_GE(label->width(), metrics.horizontalAdvance(label->text()));
  EXPECT_GE(label->height(), metrics.height());
  EXPECT_GT(box->x(), label->geometry().right());
  EXPECT_EQ(box->y(), label->y());
  EXPECT_TRUE(window.rect().contains(label->geometry()));
  EXPECT_TRUE(window.rect().contains(box->geometry()));
  // The Go button lies below the bottom edge: never seen.
  EXPECT_GE(h_.go_button()->y(), window.height());
  // A count of several digits fits in the box.
  EXPECT_GE(box->width(), QFontMetrics(box->font()).horizontalAdvance("0000"));
}

// A folder without GPX files: the question offers to make one; No ends
// without window or file, Yes opens the chooser, which opens "New from
// datasheets" as it shows.
TEST_F(FrmQuilletMainTest, NoGpxFileOffersToMakeOneOrEndsWithoutWindowOrFile) {
  Put("notes.txt");
  Put("track.kml");
  const std::vector<std::string> before = FolderNames();
  EXPECT_FALSE(h_.window().Load());
  EXPECT_THAT(h_.messages.shown, IsEmpty());
  EXPECT_THAT(h_.messages.asked,
              ElementsAre(NoGpxFilesQuestion(std::filesystem::current_path().string())));
  EXPECT_EQ(h_.chooser_shows, 0);
  EXPECT_EQ(h_.process_calls, 0);
  EXPECT_FALSE(h_.window().isVisible());
  EXPECT_EQ(FolderNames(), before);
}

TEST_F(FrmQuilletMainTest, NoGpxFileAndYesOpensTheChooserWithTheNewFileDialog) {
  h_.messages.answer = true;
  QString opened;
  h_.user = [&](frmGetGPX&) {
    QTimer::singleShot(0, [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      if (dialog != nullptr) opened = dialog->objectName(), dialog->close();
    });
    QCoreApplication::processEvents();
  };
  EXPECT_FALSE(h_.window().Load());
  EXPECT_EQ(h_.chooser_shows, 1);
  EXPECT_EQ(opened, QStringLiteral("frmNewFile"));
}

TEST_F(FrmQuilletMainTest, TheCountBoxIsReadOnly) {
  frmQuilletMain& window = h_.window();
  window.show();
  window.run().edges.progress.SetCount(3);
  QLineEdit* box = h_.count_box();
  EXPECT_TRUE(box->isReadOnly());
  box->setFocus();
  QTest::keyClicks(box, "99");
  QTest::keyClick(box, Qt::Key_Backspace);
  EXPECT_EQ(box->text(), QStringLiteral("3"));
}

TEST_F(FrmQuilletMainTest, AFileNamedAtTheStartRunsWithoutTheChooser) {
  Put("quads.gpx");
  Put("other.gpx");
  h_.state.GPXFileName = "quads.gpx";  // as PrepareStart leaves it
  std::string processed_file;
  h_.process = [&](velmora::Run& run) {
    processed_file = run.state.GPXFileName;
    run.state.RunFinished = true;
  };
  EXPECT_FALSE(h_.window().Load());
  EXPECT_EQ(h_.chooser_shows, 0);
  EXPECT_EQ(processed_file, "quads.gpx");
  EXPECT_THAT(h_.events, ElementsAre("process", "log", "message"));
}

TEST_F(FrmQuilletMainTest, ChooserClosedWithoutChoiceEndsQuietly) {
  Put("quads.gpx");
  h_.user = [](frmGetGPX& chooser) { chooser.close(); };
  EXPECT_FALSE(h_.window().Load());
  EXPECT_EQ(h_.chooser_shows, 1);
  EXPECT_THAT(h_.events, ElementsAre("chooser"));
  EXPECT_FALSE(h_.window().isVisible());
  EXPECT_TRUE(h_.state.GPXFileName.empty());
  EXPECT_FALSE(std::filesystem::exists(dir_ / "ErrorLog.txt"));
}

TEST_F(FrmQuilletMainTest, ChooserShowsTheGpxFilesInAnyLetterCase) {
  Put("quads.gpx");
  Put("HANDHELD.GPX");
  Put("quads R.gpx");
  Put("readme.txt");
  UserChooses("HANDHELD.GPX");
  h_.window().Load();
  EXPECT_THAT(h_.chooser_entries, ElementsAre("HANDHELD.GPX", "quads R.gpx", "quads.gpx"));
  EXPECT_EQ(h_.state.GPXFileName, "HANDHELD.GPX");
}

TEST(ContinueRunQuestionTest, AsksAboutTheEarlierRun) {
  EXPECT_EQ(velmora::ContinueRunQuestion("quads.gpx", 12, 40),
            "An earlier run over quads.gpx stopped after 12 of 40 benchmarks. Continue it?");
}

TEST_F(FrmQuilletMainTest, FinishedRunLogsShowsFinishedAndCloses) {
  Put("quads.gpx");
  UserChooses("quads.gpx");
  h_.pace = velmora::Pace::kQuick;
  bool shown_with_go_disabled = false;
  std::string processed_file;
  velmora::Pace pace = velmora::Pace::kNormal;
  h_.process = [&](velmora::Run& run) {
    shown_with_go_disabled = h_.window().isVisible() && !h_.go_button()->isEnabled();
    processed_file = run.state.GPXFileName;
    pace = run.pace;
    run.edges.progress.SetCount(1);
    run.edges.progress.SetCount(2);
    run.benchmarks_done = 2;
    run.state.RunFinished = true;
    run.outcome = velmora::RunOutcome::kNoWaypointLeft;
  };
  EXPECT_FALSE(h_.window().Load());
  EXPECT_TRUE(shown_with_go_disabled);
  EXPECT_EQ(processed_file, "quads.gpx");
  EXPECT_EQ(pace, velmora::Pace::kQuick);
  EXPECT_EQ(h_.pump.calls, 1);  // one pass of events before the work
  EXPECT_THAT(h_.events, ElementsAre("chooser", "process", "log", "message"));
  EXPECT_THAT(h_.error_log, ElementsAre("quads.gpx: 2 of 2 benchmarks; finished"));
  ASSERT_EQ(h_.messages.shown.size(), 1u);
  EXPECT_EQ(h_.messages.shown[0].text, std::string(14, ' ') + "Finished" + std::string(9, ' '));
  EXPECT_EQ(h_.messages.shown[0].title, "");
  EXPECT_EQ(h_.messages.shown[0].icon, MessageIcon::kNone);
  EXPECT_EQ(h_.count_box()->text(), QStringLiteral("2"));
  EXPECT_FALSE(h_.window().isVisible());
  EXPECT_TRUE(h_.state.MainClosing);
  EXPECT_EQ(h_.chooser_shows, 1);
}

TEST_F(FrmQuilletMainTest, TheWindowShowsTheFileTheTotalAndWhatTheRunDoesNow) {
  Put("quads.gpx");
  UserChooses("quads.gpx");
  h_.settings.pause_scale = 1;  // 5 s a benchmark until a pace is measured
  h_.pages.AddFailure("http://marks/AB1234", "connection refused");
  const auto label = [this](const char* name) {
    return h_.window().findChild<QLabel*>(QString::fromLatin1(name))->text().toStdString();
  };
  std::vector<std::string> status;
  h_.process = [&](velmora::Run& run) {
    run.state.BenchmarkTotal = 3;
    run.state.CurrentPID = "AB1234";
    run.edges.pages.Fetch("http://marks/AB1234");
    status.push_back(label("lblStatus"));
    run.edges.pump.WaitBegins(42);
    status.push_back(label("lblStatus"));
    h_.clock.Advance(12);
    run.edges.pump.DoEvents();
    status.push_back(label("lblStatus"));
    run.edges.progress.SetCount(1);
    status.push_back(label("lblStatus"));
  };
  h_.window().Load();
  EXPECT_EQ(label("lblFile") + " " + label("lblTotal"), "quads.gpx of 3");
  EXPECT_THAT(status, ElementsAre(
      "AB1234 try 1 failed: connection refused, about 0:15 left",
      "AB1234 try 1 failed: connection refused; next try in 0:42, about 0:57 left",
      "AB1234 try 1 failed: connection refused; next try in 0:30, about 0:45 left",
      "AB1234 done, about 0:39 left"));
}

TEST_F(FrmQuilletMainTest, TheLogsFromChoiceReachesTheRunsSettings) {
  Put("quads.gpx");
  h_.settings.log_source = LogSource::kDatasheet;  // VELMORA_LOG_SOURCE=datasheet
  h_.file_dialog = [](const std::string&, const std::string&) { return "/data/VT.txt"; };
  bool started_on_web = false;
  h_.user = [&](frmGetGPX& chooser) {
    started_on_web = chooser.findChild<QAction*>(QStringLiteral("mnuDatasheetsWeb"))->isChecked();
    chooser.findChild<QAction*>(QStringLiteral("mnuDatasheetFile"))->trigger();
    ChooseEntry(chooser, "quads.gpx");
  };
  Settings seen;
  h_.process = [&](velmora::Run& run) {
    seen = run.settings;
    run.state.RunFinished = true;
  };
  EXPECT_FALSE(h_.window().Load());
  EXPECT_TRUE(started_on_web);
  EXPECT_EQ(seen.log_source, LogSource::kDatasheet);
  EXPECT_EQ(seen.datasheet_file, "/data/VT.txt");
}

TEST_F(FrmQuilletMainTest, AnUnusableDatasheetFileIsABoxAndNoRun) {
  Put("quads.gpx");
  UserChooses("quads.gpx");
  h_.process = [](velmora::Run&) {
    throw DatasheetArchiveError("The datasheet file \"VT.zip\" cannot be used: not a zip");
  };
  EXPECT_FALSE(h_.window().Load());
  ASSERT_EQ(h_.messages.shown.size(), 1u);
  EXPECT_EQ(h_.messages.shown[0].icon, MessageIcon::kError);
  EXPECT_THAT(h_.messages.shown[0].text, ::testing::HasSubstr("VT.zip"));
  EXPECT_THAT(h_.error_log, IsEmpty());
  EXPECT_FALSE(h_.window().isVisible());
}

TEST_F(FrmQuilletMainTest, UnhandledDocumentLeavesTheWindowOpenWithEmptyCount) {
  Put("old.gpx");
  UserChooses("old.gpx");
  h_.process = [](velmora::Run&) {};  // not GPX 1.1: nothing done, not finished
  EXPECT_TRUE(h_.window().Load());
  EXPECT_TRUE(h_.window().isVisible());
  EXPECT_TRUE(h_.count_box()->text().isEmpty());
  EXPECT_FALSE(h_.go_button()->isEnabled());
  EXPECT_THAT(h_.messages.shown, IsEmpty());
  EXPECT_THAT(h_.error_log, IsEmpty());
  // Closing it is the end; a close is never refused.
  EXPECT_TRUE(h_.window().close());
  EXPECT_TRUE(h_.state.MainClosing);
}

TEST_F(FrmQuilletMainTest, CloseDuringARunEndsTheProgramAtTheNextCount) {
  Put("quads.gpx");
  UserChooses("quads.gpx");
  int benchmarks_done = 0;
  h_.process = [&](velmora::Run& run) {
    ++benchmarks_done;
    run.edges.progress.SetCount(1);
    h_.window().close();  // the user closes it during the pause
    EXPECT_FALSE(h_.window().isVisible());
    ++benchmarks_done;  // the next benchmark is still processed and written
    run.edges.progress.SetCount(2);
    ADD_FAILURE() << "the program went on after using the closed window";
  };
  EXPECT_THROW(h_.window().Load(), ProgramEnd);
  EXPECT_EQ(benchmarks_done, 2);
  EXPECT_EQ(h_.count_box()->text(), QStringLiteral("1"));
  EXPECT_THAT(h_.messages.shown, IsEmpty());
  EXPECT_THAT(h_.error_log, IsEmpty());
}

TEST_F(FrmQuilletMainTest, CloseAfterTheLastBenchmarkStillFinishes) {
  Put("quads.gpx");
  UserChooses("quads.gpx");
  h_.process = [&](velmora::Run& run) {
    run.edges.progress.SetCount(1);
    h_.window().close();  // during the pause after the last benchmark
    run.state.RunFinished = true;
  };
  EXPECT_FALSE(h_.window().Load());
  EXPECT_THAT(h_.events, ElementsAre("chooser", "process", "log", "message"));
  EXPECT_EQ(h_.messages.texts()[0], "              Finished         ");
}

TEST_F(FrmQuilletMainTest, CloseDuringTheFirstPassOfEventsEndsBeforeAnyProcessing) {
  Put("quads.gpx");
  UserChooses("quads.gpx");
  h_.pump.on_events = [&](int) { h_.window().close(); };
  EXPECT_THROW(h_.window().Load(), ProgramEnd);
  EXPECT_EQ(h_.process_calls, 0);
  EXPECT_TRUE(h_.go_button()->isEnabled());
  EXPECT_THAT(h_.messages.shown, IsEmpty());
}

TEST_F(FrmQuilletMainTest, AGoClickDuringTheRunStartsNoSecondRun) {
  Put("quads.gpx");
  UserChooses("quads.gpx");
  h_.pump.on_events = [&](int) { h_.window().Go(); };  // a click comes in with the events
  h_.window().Load();
  EXPECT_EQ(h_.process_calls, 1);
  EXPECT_EQ(h_.pump.calls, 1);
}

TEST_F(FrmQuilletMainTest, LoadAfterTheWindowClosedEndsAtOnce) {
  Put("quads.gpx");
  h_.window().close();
  EXPECT_THROW(h_.window().Load(), ProgramEnd);
  EXPECT_EQ(h_.chooser_shows, 0);
  EXPECT_THAT(h_.messages.shown, IsEmpty());
}

}  // namespace
}  // namespace velmora::testing
