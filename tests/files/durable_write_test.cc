#include "files/durable_write.h"

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
  // The hash so far, and a copy, go on from the same bytes.
  hasher.Update("ab");
  EXPECT_EQ(hasher.Digest(), Sha256Hex("ab"));
  Sha256 copy = hasher;
  copy.Update("c");
  hasher.Update("d");
  EXPECT_EQ(copy.Final(), Sha256Hex("abc"));
  EXPECT_EQ(hasher.Final(), Sha256Hex("abd"));
}

TEST(Sha256Test, FileHashReadsEveryBlock) {
  TempDir dir;
  std::string bytes;
  for (int i = 0; i < 200000; ++i) bytes.push_back(static_cast<char>(i * 7));
  WriteFileBytes(dir / "big.gpx", bytes);
  EXPECT_EQ(Sha256OfFile((dir / "big.gpx").string()), Sha256Hex(bytes));
  EXPECT_THROW(Sha256OfFile((dir / "missing.gpx").string()), FileError);
}

TEST(WriteResultPiecesTest, WritesThePiecesOneAfterTheOther) {
  TempDir dir;
  CurrentDir here(dir.path());
  const std::string rest(100000, 'r');
  const std::vector<std::string_view> pieces = {"<gpx>done", "", rest};
  WriteResultPieces(pieces, "quads.gpx");
  EXPECT_EQ(ReadFileBytes(dir / "quads R.gpx"), "<gpx>done" + rest);
  EXPECT_FALSE(std::filesystem::exists(dir / "quads R.gpx.tmp"));
}

TEST(WriteResultPiecesTest, TheStepBeforeTheRenameSeesTheDurableTemporaryFile) {
  TempDir dir;
  CurrentDir here(dir.path());
  WriteFileBytes(dir / "quads R.gpx", "old");
  const std::vector<std::string_view> pieces = {"new ", "text"};
  bool stepped = false;
  WriteResultPieces(pieces, "quads.gpx", [&] {
    stepped = true;
    EXPECT_EQ(ReadFileBytes(dir / "quads R.gpx.tmp"), "new text");
    EXPECT_EQ(ReadFileBytes(dir / "quads R.gpx"), "old");
  });
  EXPECT_TRUE(stepped);
  EXPECT_EQ(ReadFileBytes(dir / "quads R.gpx"), "new text");
}

TEST(WriteResultPiecesTest, AFailureKeepsThePreviousResult) {
  TempDir dir;
  CurrentDir here(dir.path());
  WriteFileBytes(dir / "quads R.gpx", "first complete version");
  const std::vector<std::string_view> pieces = {"second"};
  // A failing step before the rename: the new text never takes the result's place.
  EXPECT_THROW(WriteResultPieces(pieces, "quads.gpx", [] { throw std::runtime_error("x"); }),
               std::runtime_error);
  EXPECT_FALSE(std::filesystem::exists(dir / "quads R.gpx.tmp"));
  // A temporary file that cannot be written: FileError with the system's number.
  std::filesystem::create_directory(dir / "quads R.gpx.tmp");
  bool stepped = false;
  try {
    WriteResultPieces(pieces, "quads.gpx", [&] { stepped = true; });
    ADD_FAILURE() << "no error";
  } catch (const FileError& error) {
    EXPECT_NE(error.number(), 0);
  }
  EXPECT_FALSE(stepped);
  EXPECT_EQ(ReadFileBytes(dir / "quads R.gpx"), "first complete version");
}

}  // namespace
}  // namespace velmora
