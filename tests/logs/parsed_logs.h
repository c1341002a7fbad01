// Reads a LogBlock back into its logs, checking the element layout on the
// way: every deviation from it is reported as a test failure.
#ifndef VELMORA_TESTS_LOGS_PARSED_LOGS_H
#define VELMORA_TESTS_LOGS_PARSED_LOGS_H

#include <string>
#include <vector>

namespace velmora::testing {

struct ParsedLog {
  std::string id;
  std::string date;  // without the fixed time text
  std::string type;
  std::string finder;
  std::string text;
};

std::vector<ParsedLog> ParseLogBlock(const std::string& block);

}  // namespace velmora::testing

#endif
