// A program start of the windows front end for the run tests. Everything is
// the real program's (windows, downloads, clock, event pump, processing,
// error log) except the user: the chooser entry named by the first argument
// is chosen, and instead of being shown, each message box and each new count
// is written to standard output, one line each:
//   MESSAGE <tab> title <tab> icon number <tab> text
//   COUNT <tab> n
// Further arguments form the program's argument text.
#include <QApplication>
#include <iostream>
#include <string>

#include "app/frm_get_gpx.h"
#include "app/program.h"
#include "app/qt_event_pump.h"
#include "app/qt_messages.h"
#include "files/error_log.h"
#include "gpx/process_gpx_file.h"
#include "net/curl_page_source.h"
#include "core/system_clock.h"
#include "tests/app/chooser_actions.h"

namespace {

class PrintedMessages : public velmora::Messages {
 public:
  void Show(const velmora::Message& message) override {
    std::cout << "MESSAGE\t" << velmora::MessageTitle(message).toStdString() << '\t'
              << static_cast<int>(message.icon) << '\t' << message.text << std::endl;
  }
};

// Writes each count, then sets it in the window.
class PrintedProgress : public velmora::Progress {
 public:
  explicit PrintedProgress(velmora::Progress& window) : window_(window) {}
  void SetCount(int count) override {
    std::cout << "COUNT\t" << count << std::endl;
    window_.SetCount(count);
  }

 private:
  velmora::Progress& window_;
};

void ProcessPrintingCounts(velmora::Run& run) {
  PrintedProgress progress(run.edges.progress);
  velmora::Run printed{run.state, run.settings,
                       velmora::Edges{run.edges.pages, run.edges.clock, run.edges.pump,
                                      run.edges.messages, progress},
                       run.pace};
  printed.source = std::move(run.source);
  velmora::ProcessGPXfile(printed);
  run.outcome = printed.outcome;
  run.benchmarks_done = printed.benchmarks_done;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  PrintedMessages messages;
  velmora::Settings settings;
  if (!velmora::LoadSettings(messages, settings)) return velmora::kExitBadSettings;
  const QString entry = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();

  velmora::CurlPageSource pages(settings);
  velmora::SystemClock clock;
  velmora::QtEventPump pump;
  velmora::NoProgress watcher;
  const velmora::ProgramParts parts{
      velmora::Edges{pages, clock, pump, messages, watcher}, ProcessPrintingCounts,
      velmora::AppendErrorLog,
      [entry](velmora::frmGetGPX& chooser) {
        if (!velmora::testing::ChooseEntry(chooser, entry)) chooser.reject();
      }};
  const int arguments = argc > 1 ? argc - 1 : argc;
  return velmora::RunProgram(settings, velmora::CommandLineText(arguments, argv + (argc - arguments)),
                             parts);
}
