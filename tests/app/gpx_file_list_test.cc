#include "app/gpx_file_list.h"

#include <gmock/gmock.h>

#include <filesystem>

#include "tests/support/temp_dir.h"

namespace velmora::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(GpxFileListTest, NameMatchIgnoresLetterCase) {
  EXPECT_TRUE(IsGpxFileName("quads.gpx"));
  EXPECT_TRUE(IsGpxFileName("QUADS.GPX"));
  EXPECT_TRUE(IsGpxFileName("quads.Gpx"));
  EXPECT_TRUE(IsGpxFileName("quads R.gpx"));
  EXPECT_TRUE(IsGpxFileName(".gpx"));
  EXPECT_FALSE(IsGpxFileName("gpx"));
  EXPECT_FALSE(IsGpxFileName("quads.gpx.bak"));
  EXPECT_FALSE(IsGpxFileName("quads.gpxx"));
  EXPECT_FALSE(IsGpxFileName("quadsgpx"));
  EXPECT_FALSE(IsGpxFileName(""));
}

TEST(GpxFileListTest, ListsTheFolderGpxFilesOnlyAsBareSortedNames) {
  TempDir dir;
  for (const char* name : {"quads.gpx", "quads R.gpx", "HANDHELD.GPX", "notes.txt",
                           "quads.gpx.bak", "ErrorLog.txt", "track.kml"}) {
    WriteFileBytes(dir / name, "x");
  }
  std::filesystem::create_directory(dir / "old.gpx");  // a folder, not a file
  std::filesystem::create_directory(dir / "sub");
  WriteFileBytes(dir / "sub" / "inner.gpx", "x");  // not in the folder itself

  EXPECT_THAT(ListGpxFiles(dir.path()), ElementsAre("HANDHELD.GPX", "quads R.gpx", "quads.gpx"));
}

TEST(GpxFileListTest, SortsWithoutRegardToLetterCase) {
  TempDir dir;
  for (const char* name : {"cherry.gpx", "Banana.gpx", "apple.gpx", "APPLE.GPX"}) {
    WriteFileBytes(dir / name, "x");
  }
  EXPECT_THAT(ListGpxFiles(dir.path()),
              ElementsAre("APPLE.GPX", "apple.gpx", "Banana.gpx", "cherry.gpx"));
}

TEST(GpxFileListTest, KeepsTheNameBytesUnchanged) {
  TempDir dir;
  const std::string latin1 = "r\xe9sum\xe9.gpx";  // not valid UTF-8
  const std::string utf8 = "caf\xc3\xa9.gpx";
  WriteFileBytes(dir / latin1, "x");
  WriteFileBytes(dir / utf8, "x");
  EXPECT_THAT(ListGpxFiles(dir.path()), ElementsAre(utf8, latin1));
}

TEST(GpxFileListTest, EmptyOrMissingFolderGivesNoNames) {
  TempDir dir;
  EXPECT_THAT(ListGpxFiles(dir.path()), IsEmpty());
  EXPECT_THAT(ListGpxFiles(dir / "missing"), IsEmpty());
}

}  // namespace
}  // namespace velmora::testing
