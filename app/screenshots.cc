// Draws the chooser and the main window, as a user sees them in the working
// folder, into two PNG files, and optionally the chooser with its "Logs from"
// menu open (taken from the screen, as the menu is a window of its own) and
// the "New from datasheets" dialog being filled in:
// velmora_screenshots CHOOSER.png MAIN.png [LOGS-MENU.png [NEW-FILE.png]]
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <cstdio>
#include <string>

#include "app/frm_get_gpx.h"
#include "app/frm_quillet_main.h"
#include "app/new_file_dialog.h"
#include "core/settings.h"

namespace {

// A website that is busy.
class BusyPages : public velmora::PageSource {
 public:
  velmora::PageAnswer Fetch(const std::string&) override {
    return {"<h1>Server Too Busy</h1>", 503, "text/html", "HTTP 503"};
  }
};

class StillClock : public velmora::Clock {
 public:
  double Timer() override { return 0; }
  void Randomize() override {}
  double Rnd() override { return 0; }
  std::string Today() override { return "2026-06-15"; }
};

class NoEvents : public velmora::EventPump {
 public:
  void DoEvents() override {}
};

class NoMessages : public velmora::Messages {
 public:
  void Show(const velmora::Message&) override {}
};

bool Save(QWidget& window, const char* path) {
  window.show();
  QApplication::processEvents();
  const bool saved = window.grab().save(QString::fromLocal8Bit(path));
  if (!saved) std::fprintf(stderr, "cannot write %s\n", path);
  return saved;
}

// Opens the chooser's "Logs from" menu and saves the part of the screen that
// holds the chooser and the menu.
bool SaveLogsMenu(QWidget& chooser, const char* path) {
  chooser.show();
  QApplication::processEvents();
  auto* bar = chooser.findChild<QMenuBar*>();
  auto* menu = chooser.findChild<QMenu*>(QStringLiteral("mnuLogsFrom"));
  if (bar == nullptr || menu == nullptr) return false;
  bar->setActiveAction(menu->menuAction());
  for (int pass = 0; pass < 20; ++pass) {
    QApplication::processEvents();
    QThread::msleep(25);
  }
  const QRect area = chooser.frameGeometry().united(menu->geometry()).adjusted(-4, -4, 4, 4);
  const QPixmap shot = chooser.screen()->grabWindow(0, area.x(), area.y(), area.width(),
                                                    area.height());
  const bool saved = shot.save(QString::fromLocal8Bit(path));
  if (!saved) std::fprintf(stderr, "cannot write %s\n", path);
  menu->close();
  return saved;
}

// The "New from datasheets" dialog with a selection typed in, one field
// still wrong; the working folder holds TX.zip.
bool SaveNewFileDialog(const char* path) {
  velmora::NewFileDialog dialog(velmora::Settings{}, [] { return std::string("TX.zip"); });
  const auto type = [&](const char* name, const char* text) {
    dialog.findChild<QLineEdit*>(QString::fromLatin1(name))->setText(QString::fromUtf8(text));
  };
  dialog.findChild<QPushButton*>(QStringLiteral("cmdChooseArchive"))->click();
  type("txtLatitude", "29.4978");
  type("txtLongitude", "-98.6228");
  type("txtWithin", "5");
  type("txtCounty", "BEXAR");
  type("txtName", "near.gpx");
  return Save(dialog, path);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc < 3 || argc > 5) {
    std::fprintf(stderr,
                 "usage: velmora_screenshots CHOOSER.png MAIN.png [LOGS-MENU.png [NEW-FILE.png]]\n");
    return 2;
  }
  velmora::RunState state;
  NoMessages messages;
  velmora::frmGetGPX chooser(state, messages);
  auto* list = chooser.findChild<QListWidget*>(QStringLiteral("File1"));
  if (list != nullptr && list->count() > 0) list->setCurrentRow(0);
  if (!Save(chooser, argv[1])) return 1;
  if (argc >= 4 && !SaveLogsMenu(chooser, argv[3])) return 1;
  if (argc == 5 && !SaveNewFileDialog(argv[4])) return 1;
  chooser.hide();

  const velmora::Settings settings;
  BusyPages pages;
  StillClock clock;
  NoEvents pump;
  velmora::NoProgress watcher;
  velmora::frmQuilletMain main_window(velmora::MainWindowParts{
      state, settings, velmora::Edges{pages, clock, pump, messages, watcher}, velmora::Pace::kNormal,
      [](velmora::Run&) {}, [](const std::string&) {}, [](velmora::frmGetGPX&) {}});
  // In the middle of a run: two of five done, the third waiting for a try.
  state.GPXFileName = "boulder.gpx";
  state.BenchmarkTotal = 5;
  const velmora::Run& run = main_window.run();
  run.edges.progress.SetCount(2);
  state.CurrentPID = "KK1552";
  run.edges.pages.Fetch("http://" + settings.listing_host);
  run.edges.pump.WaitBegins(8);
  return Save(main_window, argv[2]) ? 0 : 1;
}
