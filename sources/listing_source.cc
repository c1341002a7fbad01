#include "sources/listing_source.h"

#include "core/text.h"
#include "listing/quillet.h"
#include "sources/datasheet_web_source.h"
#include "sources/foreign_page.h"

namespace velmora {

std::string ListingUrlPrefix(const Settings& settings) {
  return "http://" + settings.listing_host + "/mark/details.aspx?PID=";
}

std::string ListingLinkPrefix(const Settings& settings) {
  return "http://" + settings.listing_host + "/mark/details.aspx?PID";
}

void RewriteDatasheetLinks(std::string& document, const Settings& settings) {
  const std::string from = DatasheetPrefix(settings);
  if (!Contains(document, from)) return;
  document = ReplaceAll(document, from, ListingLinkPrefix(settings));
}

void ListingSource::RewriteLinks(std::string& document) const {
  RewriteDatasheetLinks(document, settings_);
}

std::string NotListingPageMessage(const Settings& settings, const std::string& pid,
                                  const ForeignAnswer& answered) {
  return ForeignPageMessage(
      settings.listing_host, "the listing page of " + pid, answered,
      "The listing website retired its benchmark pages in 2023, and its host now answers with "
      "other pages. The agency's datasheets are a source that works: choose "
      "\"Logs from \xE2\x96\xB8 Agency datasheets (web)\" in the window, or --source datasheet "
      "on the command line. Any benchmarks completed before it stay in the result file.");
}

HarvestOutcome ListingSource::Harvest(const std::string& pid, Run& run) {
  HarvestOutcome outcome = Quillet(ListingUrlPrefix(settings_) + pid, run, pid);
  if (outcome.kind == HarvestOutcome::Kind::kForeignPage) {
    ShowForeignPage(run, NotListingPageMessage(settings_, pid, outcome.answered));
  }
  return outcome;
}

}  // namespace velmora
