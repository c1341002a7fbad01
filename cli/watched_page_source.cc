#include "cli/watched_page_source.h"

#include "cli/stop_signal.h"
#include "net/patient_fetch.h"

namespace velmora {

PageAnswer WatchedPageSource::Fetch(const std::string& TheURL) {
  ThrowIfStopRequested();
  progress_.Fetching();
  PageAnswer answer = pages_.Fetch(TheURL);
  ThrowIfStopRequested();  // an abandoned download is no failed try
  const std::string failure = AttemptFailure(answer);
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
