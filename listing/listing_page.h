// Telling the listing website's benchmark page of a PID from any other page
// a host may answer with (a notice that the pages are gone, a login page, a
// parked domain, a captive portal).
#ifndef VELMORA_LISTING_LISTING_PAGE_H
#define VELMORA_LISTING_LISTING_PAGE_H

#include <string_view>

namespace velmora {

// True when `page` is the listing page of `pid`: it holds the no-benchmark
// notice (kNoBenchmarkNotice), or names the PID, as a word of its own, in its
// <title> or in a heading (<h1> to <h6>). A PID elsewhere (the return
// address of a login page) does not count.
bool IsListingPageOf(std::string_view page, std::string_view pid);

}  // namespace velmora

#endif
