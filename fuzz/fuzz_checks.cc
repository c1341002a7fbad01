#include "fuzz_checks.h"

#include <libxml/parser.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace velmora::fuzz {
namespace {

bool IsForbiddenControl(std::uint32_t c) {
  return c < 0x20 && c != '\t' && c != '\n' && c != '\r';
}

bool IsXmlChar(std::uint32_t c) {
  return c == '\t' || c == '\n' || c == '\r' || (c >= 0x20 && c <= 0xD7FF) ||
         (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// Decodes the UTF-8 sequence at text[i]; its length, or 0 when invalid.
std::size_t DecodeUtf8(std::string_view text, std::size_t i, std::uint32_t& c) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  std::size_t length = 0;
  std::uint32_t least = 0;
  if (lead < 0x80) {
    c = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, least = 0x80, c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, least = 0x800, c = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, least = 0x10000, c = lead & 0x07;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    c = (c << 6) | (byte(i + k) & 0x3F);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return length;
}

void IgnoreXmlMessage(void*, const char*, ...) {}

}  // namespace

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", what);
  std::abort();
}

std::size_t CountOf(std::string_view text, std::string_view what) {
  std::size_t count = 0;
  for (std::size_t at = text.find(what); at != std::string_view::npos;
       at = text.find(what, at + what.size())) {
    ++count;
  }
  return count;
}

bool IsXmlCharacters(std::string_view text, bool allow_forbidden_controls) {
  for (std::size_t i = 0; i < text.size();) {
    std::uint32_t c = 0;
    const std::size_t length = DecodeUtf8(text, i, c);
    if (length == 0) return false;
    if (!IsXmlChar(c) && !(allow_forbidden_controls && IsForbiddenControl(c))) return false;
    i += length;
  }
  return true;
}

std::string MakeXmlCharacters(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    std::uint32_t c = 0;
    const std::size_t length = DecodeUtf8(bytes, i, c);
    if (length != 0 && (IsXmlChar(c) || IsForbiddenControl(c))) {
      out.append(bytes.substr(i, length));
      i += length;
    } else {
      // One "?" per byte of the bad sequence, so that lengths stay alike.
      out.append(length == 0 ? 1 : length, '?');
      i += length == 0 ? 1 : length;
    }
  }
  return out;
}

bool IsWellFormedXml(std::string_view document) {
  static const bool quiet = [] {
    xmlInitParser();
    xmlSetGenericErrorFunc(nullptr, IgnoreXmlMessage);
    return true;
  }();
  (void)quiet;
  xmlParserCtxtPtr context = xmlNewParserCtxt();
  if (context == nullptr) std::abort();
  const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
  xmlDocPtr doc = xmlCtxtReadMemory(context, document.data(), static_cast<int>(document.size()),
                                    "document.gpx", nullptr, options);
  const bool well_formed = doc != nullptr && context->wellFormed != 0;
  xmlFreeDoc(doc);
  xmlFreeParserCtxt(context);
  return well_formed;
}

std::string WrapLogBlock(std::string_view log_block) {
  std::string document =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
      "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\" version=\"1.1\" creator=\"fuzz\" "
      "xmlns:groundspeak=\"http://www.groundspeak.com/cache/1/0/1\">\r\n"
      "  <wpt lat=\"40.1\" lon=\"-105.2\"><name>KK1523</name>\r\n"
      "    <groundspeak:cache><groundspeak:logs>\r";
  document.append(log_block);
  document.append("\r\n   </groundspeak:logs></groundspeak:cache></wpt>\r\n</gpx>\r\n");
  return document;
}

bool HasOpaqueMarkup(std::string_view document) {
  if (document.find("<!") != std::string_view::npos) return true;
  const std::size_t instruction = document.find("<?");
  if (instruction == std::string_view::npos) return false;
  if (instruction != 0) return true;
  return document.find("<?", 2) != std::string_view::npos;
}

}  // namespace velmora::fuzz
