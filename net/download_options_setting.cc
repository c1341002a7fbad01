#include "net/download_options_setting.h"

#include <cstdlib>

namespace velmora {

DownloadOptions DownloadOptionsFromEnvironment(const GetEnv& getenv) {
  DownloadOptions options;
  long seconds = 0;
  try {
    seconds = DownloadTimeoutSetting(getenv);
  } catch (const SettingsError&) {
    return options;  // the front ends refused it at start already
  }
  if (seconds == 0) return options;
  options.connect_timeout = std::chrono::seconds(seconds);
  options.low_speed_time = std::chrono::seconds(seconds);
  return options;
}

DownloadOptions DownloadOptionsFromEnvironment() {
  return DownloadOptionsFromEnvironment([](const char* name) { return std::getenv(name); });
}

}  // namespace velmora
