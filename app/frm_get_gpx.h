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

class QAction;
class QKeyEvent;
class QLabel;
class QListWidget;
class QMenu;
class QMenuBar;
class QPushButton;

namespace velmora {

inline constexpr const char* kNoChoiceMessage = "You didn't choose a GPX file to process";

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

  void SetLauncher(Launcher launcher) { launcher_ = std::move(launcher); }
  // The folder the program runs from (by default the executable's).
  void SetProgramFolder(const std::filesystem::path& folder) { program_folder_ = folder; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void CreateControls();
  void CreateMenu();
  void FillList();
  void ArrangeControls();
  void PlaceControls();
  // Down with nothing selected selects the first entry; Enter on a
  // selected entry is Go. True when the key was taken.
  bool ListKey(const QKeyEvent& key);

  RunState& state_;
  Messages& messages_;
  Launcher launcher_;
  std::filesystem::path program_folder_;
  // The designed rectangles, at the dialog's smallest size.
  QRect list_rect_, label_rect_, button_rect_;
  QSize designed_client_;
  QMenuBar* menu_bar_ = nullptr;
  QMenu* mnuHelp = nullptr;
  QAction* mnuLaunchPDF = nullptr;
  QAction* mnuVersion = nullptr;
  QWidget* client_ = nullptr;
  QListWidget* File1 = nullptr;
  QLabel* Label1 = nullptr;
  QPushButton* cmdOK = nullptr;
};

}  // namespace velmora

#endif
