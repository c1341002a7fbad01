#include "app/frm_get_gpx.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <algorithm>
#include <filesystem>

#include "app/geometry.h"
#include "app/gpx_file_list.h"
#include "app/window_icon.h"
#include "core/settings.h"
#include "velmora/version.h"

namespace velmora {
namespace {

// The designed client area and controls, in twips.
constexpr int kClientWidth = 2292;
constexpr int kClientHeight = 4056;

QByteArray Bytes(const std::string& text) {
  return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

frmGetGPX::frmGetGPX(RunState& state, Messages& messages, QWidget* parent)
    : QDialog(parent), state_(state), messages_(messages) {
  setObjectName(QStringLiteral("frmGetGPX"));
  setWindowTitle(QStringLiteral("Select the GPX File"));
  setWindowIcon(WindowIcon("frmGetGPX"));
  setFont(FormFont(8.0, false));
  launcher_ = [](const QUrl& url) { QDesktopServices::openUrl(url); };
  CreateMenu();
  CreateControls();
  FillList();
  ArrangeControls();
}

void frmGetGPX::CreateMenu() {
  menu_bar_ = new QMenuBar(this);
  mnuHelp = menu_bar_->addMenu(QStringLiteral("Help"));
  mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
  mnuLaunchPDF = mnuHelp->addAction(QStringLiteral("Help PDF"));
  mnuLaunchPDF->setObjectName(QStringLiteral("mnuLaunchPDF"));
  mnuVersion = mnuHelp->addAction(QStringLiteral("Version"));
  mnuVersion->setObjectName(QStringLiteral("mnuVersion"));
  connect(mnuLaunchPDF, &QAction::triggered, this, [this] { LaunchURL(kHelpDocument); });
  connect(mnuVersion, &QAction::triggered, this, [this] { ShowVersion(); });
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
// text needs more room than the designed size gives in the fonts at hand.
void frmGetGPX::ArrangeControls() {
  const TwipsScale twips(*this);
  const QRect list = twips.Rect(120, 360, 2052, 2952);
  const QRect label = GrowToFit(twips.Rect(240, 100, 1452, 252),
                                TextSize(Label1->font(), Label1->text(), QSize(1, 1)));
  const QRect button = GrowToFit(twips.Rect(650, 3480, 972, 372),
                                 TextSize(cmdOK->font(), cmdOK->text(), QSize(10, 4)));
  File1->setGeometry(list);
  Label1->setGeometry(label);
  cmdOK->setGeometry(button);

  const int margin = twips.X(kClientWidth) - RightOf(list);
  const int width = std::max({twips.X(kClientWidth), RightOf(label) + margin,
                              RightOf(button) + margin});
  const int height = std::max(twips.Y(kClientHeight),
                              BottomOf(button) + twips.Y(kClientHeight - 3852));
  const int menu_height = menu_bar_->sizeHint().height();
  menu_bar_->setGeometry(0, 0, width, menu_height);
  client_->setGeometry(0, menu_height, width, height);
  setFixedSize(width, menu_height + height);
}

int frmGetGPX::ListCount() const { return File1->count(); }

void frmGetGPX::Go() {
  const QList<QListWidgetItem*> selected = File1->selectedItems();
  const QByteArray name =
      selected.isEmpty() ? QByteArray() : selected.first()->data(Qt::UserRole).toByteArray();
  state_.GPXFileName = name.toStdString();
  if (state_.GPXFileName.empty()) {
    messages_.Show(Message{kNoChoiceMessage, "", MessageIcon::kNone});
    return;
  }
  accept();
}

void frmGetGPX::LaunchURL(const std::string& TheURL) {
  const QString text = QFile::decodeName(Bytes(TheURL));
  QUrl url(text);
  // A scheme of one letter is a drive letter, not a URL.
  if (url.scheme().size() < 2) url = QUrl::fromLocalFile(QDir::current().absoluteFilePath(text));
  launcher_(url);
}

void frmGetGPX::ShowVersion() {
  messages_.Show(Message{std::string("Version ") + kVersionText, "Version",
                         MessageIcon::kInformation});
}

}  // namespace velmora
