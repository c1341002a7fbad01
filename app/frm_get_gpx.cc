#include "app/frm_get_gpx.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "app/geometry.h"
#include "app/gpx_file_list.h"
#include "app/new_file_dialog.h"
#include "app/program.h"
#include "app/window_icon.h"
#include "core/settings.h"
#include "files/file_error.h"
#include "report/make_report.h"
#include "velmora/version.h"

namespace velmora {
namespace {

// The designed client area and controls, in twips.
constexpr int kClientWidth = 2292;
constexpr int kClientHeight = 4056;

QByteArray Bytes(const std::string& text) {
  return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// The list width that shows its longest entry whole, up to two thirds of
// the screen.
int ListWidthFor(const QListWidget& list, const QWidget& window) {
  const QFontMetrics metrics(list.font());
  int widest = 0;
  for (int row = 0; row < list.count(); ++row) {
    widest = std::max(widest, metrics.horizontalAdvance(list.item(row)->text()));
  }
  const int needed = widest + 2 * list.frameWidth() + 4 * metrics.averageCharWidth() +
                     list.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const QScreen* screen = window.screen();
  const int most = screen != nullptr ? screen->availableGeometry().width() * 2 / 3 : 800;
  return std::min(needed, most);
}

QString FileText(const std::filesystem::path& path) {
  return QFile::decodeName(Bytes(path.string()));
}

}  // namespace

frmGetGPX::frmGetGPX(RunState& state, Messages& messages, QWidget* parent)
    : QDialog(parent), state_(state), messages_(messages) {
  setObjectName(QStringLiteral("frmGetGPX"));
  setWindowTitle(QStringLiteral("Select the GPX File"));
  setWindowIcon(WindowIcon("frmGetGPX"));
  setFont(FormFont(8.0, false));
  launcher_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
  program_folder_ = QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
  CreateMenu();
  CreateControls();
  FillList();
  ArrangeControls();
}

void frmGetGPX::CreateMenu() {
  menu_bar_ = new QMenuBar(this);
  CreateFileMenu();
  CreateLogsMenu();
  mnuHelp = menu_bar_->addMenu(QStringLiteral("&Help"));
  mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
  mnuLaunchPDF = mnuHelp->addAction(QStringLiteral("Help &PDF"));
  mnuLaunchPDF->setObjectName(QStringLiteral("mnuLaunchPDF"));
  mnuVersion = mnuHelp->addAction(QStringLiteral("&Version"));
  mnuVersion->setObjectName(QStringLiteral("mnuVersion"));
  connect(mnuLaunchPDF, &QAction::triggered, this, [this] { OpenHelp(); });
  connect(mnuVersion, &QAction::triggered, this, [this] { ShowVersion(); });
}

void frmGetGPX::CreateFileMenu() {
  mnuFile = menu_bar_->addMenu(QStringLiteral("&File"));
  mnuFile->setObjectName(QStringLiteral("mnuFile"));
  mnuNewFromDatasheets = mnuFile->addAction(QString::fromUtf8("&New from datasheets\u2026"));
  mnuNewFromDatasheets->setObjectName(QStringLiteral("mnuNewFromDatasheets"));
  connect(mnuNewFromDatasheets, &QAction::triggered, this, [this] { NewFromDatasheets(); });
  mnuReport = mnuFile->addAction(QString::fromUtf8("&Report\u2026"));
  mnuReport->setObjectName(QStringLiteral("mnuReport"));
  connect(mnuReport, &QAction::triggered, this, [this] { ReportOfSelected(); });
}

void frmGetGPX::ReportOfSelected() {
  const std::string name = SelectedName();
  if (name.empty()) {
    messages_.Show(Message{kNoChoiceMessage, "", MessageIcon::kNone});
    return;
  }
  const std::string report = ReportFileFor(name);
  try {
    MakeReport(name, report, clock_->Today());
  } catch (const FileError& error) {
    messages_.Show(FailureReport(error));
    return;
  }
  if (!LaunchURL(report)) {
    messages_.Show(Message{"The report is in " + report, "", MessageIcon::kInformation});
  }
}

void frmGetGPX::NewFromDatasheets() {
  const auto choose = [this] {
    if (file_dialog_) return file_dialog_(kDatasheetFileTitle, kDatasheetFileFilter);
    return QFile::encodeName(QFileDialog::getOpenFileName(
                                 this, QString::fromUtf8(kDatasheetFileTitle), QString(),
                                 QString::fromUtf8(kDatasheetFileFilter)))
        .toStdString();
  };
  NewFileDialog dialog(settings_, choose, this);
  if (show_new_file_) {
    show_new_file_(dialog);
  } else {
    dialog.exec();
  }
  if (!dialog.made_file().empty()) ShowFile(dialog.made_file());
}

void frmGetGPX::ShowFile(const std::string& name) {
  File1->clear();
  FillList();
  for (int row = 0; row < File1->count(); ++row) {
    if (File1->item(row)->data(Qt::UserRole).toByteArray() == Bytes(name)) {
      File1->setCurrentRow(row);
    }
  }
}

void frmGetGPX::CreateLogsMenu() {
  mnuLogsFrom = menu_bar_->addMenu(QStringLiteral("&Logs from"));
  mnuLogsFrom->setObjectName(QStringLiteral("mnuLogsFrom"));
  log_sources_ = new QActionGroup(this);
  log_sources_->setExclusive(true);
  const auto add = [this](const char* text, const char* name) {
    QAction* action = mnuLogsFrom->addAction(QString::fromLatin1(text));
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(true);
    log_sources_->addAction(action);
    return action;
  };
  mnuListingWebsite = add("&Listing website", "mnuListingWebsite");
  mnuDatasheetsWeb = add("Agency &datasheets (web)", "mnuDatasheetsWeb");
  mnuDatasheetFile = add("Datasheet &file...", "mnuDatasheetFile");
  connect(mnuListingWebsite, &QAction::triggered, this,
          [this] { SetLogChoice(LogChoice{LogSource::kListing, ""}); });
  connect(mnuDatasheetsWeb, &QAction::triggered, this,
          [this] { SetLogChoice(LogChoice{LogSource::kDatasheet, ""}); });
  connect(mnuDatasheetFile, &QAction::triggered, this, [this] { ChooseDatasheetFile(); });
  ShowLogChoice();
}

void frmGetGPX::SetLogChoice(const LogChoice& choice) {
  log_choice_ = choice;
  if (log_choice_.source == LogSource::kListing) log_choice_.datasheet_file.clear();
  ShowLogChoice();
}

void frmGetGPX::ShowLogChoice() {
  QAction* checked = mnuListingWebsite;
  if (log_choice_.source == LogSource::kDatasheet) {
    checked = log_choice_.datasheet_file.empty() ? mnuDatasheetsWeb : mnuDatasheetFile;
  }
  checked->setChecked(true);
  // The chosen file by its name, and by its whole path in the tip.
  const std::string& file = log_choice_.datasheet_file;
  const QString name = FileText(std::filesystem::path(file).filename());
  mnuDatasheetFile->setText(file.empty() ? QStringLiteral("Datasheet &file...")
                                         : QStringLiteral("Datasheet &file: %1...").arg(name));
  mnuDatasheetFile->setToolTip(QFile::decodeName(Bytes(file)));
}

void frmGetGPX::ChooseDatasheetFile() {
  std::string file;
  if (file_dialog_) {
    file = file_dialog_(kDatasheetFileTitle, kDatasheetFileFilter);
  } else {
    file = QFile::encodeName(QFileDialog::getOpenFileName(
                                 this, QString::fromUtf8(kDatasheetFileTitle), QString(),
                                 QString::fromUtf8(kDatasheetFileFilter)))
               .toStdString();
  }
  // A cancel keeps the choice made before.
  if (!file.empty()) log_choice_ = LogChoice{LogSource::kDatasheet, file};
  ShowLogChoice();
}

void frmGetGPX::CreateControls() {
  client_ = new QWidget(this);
  File1 = new QListWidget(client_);
  File1->setObjectName(QStringLiteral("File1"));
  File1->setSelectionMode(QAbstractItemView::SingleSelection);
  Label1 = new QLabel(QStringLiteral("Choose GPX File"), client_);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setFont(FormFont(7.8, true));
  cmdOK = new QPushButton(QStringLiteral("Go"), client_);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setFont(FormFont(9.6, true));
  cmdOK->setAutoDefault(false);
  File1->installEventFilter(this);
  setTabOrder(File1, cmdOK);
  connect(cmdOK, &QPushButton::clicked, this, [this] { Go(); });
  connect(File1, &QListWidget::itemDoubleClicked, this, [this] { Go(); });
}

void frmGetGPX::FillList() {
  for (const std::string& name : ListGpxFiles(std::filesystem::path("."))) {
    auto* item = new QListWidgetItem(QFile::decodeName(Bytes(name)), File1);
    item->setData(Qt::UserRole, Bytes(name));
  }
  File1->setCurrentRow(-1);
  File1->clearSelection();
}

// The designed arrangement, with the label and the button grown where their
// text needs more room than the designed size gives in the fonts at hand. The
// dialog opens wide enough for its caption and its longest file name, and the
// user can make it larger: the list takes the room, the button stays below it.
void frmGetGPX::ArrangeControls() {
  const TwipsScale twips(*this);
  list_rect_ = twips.Rect(120, 360, 2052, 2952);
  label_rect_ = GrowToFit(twips.Rect(240, 100, 1452, 252),
                          TextSize(Label1->font(), Label1->text(), QSize(1, 1)));
  button_rect_ = GrowToFit(twips.Rect(650, 3480, 972, 372),
                           TextSize(cmdOK->font(), cmdOK->text(), QSize(10, 4)));
  const int margin = twips.X(kClientWidth) - RightOf(list_rect_);
  const int width = std::max({twips.X(kClientWidth), RightOf(label_rect_) + margin,
                              RightOf(button_rect_) + margin});
  const int height = std::max(twips.Y(kClientHeight),
                              BottomOf(button_rect_) + twips.Y(kClientHeight - 3852));
  designed_client_ = QSize(width, height);
  const int menu_height = menu_bar_->sizeHint().height();
  setMinimumSize(width, menu_height + height);
  const int wanted = std::max({width, CaptionWidth(windowTitle()),
                               ListWidthFor(*File1, *this) + 2 * list_rect_.x()});
  resize(wanted, menu_height + height);
  PlaceControls();
}

void frmGetGPX::PlaceControls() {
  const int menu_height = menu_bar_->sizeHint().height();
  const int extra_width = std::max(0, width() - designed_client_.width());
  const int extra_height = std::max(0, height() - menu_height - designed_client_.height());
  menu_bar_->setGeometry(0, 0, width(), menu_height);
  client_->setGeometry(0, menu_height, width(), height() - menu_height);
  File1->setGeometry(list_rect_.adjusted(0, 0, extra_width, extra_height));
  Label1->setGeometry(label_rect_);
  cmdOK->setGeometry(button_rect_.translated(extra_width / 2, extra_height));
}

void frmGetGPX::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!new_file_when_shown_) return;
  new_file_when_shown_ = false;
  QTimer::singleShot(0, this, [this] { NewFromDatasheets(); });
}

void frmGetGPX::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (designed_client_.isValid()) PlaceControls();
}

bool frmGetGPX::eventFilter(QObject* watched, QEvent* event) {
  if (watched == File1 && event->type() == QEvent::KeyPress &&
      ListKey(static_cast<const QKeyEvent&>(*event))) {
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

bool frmGetGPX::ListKey(const QKeyEvent& key) {
  if (key.modifiers() != Qt::NoModifier && key.modifiers() != Qt::KeypadModifier) return false;
  const bool nothing_selected = File1->selectedItems().isEmpty();
  switch (key.key()) {
    case Qt::Key_Down:
      if (!nothing_selected || File1->count() == 0) return false;
      File1->setCurrentRow(0);  // selects it too: one entry at most
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (nothing_selected) return false;
      Go();
      return true;
    default:
      return false;
  }
}

int frmGetGPX::ListCount() const { return File1->count(); }

std::string frmGetGPX::SelectedName() const {
  const QList<QListWidgetItem*> selected = File1->selectedItems();
  return selected.isEmpty() ? std::string()
                            : selected.first()->data(Qt::UserRole).toByteArray().toStdString();
}

void frmGetGPX::Go() {
  state_.GPXFileName = SelectedName();
  if (state_.GPXFileName.empty()) {
    messages_.Show(Message{kNoChoiceMessage, "", MessageIcon::kNone});
    return;
  }
  accept();
}

bool frmGetGPX::LaunchURL(const std::string& TheURL) {
  const QString text = QFile::decodeName(Bytes(TheURL));
  QUrl url(text);
  // A scheme of one letter is a drive letter, not a URL.
  if (url.scheme().size() < 2) url = QUrl::fromLocalFile(QDir::current().absoluteFilePath(text));
  return launcher_(url);
}

void frmGetGPX::OpenHelp() {
  std::error_code error;
  const std::vector<std::filesystem::path> places =
      HelpDocumentPlaces(std::filesystem::current_path(error), program_folder_);
  const std::filesystem::path guide = FindHelpDocument(places);
  if (guide.empty()) {
    messages_.Show(Message{"The user's guide " + std::string(kHelpDocument) +
                               " is not on this computer. Velmora installs it as " +
                               places[1].string() + ".",
                           "Help", MessageIcon::kInformation});
    return;
  }
  const std::filesystem::path absolute = std::filesystem::absolute(guide).lexically_normal();
  if (launcher_(QUrl::fromLocalFile(FileText(absolute)))) return;
  messages_.Show(Message{"No program could open the user's guide. It is here:\n\n" +
                             absolute.string(),
                         "Help", MessageIcon::kInformation});
}

void frmGetGPX::ShowVersion() {
  messages_.Show(Message{std::string("Version ") + kVersionText, "Version",
                         MessageIcon::kInformation});
}

}  // namespace velmora
