#include "net/fetch_cache_page_html.h"

#include "core/text.h"
#include "net/random_pause.h"

namespace velmora {
namespace {

constexpr const char* kBusyMarker = "Server Too Busy";
constexpr float kShortWaitSeconds = 10;
constexpr int kAttemptsBeforeLongWait = 4;
constexpr int kLastLongWait = 6;  // give up at a failure after the 7th long wait

bool IsUsablePage(const std::string& page) {
  return !page.empty() && !Contains(page, kBusyMarker);
}

}  // namespace

std::string FetchCachePageHTML(const std::string& TheURL, PageSource& pages,
                               const Pacing& pacing) {
  int short_waits = 0;
  int long_waits = 0;
  int long_wait_minutes = 3;
  for (;;) {
    std::string page = pages.FetchHTML(TheURL);
    if (IsUsablePage(page)) return page;
    if (long_waits > kLastLongWait) return std::string();

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

}  // namespace velmora
