#include "report/html_text.h"

#include "core/text.h"

namespace velmora {

std::string EscapeHtml(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string WebLink(std::string_view link) {
  link = TrimMarkupBlanks(link);
  const std::string lower = LowerAscii(link.substr(0, 8));
  const bool web = lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0;
  return web ? std::string(link) : std::string();
}

std::string CollapseBlanks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool blank = false;
  for (char c : text) {
    if (IsBlank(c)) {
      blank = !out.empty();
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    out += c;
  }
  return out;
}

std::string Base64(std::string_view bytes) {
  static constexpr char kDigits[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t n = bytes.size() - i < 3 ? bytes.size() - i : 3;
    unsigned value = 0;
    for (std::size_t j = 0; j < 3; ++j) {
      value = value << 8 | (j < n ? static_cast<unsigned char>(bytes[i + j]) : 0u);
    }
    for (std::size_t j = 0; j < 4; ++j) {
      out += j <= n ? kDigits[(value >> (18 - 6 * j)) & 63] : '=';
    }
  }
  return out;
}

}  // namespace velmora
