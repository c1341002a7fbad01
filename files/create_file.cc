#include "files/create_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "files/file_error.h"
#include "files/durable_write.h"

namespace velmora {
namespace {

FileError Exists(const std::string& path) {
  return FileError(EEXIST, std::strerror(EEXIST), path);
}

// Gives the complete temporary file the name `path` unless a file has it.
void PlaceWithoutReplacing(const std::string& temporary, const std::string& path) {
#ifdef _WIN32
  // Renaming onto an existing file fails here.
  if (std::rename(temporary.c_str(), path.c_str()) == 0) return;
  const FileError error = std::filesystem::exists(path) ? Exists(path) : FileError::FromErrno(path);
#else
  if (link(temporary.c_str(), path.c_str()) == 0) {
    std::remove(temporary.c_str());
    return;
  }
  const int failure = errno;
  FileError error = failure == EEXIST ? Exists(path) : FileError(failure, std::strerror(failure), path);
  std::error_code code;
  if (failure != EEXIST && !std::filesystem::exists(path, code)) {
    // A file system without hard links: the test, then the rename.
    std::filesystem::rename(temporary, path, code);
    if (!code) return;
    error = FileError(code.value(), code.message(), path);
  }
#endif
  std::remove(temporary.c_str());
  throw error;
}

}  // namespace

void CreateFileWhole(const std::string& path, std::span<const std::string_view> pieces) {
  std::error_code code;
  if (std::filesystem::exists(path, code) || code) {
    throw code ? FileError(code.value(), code.message(), path) : Exists(path);
  }
  const std::string temporary = path + ".new";
  ReplaceFileWithPieces(temporary, pieces);
  PlaceWithoutReplacing(temporary, path);
}

}  // namespace velmora
