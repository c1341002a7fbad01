#include "cli/watched_page_source.h"

#include "cli/stop_signal.h"
#include "core/text.h"

namespace velmora {

std::string FailureOf(const std::string& page) {
  if (page.empty()) return "empty answer";
  if (Contains(page, "Server Too Busy")) return "Server Too Busy";
  return std::string();
}

std::string WatchedPageSource::FetchHTML(const std::string& TheURL) {
  ThrowIfStopRequested();
  progress_.Fetching();
  std::string page = pages_.FetchHTML(TheURL);
  ThrowIfStopRequested();  // an abandoned download is no failed try
  const std::string failure = FailureOf(page);
  if (!failure.empty()) progress_.TryFailed(failure);
  return page;
}

void WatchedEventPump::DoEvents() {
  ThrowIfStopRequested();
  pump_.DoEvents();
  ThrowIfStopRequested();
  progress_.Tick();
}

void WatchedEventPump::WaitBegins(double seconds) {
  pump_.WaitBegins(seconds);
  progress_.WaitBegins(seconds);
}

}  // namespace velmora
