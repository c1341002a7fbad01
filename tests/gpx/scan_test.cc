// The benchmark scan over whole GPX files, with a scripted listing website:
// edits per outcome, the result file after every benchmark, counts, pauses
// and the ways a scan ends.
#include "gpx/process_gpx_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/text.h"
#include "files/file_error.h"
#include "files/file_utils.h"
#include "gpx/benchmark_scan.h"
#include "gpx/benchmark_search.h"
#include "sources/listing_source.h"
#include "tests/gpx/scan_harness.h"

namespace velmora::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::StartsWith;
using ::testing::EndsWith;

const std::vector<PageLog> kTwoLogs = {
    {"Found It", "July 4, 2009", "alice", "Disk in good shape."},
    {"Didn't find it", "May 1, 2011", "bob", "Searched for an hour."}};

WaypointFixture Named(const std::string& name, const std::string& description = "") {
  WaypointFixture f;
  f.name = name;
  if (!description.empty()) f.description = description;
  return f;
}

std::string Document(const std::vector<WaypointFixture>& fixtures) {
  std::vector<std::string> waypoints;
  for (const WaypointFixture& f : fixtures) waypoints.push_back(Waypoint(f));
  return GpxDocument(waypoints);
}

// Five waypoints, one for each thing a benchmark can meet.
std::string MixedDocument() {
  WaypointFixture one_line = Named("KK1237 ONE LINE");
  one_line.logs = "";
  return Document({
      Named("KK1234", "KK1234 HISTORY - 1995 MARK NOT FOUND NGS"),
      Named("KK1235 RESET 2", "MARK NOT FOUND 1990\nMARK NOT FOUND 2001"),
      Named("PARK"),
      Named("KK1236", WithAsteriskRun("KK1236 GOOD", "KK1236 MARK NOT FOUND (superseded)")),
      one_line,
  });
}

void AnswerMixed(ScanHarness& scan) {
  scan.AnswerLogs("KK1234", kTwoLogs);
  scan.Answer("KK1235", NoBenchmarkPage());
  scan.Answer("KK1236", NoLogsPage("KK1236"));
  scan.AnswerLogs("KK1237", {PageLog{}});
}

TEST(Scan, EditsEachBenchmarkByItsOutcome) {
  ScanHarness scan;
  scan.Choose(MixedDocument());
  AnswerMixed(scan);
  ProcessGPXfile(scan.fake.run);

  EXPECT_THAT(scan.FetchedPids(), ElementsAre("KK1234", "KK1235", "KK1236", "KK1237"));
  EXPECT_THAT(scan.fake.progress.counts, ElementsAre(1, 2, 3, 4));
  EXPECT_TRUE(scan.fake.state.RunFinished);
  EXPECT_EQ(scan.fake.run.outcome, RunOutcome::kNoWaypointLeft);
  EXPECT_THAT(scan.fake.messages.shown, IsEmpty());
  const std::string result = scan.Result();
  EXPECT_EQ(result, scan.fake.state.DocumentText);

  // Logs found: name lengthened, logs in the zone, one report marks "3".
  EXPECT_EQ(NameOf(result, "KK1234"), "KK1234 CAMP HILL");
  const std::string zone = LogZoneOf(result, "KK1234");
  EXPECT_THAT(zone, StartsWith("\r\r\n    <groundspeak:log id=\"0000001\">\r\n"));
  EXPECT_THAT(zone, HasSubstr("<groundspeak:log id=\"0000002\">"));
  EXPECT_THAT(zone, HasSubstr(">bob</groundspeak:finder>"));
  EXPECT_THAT(zone, EndsWith("    </groundspeak:log>\r\n   "));
  EXPECT_EQ(RatingOf(result, "KK1234", "difficulty"), '3');
  EXPECT_EQ(RatingOf(result, "KK1234", "terrain"), '1');
  // No such benchmark: terrain "4", zone untouched; two reports mark "4".
  EXPECT_EQ(RatingOf(result, "KK1235", "terrain"), '4');
  EXPECT_EQ(LogZoneOf(result, "KK1235"), "\r\n      ");
  EXPECT_EQ(RatingOf(result, "KK1235", "difficulty"), '4');
  EXPECT_EQ(NameOf(result, "KK1235"), "KK1235 RESET 2");
  // No logs: terrain "3"; the report behind the asterisk run is not counted.
  EXPECT_EQ(RatingOf(result, "KK1236", "terrain"), '3');
  EXPECT_EQ(RatingOf(result, "KK1236", "difficulty"), '1');
  // The one-line zone gets the block right after its start tag.
  EXPECT_THAT(LogZoneOf(result, "KK1237"), StartsWith("\r\n    <groundspeak:log id=\"0000001\">"));
  // Datasheet links point at the listing pages.
  EXPECT_THAT(result, HasSubstr("http://127.0.0.1:8080/mark/details.aspx?PID=KK1236\""));
  EXPECT_THAT(result, Not(HasSubstr("ds_mark.prl")));
  std::string why;
  EXPECT_TRUE(WellFormedXml(result, &why)) << why;
}

TEST(Scan, RerunOverAResultFileGivesTheSameResult) {
  ScanHarness first;
  first.Choose(MixedDocument());
  AnswerMixed(first);
  ProcessGPXfile(first.fake.run);

  ScanHarness again;
  again.Choose(first.Result(), "quads R.gpx");
  AnswerMixed(again);
  ProcessGPXfile(again.fake.run);
  EXPECT_THAT(again.fake.progress.counts, ElementsAre(1, 2, 3, 4));
  // Names are not lengthened twice, old logs are replaced, marks set again.
  // The zone that was written on one line keeps the line break that the
  // block brought into it, as every other zone does.
  const std::string one_line_zone = LogZoneOf(first.Result(), "KK1237");
  ASSERT_THAT(one_line_zone, StartsWith("\r\n"));
  EXPECT_EQ(again.Result(),
            ReplaceAll(first.Result(), one_line_zone, "\r" + one_line_zone));
  EXPECT_TRUE(WellFormedXml(again.Result()));
}

// Reads the result file each time the count is set.
class SnapshotProgress : public Progress {
 public:
  explicit SnapshotProgress(const ScanHarness& scan) : scan_(scan) {}
  void SetCount(int count) override {
    counts.push_back(count);
    snapshots.push_back(scan_.Result());
  }
  std::vector<int> counts;
  std::vector<std::string> snapshots;

 private:
  const ScanHarness& scan_;
};

TEST(Scan, ResultFileIsWrittenAfterEveryBenchmark) {
  ScanHarness scan;
  scan.Choose(Document({Named("KK1234"), Named("KK1235 B"), Named("KK1236 C")}));
  scan.AnswerLogs("KK1234", {{"Found It", "July 4, 2009", "alice", "First."}});
  scan.AnswerLogs("KK1235", {{"Found It", "July 5, 2009", "carol", "Second."}});
  scan.Answer("KK1236", NoLogsPage("KK1236"));
  SnapshotProgress progress(scan);
  FakeRun& f = scan.fake;
  velmora::Run run{f.state, f.settings, Edges{f.pages, f.clock, f.pump, f.messages, progress}};
  run.source = MakeLogsSource(f.settings);
  ProcessGPXfile(run);

  ASSERT_THAT(progress.counts, ElementsAre(1, 2, 3));
  EXPECT_THAT(progress.snapshots[0], HasSubstr(">alice<"));
  EXPECT_THAT(progress.snapshots[0], Not(HasSubstr(">carol<")));
  EXPECT_EQ(RatingOf(progress.snapshots[1], "KK1236", "terrain"), '1');
  EXPECT_THAT(progress.snapshots[1], HasSubstr(">carol<"));
  EXPECT_EQ(RatingOf(progress.snapshots[2], "KK1236", "terrain"), '3');
  for (const std::string& snapshot : progress.snapshots) EXPECT_TRUE(WellFormedXml(snapshot));
}

TEST(Scan, NoPageAtTheThirdBenchmarkKeepsTheFirstTwo) {
  ScanHarness scan;
  scan.fake.settings.pause_scale = 0;  // the patient fetch gives up at once
  scan.Choose(Document({Named("KK1234"), Named("KK1235"), Named("KK1236"), Named("KK1237")}));
  scan.AnswerLogs("KK1234", kTwoLogs);
  scan.Answer("KK1235", NoBenchmarkPage());
  ProcessGPXfile(scan.fake.run);

  EXPECT_THAT(scan.fake.progress.counts, ElementsAre(1, 2));
  EXPECT_TRUE(scan.fake.state.RunFinished);
  EXPECT_EQ(scan.fake.run.outcome, RunOutcome::kNoPage);
  ASSERT_EQ(scan.fake.messages.shown.size(), 1u);
  EXPECT_EQ(scan.fake.messages.shown[0].title, "Cannot Continue");
  const std::string result = scan.Result();
  EXPECT_THAT(LogZoneOf(result, "KK1234"), HasSubstr(">alice<"));
  EXPECT_EQ(RatingOf(result, "KK1235", "terrain"), '4');
  // The third benchmark's new name stayed in memory.
  EXPECT_EQ(NameOf(result, "KK1236"), "KK1236");
  EXPECT_EQ(NameOf(scan.fake.state.DocumentText, "KK1236"), "KK1236 CAMP HILL");
  EXPECT_THAT(scan.FetchedPids(), Not(::testing::Contains("KK1237")));
}

TEST(Scan, FaultyListingIsSkippedAndNotCounted) {
  WaypointFixture faulty = Named("KK1234");
  faulty.has_listing_name = false;
  WaypointFixture after = Named("KK1235 LONG NAME");
  after.has_listing_name = false;
  ScanHarness scan;
  scan.Choose(Document({Named("KK1233 FIRST"), faulty, after}));
  scan.AnswerLogs("KK1233", kTwoLogs);
  scan.AnswerLogs("KK1235", kTwoLogs);
  ProcessGPXfile(scan.fake.run);

  EXPECT_THAT(scan.FetchedPids(), ElementsAre("KK1233", "KK1235"));
  EXPECT_THAT(scan.fake.progress.counts, ElementsAre(1, 2));
  EXPECT_THAT(scan.fake.messages.texts(),
              ElementsAre(FaultyListingMessage("KK1234")));
  EXPECT_EQ(LogZoneOf(scan.Result(), "KK1234"), "\r\n      ");
  EXPECT_THAT(LogZoneOf(scan.Result(), "KK1235"), HasSubstr(">alice<"));
}

TEST(Scan, WaypointsWithoutLogZoneArePassedOverAndWriteNothing) {
  WaypointFixture no_zone = Named("KK1234");
  no_zone.has_logs = false;
  WaypointFixture next = Named("KK1235 B");
  next.has_logs = false;
  ScanHarness scan;
  scan.Choose(Document({no_zone, next}));
  ProcessGPXfile(scan.fake.run);

  // Nothing left to fetch: the document is left alone, and says so.
  EXPECT_THAT(scan.fake.messages.texts(), ElementsAre(kNoBenchmarkText));
  EXPECT_THAT(scan.fake.pages.requests, IsEmpty());
  EXPECT_THAT(scan.fake.progress.counts, IsEmpty());
  EXPECT_FALSE(scan.ResultExists());
  EXPECT_FALSE(scan.fake.state.RunFinished);
  EXPECT_EQ(scan.fake.run.outcome, RunOutcome::kNoBenchmark);
}

TEST(Scan, NamesWithoutAPidArePassedOverAndAnEmptyElementLogZoneGetsTheLogs) {
  WaypointFixture empty = Named("KK1234 EMPTY");
  empty.logs = "";
  WaypointFixture spaced = Named("KK1235 SPACED");
  spaced.logs = "";
  std::string cache = Waypoint(Named("GC7FA4"));
  std::string document = Document({empty, Named("GCGCA8"), spaced, Named("KK12345")});
  const std::string zone = "<groundspeak:logs></groundspeak:logs>";
  document.replace(document.find(zone), zone.size(), "<groundspeak:logs/>");
  document.replace(document.find(zone), zone.size(), "<groundspeak:logs />");
  document.insert(document.find("</gpx>"), cache);
  ScanHarness scan;
  scan.Choose(document);
  scan.AnswerLogs("KK1234", kTwoLogs);
  scan.AnswerLogs("KK1235", kTwoLogs);
  ProcessGPXfile(scan.fake.run);

  EXPECT_THAT(scan.FetchedPids(), ElementsAre("KK1234", "KK1235"));
  EXPECT_EQ(scan.fake.state.BenchmarkTotal, 2);
  const std::string result = scan.Result();
  RewriteDatasheetLinks(cache, scan.fake.settings);  // as the whole document's
  EXPECT_THAT(result, HasSubstr(cache));
  EXPECT_THAT(LogZoneOf(result, "KK1234"), HasSubstr(">alice<"));
  EXPECT_THAT(LogZoneOf(result, "KK1235"), HasSubstr(">alice<"));
  EXPECT_TRUE(WellFormedXml(result));
}

TEST(ScanPause, QuickInAnyCaseAndAloneHalvesThePause) {
  EXPECT_EQ(ScanPause(PaceOf("")), 5.0f);
  EXPECT_EQ(ScanPause(PaceOf("quick")), 2.5f);
  EXPECT_EQ(ScanPause(PaceOf("QUICK")), 2.5f);
  EXPECT_EQ(ScanPause(PaceOf("Quick")), 2.5f);
  EXPECT_EQ(ScanPause(PaceOf("quick please")), 5.0f);
  EXPECT_EQ(ScanPause(PaceOf(" quick")), 5.0f);
}

TEST(Scan, QuickHalvesThePauseAfterEveryBenchmark) {
  auto elapsed = [](const std::string& command_line) {
    ScanHarness scan;
    scan.fake.clock.default_random = 0;  // the shortest pause: 2/3 of the base
    scan.fake.run.pace = PaceOf(command_line);
    scan.Choose(Document({Named("KK1234 A"), Named("KK1235 B")}));
    scan.AnswerLogs("KK1234", kTwoLogs);
    scan.AnswerLogs("KK1235", kTwoLogs);
    ProcessGPXfile(scan.fake.run);
    return scan.fake.clock.elapsed();
  };
  EXPECT_NEAR(elapsed(""), 2 * 5.0 * 2 / 3, 0.2);
  EXPECT_NEAR(elapsed("QUICK"), 2 * 2.5 * 2 / 3, 0.2);
}

TEST(Scan, FailuresOfTheFrontEndAndTheDiskPassUp) {
  struct ClosedWindow : Progress {
    void SetCount(int) override { throw std::runtime_error("main window closed"); }
  } closed;
  ScanHarness scan;
  scan.Choose(Document({Named("KK1234 A"), Named("KK1235 B")}));
  scan.AnswerLogs("KK1234", kTwoLogs);
  FakeRun& f = scan.fake;
  velmora::Run run{f.state, f.settings, Edges{f.pages, f.clock, f.pump, f.messages, closed}};
  run.source = MakeLogsSource(f.settings);
  EXPECT_THROW(ProcessGPXfile(run), std::runtime_error);
  EXPECT_THAT(LogZoneOf(scan.Result(), "KK1234"), HasSubstr(">alice<"));
  EXPECT_THAT(scan.FetchedPids(), ElementsAre("KK1234"));

  ScanHarness blocked;
  blocked.Choose(Document({Named("KK1234 A")}));
  blocked.AnswerLogs("KK1234", kTwoLogs);
  std::filesystem::create_directory(blocked.dir / "quads R.gpx");
  EXPECT_THROW(ProcessGPXfile(blocked.fake.run), FileError);
  EXPECT_THAT(blocked.fake.progress.counts, IsEmpty());
}

}  // namespace
}  // namespace velmora::testing
