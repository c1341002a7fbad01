// A scan in a temporary working folder: the chosen GPX file, a fake run whose
// page source answers listing pages, and the result file to look at.
#ifndef VELMORA_TESTS_GPX_SCAN_HARNESS_H
#define VELMORA_TESTS_GPX_SCAN_HARNESS_H

#include <string>
#include <vector>

#include "sources/listing_source.h"
#include "sources/make_logs_source.h"
#include "tests/gpx/gpx_fixtures.h"
#include "tests/support/fakes.h"
#include "tests/support/temp_dir.h"

namespace velmora::testing {

class ScanHarness {
 public:
  ScanHarness();

  // Writes the chosen file "quads.gpx" and makes it the run's choice.
  void Choose(const std::string& document, const std::string& file_name = "quads.gpx");
  // The listing URL of a PID under the run's settings.
  std::string UrlOf(const std::string& pid) const;
  void Answer(const std::string& pid, const std::string& page);
  void AnswerLogs(const std::string& pid, const std::vector<PageLog>& logs);

  bool ResultExists() const;
  std::string Result() const;
  // The listing URLs fetched so far, as PIDs.
  std::vector<std::string> FetchedPids() const;

  TempDir dir;
  CurrentDir here{dir.path()};
  FakeRun fake;
};

}  // namespace velmora::testing

#endif
