// What the end-to-end tests share: the built programs, the demo's files and
// a run of velmora-cli in a folder against a listing host.
#ifndef VELMORA_TESTS_E2E_E2E_SUPPORT_H
#define VELMORA_TESTS_E2E_E2E_SUPPORT_H

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/support/child_process.h"

namespace velmora::testing {

const std::filesystem::path& SourceDir();

// demo/pages as the demo server serves them: PID -> page.
std::map<std::string, std::string> DemoPages();

// The hand-checked result of the demo run, for a listing host.
std::string ExpectedDemoResult(const std::string& listing_host);

// velmora-cli with `arguments` in `folder`, pauses off, the C locale, and
// `listing_host` as the listing website, no report after the run; `environment`
// adds to that.
ProgramResult RunCli(const std::filesystem::path& folder, const std::vector<std::string>& arguments,
                     const std::string& listing_host,
                     std::map<std::string, std::string> environment = {});

// The message that ends a finished run: 14 blanks, the word, 9 blanks.
const std::string& FinishedLine();

}  // namespace velmora::testing

#endif
