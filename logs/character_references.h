// Turning the character references of a listing page's text into the
// characters they stand for.
#ifndef VELMORA_LOGS_CHARACTER_REFERENCES_H
#define VELMORA_LOGS_CHARACTER_REFERENCES_H

#include <string>
#include <string_view>

namespace velmora {

// The text with each character reference replaced by its character, in UTF-8:
// numeric ("&#233;", "&#xE9;", "&#XE9;") and the named HTML entities
// ("&eacute;", "&amp;"); a no-break space ("&nbsp;", "&#160;") becomes a plain
// space. A reference without its closing ";", with an unknown name, or to a
// character an XML 1.0 document cannot hold (NUL, control characters other
// than tab, line feed and carriage return, surrogates, U+FFFE, U+FFFF, beyond
// U+10FFFF) stays as written. All other bytes pass unchanged.
std::string DecodeCharacterReferences(std::string_view text);

}  // namespace velmora

#endif
