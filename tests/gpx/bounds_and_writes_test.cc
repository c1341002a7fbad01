// Each waypoint's own element bounds every search made for it, and the
// result file's writes: paced by their own cost on the run's clock (per
// benchmark when writes are quick, at most once a second for the archive
// source), and at every stop.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "core/text.h"
#include "gpx/benchmark_search.h"
#include "gpx/process_gpx_file.h"
#include "tests/gpx/scan_harness.h"

namespace velmora::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

const std::vector<PageLog> kOneLog = {PageLog{}};

WaypointFixture Named(const std::string& name) {
  WaypointFixture f;
  f.name = name;
  return f;
}

// A user's own waypoint: no cache data at all.
std::string UserWaypoint(const std::string& name) {
  return "  <wpt lat=\"39.7\" lon=\"-105.0\">\r\n    <name>" + name +
         "</name>\r\n    <sym>Parking Area</sym>\r\n  </wpt>\r\n";
}

std::string Loaded(std::string text, const ScanHarness& scan) {
  RewriteDatasheetLinks(text, scan.fake.settings);
  return text;
}

struct HeardProgress : RecordingProgress {
  void PassedOver(const std::string& name) override { passed_over.push_back(name); }
  std::vector<std::string> passed_over;
};

TEST(WaypointBounds, WaypointsWithoutLogZoneArePassedOverWholeAndTheNextBenchmarkKeepsItsData) {
  WaypointFixture no_zone = Named("KK1233");
  no_zone.has_logs = false;
  no_zone.description = "MARK NOT FOUND";
  const std::string user = UserWaypoint("Parking at trailhead");
  const std::string lacking = Waypoint(no_zone);
  ScanHarness scan;
  const std::string document = GpxDocument({user, lacking, Waypoint(Named("KK1234"))});
  scan.Choose(document);
  scan.AnswerLogs("KK1234", kOneLog);
  scan.Answer("Parkin", NoBenchmarkPage());
  HeardProgress heard;
  FakeRun& f = scan.fake;
  velmora::Run run{f.state, f.settings, Edges{f.pages, f.clock, f.pump, f.messages, heard}};
  run.source = MakeLogsSource(f.settings);
  ProcessGPXfile(run);

  EXPECT_THAT(scan.FetchedPids(), ElementsAre("KK1234"));
  EXPECT_THAT(heard.counts, ElementsAre(1));
  EXPECT_THAT(heard.passed_over, ElementsAre("Parking at trailhead", "KK1233"));
  EXPECT_THAT(f.messages.shown, IsEmpty());
  EXPECT_EQ(run.outcome, RunOutcome::kNoWaypointLeft);
  const std::string result = scan.Result();
  // Both are written as loaded; the benchmark's own terrain, difficulty and
  // zone took its own data only.
  EXPECT_THAT(result, HasSubstr(Loaded(user + lacking, scan)));
  EXPECT_EQ(RatingOf(result, "KK1234", "terrain"), '1');
  EXPECT_EQ(RatingOf(result, "KK1234", "difficulty"), '1');
  EXPECT_THAT(LogZoneOf(result, "KK1234"), HasSubstr("<groundspeak:log id=\"0000001\">"));
  EXPECT_EQ(f.state.BenchmarkTotal, 1);
}

TEST(WaypointBounds, NamesOutsideWaypointsAreNeverTaken) {
  ScanHarness scan;
  const std::string route =
      "  <rte><name>KK9999</name><rtept lat=\"1\" lon=\"2\"><name>KK9998</name></rtept></rte>\r\n"
      "  <trk><name>KK9997 TRACK</name></trk>\r\n";
  std::string document = GpxDocument({Waypoint(Named("KK1234 A"))});
  document.insert(document.find("</gpx>"), route);
  scan.Choose(document);
  scan.AnswerLogs("KK1234", kOneLog);
  ProcessGPXfile(scan.fake.run);
  EXPECT_THAT(scan.FetchedPids(), ElementsAre("KK1234"));
  EXPECT_THAT(scan.Result(), HasSubstr(route));
}

TEST(WaypointBounds, DescriptionRangeAndRatingsEndAtTheWaypointsEnd) {
  // The first waypoint lacks a description end, terrain and difficulty: the
  // second's must not be taken for them.
  WaypointFixture first = Named("KK1234 A");
  first.has_description_end = false;
  first.has_terrain = false;
  first.has_difficulty = false;
  first.description = "KK1234 MARK NOT FOUND";
  WaypointFixture second = Named("KK1235 B");
  second.description = "KK1235 MARK NOT FOUND";
  ScanHarness scan;
  scan.Choose(GpxDocument({Waypoint(first), Waypoint(second)}));
  scan.Answer("KK1234", NoBenchmarkPage());
  scan.AnswerLogs("KK1235", kOneLog);
  ProcessGPXfile(scan.fake.run);
  EXPECT_THAT(scan.fake.messages.texts(), ElementsAre("Error --- End of Benchmark = 0"));
  EXPECT_EQ(RatingOf(scan.Result(), "KK1235", "terrain"), '1');
  EXPECT_EQ(RatingOf(scan.Result(), "KK1235", "difficulty"), '3');  // its own report only
}

// A good benchmark, then damage inside the next waypoint: the run stops there
// with the first one written and the rest as loaded.
void ExpectStopAt(const std::string& damaged, const std::string& message_part) {
  ScanHarness scan;
  const std::string good = Waypoint(Named("KK1233 GOOD"));
  const std::string document = GpxDocument({good});
  const std::string head = document.substr(0, document.size() - std::string("</gpx>\r\n").size());
  scan.Choose(head + damaged + "</gpx>\r\n");
  scan.AnswerLogs("KK1233", kOneLog);
  scan.AnswerLogs("KK1234", kOneLog);
  ProcessGPXfile(scan.fake.run);
  EXPECT_EQ(scan.fake.run.outcome, RunOutcome::kMalformed);
  EXPECT_THAT(scan.FetchedPids(), ElementsAre("KK1233"));
  ASSERT_EQ(scan.fake.messages.shown.size(), 1u);
  EXPECT_THAT(scan.fake.messages.shown[0].text, HasSubstr(message_part));
  EXPECT_THAT(scan.Result(), ::testing::EndsWith(Loaded(damaged, scan) + "</gpx>\r\n"));
  EXPECT_EQ(scan.fake.state.DocumentText, scan.Result());
}

TEST(WaypointBounds, UnclosedWaypointIsADamagedDocument) {
  const std::string unclosed = ReplaceAll(Waypoint(Named("KK1234 B")), "</wpt>", "");
  ExpectStopAt(unclosed, "has no </wpt>");
  ExpectStopAt(unclosed + Waypoint(Named("KK1235 C")), "has no </wpt>");
}

TEST(WaypointBounds, LogZoneEndingOutsideItsWaypointIsADamagedDocument) {
  WaypointFixture open_zone = Named("KK1234 B");
  open_zone.logs_closed = false;
  ExpectStopAt(Waypoint(open_zone) + Waypoint(Named("KK1235 C")), "has no </groundspeak:logs>");
}

TEST(OutputSoFar, PiecesHoldTheCompletedWaypointsAndTheLoadedRest) {
  FakeRun fake;
  const std::string document =
      GpxDocument({Waypoint(Named("KK1234")), Waypoint(Named("KK1235 B"))});
  fake.state.DocumentText = document;
  ScanCursor cursor = StartOfScan(fake.state);
  auto joined = [&] {
    const auto pieces = cursor.Pieces(fake.state);
    return std::string(pieces[0]) + std::string(pieces[1]);
  };
  ASSERT_EQ(FindNextBenchmark(fake.run, cursor), FindOutcome::kReady);
  // The text in hand ends at the waypoint's end; its edits are not final yet.
  EXPECT_TRUE(fake.state.ScanText.ends_with("</wpt>"));
  EXPECT_EQ(NameOf(fake.state.ScanText, "KK1234"), "KK1234 CAMP HILL");
  EXPECT_EQ(joined(), document);
  KeepWaypoint(fake.state, cursor);
  const std::string kept = ReplaceAll(document, "<name>KK1234<", "<name>KK1234 CAMP HILL<");
  EXPECT_EQ(joined(), kept);
  ASSERT_EQ(FindNextBenchmark(fake.run, cursor), FindOutcome::kReady);
  EXPECT_EQ(fake.state.ScanText, kept.substr(0, fake.state.ScanText.size()));
  EXPECT_EQ(FindNextBenchmark(fake.run, cursor), FindOutcome::kNoWaypointLeft);
  EXPECT_EQ(fake.state.DocumentText, kept);
  EXPECT_EQ(joined(), kept);
}

// The scan gives back the memory of the document it has done as it goes:
// every byte of a document of some megabytes still reaches the result.
TEST(OutputSoFar, EveryByteOfALargeDocumentReachesTheResult) {
  ScanHarness scan;
  std::vector<std::string> waypoints;
  std::vector<std::string> descriptions;
  for (int i = 0; i < 8; ++i) {
    const std::string pid = "KK12" + std::to_string(10 + i);
    WaypointFixture waypoint = Named(pid + " X");
    waypoint.description = pid + std::string(400000, static_cast<char>('A' + i));
    descriptions.push_back(waypoint.description);
    waypoints.push_back(Waypoint(waypoint));
    scan.AnswerLogs(pid, kOneLog);
  }
  scan.Choose(GpxDocument(waypoints));
  ProcessGPXfile(scan.fake.run);
  const std::string result = scan.Result();
  EXPECT_EQ(result.find('\0'), std::string::npos);
  for (const std::string& description : descriptions) {
    EXPECT_NE(result.find(description), std::string::npos) << description.substr(0, 7);
  }
  EXPECT_EQ(result, scan.fake.state.DocumentText);
}

// Reads the result file each time the count is set, then lets `step` seconds
// pass on the clock.
class TimedProgress : public Progress {
 public:
  TimedProgress(const ScanHarness& scan, FakeClock& clock, double step)
      : scan_(scan), clock_(clock), step_(step) {}
  void SetCount(int) override {
    snapshots.push_back(scan_.ResultExists() ? scan_.Result() : "");
    clock_.Advance(step_);
  }
  std::vector<std::string> snapshots;

 private:
  const ScanHarness& scan_;
  FakeClock& clock_;
  double step_;
};

int LogCount(const std::string& result) {
  int count = 0;
  for (Pos at = InStr(1, result, "<groundspeak:log id="); at != 0;
       at = InStr(at + 1, result, "<groundspeak:log id=")) {
    ++count;
  }
  return count;
}

class PacedWrites : public ::testing::Test {
 protected:
  void Start(int benchmarks, double start_time) {
    std::vector<std::string> waypoints;
    std::string datasheets;  // one history row, so one log, per benchmark
    for (int i = 0; i < benchmarks; ++i) {
      const std::string pid = "KK12" + std::to_string(10 + i);
      waypoints.push_back(Waypoint(Named(pid + " X")));
      scan.AnswerLogs(pid, kOneLog);
      datasheets += " " + pid + "  HISTORY     - Date     Condition        Report By\r\n " + pid +
                    "  HISTORY     - 19540901 GOOD             CGS\r\n";
    }
    std::ofstream(scan.dir.path() / "datasheets.txt", std::ios::binary) << datasheets;
    scan.Choose(GpxDocument(waypoints));
    scan.fake.settings.pause_scale = 0;
    scan.fake.settings.log_source = LogSource::kDatasheet;
    scan.fake.settings.datasheet_file = "datasheets.txt";
    scan.fake.clock.Advance(start_time - scan.fake.clock.Timer());
  }
  std::vector<int> LogsSeen(const TimedProgress& progress) {
    std::vector<int> seen;
    for (const std::string& snapshot : progress.snapshots) seen.push_back(LogCount(snapshot));
    return seen;
  }
  ScanHarness scan;
};

class PacedFromStart : public PacedWrites, public ::testing::WithParamInterface<double> {};

TEST_P(PacedFromStart, ArchiveSourceWritesOnceASecondAndAfterTheLast) {
  {
    const double start = GetParam();
    Start(5, start);
    TimedProgress progress(scan, scan.fake.clock, 0.4);
    FakeRun& f = scan.fake;
    velmora::Run run{f.state, f.settings,
                     Edges{f.pages, f.clock, f.pump, f.messages, progress}};
    run.source = MakeLogsSource(f.settings);
    ProcessGPXfile(run);
    // 0.0: the first, written; 0.4, 0.8: not yet a second after it; 1.2:
    // written; 1.6: 0.4 after that.
    EXPECT_THAT(LogsSeen(progress), ElementsAre(1, 1, 1, 4, 4));
    EXPECT_EQ(LogCount(scan.Result()), 5);
    EXPECT_EQ(scan.Result(), f.state.DocumentText);
  }
}

// The second start crosses midnight, where the clock wraps.
INSTANTIATE_TEST_SUITE_P(Clock, PacedFromStart, ::testing::Values(43200.0, 86399.5));

TEST_F(PacedWrites, WebSourcesWriteAfterEveryBenchmark) {
  Start(3, 43200.0);
  scan.fake.settings.log_source = LogSource::kListing;  // pages from the web
  scan.fake.settings.datasheet_file.clear();
  TimedProgress progress(scan, scan.fake.clock, 0.0);
  FakeRun& f = scan.fake;
  velmora::Run run{f.state, f.settings, Edges{f.pages, f.clock, f.pump, f.messages, progress}};
  run.source = MakeLogsSource(f.settings);
  ProcessGPXfile(run);
  EXPECT_THAT(LogsSeen(progress), ElementsAre(1, 2, 3));
}

TEST_F(PacedWrites, AStopWritesEveryCompletedBenchmarkFirst) {
  Start(4, 43200.0);
  StoppingPump pump(2);
  FakeRun& f = scan.fake;
  velmora::Run run{f.state, f.settings, Edges{f.pages, f.clock, pump, f.messages, f.progress}};
  run.source = MakeLogsSource(f.settings);
  EXPECT_THROW(ProcessGPXfile(run), RunStopped);
  EXPECT_EQ(run.outcome, RunOutcome::kStopped);
  EXPECT_THAT(f.progress.counts, ElementsAre(1, 2));
  const std::string result = scan.Result();
  EXPECT_EQ(LogCount(result), 2);  // no second had passed: written at the stop
  EXPECT_THAT(LogZoneOf(result, "KK1212"), Not(HasSubstr("<groundspeak:log ")));
  EXPECT_TRUE(WellFormedXml(result));
}

struct SlowWrites {
  int stop_at;                 // the poll that stops the run; 0: none
  std::vector<int> logs_seen;  // in the result file at each count
};

class SlowlyWritten : public PacedWrites, public ::testing::WithParamInterface<SlowWrites> {};

// Each reading of the clock moves it on a second, so that a write lasts one:
// the next is due 20 seconds later, with 4.5 seconds and a reading between
// two benchmarks at the fifth after it. A stop writes every completed one.
TEST_P(SlowlyWritten, WritesArePacedByTheirDurationAndAStopWritesEveryCompletedBenchmark) {
  Start(10, 43200.0);
  scan.fake.settings.log_source = LogSource::kListing;
  scan.fake.settings.datasheet_file.clear();
  scan.fake.clock.tick = 1.0;
  TimedProgress progress(scan, scan.fake.clock, 4.5);
  StoppingPump pump(GetParam().stop_at);
  FakeRun& f = scan.fake;
  velmora::Run run{f.state, f.settings, Edges{f.pages, f.clock, pump, f.messages, progress}};
  run.source = MakeLogsSource(f.settings);
  const int stop_at = GetParam().stop_at;
  if (stop_at > 0) {
    EXPECT_THROW(ProcessGPXfile(run), RunStopped);
  } else {
    ProcessGPXfile(run);
  }
  EXPECT_THAT(LogsSeen(progress), ::testing::ElementsAreArray(GetParam().logs_seen));
  EXPECT_EQ(LogCount(scan.Result()), stop_at > 0 ? stop_at : 10);
  EXPECT_EQ(run.benchmarks_done, stop_at > 0 ? stop_at : 10);
}

INSTANTIATE_TEST_SUITE_P(Clock, SlowlyWritten,
                         ::testing::Values(SlowWrites{0, {1, 1, 1, 1, 5, 5, 5, 5, 9, 9}},
                                           SlowWrites{6, {1, 1, 1, 1, 5, 5}}),
                         [](const auto& info) {
                           const int stop_at = info.param.stop_at;
                           return stop_at > 0 ? "StoppedAt" + std::to_string(stop_at) : "ToTheEnd";
                         });

}  // namespace
}  // namespace velmora::testing
