#include "gpx/datasheet_links.h"

#include "core/text.h"

namespace velmora {

std::string DatasheetPrefix(const Settings& settings) {
  return "http://" + settings.datasheet_host + "/cgi-bin/ds_mark.prl?PidBox";
}

std::string ListingLinkPrefix(const Settings& settings) {
  return "http://" + settings.listing_host + "/mark/details.aspx?PID";
}

void RewriteDatasheetLinks(std::string& document, const Settings& settings) {
  const std::string from = DatasheetPrefix(settings);
  if (!Contains(document, from)) return;
  document = ReplaceAll(document, from, ListingLinkPrefix(settings));
}

}  // namespace velmora
