// Harvest speed: the log table of a large listing page cut into log elements.
//
// The page comes from the tests' builder, 500 bytes per log (3000 logs
// make a 1.5 MB page). Cases with 4 times the logs show that the harvest is
// one forward pass: time grows with the page size, not faster.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>

#include "core/text.h"
#include "listing/harvest_log_table.h"
#include "tests/support/builders.h"

namespace {

constexpr std::size_t kRowBytes = 500;

// One log row of kRowBytes bytes (padded in its text); `with_type` false leaves out the
// type attribute, so that every row searches for a marker the rest of the
// page does not hold.
std::string Row(int n, bool with_type) {
  const std::string date = "7/" + std::to_string(n % 28 + 1) + "/2009";
  const std::string finder = "Finder &amp; " + std::to_string(n);
  std::string text = "<p>Found it. Disk in good shape, \"stamped\" 1934; it's ";
  const auto build = [&] {
    const std::string row =
        velmora::testing::LogRow("Found it", date, finder, text + std::string(velmora::kTextEnd));
    if (with_type) return row;
    return velmora::ReplaceAll(row, std::string(velmora::kTypeStart) + "Found it\"", "");
  };
  const std::size_t bare = build().size();
  if (bare < kRowBytes) text.append(kRowBytes - bare, 'x');
  return build();
}

std::string Page(int rows, bool with_type) {
  std::string text;
  text.reserve(static_cast<std::size_t>(rows) * kRowBytes);
  for (int n = 1; n <= rows; ++n) text += Row(n, with_type);
  return velmora::testing::ListingPageAround("KW1234", text);
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
