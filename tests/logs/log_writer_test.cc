#include "logs/log_writer.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

using namespace std::string_literals;

TEST(AppendLogElement, TwoLogsMakeTwelveLinesEachAfterALineBreak) {
  std::string block;
  AppendLogElement(block, "0000001", "2009-07-04", "Found it", "Jane Doe", "Nice spot");
  AppendLogElement(block, "0000002", "2008-10-12", "Didn't find it", "Bob", "");
  const std::string expected =
      "\r\n    <groundspeak:log id=\"0000001\">"
      "\r\n      <groundspeak:date>2009-07-04T00:00:00-06:00Z</groundspeak:date>"
      "\r\n      <groundspeak:type>Found it</groundspeak:type>"
      "\r\n      <groundspeak:finder id=\"0000000\">Jane Doe</groundspeak:finder>"
      "\r\n      <groundspeak:text encoded=\"False\">Nice spot</groundspeak:text>"
      "\r\n    </groundspeak:log>"
      "\r\n    <groundspeak:log id=\"0000002\">"
      "\r\n      <groundspeak:date>2008-10-12T00:00:00-06:00Z</groundspeak:date>"
      "\r\n      <groundspeak:type>Didn't find it</groundspeak:type>"
      "\r\n      <groundspeak:finder id=\"0000000\">Bob</groundspeak:finder>"
      "\r\n      <groundspeak:text encoded=\"False\"></groundspeak:text>"
      "\r\n    </groundspeak:log>";
  EXPECT_EQ(block, expected);
}

TEST(AppendLogElement, AppendsAfterWhatTheBlockHolds) {
  std::string block = "KEEP";
  AppendLogElement(block, "0000003", "2009-07-04", "Note", "A", "B");
  EXPECT_EQ(block.substr(0, 6), "KEEP\r\n");
  EXPECT_EQ(block.substr(block.size() - 22), "    </groundspeak:log>");
}

TEST(AppendLogElement, WritesFinderTextAndOrdinaryTypesAsReceived) {
  std::string block;
  // Already escaped by the caller: written unchanged, not escaped again.
  AppendLogElement(block, "0000001", "2009-07-04", "Didn't find it \"x\"",
                   " A&amp;B\r\nC ", " caf\xC3\xA9 &lt;p&gt;\t");
  EXPECT_NE(block.find(">Didn't find it \"x\"</groundspeak:type>"), std::string::npos);
  EXPECT_NE(block.find("\"0000000\"> A&amp;B\r\nC </groundspeak:finder>"), std::string::npos);
  EXPECT_NE(block.find("\"False\"> caf\xC3\xA9 &lt;p&gt;\t</groundspeak:text>"), std::string::npos);
}

TEST(AppendLogElement, EscapesMarkupInTheTypeOnly) {
  std::string block;
  AppendLogElement(block, "0000001", "2009-07-04", "Found & <lost> &amp;", "F", "T");
  EXPECT_NE(block.find("<groundspeak:type>Found &amp; &lt;lost&gt; &amp;amp;</groundspeak:type>"),
            std::string::npos);
}

TEST(AppendLogElement, DropsControlBytesThatXmlForbids) {
  std::string forbidden;
  for (int byte = 0; byte < 0x20; ++byte) {
    if (byte != '\t' && byte != '\n' && byte != '\r') forbidden += static_cast<char>(byte);
  }
  std::string block;
  AppendLogElement(block, "0000001", "2009-07-04", "Fou" + forbidden + "nd",
                   "Fin" + forbidden + "der\t\x7F", "te" + forbidden + "xt\xFF");
  EXPECT_NE(block.find(">Found</groundspeak:type>"), std::string::npos);
  EXPECT_NE(block.find(">Finder\t\x7F</groundspeak:finder>"), std::string::npos);
  EXPECT_NE(block.find(">text\xFF</groundspeak:text>"), std::string::npos);
  EXPECT_EQ(DropForbiddenControls("a\tb\nc\rd"s), "a\tb\nc\rd");
  EXPECT_EQ(DropForbiddenControls("\0\x1F "s), " ");
}

TEST(EscapeLogText, EscapesTheFiveCharactersAmpersandFirst) {
  EXPECT_EQ(EscapeLogText("A&B"), "A&amp;B");
  EXPECT_EQ(EscapeLogText("say \"hi\" 'now' <b>x</b>"),
            "say &quot;hi&quot; &apos;now&apos; &lt;b&gt;x&lt;/b&gt;");
  // Entities of the page get their own "&" escaped.
  EXPECT_EQ(EscapeLogText("a&nbsp;b &amp; c"), "a&amp;nbsp;b &amp;amp; c");
  // Escaping twice escapes the entities again.
  EXPECT_EQ(EscapeLogText(EscapeLogText("A&B")), "A&amp;amp;B");
  EXPECT_EQ(EscapeLogText(EscapeLogText("<")), "&amp;lt;");
  EXPECT_EQ(EscapeLogText("caf\xC3\xA9 \xE2\x80\x9Cok\xE2\x80\x9D"),
            "caf\xC3\xA9 \xE2\x80\x9Cok\xE2\x80\x9D");
}

TEST(EscapeLogText, RemovesBrWithoutSpaceButEscapesBrWithSpace) {
  EXPECT_EQ(EscapeLogText("one<br/>two"), "onetwo");
  EXPECT_EQ(EscapeLogText("one<br />two"), "one&lt;br /&gt;two");
  EXPECT_EQ(EscapeLogText("one<BR/>two"), "one&lt;BR/&gt;two");
  // One left-to-right pass: what the removal joins is not removed again.
  EXPECT_EQ(EscapeLogText("<<br/>br/>"), "&lt;br/&gt;");
}

TEST(StripLineBreaks, RemovesCarriageReturnsAndLineFeedsOnly) {
  EXPECT_EQ(StripLineBreaks("one\r\ntwo\nthree\rfour\tfive"), "onetwothreefour\tfive");
  EXPECT_EQ(StripLineBreaks("\r\n\r\n"), "");
  EXPECT_EQ(StripLineBreaks("no breaks "), "no breaks ");
}

}  // namespace
}  // namespace velmora
