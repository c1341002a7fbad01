#include "core/text.h"

#include <gtest/gtest.h>

#include <utility>

namespace velmora {
namespace {

TEST(InStrTest, PositionsAreOneBasedAndZeroMeansNotFound) {
  EXPECT_EQ(InStr(1, "abcabc", "a"), 1);
  EXPECT_EQ(InStr(2, "abcabc", "a"), 4);
  EXPECT_EQ(InStr(4, "abcabc", "a"), 4);  // the start character itself counts
  EXPECT_EQ(InStr(5, "abcabc", "a"), 0);
  EXPECT_EQ(InStr(1, "abcabc", "C"), 0);  // case-sensitive
  EXPECT_EQ(InStr(6, "abcabc", "c"), 6);  // last character
}

TEST(InStrTest, StartOutsideTheTextIsSafe) {
  EXPECT_EQ(InStr(0, "abc", "a"), 1);
  EXPECT_EQ(InStr(-5, "abc", "b"), 2);
  EXPECT_EQ(InStr(4, "abc", "c"), 0);
  EXPECT_EQ(InStr(100, "abc", "c"), 0);
  EXPECT_EQ(InStr(1, "", "a"), 0);
}

TEST(CutTest, LeftMidRightClampToTheText) {
  EXPECT_EQ(Left("abcdef", 3), "abc");
  EXPECT_EQ(Left("abc", 10), "abc");
  EXPECT_EQ(Left("abc", 0), "");
  EXPECT_EQ(Left("abc", -1), "");
  EXPECT_EQ(Mid("abcdef", 1, 2), "ab");
  EXPECT_EQ(Mid("abcdef", 5), "ef");
  EXPECT_EQ(Mid("abcdef", 6, 10), "f");
  EXPECT_EQ(Mid("abcdef", 7), "");
  EXPECT_EQ(Mid("abcdef", 3, 0), "");
  EXPECT_EQ(Right("0000000" "12", 7), "0000012");
  EXPECT_EQ(Right("ab", 7), "ab");
}

TEST(ReplaceAllTest, DoesNotSearchReplacedText) {
  EXPECT_EQ(ReplaceAll("a&b&&", "&", "&amp;"), "a&amp;b&amp;&amp;");
  EXPECT_EQ(ReplaceAll("aaaa", "aa", "a"), "aa");
  EXPECT_EQ(ReplaceAll("xyz", "", "q"), "xyz");
  EXPECT_EQ(ReplaceAll("line\r\n", "\r", ""), "line\n");
}

TEST(TrimTest, RemovesOnlySpaces) {
  EXPECT_EQ(Trim("  a b  "), "a b");
  EXPECT_EQ(Trim("\tword\r\n "), "\tword\r\n");
  EXPECT_EQ(Trim("     "), "");
  EXPECT_EQ(Trim(""), "");
}

TEST(TextTest, LineAndColumnCountLinesAndCharacters) {
  const std::string text = "ab\r\ncaf\xC3\xA9<x\n";
  EXPECT_EQ(LineAndColumn(text, 0), "line 1, column 1");
  EXPECT_EQ(LineAndColumn(text, 4), "line 2, column 1");
  EXPECT_EQ(LineAndColumn(text, 9), "line 2, column 5");  // the "<" after the "é"
  EXPECT_EQ(LineAndColumn(text, 100), "line 3, column 1");
}

TEST(TextTest, ANameBeginsWithAPidOnlyWhenItStandsAsAWord) {
  const std::pair<std::string, std::string> names[] = {
      {"KK1523", "KK1523"}, {"KK1523 MILL 3", "KK1523"}, {"AB1234-2", "AB1234"},
      {"GC7FA4", ""},       {"GCGCA8", ""},              {"AB&amp;C=1", ""},
      {"KK15234", ""},      {"KK1523A", ""},             {" KK1523", ""},
      {"kk1523", ""},       {"KK152", ""},               {"", ""},
      {"K11523", ""},       {"KK152X", ""}};
  for (const auto& [name, pid] : names) EXPECT_EQ(LeadingPid(name), pid) << name;
  EXPECT_TRUE(ContainsWord("KK15234 and (KK1523)", "KK1523"));
  EXPECT_FALSE(ContainsWord("KK15234 xKK1523", "KK1523"));
}

TEST(TextTest, BytesAboveAsciiPassUnchanged) {
  const std::string text = "caf\xC3\xA9 \xFF\x00z";
  EXPECT_EQ(Mid(text, 4, 2), "\xC3\xA9");
  EXPECT_EQ(LowerAscii("QUICK \xC3\x89"), "quick \xC3\x89");
}

}  // namespace
}  // namespace velmora
