#include "datasheet/datasheet_text.h"

#include <cctype>

#include "core/text.h"
#include "logs/character_references.h"

namespace velmora {
namespace {

constexpr std::size_t kLongestTag = 1024;

bool OpensTag(std::string_view text, std::size_t at) {
  if (at + 1 >= text.size()) return false;
  const unsigned char next = static_cast<unsigned char>(text[at + 1]);
  return std::isalpha(next) || next == '/' || next == '!' || next == '?';
}

bool IsBreakTag(std::string_view tag) {
  // tag is what stands between "<" and ">".
  if (tag.size() < 2) return false;
  if (std::tolower(static_cast<unsigned char>(tag[0])) != 'b' ||
      std::tolower(static_cast<unsigned char>(tag[1])) != 'r') {
    return false;
  }
  for (char c : tag.substr(2)) {
    if (c != ' ' && c != '/') return false;
  }
  return true;
}

std::string StripTags(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t close = text[i] == '<' && OpensTag(text, i)
                                  ? text.substr(i, kLongestTag).find('>')
                                  : std::string_view::npos;
    if (close == std::string_view::npos) {
      out += text[i++];
      continue;
    }
    const std::size_t after = i + close + 1;
    const bool line_end_follows =
        after < text.size() && (text[after] == '\n' || text[after] == '\r');
    if (IsBreakTag(text.substr(i + 1, close - 1)) && !line_end_follows) out += '\n';
    i = after;
  }
  return out;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] != '\n' && text[i] != '\r') {
      ++i;
      continue;
    }
    lines.emplace_back(CutDatasheetLine(text.substr(start, i - start)));
    i += (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
    start = i;
  }
  if (start < text.size()) lines.emplace_back(CutDatasheetLine(text.substr(start)));
  return lines;
}

}  // namespace

std::string_view CutDatasheetLine(std::string_view line) {
  if (line.size() <= kLongestDatasheetLine) return line;
  std::size_t cut = kLongestDatasheetLine;
  // Back to the first byte of the character that would be torn.
  while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
  return line.substr(0, cut);
}

std::vector<std::string> DatasheetLines(std::string_view text) {
  return SplitLines(DecodeCharacterReferences(StripTags(text)));
}

bool IsLineOf(std::string_view line, std::string_view pid) {
  if (pid.empty() || line.size() <= pid.size() || line[0] != ' ') return false;
  if (line.substr(1, pid.size()) != pid) return false;
  return line.size() == pid.size() + 1 ||
         !std::isalnum(static_cast<unsigned char>(line[pid.size() + 1]));
}

std::string_view LinePid(std::string_view line) {
  if (line.empty() || line[0] != ' ') return {};
  return LeadingPid(line.substr(1));
}

long DatasheetRuns::Next(std::string_view line, std::string_view pid) {
  if (!line.empty() && line[0] == '1') {
    ++run_;
    last_pid_.clear();
    return run_;
  }
  if (!pid.empty() && pid != last_pid_) {
    if (!last_pid_.empty()) ++run_;
    last_pid_.assign(pid);
  }
  return run_;
}

void DatasheetRuns::NewSource() {
  ++run_;
  last_pid_.clear();
}

}  // namespace velmora
