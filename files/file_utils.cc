#include "files/file_utils.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "files/file_error.h"

namespace velmora {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Writes all of `text` to `path`, flushed to the disk; throws FileError.
void WriteAndSync(const std::string& path, const std::string& text) {
  std::FILE* raw = std::fopen(path.c_str(), "wb");
  if (raw == nullptr) throw FileError::FromErrno(path);
  if (!text.empty() && std::fwrite(text.data(), 1, text.size(), raw) != text.size()) {
    const FileError error = FileError::FromErrno(path);
    std::fclose(raw);
    throw error;
  }
  bool ok = std::fflush(raw) == 0;
#ifdef _WIN32
  ok = ok && _commit(_fileno(raw)) == 0;
#else
  ok = ok && fsync(fileno(raw)) == 0;
#endif
  if (!ok) {
    const FileError error = FileError::FromErrno(path);
    std::fclose(raw);
    throw error;
  }
  if (std::fclose(raw) != 0) throw FileError::FromErrno(path);
}

}  // namespace

std::string ReadWholeFile(const std::string& path) {
  FilePtr file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    if (errno == ENOENT) return {};
    throw FileError::FromErrno(path);
  }
  std::string text;
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
  const std::string name = ResultFileName(gpx_file_name);
  const std::string temporary = name + ".tmp";
  try {
    WriteAndSync(temporary, document);
  } catch (const FileError&) {
    std::remove(temporary.c_str());
    throw;
  }
  std::error_code error;
  std::filesystem::rename(temporary, name, error);
  if (error) {
    std::remove(temporary.c_str());
    throw FileError(error.value(), error.message(), name);
  }
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
