#include "files/resume_record.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "files/durable_write.h"
#include "files/file_utils.h"
#include "files/resume_check.h"
#include "files/sha256.h"
#include "tests/support/temp_dir.h"

namespace velmora {
namespace {

using testing::CurrentDir;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

ResumeRecord SampleRecord() {
  ResumeRecord record;
  record.input_size = 5000000000;
  record.input_sha256 = Sha256Hex("input");
  record.newest = {Sha256Hex("two"), 2, 7, 4294967299, 4294967000};
  record.previous = {Sha256Hex("one"), 1, 7, 120, 80};
  record.source = "datasheet-file";
  record.source_settings = {{"archive", "C:\\my data\\100%\nds.zip"}, {"archive-size", "9"}};
  return record;
}

// The body with a checksum line that holds, as a sound writer would sign it.
std::string Signed(const std::string& body) { return body + "checksum " + Sha256Hex(body) + "\n"; }

TEST(ResumeRecordTest, RoundTripsEveryField) {
  const std::string text = SerializeResumeRecord(SampleRecord());
  EXPECT_TRUE(text.starts_with("velmora-resume 2\n"));
  const RecordParse parse = ParseResumeRecord(text);
  ASSERT_TRUE(parse.record) << parse.error;
  EXPECT_EQ(*parse.record, SampleRecord());
  ResumeRecord first_write = SampleRecord();
  first_write.previous = {};  // no previous result yet
  EXPECT_EQ(ParseResumeRecord(SerializeResumeRecord(first_write)).record, first_write);
}

TEST(ResumeRecordTest, DamagedOrCutRecordsAreRefusedWithAReason) {
  const std::string text = SerializeResumeRecord(SampleRecord());
  for (std::size_t n = 0; n < text.size(); ++n) {
    const RecordParse cut = ParseResumeRecord(std::string_view(text).substr(0, n));
    EXPECT_FALSE(cut.record) << "cut at " << n;
    EXPECT_FALSE(cut.error.empty());
    std::string flipped = text;
    flipped[n] ^= 0x01;
    EXPECT_FALSE(ParseResumeRecord(flipped).record) << "byte " << n;
  }
  const std::string body = text.substr(0, text.find("checksum "));
  // Sound checksums over bad lines.
  for (const std::string& bad : {
           "velmora-resume 1\n" + body.substr(17),  // another version
           body + "unknown-key 1\n",
           body + "newest-total 8\n",             // repeated
           body.substr(0, body.find("source ")),  // lines missing
       }) {
    EXPECT_FALSE(ParseResumeRecord(Signed(bad)).record) << bad;
  }
  ResumeRecord over = SampleRecord();
  over.newest.completed = 8;  // more than the 7 of the run
  EXPECT_FALSE(ParseResumeRecord(SerializeResumeRecord(over)).record);
  EXPECT_FALSE(ParseResumeRecord(Signed("velmora-resume 2\ninput-size -1\n")).record);
}

TEST(ResumeRecordTest, FileNameWriteAndRemove) {
  TempDir dir;
  CurrentDir here(dir.path());
  EXPECT_EQ(RecordFileName("C:\\maps\\quads.gpx"), "quads R.gpx.resume");
  WriteRecordAtomically("quads R.gpx.resume", SampleRecord());
  EXPECT_EQ(ReadFileBytes(dir / "quads R.gpx.resume"), SerializeResumeRecord(SampleRecord()));
  EXPECT_FALSE(std::filesystem::exists(dir / "quads R.gpx.resume.tmp"));
  RemoveRecord("quads R.gpx.resume");
  EXPECT_FALSE(std::filesystem::exists(dir / "quads R.gpx.resume"));
  EXPECT_NO_THROW(RemoveRecord("quads R.gpx.resume"));
}

constexpr std::string_view kInput = "<gpx>input</gpx>";

// A run over "quads.gpx" as the scan will write it: each result with its
// record written just before the rename.
class ResumeCheckTest : public ::testing::Test {
 protected:
  ResumeCheckTest() : here_(dir_.path()) {
    WriteFileBytes(dir_ / "quads.gpx", std::string(kInput));
    record_.input_size = 16;
    record_.input_sha256 = Sha256Hex(kInput);
    record_.source = "listing";
    record_.source_settings = {{"host", "www.example.org"}};
  }

  // The result holding `completed` of 3 benchmarks: `done`, then the loaded
  // input from 5 + completed on.
  static ResultState StateOf(const std::string& done, int completed) {
    return {Sha256Hex(done), completed, 3, static_cast<std::int64_t>(done.size()), 5 + completed};
  }

  // Writes that result; `killed` stops after the record, before the rename.
  void Write(const std::string& done, int completed, bool killed = false) {
    const std::vector<std::string_view> pieces = {done, loaded_.substr(5 + completed)};
    try {
      WriteResultPieces(pieces, "quads.gpx", [&] {
        record_.Advance(StateOf(done, completed));
        WriteRecordAtomically(RecordFileName("quads.gpx"), record_);
        if (killed) throw std::runtime_error("killed");
      });
    } catch (const std::runtime_error&) {
    }
  }

  ResumeCheck Check(const LoadInput& load = {}) {
    return CheckResume("quads.gpx", "listing", record_.source_settings, load);
  }

  TempDir dir_;
  CurrentDir here_;
  ResumeRecord record_;
  std::string_view loaded_ = kInput;  // the input as the run loads it
};

TEST_F(ResumeCheckTest, ResumesFromTheNewestResult) {
  Write("one", 1);
  Write("two", 2);
  const ResumeCheck check = Check();
  ASSERT_TRUE(check.resume) << check.reason;
  EXPECT_TRUE(check.newest);
  EXPECT_EQ(check.state, StateOf("two", 2));
  EXPECT_EQ(check.record, record_);
  EXPECT_EQ(check.result_sha256, Sha256Hex("twoput</gpx>"));
}

TEST_F(ResumeCheckTest, AKillBetweenTheTwoRenamesResumesFromThePreviousResult) {
  Write("one", 1);
  Write("two", 2, /*killed=*/true);
  EXPECT_EQ(ReadFileBytes(dir_ / "quads R.gpx"), "onenput</gpx>");
  const ResumeCheck check = Check();
  ASSERT_TRUE(check.resume) << check.reason;
  EXPECT_FALSE(check.newest);
  EXPECT_EQ(check.state, StateOf("one", 1));
  // The resumed run's next write keeps "one" as the result to fall back on.
  record_ = check.record;
  Write("two again", 2, /*killed=*/true);
  ASSERT_TRUE(Check().resume);
  EXPECT_EQ(Check().state.completed, 1);
}

TEST_F(ResumeCheckTest, AResultIsResumedOnlyAsItsFinalPartAndTheLoadedRest) {
  Write("one", 1);
  Write("two", 2);
  const struct {
    const char* result;
    const char* reason;  // "": resumed
  } cases[] = {
      {"twoput</gpx>", ""},
      {"onenput</gpx>", ""},  // the previous result
      {"twOput</gpx>", kResultChangedReason},
      {"twopuT</gpx>", kResultChangedReason},
      {"twoput</gpx>\r\n", kResultChangedReason},
      {"twoput</gpx", kResultChangedReason},
      {"tw", kResultChangedReason},
  };
  for (const auto& c : cases) {
    WriteFileBytes(dir_ / "quads R.gpx", c.result);
    const ResumeCheck check = Check();
    EXPECT_EQ(check.resume, *c.reason == '\0') << c.result;
    EXPECT_EQ(check.reason, c.reason) << c.result;
  }
}

TEST_F(ResumeCheckTest, TheRestIsComparedWithTheInputAsTheRunLoadsIt) {
  const auto load = [](std::string input) { return input.replace(5, 5, "INPUT"); };
  const std::string loaded = load(std::string(kInput));
  loaded_ = loaded;
  Write("two", 2);
  EXPECT_TRUE(Check(load).resume);
  EXPECT_EQ(Check().reason, kResultChangedReason);
}

TEST_F(ResumeCheckTest, EveryMismatchStartsAFreshRunWithItsReason) {
  EXPECT_EQ(Check().reason, kNoRecordReason);
  Write("one", 1, /*killed=*/true);  // the first result never arrived
  EXPECT_EQ(Check().reason, kResultChangedReason);
  Write("one", 1);
  Write("two", 2);
  ASSERT_TRUE(Check().resume);
  EXPECT_EQ(CheckResume("quads.gpx", "datasheet", record_.source_settings).reason,
            kOtherSourceReason);
  EXPECT_EQ(CheckResume("quads.gpx", "listing", {{"host", "other.example.org"}}).reason,
            kOtherSourceReason);
  WriteFileBytes(dir_ / "quads R.gpx", "twO");
  EXPECT_EQ(Check().reason, kResultChangedReason);
  std::filesystem::remove(dir_ / "quads R.gpx");
  EXPECT_EQ(Check().reason, kResultChangedReason);
  Write("three", 3);
  WriteFileBytes(dir_ / "quads.gpx", "<gpx>inpuT</gpx>");  // same size, other bytes
  EXPECT_EQ(Check().reason, kInputChangedReason);
  WriteFileBytes(dir_ / "quads.gpx", std::string(kInput));
  ASSERT_TRUE(Check().resume);
  const std::string record = ReadFileBytes(dir_ / "quads R.gpx.resume");
  WriteFileBytes(dir_ / "quads R.gpx.resume", record.substr(0, record.size() / 2));
  EXPECT_EQ(Check().reason, kDamagedRecordReason);
  // A record of the earlier format, whose hashes were of whole results.
  std::string old = SerializeResumeRecord(record_);
  old = old.substr(0, old.find("checksum ")).replace(15, 1, "1");
  WriteFileBytes(dir_ / "quads R.gpx.resume", Signed(old));
  EXPECT_EQ(Check().reason, kDamagedRecordReason);
}

}  // namespace
}  // namespace velmora
