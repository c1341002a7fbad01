#include "net/curl_page_source.h"

namespace velmora {

std::string CurlPageSource::FetchHTML(const std::string& TheURL) {
  return DownloadPage(TheURL, options_);
}

}  // namespace velmora
