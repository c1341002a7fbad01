// The main window: its load step makes the start-up checks and shows the
// chooser; its Go action runs the one run of a program start and shows its
// progress: the file, the count of processed benchmarks of all, and a line
// with the benchmark in hand, why its last try failed and when the next one
// comes, and the time left (the terminal's texts). Closing it stops the run
// within a second, once what was completed is written.
#ifndef VELMORA_APP_FRM_QUILLET_MAIN_H
#define VELMORA_APP_FRM_QUILLET_MAIN_H

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "app/frm_get_gpx.h"
#include "core/edges.h"
#include "core/run.h"
#include "core/run_progress.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora {

class frmGetGPX;

// The Yes/No question about an earlier run that can go on: "An earlier run
// over FILE stopped after N of M benchmarks. Continue it?"
std::string ContinueRunQuestion(const std::string& file, int completed, int total);

// Why a run stopped when its window closed, for the error log.
inline constexpr const char* kClosedReason = "closed";

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

  // The run's page source: tells the progress display about each download
  // and stops the run (RunStopped "closed") before a download, and after an
  // abandoned one, once the window has closed.
  class WatchedPages : public PageSource {
   public:
    explicit WatchedPages(frmQuilletMain& window) : window_(window) {}
    PageAnswer Fetch(const std::string& TheURL) override;

   private:
    frmQuilletMain& window_;
  };

  // The run's event pump: keeps the progress display moving during waits,
  // ends a wait once the window has closed, and stops a run without waits
  // at its next benchmark.
  class WatchedPump : public EventPump {
   public:
    explicit WatchedPump(frmQuilletMain& window) : window_(window) {}
    void DoEvents() override;
    void WaitBegins(double seconds) override;
    void Poll() override;
    void AskStop() override;
    bool StopAsked() override;

   private:
    frmQuilletMain& window_;
  };

  void CreateControls();
  void ArrangeControls();
  // Shows the chooser; false (after a message) when the folder has no GPX file.
  bool Choose();
  // Throws RunStopped once the window has closed.
  void StopIfClosed() const;
  // The run's progress, made for the run's settings at its first use.
  RunProgress& progress();
  // The progress lines as the run's progress has them now.
  void ShowProgress();
  // Seconds that only go forward, from the edges' clock.
  double SteadySeconds();

  MainWindowParts parts_;
  Settings settings_;
  QLineEdit* txtCachesProcessed = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* lblTotal = nullptr;
  QLabel* lblFile = nullptr;
  QLabel* lblStatus = nullptr;
  QPushButton* cmdGo = nullptr;
  CountDisplay count_display_;
  WatchedPages watched_pages_;
  WatchedPump watched_pump_;
  std::optional<RunProgress> progress_;
  double shown_at_ = -1;
  double last_timer_ = -1;
  double timer_days_ = 0;
  Run run_;
  bool run_started_ = false;
  bool running_ = false;  // the processing of the run is under way
};

}  // namespace velmora

#endif
