// The listing website as the scan harness sees it: a few canned pages, the
// one served for a request chosen by the PID at the end of the URL and by how
// often that URL was asked for already. The document under test thus picks
// the pages: a PID's last character selects a starting page, and retries move
// on to the next one.
#ifndef VELMORA_FUZZ_SCAN_PAGES_H
#define VELMORA_FUZZ_SCAN_PAGES_H

#include <cstddef>
#include <map>
#include <string>

#include "core/edges.h"

namespace velmora::fuzz {

enum class PageKind {
  kLogs,          // an ordinary page with three logs
  kHostileLogs,   // markup, quotes, control bytes and unclosed fields in the logs
  kNoBenchmark,   // the website's "no such benchmark" notice
  kNoLogs,        // a listing without a log table
  kBusy,          // "Server Too Busy"
  kEmpty,         // nothing came
  kLatin1Logs,    // logs in Latin-1 bytes, not UTF-8
  kCount
};

// The bytes of a canned page.
const std::string& CannedPage(PageKind kind);

// The page for the `attempt`-th request (from 0) of a URL ending in
// `last_byte`: bytes with last_byte % 8 == 7 are always busy (the fetch gives
// up and the run stops); any other starts at page last_byte % 7 and moves one
// page on per retry.
PageKind ChoosePage(unsigned char last_byte, int attempt);

// Serves ChoosePage (a listing page naming the PID asked for in a heading, as
// the website's do), counts the requests and aborts the run when their number
// passes `max_fetches`: an endless fetch loop is then caught as a crash.
class ChoosingPageSource : public PageSource {
 public:
  explicit ChoosingPageSource(std::size_t max_fetches) : max_fetches_(max_fetches) {}
  PageAnswer Fetch(const std::string& TheURL) override;

  std::size_t fetches = 0;
  // False once a page was served whose bytes are not XML characters.
  bool all_pages_clean = true;

 private:
  std::size_t max_fetches_;
  std::map<std::string, int> attempts_;
};

}  // namespace velmora::fuzz

#endif
