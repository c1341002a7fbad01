#include "files/hashed_write.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "files/file_error.h"
#include "files/sha256.h"
#include "tests/support/temp_dir.h"

namespace velmora {
namespace {

using testing::CurrentDir;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

TEST(Sha256Test, KnownHashesWholeAndInPieces) {
  EXPECT_EQ(Sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  Sha256 hasher;
  hasher.Update("a");
  hasher.Update("");
  hasher.Update("bc");
  EXPECT_EQ(hasher.Final(), Sha256Hex("abc"));
  hasher.Update("abc");  // Final started the hash over
  EXPECT_EQ(hasher.Final(), Sha256Hex("abc"));
}

TEST(Sha256Test, FileHashReadsEveryBlock) {
  TempDir dir;
  std::string bytes;
  for (int i = 0; i < 200000; ++i) bytes.push_back(static_cast<char>(i * 7));
  WriteFileBytes(dir / "big.gpx", bytes);
  EXPECT_EQ(Sha256OfFile((dir / "big.gpx").string()), Sha256Hex(bytes));
  EXPECT_THROW(Sha256OfFile((dir / "missing.gpx").string()), FileError);
}

TEST(WriteResultFileHashedTest, WritesThePiecesAndReturnsTheHashOfTheFile) {
  TempDir dir;
  CurrentDir here(dir.path());
  const std::string rest(100000, 'r');
  const std::vector<std::string_view> pieces = {"<gpx>done", "", rest};
  const std::string sha256 = WriteResultFileHashed(pieces, "quads.gpx");
  EXPECT_EQ(ReadFileBytes(dir / "quads R.gpx"), "<gpx>done" + rest);
  EXPECT_EQ(sha256, Sha256OfFile("quads R.gpx"));
  EXPECT_FALSE(std::filesystem::exists(dir / "quads R.gpx.tmp"));
}

TEST(WriteResultFileHashedTest, TheStepBeforeTheRenameSeesTheDurableTemporaryFile) {
  TempDir dir;
  CurrentDir here(dir.path());
  WriteFileBytes(dir / "quads R.gpx", "old");
  const std::vector<std::string_view> pieces = {"new ", "text"};
  std::string seen;
  const std::string sha256 = WriteResultFileHashed(pieces, "quads.gpx", [&](const std::string& h) {
    seen = h;
    EXPECT_EQ(ReadFileBytes(dir / "quads R.gpx.tmp"), "new text");
    EXPECT_EQ(ReadFileBytes(dir / "quads R.gpx"), "old");
  });
  EXPECT_EQ(seen, sha256);
  EXPECT_EQ(ReadFileBytes(dir / "quads R.gpx"), "new text");
}

TEST(WriteResultFileHashedTest, AFailureKeepsThePreviousResult) {
  TempDir dir;
  CurrentDir here(dir.path());
  WriteFileBytes(dir / "quads R.gpx", "first complete version");
  const std::vector<std::string_view> pieces = {"second"};
  // A failing step before the rename: the new text never takes the result's place.
  EXPECT_THROW(WriteResultFileHashed(pieces, "quads.gpx",
                                     [](const std::string&) { throw std::runtime_error("x"); }),
               std::runtime_error);
  EXPECT_FALSE(std::filesystem::exists(dir / "quads R.gpx.tmp"));
  // A temporary file that cannot be written: FileError with the system's number.
  std::filesystem::create_directory(dir / "quads R.gpx.tmp");
  bool stepped = false;
  try {
    WriteResultFileHashed(pieces, "quads.gpx", [&](const std::string&) { stepped = true; });
    ADD_FAILURE() << "no error";
  } catch (const FileError& error) {
    EXPECT_NE(error.number(), 0);
  }
  EXPECT_FALSE(stepped);
  EXPECT_EQ(ReadFileBytes(dir / "quads R.gpx"), "first complete version");
}

}  // namespace
}  // namespace velmora
