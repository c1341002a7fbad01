// Draws the chooser and the main window, as a user sees them in the working
// folder, into two PNG files: velmora_screenshots CHOOSER.png MAIN.png
#include <QApplication>
#include <QListWidget>
#include <QPixmap>
#include <cstdio>
#include <string>

#include "app/frm_get_gpx.h"
#include "app/frm_quillet_main.h"
#include "core/settings.h"

namespace {

class NoPages : public velmora::PageSource {
 public:
  velmora::PageAnswer Fetch(const std::string&) override { return {}; }
};

class StillClock : public velmora::Clock {
 public:
  double Timer() override { return 0; }
  void Randomize() override {}
  double Rnd() override { return 0; }
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

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: velmora_screenshots CHOOSER.png MAIN.png\n");
    return 2;
  }
  velmora::RunState state;
  NoMessages messages;
  velmora::frmGetGPX chooser(state, messages);
  auto* list = chooser.findChild<QListWidget*>(QStringLiteral("File1"));
  if (list != nullptr && list->count() > 0) list->setCurrentRow(0);
  if (!Save(chooser, argv[1])) return 1;
  chooser.hide();

  const velmora::Settings settings;
  NoPages pages;
  StillClock clock;
  NoEvents pump;
  velmora::NoProgress watcher;
  velmora::frmQuilletMain main_window(velmora::MainWindowParts{
      state, settings, velmora::Edges{pages, clock, pump, messages, watcher}, "",
      [](velmora::Run&) {}, [](const std::string&) {}, [](velmora::frmGetGPX&) {}});
  main_window.run().edges.progress.SetCount(2);
  return Save(main_window, argv[2]) ? 0 : 1;
}
