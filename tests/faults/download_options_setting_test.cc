// VELMORA_DOWNLOAD_TIMEOUT, the knob that lets these tests shorten the
// download time-outs of a whole velmora-cli run.
#include "core/settings.h"
#include "net/download_page.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace velmora {
namespace {

using std::chrono::seconds;

// The download options of a program started with the value; a refused value
// leaves the program no settings but the built-in ones.
DownloadOptions OptionsWith(const char* value) {
  return DownloadOptionsFor(LoadSettings([value](const char* name) -> const char* {
                              return std::string(name) == "VELMORA_DOWNLOAD_TIMEOUT" ? value
                                                                                    : nullptr;
                            }).settings);
}

TEST(DownloadOptionsSettingTest, AWholeNumberOfSecondsReplacesBothTimeOuts) {
  const DownloadOptions one = OptionsWith("1");
  EXPECT_EQ(one.connect_timeout, seconds(1));
  EXPECT_EQ(one.low_speed_time, seconds(1));
  EXPECT_EQ(one.low_speed_limit, DownloadOptions{}.low_speed_limit);
  const DownloadOptions most = OptionsWith("3600");
  EXPECT_EQ(most.connect_timeout, seconds(3600));
  EXPECT_EQ(most.low_speed_time, seconds(3600));
}

TEST(DownloadOptionsSettingTest, UnsetOrUnusableValuesKeepTheDefaults) {
  const DownloadOptions defaults;
  for (const char* value : {static_cast<const char*>(nullptr), "", "0", "-5", "3601", "1.5",
                            "2s", " 2", "abc", "99999999999999999999"}) {
    const DownloadOptions options = OptionsWith(value);
    SCOPED_TRACE(value == nullptr ? "unset" : value);
    EXPECT_EQ(options.connect_timeout, defaults.connect_timeout);
    EXPECT_EQ(options.low_speed_time, defaults.low_speed_time);
  }
}

}  // namespace
}  // namespace velmora
