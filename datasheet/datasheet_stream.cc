#include "datasheet/datasheet_stream.h"

#include <cstring>

#include "logs/page_charset.h"

namespace velmora {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The first character of the line that is no blank (a byte order mark counts
// as blank); '\0' for a blank line.
char FirstNonBlank(std::string_view line) {
  if (line.starts_with(kByteOrderMark)) line.remove_prefix(kByteOrderMark.size());
  const std::size_t at = line.find_first_not_of(" \t\f\v");
  return at == std::string_view::npos ? '\0' : line[at];
}

}  // namespace

void DatasheetSplitter::Line(std::string_view line) {
  const std::string_view pid = LinePid(line);
  const long run = runs_.Next(line, pid);
  if (run != run_) {
    Close();
    run_ = run;
  }
  if (!line.empty() && line[0] == '1') {
    header_.assign(line);
    return;
  }
  if (pid.empty()) return;
  saw_datasheet_ = true;
  if (pid_.empty()) {
    pid_.assign(pid);
    wanted_ = visitor_.Wants(pid_);
  }
  bytes_ += line.size() + 1;
  if (bytes_ > kLargestDatasheet) throw DatasheetTooLarge(pid_);
  if (!wanted_) return;
  if (count_ == lines_.size()) lines_.emplace_back();
  lines_[count_++].assign(line);
}

void DatasheetSplitter::EndSource() {
  Close();
  runs_.NewSource();
  run_ = -1;
}

void DatasheetSplitter::Close() {
  if (!pid_.empty() && wanted_) {
    visitor_.Take(Datasheet{pid_, header_, std::span<const std::string>(lines_.data(), count_)});
  }
  if (!pid_.empty()) header_.clear();
  pid_.clear();
  wanted_ = false;
  count_ = 0;
  bytes_ = 0;
}

void DatasheetStream::Feed(std::string_view chunk) {
  std::size_t start = 0;
  if (after_cr_ && !chunk.empty() && chunk.front() == '\n') start = 1;
  after_cr_ = false;
  const char* data = chunk.data();
  while (start < chunk.size()) {
    const std::size_t left = chunk.size() - start;
    const void* lf = std::memchr(data + start, '\n', left);
    std::size_t end = lf != nullptr ? static_cast<const char*>(lf) - data : chunk.size();
    const void* cr = std::memchr(data + start, '\r', end - start);
    if (cr != nullptr) end = static_cast<const char*>(cr) - data;
    if (end == chunk.size()) break;  // the line goes on in the next chunk
    const std::string_view piece = chunk.substr(start, end - start);
    if (line_.empty()) {
      TakeLine(piece.substr(0, kLongestDatasheetLine));
    } else {
      if (line_.size() < kLongestDatasheetLine) {
        line_.append(piece.substr(0, kLongestDatasheetLine - line_.size()));
      }
      TakeLine(line_);
      line_.clear();
    }
    start = end + 1;
    if (chunk[end] == '\r' && start < chunk.size() && chunk[start] == '\n') ++start;
    if (chunk[end] == '\r' && start == chunk.size()) after_cr_ = true;
  }
  if (start < chunk.size() && line_.size() < kLongestDatasheetLine) {
    line_.append(chunk.substr(start, kLongestDatasheetLine - line_.size()));
  }
}

void DatasheetStream::EndSource() {
  if (!line_.empty()) TakeLine(line_);
  line_.clear();
  after_cr_ = false;
  kind_ = Kind::kUnknown;
  splitter_.EndSource();
}

void DatasheetStream::TakeLine(std::string_view raw) {
  if (kind_ == Kind::kUnknown) {
    const char first = FirstNonBlank(raw);
    if (first != '\0') kind_ = first == '<' ? Kind::kPage : Kind::kText;
  }
  std::string_view line = raw;
  if (to_utf8_ && !IsValidUtf8(raw)) {
    converted_ = Windows1252ToUtf8(raw);
    line = converted_;
  }
  if (kind_ != Kind::kPage || line.find_first_of("<&") == std::string_view::npos) {
    return TakeReadyLine(line);
  }
  for (const std::string& part : DatasheetLines(line)) TakeReadyLine(part);
}

void DatasheetStream::TakeReadyLine(std::string_view line) {
  splitter_.Line(CutDatasheetLine(line));
}

}  // namespace velmora
