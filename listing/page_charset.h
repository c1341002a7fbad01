// Bringing a downloaded listing page into UTF-8 before its logs are read, so
// that a page served in another character set cannot spoil a UTF-8 document.
#ifndef VELMORA_LISTING_PAGE_CHARSET_H
#define VELMORA_LISTING_PAGE_CHARSET_H

#include <string>
#include <string_view>

namespace velmora {

// True when the bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing beyond U+10FFFF).
bool IsValidUtf8(std::string_view text);

// True when the document's XML declaration names UTF-8 (any letter case) or
// no encoding, or when the document has no XML declaration.
bool DocumentIsUtf8(std::string_view document);

// The page in UTF-8. A page that is valid UTF-8 comes back unchanged. Any
// other page is converted from the charset `content_type` names (the HTTP
// Content-Type value, e.g. "text/html; charset=ISO-8859-1"; empty when not
// known), else the one its <meta> declaration names, else windows-1252. When
// that charset is UTF-8 itself or unknown, or the page holds a byte it does
// not define, the page is converted as windows-1252, whose five undefined
// bytes become U+FFFD. The result is always valid UTF-8.
std::string PageToUtf8(std::string_view page, std::string_view content_type);

}  // namespace velmora

#endif
