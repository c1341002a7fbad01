#include "net/curl_page_source.h"

namespace velmora {

PageAnswer CurlPageSource::Fetch(const std::string& TheURL) {
  return DownloadAnswer(TheURL, options_);
}

}  // namespace velmora
