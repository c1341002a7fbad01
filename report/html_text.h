// Text from a GPX file made safe to show in a page: escaped, links only to
// the web, cut by characters.
#ifndef VELMORA_REPORT_HTML_TEXT_H
#define VELMORA_REPORT_HTML_TEXT_H

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

// The text with "&", "<", ">", the double quote and "'" escaped, for element
// content and quoted attribute values alike.
std::string EscapeHtml(std::string_view text);

// The link itself (blanks around it dropped) when it is an http: or https:
// address; empty for anything else (javascript:, data:, a relative path).
std::string WebLink(std::string_view link);

// Every run of blanks (space, tab, line ends) made one space, none at the ends.
std::string CollapseBlanks(std::string_view text);

// Standard base64 with padding.
std::string Base64(std::string_view bytes);

}  // namespace velmora

#endif
