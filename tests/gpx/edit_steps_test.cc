// The text edits of one benchmark: listing name, log zone, terrain, and the
// searches they rest on.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "core/run_state.h"
#include "core/text.h"
#include "gpx/benchmark_search.h"
#include "gpx/document_edits.h"
#include "tests/gpx/gpx_fixtures.h"

namespace velmora::testing {
namespace {

const std::string kBlock =
    "\r\n    <groundspeak:log id=\"0000001\">"
    "\r\n      <groundspeak:date>2009-07-04T00:00:00-06:00Z</groundspeak:date>"
    "\r\n      <groundspeak:type>Found It</groundspeak:type>"
    "\r\n      <groundspeak:finder id=\"0000000\">alice</groundspeak:finder>"
    "\r\n      <groundspeak:text encoded=\"False\">Disk in good shape.</groundspeak:text>"
    "\r\n    </groundspeak:log>";

RunState StateAtFirstName(const WaypointFixture& fixture) {
  RunState state;
  state.DocumentText = GpxDocument({Waypoint(fixture)});
  const Pos name = InStr(InStr(1, state.DocumentText, "<wpt"), state.DocumentText, "<name>");
  state.NameEndPos = InStr(name, state.DocumentText, "</name>");
  return state;
}

void InsertInto(RunState& state, const std::string& block) {
  LogZone zone;
  ASSERT_EQ(FindLogZone(state.DocumentText, state.NameEndPos, zone), LogZoneSearch::kFound);
  state.LogBlock = block;
  InsertLogBlock(state, zone);
}

TEST(BoundedSearch, FindsOnlyMatchesStartingBeforeTheLimit) {
  const std::string text = "abc MARK NOT FOUND xyz MARK NOT FOUND";
  EXPECT_EQ(InStrBefore(1, text, "MARK NOT FOUND", 100), 5);
  EXPECT_EQ(InStrBefore(1, text, "MARK NOT FOUND", 6), 5);  // may run past the limit
  EXPECT_EQ(InStrBefore(1, text, "MARK NOT FOUND", 5), 0);
  EXPECT_EQ(InStrBefore(6, text, "MARK NOT FOUND", 24), 0);
  EXPECT_EQ(InStrBefore(6, text, "MARK NOT FOUND", 25), 24);
  EXPECT_EQ(InStrBefore(1, text, "abc", 0), 0);
}

TEST(BoundedSearch, ElementEndRefusesUnclosedElements) {
  EXPECT_EQ(ElementEnd("<name>KK1234</name>", 1, "<name>", "</name>"), 13);
  EXPECT_EQ(ElementEnd("<name>KK1234", 1, "<name>", "</name>"), 0);
  EXPECT_EQ(ElementEnd("<name>KK1234 <name>KK1235</name>", 1, "<name>", "</name>"), 0);
}

TEST(LogZone, CutKeepsTheCharacterAfterTheTagExceptInAOneLineZone) {
  const std::string two_lines = "x<groundspeak:logs>\r\n   </groundspeak:logs>";
  LogZone zone;
  ASSERT_EQ(FindLogZone(two_lines, 1, zone), LogZoneSearch::kFound);
  EXPECT_EQ(zone.cut, 2 + 18);
  EXPECT_EQ(Mid(two_lines, zone.cut, 1), "\r");
  EXPECT_EQ(zone.end, InStr(1, two_lines, "</groundspeak:logs>"));

  const std::string one_line = "x<groundspeak:logs></groundspeak:logs>";
  ASSERT_EQ(FindLogZone(one_line, 1, zone), LogZoneSearch::kFound);
  EXPECT_EQ(Left(one_line, zone.cut), "x<groundspeak:logs>");

  EXPECT_EQ(FindLogZone("<name>KK1234</name>", 1, zone), LogZoneSearch::kNoStart);
  EXPECT_EQ(FindLogZone("<groundspeak:logs>\r\n", 1, zone), LogZoneSearch::kNoEnd);
  // An unclosed zone in front of the next waypoint's zone.
  EXPECT_EQ(FindLogZone("<groundspeak:logs>\r\n<groundspeak:logs></groundspeak:logs>", 1, zone),
            LogZoneSearch::kNoEnd);
}

TEST(InsertLogBlock, EmptyZoneOfACrLfFileGetsTheBlockAndTheEndTagIndented) {
  RunState state = StateAtFirstName(WaypointFixture{});
  InsertInto(state, kBlock);
  EXPECT_EQ(LogZoneOf(state.DocumentText, "KK1234"), "\r" + kBlock + "\r\n   ");
  EXPECT_TRUE(WellFormedXml(state.DocumentText));
}

TEST(InsertLogBlock, OldLogsAreReplacedNotRepeated) {
  WaypointFixture f;
  f.logs = "\r" + kBlock + "\r\n   ";  // what an earlier run left
  RunState state = StateAtFirstName(f);
  const std::string fresh = ReplaceAll(kBlock, "alice", "bob");
  InsertInto(state, fresh);
  EXPECT_EQ(LogZoneOf(state.DocumentText, "KK1234"), "\r" + fresh + "\r\n   ");
  EXPECT_THAT(state.DocumentText, ::testing::Not(::testing::HasSubstr("alice")));
}

TEST(InsertLogBlock, OneLineEmptyZoneGetsNoStrayCharacter) {
  WaypointFixture f;
  f.logs = "";
  RunState state = StateAtFirstName(f);
  InsertInto(state, kBlock);
  EXPECT_EQ(LogZoneOf(state.DocumentText, "KK1234"), kBlock + "\r\n   ");
  std::string why;
  EXPECT_TRUE(WellFormedXml(state.DocumentText, &why)) << why;
}

TEST(InsertLogBlock, OldLogsRightAfterTheTagLeaveNoStrayCharacter) {
  // A zone written without line breaks: its first character is the "<" of
  // an old log, which must go with the old logs.
  WaypointFixture f;
  f.logs = "<groundspeak:log id=\"0000009\"><groundspeak:text encoded=\"False\">old"
           "</groundspeak:text></groundspeak:log>";
  RunState state = StateAtFirstName(f);
  InsertInto(state, kBlock);
  EXPECT_EQ(LogZoneOf(state.DocumentText, "KK1234"), kBlock + "\r\n   ");
  std::string why;
  EXPECT_TRUE(WellFormedXml(state.DocumentText, &why)) << why;
}

TEST(AppendListingName, LengthensASixCharacterNameInPlace) {
  WaypointFixture f;
  f.listing_name = "CAMP HILL &amp; RESET";
  RunState state = StateAtFirstName(f);
  const Pos name_end = state.NameEndPos;
  ASSERT_EQ(AppendListingName(state), ListingName::kAppended);
  EXPECT_EQ(NameOf(state.DocumentText, "KK1234"), "KK1234 CAMP HILL &amp; RESET");
  EXPECT_EQ(state.NameEndPos, name_end);
  EXPECT_EQ(Mid(state.DocumentText, state.NameEndPos, 1), " ");
  EXPECT_TRUE(WellFormedXml(state.DocumentText));
}

TEST(AppendListingName, MissingOrUnclosedListingNameLeavesTheDocument) {
  WaypointFixture missing;
  missing.has_listing_name = false;
  RunState state = StateAtFirstName(missing);
  std::string before = state.DocumentText;
  EXPECT_EQ(AppendListingName(state), ListingName::kMissing);
  EXPECT_EQ(state.DocumentText, before);

  state = StateAtFirstName(WaypointFixture{});
  state.DocumentText = ReplaceAll(state.DocumentText, "</groundspeak:name>", "");
  before = state.DocumentText;
  EXPECT_EQ(AppendListingName(state), ListingName::kUnclosed);
  EXPECT_EQ(state.DocumentText, before);
}

TEST(SetTerrain, ReplacesTheFirstCharacterOfTheValue) {
  WaypointFixture f;
  f.terrain = "1.5";
  RunState state = StateAtFirstName(f);
  const std::size_t size = state.DocumentText.size();
  EXPECT_TRUE(SetTerrain(state, '4'));
  EXPECT_THAT(state.DocumentText, ::testing::HasSubstr("<groundspeak:terrain>4.5</groundspeak:terrain>"));
  EXPECT_EQ(state.DocumentText.size(), size);
}

TEST(SetTerrain, LeavesAWaypointWithoutTerrainValueUntouched) {
  WaypointFixture missing;
  missing.has_terrain = false;
  RunState state = StateAtFirstName(missing);
  std::string before = state.DocumentText;
  EXPECT_FALSE(SetTerrain(state, '4'));
  EXPECT_EQ(state.DocumentText, before);

  WaypointFixture empty;
  empty.terrain = "";
  state = StateAtFirstName(empty);
  before = state.DocumentText;
  EXPECT_FALSE(SetTerrain(state, '3'));
  EXPECT_EQ(state.DocumentText, before);
}

TEST(SetTerrain, LeavesAValueStartingWithAMultiByteCharacterWhole) {
  // Replacing the first byte alone would leave a torn UTF-8 character.
  WaypointFixture f;
  f.terrain = "\xc3\xa9";
  RunState state = StateAtFirstName(f);
  const std::string before = state.DocumentText;
  EXPECT_FALSE(SetTerrain(state, '4'));
  EXPECT_EQ(state.DocumentText, before);
}

}  // namespace
}  // namespace velmora::testing
