#include "tests/gpx/scan_harness.h"

#include <filesystem>

#include "files/file_utils.h"

namespace velmora::testing {

ScanHarness::ScanHarness() {
  fake.settings.listing_host = "127.0.0.1:8080";
  fake.settings.datasheet_host = "www.ngs.noaa.gov";
}

void ScanHarness::Choose(const std::string& document, const std::string& file_name) {
  WriteFileBytes(dir / file_name, document);
  fake.state.GPXFileName = file_name;
}

std::string ScanHarness::UrlOf(const std::string& pid) const {
  return ListingUrlPrefix(fake.settings) + pid;
}

void ScanHarness::Answer(const std::string& pid, const std::string& page) {
  fake.pages.Add(UrlOf(pid), page);
}

void ScanHarness::AnswerLogs(const std::string& pid, const std::vector<PageLog>& logs) {
  Answer(pid, ListingPage(pid, logs));
}

bool ScanHarness::ResultExists() const {
  return std::filesystem::exists(dir / ResultFileName(fake.state.GPXFileName));
}

std::string ScanHarness::Result() const {
  return ReadFileBytes(dir / ResultFileName(fake.state.GPXFileName));
}

std::vector<std::string> ScanHarness::FetchedPids() const {
  std::vector<std::string> pids;
  const std::string prefix = ListingUrlPrefix(fake.settings);
  for (const std::string& url : fake.pages.requests) {
    pids.push_back(url.rfind(prefix, 0) == 0 ? url.substr(prefix.size()) : "?" + url);
  }
  return pids;
}

}  // namespace velmora::testing
