// Recovery-status marking on datasheet descriptions with recovery reports.
#include "gpx/mark_recovery_status.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/run_state.h"
#include "core/text.h"
#include "tests/gpx/gpx_fixtures.h"

namespace velmora::testing {
namespace {

// A datasheet history with one line per report, oldest first.
std::string History(const std::vector<std::string>& conditions) {
  std::string text = "KK1234 HISTORY     - Date     Condition        Report By\n";
  int year = 1934;
  for (const std::string& condition : conditions) {
    text += "KK1234 HISTORY     - " + std::to_string(year) + "     " + condition + "   NGS\n";
    year += 7;
  }
  return text;
}

// The run state of the scan with its positions on the first waypoint: the
// range runs from its "</name>" to its description's end.
RunState StateFor(const std::vector<std::string>& waypoints) {
  RunState state;
  state.ScanText = GpxDocument(waypoints);
  const Pos name = InStr(InStr(1, state.ScanText, "<wpt"), state.ScanText, "<name>");
  state.NameEndPos = InStr(name, state.ScanText, "</name>");
  state.BenchmarkEnd =
      InStr(state.NameEndPos, state.ScanText, "</groundspeak:long_description>");
  return state;
}

RunState StateWithHistory(const std::vector<std::string>& conditions) {
  WaypointFixture f;
  f.description = History(conditions);
  return StateFor({Waypoint(f)});
}

std::string DifficultyAfterMarking(RunState state) {
  MarkRecoveryStatus(state);
  return Mid(state.ScanText,
             InStr(1, state.ScanText, "<groundspeak:difficulty>") + 24, 3);
}

TEST(MarkRecoveryStatus, CountsReportsWithoutLaterRecoveryCappedAtThree) {
  EXPECT_EQ(DifficultyAfterMarking(StateWithHistory({"MONUMENTED", "GOOD"})), "1.5");
  EXPECT_EQ(DifficultyAfterMarking(StateWithHistory({"GOOD", "MARK NOT FOUND"})), "3.5");
  EXPECT_EQ(DifficultyAfterMarking(StateWithHistory({"MARK NOT FOUND", "MARK NOT FOUND"})), "4.5");
  EXPECT_EQ(DifficultyAfterMarking(StateWithHistory(
                {"MARK NOT FOUND", "MARK NOT FOUND", "MARK NOT FOUND"})),
            "5.5");
  EXPECT_EQ(DifficultyAfterMarking(StateWithHistory(std::vector<std::string>(6, "MARK NOT FOUND"))),
            "5.5");
}

TEST(MarkRecoveryStatus, RecoveryPhrasesCancelOnlyEarlierReports) {
  // Not found, found again, not found again: only the last report counts.
  EXPECT_EQ(DifficultyAfterMarking(StateWithHistory(
                {"MARK NOT FOUND", "RECOVERED IN GOOD CONDITION", "MARK NOT FOUND"})),
            "3.5");
  EXPECT_EQ(DifficultyAfterMarking(StateWithHistory({"MARK NOT FOUND", "FOUND AS DESCRIBED"})),
            "1.5");
  EXPECT_EQ(DifficultyAfterMarking(
                StateWithHistory({"MARK NOT FOUND", "MARK NOT FOUND", "RECOVERED IN GOOD CONDITION"})),
            "1.5");
  // A recovery before the first report plays no part.
  EXPECT_EQ(DifficultyAfterMarking(StateWithHistory({"FOUND AS DESCRIBED", "MARK NOT FOUND"})),
            "3.5");
}

TEST(MarkRecoveryStatus, LooksOnlyInsideTheBenchmarksRange) {
  WaypointFixture lost;
  lost.description = History({"MARK NOT FOUND"});
  WaypointFixture next;
  next.name = "KK1235";
  next.difficulty = "2";
  next.description = History({"RECOVERED IN GOOD CONDITION", "MARK NOT FOUND", "MARK NOT FOUND"});
  // The next waypoint's recovery does not cancel, nor do its reports count.
  EXPECT_EQ(DifficultyAfterMarking(StateFor({Waypoint(lost), Waypoint(next)})), "3.5");

  WaypointFixture good;
  good.description = History({"GOOD"});
  RunState state = StateFor({Waypoint(good), Waypoint(next)});
  const std::string before = state.ScanText;
  MarkRecoveryStatus(state);
  EXPECT_EQ(state.ScanText, before);  // the first report found lies past the range
}

TEST(MarkRecoveryStatus, RangeEndOfZeroMarksNothing) {
  RunState state = StateWithHistory({"MARK NOT FOUND"});
  state.BenchmarkEnd = 0;
  const std::string before = state.ScanText;
  MarkRecoveryStatus(state);
  EXPECT_EQ(state.ScanText, before);
}

TEST(MarkRecoveryStatus, ReplacesExactlyOneCharacterOfThisWaypointsDifficulty) {
  RunState state = StateWithHistory({"MARK NOT FOUND"});
  const std::string before = state.ScanText;
  MarkRecoveryStatus(state);
  ASSERT_EQ(state.ScanText.size(), before.size());
  std::size_t changed = 0;
  for (std::size_t i = 0; i < before.size(); ++i) changed += before[i] != state.ScanText[i];
  EXPECT_EQ(changed, 1u);
  EXPECT_EQ(RatingOf(state.ScanText, "KK1234", "difficulty"), '3');
}

TEST(MarkRecoveryStatus, LeavesADocumentWithoutDifficultyValueUntouched) {
  WaypointFixture missing;
  missing.has_difficulty = false;
  missing.description = History({"MARK NOT FOUND"});
  RunState state = StateFor({Waypoint(missing)});
  std::string before = state.ScanText;
  MarkRecoveryStatus(state);
  EXPECT_EQ(state.ScanText, before);

  // An empty value: writing over the end tag's "<" would break the markup.
  WaypointFixture empty;
  empty.difficulty = "";
  empty.description = History({"MARK NOT FOUND"});
  state = StateFor({Waypoint(empty)});
  before = state.ScanText;
  MarkRecoveryStatus(state);
  EXPECT_EQ(state.ScanText, before);
  EXPECT_TRUE(WellFormedXml(state.ScanText));
}

}  // namespace
}  // namespace velmora::testing
