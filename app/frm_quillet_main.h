// The main window: its load step makes the start-up checks and shows the
// chooser; its Go action runs the one run of a program start and shows the
// running count of processed benchmarks.
#ifndef VELMORA_APP_FRM_QUILLET_MAIN_H
#define VELMORA_APP_FRM_QUILLET_MAIN_H

#include <QWidget>
#include <functional>
#include <string>

#include "app/frm_get_gpx.h"
#include "core/edges.h"
#include "core/run.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora {

class frmGetGPX;

// The Yes/No question about an earlier run that can go on: "An earlier run
// over FILE stopped after N of M benchmarks. Continue it?"
std::string ContinueRunQuestion(const std::string& file, int completed, int total);

// What the main window needs from the rest of the program. The run's
// progress is the window's count display, which passes every count on to
// edges.progress (a watcher; the front end's own does nothing).
struct MainWindowParts {
  RunState& state;
  const Settings& settings;
  Edges edges;
  Pace pace = Pace::kNormal;
  std::function<void(Run&)> process;  // ProcessGPXfile
  ErrorLogWriter append_error_log;    // AppendErrorLog
  std::function<void(frmGetGPX&)> show_chooser;               // shows it modally
  // The chooser's "Datasheet file..." dialog; empty: Qt's own file dialog.
  OpenFileDialog choose_datasheet_file = nullptr;
};

class frmQuilletMain : public QWidget {
 public:
  explicit frmQuilletMain(MainWindowParts parts, QWidget* parent = nullptr);
  ~frmQuilletMain() override;

  // The load step: the chooser, unless the start named a file already (a
  // GPXFileName set before the load). Returns true when the main window stays open for the user
  // (a run that did not finish); false when the program ends here. Throws
  // ProgramEnd when the closed window is used during the run.
  bool Load();
  // The Go action: show the window, run the processing, finish the run.
  void Go();

  Run& run() { return run_; }
  // The run's settings: the program's, with the chooser's "Logs from" choice.
  const Settings& settings() const { return settings_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // The count display: txtCachesProcessed, ending the program once the
  // window has closed.
  class CountDisplay : public Progress {
   public:
    explicit CountDisplay(frmQuilletMain& window) : window_(window) {}
    void SetCount(int count) override;

   private:
    frmQuilletMain& window_;
  };

  void CreateControls();
  void ArrangeControls();
  // Shows the chooser; false (after a message) when the folder has no GPX file.
  bool Choose();

  MainWindowParts parts_;
  Settings settings_;
  QLineEdit* txtCachesProcessed = nullptr;
  QLabel* Label1 = nullptr;
  QPushButton* cmdGo = nullptr;
  CountDisplay count_display_;
  Run run_;
  bool run_started_ = false;
};

}  // namespace velmora

#endif
