// Loading the chosen file, the GPX 1.1 check, and damaged documents during
// a scan: the run stops or steps around them, never hangs, never corrupts.
#include "gpx/process_gpx_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text.h"
#include "tests/gpx/scan_harness.h"

namespace velmora::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

const std::vector<PageLog> kOneLog = {PageLog{}};

// `text` as the loading step leaves it: datasheet links rewritten.
std::string Loaded(std::string text, const ScanHarness& scan) {
  RewriteDatasheetLinks(text, scan.fake.settings);
  return text;
}

WaypointFixture Named(const std::string& name) {
  WaypointFixture f;
  f.name = name;
  return f;
}

TEST(LoadDocument, GpxVersionsOneZeroAndOneOneAreScannedOthersLeftAlone) {
  const std::string body = Waypoint(Named("KK1234 A")) + "</gpx>\r\n";
  struct Case {
    std::string root;
    bool scanned;
  };
  const std::vector<Case> cases = {
      {"<gpx version=\"1.1\" creator=\"Export\">", true},
      {"<gpx version=\"1.1\"  creator=\"Export\">", true},
      {"<gpx creator=\"Export\" version=\"1.1\">", true},
      {"<gpx version=\"1.0\" creator=\"Export\">", true},
      {"<gpx version='1.0' creator='Export'>", true},
      {"<gpx version=\"1.2\" creator=\"Export\">", false},
      {"<gpx creator=\"version=&quot;1.1&quot;\">", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.root);
    ScanHarness scan;
    const std::string document = "<?xml version=\"1.0\"?>\r\n" + c.root + "\r\n" + body;
    scan.Choose(document);
    scan.AnswerLogs("KK1234", kOneLog);
    ProcessGPXfile(scan.fake.run);
    EXPECT_EQ(scan.fake.state.RunFinished, c.scanned);
    EXPECT_EQ(scan.ResultExists(), c.scanned);
    EXPECT_EQ(scan.fake.pages.requests.size(), c.scanned ? 1u : 0u);
    EXPECT_EQ(scan.fake.run.outcome,
              c.scanned ? RunOutcome::kNoWaypointLeft : RunOutcome::kNotGpx);
    if (c.scanned) {
      EXPECT_THAT(scan.fake.messages.shown, IsEmpty());
      EXPECT_THAT(LogZoneOf(scan.Result(), "KK1234"), HasSubstr("<groundspeak:log id="));
    } else {
      EXPECT_THAT(scan.fake.messages.texts(), ElementsAre(kNotGpxText));
      EXPECT_EQ(scan.fake.messages.shown[0].icon, MessageIcon::kWarning);
      EXPECT_EQ(scan.fake.state.DocumentText, Loaded(document, scan));
    }
  }
}

TEST(LoadDocument, NoNameEndsTheScanAtOnce) {
  ScanHarness scan;
  scan.Choose("<?xml version=\"1.0\"?>\r\n" + GpxRootTag() + "\r\n</gpx>\r\n");
  ProcessGPXfile(scan.fake.run);
  // A document without a benchmark is left alone.
  EXPECT_FALSE(scan.fake.state.RunFinished);
  EXPECT_EQ(scan.fake.run.outcome, RunOutcome::kNoBenchmark);
  EXPECT_FALSE(scan.ResultExists());
  EXPECT_THAT(scan.fake.pages.requests, IsEmpty());
  EXPECT_THAT(scan.fake.progress.counts, IsEmpty());
}

TEST(LoadDocument, OwnNameOfTheFileIsNoBenchmark) {
  // Without the mend, "Quads1" (6 characters) would be fetched and take the
  // first waypoint's listing name.
  ScanHarness scan;
  std::string document = ReplaceAll(GpxDocument({Waypoint(Named("KK1234"))}),
                                    "Benchmarks near Denver", "Quads1");
  scan.Choose(document);
  scan.AnswerLogs("KK1234", kOneLog);
  ProcessGPXfile(scan.fake.run);
  EXPECT_THAT(scan.FetchedPids(), ElementsAre("KK1234"));
  EXPECT_THAT(scan.fake.progress.counts, ElementsAre(1));
  EXPECT_THAT(scan.Result(), HasSubstr("<name>Quads1</name>"));
  EXPECT_EQ(NameOf(scan.Result(), "KK1234"), "KK1234 CAMP HILL");
}

// The scan over a good benchmark followed by a damaged part: the first is
// completed and written, the run stops at the damage with one message, and
// the damaged part reaches the result file as it was.
std::string DocumentWithDamage(const std::string& damaged_tail) {
  const std::string good = GpxDocument({Waypoint(Named("KK1233 GOOD"))});
  const std::string head = good.substr(0, good.size() - std::string("</gpx>\r\n").size());
  return head + damaged_tail + "</gpx>\r\n";
}

void ExpectStopAtDamage(const std::string& damaged_tail, const std::string& message_part) {
  ScanHarness scan;
  scan.Choose(DocumentWithDamage(damaged_tail));
  scan.AnswerLogs("KK1233", kOneLog);
  scan.AnswerLogs("KK1234", kOneLog);
  ProcessGPXfile(scan.fake.run);

  EXPECT_TRUE(scan.fake.state.RunFinished);
  EXPECT_EQ(scan.fake.run.outcome, RunOutcome::kMalformed);
  EXPECT_THAT(scan.FetchedPids(), ElementsAre("KK1233"));
  EXPECT_THAT(scan.fake.progress.counts, ElementsAre(1));
  ASSERT_EQ(scan.fake.messages.shown.size(), 1u);
  EXPECT_THAT(scan.fake.messages.shown[0].text, HasSubstr(message_part));
  const std::string result = scan.Result();
  EXPECT_THAT(LogZoneOf(result, "KK1233"), HasSubstr("<groundspeak:log id=\"0000001\">"));
  EXPECT_THAT(result, EndsWith(Loaded(damaged_tail, scan) + "</gpx>\r\n"));
}

TEST(DamagedDocument, UnclosedNameStopsTheRunNamingWhereItStandsInTheFile) {
  // Counted in the file as loaded: the logs the run adds in front do not move it.
  ExpectStopAtDamage(ReplaceAll(Waypoint(Named("KK1234 B")), "KK1234 B</name>", "KK1234 B"),
                     "The <name> at line 40, column 5 has no </name>.");
}

TEST(DamagedDocument, UnclosedLogZoneStopsTheRun) {
  WaypointFixture f = Named("KK1234 B");
  f.logs_closed = false;
  ExpectStopAtDamage(Waypoint(f) + Waypoint(Named("KK1235 C")), "has no </groundspeak:logs>");
}

TEST(DamagedDocument, UnclosedListingNameStopsTheRun) {
  ExpectStopAtDamage(ReplaceAll(Waypoint(Named("KK1234")), "</groundspeak:name>", ""),
                     "has no </groundspeak:name>");
}

TEST(DamagedDocument, MissingRatingsAreLeftAloneAndTheRunGoesOn) {
  // The last waypoint needs a terrain mark (no such benchmark) and a
  // difficulty mark (a report); the rating it lacks stays missing.
  WaypointFixture no_terrain = Named("KK1235 NO TERRAIN");
  no_terrain.has_terrain = false;
  no_terrain.description = "MARK NOT FOUND";
  WaypointFixture no_difficulty = Named("KK1236 NO DIFFICULTY");
  no_difficulty.has_difficulty = false;
  no_difficulty.description = "MARK NOT FOUND";
  struct Case {
    WaypointFixture last;
    std::string rating_set;  // the edit that is still made
  };
  for (const auto& [last, rating_set] :
       {Case{no_terrain, "<groundspeak:difficulty>3.5<"}, Case{no_difficulty, "<groundspeak:terrain>4<"}}) {
    SCOPED_TRACE(last.name);
    ScanHarness scan;
    const std::string document = GpxDocument({Waypoint(Named("KK1234 A")), Waypoint(last)});
    scan.Choose(document);
    scan.AnswerLogs("KK1234", kOneLog);
    scan.Answer(Left(last.name, 6), NoBenchmarkPage());
    ProcessGPXfile(scan.fake.run);
    EXPECT_THAT(scan.fake.progress.counts, ElementsAre(1, 2));
    EXPECT_EQ(scan.fake.run.outcome, RunOutcome::kNoWaypointLeft);
    const std::string result = scan.Result();
    // The last waypoint is written as it was loaded, but for the one edit.
    const std::string loaded = Loaded(document, scan);
    std::string tail = Mid(loaded, InStr(1, loaded, "<name>" + last.name));
    tail = ReplaceAll(tail, "<groundspeak:difficulty>1.5<", "<groundspeak:difficulty>3.5<");
    tail = ReplaceAll(tail, "<groundspeak:terrain>1<", "<groundspeak:terrain>4<");
    EXPECT_THAT(tail, HasSubstr(rating_set));
    EXPECT_THAT(result, EndsWith(tail));
    EXPECT_TRUE(WellFormedXml(result));
  }
}

}  // namespace
}  // namespace velmora::testing
