// One page by HTTP GET, on libcurl's easy interface. Every call opens and
// closes its own handle; nothing survives from one call to the next.
#ifndef VELMORA_NET_DOWNLOAD_PAGE_H
#define VELMORA_NET_DOWNLOAD_PAGE_H

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "core/edges.h"
#include "core/settings.h"

namespace velmora {

// The most bytes an answer's body may hold: a longer one is read no further.
inline constexpr std::size_t kMaxAnswerBytes = 16 * 1024 * 1024;

// The time-outs of one download. A dead server is one failed attempt after
// `connect_timeout`; a transfer slower than `low_speed_limit` bytes a second
// for `low_speed_time` is abandoned, and so is any attempt, however its bytes
// come, that lasts longer than `whole_timeout`.
struct DownloadOptions {
  std::chrono::milliseconds connect_timeout{30000};
  long low_speed_limit = 1;
  std::chrono::seconds low_speed_time{60};
  std::chrono::seconds whole_timeout{300};
  // Asked about once a second and whenever data moves; true abandons the
  // download at once (it then gives the empty text). For a front end whose
  // user asked it to stop.
  std::function<bool()> should_abort;
};

// The built-in time-outs, unless settings.download_timeout_seconds replaces
// the connection time-out, the time a transfer may send less than 1 byte a
// second and the time a whole attempt may take.
DownloadOptions DownloadOptionsFor(const Settings& settings);

// The answer to a GET of `url`: its body byte for byte whatever the HTTP
// status, the status, the Content-Type and the address after redirects. The
// body is empty, and `failure` says why, when nothing usable arrived: no
// connection, a transfer that failed part way (reset, stall, body shorter
// than announced, time-out) or a body of more than kMaxAnswerBytes (then
// `too_large` is set too). A status of 400 or above keeps its body and names
// itself in `failure` ("HTTP 404").
// Never throws for a network failure and never shows a message.
PageAnswer DownloadAnswer(std::string url, const DownloadOptions& options = {});

// The body alone of DownloadAnswer(url, options).
std::string DownloadPage(std::string url, const DownloadOptions& options = {});

}  // namespace velmora

#endif
