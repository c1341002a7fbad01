// The log element writer: the exact text of one groundspeak:log element, and
// the two transformations page text passes through before it goes into one.
//
// Element layout (every line preceded by CR LF, no line break at the end):
//     <groundspeak:log id="ID">
//       <groundspeak:date>DATET00:00:00-06:00Z</groundspeak:date>
//       <groundspeak:type>TYPE</groundspeak:type>
//       <groundspeak:finder id="0000000">FINDER</groundspeak:finder>
//       <groundspeak:text encoded="False">TEXT</groundspeak:text>
//     </groundspeak:log>
//
// AppendLogElement keeps the result well-formed XML whatever the page held:
// it escapes "&", "<" and ">" in the log type (the type is otherwise written
// as cut, so ordinary types stay byte for byte), and it drops the control
// bytes that XML 1.0 forbids (0x00-0x08, 0x0B, 0x0C, 0x0E-0x1F) from the type,
// the finder and the text. Everything else it writes exactly as received; the
// caller escapes the finder and the text with EscapeLogText beforehand.
#ifndef VELMORA_LOGS_LOG_WRITER_H
#define VELMORA_LOGS_LOG_WRITER_H

#include <string>
#include <string_view>

namespace velmora {

// Appends one six-line element to LogBlock.
void AppendLogElement(std::string& LogBlock, std::string_view id,
                      std::string_view date, std::string_view type,
                      std::string_view finder, std::string_view text);

// Removes "<br/>", then escapes "&", "'", the double quote, "<" and ">", in
// that order; entities already in the text get their "&" escaped too.
std::string EscapeLogText(std::string_view text);

// Removes every carriage return and every line feed; nothing takes their place.
std::string StripLineBreaks(std::string_view text);

// Escapes "&", "<" and ">" only (used for the log type).
std::string EscapeLogType(std::string_view type);

// The text without the control bytes that XML 1.0 forbids; tab, line feed and
// carriage return stay, as does every byte from 0x20 up.
std::string DropForbiddenControls(std::string_view text);

}  // namespace velmora

#endif
