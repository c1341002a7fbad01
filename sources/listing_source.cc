#include "sources/listing_source.h"

#include "core/text.h"
#include "listing/quillet.h"
#include "sources/datasheet_web_source.h"

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

HarvestOutcome ListingSource::Harvest(const std::string& pid, Run& run) {
  return Quillet(ListingUrlPrefix(settings_) + pid, run);
}

}  // namespace velmora
