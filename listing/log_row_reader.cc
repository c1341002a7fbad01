#include "listing/log_row_reader.h"

#include <cstddef>
#include <utility>

#include "core/text.h"

namespace velmora {

namespace {

constexpr std::string_view kParagraphGap = "           ";  // 11 spaces

bool StartsWithInAnyCase(std::string_view text, std::string_view tag) {
  if (text.size() < tag.size()) return false;
  for (std::size_t i = 0; i < tag.size(); ++i) {
    const char c = text[i];
    if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != tag[i]) return false;
  }
  return true;
}

// The length of the paragraph or line-break tag at the start of `text`
// ("<p>", "<p ...>", "</p>", "<br>", "<br/>", "<br />", in any letter case);
// 0 when none starts there.
std::size_t BreakTagLength(std::string_view text) {
  for (std::string_view tag : {"<br />", "<br/>", "<br>", "</p>", "<p>"}) {
    if (StartsWithInAnyCase(text, tag)) return tag.size();
  }
  if (text.size() > 2 && StartsWithInAnyCase(text, "<p") && IsBlank(text[2])) {
    const std::size_t close = text.find('>');
    if (close != std::string_view::npos) return close + 1;
  }
  return 0;
}

// Every paragraph and line-break tag of a log text becomes two spaces.
std::string ReplaceBreakTags(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t length = text[i] == '<' ? BreakTagLength(text.substr(i)) : 0;
    if (length == 0) {
      out += text[i++];
    } else {
      out += "  ";
      i += length;
    }
  }
  return out;
}

}  // namespace

LogRowReader::LogRowReader(std::string page_text) : page_(std::move(page_text)) {}

Pos LogRowReader::Find(Pos from, std::string_view marker) {
  if (from < 1) from = 1;
  for (Search& search : searches_) {
    if (search.marker != marker) continue;
    // The first marker at or after search.from is search.found; when that is
    // still at or after `from`, it is also the first from `from` on.
    if (search.from <= from && (search.found == 0 || search.found >= from)) {
      return search.found;
    }
    search.from = from;
    search.found = InStr(from, page_, marker);
    return search.found;
  }
  const Pos found = InStr(from, page_, marker);
  searches_.push_back({std::string(marker), from, found});
  return found;
}

bool LogRowReader::NextRow(std::string_view row_marker) {
  const Pos found = Find(cursor_ + 1, row_marker);
  if (found == 0) return false;
  cursor_ = found;
  return true;
}

Pos LogRowReader::FindField(std::string_view start, std::string_view end) {
  const Pos start_at = Find(cursor_, start);
  if (start_at == 0) return 0;
  const Pos begin = start_at + static_cast<Pos>(start.size());
  const Pos end_at = Find(begin, end);
  cursor_ = end_at != 0 ? end_at : static_cast<Pos>(page_.size()) + 1;
  return begin;
}

void LogRowReader::ExtractField(std::string_view start, std::string_view end) {
  const Pos begin = FindField(start, end);
  if (begin == 0) return;
  field_ = Trim(Mid(page_, begin, cursor_ - begin));
}

void LogRowReader::ExtractLogText(std::string_view start, std::string_view end) {
  const Pos begin = FindField(start, end);
  if (begin == 0) return;
  const Pos gap = Find(cursor_, kParagraphGap);
  if (gap != 0 && gap - cursor_ > 10) {
    field_ = ReplaceBreakTags(Trim(Mid(page_, begin, gap - begin)));
  } else {
    field_ = ReplaceBreakTags(Trim(Mid(page_, begin, cursor_ - begin)));
  }
}

}  // namespace velmora
