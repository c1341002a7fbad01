// A run that goes on from its progress record: the same bytes as a run that
// was never stopped, no page fetched twice, the record kept at every stop and
// removed at the end, and a fresh run whenever the record does not match.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "files/file_utils.h"
#include "files/resume_check.h"
#include "files/resume_record.h"
#include "gpx/process_gpx_file.h"
#include "gpx/resume_point.h"
#include "tests/gpx/scan_harness.h"

namespace velmora::testing {
namespace {

using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

const std::vector<std::string> kPids = {"KK1231", "KK1232", "KK1233", "KK1234"};

// Benchmarks among a user's waypoint and one without a log zone, one of them
// with a datasheet link that the listing source rewrites.
std::string Document() {
  std::vector<std::string> waypoints;
  for (const std::string& pid : kPids) {
    WaypointFixture benchmark;
    benchmark.name = pid;
    benchmark.description = pid + " http://www.ngs.noaa.gov/cgi-bin/ds_mark.prl?PidBox=" + pid;
    waypoints.push_back(Waypoint(benchmark));
  }
  WaypointFixture no_zone;
  no_zone.name = "KK1299";
  no_zone.has_logs = false;
  waypoints.insert(waypoints.begin() + 2, Waypoint(no_zone));
  waypoints.insert(waypoints.begin() + 1,
                   "  <wpt lat=\"1\" lon=\"2\">\r\n    <name>Parking</name>\r\n  </wpt>\r\n");
  return GpxDocument(waypoints);
}

// A working folder with the chosen file and its pages, run in turn.
struct ResumeTest {
  ResumeTest() {
    scan.fake.settings.pause_scale = 0;  // the stopping pump moves no clock
    scan.Choose(Document());
    for (const std::string& pid : kPids) {
      for (int i = 0; i < 2; ++i) scan.AnswerLogs(pid, {PageLog{}});
    }
  }

  // One run over the chosen file, going on from the record when `resume`;
  // stopped at the poll `stop_at` (0: runs to its end). The fetched PIDs.
  std::vector<std::string> RunOnce(bool resume, int stop_at = 0) {
    FakeRun& f = scan.fake;
    const std::size_t fetched_before = f.pages.requests.size();
    f.state = RunState{};
    f.state.GPXFileName = "quads.gpx";
    StoppingPump pump(stop_at);
    const Edges edges{f.pages, f.clock, pump, f.messages, f.progress};
    run_ = std::make_unique<velmora::Run>(velmora::Run{f.state, f.settings, edges});
    run_->source = MakeLogsSource(f.settings);
    if (resume) {
      run_->resume = LoadResumePoint(CheckRunResume("quads.gpx", *run_->source), "quads.gpx");
    }
    if (stop_at > 0) {
      EXPECT_THROW(ProcessGPXfile(*run_), RunStopped);
    } else {
      ProcessGPXfile(*run_);
    }
    std::vector<std::string> fetched;
    for (std::size_t i = fetched_before; i < f.pages.requests.size(); ++i) {
      fetched.push_back(f.pages.requests[i].substr(f.pages.requests[i].size() - 6));
    }
    return fetched;
  }

  bool RecordExists() const { return std::filesystem::exists(scan.dir / "quads R.gpx.resume"); }

  // The result of a run never stopped, made in another folder.
  static std::string Uninterrupted() {
    ResumeTest other;
    other.RunOnce(false);
    EXPECT_FALSE(other.RecordExists());
    return other.scan.Result();
  }

  ScanHarness scan;
  std::unique_ptr<velmora::Run> run_;
};

TEST(Resume, ARunResumedAfterEachStopGivesTheUninterruptedBytesAndFetchesNoPageTwice) {
  const std::string whole = ResumeTest::Uninterrupted();
  for (int stop = 1; stop <= 3; ++stop) {
    SCOPED_TRACE("stopped at benchmark " + std::to_string(stop));
    ResumeTest t;
    t.RunOnce(false, stop);
    EXPECT_TRUE(t.RecordExists()) << "a stop keeps the record";
    const ResumeCheck check = CheckRunResume("quads.gpx", *MakeLogsSource(t.scan.fake.settings));
    ASSERT_TRUE(check.resume) << check.reason;
    EXPECT_EQ(check.state.completed, stop);
    EXPECT_EQ(check.state.total, 4);
    t.scan.fake.progress.counts.clear();
    const std::vector<std::string> rest(kPids.begin() + stop, kPids.end());
    EXPECT_THAT(t.RunOnce(true), ElementsAreArray(rest));
    EXPECT_EQ(t.scan.Result(), whole);
    EXPECT_FALSE(t.RecordExists()) << "a run through every waypoint removes the record";
    EXPECT_EQ(t.scan.fake.progress.counts.front(), stop + 1) << "the count goes on";
    EXPECT_EQ(t.run_->resumed_after, stop);
    EXPECT_THAT(RunSummary(*t.run_), HasSubstr("4 of 4 benchmarks; finished; resumed after " +
                                               std::to_string(stop)));
  }
}

TEST(Resume, AResultLeftOneWriteBehindTheRecordResumesFromThePreviousOne) {
  // A kill after the record's rename and before the result's: the record's
  // newest result never reached its place.
  const std::string whole = ResumeTest::Uninterrupted();
  ResumeTest t;
  t.RunOnce(false, 1);
  const std::string after_one = t.scan.Result();
  t.RunOnce(false, 2);
  WriteFileBytes(t.scan.dir / "quads R.gpx", after_one);
  const ResumeCheck check = CheckRunResume("quads.gpx", *MakeLogsSource(t.scan.fake.settings));
  ASSERT_TRUE(check.resume) << check.reason;
  EXPECT_FALSE(check.newest);
  EXPECT_THAT(t.RunOnce(true), ElementsAreArray(std::vector<std::string>(kPids.begin() + 1,
                                                                         kPids.end())));
  EXPECT_EQ(t.scan.Result(), whole);
}

// The record names the source and its host: a run with another one starts
// afresh (the other mismatches are the record check's own and end to end).
TEST(Resume, ARecordOfAnotherSourceOrHostLeadsToAFreshRun) {
  const std::vector<std::function<void(Settings&)>> changes = {
      [](Settings& s) { s.log_source = LogSource::kDatasheet; },
      [](Settings& s) { s.listing_host = "127.0.0.1:9090"; }};
  for (const auto& change : changes) {
    ResumeTest t;
    t.RunOnce(false, 2);
    change(t.scan.fake.settings);
    const ResumeCheck check = CheckRunResume("quads.gpx", *MakeLogsSource(t.scan.fake.settings));
    EXPECT_FALSE(check.resume);
    EXPECT_EQ(check.reason, kOtherSourceReason);
    EXPECT_EQ(LoadResumePoint(check, "quads.gpx"), nullptr);
  }
}

}  // namespace
}  // namespace velmora::testing
