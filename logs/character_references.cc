#include "logs/character_references.h"

#include <libxml/HTMLparser.h>

#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/text.h"

namespace velmora {

namespace {

constexpr char32_t kNoBreakSpace = 0xA0;
constexpr std::size_t kLongestName = 32;  // longer than any entity name

bool IsAlnum(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool XmlCanHold(char32_t c) {
  if (c < 0x20) return c == 0x9 || c == 0xA || c == 0xD;
  if (c >= 0xD800 && c <= 0xDFFF) return false;
  if (c == 0xFFFE || c == 0xFFFF) return false;
  return c <= 0x10FFFF;
}

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The character of "#233" or "#xE9" (the body between "&" and ";").
std::optional<char32_t> NumericValue(std::string_view body) {
  const bool hex = body.size() > 1 && (body[1] == 'x' || body[1] == 'X');
  const std::string_view digits = body.substr(hex ? 2 : 1);
  if (digits.empty()) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : digits) {
    const int digit = hex ? HexValue(c) : (IsDigit(c) ? c - '0' : -1);
    if (digit < 0) return std::nullopt;
    value = value * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
    if (value > 0x10FFFF) return std::nullopt;
  }
  return static_cast<char32_t>(value);
}

std::optional<char32_t> NamedValue(std::string_view name) {
  const std::string zero_ended(name);
  const htmlEntityDesc* entity =
      htmlEntityLookup(reinterpret_cast<const xmlChar*>(zero_ended.c_str()));
  if (entity == nullptr) return std::nullopt;
  return static_cast<char32_t>(entity->value);
}

// The character of the reference whose body (between "&" and ";") is given.
std::optional<char32_t> ReferenceValue(std::string_view body) {
  if (body.empty()) return std::nullopt;
  if (body[0] == '#') return NumericValue(body);
  for (char c : body) {
    if (!IsAlnum(c)) return std::nullopt;
  }
  return NamedValue(body);
}

// The end of the reference body that starts at `from` (after "&"): the
// position of its ";", or npos when none follows. A numeric body ("#" then
// digits or "x" and hex digits) may be of any length, leading zeros and all;
// a name is at most kLongestName characters.
std::size_t ReferenceEnd(std::string_view text, std::size_t from) {
  std::size_t end = from;
  if (end < text.size() && text[end] == '#') ++end;
  const bool numeric = end > from;
  while (end < text.size() && IsAlnum(text[end])) ++end;
  if (end >= text.size() || text[end] != ';') return std::string_view::npos;
  if (!numeric && end - from > kLongestName) return std::string_view::npos;
  return end;
}

}  // namespace

std::string DecodeCharacterReferences(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t amp = text.find('&', i);
    out.append(text.substr(i, amp == std::string_view::npos ? amp : amp - i));
    if (amp == std::string_view::npos) break;
    const std::size_t semi = ReferenceEnd(text, amp + 1);
    std::optional<char32_t> value;
    if (semi != std::string_view::npos) {
      value = ReferenceValue(text.substr(amp + 1, semi - amp - 1));
    }
    if (!value || !XmlCanHold(*value)) {
      out += '&';
      i = amp + 1;
      continue;
    }
    AppendUtf8(*value == kNoBreakSpace ? U' ' : *value, out);
    i = semi + 1;
  }
  return out;
}

}  // namespace velmora
