#include "net/encode_url.h"

namespace velmora {
namespace {

bool CannotStandInUrl(unsigned char c) {
  if (c <= 0x20 || c >= 0x7F) return true;  // space, controls, DEL, bytes above 127
  switch (c) {
    case '"': case '<': case '>': case '\\': case '^':
    case '`': case '{': case '|': case '}':
      return true;
    default:
      return false;
  }
}

}  // namespace

std::string EncodeUrl(std::string_view url) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(url.size());
  for (const char ch : url) {
    const auto c = static_cast<unsigned char>(ch);
    if (CannotStandInUrl(c)) {
      encoded += '%';
      encoded += kHex[c >> 4];
      encoded += kHex[c & 0x0F];
    } else {
      encoded += ch;
    }
  }
  return encoded;
}

}  // namespace velmora
