#include "tests/listing/listing_rows.h"

#include "tests/support/temp_dir.h"

namespace velmora::testing {

std::string FixturePage(const std::string& name) {
  return ReadFileBytes(std::string(VELMORA_LISTING_FIXTURES) + "/" + name);
}

}  // namespace velmora::testing
