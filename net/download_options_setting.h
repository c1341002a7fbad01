// The download time-outs as the front ends use them: the defaults of
// DownloadOptions, unless VELMORA_DOWNLOAD_TIMEOUT shortens them.
#ifndef VELMORA_NET_DOWNLOAD_OPTIONS_SETTING_H
#define VELMORA_NET_DOWNLOAD_OPTIONS_SETTING_H

#include "core/settings.h"
#include "net/download_page.h"

namespace velmora {

// The largest value VELMORA_DOWNLOAD_TIMEOUT takes, in seconds.
inline constexpr long kMaxDownloadTimeoutSeconds = 3600;

// For tests that play a misbehaving website: VELMORA_DOWNLOAD_TIMEOUT, a
// whole number of seconds from 1 to 3600, replaces both time-outs (the
// connection time-out and the time a transfer may send less than 1 byte a
// second). Unset, empty or any other text: the defaults, unchanged. Never
// throws, so that no front end can fail on it.
DownloadOptions DownloadOptionsFromEnvironment(const GetEnv& getenv);
DownloadOptions DownloadOptionsFromEnvironment();

}  // namespace velmora

#endif
