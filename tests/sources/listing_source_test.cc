// The listing source's rewrite of datasheet links.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "core/settings.h"
#include "sources/listing_source.h"

namespace velmora::testing {
namespace {

TEST(RewriteDatasheetLinks, PointsEveryDatasheetLinkAtItsListingPage) {
  Settings settings;
  settings.datasheet_host = "127.0.0.1:8081";
  settings.listing_host = "127.0.0.1:8080";
  std::string document =
      "<link href=\"http://127.0.0.1:8081/cgi-bin/ds_mark.prl?PidBox=KK1234\">\r\n"
      "<desc>See http://127.0.0.1:8081/cgi-bin/ds_mark.prl?PidBox=KK1235 and "
      "http://127.0.0.1:8081/cgi-bin/ds_mark.prl?PidBox=KK1236</desc>";
  RewriteDatasheetLinks(document, settings);
  EXPECT_EQ(document,
            "<link href=\"http://127.0.0.1:8080/mark/details.aspx?PID=KK1234\">\r\n"
            "<desc>See http://127.0.0.1:8080/mark/details.aspx?PID=KK1235 and "
            "http://127.0.0.1:8080/mark/details.aspx?PID=KK1236</desc>");
}

TEST(RewriteDatasheetLinks, LeavesLookAlikesAlone) {
  Settings settings;
  const std::string look_alikes =
      "HTTP://www.ngs.noaa.gov/cgi-bin/ds_mark.prl?PidBox=KK1234\r\n"
      "http://WWW.NGS.NOAA.GOV/cgi-bin/ds_mark.prl?PidBox=KK1234\r\n"
      "https://www.ngs.noaa.gov/cgi-bin/ds_mark.prl?PidBox=KK1234\r\n"
      "http://www.ngs.noaa.gov/cgi-bin/ds_mark.prl?PIDBOX=KK1234\r\n"
      "http://ngs.noaa.gov/cgi-bin/ds_mark.prl?PidBox=KK1234\r\n";
  std::string document = look_alikes;
  RewriteDatasheetLinks(document, settings);
  EXPECT_EQ(document, look_alikes);
}

}  // namespace
}  // namespace velmora::testing
