#include "scan_pages.h"

#include <array>
#include <string>
#include <vector>

#include "fuzz_checks.h"
#include "listing/harvest_log_table.h"
#include "tests/support/builders.h"

namespace velmora::fuzz {
namespace {

// Three logs as the listing website writes them: a plain one, a
// multi-paragraph one with quotes and an ampersand, one with entities.
std::string LogsPage() {
  using testing::LogRowFields;
  const std::vector<LogRowFields> rows = {
      {"Found it", "7/4/2009", "Jane Doe",
       "<p>Found it in the north abutment. Disk in good shape \u2014 \u201cMILL 3\u201d legible."},
      {"Didn't find it", "10/12/2008", "O'Brien & Sons",
       "<p>Searched for 45 minutes with a probe.<br />\r\nThe disk should be 3.2 m from the "
       "\"witness post\", but the post's gone.</p>\r\n<p>Will try again in spring."},
      {"Write note", "January 15, 2008", "Bob &amp; Carol",
       "<p>Caf\u00e9 cr\u00e8me at the station&nbsp;&mdash; mark is 2&quot; under the "
       "sidewalk<br/>see photo"}};
  return testing::ListingPage(
      "KK1523", rows, "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />");
}

// Logs whose values carry markup, quotes, control bytes and missing markers;
// the fourth row's text is the end-of-table value, so the fifth is not read.
constexpr const char* kHostilePage =
    "<table>\n"
    "<tr><td><img width=\"16\" height=\"16\" /></td>\n"
    "<td title=\"Found & <b>lost</b>\">&nbsp;2009-07-04T10:30:00Z</td>\n"
    "<td>by <a href=\"/p\">A\x01 & \"Co\"\tLtd</a></td></tr>\n"
    "<tr><td colspan=\"4\"><p>  a <br/>b <i>c</i> & d ]]> \x0b\x1f e\r\nf <  </p>"
    "                 <p>second</p></td></tr>\n"
    "<tr><td><img height=\"16\" /></td>\n"
    "<td>&nbsp;31.12.2008</td>\n"
    "<td>no finder link</td></tr>\n"
    "<tr><td colspan=\"4\"><p>&lt;already&gt; escaped &amp;</p></td></tr>\n"
    "<tr><td><img height=\"16\" /></td><td title=\"Note\">&nbsp;not a date</td>"
    "<td><a>x</a></td></tr>\n"
    "<tr><td colspan=\"4\"><p>dlgClipboard</p></td></tr>\n"
    "<tr><td><img height=\"16\" /></td><td title=\"After end\">&nbsp;1/1/2001</td>"
    "<td><a>never</a></td></tr>\n"
    "<tr><td colspan=\"4\"><p>never read</p></td></tr>\n"
    "</table>\n";

// The website's notice, with a row marker after it that must not be read.
std::string NoBenchmarkPage() {
  return "<html><body>\r\n<p class=\"Warning\">" + std::string(kNoBenchmarkNotice) +
         ".</p>\r\n<img src=\"/images/blank.gif\" width=\"1\" " + std::string(kLogRowMarker) +
         " />\r\n</body></html>\r\n";
}

constexpr const char* kNoLogsPage =
    "<html><body>\r\n<h2>KK1530 BOULDER RM 2</h2>\r\n"
    "<p>There are no logs for this benchmark.</p>\r\n"
    "<img height='16' /><img HEIGHT=\"16\" />\r\n</body></html>\r\n";

constexpr const char* kBusyPage =
    "<html><head><title>Server Too Busy</title></head>"
    "<body><h1>Server Too Busy</h1></body></html>";

// Latin-1 text, bytes that are no UTF-8 at all, and a last row whose text
// has no end marker.
constexpr const char* kLatin1Page =
    "<table>\r\n"
    "<tr><td><img height=\"16\" /></td><td title=\"Found it\">&nbsp;4 juillet 2009</td>"
    "<td><a href=\"/p\">Fran\xe7ois</a></td></tr>\r\n"
    "<tr><td colspan=\"4\"><p>Rep\xe8re trouv\xe9 \xff\xfe\xc3</p></td></tr>\r\n"
    "<tr><td><img height=\"16\" /></td><td title=\"Found it\">&nbsp;Jul 5 2009</td>"
    "<td><a href=\"/p\">Ren\xe9</a></td></tr>\r\n"
    "<tr><td colspan=\"4\"><p>no end to this text\xe9";

const std::array<std::string, static_cast<std::size_t>(PageKind::kCount)>& Pages() {
  static const std::array<std::string, static_cast<std::size_t>(PageKind::kCount)> pages = {
      LogsPage(),          kHostilePage, NoBenchmarkPage(), kNoLogsPage,
      kBusyPage,           std::string(), kLatin1Page};
  return pages;
}

}  // namespace

const std::string& CannedPage(PageKind kind) {
  return Pages()[static_cast<std::size_t>(kind)];
}

PageKind ChoosePage(unsigned char last_byte, int attempt) {
  if (last_byte % 8 == 7) return PageKind::kBusy;
  constexpr int kCount = static_cast<int>(PageKind::kCount);
  return static_cast<PageKind>((last_byte % kCount + attempt) % kCount);
}

PageAnswer ChoosingPageSource::Fetch(const std::string& TheURL) {
  ++fetches;
  Require(fetches <= max_fetches_, "the run fetched more pages than its benchmarks allow");
  const unsigned char last = TheURL.empty() ? 0 : static_cast<unsigned char>(TheURL.back());
  const PageKind kind = ChoosePage(last, attempts_[TheURL]++);
  std::string page = CannedPage(kind);
  const std::size_t pid = TheURL.find("PID=");
  if (kind != PageKind::kBusy && kind != PageKind::kEmpty && pid != std::string::npos) {
    page = "<h2>" + TheURL.substr(pid + 4) + "</h2>\r\n" + page;
  }
  if (!IsXmlCharacters(page, true)) all_pages_clean = false;
  return {page, 200, "text/html", ""};
}

}  // namespace velmora::fuzz
