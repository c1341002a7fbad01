// The parts of a report that compute: days and years, the bins, the map
// projection and its scale bars, text made safe for a page, and the facts
// read from a GPX file.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "core/text.h"
#include "files/file_utils.h"
#include "report/html_text.h"
#include "report/report_facts.h"
#include "report/report_math.h"
#include "tests/support/builders.h"

namespace velmora::testing {
namespace {

TEST(ReportMath, YearsSinceCountAsAnAge) {
  struct Case {
    const char* from;
    const char* to;
    int years;
  };
  const Case cases[] = {
      {"2020-02-29", "2021-02-28", 0},  {"2020-02-29", "2021-03-01", 1},
      {"2020-02-29", "2024-02-29", 4},  {"2010-06-15", "2026-06-14", 15},
      {"2010-06-15", "2026-06-15", 16}, {"2010-12-31", "2011-01-01", 0},
      {"2026-06-16", "2026-06-15", 0},  {"2021-02-29", "2026-06-15", -1},
      {"2010-13-01", "2026-06-15", -1}, {"", "2026-06-15", -1},
      {"2010-6-15", "2026-06-15", -1},
  };
  for (const Case& c : cases) EXPECT_EQ(YearsSince(c.from, c.to), c.years) << c.from << " " << c.to;
}

TEST(ReportMath, BinsByYearsAndNeverFoundLast) {
  const std::pair<int, std::size_t> cases[] = {{0, 0},  {1, 0},  {2, 1},  {4, 1},  {5, 2}, {9, 2},
                                               {10, 3}, {19, 3}, {20, 4}, {85, 4}, {-1, 5}};
  ASSERT_EQ(AgeBins().size(), 5u);
  for (const auto& [years, bin] : cases) EXPECT_EQ(AgeBinOf(years), bin) << years;
}

TEST(ReportMath, ProjectionScalesLongitudeByTheMiddleLatitude) {
  // At 60 degrees a degree of longitude is half a degree of latitude: the
  // two marks span a square and fill the frame corner to corner.
  const Projection square({{59.5, 10.0}, {60.5, 12.0}}, 200, 200, 0);
  const PlotPoint south_west = square({59.5, 10.0}), north_east = square({60.5, 12.0});
  EXPECT_NEAR(south_west.x, 0, 1e-9);
  EXPECT_NEAR(south_west.y, 200, 1e-9);
  EXPECT_NEAR(north_east.x, 200, 1e-9);
  EXPECT_NEAR(north_east.y, 0, 1e-9);
  EXPECT_NEAR(square.KmPerUnit(), 111.195 / 200, 1e-3);
  // A wide frame centres the square; a single mark stands in the middle.
  EXPECT_NEAR(Projection({{59.5, 10.0}, {60.5, 12.0}}, 400, 200, 10)({59.5, 10.0}).x, 110, 1e-9);
  const PlotPoint alone = Projection({{40.0, -105.0}}, 300, 100, 10)({40.0, -105.0});
  EXPECT_NEAR(alone.x, 150, 1e-9);
  EXPECT_NEAR(alone.y, 50, 1e-9);
}

TEST(ReportMath, ScaleBarsAreRoundLengths) {
  struct Case {
    ScaleBar bar;
    double units;
    const char* label;
  };
  const Case cases[] = {
      {KmScaleBar(0.01, 192), 100, "1 km"},
      {KmScaleBar(0.01, 600), 500, "5 km"},
      {KmScaleBar(0.001, 192), 100, "100 m"},
      {KmScaleBar(2.5, 100), 80, "200 km"},
      {MileScaleBar(0.01609344, 192), 100, "1 mi"},
      {MileScaleBar(0.0001609344, 192), 189.3939, "100 ft"},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(c.bar.units, c.units, 1e-3) << c.label;
    EXPECT_EQ(c.bar.label, c.label);
  }
}

TEST(HtmlText, EscapesAndLinksOnlyToTheWeb) {
  EXPECT_EQ(EscapeHtml("<img src=x onerror=\"a('&')\">"),
            "&lt;img src=x onerror=&quot;a(&#39;&amp;&#39;)&quot;&gt;");
  const std::pair<const char*, const char*> links[] = {
      {"https://example.org/a?b=1&c=2", "https://example.org/a?b=1&c=2"},
      {" HTTP://example.org ", "HTTP://example.org"},
      {"javascript:alert(1)", ""},
      {" JavaScript:alert(1)", ""},
      {"data:text/html,x", ""},
      {"//example.org", ""},
      {"ftp://example.org", ""},
      {"", ""},
  };
  for (const auto& [link, kept] : links) EXPECT_EQ(WebLink(link), kept) << link;
}

TEST(HtmlText, CutsByCharactersNeverInsideOne) {
  const std::string e_acute = "\xc3\xa9", euro = "\xe2\x82\xac";
  std::string long_text;
  for (int i = 0; i < 101; ++i) long_text += e_acute;
  const std::pair<std::string, std::string> cases[] = {
      {long_text, long_text.substr(0, 200)},
      {"a" + euro + "b", "a" + euro + "b"},
      {std::string(150, 'x'), std::string(100, 'x')},
      {std::string(99, 'x') + euro + euro, std::string(99, 'x') + euro},
  };
  for (const auto& [text, cut] : cases) EXPECT_EQ(FirstCharacters(text, 100), cut);
  EXPECT_EQ(CollapseBlanks("  one\r\n\ttwo  three \n"), "one two three");
  EXPECT_EQ(Base64("ab"), "YWI=");
  EXPECT_EQ(Base64("abcd"), "YWJjZA==");
}

TEST(ReportFacts, NewestFindNewestLogAndTextsDecodedOnce) {
  const std::string document = GpxDocument(
      {.title = "Lyons &amp; around"},
      {Waypoint({.name = "KK1234 plus",
                 .listing_name = "LYONS &amp;amp; CO",
                 .logs = GpxLogs({{"2021-03-01", "Didn't find it", "Gone?"},
                                  {"2019-05-01", "Found it", "Fine"},
                                  {"2022-01-01", "found it", "a <b> & c"}}),
                 .export_details = true}),
       Waypoint({.name = "KK12", .logs = GpxLogs({{}})}),
       Waypoint({.name = "KK2000", .log_zone = false}), Waypoint({.name = "GC7FA4"}),
       ReplaceAll(Waypoint({.name = "KK1235", .logs = "", .lat = "x"}),
                  "<groundspeak:logs></groundspeak:logs>", "<groundspeak:logs />")});
  const ReportFacts facts = ReadReportFacts(document);
  EXPECT_EQ(facts.title, "Lyons & around");
  ASSERT_EQ(facts.marks.size(), 2u);
  const MarkFacts& mark = facts.marks[0];
  EXPECT_EQ(mark.pid, "KK1234");
  EXPECT_EQ(mark.designation, "LYONS &amp; CO");
  EXPECT_EQ(mark.link, "http://www.ngs.noaa.gov/cgi-bin/ds_mark.prl?PidBox=KK1234");
  EXPECT_EQ(mark.logs, 3);
  EXPECT_EQ(mark.newest_find, "2022-01-01");
  EXPECT_EQ(mark.newest_type, "found it");
  EXPECT_EQ(mark.newest_text, "a <b> & c");
  EXPECT_EQ(mark.difficulty, "1");
  ASSERT_TRUE(mark.position.has_value());
  EXPECT_DOUBLE_EQ(mark.position->lon, -105.2711);
  EXPECT_EQ(facts.marks[1].logs, 0);
  EXPECT_TRUE(facts.marks[1].newest_find.empty());
  EXPECT_FALSE(facts.marks[1].position.has_value());
}

TEST(ReportFacts, NewestLogOfTheSameDayIsTheFirstInTheFile) {
  const ReportFacts facts = ReadReportFacts(
      Gpx11({Waypoint({.name = "KK1234",
                       .logs = GpxLogs({{"2021-03-01", "Didn't find it", "first"},
                                        {"2021-03-01", "Write note", "second"}})})}));
  ASSERT_EQ(facts.marks.size(), 1u);
  EXPECT_TRUE(IsDidNotFind(facts.marks[0].newest_type));
  EXPECT_EQ(facts.marks[0].newest_text, "first");
}

TEST(ReportFacts, RealGpx10FileWithItsTitleUnderTheRoot) {
  const std::string file = std::string(VELMORA_REAL_DATA) + "/gpsbabel_GCGCA8.gpx";
  if (!std::filesystem::exists(file)) GTEST_SKIP() << "no real data at " << file;
  const std::string document = ReadWholeFile(file);
  EXPECT_TRUE(ReadReportFacts(document).marks.empty());  // a geocache is no benchmark
  const ReportFacts facts =
      ReadReportFacts(ReplaceAll(document, "<name>GCGCA8</name>", "<name>KK1523</name>"));
  EXPECT_EQ(facts.title, "Cache Listing Generated from Geocaching.com");
  ASSERT_EQ(facts.marks.size(), 1u);
  EXPECT_EQ(facts.marks[0].logs, 25);
  EXPECT_EQ(facts.marks[0].newest_type, "Archive");
  EXPECT_EQ(facts.marks[0].newest_day, "2017-11-11");
  EXPECT_EQ(facts.marks[0].link, "https://www.geocaching.com/geocache/GCGCA8");
}

}  // namespace
}  // namespace velmora::testing
