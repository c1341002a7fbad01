#include "core/settings.h"

#include <gtest/gtest.h>

#include <map>

#include "sources/listing_source.h"

namespace velmora {
namespace {

GetEnv FakeEnvironment(std::map<std::string, std::string> values) {
  return [values = std::move(values)](const char* name) -> const char* {
    auto found = values.find(name);
    return found == values.end() ? nullptr : found->second.c_str();
  };
}

TEST(SettingsTest, DefaultsWithoutEnvironment) {
  const Settings settings = SettingsFromEnvironment(FakeEnvironment({}));
  EXPECT_EQ(settings.pause_scale, 1.0);
  EXPECT_FALSE(settings.listing_host.empty());
  EXPECT_EQ(ListingUrlPrefix(settings),
            "http://" + settings.listing_host + "/mark/details.aspx?PID=");
}

TEST(SettingsTest, HostsWithPortsAndTheShortNameFollowingTheListingHost) {
  const Settings settings = SettingsFromEnvironment(FakeEnvironment(
      {{"VELMORA_LISTING_HOST", "www.marks.test:8080"},
       {"VELMORA_DATASHEET_HOST", "127.0.0.1:9"},
       {"VELMORA_PAUSE_SCALE", "0"}}));
  EXPECT_EQ(settings.listing_host, "www.marks.test:8080");
  EXPECT_EQ(settings.datasheet_host, "127.0.0.1:9");
  EXPECT_EQ(settings.listing_short_name, "marks.test");
  EXPECT_EQ(settings.pause_scale, 0.0);
  EXPECT_EQ(ListingUrlPrefix(settings), "http://www.marks.test:8080/mark/details.aspx?PID=");
}

TEST(SettingsTest, ExplicitShortNameWins) {
  const Settings settings = SettingsFromEnvironment(FakeEnvironment(
      {{"VELMORA_LISTING_HOST", "127.0.0.1:8080"}, {"VELMORA_LISTING_NAME", "Demo.org"}}));
  EXPECT_EQ(settings.listing_short_name, "Demo.org");
}

TEST(SettingsTest, InvalidValuesAreRefusedWithTheVariableNamed) {
  for (const char* scale : {"-1", "abc", "1.5x", "nan", "inf", " 1", "100.5", "1e9"}) {
    try {
      SettingsFromEnvironment(FakeEnvironment({{"VELMORA_PAUSE_SCALE", scale}}));
      ADD_FAILURE() << "accepted " << scale;
    } catch (const SettingsError& error) {
      EXPECT_NE(std::string(error.what()).find("VELMORA_PAUSE_SCALE"), std::string::npos);
    }
  }
  for (const char* host : {"http://x.org", "a b", "host:0", "host:99999", "host:", ":80", "x/y"}) {
    EXPECT_THROW(SettingsFromEnvironment(FakeEnvironment({{"VELMORA_LISTING_HOST", host}})),
                 SettingsError)
        << host;
  }
  for (const char* timeout : {"0", "-5", "3601", "1.5", "2s", "abc"}) {
    EXPECT_THROW(
        SettingsFromEnvironment(FakeEnvironment({{"VELMORA_DOWNLOAD_TIMEOUT", timeout}})),
        SettingsError)
        << timeout;
  }
  EXPECT_EQ(SettingsFromEnvironment(FakeEnvironment({{"VELMORA_DOWNLOAD_TIMEOUT", "3600"}}))
                .download_timeout_seconds,
            3600);
  EXPECT_NO_THROW(SettingsFromEnvironment(FakeEnvironment({{"VELMORA_PAUSE_SCALE", "0.25"}})));
  EXPECT_NO_THROW(SettingsFromEnvironment(FakeEnvironment({{"VELMORA_PAUSE_SCALE", "100"}})));
}

TEST(SettingsTest, LogSourceIsListingByDefaultAndDatasheetOnlyWhenSpelledSo) {
  EXPECT_EQ(SettingsFromEnvironment(FakeEnvironment({})).log_source, LogSource::kListing);
  EXPECT_EQ(SettingsFromEnvironment(FakeEnvironment({{"VELMORA_LOG_SOURCE", "datasheet"}}))
                .log_source,
            LogSource::kDatasheet);
  for (const char* source : {"Datasheet", "web", "datasheet ", "1"}) {
    const LoadedSettings loaded = LoadSettings(FakeEnvironment({{"VELMORA_LOG_SOURCE", source}}));
    EXPECT_NE(loaded.error.find("VELMORA_LOG_SOURCE"), std::string::npos) << source;
    EXPECT_EQ(loaded.settings.log_source, LogSource::kListing) << source;
  }
}

TEST(SettingsTest, ReportIsOnByDefaultAndOffOnlyWhenSpelledSo) {
  EXPECT_TRUE(SettingsFromEnvironment(FakeEnvironment({})).report_after_run);
  EXPECT_FALSE(
      SettingsFromEnvironment(FakeEnvironment({{"VELMORA_REPORT", "off"}})).report_after_run);
  for (const char* value : {"OFF", "no", "0"}) {
    const LoadedSettings loaded = LoadSettings(FakeEnvironment({{"VELMORA_REPORT", value}}));
    EXPECT_NE(loaded.error.find("VELMORA_REPORT"), std::string::npos) << value;
  }
}

}  // namespace
}  // namespace velmora
