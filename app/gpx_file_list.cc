#include "app/gpx_file_list.h"

#include <algorithm>
#include <system_error>

#include "core/text.h"

namespace velmora {

bool IsGpxFileName(const std::string& name) {
  return name.size() >= 4 && LowerAscii(Right(name, 4)) == ".gpx";
}

std::vector<std::string> ListGpxFiles(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code error;
  const std::filesystem::directory_iterator end;
  for (std::filesystem::directory_iterator it(folder, error); !error && it != end;
       it.increment(error)) {
    std::error_code type_error;
    if (!it->is_regular_file(type_error)) continue;
    std::string name = it->path().filename().string();
    if (IsGpxFileName(name)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace velmora
