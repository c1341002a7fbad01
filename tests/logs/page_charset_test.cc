#include "logs/page_charset.h"
#include "logs/page_text.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

constexpr const char* kEAcute = "\xC3\xA9";
constexpr const char* kFffd = "\xEF\xBF\xBD";

std::string Page(const std::string& head, const std::string& body) {
  return "<html><head>" + head + "</head><body>" + body + "</body></html>";
}

TEST(IsValidUtf8, AcceptsWellFormedAndRejectsTheRest) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("plain \xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF"));
  for (const char* bad : {"\xE9", "caf\xE9!", "\xC3", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
                          "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80", "\xE2\x82", "\x80"}) {
    EXPECT_FALSE(IsValidUtf8(bad)) << bad;
  }
  // Long ASCII runs are checked eight bytes at a time: a character anywhere in them is seen.
  for (std::size_t at = 0; at < 20; ++at) {
    std::string text(20, 'a');
    text[at] = '\xE9';
    EXPECT_FALSE(IsValidUtf8(text)) << at;
    text.replace(at, 1, kEAcute);
    EXPECT_TRUE(IsValidUtf8(text)) << at;
  }
}

TEST(DocumentIsUtf8, FollowsTheXmlDeclaration) {
  EXPECT_TRUE(DocumentIsUtf8("<gpx/>"));
  EXPECT_TRUE(DocumentIsUtf8("<?xml version=\"1.0\"?>\n<gpx/>"));
  EXPECT_TRUE(DocumentIsUtf8("<?xml version=\"1.0\" encoding=\"UTF-8\"?><gpx/>"));
  EXPECT_TRUE(DocumentIsUtf8("\xEF\xBB\xBF<?xml version='1.0' encoding='utf-8' ?><gpx/>"));
  EXPECT_FALSE(DocumentIsUtf8("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><gpx/>"));
  EXPECT_FALSE(DocumentIsUtf8("<?xml version='1.0' encoding = 'windows-1252'?><gpx/>"));
  // An encoding named later in the document is no declaration.
  EXPECT_TRUE(DocumentIsUtf8("<?xml version=\"1.0\"?><gpx><desc>encoding=\"latin1\"</desc>"));
}

TEST(PageToUtf8, ValidUtf8PassesByteForByte) {
  const std::string page = Page("<meta charset=\"ISO-8859-1\">", "Ren\xC3\xA9 &amp; \xE2\x80\x9C");
  EXPECT_EQ(PageToUtf8(page, "text/html; charset=windows-1251"), page);
}

TEST(PageToUtf8, TakesTheCharsetOfTheContentTypeFirst) {
  // 0xE9 is "é" in ISO-8859-1 but "й" in windows-1251, as the meta tag would have it.
  const std::string page = Page("<meta charset=\"windows-1251\">", "Ren\xE9");
  EXPECT_EQ(PageToUtf8(page, "text/html; charset=ISO-8859-1"),
            Page("<meta charset=\"windows-1251\">", std::string("Ren") + kEAcute));
  EXPECT_EQ(PageToUtf8(page, "text/html;Charset=\"iso-8859-1\""),
            Page("<meta charset=\"windows-1251\">", std::string("Ren") + kEAcute));
  EXPECT_EQ(PageToUtf8(page, "text/html"),
            Page("<meta charset=\"windows-1251\">", "Ren\xD0\xB9"));
}

TEST(PageToUtf8, ReadsBothFormsOfTheMetaDeclaration) {
  const std::string http_equiv =
      "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=ISO-8859-7\">";
  EXPECT_EQ(PageToUtf8(Page(http_equiv, "\xE1"), ""), Page(http_equiv, "\xCE\xB1"));  // alpha
  const std::string meta = "<meta charset=koi8-r>";
  EXPECT_EQ(PageToUtf8(Page(meta, "\xC1"), ""), Page(meta, "\xD0\xB0"));  // Cyrillic a
}

TEST(PageToUtf8, WithoutADeclarationReadsWindows1252) {
  EXPECT_EQ(PageToUtf8("\x93quoted\x94 \x80 caf\xE9", ""),
            std::string("\xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x82\xAC caf") + kEAcute);
}

TEST(PageToUtf8, TheFiveUndefinedBytesBecomeReplacementCharacters) {
  EXPECT_EQ(PageToUtf8("a\x81" "b\x8D\x8F\x90\x9D\xE9", ""),
            std::string("a") + kFffd + "b" + kFffd + kFffd + kFffd + kFffd + kEAcute);
}

TEST(PageToUtf8, FallsBackToWindows1252) {
  const std::string expected = std::string("\xE2\x80\x98") + kEAcute;
  // A charset iconv does not know, one that smuggles in an iconv option, a
  // page labelled UTF-8 that is not, and a byte the named charset lacks.
  EXPECT_EQ(PageToUtf8("\x91\xE9", "text/html; charset=no-such-charset"), expected);
  EXPECT_EQ(PageToUtf8("\x91\xE9", "text/html; charset=ascii//IGNORE"), expected);
  EXPECT_EQ(PageToUtf8(Page("<meta charset=\"UTF-8\">", "Ren\xE9"), ""),
            Page("<meta charset=\"UTF-8\">", std::string("Ren") + kEAcute));
  EXPECT_EQ(PageToUtf8("\x91\xE9", "text/html; charset=us-ascii"), expected);
}

TEST(PageText, AnAnswerIsDescribedByItsTitleElseItsFirstText) {
  const std::string sixty_four(64, 'x');
  struct Case {
    PageAnswer answer;
    std::string title, final_url, host;
  };
  PageAnswer too_large{"", 200, "text/html", "answer larger than 16 MB", "", true};
  const Case cases[] = {
      {{"<HTML><Title>\r\n Sign  <b>in</b> </Title>", 200, "", "", "https://login.example/a?b",
        false},
       "Sign in", "https://login.example/a?b", "login.example"},
      {{"<html><style>p {}</style><body><p>Caf\xC3\xA9 \r\n" + sixty_four + "</p>", 403, "", "",
        "", false},
       "Caf\xC3\xA9 " + sixty_four.substr(0, 55), "http://127.0.0.1:80/x?PID=AB1234",
       "127.0.0.1:80"},
      {too_large, "answer larger than 16 MB", "http://127.0.0.1:80/x?PID=AB1234", "127.0.0.1:80"}};
  for (const Case& c : cases) {
    const ForeignAnswer seen = DescribeAnswer(c.answer, "http://127.0.0.1:80/x?PID=AB1234");
    EXPECT_EQ(seen.status, c.answer.status);
    EXPECT_EQ(seen.title, c.title);
    EXPECT_EQ(seen.final_url, c.final_url);
    EXPECT_EQ(seen.host, c.host);
  }
}

}  // namespace
}  // namespace velmora
