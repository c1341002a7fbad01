#include "cli/watched_page_source.h"

#include "cli/stop_signal.h"
#include "core/text.h"

namespace velmora {

std::string FailureOf(const PageAnswer& answer) {
  const bool busy = Contains(answer.body, "Server Too Busy");
  if (!answer.failure.empty()) return busy ? answer.failure + " Server Too Busy" : answer.failure;
  if (busy) return "Server Too Busy";
  if (answer.body.empty()) return "empty answer";
  return std::string();
}

PageAnswer WatchedPageSource::Fetch(const std::string& TheURL) {
  ThrowIfStopRequested();
  progress_.Fetching();
  PageAnswer answer = pages_.Fetch(TheURL);
  ThrowIfStopRequested();  // an abandoned download is no failed try
  const std::string failure = FailureOf(answer);
  if (!failure.empty()) progress_.TryFailed(failure);
  return answer;
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
