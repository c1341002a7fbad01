// Whole runs of the windows against the loopback listing server: in this
// process where the run ends without the error log, and as separate program
// starts (the test driver) where the error log's once-per-process entry
// header matters.
#include <QLineEdit>
#include <QProcess>
#include <QProcessEnvironment>
#include <gmock/gmock.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <regex>
#include <thread>

#include "app/frm_quillet_main.h"
#include "app/program.h"
#include "app/program_end.h"
#include "app/qt_event_pump.h"
#include "core/text.h"
#include "files/resume_check.h"
#include "gpx/process_gpx_file.h"
#include "net/curl_page_source.h"
#include "server/listing_server.h"
#include "tests/app/chooser_actions.h"
#include "tests/app/main_window_harness.h"
#include "tests/app/run_fixtures.h"
#include "tests/support/fakes.h"
#include "tests/support/temp_dir.h"

namespace velmora::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

const std::vector<std::string> kPids = {"AA0001", "AA0002", "AA0003"};

std::vector<std::string> RequestedPids(const ListingServer& server) {
  std::vector<std::string> pids;
  for (const RecordedRequest& request : server.requests()) pids.push_back(request.pid);
  return pids;
}

class RunTest : public ::testing::Test {
 protected:
  RunTest() {
    server_.ServeListingPages(ListingPages(kPids));
    server_.Start();
    settings_.listing_host = server_.HostAndPort();
    settings_.pause_scale = 0;
    WriteFileBytes(dir_ / "quads.gpx", BenchmarkDocument(kPids));
    WriteFileBytes(dir_ / "notes.txt", "not a GPX file");
  }

  // One program start of the test driver in the working folder.
  struct Start {
    int status = -1;
    std::vector<std::string> counts;
    std::vector<std::vector<std::string>> messages;  // title, icon, text
  };
  Start StartDriver(const std::string& entry) {
    QProcess driver;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("VELMORA_LISTING_HOST", QString::fromStdString(server_.HostAndPort()));
    environment.insert("VELMORA_PAUSE_SCALE", "0");
    driver.setProcessEnvironment(environment);
    driver.setWorkingDirectory(QString::fromStdString(dir_.path().string()));
    driver.start(QStringLiteral(VELMORA_APP_DRIVER), {QString::fromStdString(entry)});
    Start start;
    if (!driver.waitForFinished(60000)) {
      driver.kill();
      driver.waitForFinished();
      ADD_FAILURE() << "the driver did not end: " << driver.readAllStandardOutput().toStdString()
                    << driver.readAllStandardError().toStdString();
      return start;
    }
    start.status = driver.exitStatus() == QProcess::NormalExit ? driver.exitCode() : -1;
    for (const QByteArray& line : driver.readAllStandardOutput().split('\n')) {
      const QList<QByteArray> parts = line.split('\t');
      if (parts.value(0) == "COUNT") start.counts.push_back(parts.value(1).toStdString());
      if (parts.value(0) == "MESSAGE" && parts.size() == 4) {
        start.messages.push_back({parts[1].toStdString(), parts[2].toStdString(),
                                  parts[3].toStdString()});
      }
    }
    return start;
  }

  std::string ErrorLog() const { return ReadFileBytes(dir_ / "ErrorLog.txt"); }
  std::string Result() const { return ReadFileBytes(dir_ / "quads R.gpx"); }

  ListingServer server_;
  Settings settings_;
  TempDir dir_;
  CurrentDir in_dir_{dir_.path()};
};

const char* const kEntryPattern = "={44}\r\n[^\r\n]+\r\nquads\\.gpx: 3 of 3 benchmarks; finished\r\n";

TEST_F(RunTest, FinishedRunCountsLogsAndSaysFinished) {
  const Start start = StartDriver("quads.gpx");
  EXPECT_EQ(start.status, 0);
  EXPECT_THAT(start.counts, ElementsAre("1", "2", "3"));
  ASSERT_EQ(start.messages.size(), 1u);
  EXPECT_THAT(start.messages[0], ElementsAre("Velmora", "0", "              Finished         "));
  EXPECT_TRUE(std::regex_match(ErrorLog(), std::regex(kEntryPattern))) << ErrorLog();
  EXPECT_THAT(RequestedPids(server_), ElementsAre("AA0001", "AA0002", "AA0003"));
  for (const std::string& pid : kPids) EXPECT_THAT(LogZoneOf(Result(), pid), HasSubstr(FinderOf(pid)));
  EXPECT_EQ(ReadFileBytes(dir_ / "quads.gpx"), BenchmarkDocument(kPids));  // the input stays
}

TEST_F(RunTest, TwoProgramStartsGiveTwoErrorLogEntries) {
  EXPECT_EQ(StartDriver("quads.gpx").status, 0);
  EXPECT_EQ(StartDriver("quads.gpx").status, 0);
  const std::string pattern = std::string("(") + kEntryPattern + "){2}";
  EXPECT_TRUE(std::regex_match(ErrorLog(), std::regex(pattern))) << ErrorLog();
}

TEST_F(RunTest, NoChoiceEndsWithoutErrorLog) {
  const Start start = StartDriver("");  // the chooser is closed
  EXPECT_EQ(start.status, 0);
  EXPECT_THAT(start.messages, IsEmpty());
  EXPECT_FALSE(std::filesystem::exists(dir_ / "ErrorLog.txt"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "quads R.gpx"));
  EXPECT_THAT(server_.requests(), IsEmpty());
}

// The main window of this process, with real downloads and processing; the
// pauses run on a fake clock.
class WindowRunTest : public RunTest {
 protected:
  WindowRunTest() {
    settings_.pause_scale = 1;
    pump_.on_events = [this](int) { clock_.Advance(0.05); };
  }
  frmQuilletMain& Window() {
    window_ = std::make_unique<frmQuilletMain>(MainWindowParts{
        state_, settings_, Edges{pages_, clock_, pump_, messages_, watcher_}, Pace::kNormal,
        ProcessGPXfile, [this](const std::string& text) { error_log_.push_back(text); },
        [](frmGetGPX& chooser) { ChooseEntry(chooser, "quads.gpx"); }});
    return *window_;
  }
  QString Count() { return window_->findChild<QLineEdit*>("txtCachesProcessed")->text(); }

  RunState state_;
  FakeClock clock_;
  ScriptedPump pump_;
  CurlPageSource pages_{WindowDownloadOptions(Settings{}, pump_)};
  RecordingMessages messages_;
  NoProgress watcher_;
  std::vector<std::string> error_log_;
  std::unique_ptr<frmQuilletMain> window_;
};

TEST_F(WindowRunTest, CloseDuringAPauseStopsBeforeTheNextRequest) {
  frmQuilletMain& window = Window();
  int events_after_close = 0;
  pump_.on_events = [&](int) {
    clock_.Advance(0.05);
    if (!window.isVisible()) ++events_after_close;
    if (Count() == "1" && window.isVisible()) window.close();  // in the pause after the first
  };
  EXPECT_FALSE(window.Load());
  EXPECT_EQ(events_after_close, 0);  // the pause ended at once
  EXPECT_THAT(RequestedPids(server_), ElementsAre("AA0001"));
  EXPECT_THAT(LogZoneOf(Result(), "AA0001"), HasSubstr(FinderOf("AA0001")));
  EXPECT_THAT(LogZoneOf(Result(), "AA0002"), Not(HasSubstr(FinderOf("AA0002"))));
  EXPECT_EQ(Count(), QStringLiteral("1"));
  EXPECT_THAT(messages_.shown, IsEmpty());
  EXPECT_THAT(error_log_, ElementsAre("quads.gpx: 1 of 3 benchmarks; stopped: closed"));
}

TEST_F(WindowRunTest, CloseDuringADownloadAbandonsIt) {
  std::atomic<bool> released = false;  // the second page comes only when let go
  std::atomic<bool> answered = false;
  ListingServer stalling;
  stalling.Get("/mark/details.aspx", [&, pages = ListingPages(kPids)](
                                         const httplib::Request& request, httplib::Response& response) {
    const std::string pid = request.get_param_value("PID");
    for (int wait = 0; pid == "AA0002" && wait < 300 && !released; ++wait) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    answered = answered || pid == "AA0002";
    response.set_content(pages.at(pid), "text/html");
  });
  stalling.Start();
  settings_.listing_host = stalling.HostAndPort();
  frmQuilletMain& window = Window();
  pump_.on_stop_question = [&] {
    if (RequestedPids(stalling).size() == 2 && window.isVisible()) window.close();
  };
  EXPECT_FALSE(window.Load());
  EXPECT_FALSE(answered) << "the download was waited for";
  released = true;
  EXPECT_THAT(RequestedPids(stalling), ElementsAre("AA0001", "AA0002"));
  EXPECT_THAT(LogZoneOf(Result(), "AA0001"), HasSubstr(FinderOf("AA0001")));
  EXPECT_THAT(error_log_, ElementsAre("quads.gpx: 1 of 3 benchmarks; stopped: closed"));
}

TEST_F(WindowRunTest, CloseDuringThePauseAfterTheLastBenchmarkStillFinishes) {
  frmQuilletMain& window = Window();
  pump_.on_events = [&](int) {
    clock_.Advance(0.05);
    if (Count() == "3" && window.isVisible()) window.close();
  };
  EXPECT_FALSE(window.Load());
  EXPECT_THAT(error_log_, ElementsAre("quads.gpx: 3 of 3 benchmarks; finished"));
  EXPECT_THAT(messages_.texts(), ElementsAre("              Finished         "));
}

// A window closed during a run leaves its progress record; at the next start
// Go asks whether to continue: Yes fetches only what is left, No starts over.
TEST_F(WindowRunTest, AnEarlierRunIsContinuedOnYesAndStartedOverOnNo) {
  for (const bool yes : {true, false}) {
    SCOPED_TRACE(yes ? "Yes" : "No");
    state_ = RunState{};
    pump_.on_events = [&](int) {
      clock_.Advance(0.05);
      if (Count() == "1" && window_->isVisible()) window_->close();
    };
    EXPECT_FALSE(Window().Load());
    error_log_.clear();
    const std::size_t asked_before = RequestedPids(server_).size();
    state_ = RunState{};
    pump_.stop_asked = false;  // the next program start has a pump of its own
    messages_.answer = yes;
    pump_.on_events = [this](int) { clock_.Advance(0.05); };
    EXPECT_FALSE(Window().Load());
    EXPECT_THAT(messages_.asked, ElementsAre(ContinueRunQuestion("quads.gpx", 1, 3)));
    const std::vector<std::string> pids = RequestedPids(server_);
    const std::vector<std::string> second(pids.begin() + asked_before, pids.end());
    if (yes) {
      EXPECT_THAT(second, ElementsAre("AA0002", "AA0003"));
      EXPECT_THAT(error_log_,
                  ElementsAre("quads.gpx: 3 of 3 benchmarks; finished; resumed after 1"));
    } else {
      EXPECT_THAT(second, ElementsAre("AA0001", "AA0002", "AA0003"));
      EXPECT_THAT(error_log_, ElementsAre("quads.gpx: 3 of 3 benchmarks; finished"));
    }
    EXPECT_THAT(LogZoneOf(Result(), "AA0001"), HasSubstr(FinderOf("AA0001")));
    EXPECT_THAT(LogZoneOf(Result(), "AA0003"), HasSubstr(FinderOf("AA0003")));
    EXPECT_FALSE(std::filesystem::exists(dir_ / "quads R.gpx.resume"));
    messages_.asked.clear();
    messages_.shown.clear();
    error_log_.clear();
  }
}

TEST_F(WindowRunTest, DocumentOfAnotherGpxVersionIsReportedAndEndsTheRun) {
  const std::string gpx_2 = ReplaceAll(BenchmarkDocument(kPids), "<gpx version=\"1.1\"",
                                       "<gpx version=\"2.0\"");
  WriteFileBytes(dir_ / "quads.gpx", gpx_2);
  frmQuilletMain& window = Window();
  EXPECT_FALSE(window.Load());
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(Count(), QString());
  EXPECT_THAT(server_.requests(), IsEmpty());
  EXPECT_FALSE(std::filesystem::exists(dir_ / "quads R.gpx"));
  EXPECT_THAT(messages_.texts(), ElementsAre(kNotGpxText));
  EXPECT_THAT(error_log_, IsEmpty());
}

TEST_F(RunTest, ResultThatCannotBeWrittenIsReportedAndEndsTheProgram) {
  std::filesystem::create_directory(dir_ / "quads R.gpx");  // no file can replace it
  RecordingMessages messages;
  FakeClock clock;
  FakePump pump(clock);
  CurlPageSource pages;
  NoProgress watcher;
  const ProgramParts parts{Edges{pages, clock, pump, messages, watcher}, ProcessGPXfile,
                           [](const std::string&) { ADD_FAILURE() << "no error-log entry"; },
                           [](frmGetGPX& chooser) { ChooseEntry(chooser, "quads.gpx"); }};
  EXPECT_EQ(RunProgram(settings_, "", parts), kExitFailure);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(std::regex_search(messages.shown[0].text, std::regex("^Error [1-9][0-9]*: .+")))
      << messages.shown[0].text;
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::kError);
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "quads R.gpx"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "ErrorLog.txt"));
}

}  // namespace
}  // namespace velmora::testing
