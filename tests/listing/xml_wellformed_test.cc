// Harvested blocks stay well-formed XML whatever the listing page holds:
// checked with xmllint, the reader the project's users also meet.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "listing/harvest_log_table.h"
#include "logs/log_writer.h"
#include "tests/listing/listing_rows.h"
#include "tests/support/temp_dir.h"

namespace velmora {
namespace {

using testing::FixturePage;
using testing::TempDir;
using testing::WriteFileBytes;

// True when xmllint accepts a GPX document whose log zone holds `block`.
bool IsWellFormed(const std::string& block) {
  TempDir folder;
  const auto file = folder / "logs.gpx";
  WriteFileBytes(file,
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                 "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\" version=\"1.1\" creator=\"t\" "
                 "xmlns:groundspeak=\"http://www.groundspeak.com/cache/1/0/1\">\r\n"
                 "  <wpt lat=\"40.1\" lon=\"-76.9\"><name>KW1234</name>\r\n"
                 "    <groundspeak:cache><groundspeak:logs>" + block +
                 "\r\n    </groundspeak:logs></groundspeak:cache></wpt>\r\n</gpx>\r\n");
  const std::string command = "xmllint --noout '" + file.string() + "' 2>/dev/null";
  return std::system(command.c_str()) == 0;
}

TEST(WellFormedResult, HoldsForHostileAndOrdinaryPages) {
  for (const char* fixture : {"listing_hostile.html", "listing_logs.html"}) {
    std::string block;
    ASSERT_TRUE(HarvestLogTable(FixturePage(fixture), block, DateOrder::kMonthDayYear)) << fixture;
    EXPECT_TRUE(IsWellFormed(block)) << fixture << ":\n" << block;
  }
}

TEST(WellFormedResult, HostileValuesComeOutEscapedAndWithoutControlBytes) {
  std::string block;
  ASSERT_TRUE(
      HarvestLogTable(FixturePage("listing_hostile.html"), block, DateOrder::kMonthDayYear));
  EXPECT_NE(block.find("<groundspeak:type>Found &amp; &lt;lost&gt;</groundspeak:type>"),
            std::string::npos);
  EXPECT_NE(block.find("<groundspeak:type>Needs &lt;maintenance&gt;</groundspeak:type>"),
            std::string::npos);
  EXPECT_NE(block.find(">CtrlFinder &amp; &quot;Co&quot;</groundspeak:finder>"),
            std::string::npos);
  EXPECT_NE(block.find("tab\tstays"), std::string::npos);
  for (const char byte : block) {
    const auto value = static_cast<unsigned char>(byte);
    EXPECT_FALSE(value < 0x20 && value != '\t' && value != '\n' && value != '\r')
        << "control byte " << static_cast<int>(value);
  }
}

TEST(WellFormedResult, TheCheckRejectsAnUnescapedTypeOrControlByte) {
  // Guards the check above: the faults it is there to catch do fail it.
  std::string block;
  AppendLogElement(block, "0000001", "2009-07-04", "Found", "F", "T");
  ASSERT_TRUE(IsWellFormed(block));
  std::string raw_type = block;
  raw_type.replace(raw_type.find("Found"), 5, "Found & <lost>");
  EXPECT_FALSE(IsWellFormed(raw_type));
  std::string control = block;
  control.replace(control.find("Found"), 5, "Fou\x01nd");
  EXPECT_FALSE(IsWellFormed(control));
}

}  // namespace
}  // namespace velmora
