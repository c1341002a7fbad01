#include "files/error_log.h"

#include <clocale>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "files/file_error.h"

namespace velmora {
namespace {

bool header_written = false;

// The C locale in any encoding (C, C.UTF-8, POSIX).
bool IsPlainCLocale() {
  const char* name = std::setlocale(LC_TIME, nullptr);
  return name == nullptr || std::strcmp(name, "C") == 0 ||
         std::strncmp(name, "C.", 2) == 0 || std::strcmp(name, "POSIX") == 0;
}

}  // namespace

std::string LocalDateTimeText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  const char* format = IsPlainCLocale() ? "%Y-%m-%d %H:%M:%S" : "%x %X";
  char buffer[128];
  const std::size_t n = std::strftime(buffer, sizeof buffer, format, &local);
  return std::string(buffer, n);
}

void AppendErrorLog(const std::string& message) {
  std::string text;
  if (!header_written) {
    text += std::string(44, '=') + "\r\n";
    text += LocalDateTimeText() + "\r\n";
  }
  text += message + "\r\n";

  std::FILE* file = std::fopen(kErrorLogName, "ab");
  if (file == nullptr) throw FileError::FromErrno(kErrorLogName);
  if (std::fwrite(text.data(), 1, text.size(), file) != text.size()) {
    const FileError error = FileError::FromErrno(kErrorLogName);
    std::fclose(file);
    throw error;
  }
  if (std::fclose(file) != 0) throw FileError::FromErrno(kErrorLogName);
  header_written = true;
}

}  // namespace velmora
