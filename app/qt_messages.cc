#include "app/qt_messages.h"

#include <QApplication>
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
  box.exec();
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
