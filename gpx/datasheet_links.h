// Datasheet links of the geodetic agency, pointed at the listing website.
#ifndef VELMORA_GPX_DATASHEET_LINKS_H
#define VELMORA_GPX_DATASHEET_LINKS_H

#include <string>

#include "core/settings.h"

namespace velmora {

// "http://" + datasheet host + "/cgi-bin/ds_mark.prl?PidBox".
std::string DatasheetPrefix(const Settings& settings);

// "http://" + listing host + "/mark/details.aspx?PID", without "=": the "="
// that follows "PidBox" in a datasheet link stays and follows "PID".
std::string ListingLinkPrefix(const Settings& settings);

// Replaces every datasheet prefix in `document` by the listing prefix
// (exact, case-sensitive, left to right; replaced text is not searched
// again). A document without datasheet links is not copied.
void RewriteDatasheetLinks(std::string& document, const Settings& settings);

}  // namespace velmora

#endif
