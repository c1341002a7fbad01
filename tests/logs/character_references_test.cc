#include "logs/character_references.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(DecodeCharacterReferences, NumericReferencesInBothBasesBecomeUtf8) {
  EXPECT_EQ(DecodeCharacterReferences("Ren&#233;"), "Ren\xC3\xA9");
  EXPECT_EQ(DecodeCharacterReferences("Ren&#xE9; Ren&#Xe9;"), "Ren\xC3\xA9 Ren\xC3\xA9");
  EXPECT_EQ(DecodeCharacterReferences("&#65;&#x20AC;&#x1F600;"), "A\xE2\x82\xAC\xF0\x9F\x98\x80");
  EXPECT_EQ(DecodeCharacterReferences("tab&#9;lf&#10;cr&#13;"), "tab\tlf\ncr\r");
}

TEST(DecodeCharacterReferences, NumericReferencesMayHaveAnyNumberOfLeadingZeros) {
  const std::string zeros(40, '0');
  EXPECT_EQ(DecodeCharacterReferences("&#" + zeros + "65;&#x" + zeros + "E9;"), "A\xC3\xA9");
  const std::string long_name = "&" + std::string(33, 'a') + ";";  // no entity is that long
  EXPECT_EQ(DecodeCharacterReferences(long_name), long_name);
}

TEST(DecodeCharacterReferences, NamedEntitiesComeFromTheHtmlTable) {
  EXPECT_EQ(DecodeCharacterReferences("Ann &amp; Bob &lt;3 &quot;x&quot; &apos;"),
            "Ann & Bob <3 \"x\" '");
  EXPECT_EQ(DecodeCharacterReferences("Jos&eacute; &mdash; &euro;"),
            "Jos\xC3\xA9 \xE2\x80\x94 \xE2\x82\xAC");
  EXPECT_EQ(DecodeCharacterReferences("&Eacute;&eacute;"), "\xC3\x89\xC3\xA9");
}

TEST(DecodeCharacterReferences, NoBreakSpaceBecomesAPlainSpace) {
  EXPECT_EQ(DecodeCharacterReferences("a&nbsp;b&#160;c&#xA0;d"), "a b c d");
}

TEST(DecodeCharacterReferences, UnknownOrMalformedReferencesStayAsWritten) {
  for (const char* text : {"&bogus;", "&amp", "AT&T", "& b;", "&#;", "&#x;", "&#12a;",
                           "&#xG1;", "&;", "&&amp", "&am p;", "&#-5;", "&AMP;"}) {
    EXPECT_EQ(DecodeCharacterReferences(text), text) << text;
  }
  EXPECT_EQ(DecodeCharacterReferences("&&amp;"), "&&");
  EXPECT_EQ(DecodeCharacterReferences("&amp;amp;"), "&amp;");  // decoded once only
}

TEST(DecodeCharacterReferences, CharactersXmlCannotHoldStayAsWritten) {
  for (const char* text : {"&#0;", "&#x0;", "&#1;", "&#x1F;", "&#xD800;", "&#xDFFF;",
                           "&#xFFFE;", "&#xFFFF;", "&#x110000;", "&#99999999999999999999;"}) {
    EXPECT_EQ(DecodeCharacterReferences(text), text) << text;
  }
  EXPECT_EQ(DecodeCharacterReferences("&#x10FFFF;"), "\xF4\x8F\xBF\xBF");
}

TEST(DecodeCharacterReferences, OtherBytesPassUnchanged) {
  const std::string bytes = "a\xE9<b>\x01\xFF;#";
  EXPECT_EQ(DecodeCharacterReferences(bytes), bytes);
}

}  // namespace
}  // namespace velmora
