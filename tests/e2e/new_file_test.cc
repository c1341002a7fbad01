// velmora-cli new, run as a user would: a new GPX file from a datasheet
// archive (text and zip) by each kind of selection, and from a loopback
// datasheet host; then a run over the new file with the same datasheets.
#include <gtest/gtest.h>
#include <zip.h>

#include <filesystem>

#include "core/text.h"
#include "server/listing_server.h"
#include "tests/datasheet/datasheet_lines.h"
#include "tests/e2e/e2e_support.h"
#include "tests/support/temp_dir.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace velmora::testing;

const std::vector<MarkSheet> kMarks = {
    {"AA0001", "CENTRE", "TX/BEXAR", "29 29 52.     (N) 098 37 22.     (W)"},
    {"AA0002", "TWO MILES", "TX/BEXAR", "29 31 52.     (N) 098 37 22.     (W)"},
    {"AA0003", "FAR AWAY", "TX/BEXAR", "29 35 52.     (N) 098 37 22.     (W)"},
    {"AA0004", "NO POSITION", "TX/BEXAR", ""},
    {"AA0005", "GONE", "TX/BEXAR", "29 29 53.     (N) 098 37 22.     (W)", "DESTROYED"},
    {"AA0006", "ACROSS", "TX/TRAVIS", "29 30 22.     (N) 098 37 22.     (W)"},
};

// The <name> texts of the document's waypoints, in order.
std::vector<std::string> Names(const std::string& document) {
  std::vector<std::string> names;
  for (std::size_t at = document.find("<wpt "); at != std::string::npos;
       at = document.find("<wpt ", at + 1)) {
    const std::size_t start = document.find("<name>", at) + 6;
    names.push_back(document.substr(start, document.find("</name>", start) - start));
  }
  return names;
}

class NewFileTest : public ::testing::Test {
 protected:
  NewFileTest() {
    std::string archive;
    for (const MarkSheet& mark : kMarks) archive += MarkDatasheet(mark);
    WriteFileBytes(folder_ / "state.txt", archive);
    int error = 0;
    zip_t* zip = zip_open((folder_ / "state.zip").c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    zip_file_add(zip, "TX.txt", zip_source_buffer(zip, archive.data(), archive.size(), 0), 0);
    zip_close(zip);
  }

  ProgramResult Cli(const std::vector<std::string>& arguments, const std::string& host = "") {
    return RunCli(folder_.path(), arguments, "", {{"VELMORA_DATASHEET_HOST", host}});
  }
  std::string Read(const std::string& name) { return ReadFileBytes(folder_ / name); }

  TempDir folder_;
};

TEST_F(NewFileTest, NearAPointNearestFirstValidAndUnchangedByARun) {
  const std::vector<std::string> near = {"new", "near.gpx", "--datasheets", "state.zip",
                                         "--near", "29.4977778,-98.6227778", "--within", "5km"};
  const ProgramResult made = Cli(near);
  ASSERT_EQ(made.exit_status, 0) << made.err;
  EXPECT_EQ(made.err, "Wrote near.gpx: 3 marks; 1 destroyed\n");
  const std::string file = Read("near.gpx");
  EXPECT_EQ(Names(file), (std::vector<std::string>{"AA0001", "AA0006", "AA0002"}));
  EXPECT_TRUE(Contains(file, "<wpt lat=\"29.5311111\" lon=\"-98.6227778\">"));
  const std::string schema = std::string(VELMORA_REAL_DATA) + "/schemas/gpx11_groundspeak.xsd";
  if (fs::exists(schema)) {
    const ProgramResult lint =
        RunProgram({"xmllint", {"--noout", "--schema", schema, "near.gpx"}, folder_.path(), {}});
    EXPECT_EQ(lint.exit_status, 0) << lint.err;
  }
  const ProgramResult listed = RunProgram(
      {"gpsbabel", {"-i", "gpx", "-f", "near.gpx", "-o", "text,logs", "-F", "-"}, folder_.path(), {}});
  EXPECT_EQ(ReplaceAll(listed.out, "Found it by US POWER SQUADRON (ABC) on 2011-01-01", "")
                .size(),
            listed.out.size() - 3 * 49)
      << listed.out;

  // The run changes only the bare PID names, which it lengthens as always.
  const ProgramResult run = Cli({"--datasheets", "state.zip", "near.gpx"});
  ASSERT_EQ(run.exit_status, 0) << run.err;
  std::string expected = file;
  for (const MarkSheet& mark : kMarks) {
    expected = ReplaceAll(expected, "<name>" + mark.pid + "</name>",
                          "<name>" + mark.pid + " " + mark.designation + "</name>");
  }
  EXPECT_EQ(Read("near R.gpx"), expected);

  const ProgramResult again = Cli(near);
  EXPECT_EQ(again.exit_status, 7);
  EXPECT_TRUE(Contains(again.err, "near.gpx exists already")) << again.err;
  EXPECT_EQ(Read("near.gpx"), file);
}

TEST_F(NewFileTest, CountyInArchiveOrderWithWhatWasLeftOut) {
  const ProgramResult made =
      Cli({"new", "county.gpx", "--datasheets", "state.txt", "--county", " tx/bexar "});
  ASSERT_EQ(made.exit_status, 0) << made.err;
  EXPECT_EQ(made.err, "Wrote county.gpx: 3 marks; 1 without a position, 1 destroyed\n");
  EXPECT_EQ(Names(Read("county.gpx")), (std::vector<std::string>{"AA0001", "AA0002", "AA0003"}));

  const ProgramResult all = Cli({"new", "all.gpx", "--datasheets", "state.txt", "--county",
                                 "TX/BEXAR", "--include-destroyed"});
  ASSERT_EQ(all.exit_status, 0) << all.err;
  EXPECT_TRUE(Contains(Read("all.gpx"), "id=\"AA0005\" available=\"True\" archived=\"True\""));

  const ProgramResult none =
      Cli({"new", "none.gpx", "--datasheets", "state.txt", "--county", "TX/NOWHERE"});
  EXPECT_EQ(none.exit_status, 8);
  EXPECT_FALSE(fs::exists(folder_ / "none.gpx"));
}

TEST_F(NewFileTest, PidsFromAListFileInArchiveOrder) {
  WriteFileBytes(folder_ / "pids.txt", "AA0006\r\nAA0001\r\n\r\nZZ9999\r\n");
  const ProgramResult made =
      Cli({"new", "pids.gpx", "--datasheets", "state.txt", "--pids", "@pids.txt"});
  ASSERT_EQ(made.exit_status, 0) << made.err;
  EXPECT_EQ(made.err, "Wrote pids.gpx: 2 marks; 1 without a datasheet\n");
  EXPECT_EQ(Names(Read("pids.gpx")), (std::vector<std::string>{"AA0001", "AA0006"}));
}

TEST_F(NewFileTest, PidsFromTheWebInListOrderAndNothingFromAnotherHost) {
  ListingServer agency;
  agency.ServeDatasheetPages(
      {{"AA0001", MarkDatasheet(kMarks[0])}, {"AA0002", MarkDatasheet(kMarks[1])}});
  agency.Start();
  const ProgramResult made =
      Cli({"new", "web.gpx", "--pids", "AA0002,aa0001,ZZ9999"}, agency.HostAndPort());
  ASSERT_EQ(made.exit_status, 0) << made.err;
  EXPECT_TRUE(Contains(made.err, "Wrote web.gpx: 2 marks; 1 without a datasheet\n")) << made.err;
  EXPECT_EQ(Names(Read("web.gpx")), (std::vector<std::string>{"AA0002", "AA0001"}));
  EXPECT_EQ(agency.requests().size(), 3u);

  ListingServer parked;
  parked.Get("/cgi-bin/ds_mark.prl", [](const httplib::Request&, httplib::Response& response) {
    response.set_content("<html><title>This domain is for sale</title></html>", "text/html");
  });
  parked.Start();
  const ProgramResult refused = Cli({"new", "parked.gpx", "--pids", "AA0001"}, parked.HostAndPort());
  EXPECT_EQ(refused.exit_status, 3);
  EXPECT_TRUE(Contains(refused.err, "not the agency's datasheet page")) << refused.err;
  EXPECT_FALSE(fs::exists(folder_ / "parked.gpx"));
}

}  // namespace
}  // namespace velmora
