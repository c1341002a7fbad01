#include "listing/quillet.h"

#include "core/text.h"
#include "listing/convert_log_date.h"
#include "listing/harvest_log_table.h"
#include "listing/listing_page.h"
#include "logs/page_charset.h"
#include "logs/page_text.h"
#include "net/patient_fetch.h"

namespace velmora {

void ShowCannotContinue(Run& run, const std::string& website, const std::string& cause) {
  run.edges.messages.Show(Message{
      "There something wrong.  Are you connected to the Internet?  Perhaps "
      "there's a problem with the GPX file or with the " + website + " website.\n" + cause,
      "Cannot Continue", MessageIcon::kError});
}

HarvestOutcome Quillet(const std::string& TheURL, Run& run, std::string_view pid) {
  const PageAnswer answer = PatientFetch(TheURL, run.edges.pages, run.pacing());
  const std::string& page = answer.body;
  if (!pid.empty() && (IsWall(answer) || (!page.empty() && !IsListingPageOf(page, pid)))) {
    return HarvestOutcome::Foreign(DescribeAnswer(answer, TheURL), std::string(kNotListingPage));
  }
  if (page.empty()) {
    ShowCannotContinue(run, run.settings.listing_short_name,
                       FailureCause(answer.failure, run.settings.listing_host));
    return HarvestOutcome::NoPage(answer.failure);
  }
  if (Contains(page, kNoBenchmarkNotice)) return HarvestOutcome::NoBenchmark();
  std::string logs;
  if (!HarvestListingPage(page, answer.content_type, run.state.ScanText, logs)) {
    return HarvestOutcome::NoLogs();
  }
  return HarvestOutcome::Logs(std::move(logs));
}

bool HarvestListingPage(std::string_view page, std::string_view content_type,
                        std::string_view document, std::string& LogBlock) {
  if (!DocumentIsUtf8(document)) return HarvestLogTable(page, LogBlock, UserDateOrder());
  return HarvestLogTable(PageToUtf8(page, content_type), LogBlock, UserDateOrder(),
                         PageReferences::kDecode);
}

}  // namespace velmora
