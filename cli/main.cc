// velmora-cli: the run of the windows, without windows.
#include <chrono>
#include <clocale>
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "cli/command_line_run.h"
#include "core/exit_status.h"
#include "cli/stop_signal.h"
#include "cli/terminal_width.h"
#include "net/curl_page_source.h"
#include "core/system_clock.h"

namespace {

bool StandardErrorIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(fileno(stderr)) != 0;
#endif
}

double SteadySeconds() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return std::chrono::duration<double>(now).count();
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  try {
    const velmora::LoadedSettings settings = velmora::LoadSettings();
    velmora::InstallStopHandlers();
    velmora::WatchTerminalWidth();
    velmora::DownloadOptions download = velmora::DownloadOptionsFor(settings.settings);
    download.should_abort = [] { return velmora::StopSignal() != 0; };
    velmora::CurlPageSource pages(download);
    velmora::SystemClock clock;
    velmora::SleepingEventPump pump;
    velmora::CliEdges edges{pages,
                            clock,
                            pump,
                            std::cout,
                            std::cerr,
                            StandardErrorIsTerminal(),
                            settings,
                            SteadySeconds,
                            velmora::TerminalWidth};
    return velmora::RunCommandLine(arguments, edges);
  } catch (const std::exception& error) {
    std::cerr << "velmora-cli: unexpected failure: " << error.what() << '\n';
  }
  return velmora::kExitUnexpected;
}
