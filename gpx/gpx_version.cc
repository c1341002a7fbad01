#include "gpx/gpx_version.h"

#include <cstddef>

#include "core/text.h"

namespace velmora {

namespace {

// The position of the first <gpx start tag outside comments and processing
// instructions; npos when there is none.
std::size_t GpxStartTag(std::string_view document) {
  std::size_t at = document.find('<');
  while (at != std::string_view::npos) {
    const std::string_view rest = document.substr(at);
    std::string_view closing;
    if (rest.starts_with("<!--")) closing = "-->";
    if (rest.starts_with("<?")) closing = "?>";
    if (!closing.empty()) {
      const std::size_t end = document.find(closing, at);
      if (end == std::string_view::npos) return std::string_view::npos;
      at = document.find('<', end + closing.size());
      continue;
    }
    if (rest.starts_with("<gpx") && rest.size() > 4 && (IsBlank(rest[4]) || rest[4] == '>')) {
      return at;
    }
    at = document.find('<', at + 1);
  }
  return std::string_view::npos;
}

}  // namespace

std::string GpxVersionAttribute(std::string_view document) {
  const std::size_t start = GpxStartTag(document);
  if (start == std::string_view::npos) return "";
  std::size_t i = start + 4;
  // Attributes one by one: name, "=", quoted value.
  while (i < document.size()) {
    while (i < document.size() && IsBlank(document[i])) ++i;
    const std::size_t name_start = i;
    while (i < document.size() && !IsBlank(document[i]) && document[i] != '=' &&
           document[i] != '>' && document[i] != '/') {
      ++i;
    }
    const std::string_view name = document.substr(name_start, i - name_start);
    if (name.empty()) return "";  // the tag ends, or it is damaged
    while (i < document.size() && IsBlank(document[i])) ++i;
    if (i >= document.size() || document[i] != '=') return "";
    ++i;
    while (i < document.size() && IsBlank(document[i])) ++i;
    if (i >= document.size() || (document[i] != '"' && document[i] != '\'')) return "";
    const std::size_t close = document.find(document[i], i + 1);
    if (close == std::string_view::npos) return "";
    if (name == "version") return std::string(document.substr(i + 1, close - i - 1));
    i = close + 1;
  }
  return "";
}

}  // namespace velmora
