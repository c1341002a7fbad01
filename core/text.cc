#include "core/text.h"

namespace velmora {

Pos InStr(Pos start, std::string_view text, std::string_view what) {
  if (start < 1) start = 1;
  const auto from = static_cast<std::size_t>(start - 1);
  if (from > text.size()) return 0;
  const std::size_t at = text.find(what, from);
  return at == std::string_view::npos ? 0 : static_cast<Pos>(at) + 1;
}

bool Contains(std::string_view text, std::string_view what) {
  return text.find(what) != std::string_view::npos;
}

std::string Left(std::string_view text, Pos n) {
  if (n < 1) return {};
  return std::string(text.substr(0, static_cast<std::size_t>(n)));
}

std::string Mid(std::string_view text, Pos start, Pos length) {
  if (start < 1) start = 1;
  const auto from = static_cast<std::size_t>(start - 1);
  if (from >= text.size()) return {};
  if (length < 0) return std::string(text.substr(from));
  return std::string(text.substr(from, static_cast<std::size_t>(length)));
}

std::string Right(std::string_view text, Pos n) {
  if (n < 1) return {};
  const auto count = static_cast<std::size_t>(n);
  if (count >= text.size()) return std::string(text);
  return std::string(text.substr(text.size() - count));
}

std::string ReplaceAll(std::string_view text, std::string_view from,
                       std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  for (;;) {
    const std::size_t at = text.find(from, pos);
    if (at == std::string_view::npos) break;
    out.append(text.substr(pos, at - pos));
    out.append(to);
    pos = at + from.size();
  }
  out.append(text.substr(pos));
  return out;
}

std::string Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

std::string_view TrimMarkupBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool ContainsWord(std::string_view text, std::string_view word) {
  if (word.empty()) return false;
  for (std::size_t at = text.find(word); at != std::string_view::npos;
       at = text.find(word, at + 1)) {
    const std::size_t after = at + word.size();
    const bool starts = at == 0 || !IsLetterOrDigit(text[at - 1]);
    if (starts && (after == text.size() || !IsLetterOrDigit(text[after]))) return true;
  }
  return false;
}

bool IsPid(std::string_view text) {
  const auto capital = [](char c) { return c >= 'A' && c <= 'Z'; };
  return text.size() == 6 && capital(text[0]) && capital(text[1]) && IsDigit(text[2]) &&
         IsDigit(text[3]) && IsDigit(text[4]) && IsDigit(text[5]);
}

std::string_view LeadingPid(std::string_view name) {
  const std::string_view pid = name.substr(0, 6);
  if (!IsPid(pid) || (name.size() > 6 && IsLetterOrDigit(name[6]))) return {};
  return pid;
}

std::string LineAndColumn(std::string_view text, std::size_t offset) {
  const std::string_view before = text.substr(0, offset);
  std::size_t line = 1;
  std::size_t column = 1;
  for (const char c : before) {
    if (c == '\n') {
      ++line;
      column = 1;
    } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
      ++column;
    }
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

std::string FirstCharacters(std::string_view text, std::size_t count) {
  std::size_t end = 0;
  for (std::size_t characters = 0; end < text.size(); ++end) {
    const bool continues = (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80;
    if (!continues && characters++ == count) break;
  }
  return std::string(text.substr(0, end));
}

}  // namespace velmora
