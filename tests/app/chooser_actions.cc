#include "tests/app/chooser_actions.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "app/frm_get_gpx.h"

namespace velmora::testing {

QListWidget* FileList(frmGetGPX& chooser) {
  return chooser.findChild<QListWidget*>(QStringLiteral("File1"));
}

QPushButton* GoButton(frmGetGPX& chooser) {
  return chooser.findChild<QPushButton*>(QStringLiteral("cmdOK"));
}

QStringList Entries(frmGetGPX& chooser) {
  QStringList texts;
  QListWidget* list = FileList(chooser);
  for (int row = 0; list != nullptr && row < list->count(); ++row) texts << list->item(row)->text();
  return texts;
}

bool Select(frmGetGPX& chooser, const QString& entry) {
  QListWidget* list = FileList(chooser);
  if (list == nullptr) return false;
  const QList<QListWidgetItem*> found = list->findItems(entry, Qt::MatchExactly);
  if (found.isEmpty()) return false;
  list->setCurrentItem(found.first());
  return found.first()->isSelected();
}

bool ChooseEntry(frmGetGPX& chooser, const QString& entry) {
  if (!Select(chooser, entry)) return false;
  QTest::mouseClick(GoButton(chooser), Qt::LeftButton);
  return true;
}

}  // namespace velmora::testing
