#include "tests/logs/parsed_logs.h"

#include <gtest/gtest.h>

namespace velmora::testing {

namespace {

// Reads "\r\n" + before + VALUE + after at `at`; the value ends at the first
// `after` that is followed by a line break or by the end of the block.
bool ReadLine(const std::string& block, std::size_t& at, const std::string& before,
              const std::string& after, std::string& value) {
  const std::string head = "\r\n" + before;
  if (block.compare(at, head.size(), head) != 0) {
    ADD_FAILURE() << "expected \"" << before << "\" at " << at << " in:\n" << block;
    return false;
  }
  const std::size_t begin = at + head.size();
  std::size_t end = block.find(after, begin);
  while (end != std::string::npos && end + after.size() != block.size() &&
         block.compare(end + after.size(), 2, "\r\n") != 0) {
    end = block.find(after, end + 1);
  }
  if (end == std::string::npos) {
    ADD_FAILURE() << "no \"" << after << "\" after " << begin << " in:\n" << block;
    return false;
  }
  value = block.substr(begin, end - begin);
  at = end + after.size();
  return true;
}

}  // namespace

std::vector<ParsedLog> ParseLogBlock(const std::string& block) {
  std::vector<ParsedLog> logs;
  std::size_t at = 0;
  while (at < block.size()) {
    ParsedLog log;
    std::string none;
    const bool ok =
        ReadLine(block, at, "    <groundspeak:log id=\"", "\">", log.id) &&
        ReadLine(block, at, "      <groundspeak:date>", "T00:00:00-06:00Z</groundspeak:date>", log.date) &&
        ReadLine(block, at, "      <groundspeak:type>", "</groundspeak:type>", log.type) &&
        ReadLine(block, at, "      <groundspeak:finder id=\"0000000\">", "</groundspeak:finder>", log.finder) &&
        ReadLine(block, at, "      <groundspeak:text encoded=\"False\">", "</groundspeak:text>", log.text) &&
        ReadLine(block, at, "    </groundspeak:log>", "", none);
    if (!ok) break;
    logs.push_back(log);
  }
  return logs;
}

}  // namespace velmora::testing
