#include "core/settings.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace velmora {
namespace {

// A pause must stay shorter than a day: the longest wait (10 minutes at
// 4/3) times this scale is still well under 86400 seconds.
constexpr double kMaxPauseScale = 100.0;

bool IsHostChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-';
}

// A host name made of letters, digits, points and hyphens, with an optional
// ":port" of 1 to 65535.
bool IsValidHost(const std::string& value) {
  const std::size_t colon = value.find(':');
  const std::string host = value.substr(0, colon);
  if (host.empty()) return false;
  for (char c : host) {
    if (!IsHostChar(c)) return false;
  }
  if (colon == std::string::npos) return true;
  const std::string port = value.substr(colon + 1);
  if (port.empty() || port.size() > 5) return false;
  for (char c : port) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  const long number = std::strtol(port.c_str(), nullptr, 10);
  return number >= 1 && number <= 65535;
}

std::string HostSetting(const GetEnv& getenv, const char* name,
                        const std::string& fallback) {
  const char* value = getenv(name);
  if (value == nullptr || *value == '\0') return fallback;
  if (!IsValidHost(value)) {
    throw SettingsError(std::string(name) + " must be a host name, optionally with :port (got \"" +
                        value + "\")");
  }
  return value;
}

double PauseScaleSetting(const GetEnv& getenv) {
  const char* value = getenv("VELMORA_PAUSE_SCALE");
  if (value == nullptr || *value == '\0') return 1.0;
  const std::string text(value);
  double scale = -1;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), scale);
  if (error != std::errc() || end != text.data() + text.size() ||
      !std::isfinite(scale) || scale < 0 || scale > kMaxPauseScale) {
    throw SettingsError(
        "VELMORA_PAUSE_SCALE must be a number from 0 to 100, such as 1 or 0.5 (got \"" +
        text + "\")");
  }
  return scale;
}

LogSource LogSourceSetting(const GetEnv& getenv) {
  const char* value = getenv("VELMORA_LOG_SOURCE");
  if (value == nullptr || *value == '\0') return LogSource::kListing;
  LogSource source = LogSource::kListing;
  if (!ParseLogSource(value, source)) {
    throw SettingsError(std::string("VELMORA_LOG_SOURCE must be listing or datasheet (got \"") +
                        value + "\")");
  }
  return source;
}

bool ReportSetting(const GetEnv& getenv) {
  const char* value = getenv("VELMORA_REPORT");
  if (value == nullptr || *value == '\0') return true;
  const std::string text(value);
  if (text != "on" && text != "off") {
    throw SettingsError("VELMORA_REPORT must be on or off (got \"" + text + "\")");
  }
  return text == "on";
}

}  // namespace

bool ParseLogSource(const std::string& text, LogSource& source) {
  if (text == "listing") {
    source = LogSource::kListing;
  } else if (text == "datasheet") {
    source = LogSource::kDatasheet;
  } else {
    return false;
  }
  return true;
}

long DownloadTimeoutSetting(const GetEnv& getenv) {
  const char* value = getenv("VELMORA_DOWNLOAD_TIMEOUT");
  if (value == nullptr || *value == '\0') return 0;
  const std::string text(value);
  long seconds = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (error != std::errc() || end != text.data() + text.size() || seconds < 1 ||
      seconds > 3600) {
    throw SettingsError(
        "VELMORA_DOWNLOAD_TIMEOUT must be a whole number of seconds from 1 to 3600 (got \"" +
        text + "\")");
  }
  return seconds;
}

std::string ShortHostName(const std::string& host) {
  std::string name = host.substr(0, host.find(':'));
  if (name.rfind("www.", 0) == 0) name = name.substr(4);
  return name;
}

Settings SettingsFromEnvironment(const GetEnv& getenv) {
  Settings settings;
  const bool listing_set = getenv("VELMORA_LISTING_HOST") != nullptr &&
                           *getenv("VELMORA_LISTING_HOST") != '\0';
  settings.listing_host =
      HostSetting(getenv, "VELMORA_LISTING_HOST", settings.listing_host);
  settings.datasheet_host =
      HostSetting(getenv, "VELMORA_DATASHEET_HOST", settings.datasheet_host);
  if (listing_set) settings.listing_short_name = ShortHostName(settings.listing_host);
  const char* name = getenv("VELMORA_LISTING_NAME");
  if (name != nullptr && *name != '\0') settings.listing_short_name = name;
  settings.pause_scale = PauseScaleSetting(getenv);
  settings.download_timeout_seconds = DownloadTimeoutSetting(getenv);
  settings.log_source = LogSourceSetting(getenv);
  settings.report_after_run = ReportSetting(getenv);
  return settings;
}

Settings SettingsFromEnvironment() {
  return SettingsFromEnvironment([](const char* name) { return std::getenv(name); });
}

LoadedSettings LoadSettings(const GetEnv& getenv) {
  try {
    return LoadedSettings{SettingsFromEnvironment(getenv), ""};
  } catch (const SettingsError& error) {
    return LoadedSettings{Settings{}, error.what()};
  }
}

LoadedSettings LoadSettings() {
  return LoadSettings([](const char* name) { return std::getenv(name); });
}

}  // namespace velmora
