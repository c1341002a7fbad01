#include "datasheet/datasheet_collector.h"

#include <algorithm>
#include <cctype>

namespace velmora {
namespace {

// Datasheet lines hold 80 columns at most; bytes beyond this on one line are
// dropped, which keeps memory bounded on a file without line ends.
constexpr std::size_t kLongestLine = 4096;

}  // namespace

void DatasheetCollector::Feed(std::string_view chunk) {
  std::size_t start = 0;
  if (after_cr_ && !chunk.empty() && chunk.front() == '\n') start = 1;
  after_cr_ = false;
  for (std::size_t i = start; i < chunk.size(); ++i) {
    const char c = chunk[i];
    if (c != '\n' && c != '\r') continue;
    if (line_.size() < kLongestLine) {
      line_.append(chunk.substr(start, std::min(i - start, kLongestLine - line_.size())));
    }
    TakeLine(line_);
    line_.clear();
    if (c == '\r' && i + 1 < chunk.size() && chunk[i + 1] == '\n') ++i;
    if (c == '\r' && i + 1 == chunk.size()) after_cr_ = true;
    start = i + 1;
  }
  if (start < chunk.size() && line_.size() < kLongestLine) {
    line_.append(chunk.substr(start, std::min(chunk.size() - start, kLongestLine - line_.size())));
  }
}

void DatasheetCollector::EndSource() {
  if (!line_.empty()) TakeLine(line_);
  line_.clear();
  after_cr_ = false;
  runs_.NewSource();
}

void DatasheetCollector::TakeLine(std::string_view raw) {
  if (raw.find_first_of("<&") == std::string_view::npos) return TakeCleanLine(raw);
  for (const std::string& line : DatasheetLines(raw)) TakeCleanLine(line);
}

void DatasheetCollector::TakeCleanLine(std::string_view line) {
  const long run = runs_.Next(line);
  const std::string_view pid = line.size() >= 7 && line[0] == ' ' ? line.substr(1, 6) : "";
  if (!LinePid(line).empty()) saw_datasheet_ = true;
  if (pid.empty() || pid.find(' ') != std::string_view::npos) return;
  const auto wanted = pids_.find(std::string(pid));
  if (wanted == pids_.end()) return;
  if (line.size() > 7 && std::isalnum(static_cast<unsigned char>(line[7]))) return;
  auto [first, inserted] = first_run_.try_emplace(*wanted, run);
  if (!inserted && first->second != run) return;
  archive_.sheets_[*wanted].emplace_back(line);
}

}  // namespace velmora
