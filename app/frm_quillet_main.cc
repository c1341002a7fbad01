#include "app/frm_quillet_main.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/frm_get_gpx.h"
#include "app/geometry.h"
#include "app/program_end.h"
#include "app/start_folder.h"
#include "app/window_icon.h"
#include "datasheet/datasheet_archive.h"
#include "files/resume_check.h"
#include "gpx/benchmark_scan.h"
#include "gpx/resume_point.h"
#include "report/make_report.h"
#include "sources/make_logs_source.h"
#include "net/patient_fetch.h"

namespace velmora {
namespace {

// The designed client area, in twips.
constexpr int kClientWidth = 6480;
constexpr int kClientHeight = 1032;

std::string CurrentFolderText() {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::current_path(error);
  return error ? std::string(".") : folder.string();
}

// An earlier run over the file that can go on: the user chooses in a Yes/No
// box (Yes goes on, No starts over). Empty for a fresh run.
std::shared_ptr<const ResumePoint> AskToResume(const std::string& file, const LogsSource& source,
                                               Messages& messages) {
  const ResumeCheck check = CheckRunResume(file, source);
  if (!check.resume) return nullptr;
  const int completed = check.state.completed;
  if (!messages.Ask(ContinueRunQuestion(file, completed, check.state.total))) return nullptr;
  return LoadResumePoint(check, file);
}

}  // namespace

std::string ContinueRunQuestion(const std::string& file, int completed, int total) {
  return "An earlier run over " + file + " stopped after " + std::to_string(completed) + " of " +
         std::to_string(total) + " benchmarks. Continue it?";
}

void frmQuilletMain::CountDisplay::SetCount(int count) {
  // Setting the count is a use of the window: once it has closed, that use
  // ends the program here.
  if (window_.parts_.state.MainClosing) throw ProgramEnd{};
  window_.txtCachesProcessed->setText(QString::number(count));
  window_.progress().Counted(count);
  window_.ShowProgress();
  window_.parts_.edges.progress.SetCount(count);
}

PageAnswer frmQuilletMain::WatchedPages::Fetch(const std::string& TheURL) {
  window_.StopIfClosed();
  window_.progress().Fetching();
  window_.ShowProgress();
  PageAnswer answer = window_.parts_.edges.pages.Fetch(TheURL);
  window_.StopIfClosed();  // an abandoned download is no failed try
  const std::string failure = AttemptFailure(answer);
  if (!failure.empty()) {
    window_.progress().TryFailed(failure);
    window_.ShowProgress();
  }
  return answer;
}

void frmQuilletMain::WatchedPump::DoEvents() {
  window_.parts_.edges.pump.DoEvents();
  if (window_.progress().now() - window_.shown_at_ >= 1) window_.ShowProgress();
}

void frmQuilletMain::WatchedPump::WaitBegins(double seconds) {
  window_.parts_.edges.pump.WaitBegins(seconds);
  window_.progress().WaitBegins(seconds);
  window_.ShowProgress();
}

void frmQuilletMain::WatchedPump::Poll() {
  window_.parts_.edges.pump.Poll();
  // A run without waits or downloads notices the close here, unless its
  // last benchmark is done already.
  const Run& run = window_.run_;
  if (run.benchmarks_done < BenchmarksInAll(run)) window_.StopIfClosed();
}

void frmQuilletMain::WatchedPump::AskStop() { window_.parts_.edges.pump.AskStop(); }

bool frmQuilletMain::WatchedPump::StopAsked() {
  return window_.parts_.edges.pump.StopAsked() || window_.parts_.state.MainClosing;
}

frmQuilletMain::frmQuilletMain(MainWindowParts parts, QWidget* parent)
    : QWidget(parent),
      parts_(std::move(parts)),
      settings_(parts_.settings),
      count_display_(*this),
      watched_pages_(*this),
      watched_pump_(*this),
      run_{parts_.state,
           settings_,
           Edges{watched_pages_, parts_.edges.clock, watched_pump_, parts_.edges.messages,
                 count_display_},
           parts_.pace} {
  setObjectName(QStringLiteral("frmQuilletMain"));
  setWindowTitle(QStringLiteral("Quillet"));
  setWindowIcon(WindowIcon("frmQuilletMain"));
  CreateControls();
  ArrangeControls();
}

frmQuilletMain::~frmQuilletMain() = default;

RunProgress& frmQuilletMain::progress() {
  if (!progress_) {
    // A source that spares no server (the datasheet file) makes no pauses.
    const bool pauses = !run_.source || run_.source->PausesBetweenBenchmarks();
    const double nominal_pause = pauses ? ScanPause(parts_.pace) * settings_.pause_scale : 0.0;
    progress_.emplace(parts_.state, [this] { return SteadySeconds(); }, nominal_pause);
  }
  return *progress_;
}

double frmQuilletMain::SteadySeconds() {
  // The clock's timer starts again at midnight; these seconds go on.
  const double timer = parts_.edges.clock.Timer();
  if (last_timer_ >= 0 && timer < last_timer_) timer_days_ += 1;
  last_timer_ = timer;
  return timer + timer_days_ * 86400;
}

void frmQuilletMain::StopIfClosed() const {
  if (parts_.state.MainClosing) throw RunStopped{kClosedReason};
}

void frmQuilletMain::ShowProgress() {
  const ProgressView view = progress().View();
  shown_at_ = progress().now();
  lblTotal->setText(view.total > 0 ? QStringLiteral("of %1").arg(view.total) : QString());
  lblFile->setText(QString::fromStdString(parts_.state.GPXFileName));
  lblStatus->setText(QString::fromStdString(ActivityLine(view)));
}

void frmQuilletMain::CreateControls() {
  txtCachesProcessed = new QLineEdit(this);
  txtCachesProcessed->setObjectName(QStringLiteral("txtCachesProcessed"));
  txtCachesProcessed->setFont(FormFont(9.6, false));
  txtCachesProcessed->setReadOnly(true);  // shows the count; the user cannot type into it
  Label1 = new QLabel(QStringLiteral("Benchmarks Processed"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setFont(FormFont(9.6, true));
  const auto progress_label = [this](const char* name, bool bold) {
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(FormFont(9.6, bold));
    label->setTextFormat(Qt::PlainText);
    return label;
  };
  lblTotal = progress_label("lblTotal", true);
  lblFile = progress_label("lblFile", false);
  lblStatus = progress_label("lblStatus", false);
  lblStatus->setWordWrap(true);
  lblStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  cmdGo = new QPushButton(QStringLiteral("Go"), this);
  cmdGo->setObjectName(QStringLiteral("cmdGo"));
  cmdGo->setFont(FormFont(9.6, true));
  setTabOrder(txtCachesProcessed, cmdGo);
  connect(cmdGo, &QPushButton::clicked, this, [this] { Go(); });
}

// The designed arrangement: the label, the count and its total in a row,
// the file and the status (two lines) below. Where the label's text needs
// more room than its designed width gives in the fonts at hand, the label
// grows and the text box to its right, and the window with it, move over by
// as much.
void frmQuilletMain::ArrangeControls() {
  const TwipsScale twips(*this);
  const QRect designed_label = twips.Rect(612, 360, 2280, 252);
  const QRect label = GrowToFit(designed_label,
                                TextSize(Label1->font(), Label1->text(), QSize(1, 1)));
  const int shift = label.width() - designed_label.width();
  const QRect box = GrowToFit(twips.Rect(3240, 360, 612, 360).translated(shift, 0),
                              TextSize(txtCachesProcessed->font(), "0000", QSize(6, 4)));
  const QRect total = GrowToFit(QRect(RightOf(box) + twips.X(120), label.y(), 0, 0),
                                TextSize(lblTotal->font(), "of 00000", QSize(1, 1)));
  const int width = std::max(twips.X(kClientWidth), RightOf(total) + twips.X(612));
  const int line = TextSize(lblFile->font(), "Xg", QSize(0, 1)).height();
  const QRect file(label.x(), BottomOf(box) + twips.Y(120), width - 2 * label.x(), line);
  const QRect status(label.x(), BottomOf(file) + twips.Y(60), file.width(), 2 * line);
  const int height = std::max(twips.Y(kClientHeight), BottomOf(status) + twips.Y(240));
  // The button lies below the bottom edge, as designed.
  const QRect button = GrowToFit(twips.Rect(1320, 1080, 972, 372),
                                 TextSize(cmdGo->font(), cmdGo->text(), QSize(10, 4)))
                           .translated(0, height - twips.Y(kClientHeight));
  Label1->setGeometry(label);
  txtCachesProcessed->setGeometry(box);
  lblTotal->setGeometry(total);
  lblFile->setGeometry(file);
  lblStatus->setGeometry(status);
  cmdGo->setGeometry(button);
  setFixedSize(width, height);
}

bool frmQuilletMain::Load() {
  RunState& state = parts_.state;
  if (state.MainClosing) throw ProgramEnd{};
  // A file named at the start is run as if chosen in the chooser.
  if (state.GPXFileName.empty() && !Choose()) return false;
  if (state.GPXFileName.empty() || state.MainClosing) {
    close();
    return false;
  }
  Go();
  return isVisible();
}

bool frmQuilletMain::Choose() {
  RunState& state = parts_.state;
  frmGetGPX chooser(state, parts_.edges.messages);
  if (chooser.ListCount() < 1) {
    // A hunter without a file yet: the chooser opens "New from datasheets".
    if (!parts_.edges.messages.Ask(NoGpxFilesQuestion(CurrentFolderText()))) return false;
    chooser.OpenNewFileWhenShown();
  }
  chooser.SetLogChoice(LogChoice{settings_.log_source, settings_.datasheet_file});
  chooser.SetFileDialog(parts_.choose_datasheet_file);
  chooser.SetSettings(settings_);
  chooser.SetClock(parts_.edges.clock);
  parts_.show_chooser(chooser);
  chooser.close();
  settings_.log_source = chooser.log_choice().source;
  settings_.datasheet_file = chooser.log_choice().datasheet_file;
  return true;
}

void frmQuilletMain::Go() {
  // One program start makes at most one run.
  if (run_started_) return;
  run_started_ = true;
  RunState& state = parts_.state;
  show();
  parts_.edges.pump.DoEvents();
  // Disabling the button touches the window: a close during that pass of
  // events ends the program here, before any processing.
  if (state.MainClosing) throw ProgramEnd{};
  cmdGo->setEnabled(false);
  run_.source = MakeLogsSource(run_.settings);
  lblFile->setText(QString::fromStdString(state.GPXFileName));
  run_.resume = AskToResume(state.GPXFileName, *run_.source, parts_.edges.messages);
  if (state.MainClosing) throw ProgramEnd{};
  progress_.reset();  // for the settings of this run
  try {
    running_ = true;
    const auto run_over = qScopeGuard([this] { running_ = false; });
    parts_.process(run_);
  } catch (const RunStopped& stop) {
    // Closed: what was completed is in the result file.
    run_.outcome = RunOutcome::kStopped;
    run_.stop_reason = stop.reason;
    ReportAfterRun(run_);
    FinishRun(run_, parts_.append_error_log);
    return;
  } catch (const DatasheetArchiveError& error) {
    // Refused before anything was written: the run ends here.
    parts_.edges.messages.Show(Message{error.what(), "Datasheet file", MessageIcon::kError});
    close();
    return;
  }
  // A document the scan does not take ends the program once its message
  // has been seen; a run stopped otherwise leaves the window as it is.
  if (run_.outcome == RunOutcome::kNotGpx || run_.outcome == RunOutcome::kNoBenchmark) close();
  if (!state.RunFinished) return;
  ReportAfterRun(run_);
  FinishRun(run_, parts_.append_error_log);
  close();
}

// The unload step: a close is never refused. During a run it asks the run
// to stop.
void frmQuilletMain::closeEvent(QCloseEvent* event) {
  parts_.state.MainClosing = true;
  if (running_) parts_.edges.pump.AskStop();
  event->accept();
}

}  // namespace velmora
