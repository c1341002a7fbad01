#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "core/progress_text.h"
#include "cli/status_line.h"
#include "cli/terminal_messages.h"
#include "cli/terminal_progress.h"
#include "core/run_state.h"
#include "gpx/waypoints.h"
#include "tests/support/builders.h"
#include "tests/support/child_process.h"

namespace velmora {
namespace {

using testing::Gpx11;
using testing::Lines;
using testing::Waypoint;

const std::string kClear = "\r\x1b[K";

TEST(ProgressTextTest, WritesDurationsAndTheTimeLeftWithPauses) {
  EXPECT_EQ(DurationText(0), "0:00");
  EXPECT_EQ(DurationText(-3), "0:00");
  EXPECT_EQ(DurationText(59.6), "1:00");
  EXPECT_EQ(DurationText(605), "10:05");
  EXPECT_EQ(DurationText(3 * 3600 + 62), "3:01:02");

  // Nothing measured yet: every benchmark counts as its nominal pause.
  EXPECT_DOUBLE_EQ(SecondsLeft(0, 0, 5, PaceSample{}, 5), 25);
  // One fetch of 1 s measured, no pause yet: 1 + 5 a benchmark.
  EXPECT_DOUBLE_EQ(SecondsLeft(1, 1, 5, PaceSample{1, 1, false}, 5), 29);
  // Two benchmarks took 14 s, pauses and retries included: 7 s each.
  EXPECT_DOUBLE_EQ(SecondsLeft(15, 2, 5, PaceSample{2, 14, true}, 5), 20);
  // The last pause: still time left until the run is over, never negative.
  EXPECT_DOUBLE_EQ(SecondsLeft(32, 4, 5, PaceSample{4, 28, true}, 5), 3);
  EXPECT_DOUBLE_EQ(SecondsLeft(40, 4, 5, PaceSample{4, 28, true}, 5), 0);
  // Long retries of the third: the two after it still count whole.
  EXPECT_DOUBLE_EQ(SecondsLeft(600, 2, 5, PaceSample{2, 14, true}, 5), 14);
  // A resumed run after 20 of 25: its own 2 benchmarks in 14 s set the pace.
  EXPECT_DOUBLE_EQ(SecondsLeft(15, 22, 25, PaceSample{2, 14, true}, 5, 20), 20);
}

TEST(ProgressTextTest, RetryTextSaysWhyAndWhen) {
  EXPECT_EQ(RetryText(3, "HTTP 503 Server Too Busy", 42),
            "try 3 failed: HTTP 503 Server Too Busy; next try in 0:42");
  EXPECT_EQ(RetryText(1, "connection refused", -1), "try 1 failed: connection refused");
  EXPECT_EQ(RetryText(3, "timed out", 42, true), "try 4 in 0:42: timed out");
}

TEST(ProgressTextTest, BarFitsTheWidthAndStandsFullOnlyAtTheEnd) {
  ProgressView view;
  view.done = 3;
  view.total = 5;
  view.pid = "KK1552";
  view.activity = "done";
  view.seconds_left = 75;
  const std::string details = "3/5 KK1552 done, about 1:15 left";
  EXPECT_EQ(ProgressBar(view, 120), "[############........] " + details);
  EXPECT_EQ(ProgressBar(view, 80), ProgressBar(view, 120));
  EXPECT_EQ(ProgressBar(view, 40), "[####....] 3/5 KK1552 done, 1:15 left");  // 37 columns
  EXPECT_EQ(ProgressBar(view, 30), "3/5 KK1552 done, 1:15 left");
  EXPECT_EQ(ProgressBar(view, 20), "3/5 KK1552 done, ");
  EXPECT_EQ(ProgressBar(view, 0), "3");
  EXPECT_EQ(ProgressLine(view), "Benchmark " + details);

  view.done = 5;  // the last pause: the bar is not yet full
  view.seconds_left = 4;
  EXPECT_EQ(ProgressBar(view), "[###################.] 5/5 KK1552 done, about 0:04 left");
  view.finished = true;
  EXPECT_EQ(ProgressBar(view), "[####################] 5/5 KK1552 done");

  view.done = 0;
  view.finished = false;
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
// clock and a terminal width the test sets.
struct ProgressHarness {
  explicit ProgressHarness(bool terminal, double nominal_pause = 5)
      : line(out, terminal),
        progress(line, state, [this] { return now; }, nominal_pause, [this] { return width; }),
        messages(line) {
    std::vector<std::string> waypoints;
    for (const char* pid : {"AB1234", "AB1240", "AB1250", "AB1260"}) {
      waypoints.push_back(Waypoint({.name = pid}));
    }
    waypoints.push_back(Waypoint({.name = "P 1"}));  // no PID: not fetched
    state.DocumentText = Gpx11(waypoints);
    state.BenchmarkTotal = CountBenchmarks(state.DocumentText);  // as the scan counts them
  }
  double now = 100;
  int width = 120;
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
  h.now = 102;
  h.progress.SetCount(1);  // 2 s fetch + 5 s nominal pause each: 28 - 2
  h.messages.Show(Message{"Error --- End of Benchmark = 0", "", MessageIcon::kNone});
  h.now = 108;
  h.state.CurrentPID = "AB1240";
  h.progress.Fetching();  // a pause has been measured: 8 s a benchmark
  h.now = 110;
  h.progress.SetCount(2);
  h.state.CurrentPID = "AB1250";
  h.progress.SetCount(3);
  h.state.CurrentPID = "AB1260";
  h.progress.SetCount(4);
  EXPECT_EQ(Lines(h.out.str()),
            (std::vector<std::string>{"Benchmark 1/4 AB1234 done, about 0:26 left",
                                      "Error --- End of Benchmark = 0",
                                      "Benchmark 2/4 AB1240 done, about 0:22 left",
                                      "Benchmark 3/4 AB1250 done, about 0:22 left",
                                      "Benchmark 4/4 AB1260 done"}));
}

TEST(TerminalProgressTest, ARunWithoutDownloadsIsTimedFromItsFirstBenchmark) {
  ProgressHarness h(false, 0);  // a datasheet file: no pauses, 3 s of reading first
  h.state.CurrentPID = "AB1234";
  for (const int count : {1, 2, 3}) {
    h.now = 102.5 + count / 2.0;
    h.progress.SetCount(count);
  }
  EXPECT_EQ(Lines(h.out.str()), (std::vector<std::string>{"Benchmark 1/4 AB1234 done",
                                                          "Benchmark 2/4 AB1234 done, about 0:01 left",
                                                          "Benchmark 3/4 AB1234 done, about 0:01 left"}));
}

TEST(TerminalProgressTest, BarSaysWhyATryFailedAndWhenTheNextOneIs) {
  ProgressHarness h(true);
  h.state.CurrentPID = "AB1234";
  h.progress.Fetching();
  h.progress.TryFailed("HTTP 503 Server Too Busy");
  h.progress.WaitBegins(42);
  h.now = 100.5;
  h.progress.Tick();  // within the second: not drawn again
  h.now = 112;
  h.width = 40;
  h.progress.Tick();
  h.width = 120;
  h.progress.Fetching();
  EXPECT_EQ(h.out.str(),
            kClear + "[....................] 0/4 AB1234 fetching, about 0:20 left" +
            kClear + "[....................] 0/4 AB1234 try 1 failed: HTTP 503 Server Too Busy, "
                     "about 0:20 left" +
            kClear + "[....................] 0/4 AB1234 try 1 failed: HTTP 503 Server Too Busy; "
                     "next try in 0:42, about 1:02 left" +
            kClear + "0/4 AB1234 try 2 in 0:30: HTTP 503 Se" +  // 37 columns
            kClear + "[....................] 0/4 AB1234 fetching (try 2), about 0:15 left");
}

TEST(TerminalProgressTest, BarIsNotFullDuringTheLastPauseAndEndsItsLine) {
  ProgressHarness h(true);
  h.state.CurrentPID = "AB1260";
  h.progress.SetCount(4);
  h.progress.WaitBegins(5);
  h.progress.End(true);
  h.messages.Show(Message{"Finished", "", MessageIcon::kNone});
  EXPECT_EQ(h.out.str(), kClear + "[###################.] 4/4 AB1260 done, about 0:00 left" +
                             kClear + "[###################.] 4/4 AB1260 done, about 0:00 left" +
                             kClear + "[####################] 4/4 AB1260 done\nFinished\n");
}

TEST(TerminalProgressTest, TotalNeverFallsBelowTheCount) {
  ProgressHarness h(false);
  h.state.BenchmarkTotal = 1;
  h.state.CurrentPID = "AB1234";
  h.progress.SetCount(1);
  h.progress.SetCount(2);
  EXPECT_EQ(Lines(h.out.str()),
            (std::vector<std::string>{"Benchmark 1/1 AB1234 done", "Benchmark 2/2 AB1234 done"}));
}

}  // namespace
}  // namespace velmora
