// A fresh temporary folder, removed with everything in it at the end of the
// scope. CurrentDir makes it the working folder for a scope.
#ifndef VELMORA_TESTS_SUPPORT_TEMP_DIR_H
#define VELMORA_TESTS_SUPPORT_TEMP_DIR_H

#include <filesystem>
#include <string>

namespace velmora::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

class CurrentDir {
 public:
  explicit CurrentDir(const std::filesystem::path& folder);
  ~CurrentDir();
  CurrentDir(const CurrentDir&) = delete;
  CurrentDir& operator=(const CurrentDir&) = delete;

 private:
  std::filesystem::path previous_;
};

// Whole-file helpers for tests (bytes unchanged).
std::string ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes);

}  // namespace velmora::testing

#endif
