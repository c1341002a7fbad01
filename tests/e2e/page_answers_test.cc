// The answers of the listing website as users meet them, through velmora-cli:
// error statuses that pass, pages in other character sets, character
// references and paragraphs; the result stays readable to other programs; a
// host that answers with another page, at once or after a redirect.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <map>
#include <mutex>

#include "server/listing_server.h"
#include "tests/e2e/e2e_support.h"
#include "tests/support/builders.h"
#include "tests/support/temp_dir.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace velmora::testing;
using ::testing::HasSubstr;

struct Answer {
  int status;
  std::string content_type;
  std::string body;
};

// A listing website that answers each PID from its own queue of answers; the
// last answer of a queue is repeated, an unknown PID gets the no-benchmark
// notice.
class PageAnswersTest : public ::testing::Test {
 protected:
  PageAnswersTest() {
    server_.Get("/mark/details.aspx", [this](const httplib::Request& request,
                                            httplib::Response& response) {
      const std::string pid = request.get_param_value("PID");
      std::lock_guard<std::mutex> lock(mutex_);
      Answer answer{200, "text/html", NoBenchmarkPage(pid)};
      auto found = answers_.find(pid);
      if (found != answers_.end() && !found->second.empty()) {
        answer = found->second.front();
        if (found->second.size() > 1) found->second.pop_front();
      }
      response.status = answer.status;
      response.set_content(answer.body, answer.content_type);
    });
    server_.Start();
  }

  void Script(const std::string& pid, std::deque<Answer> answers) {
    std::lock_guard<std::mutex> lock(mutex_);
    answers_[pid] = std::move(answers);
  }

  std::size_t RequestsFor(const std::string& pid) const {
    std::size_t count = 0;
    for (const RecordedRequest& request : server_.requests()) count += request.pid == pid;
    return count;
  }

  ProgramResult Run(const std::string& file, const std::string& document) {
    WriteFileBytes(folder_ / file, document);
    return RunCli(folder_.path(), {file}, server_.HostAndPort());
  }

  // gpsbabel's text of a result, with the logs.
  std::string GpsbabelText(const std::string& file) {
    const ProgramResult read = RunProgram(
        {"gpsbabel", {"-i", "gpx", "-f", file, "-o", "text,logs", "-F", "-"}, folder_.path(), {}});
    EXPECT_EQ(read.exit_status, 0) << read.err;
    EXPECT_EQ(read.err, "");
    return read.out;
  }

  void ExpectWellFormed(const std::string& file) {
    const ProgramResult check = RunProgram({"xmllint", {"--noout", file}, folder_.path(), {}});
    EXPECT_EQ(check.exit_status, 0) << check.err;
    EXPECT_EQ(check.err, "");
  }

  TempDir folder_;
  ListingServer server_;
  std::mutex mutex_;
  std::map<std::string, std::deque<Answer>> answers_;
};

const char kTerrainNoLogs[] = "<groundspeak:terrain>3</groundspeak:terrain>";

TEST_F(PageAnswersTest, ErrorAnswersAreRetriedUntilThePageComes) {
  Script("AB1234", {{500, "text/html", "<html><h1>Internal Server Error</h1></html>"},
                    {404, "text/html", "<html><h1>Not Found</h1></html>"},
                    {200, "text/html", ListingPage("AB1234", {{"Found it", "7/4/2009",
                                                               "trailrunner", "Disk fine."}})}});
  const ProgramResult run = Run("quads.gpx", Gpx11({Waypoint({"AB1234", "MILL 3"})}));
  EXPECT_EQ(run.exit_status, 0) << run.err;
  EXPECT_EQ(RequestsFor("AB1234"), 3u);
  const std::string result = ReadFileBytes(folder_ / "quads R.gpx");
  EXPECT_EQ(result.find(kTerrainNoLogs), std::string::npos);
  EXPECT_NE(GpsbabelText("quads R.gpx").find("Found it by trailrunner on 2009-07-04"),
            std::string::npos);
}

TEST_F(PageAnswersTest, APermanentErrorEndsInCannotContinueNotInNoLogs) {
  Script("AB1234", {{200, "text/html", ListingPage("AB1234", {{"Found it", "7/4/2009",
                                                               "trailrunner", "Disk fine."}})}});
  Script("AB1240", {{404, "text/html", "<html><h1>Not Found</h1></html>"}});
  const ProgramResult run = Run(
      "quads.gpx", Gpx11({Waypoint({"AB1234", "MILL 3"}), Waypoint({"AB1240", "TOWER"})}));
  EXPECT_EQ(run.exit_status, 3) << run.err;
  EXPECT_NE(run.err.find("There something wrong.  Are you connected to the Internet?"),
            std::string::npos) << run.err;
  EXPECT_EQ(RequestsFor("AB1240"), 29u);
  const std::string result = ReadFileBytes(folder_ / "quads R.gpx");
  EXPECT_EQ(result.find(kTerrainNoLogs), std::string::npos);
  EXPECT_NE(result.find("trailrunner"), std::string::npos);
}

// Four pages: windows-1252 undeclared, ISO-8859-1 named by the header (which
// wins over the page's own ISO-8859-15), ISO-8859-15 named by <meta charset>,
// and UTF-8 with references and paragraphs. The result is named after the
// last point only, beside an older result that stays untouched.
TEST_F(PageAnswersTest, PagesInOtherCharacterSetsAndReferencesComeOutReadable) {
  Script("AB1234", {{200, "text/html", ListingPage("AB1234", {{"Found it", "7/4/2009",
      "Ren\xE9 Dupr\xE9", "\x93Solid disk,\x94 he said \x96 no damage."}})}});
  Script("AB1235", {{200, "text/html; charset=ISO-8859-1", ListingPage("AB1235",
      {{"Found it", "8/1/2010", "J\xF6rg M\xFCller", "Paid \xA4 5 for parking."}},
      "<meta charset=\"ISO-8859-15\">")}});
  Script("AB1236", {{200, "text/html", ListingPage("AB1236",
      {{"Note", "9/2/2011", "Fran\xE7ois", "Parking costs 5 \xA4 now."}},
      "<meta charset=\"iso-8859-15\">")}});
  Script("AB1237", {{200, "text/html; charset=utf-8", ListingPage("AB1237",
      {{"Found it", "10/3/2012", "Ann &amp; Bob",
        "Caf&#233; nearby.</p><p>Second paragraph.</p>"}})}});
  const std::string older = "an older result, not to be touched\n";
  WriteFileBytes(folder_ / "boulder R.gpx", older);
  const ProgramResult run = Run("boulder.2011.gpx", Gpx11({
      Waypoint({"AB1234", "MILL 3"}), Waypoint({"AB1235", "TOWER"}),
      Waypoint({"AB1236", "RESET"}), Waypoint({"AB1237", "BRIDGE"})}));
  ASSERT_EQ(run.exit_status, 0) << run.err;
  EXPECT_EQ(ReadFileBytes(folder_ / "boulder R.gpx"), older);
  ASSERT_TRUE(fs::exists(folder_ / "boulder.2011 R.gpx"));
  ExpectWellFormed("boulder.2011 R.gpx");
  const std::string text = GpsbabelText("boulder.2011 R.gpx");
  for (const char* expected : {
           "Found it by Ren\xC3\xA9 Dupr\xC3\xA9 on 2009-07-04",
           "\xE2\x80\x9CSolid disk,\xE2\x80\x9D he said \xE2\x80\x93 no damage.",
           "Found it by J\xC3\xB6rg M\xC3\xBCller on 2010-08-01",
           "Paid \xC2\xA4 5 for parking.",
           "Note by Fran\xC3\xA7ois on 2011-09-02",
           "Parking costs 5 \xE2\x82\xAC now.",
           "Found it by Ann & Bob on 2012-10-03",
           "Caf\xC3\xA9 nearby.    Second paragraph."}) {  // two spaces a tag
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  }
  EXPECT_EQ(text.find("&amp;"), std::string::npos) << text;
  EXPECT_EQ(text.find("<p>"), std::string::npos) << text;
}

TEST(RetiredHost, AnotherPageStopsTheRunAtOnceAndWritesNothing) {
  struct Case {
    std::string name;
    std::vector<std::string> arguments;
    bool redirect;
    std::string path, advice, entry;
  };
  const std::string listing = "/mark/details.aspx?PID=AB1234";
  const std::string datasheet = "/cgi-bin/ds_mark.prl?PidBox=AB1234";
  const Case cases[] = {
      {"listing", {"quads.gpx"}, false, listing, "--source datasheet", "not a listing page"},
      {"listing, redirected", {"quads.gpx"}, true, "/retired", "Agency datasheets (web)",
       "not a listing page"},
      {"datasheet", {"--source", "datasheet", "quads.gpx"}, false, datasheet, "--datasheets FILE",
       "not a datasheet page"},
      {"datasheet, redirected", {"--source", "datasheet", "quads.gpx"}, true, "/retired",
       "--datasheets FILE", "not a datasheet page"}};
  const std::string document =
      Gpx11({Waypoint({"AB1234", "MILL 3"}), Waypoint({"AB1235", "TOWER"})});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir folder;
    WriteFileBytes(folder / "quads.gpx", document);
    ListingServer server;
    server.RetireAfter(0, c.redirect);
    server.Start();
    const ProgramResult run = RunCli(folder.path(), c.arguments, server.HostAndPort(),
                                     {{"VELMORA_DATASHEET_HOST", server.HostAndPort()}});
    EXPECT_EQ(run.exit_status, 3) << run.err;
    EXPECT_EQ(server.requests().size(), c.redirect ? 2u : 1u) << "asked for again";
    EXPECT_THAT(run.err, HasSubstr(server.HostAndPort() + " did not answer with "));
    EXPECT_THAT(run.err, HasSubstr("HTTP 200, \"Benchmark pages retired\", from http://" +
                                   server.HostAndPort() + c.path + "."));
    EXPECT_THAT(run.err, HasSubstr(c.advice));
    EXPECT_FALSE(fs::exists(folder / "quads R.gpx"));
    EXPECT_EQ(ReadFileBytes(folder / "quads.gpx"), document);
    EXPECT_THAT(ReadFileBytes(folder / "ErrorLog.txt"),
                HasSubstr("quads.gpx: 0 of 2 benchmarks; stopped: " + c.entry));
  }
}

}  // namespace
}  // namespace velmora
