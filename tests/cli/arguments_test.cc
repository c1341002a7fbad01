#include "cli/arguments.h"
#include "velmora/version.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "core/exit_status.h"

namespace velmora {
namespace {

using Action = CliArguments::Action;

TEST(ParseArgumentsTest, TakesOneFileAndTheQuickOption) {
  CliArguments plain = ParseArguments({"quads.gpx"});
  EXPECT_EQ(plain.action, Action::kRun);
  EXPECT_EQ(plain.file, "quads.gpx");
  EXPECT_FALSE(plain.quick);
  EXPECT_FALSE(plain.resume);
  EXPECT_TRUE(ParseArguments({"quads.gpx", "--resume"}).resume);
  EXPECT_EQ(ParseArguments({"--", "--resume"}).file, "--resume");

  for (const char* quick : {"--quick", "-q"}) {
    CliArguments before = ParseArguments({quick, "quads.gpx"});
    CliArguments after = ParseArguments({"quads.gpx", quick});
    EXPECT_EQ(before.action, Action::kRun) << quick;
    EXPECT_TRUE(before.quick) << quick;
    EXPECT_TRUE(after.quick) << quick;
    EXPECT_EQ(after.file, "quads.gpx");
  }
}

TEST(ParseArgumentsTest, HelpAndVersionWinOverEverythingBeforeTheEndOfOptions) {
  EXPECT_EQ(ParseArguments({"--help"}).action, Action::kHelp);
  EXPECT_EQ(ParseArguments({"a.gpx", "b.gpx", "--bogus", "-h"}).action, Action::kHelp);
  EXPECT_EQ(ParseArguments({"--version"}).action, Action::kVersion);
  EXPECT_EQ(ParseArguments({"-V", "--quick"}).action, Action::kVersion);
  // After "--" they are file names.
  CliArguments file = ParseArguments({"--", "--help"});
  EXPECT_EQ(file.action, Action::kRun);
  EXPECT_EQ(file.file, "--help");
}

TEST(ParseArgumentsTest, RefusesWrongUseWithAReason) {
  struct Case {
    std::vector<std::string> arguments;
    std::string reason;
  };
  const std::vector<Case> cases = {
      {{}, "no GPX file"},
      {{"--quick"}, "no GPX file"},
      {{"a.gpx", "b.gpx"}, "one GPX file at a time (got 2)"},
      {{"--fast", "a.gpx"}, "unknown option '--fast'"},
      {{"-x"}, "unknown option '-x'"},
      {{"quick"}, ""},  // a bare word is a file name, not the option
  };
  for (const Case& c : cases) {
    const CliArguments result = ParseArguments(c.arguments);
    if (c.reason.empty()) {
      EXPECT_EQ(result.action, Action::kRun);
      EXPECT_FALSE(result.quick);
      continue;
    }
    EXPECT_EQ(result.action, Action::kUsageError);
    EXPECT_NE(result.error.find(c.reason), std::string::npos) << result.error;
  }
  // A lone "-" is an ordinary name.
  EXPECT_EQ(ParseArguments({"-"}).file, "-");
}

TEST(ParseArgumentsTest, SourceOptionsOverrideTheEnvironmentsSetting) {
  Settings environment;
  environment.log_source = LogSource::kDatasheet;
  const CliArguments listing = ParseArguments({"--source", "listing", "a.gpx"});
  ASSERT_EQ(listing.action, Action::kRun);
  EXPECT_EQ(listing.file, "a.gpx");
  EXPECT_EQ(WithArguments(environment, listing).log_source, LogSource::kListing);
  // Without an option the environment's setting stays.
  EXPECT_EQ(WithArguments(environment, ParseArguments({"a.gpx"})).log_source,
            LogSource::kDatasheet);

  const Settings web = WithArguments(Settings{}, ParseArguments({"a.gpx", "--source=datasheet"}));
  EXPECT_EQ(web.log_source, LogSource::kDatasheet);
  EXPECT_TRUE(web.datasheet_file.empty());

  const Settings file =
      WithArguments(Settings{}, ParseArguments({"--datasheets", "ca.zip", "-q", "a.gpx"}));
  EXPECT_EQ(file.log_source, LogSource::kDatasheet);
  EXPECT_EQ(file.datasheet_file, "ca.zip");

  for (const std::vector<std::string>& wrong :
       {std::vector<std::string>{"--source", "web", "a.gpx"}, {"a.gpx", "--source"},
        {"--datasheets=", "a.gpx"}, {"--source", "listing", "--datasheets", "x.txt", "a.gpx"}}) {
    EXPECT_EQ(ParseArguments(wrong).action, Action::kUsageError) << wrong.front();
  }
  // The value is taken even when it looks like a file: one file remains.
  EXPECT_EQ(ParseArguments({"--datasheets", "b.gpx", "a.gpx"}).file, "a.gpx");
}

TEST(HelpTextTest, NamesVersionOptionsSettingsAndEveryExitStatus) {
  EXPECT_EQ(VersionText(), std::string("Velmora ") + kVersionText);
  const std::string help = HelpText();
  EXPECT_EQ(help.rfind(UsageText(), 0), 0u);
  for (const char* needed : {"--quick", "--resume", "--help", "--version", "--source",
                             "--datasheets",
                             "VELMORA_LOG_SOURCE", "VELMORA_LISTING_HOST",
                             "VELMORA_DATASHEET_HOST", "VELMORA_LISTING_NAME",
                             "VELMORA_PAUSE_SCALE", "VELMORA_DOWNLOAD_TIMEOUT",
                             "www.geocaching.com", " R.gpx",
                             "ErrorLog.txt"}) {
    EXPECT_NE(help.find(needed), std::string::npos) << needed;
  }
  for (int status : {0, 1, 2, 3, 5, 6, 7}) {
    const std::regex line("\n  " + std::to_string(status) + "  \\S");
    EXPECT_TRUE(std::regex_search(help, line)) << "status " << status;
  }
}

TEST(ExitStatusForTest, EachEarlyStopHasItsOwnNonZeroStatus) {
  EXPECT_EQ(ExitStatusFor(RunOutcome::kNoWaypointLeft), 0);
  std::set<int> seen = {kExitUsage, kExitFileError, kExitUnexpected};
  for (RunOutcome outcome : {RunOutcome::kNoPage, RunOutcome::kMalformed, RunOutcome::kNotGpx}) {
    const int status = ExitStatusFor(outcome);
    EXPECT_NE(status, 0);
    EXPECT_TRUE(seen.insert(status).second) << "status " << status << " used twice";
  }
  EXPECT_EQ(ExitStatusFor(RunOutcome::kNotStarted), kExitUnexpected);
}

}  // namespace
}  // namespace velmora
