#include "datasheet/datasheet_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/text.h"
#include "datasheet/datasheet_text.h"
#include "tests/datasheet/datasheet_lines.h"
#include "tests/logs/parsed_logs.h"
#include "tests/support/temp_dir.h"

namespace velmora::testing {
namespace {

const std::filesystem::path kFixtures = VELMORA_DATASHEET_FIXTURES;

struct Log {
  std::string date, type, finder, text;
  bool operator==(const Log&) const = default;
};

void PrintTo(const Log& log, std::ostream* out) {
  *out << "{" << log.date << " | " << log.type << " | " << log.finder << " | " << log.text << "}";
}

// The logs of the PID's datasheet, checking the ids count from 0000001.
std::vector<Log> Logs(std::string_view text, std::string_view pid) {
  std::string block;
  EXPECT_EQ(HarvestDatasheet(text, pid, block), DatasheetOutcome::kLogs);
  std::vector<Log> logs;
  int number = 0;
  for (const ParsedLog& log : ParseLogBlock(block)) {
    char id[16];
    std::snprintf(id, sizeof id, "%07d", ++number);
    EXPECT_EQ(log.id, id);
    logs.push_back({log.date, log.type, log.finder, log.text});
  }
  return logs;
}

std::string Fixture(const std::string& name) { return ReadFileBytes(kFixtures / name); }

const std::vector<Log> kBrambleHill = {
    {"2004-05-12", "Didn't find it", "US POWER SQUADRON (JWS)",
     "SEARCHED 30 MINUTES WITH A METAL DETECTOR, THE RIDGE HAS BEEN QUARRIED AWAY &amp; THE "
     "MARK IS PRESUMED LOST."},
    {"1983-06-11", "Found it", "USPSQD", "GOOD"},
    {"1975-01-01", "Write note", "NATIONAL GEODETIC SURVEY (DRF)",
     "MARK IS 0.3 FT BELOW THE SURFACE OF THE GROUND."},
    {"1961-01-01", "Write note", "COAST AND GEODETIC SURVEY (WMT)", "RECOVERED AS DESCRIBED."},
    {"1954-09-15", "Found it", "GEOLOGICAL SURVEY", "DISK BENT BY A PLOW."},
    {"1954-09-01", "Found it", "COAST AND GEODETIC SURVEY (ELJ)",
     "STATION AND ALL MARKS WERE RECOVERED IN GOOD CONDITION."},
    {"1933-01-01", "Write note", "COAST AND GEODETIC SURVEY (RDH)",
     "ABOUT 2 MILES NORTH OF BRAMBLE, ON THE HIGHEST PART OF THE RIDGE. TO REACH FROM "
     "BRAMBLE, GO NORTH 1.2 MILES ON ROUTE 9 TO A GRAVEL ROAD.  STATION MARK IS A STANDARD "
     "DISK IN CONCRETE."},
};

// Rows of both date forms and UNK, two rows in one year, a row without a
// note, a note without a row (1975), a block taken by the UNK row (1961),
// wrapped lines, a paragraph break, initials missing; CR LF line ends.
TEST(DatasheetReader, PairsRowsAndBlocksNewestFirst) {
  EXPECT_THAT(Logs(Fixture("AB1234.txt"), "AB1234"), ::testing::ElementsAreArray(kBrambleHill));
}

TEST(DatasheetReader, HtmlPageAndEveryLineEndGiveTheSameBlock) {
  const std::string text = Fixture("AB1234.txt");
  std::string expected;
  ASSERT_EQ(HarvestDatasheet(text, "AB1234", expected), DatasheetOutcome::kLogs);
  for (const std::string& variant :
       {Fixture("AB1234.html"), ReplaceAll(text, "\r\n", "\n"), ReplaceAll(text, "\r\n", "\r")}) {
    std::string block = "left over";
    EXPECT_EQ(HarvestDatasheet(variant, "AB1234", block), DatasheetOutcome::kLogs);
    EXPECT_EQ(block, expected);
  }
}

TEST(DatasheetReader, EqualDatesLaterInTheDatasheetFirstAndOwnBlocksAfterRows) {
  const std::string pid = "KL1111";
  const std::string sheet =
      HistoryLine(pid, "Date", "Condition", "Report By") + HistoryLine(pid, "1990", "GOOD", "CGS") +
      HistoryLine(pid, "1990", "POOR", "NGS") + HistoryLine(pid, "UNK", "NOT FOUND", "USGS") +
      HistoryLine(pid, "1992", "DESTROYED", "NGS") + SectionLine(pid, "STATION RECOVERY (1990)") +
      EmptyLine(pid) + QuoteLine(pid, "RECOVERY NOTE BY GEOCACHING 1990 (AB)") +
      QuoteLine(pid, "ONE.") + SectionLine(pid, "STATION RECOVERY (1990)") + EmptyLine(pid) +
      QuoteLine(pid, "RECOVERY NOTE BY GEOCACHING 1990 (CD)") + QuoteLine(pid, "TWO.") +
      SectionLine(pid, "STATION RECOVERY (1990)") + EmptyLine(pid) +
      QuoteLine(pid, "RECOVERY NOTE BY GEOCACHING 1990 (EF)") + QuoteLine(pid, "THREE.") +
      SectionLine(pid, "STATION RECOVERY (1990)") + EmptyLine(pid) +
      QuoteLine(pid, "RECOVERY NOTE BY GEOCACHING 1990 (GH)") + QuoteLine(pid, "FOUR.");
  // Blocks 1 and 2 go to the 1990 rows, block 3 to the UNK row (which then
  // dates 1990 and stands after them), block 4 stands alone.
  EXPECT_THAT(Logs(sheet, pid),
              ::testing::ElementsAre(Log{"1992-01-01", "Didn't find it", "NGS", "DESTROYED"},
                                     Log{"1990-01-01", "Write note", "GEOCACHING (GH)", "FOUR."},
                                     Log{"1990-01-01", "Didn't find it", "GEOCACHING (EF)",
                                         "THREE."},
                                     Log{"1990-01-01", "Found it", "GEOCACHING (CD)", "TWO."},
                                     Log{"1990-01-01", "Found it", "GEOCACHING (AB)", "ONE."}));
}

TEST(DatasheetReader, UnknownDatesAndBlocksWithoutAuthorOrYear) {
  const std::string pid = "MN2222";
  const std::string sheet =
      HistoryLine(pid, "UNK", "GOOD", "NGS") + HistoryLine(pid, "UNK", "FIRST OBSERVED", "USGS") +
      SectionLine(pid, "STATION DESCRIPTION") + EmptyLine(pid) +
      QuoteLine(pid, "A DESCRIPTION WITHOUT ITS AUTHOR LINE.") + QuoteLine(pid, "  ") +
      QuoteLine(pid, "") + QuoteLine(pid, "  SECOND PARAGRAPH.  ") + EmptyLine(pid) +
      SectionLine(pid, "STATION RECOVERY (2011)") + EmptyLine(pid) +
      QuoteLine(pid, "RECOVERY NOTE BY GEOCACHING 2011 B&B") +
      QuoteLine(pid, "SAID \"O'K\", DEPTH < 5 FT.");
  EXPECT_THAT(
      Logs(sheet, pid),
      ::testing::ElementsAre(
          Log{"2011-01-01", "Found it", "GEOCACHING 2011 B&amp;B",
              "SAID &quot;O&apos;K&quot;, DEPTH &lt; 5 FT."},
          Log{"1899-12-30", "Found it", "NGS",
              "A DESCRIPTION WITHOUT ITS AUTHOR LINE.  SECOND PARAGRAPH."}));
}

TEST(DatasheetReader, LongLinesAreCutBetweenCharacters) {
  const std::string line = " AB1234'" + std::string(4087, 'X') + "\xC3\x89" + "TAIL";
  EXPECT_EQ(CutDatasheetLine(line), std::string_view(line).substr(0, 4095));
  EXPECT_EQ(CutDatasheetLine(line.substr(0, 4096)), line.substr(0, 4096));
  EXPECT_EQ(DatasheetLines(line + "\r\nNEXT").front(), line.substr(0, 4095));
}

TEST(DatasheetReader, ADatasheetOverAMegabyteIsDamaged) {
  std::string page = HistoryLine("AB1234", "2010", "GOOD", "NGS");
  while (page.size() <= 1024 * 1024) page += QuoteLine("AB1234", std::string(70, 'X'));
  std::string block;
  EXPECT_EQ(HarvestDatasheet(page, "AB1234", block), DatasheetOutcome::kDamaged);
  EXPECT_EQ(block, "");
}

TEST(DatasheetReader, OnlyTheAgencysAnswerForThePidIsTheAgencys) {
  const std::pair<std::string, bool> answers[] = {
      {"<pre>\n" + HistoryLine("AB1234", "2011", "GOOD", "NGS") + "</pre>", true},
      {"<title>DATASHEET RETRIEVAL</title><pre>Nothing found</pre>", true},
      {"<pre>  **** Retrieval Complete ****</pre>", true},
      {"<pre> The PID AB1234 is not in the database.</pre>", true},
      {"<title>Sign in</title><a href=\"/login?next=PidBox%3DAB12345\">Sign in</a>", false},
      {"<title>Parked domain</title><p>This domain is for sale.</p>", false},
      {"", false}};
  for (const auto& [text, agency] : answers) {
    EXPECT_EQ(IsAgencyAnswerFor(text, "AB1234"), agency) << text;
  }
}

TEST(DatasheetReader, OutcomesWithoutLogs) {
  const std::string archive = Fixture("state_archive.txt");
  std::string block = "left over";
  EXPECT_EQ(HarvestDatasheet(archive, "EF9012", block), DatasheetOutcome::kNoLogs);
  EXPECT_EQ(block, "");
  EXPECT_EQ(HarvestDatasheet(archive, "ZZ9999", block), DatasheetOutcome::kNoDatasheet);
  EXPECT_EQ(HarvestDatasheet(archive, "AB123", block), DatasheetOutcome::kNoDatasheet);
  EXPECT_EQ(HarvestDatasheet(archive, "", block), DatasheetOutcome::kNoDatasheet);
  EXPECT_EQ(HarvestDatasheet("", "AB1234", block), DatasheetOutcome::kNoDatasheet);
  const std::string error_page =
      "<html><head><title>Error</title></head><body><h1>Server Too Busy</h1>"
      "<p>PID AB1234 cannot be retrieved &amp; try later.</p></body></html>";
  EXPECT_EQ(HarvestDatasheet(error_page, "AB1234", block), DatasheetOutcome::kNoDatasheet);
  // A section line whose block never gets text is no block.
  const std::string pid = "OP3333";
  EXPECT_EQ(HarvestDatasheet(SectionLine(pid, "STATION RECOVERY (2006)") + EmptyLine(pid), pid,
                             block),
            DatasheetOutcome::kNoLogs);
  EXPECT_EQ(block, "");
}

TEST(DatasheetReader, FirstOfTwoDatasheetsAndRaggedLines) {
  const std::string archive = Fixture("state_archive.txt");
  EXPECT_THAT(Logs(archive, "GH3456"),
              ::testing::ElementsAre(Log{"2001-01-01", "Found it", "FIRSTCOPY", "GOOD"}));
  // Short lines, a row cut after its date, dates of neither form (read as
  // unknown), a section year that is not a year, a block that never ends.
  EXPECT_THAT(Logs(archive, "IJ7890"),
              ::testing::ElementsAre(Log{"1999-01-01", "Write note", "", ""},
                                     Log{"1899-12-30", "Found it", "NGS", "POOR"},
                                     Log{"1899-12-30", "Found it", "NGS",
                                         "RECOVERY NOTE BY NEVER ENDS"}));
  EXPECT_THAT(Logs(archive, "CD5678"),
              ::testing::ElementsAre(
                  Log{"1995-01-01", "Found it", "NGS", "FIRST OBSERVED"},
                  Log{"1990-01-01", "Found it", "GEOCACHING", "ALSO FOUND. SECOND TEXT LINE."},
                  Log{"1990-01-01", "Found it", "US POWER SQUADRON (ABC)", "FOUND."}));
}

// Every cut of the datasheet, as a torn download would leave it, reads
// without fault into a block of whole elements.
TEST(DatasheetReader, EveryPrefixOfAPageReadsCleanly) {
  const std::string page = Fixture("AB1234.html");
  for (std::size_t size = 0; size <= page.size(); size += 7) {
    std::string block;
    const DatasheetOutcome outcome = HarvestDatasheet(page.substr(0, size), "AB1234", block);
    EXPECT_EQ(outcome == DatasheetOutcome::kLogs, !block.empty()) << size;
    ParseLogBlock(block);
    if (::testing::Test::HasFailure()) FAIL() << "cut at " << size;
  }
}

class RealDatasheets : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::is_directory(folder_)) {
      GTEST_SKIP() << "no real datasheet samples at " << folder_;
    }
  }
  std::string Read(const std::string& name) { return ReadFileBytes(folder_ / name); }
  const std::filesystem::path folder_ = VELMORA_REAL_DATASHEETS;
};

std::vector<std::string> Field(const std::vector<Log>& logs, std::string Log::*field) {
  std::vector<std::string> values;
  for (const Log& log : logs) values.push_back(log.*field);
  return values;
}

// The fragment holds the first history row and six blocks: the description
// goes to the 1933 row, the five recoveries stand alone.
TEST_F(RealDatasheets, Fy3210) {
  const std::vector<Log> logs = Logs(Read("FY3210.fragments.txt"), "FY3210");
  EXPECT_THAT(Field(logs, &Log::date),
              ::testing::ElementsAre("2004-01-01", "1985-01-01", "1969-01-01", "1961-01-01",
                                     "1954-01-01", "1933-01-01"));
  EXPECT_THAT(Field(logs, &Log::finder),
              ::testing::ElementsAre("US POWER SQUADRON", "US POWER SQUADRON (WKB)",
                                     "COAST AND GEODETIC SURVEY (JBJ)",
                                     "NORTH CAROLINA GEODETIC SURVEY (WCF)",
                                     "COAST AND GEODETIC SURVEY (ELJ)",
                                     "COAST AND GEODETIC SURVEY (RDH)"));
  EXPECT_THAT(Field(logs, &Log::type), ::testing::Each(std::string("Write note")));
  ASSERT_EQ(logs.size(), 6u);
  EXPECT_THAT(logs[0].text, ::testing::StartsWith("SEARCH WAS MADE IN THE AREA OF PLOTTED "
                                                  "POSITION.  NO MARKER COULD BE FOUND."));
  // A line that starts with a run of blanks is trimmed: one joining space.
  EXPECT_THAT(logs[4].text, ::testing::HasSubstr("FOUND CORRECT. THE ORIGINAL DESCRIPTION"));
  EXPECT_THAT(logs[5].text, ::testing::StartsWith("ABOUT 1-1/2 MILES SOUTHWEST OF HILLSBORO, ON "
                                                  "HIGHEST PART AND WESTERN END"));
  EXPECT_THAT(logs[5].text, ::testing::EndsWith("N 42 DEG 10 MIN E."));
}

// Description and two recoveries, no history row; the 2006 section line
// without its text is no block.
TEST_F(RealDatasheets, Fy3209) {
  const std::vector<Log> logs = Logs(Read("FY3209.fragments.txt"), "FY3209");
  EXPECT_THAT(logs, ::testing::ElementsAre(
                        Log{"1988-01-01", "Write note", "US POWER SQUADRON (MCB)",
                            "RECOVERED IN GOOD CONDITION."},
                        Log{"1983-01-01", "Write note", "US POWER SQUADRON (WKB)",
                            "TRAVERSE STA- CENTER OF BASE OF TOWER SITE VISITED, RECOVERED AS "
                            "DESCRIBED."},
                        ::testing::Field(&Log::finder, "COAST AND GEODETIC SURVEY (ELJ)")));
  ASSERT_EQ(logs.size(), 3u);
  EXPECT_EQ(logs[2].date, "1954-01-01");
  EXPECT_THAT(logs[2].text, ::testing::EndsWith("DISTANCE IS 20.6 FEET (6.28 METERS)."));
}

}  // namespace
}  // namespace velmora::testing
