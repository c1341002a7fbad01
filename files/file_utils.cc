#include "files/file_utils.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>
#include <span>
#include <string_view>

#include "files/durable_write.h"
#include "files/file_error.h"

namespace velmora {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

std::string ReadWholeFile(const std::string& path) {
  FilePtr file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    if (errno == ENOENT) return {};
    throw FileError::FromErrno(path);
  }
  std::string text;
  // One allocation of the file's size: no spare capacity from growing.
  std::error_code size_error;
  const auto size = std::filesystem::file_size(path, size_error);
  if (!size_error) text.reserve(static_cast<std::size_t>(size));
  char buffer[65536];
  for (;;) {
    const std::size_t n = std::fread(buffer, 1, sizeof buffer, file.get());
    text.append(buffer, n);
    if (n < sizeof buffer) break;
  }
  if (std::ferror(file.get())) throw FileError::FromErrno(path);
  return text;
}

std::string ResultFileName(const std::string& gpx_file_name) {
  return BaseName(gpx_file_name) + " R.gpx";
}

void WriteResultFile(const std::string& document, const std::string& gpx_file_name) {
  const std::string_view whole = document;
  WriteResultPieces(std::span<const std::string_view>(&whole, 1), gpx_file_name);
}

void CheckResultWritable(const std::string& gpx_file_name) {
  const std::string result = ResultFileName(gpx_file_name);
  std::error_code error;
  if (std::filesystem::is_directory(result, error)) {
    const std::error_code is_folder = std::make_error_code(std::errc::is_a_directory);
    throw FileError(is_folder.value(), is_folder.message(), result);
  }
  // The name every write of the result goes through (hashed_write.h).
  const std::string temporary = result + ".tmp";
  FilePtr file(std::fopen(temporary.c_str(), "wb"));
  if (!file) throw FileError::FromErrno(result);
  file.reset();
  std::remove(temporary.c_str());
}

bool FileExists(const std::string& path) {
  FilePtr file(std::fopen(path.c_str(), "rb"));
  return file != nullptr;
}

std::string BaseName(const std::string& path) {
  if (path.empty()) return {};
  const std::size_t slash = path.rfind('\\');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::size_t point = name.rfind('.');
  return point == std::string::npos ? name : name.substr(0, point);
}

}  // namespace velmora
