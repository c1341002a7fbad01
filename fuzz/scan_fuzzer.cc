// The benchmark scan under arbitrary documents: the input is written as the
// chosen GPX file and run through ProcessGPXfile, with the canned listing
// pages of scan_pages.h, instant pauses and a working folder of its own.
//
// Checked for every input:
//   - the run ends, within bounds set by the input: at most one completed
//     benchmark per "<name>" in the document, at most 29 fetches per
//     benchmark begun, a handful of messages; the progress count goes up by
//     one each time (the harness aborts as soon as a bound is passed, so an
//     endless loop is caught as a crash, not only as a time-out);
//   - a document without the GPX 1.1 marker is left alone;
//   - the result file exists exactly when a benchmark was completed, and then
//     holds the document as it stood after the last completed one; no
//     temporary file is left behind;
//   - the text in front of the first "<wpt" is what the load made of it.
// Checked when the input is well-formed XML without comments, CDATA, a
// document type or processing instructions (the scan searches tags as plain
// text and cannot see through those), and every page served was valid UTF-8
// of XML characters: the document after the run, and the result file, are
// well-formed XML too. Mutated files seldom are well-formed, so every input
// is also turned into a well-formed document (gpx_generator.h) and scanned.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/run.h"
#include "core/text.h"
#include "files/file_utils.h"
#include "fuzz_checks.h"
#include "gpx/gpx_version.h"
#include "gpx/process_gpx_file.h"
#include "gpx/waypoints.h"
#include "gpx_generator.h"
#include "scan_pages.h"
#include "sources/listing_source.h"
#include "sources/make_logs_source.h"
#include "tests/support/fakes.h"

namespace velmora::fuzz {

// The chosen GPX file, by its full name in the harness's own folder (a
// folder without "." in its path, so that the result file lands beside it).
std::string gpx_file;

namespace {
constexpr std::size_t kMostFetchesPerBenchmark = 29;

bool ReadResult(std::string& bytes);

// Records the result file as it stood at each count, and aborts when the count
// passes the number of benchmarks the document can hold.
class CheckedProgress : public Progress {
 public:
  CheckedProgress(const RunState& state, int most) : state_(state), most_(most) {}
  void SetCount(int count) override {
    Require(count == calls + 1, "the progress count did not go up by one");
    ++calls;
    if (std::getenv("VELMORA_FUZZ_TRACE") != nullptr) {
      std::fprintf(stderr, "benchmark %d: PID \"%s\", name end %lld\n", calls,
                   state_.CurrentPID.c_str(), static_cast<long long>(state_.NameEndPos));
    }
    Require(calls <= most_, "more benchmarks completed than the document has names");
    // The scan writes the result before it sets the count (web sources).
    ReadResult(last_written);
  }
  int calls = 0;
  std::string last_written;

 private:
  const RunState& state_;
  int most_;
};

class CheckedMessages : public Messages {
 public:
  explicit CheckedMessages(std::size_t most) : most_(most) {}
  void Show(const Message&) override {
    ++shown;
    Require(shown <= most_, "more messages than the document has names");
  }
  std::size_t shown = 0;

 private:
  std::size_t most_;
};

void WriteInput(const std::string& bytes) {
  std::ofstream out(gpx_file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  Require(static_cast<bool>(out), "the harness could not write its input file");
}

bool ReadResult(std::string& bytes) {
  std::ifstream in(ResultFileName(gpx_file), std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

void CheckFrontUnchanged(const std::string& loaded, const std::string& text) {
  const std::size_t first_waypoint = loaded.find("<wpt");
  if (first_waypoint == std::string::npos) return;
  Require(text.compare(0, first_waypoint, loaded, 0, first_waypoint) == 0,
          "the text in front of the first waypoint changed");
}

// What one scan left behind, for the checks.
struct ScanRecord {
  std::size_t fetches = 0;
  bool all_pages_clean = true;
  int completed = 0;
  std::string last_written;  // the document at the last completed benchmark
  bool finished = false;
  RunOutcome outcome = RunOutcome::kNotStarted;
  std::string document;      // the document when the scan returned
  bool written = false;      // a result file exists
  std::string result;        // its bytes
};

ScanRecord Scan(const std::string& input) {
  WriteInput(input);
  std::remove(ResultFileName(gpx_file).c_str());
  const int names = static_cast<int>(CountOf(input, "<name>"));
  RunState state;
  state.GPXFileName = gpx_file;
  Settings settings;
  settings.pause_scale = 0;  // no pauses
  testing::FakeClock clock;
  testing::FakePump pump(clock);
  ChoosingPageSource pages(kMostFetchesPerBenchmark * static_cast<std::size_t>(names + 1));
  CheckedMessages messages(static_cast<std::size_t>(names) + 2);
  CheckedProgress progress(state, names);
  Run run{state, settings, Edges{pages, clock, pump, messages, progress}};
  run.source = MakeLogsSource(settings);

  ProcessGPXfile(run);

  Require(pump.calls == 0, "an instant pause let events run");
  Require(!std::filesystem::exists(ResultFileName(gpx_file) + ".tmp"),
          "a temporary result file was left behind");
  ScanRecord record;
  record.fetches = pages.fetches;
  record.all_pages_clean = pages.all_pages_clean;
  record.completed = progress.calls;
  record.last_written = progress.last_written;
  record.finished = state.RunFinished;
  record.outcome = run.outcome;
  record.document = state.DocumentText;
  record.written = ReadResult(record.result);
  return record;
}

void ScanOnce(const std::string& input) {
  const ScanRecord scan = Scan(input);
  std::string loaded = input;
  RewriteDatasheetLinks(loaded, Settings{});
  Require(scan.fetches <= kMostFetchesPerBenchmark * static_cast<std::size_t>(scan.completed + 1),
          "more fetches than the completed benchmarks allow");
  const std::string version = GpxVersionAttribute(loaded);
  if (version != "1.0" && version != "1.1") {
    Require(scan.outcome == RunOutcome::kNotGpx && !scan.finished && !scan.written &&
                scan.fetches == 0 && scan.document == loaded,
            "a document that is not GPX 1.0 or 1.1 was not left alone");
    return;
  }
  if (CountBenchmarks(loaded) == 0) {
    Require(scan.outcome == RunOutcome::kNoBenchmark && !scan.finished && !scan.written &&
                scan.fetches == 0 && scan.document == loaded,
            "a document without a benchmark was not left alone");
    return;
  }
  Require(scan.finished, "the scan returned without finishing");
  Require(scan.written == (scan.completed > 0),
          "a result file without a completed benchmark, or none");
  if (scan.written) {
    Require(scan.result == scan.last_written, "the result file is not the last version");
    CheckFrontUnchanged(loaded, scan.result);
  }
  CheckFrontUnchanged(loaded, scan.document);

  if (!scan.all_pages_clean || HasOpaqueMarkup(input) || !IsWellFormedXml(input)) return;
  Require(IsWellFormedXml(scan.document), "the scanned document is not well-formed XML");
  if (scan.written) Require(IsWellFormedXml(scan.result), "the result file is not well-formed XML");
}

}  // namespace
}  // namespace velmora::fuzz

// Every run works in a fresh folder of its own: in memory where there is
// /dev/shm, since the result file is written and synced per benchmark.
// The current folder is left alone: libFuzzer reads the corpus and writes
// crash files there.
namespace {
std::filesystem::path working_folder;
void RemoveWorkingFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(working_folder, ignored);
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  namespace fs = std::filesystem;
  using velmora::fuzz::Require;
  const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
  std::string folder = (base / "velmora-scan-fuzz-XXXXXX").string();
  Require(folder.find('.') == std::string::npos, "the temporary folder's path holds a \".\"");
  Require(mkdtemp(folder.data()) != nullptr, "no temporary folder");
  working_folder = folder;
  std::atexit(RemoveWorkingFolder);
  velmora::fuzz::gpx_file = (working_folder / "fuzz.gpx").string();
  return 0;
}

// Each input is scanned twice: as the bytes of a GPX file, and as the layout
// and texts of a well-formed GPX document built from them, on which the
// well-formedness property always applies.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace velmora::fuzz;
  ScanOnce(std::string(reinterpret_cast<const char*>(data), size));
  const std::string generated = GenerateGpx(data, size);
  Require(IsWellFormedXml(generated) && !HasOpaqueMarkup(generated),
          "the generator built a document that is not well-formed");
  ScanOnce(generated);
  return 0;
}
