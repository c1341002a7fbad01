// The windows front end "velmora [quick] [FILE.gpx | FOLDER]": the chooser,
// then the main window with the running count of processed benchmarks.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>

#include "app/program.h"
#include "app/qt_event_pump.h"
#include "app/qt_messages.h"
#include "core/settings.h"
#include "files/error_log.h"
#include "gpx/process_gpx_file.h"
#include "net/curl_page_source.h"
#include "core/system_clock.h"

namespace {

// The desktop's standard folder dialog, starting in the home folder.
std::string ChooseFolder(const std::string& title) {
  const QString folder = QFileDialog::getExistingDirectory(
      nullptr, QString::fromStdString(title), QDir::homePath());
  return QFile::encodeName(folder).toStdString();
}

}  // namespace

int main(int argc, char* argv[]) {
  // QApplication takes its own options (such as -platform) out of argv.
  QApplication application(argc, argv);
  QApplication::setApplicationName(velmora::kApplicationTitle);
  velmora::QtMessages messages;
  velmora::Settings settings;
  if (!velmora::LoadSettings(messages, settings)) return velmora::kExitBadSettings;

  velmora::SystemClock clock;
  velmora::QtEventPump pump;
  velmora::CurlPageSource pages(velmora::WindowDownloadOptions(settings, pump));
  velmora::NoProgress watcher;
  const velmora::ProgramParts parts{velmora::Edges{pages, clock, pump, messages, watcher},
                                    velmora::ProcessGPXfile, velmora::AppendErrorLog, nullptr};
  const velmora::StartArguments arguments = velmora::ParseStartArguments(argc, argv);
  return velmora::RunProgram(settings, arguments.command_line, parts,
                             velmora::StartFolder{arguments.path, ChooseFolder});
}
