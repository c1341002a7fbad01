// velmora-cli against a listing website that misbehaves: the run either
// completes with the right result or stops with the "Cannot Continue" message,
// and the result file keeps what the run wrote before.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "tests/faults/cli_under_test.h"
#include "tests/faults/run_record.h"
#include "tests/faults/survey_fixture.h"
#include "tests/faults/survey_server.h"
#include "tests/support/temp_dir.h"

namespace velmora::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

constexpr int kNoPageStatus = 3;  // velmora-cli stopped: no listing page could be had
constexpr const char* kCannotContinue =
    "There something wrong.  Are you connected to the Internet?  Perhaps there's a problem "
    "with the GPX file or with the 127.0.0.1 website.";

const std::string& Pid(int number) { return RidgeSurvey().pids.at(number - 1); }

class NetworkFaultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    versions_ = RecordResultVersions();
    ASSERT_EQ(versions_.size(), RidgeSurvey().pids.size());
    WriteFileBytes(folder_ / kSurveyFile, RidgeSurvey().document);
  }

  // A run with pauses off and downloads that give up after `timeout` seconds.
  ProgramResult Run(const std::string& host, const std::string& timeout = "1") {
    return RunCli({folder_.path(), host, "0", timeout});
  }

  void ExpectCompletedRight(const ProgramResult& run) {
    EXPECT_EQ(run.exit_status, 0) << run.err;
    EXPECT_THAT(run.err, Not(HasSubstr("There something wrong")));
    EXPECT_EQ(FileBytes(folder_ / kSurveyResultFile), versions_.back())
        << "the result differs from an undisturbed run's";
    EXPECT_EQ(FileBytes(folder_ / kSurveyFile), RidgeSurvey().document);
  }

  // Stopped at benchmark `done` + 1: the message, and the result file of the
  // first `done` benchmarks (none: absent).
  void ExpectStoppedAfter(const ProgramResult& run, int done) {
    EXPECT_EQ(run.exit_status, kNoPageStatus) << run.err;
    EXPECT_THAT(run.err, HasSubstr(kCannotContinue));
    const std::filesystem::path result = folder_ / kSurveyResultFile;
    if (done == 0) {
      EXPECT_FALSE(std::filesystem::exists(result));
    } else if (std::filesystem::exists(result)) {
      EXPECT_EQ(VersionNumber(versions_, FileBytes(result)), done);
    } else {
      ADD_FAILURE() << "the result file of " << done << " benchmarks is gone";
    }
    EXPECT_EQ(FileBytes(folder_ / kSurveyFile), RidgeSurvey().document);
  }

  TempDir folder_;
  std::vector<std::string> versions_;
};

TEST_F(NetworkFaultTest, StalledAnswersAreAbandonedAndAskedForAgain) {
  SurveyServer* self = nullptr;
  SurveyServer server([&](const std::string& pid, int attempt, httplib::Response& response) {
    if (pid == Pid(3) && attempt <= 2) {
      self->gate().Wait();  // accepts the request and never answers
      return true;
    }
    if (pid == Pid(6) && attempt == 1) {
      // headers and the first bytes, then nothing
      response.set_content_provider(5000, "text/html",
                                    [self](size_t offset, size_t, httplib::DataSink& sink) {
                                      if (offset > 0) {
                                        self->gate().Wait();
                                        return false;
                                      }
                                      sink.write("<html>", 6);
                                      return true;
                                    });
      return true;
    }
    return false;
  });
  self = &server;
  ExpectCompletedRight(Run(server.HostAndPort()));
  EXPECT_EQ(server.Requests(), static_cast<int>(versions_.size()) + 3);
}

TEST_F(NetworkFaultTest, AnswersCutOffMidBodyAreAskedForAgain) {
  SurveyServer server([](const std::string& pid, int attempt, httplib::Response& response) {
    if (attempt > 1) return false;
    const std::string page = RidgeSurvey().pages.count(pid) != 0 ? RidgeSurvey().pages.at(pid)
                                                                  : NoBenchmarkPage(pid);
    // announces the whole page, sends half and closes the connection
    response.set_content_provider(page.size(), "text/html",
                                  [page](size_t offset, size_t, httplib::DataSink& sink) {
                                    if (offset > 0) return false;
                                    sink.write(page.data(), page.size() / 2);
                                    return true;
                                  });
    return true;
  });
  ExpectCompletedRight(Run(server.HostAndPort()));
  EXPECT_EQ(server.Requests(), 2 * static_cast<int>(versions_.size()));
}

TEST_F(NetworkFaultTest, ABusyWebsiteIsWaitedForUntilItAnswers) {
  // Busy for the first six requests: past the first long wait of the fetch.
  std::atomic<int> requests{0};
  SurveyServer server([&](const std::string&, int, httplib::Response& response) {
    if (++requests > 6) return false;
    response.status = 503;
    response.set_content("<html><body><h1>Server Too Busy</h1></body></html>", "text/html");
    return true;
  });
  ExpectCompletedRight(Run(server.HostAndPort()));
  EXPECT_EQ(server.Requests(), static_cast<int>(versions_.size()) + 6);
}

TEST_F(NetworkFaultTest, AWebsiteBusyForeverIsGivenUpAfter29Attempts) {
  std::atomic<int> busy_answers{0};
  SurveyServer server([&](const std::string& pid, int, httplib::Response& response) {
    if (pid != Pid(5)) return false;
    ++busy_answers;
    response.status = 503;
    response.set_content("<html><body><h1>Server Too Busy</h1></body></html>", "text/html");
    return true;
  });
  ExpectStoppedAfter(Run(server.HostAndPort()), 4);
  EXPECT_EQ(busy_answers, 29);
}

TEST_F(NetworkFaultTest, NoWebsiteAtAllStopsTheRunAndKeepsAnEarlierResult) {
  const std::string earlier = versions_[2];  // left by an earlier run
  WriteFileBytes(folder_ / kSurveyResultFile, earlier);
  ClosedPort nobody;
  const ProgramResult run = Run(nobody.HostAndPort());
  EXPECT_EQ(run.exit_status, kNoPageStatus) << run.err;
  // Not on a terminal: a line per failed try, and the cause below the message.
  EXPECT_THAT(run.err, HasSubstr("Benchmark 0/10 " + Pid(1) + " try 1 failed: connection refused"));
  EXPECT_THAT(run.err, HasSubstr(std::string(kCannotContinue) + "\nconnection refused by " +
                                 nobody.HostAndPort() + "\n"));
  EXPECT_EQ(FileBytes(folder_ / kSurveyResultFile), earlier);
  EXPECT_EQ(FileBytes(folder_ / kSurveyFile), RidgeSurvey().document);
}

TEST_F(NetworkFaultTest, AWebsiteThatGoesAwayMidRunLeavesTheBenchmarksDoneSoFar) {
  ClosedPort gone;
  SurveyServer server([&](const std::string& pid, int, httplib::Response& response) {
    if (pid < Pid(4)) return false;
    response.set_redirect("http://" + gone.HostAndPort() + "/mark/details.aspx?PID=" + pid);
    return true;
  });
  ExpectStoppedAfter(Run(server.HostAndPort()), 3);
}

TEST_F(NetworkFaultTest, RedirectsAreFollowedToThePage) {
  SurveyServer elsewhere;
  SurveyServer server([&](const std::string& pid, int, httplib::Response& response) {
    // Odd PIDs move on this server, even ones to another.
    const bool odd = (pid.back() - '0') % 2 == 1;
    const std::string there = odd ? "" : "http://" + elsewhere.HostAndPort();
    response.set_redirect(there + "/moved/details.aspx?PID=" + pid, odd ? 301 : 302);
    return true;
  });
  ExpectCompletedRight(Run(server.HostAndPort()));
}

TEST_F(NetworkFaultTest, EndlessRedirectsAreGivenUp) {
  SurveyServer server([](const std::string& pid, int, httplib::Response& response) {
    if (pid != Pid(6)) return false;
    response.set_redirect("/mark/details.aspx?PID=" + pid);  // to itself, for ever
    return true;
  });
  ExpectStoppedAfter(Run(server.HostAndPort()), 5);
}

TEST_F(NetworkFaultTest, VerySlowAnswersAreWaitedFor) {
  SurveyServer server([](const std::string& pid, int, httplib::Response& response) {
    if (pid > Pid(3)) return false;
    // A late first byte, then the page a little at a time.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const std::string page = RidgeSurvey().pages.at(pid);
    response.set_content_provider(
        page.size(), "text/html", [page](size_t offset, size_t, httplib::DataSink& sink) {
          std::this_thread::sleep_for(std::chrono::milliseconds(40));
          sink.write(page.data() + offset, std::min<size_t>(256, page.size() - offset));
          return true;
        });
    return true;
  });
  ExpectCompletedRight(Run(server.HostAndPort(), "2"));
  EXPECT_EQ(server.Requests(), static_cast<int>(versions_.size()));
}

}  // namespace
}  // namespace velmora::testing
