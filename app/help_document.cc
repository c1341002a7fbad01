#include "app/help_document.h"

#include <system_error>

namespace velmora {

std::vector<std::filesystem::path> HelpDocumentPlaces(
    const std::filesystem::path& working_folder, const std::filesystem::path& program_folder) {
  const std::filesystem::path installed = std::filesystem::path("share") / "doc" / "velmora";
  std::vector<std::filesystem::path> places{
      working_folder / kHelpDocument,
      (program_folder.parent_path() / installed / kHelpDocument).lexically_normal()};
#ifdef VELMORA_INSTALL_DOCDIR
  const std::filesystem::path prefix_guide =
      std::filesystem::path(VELMORA_INSTALL_DOCDIR) / kHelpDocument;
  if (prefix_guide != places.back()) places.push_back(prefix_guide);
#endif
  places.push_back(program_folder / kHelpDocument);
  return places;
}

std::filesystem::path FindHelpDocument(const std::vector<std::filesystem::path>& places) {
  for (const std::filesystem::path& place : places) {
    std::error_code error;
    if (std::filesystem::is_regular_file(place, error)) return place;
  }
  return {};
}

}  // namespace velmora
