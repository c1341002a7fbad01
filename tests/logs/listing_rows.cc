#include "tests/logs/listing_rows.h"

#include "tests/support/temp_dir.h"

namespace velmora::testing {

std::string FixturePage(const std::string& name) {
  return ReadFileBytes(std::string(VELMORA_LOGS_FIXTURES) + "/" + name);
}

}  // namespace velmora::testing
