// The GPX version a document declares.
#ifndef VELMORA_GPX_GPX_VERSION_H
#define VELMORA_GPX_GPX_VERSION_H

#include <string>
#include <string_view>

namespace velmora {

// The value of the `version` attribute of the document's first <gpx> start
// tag, in whatever order its attributes come, in either quote and with any
// white space around the "="; empty when there is no such tag or attribute.
// The XML declaration's own version, comments and processing instructions are
// not read.
std::string GpxVersionAttribute(std::string_view document);

}  // namespace velmora

#endif
