// Well-formed GPX 1.1 documents built from fuzz input: the layout choices
// (line ends, which elements a waypoint has, what its log zone holds) and
// the texts (names, listing names, ratings, datasheet lines) come from the
// bytes. Texts are escaped, so the document is well-formed by construction,
// except for a few balanced elements that a listing name may hold on purpose.
// Mutated GPX files are almost never well-formed XML; these always are, so
// the scan's well-formedness property is checked on every input.
#ifndef VELMORA_FUZZ_GPX_GENERATOR_H
#define VELMORA_FUZZ_GPX_GENERATOR_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace velmora::fuzz {

std::string GenerateGpx(const std::uint8_t* data, std::size_t size);

// `text` made into XML character data: bad bytes replaced, the control bytes
// XML forbids dropped, "&", "<" and ">" escaped.
std::string EscapedText(const std::string& text);

}  // namespace velmora::fuzz

#endif
