// A failed file operation, carrying the system's error number and its
// description, so that a front end can report both to the user.
#ifndef VELMORA_FILES_FILE_ERROR_H
#define VELMORA_FILES_FILE_ERROR_H

#include <stdexcept>
#include <string>

namespace velmora {

class FileError : public std::runtime_error {
 public:
  FileError(int number, const std::string& description, const std::string& path);

  // Builds the error from the current errno.
  static FileError FromErrno(const std::string& path);

  int number() const { return number_; }
  const std::string& description() const { return description_; }
  const std::string& path() const { return path_; }

 private:
  int number_;
  std::string description_;
  std::string path_;
};

}  // namespace velmora

#endif
