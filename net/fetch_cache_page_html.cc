#include "net/fetch_cache_page_html.h"

#include <string>
#include <utility>

#include "core/text.h"
#include "net/random_pause.h"

namespace velmora {
namespace {

constexpr const char* kBusyMarker = "Server Too Busy";
constexpr float kShortWaitSeconds = 10;
constexpr int kAttemptsBeforeLongWait = 4;
constexpr int kLastLongWait = 6;  // give up at a failure after the 7th long wait

constexpr long kFirstErrorStatus = 400;

bool IsUsableAnswer(const PageAnswer& answer) {
  return !answer.body.empty() && answer.status < kFirstErrorStatus &&
         !Contains(answer.body, kBusyMarker);
}

// The failed answer as the fetch gives it up: no body, and why.
PageAnswer GivenUp(PageAnswer answer) {
  if (answer.failure.empty()) {
    if (answer.status >= kFirstErrorStatus) {
      answer.failure = "HTTP " + std::to_string(answer.status);
    } else if (answer.body.empty()) {
      answer.failure = "empty answer";
    } else {
      answer.failure = kBusyMarker;
    }
  }
  answer.body.clear();
  return answer;
}

}  // namespace

PageAnswer FetchCachePage(const std::string& TheURL, PageSource& pages, const Pacing& pacing) {
  int short_waits = 0;
  int long_waits = 0;
  int long_wait_minutes = 3;
  for (;;) {
    PageAnswer answer = pages.Fetch(TheURL);
    if (IsUsableAnswer(answer)) return answer;
    if (long_waits > kLastLongWait) return GivenUp(std::move(answer));

    ++short_waits;
    if (short_waits < kAttemptsBeforeLongWait) {
      RandomPause(kShortWaitSeconds, pacing);
      continue;
    }
    // Several failures in a row: the website is busy; wait longer each time.
    short_waits = 0;
    ++long_wait_minutes;
    RandomPause(static_cast<float>(long_wait_minutes * 60), pacing);
    ++long_waits;
  }
}

std::string FetchCachePageHTML(const std::string& TheURL, PageSource& pages,
                               const Pacing& pacing) {
  return FetchCachePage(TheURL, pages, pacing).body;
}

}  // namespace velmora
