#include "app/new_file_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <chrono>
#include <filesystem>

#include "core/system_clock.h"
#include "core/text.h"
#include "datasheet/datasheet_archive.h"
#include "files/file_error.h"
#include "newfile/new_file.h"

namespace velmora {
namespace {

enum Column { kLabel, kField, kError };

std::string Text(const QLineEdit* edit) { return edit->text().trimmed().toStdString(); }

void ShowError(QLabel* label, const std::string& error) {
  label->setText(QString::fromStdString(error));
}

bool Exists(const std::string& name) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::u8path(name), error);
}

}  // namespace

NewFileDialog::NewFileDialog(const Settings& settings, ChooseFile choose_file, QWidget* parent)
    : QDialog(parent), settings_(settings), choose_file_(std::move(choose_file)) {
  setObjectName(QStringLiteral("frmNewFile"));
  setWindowTitle(QString::fromLatin1(kNewFileTitle));
  new QGridLayout(this);
  CreateFields();
  CreateButtons();
  Check();
}

void NewFileDialog::CreateFields() {
  auto* grid = static_cast<QGridLayout*>(layout());
  archive_ = AddField(0, "Datasheet file:", "txtArchive", archive_error_);
  auto* browse = new QPushButton(QStringLiteral("Choose..."), this);
  browse->setObjectName(QStringLiteral("cmdChooseArchive"));
  grid->addWidget(browse, 0, kField + 1);
  connect(browse, &QPushButton::clicked, this, [this] { ChooseArchive(); });
  latitude_ = AddField(1, "Near latitude, longitude:", "txtLatitude", near_error_);
  longitude_ = new QLineEdit(this);
  longitude_->setObjectName(QStringLiteral("txtLongitude"));
  grid->addWidget(longitude_, 1, kField + 1);
  connect(longitude_, &QLineEdit::textChanged, this, [this] { Check(); });
  within_ = AddField(2, "Within:", "txtWithin", within_error_);
  unit_ = new QComboBox(this);
  unit_->setObjectName(QStringLiteral("cboUnit"));
  unit_->addItems({QStringLiteral("km"), QStringLiteral("mi"), QStringLiteral("m")});
  grid->addWidget(unit_, 2, kField + 1);
  connect(unit_, &QComboBox::currentIndexChanged, this, [this] { Check(); });
  county_ = AddField(3, "County (ST/COUNTY):", "txtCounty", county_error_);
  pids_ = AddField(4, "PIDs (commas between):", "txtPids", pids_error_);
  destroyed_ = new QCheckBox(QStringLiteral("Include destroyed marks"), this);
  destroyed_->setObjectName(QStringLiteral("chkDestroyed"));
  grid->addWidget(destroyed_, 5, kField, 1, 2);
  name_ = AddField(6, "New file name:", "txtName", name_error_);
}

void NewFileDialog::CreateButtons() {
  auto* grid = static_cast<QGridLayout*>(layout());
  result_ = new QLabel(this);
  result_->setObjectName(QStringLiteral("lblResult"));
  result_->setWordWrap(true);
  grid->addWidget(result_, 7, kLabel, 1, 4);
  create_ = new QPushButton(QStringLiteral("Create"), this);
  create_->setObjectName(QStringLiteral("cmdCreate"));
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(create_);
  buttons->addWidget(cancel);
  grid->addLayout(buttons, 8, kLabel, 1, 4);
  connect(create_, &QPushButton::clicked, this, [this] { Create(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QLineEdit* NewFileDialog::AddField(int row, const char* label, const char* name, QLabel*& error) {
  auto* grid = static_cast<QGridLayout*>(layout());
  grid->addWidget(new QLabel(QString::fromLatin1(label), this), row, kLabel);
  auto* edit = new QLineEdit(this);
  edit->setObjectName(QString::fromLatin1(name));
  grid->addWidget(edit, row, kField);
  error = new QLabel(this);
  error->setObjectName(QString::fromLatin1(name).replace(0, 3, QStringLiteral("err")));
  error->setStyleSheet(QStringLiteral("color: #b00020"));
  grid->addWidget(error, row, kError + 1);
  connect(edit, &QLineEdit::textChanged, this, [this] { Check(); });
  return edit;
}

void NewFileDialog::ChooseArchive() {
  const std::string file = choose_file_ ? choose_file_() : std::string();
  if (!file.empty()) archive_->setText(QFile::decodeName(QByteArray::fromStdString(file)));
}

bool NewFileDialog::CheckNear() {
  const bool near = !Text(latitude_).empty() || !Text(longitude_).empty();
  std::string near_error, within_error;
  try {
    if (near) ReadNear(Text(latitude_) + "," + Text(longitude_));
  } catch (const SelectionError&) {
    near_error = "latitude -90 to 90, longitude -180 to 180, in decimal degrees";
  }
  try {
    if (!Text(within_).empty()) ReadDistance(Text(within_) + unit_->currentText().toStdString());
  } catch (const SelectionError&) {
    within_error = "a distance: a number such as 5 or 0.8";
  }
  if (within_error.empty() && near != !Text(within_).empty()) {
    within_error = near ? "how far from the point?" : "within what? give the point first";
  }
  ShowError(near_error_, near_error);
  ShowError(within_error_, within_error);
  return near_error.empty() && within_error.empty();
}

// The county, the PIDs and the new file's name.
bool NewFileDialog::CheckNamed() {
  const std::string county = Text(county_);
  const std::size_t slash = county.find('/');
  const bool county_ok = county.empty() || (slash > 0 && slash + 1 < county.size() &&
                                            slash != std::string::npos);
  ShowError(county_error_, county_ok ? "" : "ST/COUNTY, such as TX/BEXAR");
  std::string pids_error;
  try {
    if (!Text(pids_).empty()) ReadPidList(Text(pids_));
  } catch (const SelectionError& error) {
    pids_error = error.what();
  }
  ShowError(pids_error_, pids_error);
  const std::string name = Text(name_);
  std::string name_error;
  if (name.find_first_of("/\\") != std::string::npos) name_error = "a name, without a folder";
  if (name_error.empty() && !name.empty() && LowerAscii(Right(name, 4)) != ".gpx") {
    name_error = "the name ends in .gpx";
  }
  if (name_error.empty() && !name.empty() && Exists(name)) name_error = "a file has this name";
  ShowError(name_error_, name_error);
  return county_ok && pids_error.empty() && name_error.empty();
}

void NewFileDialog::Check() {
  const std::string archive = Text(archive_);
  const bool archive_ok = archive.empty() || Exists(archive);
  ShowError(archive_error_, archive_ok ? "" : "no such file");
  const bool near_ok = CheckNear();
  const bool named_ok = CheckNamed();
  const bool selection =
      !Text(latitude_).empty() || !Text(county_).empty() || !Text(pids_).empty();
  create_->setEnabled(archive_ok && near_ok && named_ok && selection && !archive.empty() &&
                      !Text(name_).empty());
}

void NewFileDialog::Create() {
  if (!create_->isEnabled()) return;
  MarkSelection selection;
  if (!Text(latitude_).empty()) {
    const std::string centre = Text(latitude_) + "," + Text(longitude_);
    const std::string within = Text(within_) + unit_->currentText().toStdString();
    selection.near = NearSelection{ReadNear(centre), centre, ReadDistance(within), within};
  }
  selection.county = ReadCounty(Text(county_));
  if (!Text(pids_).empty()) selection.pids = ReadPidList(Text(pids_));
  selection.include_destroyed = destroyed_->isChecked();
  const NewFileRequest request{Text(name_), Text(archive_), selection,
                               UtcTimeText(std::chrono::system_clock::now()), {}};
  QApplication::setOverrideCursor(Qt::WaitCursor);
  std::string why;
  try {
    const NewFileReport report = MakeNewFileFromArchive(request, settings_);
    if (report.outcome == NewFileOutcome::kWritten) made_file_ = request.file;
    why = report.message;
  } catch (const DatasheetArchiveError& error) {
    why = error.what();
  } catch (const FileError& error) {
    why = error.what();
  }
  QApplication::restoreOverrideCursor();
  result_->setText(QString::fromStdString(why));
  if (!made_file_.empty()) accept();
}

}  // namespace velmora
