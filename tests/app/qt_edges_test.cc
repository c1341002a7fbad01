#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gmock/gmock.h>

#include "app/geometry.h"
#include "app/qt_event_pump.h"
#include "gpx/process_gpx_file.h"
#include "velmora/version.h"
#include "app/qt_messages.h"

namespace velmora::testing {
namespace {

struct SeenBox {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  bool seen = false;
  int width = 0;
};

// Shows the message as a real modal box; the box is read and dismissed as
// soon as the event loop of the box runs.
SeenBox ShowAndDismiss(const Message& message) {
  SeenBox seen;
  QTimer::singleShot(0, [&seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    seen = SeenBox{box->windowTitle(), box->text(), box->icon(), box->standardButtons(), true,
                   box->width()};
    box->accept();
  });
  QtMessages().Show(message);
  return seen;
}

TEST(QtMessagesTest, PlainMessageCarriesTheApplicationTitleAndNoIcon) {
  const SeenBox box = ShowAndDismiss(Message{"              Finished         ", "", MessageIcon::kNone});
  ASSERT_TRUE(box.seen);
  EXPECT_EQ(box.title, QStringLiteral("Velmora"));
  EXPECT_EQ(box.text, QStringLiteral("              Finished         "));
  EXPECT_EQ(box.icon, QMessageBox::NoIcon);
  EXPECT_EQ(box.buttons, QMessageBox::Ok);
}

TEST(QtMessagesTest, OwnTitleAndIconAreKept) {
  const SeenBox version = ShowAndDismiss(Message{std::string("Version ") + kVersionText, "Version", MessageIcon::kInformation});
  ASSERT_TRUE(version.seen);
  EXPECT_EQ(version.title, QStringLiteral("Version"));
  EXPECT_EQ(version.icon, QMessageBox::Information);
  EXPECT_GE(version.width, CaptionWidth(version.title));  // the whole title in its bar
  EXPECT_EQ(ShowAndDismiss(Message{kNotGpxText, "", MessageIcon::kWarning}).icon,
            QMessageBox::Warning);
  const SeenBox error = ShowAndDismiss(Message{"There something wrong.", "Cannot Continue",
                                               MessageIcon::kError});
  ASSERT_TRUE(error.seen);
  EXPECT_EQ(error.title, QStringLiteral("Cannot Continue"));
  EXPECT_EQ(error.icon, QMessageBox::Critical);
}

TEST(QtEventPumpTest, RunsThePendingEvents) {
  int delivered = 0;
  QTimer::singleShot(0, [&] { ++delivered; });
  QMetaObject::invokeMethod(QCoreApplication::instance(), [&] { ++delivered; }, Qt::QueuedConnection);
  QtEventPump pump{std::chrono::milliseconds(0)};
  pump.DoEvents();
  EXPECT_EQ(delivered, 2);
  EXPECT_FALSE(pump.StopAsked());
  QTimer::singleShot(0, [&pump] { pump.AskStop(); });  // as the closing window does
  EXPECT_TRUE(pump.StopAsked());
}

}  // namespace
}  // namespace velmora::testing
