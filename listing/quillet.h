// The log harvest of one benchmark: fetches its listing page and cuts the
// visitor logs out of it, or reports a special outcome.
#ifndef VELMORA_LISTING_QUILLET_H
#define VELMORA_LISTING_QUILLET_H

#include <string>
#include <string_view>

#include "core/run.h"

namespace velmora {

// What a run's error log says of a run stopped by an answer that is not a
// listing page.
inline constexpr std::string_view kNotListingPage = "not a listing page";

// Fetches TheURL patiently, and then answers the page's logs, or no
// benchmark, or no logs, or (no page at all) shows "Cannot Continue" and
// answers no page with the last attempt's failure. With a `pid`, an answer
// that is not the listing page of `pid` (IsListingPageOf), or a wall
// (IsWall: too large to read, or asking for a sign-in), is another site's page: kForeignPage, with kNotListingPage as its
// reason and the answer described (DescribeAnswer), and no message.
HarvestOutcome Quillet(const std::string& TheURL, Run& run, std::string_view pid = {});

// The "Cannot Continue" message of a source whose pages could not be had,
// naming its `website` (the listing website's short name for the listing),
// with the `cause` (FailureCause) on a line of its own.
void ShowCannotContinue(Run& run, const std::string& website, const std::string& cause);

// Fills LogBlock with the logs of a fetched listing page for `document`; false
// when the page holds no log row. In a UTF-8 document (DocumentIsUtf8) the
// page is first brought into UTF-8 (PageToUtf8, from the charset
// `content_type` names, the answer's Content-Type; empty when unknown) and the
// character references of each log are decoded; in a document in another
// encoding, the page is harvested exactly as it came.
bool HarvestListingPage(std::string_view page, std::string_view content_type,
                        std::string_view document, std::string& LogBlock);

}  // namespace velmora

#endif
