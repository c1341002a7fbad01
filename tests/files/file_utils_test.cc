#include "files/file_utils.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "files/file_error.h"
#include "tests/support/temp_dir.h"

namespace velmora {
namespace {

using testing::CurrentDir;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

TEST(BaseNameTest, CutsTheFolderAtBackslashesAndTheNameAtItsLastPoint) {
  EXPECT_EQ(BaseName("C:\\Users\\hunter\\quads.gpx"), "quads");
  EXPECT_EQ(BaseName("quads.gpx"), "quads");
  EXPECT_EQ(BaseName("a.b.gpx"), "a.b");
  EXPECT_EQ(BaseName("boulder.2011.gpx"), "boulder.2011");
  EXPECT_EQ(BaseName("noextension"), "noextension");
  EXPECT_EQ(BaseName("C:\\folder\\"), "");
  EXPECT_EQ(BaseName(""), "");
  EXPECT_EQ(BaseName(".hidden.gpx"), ".hidden");
  EXPECT_EQ(BaseName(".gpx"), "");
  EXPECT_EQ(BaseName("dir.v2\\x.gpx"), "x");  // a point in a folder does not count
  EXPECT_EQ(BaseName("sub/quads.gpx"), "sub/quads");  // a slash is an ordinary character
}

TEST(BaseNameTest, ResultFileNames) {
  EXPECT_EQ(ResultFileName("C:\\maps\\quads.gpx"), "quads R.gpx");
  EXPECT_EQ(ResultFileName("a.b.gpx"), "a.b R.gpx");
  EXPECT_EQ(ResultFileName("boulder.2011.gpx"), "boulder.2011 R.gpx");
  EXPECT_EQ(ResultFileName(""), " R.gpx");
}

std::string AllBytes() {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<char>(i));
  return bytes + bytes;  // twice, so NUL and 0xFF stand inside the text too
}

TEST(ReadWriteTest, EveryByteRoundTripsUnchanged) {
  TempDir dir;
  CurrentDir here(dir.path());
  WriteFileBytes(dir / "bytes.gpx", AllBytes());
  const std::string text = ReadWholeFile("bytes.gpx");
  ASSERT_EQ(text.size(), 512u);
  EXPECT_EQ(text, AllBytes());
  WriteResultFile(text, "bytes.gpx");
  EXPECT_EQ(ReadFileBytes(dir / "bytes R.gpx"), AllBytes());
}

TEST(ReadWriteTest, MissingFileReadsAsEmptyTextAndEmptyFileToo) {
  TempDir dir;
  CurrentDir here(dir.path());
  EXPECT_EQ(ReadWholeFile("absent.gpx"), "");
  EXPECT_FALSE(std::filesystem::exists(dir / "absent.gpx"));
  WriteFileBytes(dir / "empty.gpx", "");
  EXPECT_EQ(ReadWholeFile("empty.gpx"), "");
}

TEST(ReadWriteTest, ReadingAFolderRaisesAFileError) {
  TempDir dir;
  try {
    ReadWholeFile(dir.path().string());
    ADD_FAILURE() << "no error";
  } catch (const FileError& error) {
    EXPECT_NE(error.number(), 0);
    EXPECT_FALSE(error.description().empty());
  }
}

TEST(WriteResultFileTest, ReplacesALongerOlderResultExactly) {
  TempDir dir;
  CurrentDir here(dir.path());
  WriteFileBytes(dir / "quads R.gpx", std::string(10000, 'x'));
  WriteResultFile("<gpx/>", "quads.gpx");
  EXPECT_EQ(ReadFileBytes(dir / "quads R.gpx"), "<gpx/>");
  WriteResultFile("", "quads.gpx");
  EXPECT_EQ(std::filesystem::file_size(dir / "quads R.gpx"), 0u);
  EXPECT_FALSE(std::filesystem::exists(dir / "quads R.gpx.tmp"));
}

TEST(WriteResultFileTest, AFailedWriteKeepsThePreviousResult) {
  TempDir dir;
  CurrentDir here(dir.path());
  WriteResultFile("first complete version", "quads.gpx");
  // A folder where the temporary file must go makes the write fail whoever runs it.
  std::filesystem::create_directory(dir / "quads R.gpx.tmp");
  try {
    WriteResultFile("second version", "quads.gpx");
    ADD_FAILURE() << "no error";
  } catch (const FileError& error) {
    EXPECT_NE(error.number(), 0);
    EXPECT_FALSE(error.description().empty());
  }
  EXPECT_EQ(ReadFileBytes(dir / "quads R.gpx"), "first complete version");
}

TEST(WriteResultFileTest, AFailedRenameRemovesTheTemporaryFile) {
  TempDir dir;
  CurrentDir here(dir.path());
  // The result name is a non-empty folder: the rename over it fails.
  std::filesystem::create_directories(dir / "quads R.gpx" / "inside");
  EXPECT_THROW(WriteResultFile("text", "quads.gpx"), FileError);
  EXPECT_FALSE(std::filesystem::exists(dir / "quads R.gpx.tmp"));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "quads R.gpx" / "inside"));
}

TEST(FileExistsTest, TellsWithoutErrors) {
  TempDir dir;
  WriteFileBytes(dir / "here.gpx", "x");
  EXPECT_TRUE(FileExists((dir / "here.gpx").string()));
  EXPECT_FALSE(FileExists((dir / "missing.gpx").string()));
  EXPECT_FALSE(FileExists((dir / "no such folder" / "x.gpx").string()));
  EXPECT_FALSE(FileExists(""));
}

}  // namespace
}  // namespace velmora
