#include "files/file_error.h"

#include <cerrno>
#include <cstring>

namespace velmora {

FileError::FileError(int number, const std::string& description,
                     const std::string& path)
    : std::runtime_error(description + ": \"" + path + "\""),
      number_(number),
      description_(description),
      path_(path) {}

FileError FileError::FromErrno(const std::string& path) {
  const int number = errno;
  return FileError(number, std::strerror(number), path);
}

}  // namespace velmora
