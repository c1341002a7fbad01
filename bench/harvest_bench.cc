// Harvest speed: the log table of a large listing page cut into log elements.
//
// The page is built here with the website's row markup, about 350 bytes per
// log (3000 logs make a 1 MB page). Cases with 4 times the logs show that the
// harvest is one forward pass: time grows with the page size, not faster.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>

#include "logs/harvest_log_table.h"

namespace {

constexpr std::size_t kRowBytes = 350;

// One log row of exactly kRowBytes bytes; `with_type` false leaves out the
// type attribute, so that every row searches for a marker the rest of the
// page does not hold.
std::string Row(int n, bool with_type) {
  const std::string number = std::to_string(n);
  std::string row =
      "<tr><td><img src=\"/images/icons/icon_smile.gif\" width=\"16\" height=\"16\" /></td>\r\n"
      "<td class=\"LogType\"" + std::string(with_type ? " title=\"Found it\"" : "") +
      ">&nbsp;7/" + std::to_string(n % 28 + 1) + "/2009</td>\r\n"
      "<td>by <a href=\"/profile/?u=f" + number + "\">Finder &amp; " + number + "</a></td></tr>\r\n"
      "<tr><td colspan=\"4\"><p>Found it. Disk in good shape, \"stamped\" 1934; it's ";
  const std::string tail = "</p>\r\n                </td></tr>\r\n";
  row.append(kRowBytes - row.size() - tail.size(), 'x');
  return row + tail;
}

std::string Page(int rows, bool with_type) {
  std::string page =
      "<html><head><title>KW1234 - Benchmark Details</title></head><body>\r\n"
      "<table class=\"LogsTable\">\r\n";
  page.reserve(static_cast<std::size_t>(rows) * kRowBytes + 200);
  for (int n = 1; n <= rows; ++n) page += Row(n, with_type);
  return page + "</table></body></html>\r\n";
}

void Harvest(benchmark::State& state, bool with_type) {
  const int rows = static_cast<int>(state.range(0));
  const std::string page = Page(rows, with_type);
  std::size_t block_bytes = 0;
  for (auto _ : state) {
    std::string block;
    velmora::HarvestLogTable(page, block, velmora::DateOrder::kMonthDayYear);
    block_bytes = block.size();
    benchmark::DoNotOptimize(block.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
  state.SetComplexityN(static_cast<std::int64_t>(page.size()));
  state.counters["page_MB"] = static_cast<double>(page.size()) / 1e6;
  state.counters["block_MB"] = static_cast<double>(block_bytes) / 1e6;
  state.counters["logs_per_s"] = benchmark::Counter(
      static_cast<double>(rows), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_HarvestLogTable(benchmark::State& state) { Harvest(state, true); }
void BM_HarvestWithoutTypeMarkers(benchmark::State& state) { Harvest(state, false); }

BENCHMARK(BM_HarvestLogTable)
    ->Arg(3000)->Arg(6000)->Arg(12000)
    ->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_HarvestWithoutTypeMarkers)
    ->Arg(3000)->Arg(12000)
    ->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
