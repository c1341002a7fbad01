// The whole run with the listing website as the log source, against the
// loopback listing server (server/listing_server.h) through the real
// download (CurlPageSource), with pauses at 0: 2000 benchmarks in a 20 MB
// document. Set against the fetch floor measured in the same run: the same
// 2000 pages fetched by one curl process, plus one durable write of the
// result (write, fsync, rename). Also the bytes the run writes to the disk
// against what the pacing of the writes allows (about 2 + the run's time
// over 20 times one write's time, in documents), the peak heap, and
// velmora-cli run over the same document with its peak resident memory, and
// the pages fetched through the program's own download alone.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>

#include "bench/bench_support.h"
#include "bench/counted_heap.h"
#include "core/run.h"
#include "core/system_clock.h"
#include "gpx/process_gpx_file.h"
#include "net/curl_page_source.h"
#include "server/listing_server.h"
#include "sources/make_logs_source.h"
#include "tests/support/builders.h"
#include "tests/support/fakes.h"

namespace velmora::bench {
namespace {

constexpr int kBenchmarks = 2000;
constexpr std::size_t kWaypointBytes = 10000;  // 20 MB
constexpr int kFloorWrites = 3;

using Seconds = std::chrono::duration<double>;

std::map<std::string, std::string> ListingPages(int benchmarks) {
  std::vector<testing::LogRowFields> rows;
  for (int log = 1; log <= 5; ++log) {
    rows.push_back({"Found it", "7/" + std::to_string(log) + "/2009", "hunter " + std::to_string(log),
                    "Found the disk in good shape, stamping legible."});
  }
  std::map<std::string, std::string> pages;
  for (int number = 1; number <= benchmarks; ++number) {
    const std::string pid = BenchmarkPid(number);
    pages[pid] = testing::ListingPage(pid, rows);
  }
  return pages;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return Seconds(std::chrono::steady_clock::now() - start).count();
}

// The pages of the run fetched by one curl process (one connection kept
// open), bodies discarded.
double CurlSeconds(const std::string& host) {
  {
    std::ofstream urls("urls.txt");
    for (int number = 1; number <= kBenchmarks; ++number) {
      urls << "url = \"http://" << host << "/mark/details.aspx?PID=" << BenchmarkPid(number)
           << "\"\noutput = \"/dev/null\"\n";
    }
  }
  const auto start = std::chrono::steady_clock::now();
  const int status = std::system("curl -s --noproxy '*' -K urls.txt");
  const double seconds = SecondsSince(start);
  std::remove("urls.txt");
  if (status != 0) throw std::runtime_error("curl failed");
  return seconds;
}

// The same pages through the program's own download, nothing else.
double DownloadSeconds(const std::string& host) {
  Settings settings;
  settings.listing_host = host;
  CurlPageSource pages(settings);
  const auto start = std::chrono::steady_clock::now();
  for (int number = 1; number <= kBenchmarks; ++number) {
    pages.Fetch("http://" + host + "/mark/details.aspx?PID=" + BenchmarkPid(number));
  }
  return SecondsSince(start);
}

double SecondsPerDurableWrite(const std::string& bytes) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kFloorWrites; ++i) DurableWrite("floor R.gpx", bytes);
  const double spent = SecondsSince(start);
  std::remove("floor R.gpx");
  return spent / kFloorWrites;
}

struct RunFigures {
  double seconds = 0;
  double written = 0;  // bytes
  double peak_heap = 0;
  int done = 0;
  int shown = 0;
};

RunFigures RunInProcess(const std::string& host) {
  Settings settings;
  settings.pause_scale = 0;
  settings.listing_host = host;
  RunState run_state;
  run_state.GPXFileName = "bench.gpx";
  CurlPageSource pages(settings);
  SystemClock clock;
  testing::IdlePump pump;
  testing::RecordingMessages messages;
  testing::RecordingProgress progress;
  Run run{run_state, settings, Edges{pages, clock, pump, messages, progress}};
  run.source = MakeLogsSource(settings);
  RunFigures figures;
  const double live = static_cast<double>(LiveHeapBytes());
  ResetPeakHeap();
  const double written = WrittenBytesOfThisProcess();
  const auto start = std::chrono::steady_clock::now();
  ProcessGPXfile(run);
  figures.seconds = SecondsSince(start);
  figures.written = WrittenBytesOfThisProcess() - written;
  figures.peak_heap = static_cast<double>(PeakHeapBytes()) - live;
  figures.done = run.benchmarks_done;
  figures.shown = static_cast<int>(messages.shown.size());
  return figures;
}

void BM_ListingFromLoopback(benchmark::State& state) {
#ifdef _WIN32
  _putenv_s("no_proxy", "127.0.0.1");
#else
  setenv("no_proxy", "127.0.0.1", 1);  // a proxy of the machine must not stand in between
#endif
  ListingServer server;
  server.ServeListingPages(ListingPages(kBenchmarks));
  // Each answer goes out at once: without it a connection kept open (curl's)
  // waits for the delayed acknowledgement of the headers before the body.
  server.http().set_tcp_nodelay(true);
  server.Start();
  const std::filesystem::path previous = std::filesystem::current_path();
  const std::filesystem::path folder = BenchFolder("velmora-web-bench");
  std::filesystem::current_path(folder);
  double document_bytes = 0;
  {
    const std::string document = SurveyDocument(kBenchmarks, kWaypointBytes);
    document_bytes = static_cast<double>(document.size());
    DurableWrite("bench.gpx", document);
  }
  RunFigures run;
  double curl = 0;
  double write = 0;
  double result_bytes = 0;
  double download = 0;
  ProgramFigures cli;
  for (auto _ : state) {
    run = RunInProcess(server.HostAndPort());
    state.SetIterationTime(run.seconds);
    curl = CurlSeconds(server.HostAndPort());
    download = DownloadSeconds(server.HostAndPort());
    result_bytes = static_cast<double>(std::filesystem::file_size("bench R.gpx"));
    write = SecondsPerDurableWrite(ReadInChunks("bench R.gpx"));
    std::remove("bench R.gpx");
    std::remove("bench R.gpx.resume");
    cli = RunCliTimed(folder, "VELMORA_PAUSE_SCALE=0 VELMORA_LISTING_HOST=" + server.HostAndPort(),
                      "bench.gpx");
  }
  if (run.shown != 0 || run.done != kBenchmarks || cli.status != 0) {
    state.SkipWithError("the run fell short");
  }
  std::filesystem::current_path(previous);
  std::filesystem::remove_all(folder);
  server.Stop();
  const double floor = curl + write;
  state.counters["benchmarks"] = run.done;
  state.counters["document_MB"] = document_bytes / 1e6;
  state.counters["run_s"] = run.seconds;
  state.counters["curl_s"] = curl;
  state.counters["download_s"] = download;
  state.counters["write_ms"] = write * 1e3;
  state.counters["floor_s"] = floor;
  state.counters["run_to_floor"] = run.seconds / floor;
  // The writes the pacing allows: the first, the last, and one per 20 write
  // times in between, each of the result's size.
  state.counters["written_MB"] = run.written / 1e6;
  state.counters["rule_MB"] = (2 + run.seconds / (20 * write)) * result_bytes / 1e6;
  state.counters["result_MB"] = result_bytes / 1e6;
  state.counters["peak_heap_to_document"] = run.peak_heap / document_bytes;
  state.counters["cli_s"] = cli.seconds;
  state.counters["cli_to_floor"] = cli.seconds / floor;
  state.counters["cli_written_MB"] = cli.written / 1e6;
  state.counters["cli_peak_rss_MB"] = cli.peak_rss / 1e6;
  state.counters["cli_rss_to_document"] = cli.peak_rss / document_bytes;
}

BENCHMARK(BM_ListingFromLoopback)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
}  // namespace velmora::bench

BENCHMARK_MAIN();
