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
  // Without regard to letter case; names that differ in case only, by bytes.
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const std::string lower_a = LowerAscii(a);
    const std::string lower_b = LowerAscii(b);
    return lower_a != lower_b ? lower_a < lower_b : a < b;
  });
  return names;
}

}  // namespace velmora
