#include "files/error_log.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <clocale>
#include <functional>
#include <regex>
#include <sstream>

#include "tests/support/temp_dir.h"

namespace velmora {
namespace {

using testing::CurrentDir;
using testing::ReadFileBytes;
using testing::TempDir;

// Runs `body` in a child process with `folder` as its working folder, so each
// call is a fresh program start as far as the error log's header goes.
void InChildProcess(const std::filesystem::path& folder, const std::function<void()>& body) {
  const pid_t child = fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    int status = 0;
    try {
      std::filesystem::current_path(folder);
      body();
    } catch (...) {
      status = 1;
    }
    _exit(status);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 0);
}

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2) {
    lines.push_back(text.substr(start, at - start));
  }
  EXPECT_EQ(start, text.size()) << "the log must end with CR LF";
  return lines;
}

const std::string kEquals(44, '=');

TEST(ErrorLogTest, HeaderOncePerProcessAndAgainAfterARestart) {
  TempDir dir;
  InChildProcess(dir.path(), [] {
    AppendErrorLog("");
    AppendErrorLog("second message");
  });
  InChildProcess(dir.path(), [] { AppendErrorLog("after restart"); });

  const std::vector<std::string> lines = SplitCrLf(ReadFileBytes(dir / "ErrorLog.txt"));
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], kEquals);
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "second message");
  EXPECT_EQ(lines[4], kEquals);
  EXPECT_EQ(lines[6], "after restart");
  EXPECT_FALSE(lines[1].empty());
  EXPECT_FALSE(lines[5].empty());
}

TEST(ErrorLogTest, DateTimeUnderTheCLocaleIsIsoToTheSecond) {
  const std::regex iso(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)");
  EXPECT_TRUE(std::regex_match(LocalDateTimeText(), iso)) << LocalDateTimeText();
  // The C locale in UTF-8 writes dates as ambiguously as the plain one.
  const std::string previous = std::setlocale(LC_TIME, nullptr);
  if (std::setlocale(LC_TIME, "C.UTF-8") != nullptr) {
    const std::string text = LocalDateTimeText();
    std::setlocale(LC_TIME, previous.c_str());
    EXPECT_TRUE(std::regex_match(text, iso)) << text;
  }
}

TEST(ErrorLogTest, AFailedAppendIsReportedAndTheHeaderComesWithTheNextOne) {
  TempDir dir;
  InChildProcess(dir.path(), [&] {
    std::filesystem::create_directory("ErrorLog.txt");  // cannot be opened for appending
    bool failed = false;
    try {
      AppendErrorLog("lost");
    } catch (const std::exception&) {
      failed = true;
    }
    if (!failed) throw std::runtime_error("no error");
    std::filesystem::remove("ErrorLog.txt");
    AppendErrorLog("kept");
  });
  const std::vector<std::string> lines = SplitCrLf(ReadFileBytes(dir / "ErrorLog.txt"));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], kEquals);
  EXPECT_EQ(lines[2], "kept");
}

}  // namespace
}  // namespace velmora
