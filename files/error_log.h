// The error log "ErrorLog.txt" in the working folder. The first append of a
// process writes a line of 44 equals signs and the local date and time first.
#ifndef VELMORA_FILES_ERROR_LOG_H
#define VELMORA_FILES_ERROR_LOG_H

#include <string>

namespace velmora {

inline constexpr const char* kErrorLogName = "ErrorLog.txt";

// Appends `message` as one line (CR LF ended). Throws FileError on failure,
// in which case the header is written again by the next append.
void AppendErrorLog(const std::string& message);

// The local date and time to the second, as the user's locale writes it
// (ISO form under the C locale, whose short date is ambiguous).
std::string LocalDateTimeText();

}  // namespace velmora

#endif
