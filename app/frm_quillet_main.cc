#include "app/frm_quillet_main.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
#include "gpx/resume_point.h"
#include "sources/make_logs_source.h"

namespace velmora {
namespace {

// The designed client area, in twips.
constexpr int kClientWidth = 4608;
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
  window_.parts_.edges.progress.SetCount(count);
}

frmQuilletMain::frmQuilletMain(MainWindowParts parts, QWidget* parent)
    : QWidget(parent),
      parts_(std::move(parts)),
      settings_(parts_.settings),
      count_display_(*this),
      run_{parts_.state,
           settings_,
           Edges{parts_.edges.pages, parts_.edges.clock, parts_.edges.pump,
                 parts_.edges.messages, count_display_},
           parts_.pace} {
  setObjectName(QStringLiteral("frmQuilletMain"));
  setWindowTitle(QStringLiteral("Quillet"));
  setWindowIcon(WindowIcon("frmQuilletMain"));
  CreateControls();
  ArrangeControls();
}

frmQuilletMain::~frmQuilletMain() = default;

void frmQuilletMain::CreateControls() {
  txtCachesProcessed = new QLineEdit(this);
  txtCachesProcessed->setObjectName(QStringLiteral("txtCachesProcessed"));
  txtCachesProcessed->setFont(FormFont(9.6, false));
  txtCachesProcessed->setReadOnly(true);  // shows the count; the user cannot type into it
  Label1 = new QLabel(QStringLiteral("Benchmarks Processed"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setFont(FormFont(9.6, true));
  cmdGo = new QPushButton(QStringLiteral("Go"), this);
  cmdGo->setObjectName(QStringLiteral("cmdGo"));
  cmdGo->setFont(FormFont(9.6, true));
  setTabOrder(txtCachesProcessed, cmdGo);
  connect(cmdGo, &QPushButton::clicked, this, [this] { Go(); });
}

// The designed arrangement. Where the label's text needs more room than its
// designed width gives in the fonts at hand, the label grows and the text
// box to its right, and the window with it, move over by as much.
void frmQuilletMain::ArrangeControls() {
  const TwipsScale twips(*this);
  const QRect designed_label = twips.Rect(612, 360, 2280, 252);
  const QRect label = GrowToFit(designed_label,
                                TextSize(Label1->font(), Label1->text(), QSize(1, 1)));
  const int shift = label.width() - designed_label.width();
  const QRect box = GrowToFit(twips.Rect(3240, 360, 612, 360).translated(shift, 0),
                              TextSize(txtCachesProcessed->font(), "0000", QSize(6, 4)));
  const int width = std::max(twips.X(kClientWidth),
                             RightOf(box) + twips.X(kClientWidth - 3852));
  const int height = std::max(twips.Y(kClientHeight),
                              BottomOf(box) + twips.Y(kClientHeight - 720));
  // The button lies below the bottom edge, as designed.
  const QRect button = GrowToFit(twips.Rect(1320, 1080, 972, 372),
                                 TextSize(cmdGo->font(), cmdGo->text(), QSize(10, 4)))
                           .translated(0, height - twips.Y(kClientHeight));
  Label1->setGeometry(label);
  txtCachesProcessed->setGeometry(box);
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
    parts_.edges.messages.Show(Message{NoGpxFilesText(CurrentFolderText()), "", MessageIcon::kNone});
    return false;
  }
  chooser.SetLogChoice(LogChoice{settings_.log_source, settings_.datasheet_file});
  chooser.SetFileDialog(parts_.choose_datasheet_file);
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
  run_.resume = AskToResume(state.GPXFileName, *run_.source, parts_.edges.messages);
  if (state.MainClosing) throw ProgramEnd{};
  try {
    parts_.process(run_);
  } catch (const DatasheetArchiveError& error) {
    // Refused before anything was written: the run ends here.
    parts_.edges.messages.Show(Message{error.what(), "Datasheet file", MessageIcon::kError});
    close();
    return;
  }
  // A document the scan does not take ends the program once its message
  // has been seen; a run stopped otherwise leaves the window as it is.
  if (run_.outcome == RunOutcome::kNotGpx) close();
  if (!state.RunFinished) return;
  FinishRun(run_, parts_.append_error_log);
  close();
}

// The unload step: a close is never refused.
void frmQuilletMain::closeEvent(QCloseEvent* event) {
  parts_.state.MainClosing = true;
  event->accept();
}

}  // namespace velmora
