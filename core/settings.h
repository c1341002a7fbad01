// Settings: the two host names, the listing website's short name for
// messages, and the pause scale. Built-in defaults, overridden by environment
// variables, read the same way by every front end.
#ifndef VELMORA_CORE_SETTINGS_H
#define VELMORA_CORE_SETTINGS_H

#include <functional>
#include <stdexcept>
#include <string>

namespace velmora {

inline constexpr const char* kApplicationTitle = "Velmora";

// Where the logs of a benchmark come from.
enum class LogSource {
  kListing,    // the listing website's benchmark pages
  kDatasheet,  // the agency's datasheets: from the web, or from datasheet_file
};

struct Settings {
  std::string listing_host = "www.geocaching.com";
  std::string datasheet_host = "www.ngs.noaa.gov";
  std::string listing_short_name = "geocaching.com";
  double pause_scale = 1.0;
  // For tests that play a misbehaving website: replaces the download
  // time-outs (connection, silence and a whole attempt), in seconds; 0 keeps
  // the built-in ones (DownloadOptionsFor).
  long download_timeout_seconds = 0;
  LogSource log_source = LogSource::kListing;
  // A downloaded datasheet archive (.txt or .zip) read instead of the web;
  // empty for the web. Only with LogSource::kDatasheet.
  std::string datasheet_file;
  // A report (report/) beside the result after every run that wrote one.
  bool report_after_run = true;
};

// A setting that cannot be used; what() is a message for the user.
class SettingsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

using GetEnv = std::function<const char*(const char*)>;

// Defaults overridden by VELMORA_LISTING_HOST, VELMORA_DATASHEET_HOST,
// VELMORA_LISTING_NAME, VELMORA_PAUSE_SCALE, VELMORA_DOWNLOAD_TIMEOUT and
// VELMORA_LOG_SOURCE ("listing" or "datasheet") and VELMORA_REPORT ("on" or "off").
// Throws SettingsError for an invalid value.
Settings SettingsFromEnvironment(const GetEnv& getenv);
Settings SettingsFromEnvironment();

// The settings as a front end reads them once, at start: `error` is empty
// when every value is valid, else the message that refuses the invalid one
// (and `settings` holds the built-in defaults).
struct LoadedSettings {
  Settings settings;
  std::string error;
};
LoadedSettings LoadSettings(const GetEnv& getenv);
// From the process environment: the only reader of the environment.
LoadedSettings LoadSettings();

// VELMORA_DOWNLOAD_TIMEOUT: a whole number of seconds from 1 to 3600, or 0
// when unset or empty. Throws SettingsError for any other text.
long DownloadTimeoutSetting(const GetEnv& getenv);

// "listing" or "datasheet" (exactly) into `source`; false for any other text.
bool ParseLogSource(const std::string& text, LogSource& source);

// The short name of a host: without "www." and without ":port".
std::string ShortHostName(const std::string& host);

}  // namespace velmora

#endif
