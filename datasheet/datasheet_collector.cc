#include "datasheet/datasheet_collector.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace velmora {
namespace {

// Datasheet lines hold 80 columns at most; bytes beyond this on one line are
// dropped, which keeps memory bounded on a file without line ends.
constexpr std::size_t kLongestLine = 4096;

// The position of the first CR or LF at or after `from`; the size when none.
std::size_t LineEnd(std::string_view chunk, std::size_t from) {
  if (from >= chunk.size()) return chunk.size();
  const char* data = chunk.data();
  const auto* lf = static_cast<const char*>(std::memchr(data + from, '\n', chunk.size() - from));
  const std::size_t end = lf == nullptr ? chunk.size() : static_cast<std::size_t>(lf - data);
  const auto* cr = static_cast<const char*>(std::memchr(data + from, '\r', end - from));
  return cr == nullptr ? end : static_cast<std::size_t>(cr - data);
}

}  // namespace

void DatasheetCollector::Feed(std::string_view chunk) {
  std::size_t start = 0;
  if (after_cr_ && !chunk.empty() && chunk.front() == '\n') start = 1;
  after_cr_ = false;
  for (std::size_t i = LineEnd(chunk, start); i < chunk.size(); i = LineEnd(chunk, start)) {
    const std::string_view piece = chunk.substr(start, i - start);
    if (line_.empty()) {
      TakeLine(piece.substr(0, kLongestLine));  // a line within the chunk: not copied
    } else {
      AppendBounded(piece);
      TakeLine(line_);
      line_.clear();
    }
    const char c = chunk[i];
    if (c == '\r' && i + 1 < chunk.size() && chunk[i + 1] == '\n') ++i;
    if (c == '\r' && i + 1 == chunk.size()) after_cr_ = true;
    start = i + 1;
  }
  if (start < chunk.size()) AppendBounded(chunk.substr(start));
}

void DatasheetCollector::AppendBounded(std::string_view piece) {
  if (line_.size() < kLongestLine) {
    line_.append(piece.substr(0, kLongestLine - line_.size()));
  }
}

void DatasheetCollector::EndSource() {
  if (!line_.empty()) TakeLine(line_);
  line_.clear();
  after_cr_ = false;
  runs_.NewSource();
}

void DatasheetCollector::TakeLine(std::string_view raw) {
  // Two searches for one byte each: find_first_of tests every byte in turn.
  if (raw.find('<') == std::string_view::npos && raw.find('&') == std::string_view::npos) {
    return TakeCleanLine(raw);
  }
  for (const std::string& line : DatasheetLines(raw)) TakeCleanLine(line);
}

void DatasheetCollector::TakeCleanLine(std::string_view line) {
  const long run = runs_.Next(line);
  const std::string_view pid = line.size() >= 7 && line[0] == ' ' ? line.substr(1, 6) : "";
  if (!LinePid(line).empty()) saw_datasheet_ = true;
  if (pid.empty() || pid.find(' ') != std::string_view::npos) return;
  if (pid != looked_up_) {  // the lines of a datasheet come together: one search each
    looked_up_.assign(pid);
    const auto found = pids_.find(looked_up_);
    wanted_ = found == pids_.end() ? nullptr : &*found;
  }
  if (wanted_ == nullptr) return;
  if (line.size() > 7 && std::isalnum(static_cast<unsigned char>(line[7]))) return;
  auto [first, inserted] = first_run_.try_emplace(*wanted_, run);
  if (!inserted && first->second != run) return;
  archive_.sheets_[*wanted_].emplace_back(line);
}

}  // namespace velmora
