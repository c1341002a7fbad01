// The GPX file chooser: a small modal dialog that lists the working folder's
// GPX files and leaves the accepted name in the run state's GPXFileName.
#ifndef VELMORA_APP_FRM_GET_GPX_H
#define VELMORA_APP_FRM_GET_GPX_H

#include <QDialog>
#include <QRect>
#include <QUrl>
#include <filesystem>
#include <functional>
#include <string>

#include "app/help_document.h"
#include "core/edges.h"
#include "core/run_state.h"
#include "core/settings.h"
#include "core/system_clock.h"

class QAction;
class QActionGroup;
class QKeyEvent;
class QLabel;
class QListWidget;
class QMenu;
class QMenuBar;
class QPushButton;

namespace velmora {

class NewFileDialog;

inline constexpr const char* kNoChoiceMessage = "You didn't choose a GPX file to process";
inline constexpr const char* kDatasheetFileTitle = "Choose a datasheet file";
inline constexpr const char* kDatasheetFileFilter = "Datasheet files (*.txt *.zip)";

// Asks the user for a file to open under the title, offering the files the
// filter names (Qt's "Name (*.a *.b)" form); empty when cancelled.
using OpenFileDialog =
    std::function<std::string(const std::string& title, const std::string& filter)>;

// Where the run takes its logs from, as the "Logs from" menu chooses it.
struct LogChoice {
  LogSource source = LogSource::kListing;
  std::string datasheet_file;  // with kDatasheet: the file read instead of the web
};

class frmGetGPX : public QDialog {
 public:
  // Opens a document or URL with the desktop's default application; false
  // when nothing could open it.
  using Launcher = std::function<bool(const QUrl&)>;

  // Loads the dialog without showing it: the list is filled from the
  // working folder.
  frmGetGPX(RunState& state, Messages& messages, QWidget* parent = nullptr);

  // The number of entries in File1.
  int ListCount() const;

  // Go (cmdOK, or a double-click on an entry): accept the selected entry.
  void Go();
  // Opens TheURL (a URL, or a file name resolved against the working folder)
  // with the default application. Returns false when nothing could open it.
  bool LaunchURL(const std::string& TheURL);
  // Help PDF: opens the first guide of HelpDocumentPlaces; when there is none,
  // or nothing can open it, a message box says where the guide is (or would be).
  void OpenHelp();
  void ShowVersion();

  // The "Logs from" menu: its checked item follows `choice`; the user's
  // choice is read back with log_choice(). "Datasheet file..." asks through
  // the dialog (empty: Qt's own file dialog); a cancel keeps the choice.
  void SetLogChoice(const LogChoice& choice);
  const LogChoice& log_choice() const { return log_choice_; }
  void SetFileDialog(OpenFileDialog dialog) { file_dialog_ = std::move(dialog); }
  void ChooseDatasheetFile();

  // File > New from datasheets...: the dialog (shown by `show_new_file`, by
  // default modally) makes a new file in the working folder, which the list
  // then shows selected. The dialog takes the datasheet host of `settings`.
  void SetSettings(const Settings& settings) { settings_ = settings; }
  // Opens File > New from datasheets... as soon as the dialog is shown.
  void OpenNewFileWhenShown() { new_file_when_shown_ = true; }
  void SetNewFileShower(std::function<void(NewFileDialog&)> show) {
    show_new_file_ = std::move(show);
  }
  void NewFromDatasheets();

  // File > Report...: the report of the selected file beside it (report/),
  // made on the clock's day (by default the system's), opened with the
  // launcher; a message when nothing is selected or it cannot be written.
  void SetClock(Clock& clock) { clock_ = &clock; }
  void ReportOfSelected();

  void SetLauncher(Launcher launcher) { launcher_ = std::move(launcher); }
  // The folder the program runs from (by default the executable's).
  void SetProgramFolder(const std::filesystem::path& folder) { program_folder_ = folder; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void CreateControls();
  void CreateMenu();
  void CreateFileMenu();
  // The name of the selected entry; empty when none is.
  std::string SelectedName() const;
  void CreateLogsMenu();
  // Checks the menu item of log_choice_.
  void ShowLogChoice();
  void FillList();
  // Fills the list again and selects the entry of `name`.
  void ShowFile(const std::string& name);
  void ArrangeControls();
  void PlaceControls();
  // Down with nothing selected selects the first entry; Enter on a
  // selected entry is Go. True when the key was taken.
  bool ListKey(const QKeyEvent& key);

  RunState& state_;
  Messages& messages_;
  Launcher launcher_;
  SystemClock system_clock_;
  Clock* clock_ = &system_clock_;
  OpenFileDialog file_dialog_;
  LogChoice log_choice_;
  Settings settings_;
  std::function<void(NewFileDialog&)> show_new_file_;
  bool new_file_when_shown_ = false;
  std::filesystem::path program_folder_;
  // The designed rectangles, at the dialog's smallest size.
  QRect list_rect_, label_rect_, button_rect_;
  QSize designed_client_;
  QMenuBar* menu_bar_ = nullptr;
  QMenu* mnuHelp = nullptr;
  QAction* mnuLaunchPDF = nullptr;
  QAction* mnuVersion = nullptr;
  QMenu* mnuFile = nullptr;
  QAction* mnuNewFromDatasheets = nullptr;
  QAction* mnuReport = nullptr;
  QMenu* mnuLogsFrom = nullptr;
  QActionGroup* log_sources_ = nullptr;
  QAction* mnuListingWebsite = nullptr;
  QAction* mnuDatasheetsWeb = nullptr;
  QAction* mnuDatasheetFile = nullptr;
  QWidget* client_ = nullptr;
  QListWidget* File1 = nullptr;
  QLabel* Label1 = nullptr;
  QPushButton* cmdOK = nullptr;
};

}  // namespace velmora

#endif
