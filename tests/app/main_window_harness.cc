#include "tests/app/main_window_harness.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "tests/app/chooser_actions.h"

namespace velmora::testing {
MainWindowHarness::MainWindowHarness() { settings.pause_scale = 0; }

frmQuilletMain& MainWindowHarness::window() {
  if (window_) return *window_;
  MainWindowParts parts{
      state,
      settings,
      Edges{pages, clock, pump, ordered_messages_, watcher_},
      pace,
      [this](Run& run) {
        events.push_back("process");
        ++process_calls;
        process(run);
      },
      [this](const std::string& text) {
        events.push_back("log");
        error_log.push_back(text);
      },
      [this](frmGetGPX& chooser) {
        events.push_back("chooser");
        ++chooser_shows;
        chooser_entries = Entries(chooser);
        chooser.show();
        if (user) user(chooser);
      },
      [this](const std::string& title, const std::string& filter) {
        return file_dialog ? file_dialog(title, filter) : std::string();
      }};
  window_ = std::make_unique<frmQuilletMain>(std::move(parts));
  return *window_;
}

QLineEdit* MainWindowHarness::count_box() {
  return window().findChild<QLineEdit*>(QStringLiteral("txtCachesProcessed"));
}

QLabel* MainWindowHarness::label() {
  return window().findChild<QLabel*>(QStringLiteral("Label1"));
}

QPushButton* MainWindowHarness::go_button() {
  return window().findChild<QPushButton*>(QStringLiteral("cmdGo"));
}

}  // namespace velmora::testing
