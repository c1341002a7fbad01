#include "cli/new_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velmora {
namespace {

struct ArgumentsCase {
  std::vector<std::string> arguments;
  std::string error;  // a part of the error; empty: accepted
};

TEST(ParseNewArgumentsTest, ASelectionAndASourceAreNeeded) {
  const std::vector<ArgumentsCase> cases = {
      {{"near.gpx", "--datasheets", "TX.zip", "--near", "29.5,-98.6", "--within", "5km"}, ""},
      {{"--county=TX/BEXAR", "--datasheets=TX.zip", "county.gpx", "--include-destroyed"}, ""},
      {{"web.gpx", "--pids", "AY0713", "--county", "TX/BEXAR"}, ""},
      {{"--datasheets", "TX.zip", "--county", "TX/BEXAR"}, "no GPX file"},
      {{"a.gpx", "b.gpx", "--pids", "AY0713"}, "one GPX file at a time"},
      {{"a.gpx", "--datasheets", "TX.zip"}, "no selection"},
      {{"a.gpx", "--datasheets", "TX.zip", "--near", "29.5,-98.6"}, "go together"},
      {{"a.gpx", "--datasheets", "TX.zip", "--within", "5km"}, "go together"},
      {{"a.gpx", "--county", "TX/BEXAR"}, "--pids LIST is needed"},
      {{"a.gpx", "--pids"}, "--pids needs a value"},
      {{"a.gpx", "--pids", "AY0713", "--quick"}, "unknown option '--quick'"},
  };
  for (const ArgumentsCase& c : cases) {
    const NewArguments parsed = ParseNewArguments(c.arguments);
    if (c.error.empty()) {
      EXPECT_EQ(parsed.error, "") << c.arguments.front();
    } else {
      EXPECT_THAT(parsed.error, ::testing::HasSubstr(c.error)) << c.arguments.front();
    }
  }
  const NewArguments parsed = ParseNewArguments(cases[1].arguments);
  EXPECT_EQ(parsed.file, "county.gpx");
  EXPECT_EQ(parsed.datasheets, "TX.zip");
  EXPECT_EQ(parsed.county, "TX/BEXAR");
  EXPECT_TRUE(parsed.include_destroyed);
}

}  // namespace
}  // namespace velmora
