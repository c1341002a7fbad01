// Predicates that the fuzz harnesses assert, and the way they fail: a
// harness that finds a property broken prints what and aborts, so libFuzzer
// keeps the input as a crash.
#ifndef VELMORA_FUZZ_FUZZ_CHECKS_H
#define VELMORA_FUZZ_FUZZ_CHECKS_H

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora::fuzz {

// Prints "property broken: <what>" and aborts unless `holds`.
void Require(bool holds, const char* what);

// Non-overlapping occurrences of `what` (not empty) in `text`.
std::size_t CountOf(std::string_view text, std::string_view what);

// True when `text` is valid UTF-8 (no overlong forms, no surrogates, nothing
// past U+10FFFF) and every character is one that XML 1.0 allows, except
// that the control bytes XML forbids (0x00-0x08, 0x0B, 0x0C, 0x0E-0x1F)
// are accepted too when `allow_forbidden_controls` is set: the log writer
// drops those.
bool IsXmlCharacters(std::string_view text, bool allow_forbidden_controls);

// `bytes` with every byte of an invalid UTF-8 sequence, and every character
// that XML does not allow, replaced by "?"; the forbidden control bytes are
// kept. The result passes IsXmlCharacters(..., true).
std::string MakeXmlCharacters(std::string_view bytes);

// True when libxml2 reads `document` as well-formed XML. No network, no
// external entities or DTDs; namespace problems do not count.
bool IsWellFormedXml(std::string_view document);

// A small GPX 1.1 document whose one log zone holds `log_block`.
std::string WrapLogBlock(std::string_view log_block);

// True when the document holds markup that the plain-text scan cannot see
// through: comments, CDATA sections, a document type declaration, or a
// processing instruction after the XML declaration.
bool HasOpaqueMarkup(std::string_view document);

}  // namespace velmora::fuzz

#endif
