// A main window wired to fakes: a recorded chooser, a processing step of the
// test's own, a recorded error log, and an event pump the test can script.
#ifndef VELMORA_TESTS_APP_MAIN_WINDOW_HARNESS_H
#define VELMORA_TESTS_APP_MAIN_WINDOW_HARNESS_H

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/frm_get_gpx.h"
#include "app/frm_quillet_main.h"
#include "tests/support/fakes.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora::testing {

// Runs `on_events` (when set) at every DoEvents, and `on_stop_question` at
// every StopAsked; counts the DoEvents calls; keeps an asked stop.
class ScriptedPump : public EventPump {
 public:
  void DoEvents() override {
    ++calls;
    if (on_events) on_events(calls);
  }
  void AskStop() override { stop_asked = true; }
  bool StopAsked() override {
    if (on_stop_question) on_stop_question();
    return stop_asked;
  }
  std::function<void(int call)> on_events;
  std::function<void()> on_stop_question;
  int calls = 0;
  bool stop_asked = false;
};

// Records each message, noting it in `events` too.
class OrderedMessages : public Messages {
 public:
  OrderedMessages(RecordingMessages& inner, std::vector<std::string>& events)
      : inner_(inner), events_(events) {}
  void Show(const Message& message) override {
    events_.push_back("message");
    inner_.Show(message);
  }
  bool Ask(const std::string& question) override {
    events_.push_back("question");
    return inner_.Ask(question);
  }

 private:
  RecordingMessages& inner_;
  std::vector<std::string>& events_;
};

struct MainWindowHarness {
  MainWindowHarness();
  frmQuilletMain& window();  // built on first use

  QLineEdit* count_box();
  QLabel* label();
  QPushButton* go_button();

  RunState state;
  Settings settings;
  NoProgress watcher_;
  FakeClock clock;
  ScriptedPump pump;
  ScriptedPageSource pages;
  RecordingMessages messages;
  Pace pace = Pace::kNormal;
  // What the user does in the shown chooser; by default nothing (closed).
  std::function<void(frmGetGPX&)> user;
  // The chooser's "Datasheet file..." dialog; by default cancelled.
  OpenFileDialog file_dialog;
  // The processing step run by the Go action.
  std::function<void(Run&)> process = [](Run&) {};

  int chooser_shows = 0;
  QStringList chooser_entries;           // File1 as the chooser showed it
  int process_calls = 0;
  std::vector<std::string> error_log;    // the texts given to the error log
  std::vector<std::string> events;       // "chooser", "process", "log", "message"

 private:
  OrderedMessages ordered_messages_{messages, events};
  std::unique_ptr<frmQuilletMain> window_;
};

}  // namespace velmora::testing

#endif
