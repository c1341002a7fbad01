#include <gtest/gtest.h>

#include <string>

#include "net/encode_url.h"

namespace velmora {
namespace {

TEST(EncodeUrlTest, LeavesAnOrdinaryAddressAlone) {
  const std::string url =
      "http://www.example.org:8080/mark/details.aspx?PID=AB1234&x=%41-_.~!$'()*+,;=:@/#top[]";
  EXPECT_EQ(EncodeUrl(url), url);
}

TEST(EncodeUrlTest, EncodesWhatCannotStandInAUrl) {
  EXPECT_EQ(EncodeUrl("?PID=A B"), "?PID=A%20B");
  EXPECT_EQ(EncodeUrl("\"<>\\^`{|}"), "%22%3C%3E%5C%5E%60%7B%7C%7D");
  EXPECT_EQ(EncodeUrl(std::string("a\0b\tc\r\n\x1F\x7F", 9)), "a%00b%09c%0D%0A%1F%7F");
  EXPECT_EQ(EncodeUrl("\xC3\xA9\x80\xFF"), "%C3%A9%80%FF");
}

TEST(EncodeUrlTest, EmptyStaysEmpty) { EXPECT_EQ(EncodeUrl(""), ""); }

}  // namespace
}  // namespace velmora
