#include "datasheet/datasheet_facts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "datasheet/datasheet_text.h"
#include "tests/support/temp_dir.h"

namespace velmora::testing {
namespace {

struct PositionCase {
  std::string text;  // what follows "POSITION-"
  bool read;
  double lat, lon;
};

TEST(ReadPosition, DegreesMinutesSecondsAndHemispheresOrNothingForRaggedText) {
  const std::vector<PositionCase> cases = {
      {" 36 03 42.56888(N) 079 07 18.55999(W)   ADJUSTED", true, 36.0618247, -79.1218222},
      {" 29 29 52.     (N) 098 37 22.     (W)   SCALED", true, 29.4977778, -98.6227778},
      {" 33 51 35.1(S) 151 12 40.2(E)", true, -33.8597500, 151.2111667},
      {" 00 00 00.   (N) 180 00 00.   (W)", true, 0.0, -180.0},
      {" 36 03 42.56888(N) 079 07", false, 0, 0},   // cut
      {" 36 03 42.56888(N)", false, 0, 0},          // no longitude
      {" 36 03 42.56888 N 079 07 18.55999 W", false, 0, 0},
      {" 36 60 00.0(N) 079 07 18.5(W)", false, 0, 0},  // 60 minutes
      {" 90 00 00.1(N) 079 07 18.5(W)", false, 0, 0},  // beyond the pole
      {" 36 03 42.5(X) 079 07 18.5(W)", false, 0, 0},
      {" 36 03 42.5(N) 079 07 18.5(N)", false, 0, 0},
      {" 1234 03 42.5(N) 079 07 18.5(W)", false, 0, 0},
      {"", false, 0, 0},
  };
  for (const PositionCase& c : cases) {
    const std::optional<Position> position = ReadPosition(c.text);
    ASSERT_EQ(position.has_value(), c.read) << c.text;
    if (!position) continue;
    EXPECT_NEAR(position->lat, c.lat, 1e-7) << c.text;
    EXPECT_NEAR(position->lon, c.lon, 1e-7) << c.text;
  }
}

TEST(DatasheetPosition, NewestHorizontalDatumWinsAndARaggedLineGivesNone) {
  const std::string nad27 = " AB1234* NAD 27       POSITION- 40 00 00.0 (N) 105 00 00.0 (W)";
  const std::string nad83 = " AB1234* NAD 83(1986) POSITION- 41 00 00.0 (N) 106 00 00.0 (W)";
  const std::vector<std::string> both = {" AB1234  DESIGNATION -  X", nad27, nad83};
  ASSERT_TRUE(DatasheetPosition(both));
  EXPECT_DOUBLE_EQ(DatasheetPosition(both)->lat, 41.0);
  const std::vector<std::string> old_only = {nad27};
  EXPECT_DOUBLE_EQ(DatasheetPosition(old_only)->lon, -105.0);
  const std::vector<std::string> ragged = {nad27, nad83.substr(0, 50)};
  EXPECT_FALSE(DatasheetPosition(ragged));
  EXPECT_FALSE(DatasheetPosition(std::vector<std::string>{" AB1234  DESIGNATION -  X"}));
}

class RealDatasheetFacts : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::is_directory(folder_)) GTEST_SKIP() << "no samples at " << folder_;
  }
  std::vector<std::string> Lines(const std::string& name) {
    return DatasheetLines(ReadFileBytes(folder_ / name));
  }
  const std::filesystem::path folder_ = VELMORA_REAL_DATASHEETS;
};

TEST_F(RealDatasheetFacts, PositionsOfTheSamples) {
  const struct {
    const char* file;
    double lat, lon;
  } samples[] = {{"FY3210.fragments.txt", 36.0618247, -79.1218222},
                 {"FY3209.fragments.txt", 36.0618375, -79.1217543},
                 {"ds_mark_AY0713.html", 29.4977778, -98.6227778}};
  for (const auto& sample : samples) {
    const std::optional<Position> position = DatasheetPosition(Lines(sample.file));
    ASSERT_TRUE(position) << sample.file;
    EXPECT_NEAR(position->lat, sample.lat, 1e-7) << sample.file;
    EXPECT_NEAR(position->lon, sample.lon, 1e-7) << sample.file;
  }
}

TEST_F(RealDatasheetFacts, FieldsMonumentAndHistoryOfAServedPage) {
  const std::vector<std::string> lines = Lines("ds_mark_AY0713.html");
  std::string header;
  for (const std::string& line : lines) {
    if (line.starts_with("1")) header = line;
  }
  const DatasheetFacts facts = ReadDatasheetFacts(lines, header);
  EXPECT_EQ(facts.designation, "T 481");
  EXPECT_EQ(facts.state_county, "TX/BEXAR");
  EXPECT_EQ(facts.country, "US");
  EXPECT_EQ(facts.marker, "BENCH MARK DISK");
  EXPECT_EQ(facts.setting, "SET IN TOP OF CONCRETE MONUMENT");
  EXPECT_EQ(facts.agency, "NGS");
  EXPECT_EQ(facts.placed_by, "CGS");
  EXPECT_FALSE(facts.destroyed);
}

}  // namespace
}  // namespace velmora::testing
