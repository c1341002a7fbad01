// The patient fetch of a listing page: retries empty and busy answers on a
// growing schedule of waits before it gives up.
#ifndef VELMORA_NET_FETCH_CACHE_PAGE_HTML_H
#define VELMORA_NET_FETCH_CACHE_PAGE_HTML_H

#include <string>

#include "core/edges.h"

namespace velmora {

// The page text for TheURL, or the empty text after at most 29 failed
// attempts (empty or "Server Too Busy" answers). Never shows a message.
std::string FetchCachePageHTML(const std::string& TheURL, PageSource& pages,
                               const Pacing& pacing);

}  // namespace velmora

#endif
