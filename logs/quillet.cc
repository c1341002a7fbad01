#include "logs/quillet.h"

#include "core/text.h"
#include "logs/convert_log_date.h"
#include "logs/harvest_log_table.h"
#include "net/fetch_cache_page_html.h"

namespace velmora {

namespace {

void ShowCannotContinue(Run& run) {
  run.edges.messages.Show(Message{
      "There something wrong.  Are you connected to the Internet?  Perhaps "
      "there's a problem with the GPX file or with the " +
          run.settings.listing_short_name + " website.",
      "Cannot Continue", MessageIcon::kError});
}

}  // namespace

void Quillet(const std::string& TheURL, Run& run) {
  RunState& state = run.state;
  state.LogBlock.clear();
  const std::string page = FetchCachePageHTML(TheURL, run.edges.pages, run.pacing());
  if (page.empty()) {
    ShowCannotContinue(run);
    state.MoreBenchmarks = false;
    return;
  }
  if (Contains(page, kNoBenchmarkNotice)) {
    state.NoBenchmark = true;
    return;
  }
  if (!HarvestLogTable(page, state.LogBlock, UserDateOrder())) state.NoLogs = true;
}

}  // namespace velmora
