#include "app/frm_get_gpx.h"
#include "velmora/version.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <gmock/gmock.h>

#include <filesystem>

#include "app/new_file_dialog.h"
#include "core/text.h"
#include "tests/app/chooser_actions.h"
#include "tests/datasheet/datasheet_lines.h"
#include "tests/support/builders.h"
#include "tests/support/fakes.h"
#include "tests/support/temp_dir.h"

namespace velmora::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class FrmGetGpxTest : public ::testing::Test {
 protected:
  void Put(const std::string& name) { WriteFileBytes(dir_ / name, "<gpx/>"); }
  QAction* Action(frmGetGPX& chooser, const char* name) {
    return chooser.findChild<QAction*>(QString::fromLatin1(name));
  }

  TempDir dir_;
  CurrentDir in_dir_{dir_.path()};
  RunState state_;
  RecordingMessages messages_;
};

TEST_F(FrmGetGpxTest, ListsExactlyTheFolderGpxFilesWithNoneSelected) {
  for (const char* name : {"quads.gpx", "quads R.gpx", "TRAIL.GPX", "Mixed.Gpx", "notes.txt",
                           "quads.gpx.bak", "ErrorLog.txt"}) {
    Put(name);
  }
  frmGetGPX chooser(state_, messages_);
  EXPECT_EQ(chooser.ListCount(), 4);
  EXPECT_THAT(Entries(chooser), ElementsAre("Mixed.Gpx", "quads R.gpx", "quads.gpx", "TRAIL.GPX"));
  QListWidget* list = FileList(chooser);
  EXPECT_TRUE(list->selectedItems().isEmpty());
  EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_TRUE(state_.GPXFileName.empty());
}

TEST_F(FrmGetGpxTest, LogsFromMenuOffersThreeExclusiveSourcesAndACancelKeepsTheChoice) {
  Put("quads.gpx");
  frmGetGPX chooser(state_, messages_);
  std::vector<std::string> asked;
  std::string answer;
  chooser.SetFileDialog([&](const std::string& title, const std::string& filter) {
    asked.push_back(title + " | " + filter);
    return answer;
  });
  QMenu* menu = chooser.findChild<QMenu*>(QStringLiteral("mnuLogsFrom"));
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->title().remove('&'), QStringLiteral("Logs from"));
  QStringList texts;
  for (QAction* action : menu->actions()) {
    texts << action->text().remove('&');
    EXPECT_TRUE(action->isCheckable());
  }
  EXPECT_EQ(texts, QStringList({"Listing website", "Agency datasheets (web)", "Datasheet file..."}));
  QAction* listing = Action(chooser, "mnuListingWebsite");
  QAction* web = Action(chooser, "mnuDatasheetsWeb");
  QAction* file = Action(chooser, "mnuDatasheetFile");
  EXPECT_TRUE(listing->isChecked());  // the built-in setting

  chooser.SetLogChoice(LogChoice{LogSource::kDatasheet, ""});
  EXPECT_TRUE(web->isChecked());
  file->trigger();  // cancelled
  EXPECT_TRUE(web->isChecked());
  EXPECT_FALSE(file->isChecked());
  EXPECT_EQ(chooser.log_choice().source, LogSource::kDatasheet);
  EXPECT_EQ(chooser.log_choice().datasheet_file, "");

  answer = "/data/VT.zip";
  file->trigger();
  EXPECT_EQ(file->text().remove('&'), QStringLiteral("Datasheet file: VT.zip..."));  // the choice shows
  EXPECT_TRUE(file->isChecked());
  EXPECT_FALSE(web->isChecked());
  EXPECT_EQ(chooser.log_choice().datasheet_file, "/data/VT.zip");
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_THAT(asked[0], ::testing::HasSubstr("*.txt *.zip"));

  listing->trigger();
  EXPECT_EQ(file->text().remove('&'), QStringLiteral("Datasheet file..."));
  EXPECT_FALSE(file->isChecked());
  EXPECT_EQ(chooser.log_choice().source, LogSource::kListing);
  EXPECT_EQ(chooser.log_choice().datasheet_file, "");
}

TEST_F(FrmGetGpxTest, TheDialogAsDesigned) {
  Put("quads.gpx");
  frmGetGPX chooser(state_, messages_);
  EXPECT_EQ(chooser.windowTitle(), QStringLiteral("Select the GPX File"));
  EXPECT_FALSE(chooser.windowIcon().isNull());
  EXPECT_EQ(chooser.windowIcon().availableSizes().value(0), QSize(32, 32));
  auto* label = chooser.findChild<QLabel*>(QStringLiteral("Label1"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), QStringLiteral("Choose GPX File"));
  EXPECT_EQ(GoButton(chooser)->text(), QStringLiteral("Go"));
  auto* help = chooser.findChild<QMenu*>(QStringLiteral("mnuHelp"));
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->title().remove('&'), QStringLiteral("Help"));
  ASSERT_EQ(help->actions().size(), 2);
  EXPECT_EQ(help->actions()[0], Action(chooser, "mnuLaunchPDF"));
  EXPECT_EQ(help->actions()[0]->text().remove('&'), QStringLiteral("Help PDF"));
  EXPECT_EQ(help->actions()[1], Action(chooser, "mnuVersion"));
  EXPECT_EQ(help->actions()[1]->text().remove('&'), QStringLiteral("Version"));
}

TEST_F(FrmGetGpxTest, AltLOpensTheLogsFromMenuAndAltHTheHelpMenu) {
  Put("quads.gpx");
  frmGetGPX chooser(state_, messages_);
  chooser.show();
  chooser.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&chooser));
  for (const auto& [key, name] : {std::pair{Qt::Key_L, "mnuLogsFrom"}, std::pair{Qt::Key_H, "mnuHelp"}}) {
    auto* menu = chooser.findChild<QMenu*>(QString::fromLatin1(name));
    QTest::keyClick(&chooser, key, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000)) << name;
    menu->close();
  }
}

TEST_F(FrmGetGpxTest, EveryTextFitsAndTheArrangementHolds) {
  Put("quads.gpx");
  frmGetGPX chooser(state_, messages_);
  chooser.show();
  auto* label = chooser.findChild<QLabel*>(QStringLiteral("Label1"));
  QListWidget* list = FileList(chooser);
  QPushButton* go = GoButton(chooser);
  EXPECT_GE(label->width(), QFontMetrics(label->font()).horizontalAdvance(label->text()));
  EXPECT_GE(label->height(), QFontMetrics(label->font()).height());
  EXPECT_GE(go->width(), QFontMetrics(go->font()).horizontalAdvance(go->text()));
  // The label above the list, the button below it; all inside the dialog.
  EXPECT_LE(label->geometry().bottom(), list->geometry().top());
  EXPECT_LE(list->geometry().bottom(), go->geometry().top());
  const QRect client = list->parentWidget()->rect();
  for (QWidget* control : {static_cast<QWidget*>(label), static_cast<QWidget*>(list),
                           static_cast<QWidget*>(go)}) {
    EXPECT_TRUE(client.contains(control->geometry())) << control->objectName().toStdString();
  }
  EXPECT_EQ(list->parentWidget()->y(), chooser.findChild<QMenuBar*>()->height());
}

TEST_F(FrmGetGpxTest, GoWithoutSelectionComplainsEachTimeThenAcceptsAChoice) {
  Put("a.gpx");
  Put("b.gpx");
  frmGetGPX chooser(state_, messages_);
  chooser.show();
  QTest::mouseClick(GoButton(chooser), Qt::LeftButton);
  QTest::mouseClick(GoButton(chooser), Qt::LeftButton);
  ASSERT_EQ(messages_.shown.size(), 2u);
  for (const Message& message : messages_.shown) {
    EXPECT_EQ(message.text, "You didn't choose a GPX file to process");
    EXPECT_EQ(message.title, "");  // the application title
    EXPECT_EQ(message.icon, MessageIcon::kNone);
  }
  EXPECT_TRUE(chooser.isVisible());
  EXPECT_NE(chooser.result(), QDialog::Accepted);
  EXPECT_TRUE(state_.GPXFileName.empty());

  ASSERT_TRUE(ChooseEntry(chooser, "b.gpx"));
  EXPECT_EQ(state_.GPXFileName, "b.gpx");
  EXPECT_EQ(chooser.result(), QDialog::Accepted);
  EXPECT_FALSE(chooser.isVisible());
  EXPECT_EQ(messages_.shown.size(), 2u);
}

TEST_F(FrmGetGpxTest, FocusOnTheListSelectsNothing) {
  Put("a.gpx");
  frmGetGPX chooser(state_, messages_);
  chooser.show();
  QApplication::setActiveWindow(&chooser);
  FileList(chooser)->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  ASSERT_TRUE(FileList(chooser)->hasFocus());
  EXPECT_TRUE(FileList(chooser)->selectedItems().isEmpty());
  chooser.Go();
  EXPECT_THAT(messages_.texts(), ElementsAre("You didn't choose a GPX file to process"));
}

TEST_F(FrmGetGpxTest, DoubleClickAcceptsTheEntryAtOnce) {
  Put("a.gpx");
  Put("quads R.gpx");
  frmGetGPX chooser(state_, messages_);
  chooser.show();
  QListWidget* list = FileList(chooser);
  QListWidgetItem* item = list->findItems("quads R.gpx", Qt::MatchExactly).value(0);
  ASSERT_NE(item, nullptr);
  const QPoint spot = list->visualItemRect(item).center();
  // A double-click is a press and release, then a second press that the
  // system reports as a double-click, then its release.
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, spot);
  EXPECT_NE(chooser.result(), QDialog::Accepted);  // one click only selects
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, spot);
  EXPECT_EQ(state_.GPXFileName, "quads R.gpx");
  EXPECT_EQ(chooser.result(), QDialog::Accepted);
  EXPECT_THAT(messages_.shown, IsEmpty());
}

TEST_F(FrmGetGpxTest, ClosingWithoutChoiceLeavesTheNameEmpty) {
  Put("a.gpx");
  frmGetGPX chooser(state_, messages_);
  chooser.show();
  ASSERT_TRUE(Select(chooser, "a.gpx"));  // selected but never accepted
  chooser.close();
  EXPECT_TRUE(state_.GPXFileName.empty());
  EXPECT_NE(chooser.result(), QDialog::Accepted);
  EXPECT_THAT(messages_.shown, IsEmpty());
}

TEST_F(FrmGetGpxTest, KeepsTheChosenNameBytesUnchanged) {
  const std::string latin1 = "r\xe9sum\xe9.gpx";
  Put(latin1);
  frmGetGPX chooser(state_, messages_);
  ASSERT_EQ(chooser.ListCount(), 1);
  FileList(chooser)->setCurrentRow(0);
  chooser.Go();
  EXPECT_EQ(state_.GPXFileName, latin1);
}

TEST_F(FrmGetGpxTest, VersionItemShowsTheVersionAndLeavesTheChoiceAlone) {
  Put("a.gpx");
  frmGetGPX chooser(state_, messages_);
  state_.GPXFileName = "";
  Action(chooser, "mnuVersion")->trigger();
  Action(chooser, "mnuVersion")->trigger();
  ASSERT_EQ(messages_.shown.size(), 2u);
  EXPECT_EQ(messages_.shown[0].text, std::string("Version ") + kVersionText);
  EXPECT_EQ(messages_.shown[0].title, "Version");
  EXPECT_EQ(messages_.shown[0].icon, MessageIcon::kInformation);
  EXPECT_TRUE(state_.GPXFileName.empty());
  EXPECT_NE(chooser.result(), QDialog::Accepted);
}

// A program in prefix/bin, with a guide in each place Help PDF looks.
class HelpPdfTest : public FrmGetGpxTest {
 protected:
  HelpPdfTest() {
    std::filesystem::create_directories(installed_.parent_path());
    std::filesystem::create_directories(beside_.parent_path());
    for (const auto& guide : {working_, installed_, beside_}) WriteFileBytes(guide, "%PDF-1.4");
  }
  // Help PDF, with the launcher answering `opens`; the local files it was given.
  std::vector<std::filesystem::path> Help(bool opens) {
    frmGetGPX chooser(state_, messages_);
    chooser.SetProgramFolder(dir_ / "prefix" / "bin");
    std::vector<std::filesystem::path> opened;
    chooser.SetLauncher([&](const QUrl& url) {
      opened.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
      return opens;
    });
    Action(chooser, "mnuLaunchPDF")->trigger();
    return opened;
  }

  const std::filesystem::path working_ = dir_ / "Velmora.pdf";
  const std::filesystem::path installed_ = dir_ / "prefix/share/doc/velmora/Velmora.pdf";
  const std::filesystem::path beside_ = dir_ / "prefix/bin/Velmora.pdf";
};

TEST_F(HelpPdfTest, OpensTheWorkingFolderGuideThenTheInstalledOneThenTheOneBesideTheProgram) {
  EXPECT_THAT(Help(true), ElementsAre(working_));
  std::filesystem::remove(working_);
  EXPECT_THAT(Help(true), ElementsAre(installed_));
  std::filesystem::remove(installed_);
  EXPECT_THAT(Help(true), ElementsAre(beside_));
  EXPECT_THAT(messages_.shown, IsEmpty());
  EXPECT_TRUE(state_.GPXFileName.empty());
}

TEST_F(HelpPdfTest, AGuideThatNothingOpensIsNamedInABox) {
  std::filesystem::remove(working_);
  EXPECT_THAT(Help(false), ElementsAre(installed_));
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_THAT(messages_.shown[0].text, ::testing::EndsWith("\n\n" + installed_.string()));
}

TEST_F(HelpPdfTest, NoGuideAnywhereSaysWhereItWouldBe) {
  const auto places = HelpDocumentPlaces(".", dir_ / "prefix" / "bin");
  if (!FindHelpDocument({places.begin() + 2, places.end() - 1}).empty()) {
    GTEST_SKIP() << "a guide is installed under the build's own prefix";
  }
  for (const auto& guide : {working_, installed_, beside_}) std::filesystem::remove(guide);
  EXPECT_THAT(Help(true), IsEmpty());
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_THAT(messages_.shown[0].text, ::testing::HasSubstr(installed_.string()));
}

TEST_F(FrmGetGpxTest, FirstDownSelectsTheFirstEntryAndEnterIsGo) {
  Put("a.gpx");
  Put("b.gpx");
  frmGetGPX chooser(state_, messages_);
  chooser.show();
  QApplication::setActiveWindow(&chooser);
  QListWidget* list = FileList(chooser);
  list->setFocus(Qt::TabFocusReason);
  QTest::keyClick(list, Qt::Key_Return);  // nothing selected: nothing happens
  EXPECT_THAT(messages_.shown, IsEmpty());
  EXPECT_NE(chooser.result(), QDialog::Accepted);
  QTest::keyClick(list, Qt::Key_Down);
  ASSERT_EQ(list->selectedItems().size(), 1);
  EXPECT_EQ(list->selectedItems()[0]->text(), QStringLiteral("a.gpx"));
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Up);
  QTest::keyClick(list, Qt::Key_Down);
  ASSERT_EQ(list->selectedItems().size(), 1);
  EXPECT_EQ(list->selectedItems()[0]->text(), QStringLiteral("b.gpx"));
  QTest::keyClick(list, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(state_.GPXFileName, "b.gpx");
  EXPECT_EQ(chooser.result(), QDialog::Accepted);
  EXPECT_THAT(messages_.shown, IsEmpty());
}

TEST_F(FrmGetGpxTest, OpensWideEnoughForItsCaptionAndLongNamesAndCanBeResized) {
  const QString long_name = QStringLiteral("colorado front range benchmarks 2024-06 revisit R.gpx");
  Put(long_name.toStdString());
  frmGetGPX chooser(state_, messages_);
  chooser.show();
  QListWidget* list = FileList(chooser);
  QFont title_font = QApplication::font();
  title_font.setBold(true);
  EXPECT_GT(chooser.width(), QFontMetrics(title_font).horizontalAdvance(chooser.windowTitle()));
  EXPECT_GE(list->viewport()->width(), QFontMetrics(list->font()).horizontalAdvance(long_name));
  EXPECT_LT(chooser.minimumWidth(), chooser.maximumWidth());
  EXPECT_LT(chooser.minimumHeight(), chooser.maximumHeight());

  const QRect before = list->geometry();
  chooser.resize(chooser.width() + 120, chooser.height() + 80);
  QApplication::processEvents();
  EXPECT_EQ(list->width(), before.width() + 120);
  EXPECT_EQ(list->height(), before.height() + 80);
  EXPECT_LE(list->geometry().bottom(), GoButton(chooser)->geometry().top());
  EXPECT_TRUE(list->parentWidget()->rect().contains(GoButton(chooser)->geometry()));
}

TEST_F(FrmGetGpxTest, LaunchUrlPassesAWebAddressUnchanged) {
  frmGetGPX chooser(state_, messages_);
  std::vector<QUrl> opened;
  chooser.SetLauncher([&](const QUrl& url) {
    opened.push_back(url);
    return true;
  });
  EXPECT_TRUE(chooser.LaunchURL("http://127.0.0.1:8080/help.html"));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].toString(), QStringLiteral("http://127.0.0.1:8080/help.html"));
}

// File > Report...: the selected file's report beside it, on the clock's day,
// opened; nothing selected is said so.
TEST_F(FrmGetGpxTest, ReportMenuMakesAndOpensTheSelectedFilesReport) {
  WriteFileBytes(dir_ / "trip.gpx", Gpx11({Waypoint({"AB1234", "MILL 3"})}));
  frmGetGPX chooser(state_, messages_);
  FakeClock clock;
  clock.today = "2031-01-02";
  chooser.SetClock(clock);
  std::vector<QUrl> opened;
  chooser.SetLauncher([&](const QUrl& url) { return opened.push_back(url), true; });
  Action(chooser, "mnuReport")->trigger();
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, kNoChoiceMessage);
  ASSERT_TRUE(Select(chooser, QStringLiteral("trip.gpx")));
  Action(chooser, "mnuReport")->trigger();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], QUrl::fromLocalFile(QDir::current().absoluteFilePath("trip.html")));
  EXPECT_NE(ReadFileBytes(dir_ / "trip.html").find("2031-01-02"), std::string::npos);
}

// File > New from datasheets...: a wrong field says so beside it at once and
// Create waits; a whole selection makes the file, which the list then selects.
TEST_F(FrmGetGpxTest, NewFromDatasheetsMakesAFileTheListSelects) {
  Put("quads.gpx");
  WriteFileBytes(dir_ / "TX.txt",
                 MarkDatasheet({"AA0001", "CENTRE", "TX/BEXAR", "29 29 52. (N) 098 37 22. (W)"}));
  frmGetGPX chooser(state_, messages_);
  chooser.SetFileDialog([](const std::string&, const std::string&) { return "TX.txt"; });
  chooser.SetNewFileShower([](NewFileDialog& dialog) {
    const auto edit = [&](const char* name) { return dialog.findChild<QLineEdit*>(name); };
    auto* create = dialog.findChild<QPushButton*>("cmdCreate");
    dialog.findChild<QPushButton*>("cmdChooseArchive")->click();
    QTest::keyClicks(edit("txtLatitude"), "95");
    EXPECT_FALSE(dialog.findChild<QLabel*>("errLatitude")->text().isEmpty());
    EXPECT_FALSE(create->isEnabled());
    edit("txtLatitude")->setText("29.4977778");
    QTest::keyClicks(edit("txtLongitude"), "-98.6227778");
    QTest::keyClicks(edit("txtWithin"), "5");
    QTest::keyClicks(edit("txtName"), "quads.gpx");
    EXPECT_FALSE(dialog.findChild<QLabel*>("errName")->text().isEmpty());  // taken
    edit("txtName")->setText("near.gpx");
    EXPECT_TRUE(dialog.findChild<QLabel*>("errLatitude")->text().isEmpty());
    ASSERT_TRUE(create->isEnabled());
    create->click();
  });
  Action(chooser, "mnuNewFromDatasheets")->trigger();
  EXPECT_TRUE(Contains(ReadFileBytes(dir_ / "near.gpx"), "<name>AA0001</name>"));
  ASSERT_EQ(FileList(chooser)->selectedItems().size(), 1);
  EXPECT_EQ(FileList(chooser)->selectedItems().front()->text(), QStringLiteral("near.gpx"));
}

}  // namespace
}  // namespace velmora::testing
