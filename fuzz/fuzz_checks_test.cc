// The predicates the harnesses assert, on inputs with known answers: a check
// that passed everything would let every fault through.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "fuzz_checks.h"
#include "gpx_generator.h"
#include "scan_pages.h"

namespace velmora::fuzz {
namespace {

TEST(XmlCharacters, AcceptsUtf8OfXmlCharactersOnly) {
  EXPECT_TRUE(IsXmlCharacters("plain\ttext\r\n", false));
  EXPECT_TRUE(IsXmlCharacters("Caf\xc3\xa9 \xe2\x80\x94 \xf0\x9f\x93\x8d", false));
  EXPECT_TRUE(IsXmlCharacters("\xc2\x85 \xef\xbf\xbd", false));  // C1 control, U+FFFD
  for (const std::string bad :
       {"\xc0\xaf", "\xe0\x80\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xc3", "\xa9",
        "\xef\xbf\xbe", "\xef\xbf\xbf", "\xff", "Caf\xe9"}) {
    EXPECT_FALSE(IsXmlCharacters(bad, true)) << bad;
  }
}

TEST(XmlCharacters, ForbiddenControlBytesPassOnlyWhenAllowed) {
  for (const std::string& control : {std::string(1, '\0'), std::string("\x01"),
                                    std::string("\x0b"), std::string("\x1f")}) {
    EXPECT_FALSE(IsXmlCharacters("a" + control, false));
    EXPECT_TRUE(IsXmlCharacters("a" + control, true));
  }
}

TEST(XmlCharacters, RepairKeepsGoodBytesAndLengthAndAlwaysPasses) {
  EXPECT_EQ(MakeXmlCharacters("Caf\xc3\xa9"), "Caf\xc3\xa9");
  EXPECT_EQ(MakeXmlCharacters("Caf\xe9!"), "Caf?!");
  EXPECT_EQ(MakeXmlCharacters("a\xef\xbf\xbe" "b"), "a???b");
  EXPECT_EQ(MakeXmlCharacters(std::string("\x01\xc3", 2)), "\x01?");
  const std::string nasty = "\xf0\x9f\x93\xc0\xaf\xed\xa0\x80\xf4\x90\x80\x80\x00x";
  const std::string repaired = MakeXmlCharacters(std::string(nasty.data(), 15));
  EXPECT_EQ(repaired.size(), 15u);
  EXPECT_TRUE(IsXmlCharacters(repaired, true));
}

TEST(WellFormed, AcceptsWrappedBlocksAndRejectsWhatBreaksXml) {
  const std::string element =
      "\r\n    <groundspeak:log id=\"0000001\">\r\n      <groundspeak:text encoded=\"False\">"
      "A &amp; B &lt;i&gt;</groundspeak:text>\r\n    </groundspeak:log>";
  EXPECT_TRUE(IsWellFormedXml(WrapLogBlock("")));
  EXPECT_TRUE(IsWellFormedXml(WrapLogBlock(element)));
  EXPECT_TRUE(IsWellFormedXml("<a:b>undeclared prefix is a namespace matter</a:b>"));
  for (const std::string bad : {"A & B", "&nbsp;", "<i>", "a\x01" "b", "Caf\xe9", "]]>"}) {
    EXPECT_FALSE(IsWellFormedXml(WrapLogBlock(bad))) << bad;
  }
  EXPECT_FALSE(IsWellFormedXml(""));
  EXPECT_FALSE(IsWellFormedXml("<a><b></a></b>"));
}

TEST(OpaqueMarkup, FindsCommentsCdataDoctypesAndLaterInstructions) {
  EXPECT_FALSE(HasOpaqueMarkup("<?xml version=\"1.0\"?><gpx/>"));
  EXPECT_FALSE(HasOpaqueMarkup("<gpx><name>a</name></gpx>"));
  EXPECT_TRUE(HasOpaqueMarkup("<gpx><!-- <name> --></gpx>"));
  EXPECT_TRUE(HasOpaqueMarkup("<gpx><![CDATA[<name>]]></gpx>"));
  EXPECT_TRUE(HasOpaqueMarkup("<!DOCTYPE gpx><gpx/>"));
  EXPECT_TRUE(HasOpaqueMarkup("<?xml version=\"1.0\"?><gpx><?pi x?></gpx>"));
  EXPECT_TRUE(HasOpaqueMarkup(" <?xml version=\"1.0\"?><gpx/>"));
}

TEST(CountOf, CountsWithoutOverlap) {
  EXPECT_EQ(CountOf("aaaa", "aa"), 2u);
  EXPECT_EQ(CountOf("<name>x</name><name>", "<name>"), 2u);
  EXPECT_EQ(CountOf("", "<name>"), 0u);
}

TEST(ScanPages, EveryKindIsReachableAndRetriesMoveOn) {
  std::set<PageKind> seen;
  for (int byte = 0; byte < 256; ++byte) seen.insert(ChoosePage(static_cast<unsigned char>(byte), 0));
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(PageKind::kCount));
  EXPECT_NE(ChoosePage('0', 0), ChoosePage('0', 1));
  for (int attempt = 0; attempt < 40; ++attempt) EXPECT_EQ(ChoosePage('7', attempt), PageKind::kBusy);
}

TEST(ScanPages, OnlyTheLatin1PageFallsOutsideXmlCharacters) {
  for (int kind = 0; kind < static_cast<int>(PageKind::kCount); ++kind) {
    const auto page = static_cast<PageKind>(kind);
    EXPECT_EQ(IsXmlCharacters(CannedPage(page), true), page != PageKind::kLatin1Logs) << kind;
  }
  EXPECT_TRUE(CannedPage(PageKind::kEmpty).empty());
  EXPECT_NE(CannedPage(PageKind::kLogs).find("\r\n"), std::string::npos);
}

TEST(ScanPages, TheSourceCountsAndServesTheChosenPages) {
  ChoosingPageSource pages(10);
  // A listing page names the PID asked for, as the website's do.
  EXPECT_EQ(pages.FetchHTML("http://h/mark/details.aspx?PID=KK1521"),
            "<h2>KK1521</h2>\r\n" + CannedPage(ChoosePage('1', 0)));
  EXPECT_EQ(pages.FetchHTML("http://h/mark/details.aspx?PID=KK1521"),
            "<h2>KK1521</h2>\r\n" + CannedPage(ChoosePage('1', 1)));
  EXPECT_EQ(pages.fetches, 2u);
  EXPECT_TRUE(pages.all_pages_clean);
  pages.FetchHTML(std::string("http://h/mark/details.aspx?PID=KK152") +
                  static_cast<char>(static_cast<int>(PageKind::kLatin1Logs)));
  EXPECT_FALSE(pages.all_pages_clean);
}

TEST(ScanPagesDeathTest, TheSourceAbortsPastItsBound) {
  ChoosingPageSource pages(1);
  pages.FetchHTML("u");
  EXPECT_DEATH(pages.FetchHTML("u"), "property broken");
}

TEST(GpxGenerator, EveryInputGivesAWellFormedGpx11Document) {
  std::uint32_t state = 12345;
  for (int round = 0; round < 300; ++round) {
    std::string bytes(static_cast<std::size_t>(round * 3), '\0');
    for (char& c : bytes) {
      state = state * 1103515245u + 12345u;
      c = static_cast<char>(state >> 24);
    }
    const std::string doc =
        GenerateGpx(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    ASSERT_TRUE(IsWellFormedXml(doc)) << doc;
    ASSERT_FALSE(HasOpaqueMarkup(doc));
    ASSERT_NE(doc.find("version=\"1.1\" creator="), std::string::npos);
  }
}

TEST(GpxGenerator, TextsAreEscapedAndCleaned) {
  EXPECT_EQ(EscapedText("a<b>&c"), "a&lt;b&gt;&amp;c");
  EXPECT_EQ(EscapedText(std::string("x\x01\xffy\tz", 6)), "x?y\tz");
}

}  // namespace
}  // namespace velmora::fuzz
