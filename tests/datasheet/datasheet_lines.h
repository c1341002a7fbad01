// Builders of datasheet lines in the agency's columns, for fixtures written
// inside the tests.
#ifndef VELMORA_TESTS_DATASHEET_DATASHEET_LINES_H
#define VELMORA_TESTS_DATASHEET_DATASHEET_LINES_H

#include <cstdio>
#include <string>

namespace velmora::testing {

inline std::string HistoryLine(const std::string& pid, const std::string& date,
                               const std::string& condition, const std::string& by) {
  char line[128];
  std::snprintf(line, sizeof line, " %s  HISTORY     - %-8s %-16s %s\n", pid.c_str(),
                date.c_str(), condition.c_str(), by.c_str());
  return line;
}

inline std::string SectionLine(const std::string& pid, const std::string& title) {
  return " " + pid + std::string(26, ' ') + title + "\n";
}

inline std::string QuoteLine(const std::string& pid, const std::string& text) {
  return " " + pid + "'" + text + "\n";
}

inline std::string EmptyLine(const std::string& pid) { return " " + pid + "\n"; }

}  // namespace velmora::testing

#endif
