// The page source and event pump of the command line's run: they tell the
// progress report when a download begins or fails and when a wait begins,
// keep the bar moving during waits, and stop the run when the user asked
// for it (Ctrl-C, SIGTERM).
#ifndef VELMORA_CLI_WATCHED_PAGE_SOURCE_H
#define VELMORA_CLI_WATCHED_PAGE_SOURCE_H

#include <string>

#include "cli/stop_signal.h"
#include "cli/terminal_progress.h"
#include "core/edges.h"

namespace velmora {

class WatchedPageSource : public PageSource {
 public:
  WatchedPageSource(PageSource& pages, TerminalProgress& progress)
      : pages_(pages), progress_(progress) {}

  // Throws RunStopped, before or after the download, when a stop was asked.
  PageAnswer Fetch(const std::string& TheURL) override;

 private:
  PageSource& pages_;
  TerminalProgress& progress_;
};

class WatchedEventPump : public EventPump {
 public:
  WatchedEventPump(EventPump& pump, TerminalProgress& progress)
      : pump_(pump), progress_(progress) {}

  // Throws RunStopped when a stop was asked.
  void DoEvents() override;
  void WaitBegins(double seconds) override;
  void Poll() override { ThrowIfStopRequested(); }

 private:
  EventPump& pump_;
  TerminalProgress& progress_;
};

}  // namespace velmora

#endif
