#include "net/patient_fetch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/fakes.h"

namespace velmora {
namespace {

using testing::FakeClock;
using testing::FakePump;
using testing::ScriptedPageSource;

const char kUrl[] = "http://listing.test/mark/details.aspx?PID=AB1234";

// Scripted answers, and the fake time at which each download was made.
class TimedPageSource : public ScriptedPageSource {
 public:
  explicit TimedPageSource(FakeClock& clock) : clock_(clock) {}
  PageAnswer Fetch(const std::string& TheURL) override {
    times.push_back(clock_.elapsed());
    return ScriptedPageSource::Fetch(TheURL);
  }
  // The waits between one download and the next.
  std::vector<double> Waits() const {
    std::vector<double> waits;
    for (size_t i = 1; i < times.size(); ++i) waits.push_back(times[i] - times[i - 1]);
    return waits;
  }
  std::vector<double> times;

 private:
  FakeClock& clock_;
};

class PatientFetchTest : public ::testing::Test {
 protected:
  std::string Fetch() { return PatientFetch(kUrl, pages_, Pacing{clock_, pump_, 1.0}).body; }

  FakeClock clock_;
  FakePump pump_{clock_, 0.01};
  TimedPageSource pages_{clock_};
};

TEST_F(PatientFetchTest, AGoodFirstPageComesBackWithoutAPause) {
  pages_.Add(kUrl, "<html>logs</html>");
  EXPECT_EQ(Fetch(), "<html>logs</html>");
  EXPECT_EQ(pages_.requests.size(), 1u);
  EXPECT_EQ(pump_.calls, 0);
  EXPECT_EQ(clock_.randomize_calls, 0);
}

TEST_F(PatientFetchTest, TheBusyMarkerAnywhereIsBusyButOnlyInItsOwnCase) {
  const std::string busy_log = "<td>Visited today. Server Too Busy earlier, found it anyway.</td>";
  const std::string lower = "<td>server too busy? SERVER TOO BUSY. Server too busy</td>";
  pages_.Add(kUrl, busy_log);
  pages_.Add(kUrl, lower);
  EXPECT_EQ(Fetch(), lower);
  EXPECT_EQ(pages_.requests.size(), 2u);
  ASSERT_EQ(pages_.Waits().size(), 1u);
}

TEST_F(PatientFetchTest, AnEmptyAnswerThenAPageMakesOneShortPause) {
  clock_.random_values = {0.9999};
  pages_.Add(kUrl, "");
  pages_.Add(kUrl, "page");
  EXPECT_EQ(Fetch(), "page");
  ASSERT_EQ(pages_.Waits().size(), 1u);
  EXPECT_GE(pages_.Waits()[0], 6.66667 - 0.005);
  EXPECT_LE(pages_.Waits()[0], 13.33667 + 0.015);
  EXPECT_GT(pages_.Waits()[0], 13.3);  // r near 1 gives the longest wait
}

TEST_F(PatientFetchTest, FourFailuresThenAPage) {
  for (const char* answer : {"", "<h1>Server Too Busy</h1>", "", ""}) pages_.Add(kUrl, answer);
  pages_.Add(kUrl, "the page");
  clock_.random_values = {0.5, 0.5, 0.5, 0.0};  // the long wait at its shortest
  EXPECT_EQ(Fetch(), "the page");
  const std::vector<double> waits = pages_.Waits();
  ASSERT_EQ(waits.size(), 4u);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(waits[i], 10.0, 0.02) << i;
  EXPECT_NEAR(waits[3], 160.0, 0.02);
}

TEST_F(PatientFetchTest, TheLongestFirstLongWait) {
  for (int i = 0; i < 4; ++i) pages_.Add(kUrl, "");
  pages_.Add(kUrl, "the page");
  clock_.random_values = {0, 0, 0, 0.99999999};
  EXPECT_EQ(Fetch(), "the page");
  ASSERT_EQ(pages_.Waits().size(), 4u);
  EXPECT_NEAR(pages_.Waits()[3], 320.0, 0.02);
}

TEST_F(PatientFetchTest, TwentyNineFailuresGiveUpAfterTheWholeSchedule) {
  pages_.fallback = "";  // every attempt fails
  clock_.default_random = 0.5;  // each wait within 10 ms of its nominal length
  EXPECT_EQ(Fetch(), "");
  EXPECT_EQ(pages_.requests.size(), 29u);
  EXPECT_EQ(clock_.randomize_calls, 28);

  std::vector<double> nominal;
  for (int minutes = 4; minutes <= 10; ++minutes) {
    nominal.insert(nominal.end(), {10, 10, 10, minutes * 60.0});
  }
  const std::vector<double> waits = pages_.Waits();
  ASSERT_EQ(waits.size(), nominal.size());
  for (size_t i = 0; i < waits.size(); ++i) EXPECT_NEAR(waits[i], nominal[i], 0.02) << i;
  // 21 short and 7 long waits: 3150 s of nominal waiting, then no more.
  EXPECT_NEAR(clock_.elapsed(), 3150.0, 0.5);
}

TEST_F(PatientFetchTest, BusyPagesAreRetriedLikeEmptyOnes) {
  pages_.fallback = "<html><body><h1>Server Too Busy</h1></body></html>";
  EXPECT_EQ(Fetch(), "");
  EXPECT_EQ(pages_.requests.size(), 29u);
}

TEST_F(PatientFetchTest, ErrorAnswersAreRetriedAndTheGoodAnswerComesWhole) {
  pages_.AddAnswer(kUrl, 500, "<html>Internal error</html>", "text/html");
  pages_.AddAnswer(kUrl, 404, "<html>Not found</html>", "text/html");
  pages_.AddFailure(kUrl, "connection refused");
  pages_.AddAnswer(kUrl, 200, "<html>Server Too Busy</html>", "text/html");
  pages_.AddAnswer(kUrl, 200, "<html>logs</html>", "text/html; charset=windows-1252");
  const PageAnswer answer = PatientFetch(kUrl, pages_, Pacing{clock_, pump_, 0.0});
  EXPECT_EQ(answer.body, "<html>logs</html>");
  EXPECT_EQ(answer.status, 200);
  EXPECT_EQ(answer.content_type, "text/html; charset=windows-1252");
  EXPECT_EQ(answer.failure, "");
  EXPECT_EQ(pages_.requests.size(), 5u);
}

TEST_F(PatientFetchTest, APermanentErrorGivesUpWithItsReason) {
  for (int i = 0; i < 29; ++i) pages_.AddAnswer(kUrl, 404, "<html>Not found</html>");
  PageAnswer answer = PatientFetch(kUrl, pages_, Pacing{clock_, pump_, 0.0});
  EXPECT_EQ(answer.body, "");
  EXPECT_EQ(answer.failure, "HTTP 404");
  EXPECT_EQ(pages_.requests.size(), 29u);
  // A busy page stays a failed attempt whatever its status.
  pages_.requests.clear();
  pages_.fallback = "<h1>Server Too Busy</h1>";
  answer = PatientFetch(kUrl, pages_, Pacing{clock_, pump_, 0.0});
  EXPECT_EQ(answer.body, "");
  EXPECT_EQ(answer.failure, "Server Too Busy");
  EXPECT_EQ(pages_.requests.size(), 29u);
}

TEST_F(PatientFetchTest, EveryCallStartsWithFullPatience) {
  for (int i = 0; i < 28; ++i) pages_.Add(kUrl, "");
  pages_.Add(kUrl, "last chance");
  EXPECT_EQ(Fetch(), "last chance");
  // A second call starts the schedule afresh: its first failure waits 10 s.
  pages_.times.clear();
  pages_.Add(kUrl, "");
  pages_.Add(kUrl, "again");
  EXPECT_EQ(Fetch(), "again");
  ASSERT_EQ(pages_.Waits().size(), 1u);
  EXPECT_NEAR(pages_.Waits()[0], 10.0, 0.02);
}

TEST_F(PatientFetchTest, WithoutPausesTheScheduleIsImmediate) {
  pages_.fallback = "";
  EXPECT_EQ(PatientFetch(kUrl, pages_, Pacing{clock_, pump_, 0.0}).body, "");
  EXPECT_EQ(pages_.requests.size(), 29u);
  EXPECT_EQ(pump_.calls, 0);
}

}  // namespace
}  // namespace velmora
