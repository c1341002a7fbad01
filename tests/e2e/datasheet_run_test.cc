// velmora-cli with the logs from the agency's datasheets, run as a user
// would: from a loopback datasheet host, and from a downloaded archive as
// text and as zip; a damaged archive is refused before anything is written.
#include <gtest/gtest.h>
#include <zip.h>

#include <algorithm>
#include <filesystem>

#include "core/text.h"
#include "server/listing_server.h"
#include "tests/e2e/e2e_support.h"
#include "tests/logs/parsed_logs.h"
#include "tests/support/builders.h"
#include "tests/support/temp_dir.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace velmora::testing;

const fs::path kFixtures = VELMORA_DATASHEET_FIXTURES;

// The log element texts of the waypoint named `pid` in a result document.
std::vector<ParsedLog> LogsOf(const std::string& result, const std::string& pid) {
  const std::size_t name = result.find("<name>" + pid);
  const std::size_t open = result.find("<groundspeak:logs>", name);
  const std::size_t close = result.find("</groundspeak:logs>", open);
  if (name == std::string::npos || close == std::string::npos) return {};
  // The inserted block: from the line break before its first log to the one
  // before the closing tag.
  const std::size_t start = result.find("\r\n    <groundspeak:log ", open);
  const std::size_t end = result.rfind("\r\n", close);
  if (start > end) return {};
  return ParseLogBlock(result.substr(start, end - start));
}

// The first character of the waypoint's terrain: the mark of a special outcome.
char TerrainMarkOf(const std::string& result, const std::string& pid) {
  const std::string tag = "<groundspeak:terrain>";
  return result.at(result.find(tag, result.find("<name>" + pid)) + tag.size());
}

void WriteZip(const fs::path& path, const std::string& name, const std::string& bytes) {
  int error = 0;
  zip_t* archive = zip_open(path.string().c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  ASSERT_NE(archive, nullptr) << error;
  zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
  ASSERT_GE(zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8), 0);
  ASSERT_EQ(zip_close(archive), 0);
}

// A document of three benchmarks: AB1234 (a full datasheet with a datasheet
// link in its description), GH3456 (in the archive only) and ZZ9999 (known
// nowhere); a datasheet host serving AB1234's page.
class DatasheetRunTest : public ::testing::Test {
 protected:
  DatasheetRunTest() {
    server_.ServeDatasheetPages({{"AB1234", ReadFileBytes(kFixtures / "AB1234.txt")}});
    server_.ServeListingPages({});
    server_.Start();
    link_ = "http://" + server_.HostAndPort() + "/cgi-bin/ds_mark.prl?PidBox=AB1234";
    WriteFileBytes(folder_ / "quads.gpx",
                   Gpx11({Waypoint({"AB1234", "BRAMBLE HILL", true, "Datasheet: " + link_}),
                          Waypoint({"GH3456", "GRANITE"}), Waypoint({"ZZ9999", "NOWHERE"})}));
  }

  ProgramResult Run(const std::vector<std::string>& arguments) {
    return RunCli(folder_.path(), arguments, server_.HostAndPort(),
                  {{"VELMORA_DATASHEET_HOST", server_.HostAndPort()}});
  }

  // What every datasheet run gives for AB1234 and ZZ9999, checked in the file
  // and as xmllint and gpsbabel read it.
  void ExpectBrambleHillResult() {
    const std::string result = ReadFileBytes(folder_ / "quads R.gpx");
    const std::vector<ParsedLog> logs = LogsOf(result, "AB1234");
    ASSERT_EQ(logs.size(), 7u);
    EXPECT_EQ(logs[0].id, "0000001");
    EXPECT_EQ(logs[0].date, "2004-05-12");
    EXPECT_EQ(logs[0].type, "Didn't find it");
    EXPECT_EQ(logs[0].finder, "US POWER SQUADRON (JWS)");
    EXPECT_EQ(logs[1].finder, "USPSQD");
    EXPECT_EQ(logs[1].text, "GOOD");
    EXPECT_EQ(logs[6].date, "1933-01-01");
    EXPECT_EQ(logs[6].type, "Write note");
    EXPECT_EQ(TerrainMarkOf(result, "ZZ9999"), '4');
    EXPECT_TRUE(Contains(result, link_)) << "the datasheet link is left as it is";

    const ProgramResult lint = RunProgram({"xmllint", {"--noout", "quads R.gpx"}, folder_.path(), {}});
    EXPECT_EQ(lint.exit_status, 0) << lint.err;
    const ProgramResult read = RunProgram(
        {"gpsbabel", {"-i", "gpx", "-f", "quads R.gpx", "-o", "text,logs", "-F", "-"},
         folder_.path(), {}});
    ASSERT_EQ(read.exit_status, 0) << read.err;
    for (const char* shown : {"Didn't find it by US POWER SQUADRON (JWS)", "Found it by USPSQD",
                              "Found it by GEOLOGICAL SURVEY",
                              "Write note by COAST AND GEODETIC SURVEY (RDH)"}) {
      EXPECT_TRUE(Contains(read.out, shown)) << shown << "\n" << read.out;
    }
  }

  std::size_t RequestsTo(const std::string& path) const {
    const std::vector<RecordedRequest> requests = server_.requests();
    return static_cast<std::size_t>(std::count_if(
        requests.begin(), requests.end(), [&](const RecordedRequest& r) { return r.path == path; }));
  }

  TempDir folder_;
  ListingServer server_;
  std::string link_;
};

TEST_F(DatasheetRunTest, FromTheDatasheetHost) {
  const ProgramResult run = Run({"--source", "datasheet", "quads.gpx"});
  ASSERT_EQ(run.exit_status, 0) << run.err;
  ExpectBrambleHillResult();
  EXPECT_EQ(TerrainMarkOf(ReadFileBytes(folder_ / "quads R.gpx"), "GH3456"), '4');
  EXPECT_EQ(RequestsTo("/cgi-bin/ds_mark.prl"), 3u);
  EXPECT_EQ(RequestsTo("/mark/details.aspx"), 0u);
  EXPECT_EQ(server_.requests().front().pid, "AB1234");
}

TEST_F(DatasheetRunTest, FromAnArchiveAsTextAndAsZipWithoutTheNetwork) {
  const fs::path text = kFixtures / "state_archive.txt";
  WriteZip(folder_ / "vt.zip", "vt/state_archive.txt", ReadFileBytes(text));
  for (const std::string& archive : {text.string(), std::string("vt.zip")}) {
    SCOPED_TRACE(archive);
    fs::remove(folder_ / "quads R.gpx");
    // --datasheets wins over the environment's listing source.
    const ProgramResult run = RunCli(folder_.path(), {"--datasheets", archive, "quads.gpx"},
                                     server_.HostAndPort(), {{"VELMORA_LOG_SOURCE", "listing"}});
    ASSERT_EQ(run.exit_status, 0) << run.err;
    ExpectBrambleHillResult();
    const std::vector<ParsedLog> granite = LogsOf(ReadFileBytes(folder_ / "quads R.gpx"), "GH3456");
    EXPECT_FALSE(granite.empty());
  }
  // A relative FILE still names the same file once the run works in the
  // folder of another folder's GPX file.
  fs::create_directory(folder_ / "trip");
  fs::copy_file(folder_ / "quads.gpx", folder_ / "trip" / "quads.gpx");
  const ProgramResult elsewhere =
      RunCli(folder_.path(), {"--datasheets", "vt.zip", "trip/quads.gpx"}, "");
  ASSERT_EQ(elsewhere.exit_status, 0) << elsewhere.err;
  EXPECT_EQ(LogsOf(ReadFileBytes(folder_ / "trip" / "quads R.gpx"), "AB1234").size(), 7u);
  EXPECT_TRUE(server_.requests().empty());
}

// A page in windows-1252 arrives in the UTF-8 result as UTF-8.
TEST_F(DatasheetRunTest, APageInAnotherCharacterSetArrivesInUtf8) {
  ListingServer latin;
  latin.ServeDatasheetPages({{"AB1234", ReplaceAll(ReadFileBytes(kFixtures / "AB1234.txt"),
                                                   "QUARRIED AWAY", "QUARRI\xC9 AWAY")}});
  latin.Start();
  const ProgramResult run = RunCli(folder_.path(), {"--source", "datasheet", "quads.gpx"}, "",
                                   {{"VELMORA_DATASHEET_HOST", latin.HostAndPort()}});
  ASSERT_EQ(run.exit_status, 0) << run.err;
  EXPECT_TRUE(Contains(ReadFileBytes(folder_ / "quads R.gpx"), "QUARRI\xC3\x89 AWAY"));
  const ProgramResult lint = RunProgram({"xmllint", {"--noout", "quads R.gpx"}, folder_.path(), {}});
  EXPECT_EQ(lint.exit_status, 0) << lint.err;
}

TEST_F(DatasheetRunTest, AnUnusableArchiveIsRefusedBeforeAnythingIsWritten) {
  WriteFileBytes(folder_ / "damaged.zip", "PK\x03\x04 this is not a zip archive at all");
  for (const char* archive : {"damaged.zip", "missing.txt"}) {
    SCOPED_TRACE(archive);
    const ProgramResult run = Run({"--datasheets", archive, "quads.gpx"});
    EXPECT_EQ(run.exit_status, 7);
    EXPECT_TRUE(Contains(run.err, archive)) << run.err;
    EXPECT_TRUE(Contains(run.err, "Nothing was written.")) << run.err;
    EXPECT_FALSE(fs::exists(folder_ / "quads R.gpx"));
    EXPECT_FALSE(fs::exists(folder_ / "ErrorLog.txt"));
  }
  EXPECT_TRUE(server_.requests().empty());
}

}  // namespace
}  // namespace velmora
