// The whole run with the datasheet archive as the log source: a generated
// survey document (about 10 KB per benchmark) and a 50 MB datasheet archive
// through ProcessGPXfile, with no pauses, the real clock and quiet fakes for
// the rest. Set against the floor measured in the same run: reading the
// archive once, reading the document once and one durable write of the
// result. Also the peak heap against the document, the growth with the
// number of benchmarks, the same archive as a .zip, and velmora-cli run over
// the same files with its peak resident memory (/usr/bin/time -v).
//
// VELMORA_BENCH_DIR chooses the folder (the system's temporary folder by
// default); the files are removed afterwards.
#include <benchmark/benchmark.h>
#include <zip.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "bench/bench_support.h"
#include "bench/counted_heap.h"
#include "core/run.h"
#include "core/system_clock.h"
#include "gpx/process_gpx_file.h"
#include "sources/make_logs_source.h"
#include "tests/support/fakes.h"

namespace velmora::bench {
namespace {

constexpr std::size_t kWaypointBytes = 10000;      // 2000 benchmarks: 20 MB
constexpr std::size_t kArchiveBytes = 50'000'000;  // the archive: 50 MB
constexpr int kArchiveBenchmarks = 4000;           // the largest document's PIDs are in it
constexpr int kFloorRepeats = 3;

using Seconds = std::chrono::duration<double>;

struct Files {
  std::filesystem::path folder;
  std::filesystem::path archive;
  std::filesystem::path zip;
};

// The archive (and its .zip), written once for every case.
const Files& SharedFiles() {
  static const Files files = [] {
    Files made;
    made.folder = BenchFolder("velmora-archive-bench");
    made.archive = made.folder / "state archive.txt";
    WriteDatasheetArchive(made.archive, kArchiveBenchmarks, kArchiveBytes);
    made.zip = made.folder / "state archive.zip";
    int error = 0;
    zip_t* zip = zip_open(made.zip.string().c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    zip_source_t* source = zip ? zip_source_file(zip, made.archive.string().c_str(), 0, -1) : nullptr;
    if (source == nullptr || zip_file_add(zip, "CO.txt", source, ZIP_FL_OVERWRITE) < 0 ||
        zip_close(zip) != 0) {
      throw std::runtime_error("cannot make the .zip archive");
    }
    return made;
  }();
  return files;
}

struct RunFigures {
  double seconds = 0;
  int benchmarks = 0;
  std::size_t peak_heap = 0;
  int messages = 0;
};

RunFigures RunWithArchive(const std::filesystem::path& archive) {
  Settings settings;
  settings.pause_scale = 0;
  settings.log_source = LogSource::kDatasheet;
  settings.datasheet_file = archive.string();
  RunState run_state;
  run_state.GPXFileName = "bench.gpx";
  class NoPages : public PageSource {
   public:
    PageAnswer Fetch(const std::string&) override { throw std::logic_error("no web here"); }
  } pages;
  SystemClock clock;
  testing::IdlePump pump;
  testing::RecordingMessages messages;
  testing::RecordingProgress progress;
  Run run{run_state, settings, Edges{pages, clock, pump, messages, progress}};
  run.source = MakeLogsSource(settings);
  const std::size_t before = LiveHeapBytes();
  ResetPeakHeap();
  const auto start = std::chrono::steady_clock::now();
  ProcessGPXfile(run);
  RunFigures figures;
  figures.seconds = Seconds(std::chrono::steady_clock::now() - start).count();
  figures.peak_heap = PeakHeapBytes() - before;
  figures.benchmarks = run.benchmarks_done;
  figures.messages = static_cast<int>(messages.shown.size());
  return figures;
}

// Reading the archive once, the document once, one durable write of the
// result: the mean of a few, right after the run.
double FloorSeconds(const std::filesystem::path& archive) {
  const auto start = std::chrono::steady_clock::now();
  std::size_t read = 0;
  for (int i = 0; i < kFloorRepeats; ++i) {
    read += ReadInChunks(archive).size();
    read += ReadInChunks("bench.gpx").size();
    DurableWrite("floor R.gpx", ReadInChunks("bench R.gpx"));
  }
  benchmark::DoNotOptimize(read);
  std::remove("floor R.gpx");
  // The result's own read is not part of the floor: take it off.
  const auto reads = std::chrono::steady_clock::now();
  for (int i = 0; i < kFloorRepeats; ++i) benchmark::DoNotOptimize(ReadInChunks("bench R.gpx"));
  const double read_result = Seconds(std::chrono::steady_clock::now() - reads).count();
  return (Seconds(reads - start).count() - read_result) / kFloorRepeats;
}

// One durable write of the result, the mean of a few: the part of the floor
// that a run makes at least twice (its first benchmark and its end).
double WriteSeconds() {
  const std::string result = ReadInChunks("bench R.gpx");
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kFloorRepeats; ++i) DurableWrite("floor R.gpx", result);
  std::remove("floor R.gpx");
  return Seconds(std::chrono::steady_clock::now() - start).count() / kFloorRepeats;
}

void ScanWithArchive(benchmark::State& state, const std::filesystem::path& archive) {
  const int benchmarks = static_cast<int>(state.range(0));
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(SharedFiles().folder);
  const std::string document = SurveyDocument(benchmarks, kWaypointBytes);
  DurableWrite("bench.gpx", document);
  RunFigures run;
  double floor = 0;
  double write = 0;
  ProgramFigures cli;
  for (auto _ : state) {
    run = RunWithArchive(archive);
    state.SetIterationTime(run.seconds);
    floor = FloorSeconds(archive);
    write = WriteSeconds();
    cli = RunCliTimed(SharedFiles().folder, "VELMORA_PAUSE_SCALE=0",
                      "--datasheets " + ShellQuoted(archive.string()) + " bench.gpx");
  }
  if (run.messages != 0 || run.benchmarks != benchmarks || cli.status != 0) {
    state.SkipWithError("the run fell short");
  }
  std::remove("bench.gpx");
  std::remove("bench R.gpx");
  std::remove("ErrorLog.txt");
  std::filesystem::current_path(previous);
  const double doc = static_cast<double>(document.size());
  state.counters["benchmarks"] = run.benchmarks;
  state.counters["document_MB"] = doc / 1e6;
  state.counters["archive_MB"] = static_cast<double>(std::filesystem::file_size(archive)) / 1e6;
  state.counters["run_s"] = run.seconds;
  state.counters["floor_s"] = floor;
  state.counters["write_ms"] = write * 1e3;
  state.counters["run_to_floor"] = floor > 0 ? run.seconds / floor : 0;
  state.counters["ms_per_benchmark"] = run.seconds * 1e3 / benchmarks;
  state.counters["peak_heap_MB"] = static_cast<double>(run.peak_heap) / 1e6;
  state.counters["peak_to_document"] = static_cast<double>(run.peak_heap) / doc;
  state.counters["cli_s"] = cli.seconds;
  state.counters["cli_to_floor"] = cli.seconds / floor;
  state.counters["cli_peak_rss_MB"] = cli.peak_rss / 1e6;
  state.counters["cli_rss_to_document"] = cli.peak_rss / doc;
}

void BM_ArchiveText(benchmark::State& state) { ScanWithArchive(state, SharedFiles().archive); }
void BM_ArchiveZip(benchmark::State& state) { ScanWithArchive(state, SharedFiles().zip); }

// 2000 benchmarks is the case of the goals; the others show the growth.
BENCHMARK(BM_ArchiveText)->Arg(500)->Arg(1000)->Arg(2000)->Arg(4000)
    ->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArchiveZip)->Arg(2000)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(velmora::bench::BenchFolder("velmora-archive-bench"));
  return 0;
}
