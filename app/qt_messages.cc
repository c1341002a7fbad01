#include "app/qt_messages.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QUrl>
#include <QGridLayout>
#include <QSpacerItem>

#include "app/geometry.h"
#include "core/settings.h"

namespace velmora {

QString MessageTitle(const Message& message) {
  const std::string& title = message.title.empty() ? std::string(kApplicationTitle) : message.title;
  return QString::fromLocal8Bit(title.data(), static_cast<qsizetype>(title.size()));
}

QMessageBox::Icon MessageBoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kInformation:
      return QMessageBox::Information;
    case MessageIcon::kWarning:
      return QMessageBox::Warning;
    case MessageIcon::kError:
      return QMessageBox::Critical;
    case MessageIcon::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}

void WidenForTitle(QMessageBox& box) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (grid == nullptr) return;
  // A row of its own that is as wide as the whole caption.
  grid->addItem(new QSpacerItem(CaptionWidth(box.windowTitle()), 0, QSizePolicy::Minimum,
                                QSizePolicy::Minimum),
                grid->rowCount(), 0, 1, grid->columnCount());
}

void QtMessages::Show(const Message& message) {
  const QString text =
      QString::fromLocal8Bit(message.text.data(), static_cast<qsizetype>(message.text.size()));
  QMessageBox box(MessageBoxIcon(message.icon), MessageTitle(message), text, QMessageBox::Ok,
                  QApplication::activeWindow());
  WidenForTitle(box);
  QPushButton* show_report = nullptr;
  if (!message.report_file.empty()) {
    show_report = box.addButton(QStringLiteral("Show report"), QMessageBox::ActionRole);
  }
  box.exec();
  if (show_report != nullptr && box.clickedButton() == show_report) {
    const QByteArray file(message.report_file.data(),
                          static_cast<qsizetype>(message.report_file.size()));
    QDesktopServices::openUrl(
        QUrl::fromLocalFile(QDir::current().absoluteFilePath(QFile::decodeName(file))));
  }
}

bool QtMessages::Ask(const std::string& question) {
  const QString text =
      QString::fromLocal8Bit(question.data(), static_cast<qsizetype>(question.size()));
  QMessageBox box(QMessageBox::Question, MessageTitle(Message{}), text,
                  QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
  box.setDefaultButton(QMessageBox::Yes);
  WidenForTitle(box);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace velmora
