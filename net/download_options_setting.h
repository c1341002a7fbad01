// The download time-outs as the front ends use them: the defaults of
// DownloadOptions, unless VELMORA_DOWNLOAD_TIMEOUT shortens them.
#ifndef VELMORA_NET_DOWNLOAD_OPTIONS_SETTING_H
#define VELMORA_NET_DOWNLOAD_OPTIONS_SETTING_H

#include "core/settings.h"
#include "net/download_page.h"

namespace velmora {

// For tests that play a misbehaving website: VELMORA_DOWNLOAD_TIMEOUT, a
// whole number of seconds from 1 to 3600, replaces both time-outs (the
// connection time-out and the time a transfer may send less than 1 byte a
// second). Unset or empty: the defaults. Never throws: a value that is not
// such a number is refused by SettingsFromEnvironment, which every front end
// reads at start, and here only keeps the defaults.
DownloadOptions DownloadOptionsFromEnvironment(const GetEnv& getenv);
DownloadOptions DownloadOptionsFromEnvironment();

}  // namespace velmora

#endif
