#include "bench/bench_support.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "tests/support/builders.h"

namespace velmora::bench {
namespace {

std::string FixedPid(const char* letters, int number) {
  char text[8];
  std::snprintf(text, sizeof text, "%s%04d", letters, number % 10000);
  return text;
}

// The datasheet lines that an export carries in a waypoint's description.
std::string DescriptionText(const std::string& pid, int number, std::size_t bytes) {
  std::string text = pid + "  DESIGNATION -  STATION " + std::to_string(number) + "\r\n";
  for (int line = 0; text.size() < bytes; ++line) {
    text += pid + "  THE MARK IS " + std::to_string(10 + line) +
            " FT NORTH OF THE CENTERLINE OF THE COUNTY ROAD AND 3 FT WEST OF A FENCE.\r\n";
  }
  return text + pid + "  HISTORY     - 1934     MONUMENTED       CGS\r\n";
}

std::string HistoryRow(const std::string& pid, const char* date, const char* condition,
                       const char* by) {
  char row[96];
  std::snprintf(row, sizeof row, " %s  HISTORY     - %-8s %-17s%s\r\n", pid.c_str(), date,
                condition, by);
  return row;
}

std::string Block(const std::string& pid, const std::string& section, const std::string& author,
                  int lines) {
  std::string text = " " + pid + std::string(26, ' ') + section + "\r\n " + pid + "\r\n";
  text += " " + pid + "'" + author + "\r\n";
  for (int line = 0; line < lines; ++line) {
    text += " " + pid + "'THE STATION MARK AND REFERENCE MARK " + std::to_string(line) +
            " WERE RECOVERED IN GOOD CONDITION.  \r\n";
    if (line == 2) text += " " + pid + "'\r\n";
  }
  return text + " " + pid + "\r\n";
}

}  // namespace

std::string BenchmarkPid(int number) { return FixedPid("BM", number); }

std::string SurveyDocument(int benchmarks, std::size_t waypoint_bytes) {
  std::vector<std::string> waypoints;
  waypoints.reserve(static_cast<std::size_t>(benchmarks));
  const std::size_t frame = 600;  // the waypoint's own markup
  for (int number = 1; number <= benchmarks; ++number) {
    const std::string pid = BenchmarkPid(number);
    testing::WaypointFields fields;
    fields.name = number % 2 == 0 ? pid : pid + " STATION " + std::to_string(number);
    fields.listing_name = "STATION " + std::to_string(number);
    fields.description =
        DescriptionText(pid, number, waypoint_bytes > frame ? waypoint_bytes - frame : 0);
    waypoints.push_back(testing::Waypoint(fields));
  }
  return testing::Gpx11(waypoints);
}

namespace {

constexpr const char* kLogTexts[] = {
    "Disk found flush with the sidewalk, in good shape. Stamping legible.",
    "Searched 30 minutes with a probe; the area was regraded for the new road.",
    "Reference mark and azimuth mark both found. Witness post leaning.",
    "Found it under leaves by the fence corner, 3 m from the power pole.",
    "Quick note: the landowner asks to call ahead before visiting.",
};

// The logs of the `number`-th mark, newest first.
std::vector<testing::GpxLogFields> TripLogs(int number) {
  std::vector<testing::GpxLogFields> logs;
  const int count = (number * 7) % 8;
  for (int i = 0; i < count; ++i) {
    const int year = 2025 - (number * 3 + i * 5) % 26;
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", year, 1 + (number + i) % 12,
                  1 + (number * 5 + i) % 28);
    const char* type = (number + i) % 9 == 0   ? "Didn't find it"
                       : (number + i) % 7 == 0 ? "Write note"
                                               : "Found it";
    logs.push_back({date, type, kLogTexts[(number + i) % 5], "finder" + std::to_string(i)});
  }
  return logs;
}

}  // namespace

std::string TripDocument(int marks) {
  std::vector<std::string> waypoints;
  for (int number = 1; number <= marks; ++number) {
    testing::WaypointFields fields;
    fields.name = BenchmarkPid(number);
    fields.listing_name = "STATION " + std::to_string(number);
    fields.difficulty = std::to_string(1 + number % 4);
    fields.terrain = std::to_string(1 + number % 3) + ".5";
    fields.logs = testing::GpxLogs(TripLogs(number));
    fields.export_details = true;
    fields.lat = std::to_string(39.9 + 0.36 * ((number * 37) % 101) / 100.0);
    fields.lon = std::to_string(-105.5 + 0.7 * ((number * 59) % 103) / 103.0);
    waypoints.push_back(testing::Waypoint(fields));
  }
  return testing::GpxDocument({.title = "Front Range benchmarks, spring trip"}, waypoints);
}

std::string ArchiveDatasheet(const std::string& pid, int number) {
  std::string sheet = "1        National Geodetic Survey,   Retrieval Date = MARCH 3, 2025\r\n";
  sheet += " " + pid + " " + std::string(71, '*') + "\r\n";
  sheet += " " + pid + "  DESIGNATION -  STATION " + std::to_string(number) + "\r\n";
  sheet += " " + pid + "  PID         -  " + pid + "\r\n";
  sheet += " " + pid + "  STATE/COUNTY-  CO/BOULDER\r\n " + pid + "\r\n";
  sheet += " " + pid + "  HISTORY     - Date     Condition        Report By\r\n";
  sheet += HistoryRow(pid, "1934", "MONUMENTED", "CGS");
  sheet += HistoryRow(pid, "19780412", "GOOD", "NGS");
  sheet += HistoryRow(pid, "2004", number % 3 == 0 ? "MARK NOT FOUND" : "POOR", "USPSQD");
  sheet += HistoryRow(pid, "UNK", "SEE DESCRIPTION", "GEOCAC");
  sheet += " " + pid + "\r\n";
  sheet += Block(pid, "STATION DESCRIPTION", "DESCRIBED BY COAST AND GEODETIC SURVEY 1934 (ELJ)", 8);
  sheet += Block(pid, "STATION RECOVERY (1978)", "RECOVERY NOTE BY NATIONAL GEODETIC SURVEY 1978", 6);
  sheet += Block(pid, "STATION RECOVERY (2004)", "RECOVERY NOTE BY US POWER SQUADRON 2004 (JW)", 4);
  return sheet;
}

void WriteDatasheetArchive(const std::filesystem::path& path, int benchmarks, std::size_t bytes) {
  std::FILE* file = std::fopen(path.string().c_str(), "wb");
  if (file == nullptr) throw std::runtime_error("cannot write " + path.string());
  std::size_t written = 0;
  int filler = 0;
  int benchmark = 1;
  const char* letters[] = {"FA", "FB", "FC", "FD", "FE", "FF", "FG", "FH", "FJ", "FK"};
  while (written < bytes || benchmark <= benchmarks) {
    // Four filler datasheets, then one of the document's, while both last.
    std::string sheet;
    if (filler % 5 == 4 && benchmark <= benchmarks) {
      sheet = ArchiveDatasheet(BenchmarkPid(benchmark), benchmark);
      ++benchmark;
    } else {
      sheet = ArchiveDatasheet(FixedPid(letters[(filler / 10000) % 10], filler), filler);
    }
    ++filler;
    std::fwrite(sheet.data(), 1, sheet.size(), file);
    written += sheet.size();
  }
  const std::string end = " *** retrieval complete.\r\n";
  std::fwrite(end.data(), 1, end.size(), file);
  std::fclose(file);
}

std::string ReadInChunks(const std::filesystem::path& path) {
  std::FILE* file = std::fopen(path.string().c_str(), "rb");
  if (file == nullptr) throw std::runtime_error("cannot read " + path.string());
  std::string bytes;
  std::vector<char> chunk(64 * 1024);
  std::size_t n = 0;
  while ((n = std::fread(chunk.data(), 1, chunk.size(), file)) > 0) bytes.append(chunk.data(), n);
  std::fclose(file);
  return bytes;
}

void DurableWrite(const std::filesystem::path& path, const std::string& bytes) {
  const std::string temporary = path.string() + ".tmp";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) throw std::runtime_error("cannot write " + temporary);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fflush(file);
#ifdef _WIN32
  _commit(_fileno(file));
#else
  fsync(fileno(file));
#endif
  std::fclose(file);
  std::filesystem::rename(temporary, path);
}

std::filesystem::path BenchFolder(const std::string& name) {
  const char* chosen = std::getenv("VELMORA_BENCH_DIR");
  const std::filesystem::path base =
      chosen != nullptr ? std::filesystem::path(chosen) : std::filesystem::temp_directory_path();
  const std::filesystem::path folder = base / name;
  std::filesystem::create_directories(folder);
  return folder;
}

double WrittenBytesOfThisProcess() {
  std::ifstream io("/proc/self/io");
  std::string key;
  double value = 0;
  while (io >> key >> value) {
    if (key == "write_bytes:") return value;
  }
  return -1;
}

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

namespace {

// The number after `label` in /usr/bin/time -v's report; 0 when it is missing.
double ReportedFigure(const std::string& report, const std::string& label) {
  const std::size_t at = report.find(label);
  if (at == std::string::npos) return 0;
  return std::strtod(report.c_str() + at + label.size(), nullptr);
}

}  // namespace

ProgramFigures RunCliTimed(const std::filesystem::path& folder, const std::string& environment,
                           const std::string& arguments) {
  const std::filesystem::path report = folder / "time report.txt";
  const std::string command = "cd " + ShellQuoted(folder.string()) + " && " + environment +
                              " /usr/bin/time -v -o " + ShellQuoted(report.string()) + " " +
                              ShellQuoted(VELMORA_CLI_PATH) + " " + arguments + " >/dev/null 2>&1";
  ProgramFigures figures;
  const auto start = std::chrono::steady_clock::now();
  figures.status = std::system(command.c_str());
  figures.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::ostringstream text;
  text << std::ifstream(report).rdbuf();
  figures.peak_rss = ReportedFigure(text.str(), "Maximum resident set size (kbytes): ") * 1024;
  figures.written = ReportedFigure(text.str(), "File system outputs: ") * 512;
  std::filesystem::remove(report);
  return figures;
}

}  // namespace velmora::bench
