// A page source that tells the progress report when a download begins, so
// that the terminal bar shows which benchmark is being fetched.
#ifndef VELMORA_CLI_WATCHED_PAGE_SOURCE_H
#define VELMORA_CLI_WATCHED_PAGE_SOURCE_H

#include <string>

#include "cli/terminal_progress.h"
#include "core/edges.h"

namespace velmora {

class WatchedPageSource : public PageSource {
 public:
  WatchedPageSource(PageSource& pages, TerminalProgress& progress)
      : pages_(pages), progress_(progress) {}

  PageAnswer Fetch(const std::string& TheURL) override {
    progress_.Fetching();
    return pages_.Fetch(TheURL);
  }

 private:
  PageSource& pages_;
  TerminalProgress& progress_;
};

}  // namespace velmora

#endif
