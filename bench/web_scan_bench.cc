// The whole run with the listing website as the log source, against the
// loopback listing server (server/listing_server.h) through the real
// download (CurlPageSource), with pauses at 0: a run writes the result file
// durably after every benchmark, so it is set against one durable write of
// the document per benchmark (write, fsync, rename), measured in the same
// run, half before and half after it.
//
// 2000 benchmarks of 2.5 KB each: a 5 MB document, so that the run and its
// floor (about 2 x 2000 writes of 5 MB) take about a minute here.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>

#include "bench/bench_support.h"
#include "core/run.h"
#include "core/system_clock.h"
#include "gpx/process_gpx_file.h"
#include "sources/make_logs_source.h"
#include "tests/support/fakes.h"
#include "net/curl_page_source.h"
#include "server/listing_server.h"
#include "tests/support/builders.h"

namespace velmora::bench {
namespace {

constexpr int kBenchmarks = 2000;
constexpr std::size_t kWaypointBytes = 2500;
constexpr int kFloorWrites = 100;  // before the run, and as many after

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

double SecondsPerDurableWrite(const std::string& bytes) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kFloorWrites; ++i) DurableWrite("floor R.gpx", bytes);
  const double spent = Seconds(std::chrono::steady_clock::now() - start).count();
  std::remove("floor R.gpx");
  return spent / kFloorWrites;
}

void BM_ListingFromLoopback(benchmark::State& state) {
#ifdef _WIN32
  _putenv_s("no_proxy", "127.0.0.1");
#else
  setenv("no_proxy", "127.0.0.1", 1);  // a proxy of the machine must not stand in between
#endif
  ListingServer server;
  server.ServeListingPages(ListingPages(kBenchmarks));
  server.Start();
  const std::filesystem::path previous = std::filesystem::current_path();
  const std::filesystem::path folder = BenchFolder("velmora-web-bench");
  std::filesystem::current_path(folder);
  const std::string document = SurveyDocument(kBenchmarks, kWaypointBytes);
  DurableWrite("bench.gpx", document);
  double run_seconds = 0;
  int done = 0;
  int shown = 0;
  const double write_before = SecondsPerDurableWrite(document);
  for (auto _ : state) {
    Settings settings;
    settings.pause_scale = 0;
    settings.listing_host = server.HostAndPort();
    RunState run_state;
    run_state.GPXFileName = "bench.gpx";
    CurlPageSource pages(settings);
    SystemClock clock;
    testing::IdlePump pump;
    testing::RecordingMessages messages;
    testing::RecordingProgress progress;
    Run run{run_state, settings, Edges{pages, clock, pump, messages, progress}};
    run.source = MakeLogsSource(settings);
    const auto start = std::chrono::steady_clock::now();
    ProcessGPXfile(run);
    run_seconds = Seconds(std::chrono::steady_clock::now() - start).count();
    state.SetIterationTime(run_seconds);
    done = run.benchmarks_done;
    shown = static_cast<int>(messages.shown.size());
  }
  const double write_after = SecondsPerDurableWrite(ReadInChunks("bench R.gpx"));
  if (shown != 0 || done != kBenchmarks) state.SkipWithError("the run fell short");
  std::filesystem::current_path(previous);
  std::filesystem::remove_all(folder);
  server.Stop();
  const double write = (write_before + write_after) / 2;
  const double floor = write * kBenchmarks;
  state.counters["benchmarks"] = done;
  state.counters["document_MB"] = static_cast<double>(document.size()) / 1e6;
  state.counters["run_s"] = run_seconds;
  state.counters["write_ms"] = write * 1e3;
  state.counters["write_before_ms"] = write_before * 1e3;
  state.counters["write_after_ms"] = write_after * 1e3;
  state.counters["floor_s"] = floor;
  state.counters["run_to_floor"] = floor > 0 ? run_seconds / floor : 0;
  state.counters["ms_per_benchmark"] = run_seconds * 1e3 / kBenchmarks;
}

BENCHMARK(BM_ListingFromLoopback)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
}  // namespace velmora::bench

BENCHMARK_MAIN();
