// The page source of the front ends: real downloads over HTTP.
#ifndef VELMORA_NET_CURL_PAGE_SOURCE_H
#define VELMORA_NET_CURL_PAGE_SOURCE_H

#include <string>

#include "core/edges.h"
#include "core/settings.h"
#include "net/download_page.h"

namespace velmora {

class CurlPageSource : public PageSource {
 public:
  // The time-outs of DownloadOptionsFor(settings).
  explicit CurlPageSource(const Settings& settings) : options_(DownloadOptionsFor(settings)) {}
  explicit CurlPageSource(DownloadOptions options = {}) : options_(options) {}
  // Exactly the answer that DownloadAnswer gives for TheURL.
  PageAnswer Fetch(const std::string& TheURL) override;

 private:
  DownloadOptions options_;
};

}  // namespace velmora

#endif
