// What a user does in the chooser, for the window tests and the test driver.
#ifndef VELMORA_TESTS_APP_CHOOSER_ACTIONS_H
#define VELMORA_TESTS_APP_CHOOSER_ACTIONS_H

#include <QStringList>

class QListWidget;
class QPushButton;

namespace velmora {
class frmGetGPX;
}

namespace velmora::testing {

QListWidget* FileList(frmGetGPX& chooser);
QPushButton* GoButton(frmGetGPX& chooser);
// The texts of File1's entries, in list order.
QStringList Entries(frmGetGPX& chooser);
// Selects the entry with this text (false when there is none).
bool Select(frmGetGPX& chooser, const QString& entry);
// Selects the entry and clicks Go.
bool ChooseEntry(frmGetGPX& chooser, const QString& entry);

}  // namespace velmora::testing

#endif
