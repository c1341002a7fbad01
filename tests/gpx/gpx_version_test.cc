#include "gpx/gpx_version.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

constexpr const char* kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

TEST(GpxVersionAttribute, ReadsTheAttributeWhereverItStands) {
  EXPECT_EQ(GpxVersionAttribute(std::string(kDeclaration) +
                                "<gpx version=\"1.1\" creator=\"x\"><wpt/></gpx>"),
            "1.1");
  EXPECT_EQ(GpxVersionAttribute(std::string(kDeclaration) +
                                "<gpx\n  xmlns=\"http://www.topografix.com/GPX/1/0\"\n"
                                "  creator='Site'\tversion = '1.0'\n  xmlns:xsi=\"a\">"),
            "1.0");
  EXPECT_EQ(GpxVersionAttribute("<gpx creator=\"version='2'\" version=\"1.1\">"), "1.1");
  EXPECT_EQ(GpxVersionAttribute("<gpx version=\"\">"), "");
}

TEST(GpxVersionAttribute, IgnoresEverythingButTheGpxStartTag) {
  // Only the declaration, a comment or a processing instruction name a version.
  EXPECT_EQ(GpxVersionAttribute(std::string(kDeclaration) + "<gpx creator=\"x\"></gpx>"), "");
  EXPECT_EQ(GpxVersionAttribute("<!-- <gpx version=\"1.1\"> --><gpx>"), "");
  EXPECT_EQ(GpxVersionAttribute("<?style <gpx version=\"1.1\"?><gpx>"), "");
  EXPECT_EQ(GpxVersionAttribute("<gpxdata version=\"1.1\"><gpx version=\"1.0\">"), "1.0");
  EXPECT_EQ(GpxVersionAttribute("<kml version=\"2.2\"/>"), "");
  EXPECT_EQ(GpxVersionAttribute(""), "");
  EXPECT_EQ(GpxVersionAttribute("<gpx version=\"1.1"), "");  // cut off
  EXPECT_EQ(GpxVersionAttribute("<gpx creator version=\"1.1\">"), "");  // damaged tag
}

}  // namespace
}  // namespace velmora
