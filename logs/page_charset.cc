#include "logs/page_charset.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>

#include "core/text.h"

namespace velmora {

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD
constexpr std::string_view kFallbackCharset = "WINDOWS-1252";

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The length of the UTF-8 sequence at the start of `text`; 0 when it is not
// a well-formed one.
std::size_t SequenceLength(std::string_view text) {
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = at(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the bounds of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < length || at(1) < low || at(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (!IsContinuation(at(i))) return 0;
  }
  return length;
}

// How many bytes at the start of `text` are ASCII, taken eight at a time
// where it can: datasheets and most pages are ASCII for long stretches.
std::size_t AsciiPrefix(std::string_view text) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080u;
  std::size_t at = 0;
  for (std::uint64_t word = 0; at + sizeof word <= text.size(); at += sizeof word) {
    std::memcpy(&word, text.data() + at, sizeof word);
    if ((word & kHighBits) != 0) break;
  }
  while (at < text.size() && static_cast<unsigned char>(text[at]) < 0x80) ++at;
  return at;
}

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         c == '-' || c == '_' || c == '.' || c == ':';
}

// The value after `key` (found case-insensitively in `text`), then optional
// blanks, "=", blanks and one quote: a run of charset-name characters. Empty
// when there is none. Only name characters are taken, so that no iconv option
// such as "//IGNORE" can come in from a page.
std::string ValueAfter(std::string_view text, std::string_view key) {
  const std::string lower = LowerAscii(text);
  for (std::size_t at = lower.find(key); at != std::string::npos;
       at = lower.find(key, at + 1)) {
    std::size_t i = at + key.size();
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i >= text.size() || text[i] != '=') continue;
    ++i;
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i < text.size() && (text[i] == '"' || text[i] == '\'')) ++i;
    const std::size_t start = i;
    while (i < text.size() && IsNameChar(text[i])) ++i;
    if (i > start) return std::string(text.substr(start, i - start));
  }
  return "";
}

// The charset that the first <meta> tag naming one declares, either as
// <meta charset="..."> or in an http-equiv Content-Type's content.
std::string MetaCharset(std::string_view page) {
  const std::string lower = LowerAscii(page);
  for (std::size_t at = lower.find("<meta"); at != std::string::npos;
       at = lower.find("<meta", at + 1)) {
    const std::size_t end = lower.find('>', at);
    const std::string_view tag = page.substr(at, end == std::string::npos ? end : end - at);
    std::string charset = ValueAfter(tag, "charset");
    if (!charset.empty()) return charset;
  }
  return "";
}

bool NamesUtf8(std::string_view charset) {
  const std::string lower = LowerAscii(charset);
  return lower == "utf-8" || lower == "utf8";
}

std::string AsciiOnly(std::string_view bytes) {
  std::string out;
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) < 0x80) {
      out += c;
    } else {
      out += kReplacementCharacter;
    }
  }
  return out;
}

// iconv takes its input as char** in glibc and as const char** in some
// libiconv builds; this passes it the way the platform's iconv wants it.
template <typename In>
std::size_t CallIconv(std::size_t (*convert)(iconv_t, In, std::size_t*, char**, std::size_t*),
                      iconv_t cd, char** in, std::size_t* in_left, char** out,
                      std::size_t* out_left) {
  return convert(cd, reinterpret_cast<In>(in), in_left, out, out_left);
}

// The bytes converted from `charset` to UTF-8; nothing when iconv does not
// know the charset or the bytes are not all defined in it.
std::optional<std::string> ConvertWithIconv(std::string_view bytes, const std::string& charset) {
  const iconv_t cd = iconv_open("UTF-8", charset.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(bytes.size() * 2 + 16, '\0');
  std::string in(bytes);
  char* in_next = in.data();
  std::size_t in_left = in.size();
  std::size_t done = 0;
  bool failed = false;
  for (bool flushing = false;;) {
    char* out_next = out.data() + done;
    std::size_t out_left = out.size() - done;
    const std::size_t result = flushing
        ? CallIconv(iconv, cd, nullptr, nullptr, &out_next, &out_left)
        : CallIconv(iconv, cd, &in_next, &in_left, &out_next, &out_left);
    done = out.size() - out_left;
    if (result == static_cast<std::size_t>(-1) && errno == E2BIG) {
      out.resize(out.size() * 2);
    } else if (result == static_cast<std::size_t>(-1)) {
      failed = true;  // EILSEQ, or EINVAL for a sequence cut off at the end
      break;
    } else if (flushing) {
      break;
    } else {
      flushing = true;
    }
  }
  iconv_close(cd);
  if (failed) return std::nullopt;
  out.resize(done);
  return out;
}

// The bytes read as windows-1252; each of the five bytes it leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) becomes U+FFFD.
std::string ConvertWindows1252(std::string_view bytes) {
  constexpr std::string_view kUndefined = "\x81\x8D\x8F\x90\x9D";
  std::string out;
  while (!bytes.empty()) {
    const std::size_t cut = std::min(bytes.find_first_of(kUndefined), bytes.size());
    if (cut > 0) {
      const std::optional<std::string> part =
          ConvertWithIconv(bytes.substr(0, cut), std::string(kFallbackCharset));
      // Without a windows-1252 converter only the ASCII bytes can be kept.
      out += part ? *part : AsciiOnly(bytes.substr(0, cut));
    }
    if (cut < bytes.size()) out += kReplacementCharacter;
    bytes.remove_prefix(std::min(cut + 1, bytes.size()));
  }
  return out;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  while (!text.empty()) {
    text.remove_prefix(AsciiPrefix(text));
    if (text.empty()) break;
    const std::size_t length = SequenceLength(text);
    if (length == 0) return false;
    text.remove_prefix(length);
  }
  return true;
}

bool DocumentIsUtf8(std::string_view document) {
  if (document.starts_with("\xEF\xBB\xBF")) document.remove_prefix(3);
  if (!document.starts_with("<?xml")) return true;
  const std::size_t end = document.find("?>");
  const std::string encoding =
      ValueAfter(document.substr(0, end), "encoding");
  return encoding.empty() || NamesUtf8(encoding);
}

std::string PageToUtf8(std::string_view page, std::string_view content_type) {
  if (IsValidUtf8(page)) return std::string(page);
  std::string charset = ValueAfter(content_type, "charset");
  if (charset.empty()) charset = MetaCharset(page);
  if (!charset.empty() && !NamesUtf8(charset)) {
    const std::optional<std::string> converted = ConvertWithIconv(page, charset);
    if (converted && IsValidUtf8(*converted)) return *converted;
  }
  return ConvertWindows1252(page);
}

std::string Windows1252ToUtf8(std::string_view bytes) { return ConvertWindows1252(bytes); }

}  // namespace velmora
