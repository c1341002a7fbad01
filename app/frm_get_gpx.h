// The GPX file chooser: a small modal dialog that lists the working folder's
// GPX files and leaves the accepted name in the run state's GPXFileName.
#ifndef VELMORA_APP_FRM_GET_GPX_H
#define VELMORA_APP_FRM_GET_GPX_H

#include <QDialog>
#include <QUrl>
#include <functional>
#include <string>

#include "core/edges.h"
#include "core/run_state.h"

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QMenuBar;
class QPushButton;

namespace velmora {

inline constexpr const char* kNoChoiceMessage = "You didn't choose a GPX file to process";
inline constexpr const char* kHelpDocument = "Velmora.pdf";

class frmGetGPX : public QDialog {
 public:
  // Opens a document or URL with the desktop's default application.
  using Launcher = std::function<void(const QUrl&)>;

  // Loads the dialog without showing it: the list is filled from the
  // working folder.
  frmGetGPX(RunState& state, Messages& messages, QWidget* parent = nullptr);

  // The number of entries in File1.
  int ListCount() const;

  // Go (cmdOK, or a double-click on an entry): accept the selected entry.
  void Go();
  // Opens TheURL (a URL, or a file name resolved against the working folder)
  // with the default application; a failure is ignored.
  void LaunchURL(const std::string& TheURL);
  void ShowVersion();

  void SetLauncher(Launcher launcher) { launcher_ = std::move(launcher); }

 private:
  void CreateControls();
  void CreateMenu();
  void FillList();
  void ArrangeControls();

  RunState& state_;
  Messages& messages_;
  Launcher launcher_;
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
