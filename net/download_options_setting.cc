#include "net/download_options_setting.h"

#include <charconv>
#include <cstdlib>
#include <string_view>

namespace velmora {

DownloadOptions DownloadOptionsFromEnvironment(const GetEnv& getenv) {
  DownloadOptions options;
  const char* value = getenv("VELMORA_DOWNLOAD_TIMEOUT");
  if (value == nullptr) return options;
  const std::string_view text(value);
  long seconds = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (error != std::errc() || end != text.data() + text.size() || seconds < 1 ||
      seconds > kMaxDownloadTimeoutSeconds) {
    return options;
  }
  options.connect_timeout = std::chrono::seconds(seconds);
  options.low_speed_time = std::chrono::seconds(seconds);
  return options;
}

DownloadOptions DownloadOptionsFromEnvironment() {
  return DownloadOptionsFromEnvironment([](const char* name) { return std::getenv(name); });
}

}  // namespace velmora
