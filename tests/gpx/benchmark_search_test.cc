// The search for the next benchmark: names, listing names, log zones,
// description ranges, and damaged documents that must stop the scan.
#include "gpx/benchmark_search.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text.h"
#include "tests/gpx/gpx_fixtures.h"
#include "tests/support/fakes.h"

namespace velmora::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

WaypointFixture Named(const std::string& name, const std::string& listing = "CAMP HILL") {
  WaypointFixture f;
  f.name = name;
  f.listing_name = listing;
  return f;
}

class FindNextBenchmarkTest : public ::testing::Test {
 protected:
  void Load(const std::string& document) {
    fake.state.DocumentText = document;
    cursor = StartOfScan(fake.state);
  }
  void LoadWaypoints(const std::vector<WaypointFixture>& fixtures) {
    std::vector<std::string> waypoints;
    for (const WaypointFixture& f : fixtures) waypoints.push_back(Waypoint(f));
    Load(GpxDocument(waypoints));
  }
  FindOutcome Next() { return FindNextBenchmark(fake.run, cursor); }
  const std::string& text() const { return fake.state.DocumentText; }

  FakeRun fake;
  ScanCursor cursor;
};

TEST_F(FindNextBenchmarkTest, DocumentsWithoutWaypointNamesHaveNoBenchmark) {
  Load("<?xml version=\"1.0\"?>\r\n" + GpxRootTag() + "\r\n</gpx>\r\n");
  EXPECT_EQ(Next(), FindOutcome::kNoWaypointLeft);
  EXPECT_FALSE(fake.state.MoreBenchmarks);

  // The file's own long name is no benchmark, with or without waypoints.
  fake.state.MoreBenchmarks = true;
  Load(GpxDocument({}));
  EXPECT_EQ(Next(), FindOutcome::kNoWaypointLeft);
  EXPECT_FALSE(fake.state.MoreBenchmarks);
  EXPECT_THAT(fake.messages.shown, IsEmpty());
}

TEST_F(FindNextBenchmarkTest, HeaderNamesAndShortNamesArePassedOverSilently) {
  LoadWaypoints({Named("A"), Named("AB123"), Named("KK1234 CAMP HILL")});
  ASSERT_EQ(Next(), FindOutcome::kReady);
  EXPECT_EQ(fake.state.CurrentPID, "KK1234");
  EXPECT_EQ(Mid(text(), fake.state.NameEndPos, 7), "</name>");
  EXPECT_EQ(NameOf(text(), "KK1234"), "KK1234 CAMP HILL");  // 7 or more: unchanged
  EXPECT_THAT(fake.messages.shown, IsEmpty());
  EXPECT_EQ(Next(), FindOutcome::kNoWaypointLeft);
}

TEST_F(FindNextBenchmarkTest, SixCharacterNamesAreLengthenedOnceAndTheScanMovesOn) {
  LoadWaypoints({Named("KK1234", "CAMP HILL"), Named("KK1235", "RESET 2")});
  ASSERT_EQ(Next(), FindOutcome::kReady);
  EXPECT_EQ(NameOf(text(), "KK1234"), "KK1234 CAMP HILL");
  ASSERT_EQ(Next(), FindOutcome::kReady);
  EXPECT_EQ(fake.state.CurrentPID, "KK1235");
  EXPECT_EQ(NameOf(text(), "KK1235"), "KK1235 RESET 2");
  EXPECT_EQ(NameOf(text(), "KK1234"), "KK1234 CAMP HILL");
  EXPECT_EQ(Next(), FindOutcome::kNoWaypointLeft);
}

TEST_F(FindNextBenchmarkTest, AListingNameHoldingANameIsNotTakenForAWaypointAgain) {
  // The appended listing name brings a "<name>" along; were the next search
  // to start inside it, every benchmark found there would append it again.
  Load("<gpx version=\"1.1\" creator=\"t\"><wpt><name>KK1234</name>"
       "<groundspeak:name><name>ABCDEF</name></groundspeak:name>"
       "<groundspeak:long_description>x</groundspeak:long_description>"
       "<groundspeak:logs>\r\n</groundspeak:logs></wpt></gpx>");
  ASSERT_EQ(Next(), FindOutcome::kReady);
  EXPECT_EQ(fake.state.CurrentPID, "KK1234");
  EXPECT_EQ(Mid(text(), fake.state.NameEndPos, 7), "</name>");
  int more = 0;
  while (Next() == FindOutcome::kReady && more < 5) ++more;
  EXPECT_EQ(more, 0);
  EXPECT_EQ(NameOf(text(), "KK1234"), "KK1234 <name>ABCDEF");  // lengthened once
}

TEST_F(FindNextBenchmarkTest, FaultyListingIsSkippedWithAMessage) {
  WaypointFixture faulty = Named("KK1234");
  faulty.has_listing_name = false;
  WaypointFixture named = Named("KK1235 RESET 2");
  named.has_listing_name = false;
  LoadWaypoints({faulty, named});
  const std::string before = cursor.source;
  ASSERT_EQ(Next(), FindOutcome::kReady);
  EXPECT_EQ(fake.state.CurrentPID, "KK1235");
  EXPECT_EQ(text(), before.substr(0, text().size()));  // up to the second waypoint's end
  EXPECT_THAT(fake.messages.texts(),
              ElementsAre("There's something wrong with the benchmark listing 'KK1234'. It "
                          "should be removed from the GPX file and started again."));
  EXPECT_EQ(fake.messages.shown[0].title, "");
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::kNone);
}

TEST_F(FindNextBenchmarkTest, RangeEndsAtTheDescriptionEndOrAnEarlierAsteriskRun) {
  WaypointFixture plain = Named("KK1234 A");
  WaypointFixture split = Named("KK1235 B");
  split.description = WithAsteriskRun("KK1235 MARK NOT FOUND", "SUPERSEDED SURVEY CONTROL");
  WaypointFixture longer = Named("KK1236 C");
  longer.description = "KK1236 DESIGNATION\n" + std::string(90, '*') + "\nMORE";
  LoadWaypoints({plain, split, longer});

  ASSERT_EQ(Next(), FindOutcome::kReady);  // the next waypoint's asterisks do not count
  EXPECT_EQ(Mid(text(), fake.state.BenchmarkEnd, 32), "</groundspeak:long_description>\r");
  ASSERT_EQ(Next(), FindOutcome::kReady);
  EXPECT_EQ(Mid(text(), fake.state.BenchmarkEnd - 1, 71), "\n" + std::string(70, '*'));
  ASSERT_EQ(Next(), FindOutcome::kReady);
  EXPECT_EQ(Mid(text(), fake.state.BenchmarkEnd - 1, 2), "\n*");
  EXPECT_THAT(fake.messages.shown, IsEmpty());
}

TEST_F(FindNextBenchmarkTest, MissingDescriptionEndIsReportedAndTheBenchmarkGoesOn) {
  WaypointFixture f = Named("KK1234 A");
  f.has_description_end = false;
  f.description = WithAsteriskRun("KK1234 MARK NOT FOUND", "TAIL");
  LoadWaypoints({f});
  EXPECT_EQ(Next(), FindOutcome::kReady);
  EXPECT_EQ(fake.state.BenchmarkEnd, 0);
  EXPECT_THAT(fake.messages.texts(), ElementsAre("Error --- End of Benchmark = 0"));
}

TEST_F(FindNextBenchmarkTest, WaypointWithoutLogZoneIsPassedOverFirst) {
  WaypointFixture f = Named("KK1234");  // 6 characters, yet not lengthened
  f.has_logs = false;
  LoadWaypoints({f});
  const std::string loaded = cursor.source;
  struct Heard : Progress {
    void SetCount(int) override {}
    void PassedOver(const std::string& name) override { names.push_back(name); }
    std::vector<std::string> names;
  } heard;
  velmora::Run run{fake.state, fake.settings,
          Edges{fake.pages, fake.clock, fake.pump, fake.messages, heard}};
  EXPECT_EQ(FindNextBenchmark(run, cursor), FindOutcome::kNoWaypointLeft);
  EXPECT_EQ(text(), loaded);
  EXPECT_THAT(heard.names, ElementsAre("KK1234"));
  EXPECT_THAT(fake.messages.shown, IsEmpty());
}

TEST_F(FindNextBenchmarkTest, DamagedDocumentsStopWithAMessageAndStayIntact) {
  struct Case {
    const char* what;
    std::string document;
    const char* message_part;
  };
  WaypointFixture unclosed_zone = Named("KK1234 A");
  unclosed_zone.logs_closed = false;
  WaypointFixture unclosed_listing = Named("KK1234");
  const std::string good = Waypoint(Named("KK1235 B"));
  const std::vector<Case> cases = {
      {"unclosed <name>",
       ReplaceAll(GpxDocument({Waypoint(Named("KK1234 A")), good}), "KK1234 A</name>", "KK1234 A"),
       "has no </name>"},
      {"unclosed <wpt> at the end", GpxDocument({}) + "<wpt><name>KK1234", "has no </wpt>"},
      {"unclosed log zone", GpxDocument({Waypoint(unclosed_zone), good}),
       "has no </groundspeak:logs>"},
      {"unclosed listing name",
       ReplaceAll(GpxDocument({Waypoint(unclosed_listing)}), "</groundspeak:name>", ""),
       "has no </groundspeak:name>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fake.messages.shown.clear();
    Load(c.document);
    EXPECT_EQ(Next(), FindOutcome::kMalformed);
    EXPECT_EQ(text(), c.document);
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_THAT(fake.messages.shown[0].text, HasSubstr(c.message_part));
    EXPECT_THAT(fake.messages.shown[0].text, HasSubstr("the scan stops"));
  }
}

}  // namespace
}  // namespace velmora::testing
