// What the scan benchmarks share: a generated survey document and datasheet
// archive, and the floor a run is set
// against (plain reads and one durable write, measured in the same run).
#ifndef VELMORA_BENCH_BENCH_SUPPORT_H
#define VELMORA_BENCH_BENCH_SUPPORT_H

#include <cstddef>
#include <filesystem>
#include <map>
#include <string>

namespace velmora::bench {

// "BM0001" up: the PID of the document's `number`-th benchmark.
std::string BenchmarkPid(int number);

// A GPX 1.1 document of `benchmarks` waypoints (tests/support/builders.h),
// each about `waypoint_bytes` long: the datasheet text in its description
// makes up the size.
std::string SurveyDocument(int benchmarks, std::size_t waypoint_bytes);

// A trip planner's file of `marks` benchmarks after a run: spread over some
// 60 by 40 km of the Front Range, each with 0 to 7 logs of every kind over
// 25 years, as a run writes them (for the report benchmark and screenshot).
std::string TripDocument(int marks);

// One datasheet in the agency's archive layout (CR LF): history rows, a
// description and two recoveries, about 2.5 KB.
std::string ArchiveDatasheet(const std::string& pid, int number);

// Writes an archive of at least `bytes`: the datasheets of the first
// `benchmarks` PIDs, spread among filler datasheets of other PIDs.
void WriteDatasheetArchive(const std::filesystem::path& path, int benchmarks, std::size_t bytes);

// The file's bytes, read in 64 KiB blocks.
std::string ReadInChunks(const std::filesystem::path& path);

// The bytes to `path` as the result file is written: a temporary file,
// flushed to the disk (fsync), renamed over `path`.
void DurableWrite(const std::filesystem::path& path, const std::string& bytes);

// A folder of its own under VELMORA_BENCH_DIR (the system's temporary folder
// by default).
std::filesystem::path BenchFolder(const std::string& name);

// The bytes this process has caused to be written to the storage
// (/proc/self/io write_bytes); -1 where the system does not tell.
double WrittenBytesOfThisProcess();

// A program run to its end under /usr/bin/time -v.
struct ProgramFigures {
  int status = -1;      // the shell's status; -1: it could not be run
  double seconds = 0;   // wall time
  double peak_rss = 0;  // bytes: the maximum resident set size
  double written = 0;   // bytes written to the storage (its file system outputs)
};

// Runs velmora-cli (built with the benchmarks) in `folder` with `environment`
// ("NAME=value ..." as the shell takes it) and `arguments`, output discarded.
ProgramFigures RunCliTimed(const std::filesystem::path& folder, const std::string& environment,
                           const std::string& arguments);

// `text` in single quotes for the shell.
std::string ShellQuoted(const std::string& text);

}  // namespace velmora::bench

#endif
