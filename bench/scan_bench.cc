// The benchmark scan over a large GPX file, with a listing website that
// answers at once and no pauses: what is left is the scan's own work (the
// searches, the edits and one whole-document write per benchmark). Its time
// per benchmark is set against a plain write of the same bytes to the same
// folder in the same run, and its peak heap against the document's size.
//
// VELMORA_SCAN_BENCH_LIMIT=N stops the scan after N benchmarks (the first
// ones, whose edits move the longest tails); VELMORA_BENCH_DIR chooses the
// folder (the system's temporary folder by default).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <stdexcept>
#include <string>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "core/run.h"
#include "gpx/process_gpx_file.h"

// Heap accounting: every allocation of the process goes through here. Kept
// out of line, so that the compiler does not pair the header arithmetic with
// the callers' allocations.
#if defined(__GNUC__)
#define VELMORA_NOINLINE __attribute__((noinline))
#else
#define VELMORA_NOINLINE
#endif

namespace {
std::atomic<std::size_t> live_bytes{0};
std::atomic<std::size_t> peak_bytes{0};
constexpr std::size_t kHeader = alignof(std::max_align_t);

VELMORA_NOINLINE void* CountedAlloc(std::size_t size) {
  auto* base = static_cast<unsigned char*>(std::malloc(size + kHeader));
  if (base == nullptr) return nullptr;
  *reinterpret_cast<std::size_t*>(base) = size;
  const std::size_t now = live_bytes.fetch_add(size) + size;
  std::size_t peak = peak_bytes.load();
  while (now > peak && !peak_bytes.compare_exchange_weak(peak, now)) {
  }
  return base + kHeader;
}

VELMORA_NOINLINE void CountedFree(void* pointer) noexcept {
  if (pointer == nullptr) return;
  unsigned char* base = static_cast<unsigned char*>(pointer) - kHeader;
  live_bytes.fetch_sub(*reinterpret_cast<std::size_t*>(base));
  std::free(base);
}
}  // namespace

void* operator new(std::size_t size) {
  if (void* p = CountedAlloc(size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return CountedAlloc(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return CountedAlloc(size); }
void operator delete(void* p) noexcept { CountedFree(p); }
void operator delete[](void* p) noexcept { CountedFree(p); }
void operator delete(void* p, std::size_t) noexcept { CountedFree(p); }
void operator delete[](void* p, std::size_t) noexcept { CountedFree(p); }

namespace velmora {
namespace {

constexpr int kBenchmarks = 2000;
constexpr const char* kCrLf = "\r\n";

// --- the document -----------------------------------------------------------

std::string Pid(int i) {
  char text[8];
  std::snprintf(text, sizeof text, "KK%04d", i % 10000);
  return text;
}

// About 7 KB of datasheet: the station description, the history with its
// reports, a run of asterisks, a datasheet link.
std::string Datasheet(int i) {
  const std::string pid = Pid(i);
  std::string text = " DATABASE = Sybase ,PROGRAM = datasheet, VERSION = 7.87\r\n";
  text += pid + " DESIGNATION -  CAMP HILL " + std::to_string(i) + "\r\n";
  text += pid + " PID         -  " + pid + "\r\n";
  text += pid + " STATE/COUNTY-  CO/DENVER\r\n";
  for (int line = 0; line < 62; ++line) {
    text += pid + " " + std::string(8, ' ') + "THE STATION IS LOCATED ABOUT 2.5 MI NORTH OF THE TOWN, "
                                              "ON THE EAST SIDE OF THE ROAD, LINE " +
            std::to_string(line) + "\r\n";
  }
  text += pid + "  HISTORY     - Date     Condition        Report By\r\n";
  text += pid + "  HISTORY     - 1934     MONUMENTED       CGS\r\n";
  text += pid + "  HISTORY     - 1978     GOOD             NGS\r\n";
  if (i % 3 == 0) text += pid + "  HISTORY     - 1995     MARK NOT FOUND   NGS\r\n";
  if (i % 5 == 0) text += pid + "  STATION RECOVERY (2001) RECOVERED IN GOOD CONDITION.\r\n";
  text += std::string(70, '*') + "\r\n";
  text += pid + " SUPERSEDED SURVEY CONTROL  MARK NOT FOUND 1960\r\n";
  text += "See http://www.ngs.noaa.gov/cgi-bin/ds_mark.prl?PidBox=" + pid + "\r\n";
  return text;
}

std::string OldLogs() {
  std::string logs;
  for (int id = 1; id <= 3; ++id) {
    logs += "\r\n    <groundspeak:log id=\"000000" + std::to_string(id) + "\">";
    logs += "\r\n      <groundspeak:date>2008-05-0" + std::to_string(id) + "T00:00:00-06:00Z</groundspeak:date>";
    logs += "\r\n      <groundspeak:type>Found It</groundspeak:type>";
    logs += "\r\n      <groundspeak:finder id=\"0000000\">surveyor</groundspeak:finder>";
    logs += "\r\n      <groundspeak:text encoded=\"False\">" + std::string(300, 'x') + "</groundspeak:text>";
    logs += "\r\n    </groundspeak:log>";
  }
  return logs + "\r\n   ";
}

std::string Waypoint(int i) {
  const std::string pid = Pid(i);
  // Half of the names are bare PIDs, to be lengthened by the listing name.
  const std::string name = i % 2 == 0 ? pid : pid + " CAMP HILL " + std::to_string(i);
  std::string w = "  <wpt lat=\"39.741234\" lon=\"-104.991234\">\r\n";
  w += "    <time>2009-01-01T00:00:00Z</time>\r\n    <name>" + name + "</name>\r\n";
  w += "    <link href=\"http://www.ngs.noaa.gov/cgi-bin/ds_mark.prl?PidBox=" + pid + "\" />\r\n";
  w += "    <sym>Benchmark</sym>\r\n    <groundspeak:cache id=\"" + std::to_string(i) + "\">\r\n";
  w += "      <groundspeak:name>CAMP HILL " + std::to_string(i) + "</groundspeak:name>\r\n";
  w += "      <groundspeak:difficulty>1.5</groundspeak:difficulty>\r\n";
  w += "      <groundspeak:terrain>1</groundspeak:terrain>\r\n";
  w += "      <groundspeak:long_description html=\"False\">" + Datasheet(i) +
       "</groundspeak:long_description>\r\n";
  w += "      <groundspeak:logs>" + (i % 4 == 0 ? std::string() : OldLogs()) + "</groundspeak:logs>\r\n";
  w += "    </groundspeak:cache>\r\n  </wpt>\r\n";
  return w;
}

std::string Document() {
  std::string doc = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n";
  doc += "<gpx version=\"1.1\" creator=\"Velmora bench\">\r\n";
  doc += "  <metadata>\r\n    <name>Benchmarks near Denver</name>\r\n  </metadata>\r\n";
  for (int i = 1; i <= kBenchmarks; ++i) doc += Waypoint(i);
  return doc + "</gpx>" + kCrLf;
}

// --- the edges --------------------------------------------------------------

std::string ListingPage() {
  std::string page = "<html><body>\r\n<table>\r\n";
  for (int log = 0; log < 5; ++log) {
    page += "<tr><td height=\"16\"><img title=\"Found It\"></td><td>&nbsp;July 4, 2009</td>"
            "<td><a href=\"/p\">finder</a></td></tr>\r\n<tr><td colspan=\"4\">Found the disk "
            "in good shape, stamping legible.</p></td></tr>\r\n";
  }
  return page + "</table><div id=\"dlgClipboard\"></div></body></html>\r\n";
}

class InstantPages : public PageSource {
 public:
  PageAnswer Fetch(const std::string&) override { return {page_, 200, "text/html", ""}; }

 private:
  std::string page_ = ListingPage();
};

class StillClock : public Clock {
 public:
  double Timer() override { return 43200.0; }
  void Randomize() override {}
  double Rnd() override { return 0.5; }
};

class NoEvents : public EventPump {
 public:
  void DoEvents() override {}
};

class SilentMessages : public Messages {
 public:
  void Show(const Message&) override { ++shown; }
  int shown = 0;
};

struct EnoughBenchmarks {};

// Counts the benchmarks; stops the scan at the limit, as a closed window does.
class CountingProgress : public Progress {
 public:
  explicit CountingProgress(int limit) : limit_(limit) {}
  void SetCount(int count) override {
    this->count = count;
    if (count >= limit_) throw EnoughBenchmarks{};
  }
  int count = 0;

 private:
  int limit_;
};

// --- measurements -------------------------------------------------------------

void WriteFile(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) throw std::runtime_error("cannot write " + path);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fflush(file);
#ifdef _WIN32
  _commit(_fileno(file));
#else
  fsync(fileno(file));
#endif
  std::fclose(file);
}

// A plain write of the document, flushed to the disk like the result file.
double SecondsPerPlainWrite(const std::string& bytes, int writes) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < writes; ++i) WriteFile("plain write.gpx", bytes);
  const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
  std::remove("plain write.gpx");
  return spent.count() / writes;
}

int Limit() {
  const char* text = std::getenv("VELMORA_SCAN_BENCH_LIMIT");
  const int limit = text == nullptr ? kBenchmarks : std::atoi(text);
  return limit > 0 ? std::min(limit, kBenchmarks) : kBenchmarks;
}

std::filesystem::path BenchFolder() {
  const char* chosen = std::getenv("VELMORA_BENCH_DIR");
  const std::filesystem::path base =
      chosen != nullptr ? std::filesystem::path(chosen) : std::filesystem::temp_directory_path();
  const std::filesystem::path folder = base / "velmora-scan-bench";
  std::filesystem::create_directories(folder);
  return folder;
}

void BM_ScanOfLargeFile(benchmark::State& state) {
  const std::filesystem::path previous = std::filesystem::current_path();
  const std::filesystem::path folder = BenchFolder();
  std::filesystem::current_path(folder);
  std::size_t document_size = 0;
  {
    const std::string document = Document();
    document_size = document.size();
    WriteFile("bench.gpx", document);
  }
  const int limit = Limit();
  double scan_seconds = 0;
  int processed = 0;
  std::size_t peak = 0;
  for (auto _ : state) {
    Settings settings;
    settings.pause_scale = 0;  // no pauses
    RunState run_state;
    run_state.GPXFileName = "bench.gpx";
    InstantPages pages;
    StillClock clock;
    NoEvents pump;
    SilentMessages messages;
    CountingProgress progress(limit);
    Run run{run_state, settings, Edges{pages, clock, pump, messages, progress}, ""};
    const std::size_t before = live_bytes.load();
    peak_bytes.store(before);
    const auto start = std::chrono::steady_clock::now();
    try {
      ProcessGPXfile(run);
    } catch (const EnoughBenchmarks&) {
    }
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    peak = peak_bytes.load() - before;
    scan_seconds = spent.count();
    processed = progress.count;
    if (messages.shown != 0) state.SkipWithError("the scan showed a message");
  }
  // The same bytes, written plainly to the same folder, after the scan.
  const std::string result = [] {
    std::FILE* file = std::fopen("bench R.gpx", "rb");
    std::string bytes;
    if (file == nullptr) return bytes;
    char buffer[65536];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
    std::fclose(file);
    return bytes;
  }();
  const double write_seconds = SecondsPerPlainWrite(result, std::min(processed, 20));
  std::remove("bench.gpx");
  std::remove("bench R.gpx");
  std::filesystem::current_path(previous);

  const double per_benchmark = processed > 0 ? scan_seconds / processed : 0;
  state.counters["benchmarks"] = processed;
  state.counters["document_MB"] = static_cast<double>(document_size) / 1e6;
  state.counters["scan_ms_per_benchmark"] = per_benchmark * 1e3;
  state.counters["write_ms"] = write_seconds * 1e3;
  state.counters["scan_to_write"] = write_seconds > 0 ? per_benchmark / write_seconds : 0;
  state.counters["peak_heap_MB"] = static_cast<double>(peak) / 1e6;
  state.counters["peak_to_document"] = static_cast<double>(peak) / static_cast<double>(document_size);
}

BENCHMARK(BM_ScanOfLargeFile)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
