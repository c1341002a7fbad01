#include "logs/quillet.h"

#include "core/text.h"
#include "logs/convert_log_date.h"
#include "logs/harvest_log_table.h"
#include "logs/page_charset.h"
#include "net/fetch_cache_page_html.h"

namespace velmora {

void ShowCannotContinue(Run& run, const std::string& website, const std::string& cause) {
  run.edges.messages.Show(Message{
      "There something wrong.  Are you connected to the Internet?  Perhaps "
      "there's a problem with the GPX file or with the " + website + " website.\n" + cause,
      "Cannot Continue", MessageIcon::kError});
}

void Quillet(const std::string& TheURL, Run& run) {
  RunState& state = run.state;
  state.LogBlock.clear();
  const PageAnswer answer = FetchCachePage(TheURL, run.edges.pages, run.pacing());
  const std::string& page = answer.body;
  if (page.empty()) {
    ShowCannotContinue(run, run.settings.listing_short_name,
                       FailureCause(answer.failure, run.settings.listing_host));
    state.MoreBenchmarks = false;
    return;
  }
  if (Contains(page, kNoBenchmarkNotice)) {
    state.NoBenchmark = true;
    return;
  }
  if (!HarvestListingPage(page, answer.content_type, state.DocumentText, state.LogBlock)) {
    state.NoLogs = true;
  }
}

bool HarvestListingPage(std::string_view page, std::string_view content_type,
                        std::string_view document, std::string& LogBlock) {
  if (!DocumentIsUtf8(document)) return HarvestLogTable(page, LogBlock, UserDateOrder());
  return HarvestLogTable(PageToUtf8(page, content_type), LogBlock, UserDateOrder(),
                         PageReferences::kDecode);
}

}  // namespace velmora
