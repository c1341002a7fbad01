#include "datasheet/datasheet_archive.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <zip.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/text.h"
#include "gpx/waypoints.h"
#include "datasheet/datasheet_collector.h"
#include "datasheet/datasheet_reader.h"
#include "tests/datasheet/datasheet_lines.h"
#include "tests/support/temp_dir.h"

namespace velmora::testing {
namespace {

using ::testing::HasSubstr;

const std::filesystem::path kFixtures = VELMORA_DATASHEET_FIXTURES;

std::string Fixture(const std::string& name) { return ReadFileBytes(kFixtures / name); }

// The LogBlock the reader makes of the PID's datasheet in the archive.
std::string BlockOf(const DatasheetArchive& archive, const std::string& pid) {
  const std::vector<std::string>* lines = archive.Find(pid);
  if (lines == nullptr) return "(none)";
  std::string block;
  HarvestDatasheetLines(*lines, pid, block);
  return block;
}

std::string BlockOfText(const std::string& text, const std::string& pid) {
  std::string block;
  HarvestDatasheet(text, pid, block);
  return block;
}

// Writes a zip holding the given files (a name ending in "/" is a folder),
// stored without compression so that their bytes can be found in it.
void WriteZip(const std::filesystem::path& path,
              const std::vector<std::pair<std::string, std::string>>& files) {
  int error = 0;
  zip_t* archive = zip_open(path.string().c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  ASSERT_NE(archive, nullptr) << error;
  for (const auto& [name, bytes] : files) {
    if (name.back() == '/') {
      ASSERT_GE(zip_dir_add(archive, name.c_str(), ZIP_FL_ENC_UTF_8), 0);
      continue;
    }
    zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
    const zip_int64_t index = zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8);
    ASSERT_GE(index, 0) << zip_strerror(archive);
    zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
  }
  ASSERT_EQ(zip_close(archive), 0) << zip_strerror(archive);
}

// A datasheet of one history row naming its own PID as the reporter.
std::string SmallDatasheet(const std::string& pid) {
  return "1        National Geodetic Survey,   Retrieval Date = MARCH 3, 2025\r\n" +
         EmptyLine(pid) + HistoryLine(pid, "2010", "GOOD", "R" + pid) +
         SectionLine(pid, "STATION RECOVERY (2010)") + EmptyLine(pid) +
         QuoteLine(pid, "RECOVERY NOTE BY GEOCACHING 2010 (" + pid + ")") +
         QuoteLine(pid, "FOUND.");
}

TEST(DatasheetArchive, TextArchiveKeepsOnlyTheFirstDatasheetsOfTheWantedPids) {
  const DatasheetArchive archive = DatasheetArchive::Read(
      (kFixtures / "state_archive.txt").string(), {"AB1234", "GH3456", "IJ7890", "ZZ0000"});
  EXPECT_EQ(archive.size(), 3u);
  EXPECT_EQ(archive.Find("ZZ0000"), nullptr);
  EXPECT_EQ(archive.Find("CD5678"), nullptr);  // in the file, not asked for
  const std::string text = Fixture("state_archive.txt");
  for (const std::string pid : {"AB1234", "GH3456", "IJ7890"}) {
    EXPECT_EQ(BlockOf(archive, pid), BlockOfText(text, pid)) << pid;
  }
  EXPECT_THAT(BlockOf(archive, "GH3456"), ::testing::Not(HasSubstr("SECONDCOPY")));
  // A saved page is read like the text it wraps.
  const DatasheetArchive page =
      DatasheetArchive::Read((kFixtures / "AB1234.html").string(), {"AB1234"});
  EXPECT_EQ(BlockOf(page, "AB1234"), BlockOfText(Fixture("AB1234.txt"), "AB1234"));
}

// CR LF pairs and lines cut between two chunks read as whole lines.
TEST(DatasheetArchive, ChunkSizeDoesNotChangeTheLinesKept) {
  const std::string text = Fixture("state_archive.txt") + ReplaceAll(SmallDatasheet("QR4444"),
                                                                      "\r\n", "\r");
  const std::set<std::string> pids = {"AB1234", "CD5678", "QR4444"};
  DatasheetCollector whole(pids);
  whole.Feed(text);
  whole.EndSource();
  const DatasheetArchive expected = whole.Finish();
  ASSERT_EQ(expected.size(), 3u);
  for (std::size_t chunk = 1; chunk <= 9; ++chunk) {
    DatasheetCollector collector(pids);
    for (std::size_t at = 0; at < text.size(); at += chunk) collector.Feed(text.substr(at, chunk));
    collector.EndSource();
    const DatasheetArchive archive = collector.Finish();
    for (const std::string& pid : pids) {
      ASSERT_NE(archive.Find(pid), nullptr) << chunk;
      EXPECT_EQ(*archive.Find(pid), *expected.Find(pid)) << pid << " in chunks of " << chunk;
    }
  }
}

TEST(DatasheetArchive, ZipOfManyTextFiles) {
  TempDir dir;
  std::string many;
  for (int i = 0; i < 300; ++i) {
    char pid[8];
    std::snprintf(pid, sizeof pid, "XY%04d", i);
    many += SmallDatasheet(pid);
  }
  many += SmallDatasheet("GH3456");  // a second copy, in a later file
  WriteZip(dir / "states.zip", {{"vt/", ""},
                                {"vt/state_archive.txt", Fixture("state_archive.txt")},
                                {"nh.txt", many}});
  const DatasheetArchive archive = DatasheetArchive::Read(
      (dir / "states.zip").string(), {"AB1234", "GH3456", "XY0000", "XY0150", "XY0299"});
  EXPECT_EQ(archive.size(), 5u);
  EXPECT_EQ(BlockOf(archive, "AB1234"), BlockOfText(Fixture("AB1234.txt"), "AB1234"));
  EXPECT_THAT(BlockOf(archive, "GH3456"), HasSubstr("FIRSTCOPY"));
  EXPECT_THAT(BlockOf(archive, "XY0150"), HasSubstr(">GEOCACHING (XY0150)<"));
  EXPECT_THAT(BlockOf(archive, "XY0299"), HasSubstr(">GEOCACHING (XY0299)<"));
}

struct Refusal {
  std::string name;
  std::function<void(const std::filesystem::path&)> make;
  std::string reason;
};

TEST(DatasheetArchive, RefusesUnusableFilesNamingFileAndReason) {
  const std::string error_page =
      "<html><body><h1>Server Too Busy</h1><p>Try again later.</p></body></html>\n";
  const std::vector<Refusal> refusals = {
      {"missing.txt", [](const auto&) {}, "it does not exist"},
      {"folder.zip", [](const auto& p) { std::filesystem::create_directory(p); }, "a folder"},
      {"empty.txt", [](const auto& p) { WriteFileBytes(p, ""); }, "it is empty"},
      {"error.txt", [&](const auto& p) { WriteFileBytes(p, error_page); }, "holds no datasheet"},
      {"page.zip", [&](const auto& p) { WriteFileBytes(p, error_page); }, "not a zip archive"},
      {"empty.zip",
       [](const auto& p) { WriteFileBytes(p, std::string("PK\x05\x06", 4) + std::string(18, '\0')); },
       "the zip archive is empty"},
      {"crc.zip",
       [](const auto& p) {
         WriteZip(p, {{"a.txt", SmallDatasheet("AB1234")}});
         WriteFileBytes(p, ReplaceAll(ReadFileBytes(p), "FOUND.", "FOUND!"));
       },
       "its file \"a.txt\" is damaged (CRC error)"},
      {"cut.zip",
       [](const auto& p) {
         WriteZip(p, {{"a.txt", SmallDatasheet("AB1234")}});
         const std::string bytes = ReadFileBytes(p);
         WriteFileBytes(p, bytes.substr(0, bytes.size() / 2));
       },
       "zip archive"},
      {"no_sheet.zip", [](const auto& p) { WriteZip(p, {{"a.txt", "hello\r\n"}}); },
       "holds no datasheet"},
      {"huge.txt",
       [](const auto& p) {
         std::string sheet;
         while (sheet.size() <= 1024 * 1024) sheet += QuoteLine("AB1234", std::string(70, 'X'));
         WriteFileBytes(p, SmallDatasheet("CD5678") + sheet);
       },
       "the datasheet of AB1234 is damaged (it is over 1 MB)"},
  };
  TempDir dir;
  for (const Refusal& refusal : refusals) {
    const std::filesystem::path path = dir / refusal.name;
    refusal.make(path);
    try {
      DatasheetArchive::Read(path.string(), {"AB1234"});
      ADD_FAILURE() << refusal.name << " was accepted";
    } catch (const DatasheetArchiveError& error) {
      EXPECT_THAT(error.what(), HasSubstr("\"" + path.string() + "\"")) << refusal.name;
      EXPECT_THAT(error.what(), HasSubstr(refusal.reason)) << refusal.name;
    }
  }
}

struct LineReading {
  std::string what;
  std::string file;  // the archive's bytes around the note line
  bool to_utf8;
  std::string text;  // the log text the block holds
};

// A text file is read as written; a page (first non-blank character "<")
// loses its tags and has its references decoded; a line that is not UTF-8 is
// windows-1252 for a UTF-8 document and bytes as they are otherwise; a line
// is cut at 4096 bytes.
TEST(DatasheetArchive, EachLineAsItsFileAndTheDocumentNeedIt) {
  const std::string pid = "AB1234";
  const auto sheet = [&](const std::string& note) {
    return HistoryLine(pid, "2010", "GOOD", "NGS") + SectionLine(pid, "STATION RECOVERY (2010)") +
           EmptyLine(pid) + QuoteLine(pid, "RECOVERY NOTE BY GEOCACHING 2010") +
           QuoteLine(pid, note);
  };
  const std::string tagged = "POINT A<B AND C>D &amp; E";
  const std::vector<LineReading> readings = {
      {"text", sheet(tagged), true, "POINT A&lt;B AND C&gt;D &amp;amp; E"},
      {"page", "  <html><pre>\n" + sheet(tagged), true, "POINT AD &amp; E"},
      {"latin-1", sheet("SAN GERM\xC1N"), true, "SAN GERM\xC3\x81N"},
      {"latin-1 kept", sheet("SAN GERM\xC1N"), false, "SAN GERM\xC1N"},
      {"long", sheet(std::string(10000, 'X')), true, std::string(4088, 'X')},
  };
  TempDir dir;
  for (const LineReading& reading : readings) {
    WriteFileBytes(dir / "a.txt", reading.file);
    const DatasheetArchive archive =
        DatasheetArchive::Read((dir / "a.txt").string(), {pid}, reading.to_utf8);
    EXPECT_THAT(BlockOf(archive, pid),
                HasSubstr("<groundspeak:text encoded=\"False\">" + reading.text + "</"))
        << reading.what;
  }
  // Columns count characters: a row's accented condition keeps its Report By.
  std::string accents, accents_utf8;
  for (int i = 0; i < 16; ++i) accents += "\xC9", accents_utf8 += "\xC3\x89";
  WriteFileBytes(dir / "a.txt", HistoryLine(pid, "2011", accents, "MU\xD1OZ"));
  EXPECT_THAT(BlockOf(DatasheetArchive::Read((dir / "a.txt").string(), {pid}), pid),
              HasSubstr(">MU\xC3\x91OZ</groundspeak:finder>\r\n      "
                        "<groundspeak:text encoded=\"False\">" + accents_utf8 + "<"));
}

TEST(BenchmarkPids, FirstSixCharactersOfWaypointNames) {
  const std::string gpx =
      "<gpx><metadata><name>My benchmarks</name></metadata>\r\n"
      "<wpt lat=\"1\" lon=\"2\"><name>AB1234</name><desc>x</desc></wpt>\r\n"
      "<wpt lat=\"1\" lon=\"2\">\r\n  <name>CD5678-xyz </name>\r\n"
      "  <groundspeak:name>LONG NAME HERE</groundspeak:name></wpt>\r\n"
      "<wpt lat=\"1\" lon=\"2\"><name>SHORT</name></wpt>\r\n"
      "<wpt lat=\"1\" lon=\"2\"><desc>no name</desc></wpt><rte><name>ROUTE NAME</name></rte>\r\n"
      "<wptx><name>NOTAWP</name></wptx>\r\n"
      "<wpt lat=\"1\" lon=\"2\"><name>AB1234</name></wpt>\r\n"
      "<wpt lat=\"1\" lon=\"2\"><name>EF9012";  // cut short
  EXPECT_THAT(BenchmarkPids(gpx), ::testing::ElementsAre("AB1234", "CD5678"));
  EXPECT_THAT(BenchmarkPids(""), ::testing::IsEmpty());
}

TEST(BenchmarkPids, CountsTheWaypointsARunFetches) {
  const std::string logs = "<groundspeak:logs>\r\n</groundspeak:logs>";
  const std::string gpx =
      "<gpx><metadata><name>My benchmarks</name>" + logs + "</metadata>\r\n"
      "<wpt><name>AB1234</name><groundspeak:cache>" + logs + "</groundspeak:cache></wpt>\r\n"
      "<wpt><name>SHORT</name>" + logs + "</wpt>\r\n"           // no PID: skipped
      "<wpt><name>CD5678 TOWER</name><desc>x</desc></wpt>\r\n"  // no log zone
      "<wpt><name>AB1234</name>" + logs + "</wpt>\r\n"          // fetched again
      "<wpt><desc>x</desc>" + logs + "<name>EF9012</name></wpt>";
  EXPECT_EQ(CountBenchmarks(gpx), 3);
  EXPECT_EQ(CountBenchmarks(""), 0);
}

}  // namespace
}  // namespace velmora::testing
