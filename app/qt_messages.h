// Messages shown as modal Qt message boxes with an OK button, questions
// with Yes and No.
#ifndef VELMORA_APP_QT_MESSAGES_H
#define VELMORA_APP_QT_MESSAGES_H

#include <QMessageBox>
#include <QString>

#include "core/edges.h"

namespace velmora {

// The box's title: the message's own, or the application title.
QString MessageTitle(const Message& message);
QMessageBox::Icon MessageBoxIcon(MessageIcon icon);
// Makes the box at least as wide as its whole caption needs (a short text
// would leave the title bar too narrow for it).
void WidenForTitle(QMessageBox& box);

class QtMessages : public Messages {
 public:
  void Show(const Message& message) override;
  bool Ask(const std::string& question) override;
};

}  // namespace velmora

#endif
