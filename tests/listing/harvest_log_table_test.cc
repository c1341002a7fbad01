#include "listing/harvest_log_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "listing/convert_log_date.h"
#include "tests/listing/listing_rows.h"
#include "tests/logs/parsed_logs.h"

namespace velmora {
namespace {

using testing::FixturePage;
using testing::ListingPage;
using testing::LogRow;
using testing::ParsedLog;
using testing::ParseLogBlock;

// The listing website writes dates month first.
constexpr DateOrder kMonthFirst = DateOrder::kMonthDayYear;

std::vector<ParsedLog> Harvest(const std::string& page) {
  std::string block;
  EXPECT_TRUE(HarvestLogTable(page, block, kMonthFirst));
  return ParseLogBlock(block);
}

// The text of the single log (or of the last log) a page yields.
std::string TextOf(const std::string& cell) {
  const auto logs = Harvest(ListingPage(LogRow("Found it", "7/4/2009", "Ann", cell)));
  return logs.empty() ? "<no log>" : logs.back().text;
}

TEST(HarvestLogTable, ReadsEveryFieldOfARealisticPage) {
  const auto logs = Harvest(FixturePage("listing_logs.html"));
  ASSERT_EQ(logs.size(), 4u);
  EXPECT_EQ(logs[0].id, "0000001");
  EXPECT_EQ(logs[0].date, "2009-07-04");
  EXPECT_EQ(logs[0].type, "Found it");
  EXPECT_EQ(logs[0].finder, "Jane Doe");
  EXPECT_EQ(logs[0].text,
            "Found it right where the description says, in the north abutment. "
            "Disk in good shape \xE2\x80\x94 \xE2\x80\x9CHANOVER RESET\xE2\x80\x9D legible.");
  // Two paragraphs, the next run of 11 spaces far after the first "</p>".
  EXPECT_EQ(logs[1].id, "0000002");
  EXPECT_EQ(logs[1].date, "2008-10-12");
  EXPECT_EQ(logs[1].type, "Didn't find it");
  EXPECT_EQ(logs[1].finder, "O&apos;Brien &amp; Sons");
  EXPECT_EQ(logs[1].text,
            "Searched for 45 minutes with a probe.  The disk should be 3.2 m from "
            "the &quot;witness post&quot;, but the post&apos;s gone.    Will "
            "try again in spring.");
  EXPECT_EQ(logs[2].date, "2008-01-15");
  EXPECT_EQ(logs[2].type, "Write note");
  EXPECT_EQ(logs[2].finder, "Bob &amp;amp; Carol");
  EXPECT_EQ(logs[2].text,
            "Caf\xC3\xA9 cr\xC3\xA8me at the station&amp;nbsp;&amp;mdash; mark is "
            "2&amp;quot; under the sidewalk  see photo");
  EXPECT_EQ(logs[3].id, "0000004");
  EXPECT_EQ(logs[3].date, "2007-12-31");
  EXPECT_EQ(logs[3].text, "TFTH");
}

TEST(HarvestLogTable, CountsIdsFromOneOnEveryPage) {
  std::string rows;
  for (int n = 1; n <= 10; ++n) {
    rows += LogRow("Found it", "7/" + std::to_string(n) + "/2009", "F" + std::to_string(n),
                   "<p>Log " + std::to_string(n) + "</p>");
  }
  const std::string page = ListingPage(rows);
  for (int harvest = 0; harvest < 2; ++harvest) {
    const auto logs = Harvest(page);
    ASSERT_EQ(logs.size(), 10u);
    EXPECT_EQ(logs[0].id, "0000001");
    EXPECT_EQ(logs[8].id, "0000009");
    EXPECT_EQ(logs[9].id, "0000010");
    EXPECT_EQ(logs[9].date, "2009-07-10");
    EXPECT_EQ(logs[9].finder, "F10");
    EXPECT_EQ(logs[9].text, "Log 10");
  }
  EXPECT_EQ(LogId(12), "0000012");
  EXPECT_EQ(LogId(1234567), "1234567");
}

TEST(HarvestLogTable, ReadsNumericDatesInTheGivenOrder) {
  const std::string page = ListingPage(LogRow("Found it", "7/4/2009", "Ann", "<p>x</p>") +
                                       LogRow("Found it", "25/7/2009", "Bob", "<p>y</p>"));
  std::string block;
  ASSERT_TRUE(HarvestLogTable(page, block, DateOrder::kDayMonthYear));
  const auto logs = ParseLogBlock(block);
  ASSERT_EQ(logs.size(), 2u);
  EXPECT_EQ(logs[0].date, "2009-04-07");
  EXPECT_EQ(logs[1].date, "2009-07-25");
}

TEST(HarvestLogTable, TakesFurtherParagraphsOnlyWhenTheGapIsElevenOrMoreAway) {
  const std::string gap(11, ' ');
  // "</p>" plus 6 characters: the run begins 10 after the "</p>".
  EXPECT_EQ(TextOf("<p>A<br />B</p>123456" + gap + "<p>Two</p>"), "A  B");
  // "</p>" plus 7 characters: 11 after it, so the text runs up to the gap.
  EXPECT_EQ(TextOf("<p>A<br />B</p>1234567" + gap + "<p>Two</p>"), "A  B  1234567");
  // A run of 10 spaces is no gap: the next run of 11 (the indentation of
  // "</td>") is, and it lies far enough away.
  EXPECT_EQ(TextOf("<p>One</p>" + std::string(10, ' ') + "<p>Two</p>"),
            "One              Two");
  // No run after the "</p>" at all.
  std::string block;
  ASSERT_TRUE(HarvestLogTable(
      "<tr><td><img height=\"16\"></td><td title=\"Found it\">&nbsp;7/4/2009</td>"
      "<td><a href=\"/p\">Ann</a></td><td colspan=\"4\"><p>One<br />x</p> <p>Two</p>",
      block, kMonthFirst));
  ASSERT_EQ(ParseLogBlock(block).size(), 1u);
  EXPECT_EQ(ParseLogBlock(block)[0].text, "One  x");
}

TEST(HarvestLogTable, ParagraphAndLineBreakTagsOfALongTextBecomeTwoSpaces) {
  const std::string gap(11, ' ');
  EXPECT_EQ(TextOf("<p class=\"x\">A<br>B<br/>C</p><p\nid=1>D<b>E</b><pre>F<p/>G" + gap),
            "A  B  C    D&lt;b&gt;E&lt;/b&gt;&lt;pre&gt;F&lt;p/&gt;G");
  EXPECT_EQ(TextOf("<p>A</p><p class=\"cut off" + gap), "A  &lt;p class=&quot;cut off");
}

TEST(HarvestLogTable, ParagraphAndLineBreakTagsOfAOneParagraphTextBecomeTwoSpacesInAnyCase) {
  EXPECT_EQ(TextOf("<P>A<BR>B<Br/>C<br />D<p>E</p>"), "A  B  C  D  E");
}

TEST(HarvestLogTable, APagesOwnDatesDecideTheirOrderBeforeTheRegionalOne) {
  const auto read = [](DateOrder regional, const std::vector<std::string>& dates) {
    std::string rows, block, read;
    for (const std::string& date : dates) rows += LogRow("Found it", date, "Ann", "<p>x</p>");
    EXPECT_TRUE(HarvestLogTable(ListingPage(rows), block, regional));
    for (const ParsedLog& log : ParseLogBlock(block)) read += log.date + " ";
    return read;
  };
  const DateOrder day_first = DateOrder::kDayMonthYear;  // as under en_GB or de_DE
  EXPECT_EQ(read(day_first, {"6/2/2008", "10/13/2008"}), "2008-06-02 2008-10-13 ");
  EXPECT_EQ(read(kMonthFirst, {"6/2/2008", "13.10.2008"}), "2008-02-06 2008-10-13 ");
  // A year first, a month name or an impossible date decides nothing.
  EXPECT_EQ(read(day_first, {"2008-10-13", "Oct 13, 2008", "13/13/2008", "6/2/2008"}),
            "2008-10-13 2008-10-13 1899-12-30 2008-02-06 ");
  EXPECT_EQ(read(kMonthFirst, {"6/2/2008", "1/12/2008"}), "2008-06-02 2008-01-12 ");
}

TEST(HarvestLogTable, DecodesReferencesBeforeEscapingOnlyWhenAsked) {
  const std::string page = ListingPage(
      LogRow("Didn&#39;t find it &amp; more", "7/4/2009", "Ann &amp; Bob&nbsp;&#xE9;",
             "Caf&eacute; &lt;b&gt; 2&quot; &bogus; &#0; AT&T</p>"));
  std::string block;
  ASSERT_TRUE(HarvestLogTable(page, block, kMonthFirst, PageReferences::kDecode));
  const auto logs = ParseLogBlock(block);
  ASSERT_EQ(logs.size(), 1u);
  EXPECT_EQ(logs[0].type, "Didn't find it &amp; more");
  EXPECT_EQ(logs[0].finder, "Ann &amp; Bob \xC3\xA9");
  EXPECT_EQ(logs[0].text,
            "Caf\xC3\xA9 &lt;b&gt; 2&quot; &amp;bogus; &amp;#0; AT&amp;T");
  const auto kept = Harvest(page);
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(kept[0].type, "Didn&amp;#39;t find it &amp;amp; more");
  EXPECT_EQ(kept[0].finder, "Ann &amp;amp; Bob&amp;nbsp;&amp;#xE9;");
}

TEST(HarvestLogTable, DropsOneTrailingLessThanSign) {
  EXPECT_EQ(TextOf("Look under the rock <</p>"), "Look under the rock");
  EXPECT_EQ(TextOf("arrows <<</p>"), "arrows &lt;");
  EXPECT_EQ(TextOf("<br/>removed, <br />kept, \"quoted\" & 'single'</p>"),
            "removed,   kept, &quot;quoted&quot; &amp; &apos;single&apos;");
}

TEST(HarvestLogTable, StopsAtTheRowAfterTheClipboardText) {
  const std::string page = ListingPage(
      LogRow("Found it", "7/4/2009", "Ann", "<p>First</p>") +
      LogRow("Found it", "7/5/2009", "Bob", "dlgClipboard</p>") +
      LogRow("Found it", "7/6/2009", "Cy", "<p>Never read</p>") +
      LogRow("Found it", "7/7/2009", "Di", "<p>Never read</p>"));
  const auto logs = Harvest(page);
  ASSERT_EQ(logs.size(), 2u);
  EXPECT_EQ(logs[1].text, "dlgClipboard");
  EXPECT_EQ(logs[1].finder, "Bob");
  // Only the exact text ends the table; line breaks count as removed.
  EXPECT_EQ(Harvest(ListingPage(LogRow("Note", "7/4/2009", "Ann", "dlgClipboard\r\n</p>") +
                                LogRow("Note", "7/5/2009", "Bob", "<p>x</p>")))
                .size(),
            1u);
  EXPECT_EQ(Harvest(ListingPage(LogRow("Note", "7/4/2009", "Ann", "dlgclipboard</p>") +
                                LogRow("Note", "7/5/2009", "Bob", "<p>x</p>")))
                .size(),
            2u);
}

TEST(HarvestLogTable, CarriesTheWorkingFieldOverWhenAStartMarkerIsMissing) {
  // The last row has no title attribute and no link: the type gets the
  // previous row's text, the finder this row's date text (escaped), and the
  // text the finder escaped once more. Its date cannot be read; it is kept.
  const std::string page = ListingPage(
      LogRow("Found it", "7/4/2009", "Ann", "<p>First</p>") +
      "            <tr><td><img src=\"/i.gif\" width=\"16\" height=\"16\" /></td>\r\n"
      "                <td class=\"LogType\">&nbsp;Jul 4 '09 & co</td>\r\n"
      "                <td>by Bob (no profile)</td></tr>\r\n");
  const auto logs = Harvest(page);
  ASSERT_EQ(logs.size(), 2u);
  EXPECT_EQ(logs[1].id, "0000002");
  EXPECT_EQ(logs[1].type, "  First");
  EXPECT_EQ(logs[1].date, kUnreadableLogDate);
  EXPECT_EQ(logs[1].finder, "Jul 4 &apos;09 &amp; co");
  EXPECT_EQ(logs[1].text, "Jul 4 &amp;apos;09 &amp;amp; co");
}

TEST(HarvestLogTable, KeepsARowMarkerNearTheStartOfThePage) {
  const std::string row =
      "\" title=\"Found it\">&nbsp;7/4/2009</td><td><a href=\"/p\">Ann</a></td>"
      "<td colspan=\"4\"><p>Hi</p>";
  for (const std::string lead : {"", "<img ", "123456789", "1234567890", "12345678901"}) {
    const auto logs = Harvest(lead + "height=\"16" + row);
    ASSERT_EQ(logs.size(), 1u) << lead;
    EXPECT_EQ(logs[0].id, "0000001");
    EXPECT_EQ(logs[0].type, "Found it");
    EXPECT_EQ(logs[0].date, "2009-07-04");
    EXPECT_EQ(logs[0].finder, "Ann");
    EXPECT_EQ(logs[0].text, "Hi");
  }
}

TEST(HarvestLogTable, RunsAFieldWithoutEndMarkerToThePageEndAndStops) {
  // A text cut off by the end of the page.
  const auto cut_off = Harvest(ListingPage(LogRow("Found it", "7/4/2009", "Ann", "<p>One</p>")) +
                               LogRow("Found it", "7/5/2009", "Bob", "<p>Unfinished"));
  ASSERT_EQ(cut_off.size(), 2u);
  EXPECT_EQ(cut_off[1].text.substr(0, 26), "Unfinished                ");
  // A date cell that never closes: one element, then the harvest ends even
  // though further row markers follow.
  const auto logs = Harvest(
      "<div><img height=\"16\" /><span title=\"Found it\">&nbsp;7/4/2009</span>"
      "<a href=\"/p\">Ann</a><p>Hi</p></div>\r\n"
      "<div><img height=\"16\" /><span title=\"Note\">&nbsp;7/5/2009</span></div>");
  ASSERT_EQ(logs.size(), 1u);
  EXPECT_EQ(logs[0].type, "Found it");
  EXPECT_EQ(logs[0].date, kUnreadableLogDate);
  EXPECT_EQ(logs[0].finder.substr(0, 28), "7/4/2009&lt;/span&gt;&lt;a h");
  EXPECT_TRUE(logs[0].finder.ends_with("\r\n&lt;div&gt;&lt;img height=&quot;16&quot; /&gt;"
                                       "&lt;span title=&quot;Note&quot;&gt;&amp;nbsp;7/5/2009"
                                       "&lt;/span&gt;&lt;/div&gt;"))
      << logs[0].finder;
}

TEST(HarvestLogTable, MatchesMarkersExactly) {
  std::string block = "untouched";
  EXPECT_FALSE(HarvestLogTable(FixturePage("listing_no_logs.html"), block, kMonthFirst));
  EXPECT_FALSE(HarvestLogTable("<img HEIGHT=\"16\"> <img height='16'> <img height=16>", block,
                               kMonthFirst));
  EXPECT_EQ(block, "untouched");
  // A type attribute in other letter case is not the type's marker.
  const auto logs = Harvest(ListingPage(LogRow("Found it", "7/4/2009", "Ann", "<p>x</p>")) +
                            "<img height=\"16\" /><td TITLE=\"Note\">&nbsp;7/5/2009</td>"
                            "<a href=\"/p\">Bob</a><td colspan=\"4\">y</p>");
  ASSERT_EQ(logs.size(), 2u);
  EXPECT_EQ(logs[1].type, "  x");
  EXPECT_EQ(logs[1].date, "2009-07-05");
}

}  // namespace
}  // namespace velmora
