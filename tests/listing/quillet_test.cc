#include "listing/quillet.h"
#include "listing/listing_page.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/listing/listing_rows.h"
#include "tests/logs/parsed_logs.h"
#include "tests/support/fakes.h"

namespace velmora {
namespace {

using testing::FakeRun;
using testing::ScriptedPageSource;
using testing::FixturePage;
using testing::ParseLogBlock;
using Kind = HarvestOutcome::Kind;

constexpr const char* kUrl = "http://www.example.org/mark/details.aspx?PID=KW1234";

struct QuilletTest : ::testing::Test {
  FakeRun fake;
};

TEST_F(QuilletTest, PageWithLogsAnswersTheLogs) {
  fake.pages.Add(kUrl, FixturePage("listing_logs.html"));
  const HarvestOutcome outcome = Quillet(kUrl, fake.run);
  ASSERT_EQ(fake.pages.requests.size(), 1u);
  EXPECT_EQ(fake.pages.requests[0], kUrl);
  const auto logs = ParseLogBlock(outcome.logs);
  ASSERT_EQ(logs.size(), 4u);
  EXPECT_EQ(logs[0].id, "0000001");
  EXPECT_EQ(logs[3].id, "0000004");
  EXPECT_EQ(outcome.kind, Kind::kLogs);
  EXPECT_TRUE(fake.messages.shown.empty());
  // The next benchmark starts its ids afresh.
  fake.pages.Add(kUrl, testing::ListingPage(
                           testing::LogRow("Found it", "7/4/2009", "Ann", "<p>Only</p>")));
  const auto next = ParseLogBlock(Quillet(kUrl, fake.run).logs);
  ASSERT_EQ(next.size(), 1u);
  EXPECT_EQ(next[0].id, "0000001");
  EXPECT_EQ(next[0].finder, "Ann");
}

TEST_F(QuilletTest, EmptyPageAsksAboutTheConnectionAndEndsTheScan) {
  fake.settings.listing_short_name = "marks.example.org";
  const HarvestOutcome outcome = Quillet(kUrl, fake.run);
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  const Message& shown = fake.messages.shown[0];
  EXPECT_EQ(shown.text,
            "There something wrong.  Are you connected to the Internet?  Perhaps there's a "
            "problem with the GPX file or with the marks.example.org website.\n"
            "empty answer from www.geocaching.com");
  EXPECT_EQ(shown.title, "Cannot Continue");
  EXPECT_EQ(shown.icon, MessageIcon::kError);
  EXPECT_EQ(outcome.kind, Kind::kNoPage);
  EXPECT_EQ(outcome.reason, "empty answer");
  EXPECT_EQ(outcome.logs, "");
  EXPECT_GT(fake.pages.requests.size(), 1u);  // the fetch tried again first
}

TEST_F(QuilletTest, NoBenchmarkNoticeWinsOverLogRows) {
  const std::string page = FixturePage("listing_no_benchmark.html") +
                           testing::LogRow("Found it", "7/4/2009", "Ann", "<p>x</p>");
  fake.pages.Add(kUrl, page);
  const HarvestOutcome outcome = Quillet(kUrl, fake.run);
  EXPECT_EQ(outcome.kind, Kind::kNoBenchmark);
  EXPECT_EQ(outcome.logs, "");
  EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(QuilletTest, PageWithoutExactRowMarkerHasNoLogs) {
  fake.pages.Add(kUrl, FixturePage("listing_no_logs.html"));
  const HarvestOutcome outcome = Quillet(kUrl, fake.run);
  EXPECT_EQ(outcome.kind, Kind::kNoLogs);
  EXPECT_EQ(outcome.logs, "");
  // The notice only counts in its exact letter case.
  fake.pages.Add(kUrl, "<p>no benchmark was found with that point id</p>");
  EXPECT_EQ(Quillet(kUrl, fake.run).kind, Kind::kNoLogs);
}

TEST_F(QuilletTest, AnotherPageOrOneTooLargeIsAnotherSitesAnswerAndNotAskedForAgain) {
  PageAnswer too_large{"", 200, "text/html", "answer larger than 16 MB"};
  too_large.too_large = true;
  const PageAnswer sign_in = ScriptedPageSource::OkAnswer("<title>Sign in</title>");
  const PageAnswer other = ScriptedPageSource::OkAnswer(FixturePage("listing_no_logs.html"));
  // A wall that wants a sign-in, whatever it shows (a captive portal: 511).
  const PageAnswer wall{"<title>KW1234</title>", 403, "text/html", "HTTP 403"};
  const PageAnswer portal{"", 511, "text/html", "HTTP 511"};
  for (const PageAnswer& answer : {sign_in, other, too_large, wall, portal}) {
    FakeRun run;
    run.pages.Add(kUrl, answer);
    const HarvestOutcome outcome = Quillet(kUrl, run.run, "KW1234");
    EXPECT_EQ(outcome.kind, Kind::kForeignPage) << answer.body;
    EXPECT_EQ(outcome.reason, "not a listing page");
    EXPECT_EQ(run.pages.requests.size(), 1u);
    EXPECT_TRUE(run.messages.shown.empty());
  }
}

TEST_F(QuilletTest, AUtf8DocumentGetsTheLogsInUtf8AndDecoded) {
  const std::string page = testing::ListingPage(
      "<meta charset=\"ISO-8859-1\">" +
      testing::LogRow("Found it", "7/4/2009", "Ren\xE9 &amp; Bob", "<p>caf\xE9</p>"));
  fake.pages.Add(kUrl, page);
  fake.state.ScanText = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<gpx>";
  auto logs = ParseLogBlock(Quillet(kUrl, fake.run).logs);
  ASSERT_EQ(logs.size(), 1u);
  EXPECT_EQ(logs[0].finder, "Ren\xC3\xA9 &amp; Bob");
  EXPECT_EQ(logs[0].text, "caf\xC3\xA9");
  // A document in another encoding takes the page exactly as it came.
  fake.state.ScanText = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<gpx>";
  fake.pages.Add(kUrl, page);
  logs = ParseLogBlock(Quillet(kUrl, fake.run).logs);
  ASSERT_EQ(logs.size(), 1u);
  EXPECT_EQ(logs[0].finder, "Ren\xE9 &amp;amp; Bob");
  // The answer's Content-Type names the charset before the page does.
  std::string block;
  ASSERT_TRUE(HarvestListingPage(page, "text/html; charset=windows-1251", "<gpx>", block));
  EXPECT_EQ(ParseLogBlock(block)[0].finder, "Ren\xD0\xB9 &amp; Bob");
}

TEST(ListingPage, OnlyAPageThatNamesThePidInItsTitleOrAHeadingIsItsListingPage) {
  const std::pair<std::string, bool> pages[] = {
      {testing::ListingPage(""), true},  // KW1234's page, without logs
      {testing::NoBenchmarkPage(), true},
      {"<h2><span id=\"lbPointID\">KW1234</span> <span>HANOVER</span></h2>", true},
      {"<HTML><TITLE>\r\n  KW1234  </TITLE></HTML>", true},
      {testing::ListingPageAround("KW1235", ""), false},  // another benchmark's
      {"<title>KW12345 - Benchmark Details</title>", false},
      {"<html><head><title>Sign in</title></head><body><h1>Sign in</h1>"
       "<a href=\"/account/signin?returnUrl=/mark/details.aspx?PID=KW1234\">KW1234</a>"
       "</body></html>", false},
      {"<title>Benchmark pages retired</title><h1>Benchmarks have moved</h1>", false},
      {"<h1>KW1234", false}};  // a heading never closed
  for (const auto& [page, listing] : pages) {
    EXPECT_EQ(IsListingPageOf(page, "KW1234"), listing) << page;
  }
}

}  // namespace
}  // namespace velmora
