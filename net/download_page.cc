#include "net/download_page.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>
#include <new>
#include <utility>

#include "net/encode_url.h"

namespace velmora {
namespace {

void InitCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

constexpr const char* kTooLargeFailure = "answer larger than 16 MB";

struct EasyCleanup {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct ListCleanup {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using EasyHandle = std::unique_ptr<CURL, EasyCleanup>;
using HeaderList = std::unique_ptr<curl_slist, ListCleanup>;

// Where the body goes, and whether it grew past kMaxAnswerBytes.
struct BodyTarget {
  std::string& body;
  bool too_large = false;
};

// Appends each piece of the body in the order it arrives. Returning less
// than was offered makes libcurl abandon the transfer.
size_t AppendBody(char* data, size_t size, size_t count, void* target) {
  auto& to = *static_cast<BodyTarget*>(target);
  if (count > 0 && size * count > kMaxAnswerBytes - to.body.size()) {
    to.too_large = true;
    return 0;
  }
  try {
    to.body.append(data, size * count);
    return size * count;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

// libcurl's transfer-progress callback: non-zero abandons the transfer.
int CheckAbort(void* options, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  const auto& should_abort = static_cast<const DownloadOptions*>(options)->should_abort;
  return should_abort && should_abort() ? 1 : 0;
}

// Headers that make every cache on the way go to the origin server.
HeaderList NoCacheHeaders() {
  curl_slist* list = curl_slist_append(nullptr, "Cache-Control: no-cache");
  if (list == nullptr) return HeaderList();
  curl_slist* longer = curl_slist_append(list, "Pragma: no-cache");
  if (longer == nullptr) {
    curl_slist_free_all(list);
    return HeaderList();
  }
  return HeaderList(longer);
}

void LimitToWeb(CURL* handle) {
#if LIBCURL_VERSION_NUM >= 0x075500
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
#else
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS, long{CURLPROTO_HTTP | CURLPROTO_HTTPS});
  curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS, long{CURLPROTO_HTTP | CURLPROTO_HTTPS});
#endif
}

// Everything but the URL and the body's destination. Proxies come from the
// usual environment variables (libcurl's default), and no Accept-Encoding is
// sent, so the body arrives as the server holds it.
void SetRequestOptions(CURL* handle, curl_slist* headers, const DownloadOptions& options) {
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(handle, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(handle, CURLOPT_USERAGENT, "VB Project");
  curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(handle, CURLOPT_MAXREDIRS, 20L);
  LimitToWeb(handle);
  curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS,
                   static_cast<long>(options.connect_timeout.count()));
  curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, options.low_speed_limit);
  curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME,
                   static_cast<long>(options.low_speed_time.count()));
  curl_easy_setopt(handle, CURLOPT_TIMEOUT, static_cast<long>(options.whole_timeout.count()));
  curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kMaxAnswerBytes));
  if (options.should_abort) {
    curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, &CheckAbort);
    curl_easy_setopt(handle, CURLOPT_XFERINFODATA, const_cast<DownloadOptions*>(&options));
    curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
  }
}

// Why a transfer gave nothing usable, in words for a user.
std::string FailureFor(CURLcode code) {
  switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
      return "could not resolve host";
    case CURLE_COULDNT_CONNECT:
      return "connection refused";
    case CURLE_OPERATION_TIMEDOUT:
      return "timed out";
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT:
      return "not a web address";
    case CURLE_GOT_NOTHING:
      return "empty answer";
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
      return "connection broken";
    case CURLE_TOO_MANY_REDIRECTS:
      return "too many redirects";
    case CURLE_ABORTED_BY_CALLBACK:
      return "stopped";
    default:
      return curl_easy_strerror(code);
  }
}

// The status, Content-Type and address that came with the (last) answer.
void ReadAnswerInfo(CURL* handle, PageAnswer& answer) {
  long status = 0;
  if (curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK) {
    answer.status = status;
  }
  char* content_type = nullptr;
  if (curl_easy_getinfo(handle, CURLINFO_CONTENT_TYPE, &content_type) == CURLE_OK &&
      content_type != nullptr) {
    answer.content_type = content_type;
  }
  char* final_url = nullptr;
  if (answer.status != 0 && curl_easy_getinfo(handle, CURLINFO_EFFECTIVE_URL, &final_url) == CURLE_OK &&
      final_url != nullptr) {
    answer.final_url = final_url;
  }
}

}  // namespace

PageAnswer DownloadAnswer(std::string url, const DownloadOptions& options) {
  InitCurlOnce();
  EasyHandle handle(curl_easy_init());
  HeaderList headers = NoCacheHeaders();
  PageAnswer answer;
  if (!handle || !headers) {
    answer.failure = "out of memory";
    return answer;
  }
  const std::string encoded = EncodeUrl(url);
  SetRequestOptions(handle.get(), headers.get(), options);
  curl_easy_setopt(handle.get(), CURLOPT_URL, encoded.c_str());
  BodyTarget target{answer.body};
  curl_easy_setopt(handle.get(), CURLOPT_WRITEFUNCTION, &AppendBody);
  curl_easy_setopt(handle.get(), CURLOPT_WRITEDATA, &target);

  const CURLcode code = curl_easy_perform(handle.get());
  ReadAnswerInfo(handle.get(), answer);
  answer.too_large = target.too_large || code == CURLE_FILESIZE_EXCEEDED;
  // A transfer that failed part way must not pass for the whole page: the
  // caller then retries instead of keeping a truncated page.
  if (code != CURLE_OK) {
    answer.body.clear();
    answer.failure = answer.too_large ? kTooLargeFailure : FailureFor(code);
  } else if (answer.status >= 400) {
    answer.failure = "HTTP " + std::to_string(answer.status);
  } else if (answer.body.empty()) {
    answer.failure = "empty answer";
  }
  return answer;
}

std::string DownloadPage(std::string url, const DownloadOptions& options) {
  return DownloadAnswer(std::move(url), options).body;
}

DownloadOptions DownloadOptionsFor(const Settings& settings) {
  DownloadOptions options;
  if (settings.download_timeout_seconds == 0) return options;
  options.connect_timeout = std::chrono::seconds(settings.download_timeout_seconds);
  options.low_speed_time = std::chrono::seconds(settings.download_timeout_seconds);
  options.whole_timeout = std::chrono::seconds(settings.download_timeout_seconds);
  return options;
}

}  // namespace velmora
