#include "tests/e2e/e2e_support.h"

#include "tests/support/temp_dir.h"

namespace velmora::testing {

namespace fs = std::filesystem;

const fs::path& SourceDir() {
  static const fs::path source(VELMORA_SOURCE_DIR);
  return source;
}

std::map<std::string, std::string> DemoPages() {
  std::map<std::string, std::string> pages;
  for (const fs::directory_entry& entry : fs::directory_iterator(SourceDir() / "demo" / "pages")) {
    if (entry.path().extension() == ".html") {
      pages[entry.path().stem().string()] = ReadFileBytes(entry.path());
    }
  }
  return pages;
}

std::string ExpectedDemoResult(const std::string& listing_host) {
  std::string text = ReadFileBytes(SourceDir() / "tests" / "e2e" / "demo_expected.gpx");
  const std::string placeholder = "@LISTING_HOST@";
  for (std::size_t at = text.find(placeholder); at != std::string::npos;
       at = text.find(placeholder, at + listing_host.size())) {
    text.replace(at, placeholder.size(), listing_host);
  }
  return text;
}

ProgramResult RunCli(const fs::path& folder, const std::vector<std::string>& arguments,
                     const std::string& listing_host,
                     std::map<std::string, std::string> environment) {
  environment.emplace("VELMORA_PAUSE_SCALE", "0");
  environment.emplace("LC_ALL", "C");
  environment.emplace("VELMORA_REPORT", "off");  // the report has tests of its own
  if (!listing_host.empty()) environment.emplace("VELMORA_LISTING_HOST", listing_host);
  return RunProgram({VELMORA_CLI_PATH, arguments, folder, environment});
}

const std::string& FinishedLine() {
  static const std::string line = std::string(14, ' ') + "Finished" + std::string(9, ' ');
  return line;
}

}  // namespace velmora::testing
