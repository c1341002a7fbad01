#include <gtest/gtest.h>

#include <sstream>

#include "cli/progress_text.h"
#include "cli/status_line.h"
#include "cli/terminal_messages.h"
#include "cli/terminal_progress.h"
#include "core/run_state.h"
#include "tests/support/child_process.h"

namespace velmora {
namespace {

using testing::Lines;

const std::string kClear = "\r\x1b[K";

TEST(ProgressTextTest, CountsTheLogZonesFromTheFirstWaypointOn) {
  EXPECT_EQ(CountLogZones(""), 0);
  EXPECT_EQ(CountLogZones("<metadata><groundspeak:logs></metadata>"), 0);
  const std::string document =
      "<metadata><groundspeak:logs></groundspeak:logs></metadata>\r\n"
      "<wpt><groundspeak:logs>\r\n</groundspeak:logs></wpt>\r\n"
      "<wpt><groundspeak:logs></groundspeak:logs></wpt>\r\n"
      "<wpt><groundspeak:logs><groundspeak:logs></wpt>";
  EXPECT_EQ(CountLogZones(document), 4);
}

TEST(ProgressTextTest, WritesDurationsAndTheTimeLeftAtThePaceSoFar) {
  EXPECT_EQ(DurationText(0), "0:00");
  EXPECT_EQ(DurationText(-3), "0:00");
  EXPECT_EQ(DurationText(59.6), "1:00");
  EXPECT_EQ(DurationText(605), "10:05");
  EXPECT_EQ(DurationText(3 * 3600 + 62), "3:01:02");

  EXPECT_LT(SecondsLeft(10, 0, 4), 0);  // no pace before the first benchmark
  EXPECT_DOUBLE_EQ(SecondsLeft(10, 1, 4), 30);
  EXPECT_DOUBLE_EQ(SecondsLeft(12, 3, 4), 4);
  EXPECT_DOUBLE_EQ(SecondsLeft(12, 4, 4), 0);
  EXPECT_DOUBLE_EQ(SecondsLeft(12, 5, 4), 0);
}

TEST(ProgressTextTest, BarAndLineShowCountPidActivityAndTimeLeft) {
  ProgressView view;
  view.done = 3;
  view.total = 5;
  view.pid = "KK1552";
  view.activity = "done";
  view.seconds_left = 75;
  EXPECT_EQ(ProgressBar(view), "[############........] 3/5 KK1552 done, about 1:15 left");
  EXPECT_EQ(ProgressLine(view), "Benchmark 3/5 KK1552 done, about 1:15 left");

  view.done = 5;  // the last one: no time left shown
  view.seconds_left = 0;
  EXPECT_EQ(ProgressBar(view), "[####################] 5/5 KK1552 done");

  view.done = 0;
  view.seconds_left = -1;  // unknown
  view.activity = "fetching";
  EXPECT_EQ(ProgressBar(view), "[....................] 0/5 KK1552 fetching");
}

TEST(StatusLineTest, PlainStreamGetsWholeLinesOnly) {
  std::ostringstream out;
  StatusLine line(out, false);
  line.ShowStatus("[###] 1/3");
  line.PrintLine("Error --- End of Benchmark = 0");
  line.Keep();
  EXPECT_EQ(out.str(), "Error --- End of Benchmark = 0\n");
}

TEST(StatusLineTest, TerminalRedrawsTheStatusBelowEachMessage) {
  std::ostringstream out;
  StatusLine line(out, true);
  line.PrintLine("before");  // no status yet: nothing to clear
  line.ShowStatus("A");
  line.ShowStatus("B");
  line.PrintLine("message");
  line.Keep();
  line.PrintLine("after");
  EXPECT_EQ(out.str(), "before\n" + kClear + "A" + kClear + "B" + kClear + "message\nB\nafter\n");
}

// Wires the command line's progress and messages to a string stream, with a
// clock the test moves.
struct ProgressHarness {
  explicit ProgressHarness(bool terminal)
      : line(out, terminal), progress(line, state, [this] { return now; }), messages(line) {
    state.DocumentText =
        "<wpt><groundspeak:logs></groundspeak:logs></wpt>"
        "<wpt><groundspeak:logs></groundspeak:logs></wpt>"
        "<wpt><groundspeak:logs></groundspeak:logs></wpt>"
        "<wpt><groundspeak:logs></groundspeak:logs></wpt>";
  }
  double now = 100;
  std::ostringstream out;
  RunState state;
  StatusLine line;
  TerminalProgress progress;
  TerminalMessages messages;
};

TEST(TerminalProgressTest, PlainLinePerCompletedBenchmarkWithPaceFromTheStart) {
  ProgressHarness h(false);
  h.state.CurrentPID = "AB1234";
  h.progress.Fetching();  // not shown off a terminal
  h.now = 110;
  h.progress.SetCount(1);
  h.messages.Show(Message{"Error --- End of Benchmark = 0", "", MessageIcon::kNone});
  h.state.CurrentPID = "AB1240";
  h.now = 120;
  h.progress.SetCount(2);
  h.state.CurrentPID = "AB1250";
  h.progress.SetCount(3);
  h.state.CurrentPID = "AB1260";
  h.progress.SetCount(4);
  EXPECT_EQ(Lines(h.out.str()),
            (std::vector<std::string>{"Benchmark 1/4 AB1234 done, about 0:30 left",
                                      "Error --- End of Benchmark = 0",
                                      "Benchmark 2/4 AB1240 done, about 0:20 left",
                                      "Benchmark 3/4 AB1250 done, about 0:07 left",
                                      "Benchmark 4/4 AB1260 done"}));
}

TEST(TerminalProgressTest, BarShowsTheBenchmarkBeingFetchedAndItsRetries) {
  ProgressHarness h(true);
  h.state.CurrentPID = "AB1234";
  h.progress.Fetching();
  h.progress.Fetching();
  h.progress.Fetching();
  h.now = 104;
  h.progress.SetCount(1);
  h.state.CurrentPID = "AB1240";
  h.progress.Fetching();
  EXPECT_EQ(h.out.str(), kClear + "[....................] 0/4 AB1234 fetching" +
                             kClear + "[....................] 0/4 AB1234 fetching (try 2)" +
                             kClear + "[....................] 0/4 AB1234 fetching (try 3)" +
                             kClear + "[#####...............] 1/4 AB1234 done, about 0:12 left" +
                             kClear + "[#####...............] 1/4 AB1240 fetching, about 0:12 left");
}

TEST(TerminalProgressTest, TotalNeverFallsBelowTheCount) {
  ProgressHarness h(false);
  h.state.DocumentText = "<wpt><groundspeak:logs></groundspeak:logs></wpt>";
  h.state.CurrentPID = "AB1234";
  h.progress.SetCount(1);
  h.progress.SetCount(2);
  EXPECT_EQ(Lines(h.out.str()),
            (std::vector<std::string>{"Benchmark 1/1 AB1234 done", "Benchmark 2/2 AB1234 done"}));
}

}  // namespace
}  // namespace velmora
