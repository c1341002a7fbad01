// Byte-string helpers with 1-based positions.
//
// Every text in Velmora is a std::string of bytes, never decoded. Positions are
// 1-based character (byte) positions; a search that finds nothing yields 0.
// These helpers are the one place where 1-based positions meet 0-based
// std::string indexes, so the off-by-one rules live here and nowhere else.
#ifndef VELMORA_CORE_TEXT_H
#define VELMORA_CORE_TEXT_H

#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

// A 1-based position in a text; 0 means "not found".
using Pos = std::int64_t;

// Position of the first `what` in `text` at or after position `start`
// (exact, case-sensitive); 0 when there is none. A start below 1 searches from
// the first character; a start past the end finds nothing.
Pos InStr(Pos start, std::string_view text, std::string_view what);

// True when `what` occurs anywhere in `text`.
bool Contains(std::string_view text, std::string_view what);

// The first `n` characters of `text` (all of it when shorter; none when n < 1).
std::string Left(std::string_view text, Pos n);

// The characters from position `start` on, at most `length` of them
// (to the end when length < 0). Out-of-range parts are simply empty.
std::string Mid(std::string_view text, Pos start, Pos length = -1);

// The last `n` characters of `text`.
std::string Right(std::string_view text, Pos n);

// Replace every occurrence of `from` by `to`, scanning left to right; the
// replaced text is not searched again. An empty `from` changes nothing.
std::string ReplaceAll(std::string_view text, std::string_view from,
                       std::string_view to);

// Remove leading and trailing space characters (0x20) only.
std::string Trim(std::string_view text);

// ASCII lower case; other bytes unchanged.
std::string LowerAscii(std::string_view text);

// True for the blanks of markup text: space, tab, carriage return, line feed.
constexpr bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The text without the blanks (IsBlank) at either end.
std::string_view TrimMarkupBlanks(std::string_view text);

// True for the ASCII digits 0 to 9.
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// True for the ASCII letters and digits: what a word is made of.
constexpr bool IsLetterOrDigit(char c) {
  return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// True when `word` occurs in `text` as a word of its own: neither the
// character before it nor the one after it is a letter or a digit.
bool ContainsWord(std::string_view text, std::string_view word);

// True for a PID, the point ID of a benchmark: two capital letters and four
// digits ("KK1523"), nothing more.
bool IsPid(std::string_view text);

// The PID that `name` begins with, as a word of its own (the character after
// it is not a letter or a digit); empty when it begins with none. "KK1523",
// "KK1523 MILL 3" and "KK1523-2" begin with KK1523; "GC7FA4", "KK15234" and
// " KK1523" begin with no PID.
std::string_view LeadingPid(std::string_view name);
// The first `count` characters of UTF-8 `text` (all of it when shorter); a
// character is a byte that does not continue one, so a sequence is never cut.
std::string FirstCharacters(std::string_view text, std::size_t count);

// Where the byte at 0-based `offset` stands, for a user who opens the text in
// an editor: "line 3, column 7". Lines end at line feeds; columns count UTF-8
// characters (every byte that does not continue a character), from 1.
std::string LineAndColumn(std::string_view text, std::size_t offset);

}  // namespace velmora

#endif
