#!/usr/bin/env bash
# Builds the benchmarks in build-bench/ (RelWithDebInfo, no tests, no windows),
# runs every bench/*_bench program (or those named), and writes one table of
# all their figures, headed by the machine they ran on, to
# build-bench/results/table.md (each program's own output goes next to it as
# JSON).
#
#   bash bench/run.sh                      # every benchmark: about 5 minutes
#   bash bench/run.sh harvest_bench        # only these programs
#
# VELMORA_BENCH_JOBS: parallel build jobs (default: nproc). VELMORA_BENCH_ARGS:
# extra Google Benchmark arguments for every program. The scan benchmarks
# (archive_scan_bench, web_scan_bench) write to VELMORA_BENCH_DIR (bench/README.md).
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-bench
results=$build/results
jobs=${VELMORA_BENCH_JOBS:-$(nproc)}

if [ $# -gt 0 ]; then
  programs=("$@")
else
  programs=()
  for source in bench/*_bench.cc; do programs+=("$(basename "$source" .cc)"); done
fi
command -v jq >/dev/null || { echo "bench/run.sh needs jq (scripts/setup.sh installs it)" >&2; exit 1; }

echo "== build (${build}/)"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_BUILD_BENCH=ON \
  -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_GUI=OFF >/dev/null
cmake --build "$build" -j"$jobs" --target "${programs[@]}"
mkdir -p "$results"

# Arguments a program needs for figures worth keeping.
program_arguments() {
  case "$1" in
    harvest_bench) echo "--benchmark_repetitions=5 --benchmark_report_aggregates_only=true" ;;
    *) echo "" ;;
  esac
}

load_before=$(cut -d' ' -f1-3 /proc/loadavg 2>/dev/null || echo "?")
for program in "${programs[@]}"; do
  echo "== $program"
  # shellcheck disable=SC2046,SC2086
  "$build/bench/$program" $(program_arguments "$program") ${VELMORA_BENCH_ARGS:-} \
    --benchmark_out="$results/$program.json" --benchmark_out_format=json
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg 2>/dev/null || echo "?")

# One row per run (the median where a program repeats its runs): wall and
# processor time, then every counter the program reports.
rows() {
  jq -r --arg program "$1" '
    .benchmarks[]
    | select(.run_type == "iteration" or .aggregate_name == "median")
    | [$program, .name, (.real_time | tostring), (.cpu_time | tostring), .time_unit,
       ([to_entries[]
         | select(.key | IN("name", "family_index", "per_family_instance_index", "run_name",
                            "run_type", "repetitions", "repetition_index", "threads",
                            "iterations", "real_time", "cpu_time", "time_unit",
                            "aggregate_name", "aggregate_unit", "label", "error_occurred",
                            "error_message") | not)
         | select(.value | type == "number")
         | "\(.key)=\(.value)"] | join(";"))]
    | @tsv' "$results/$1.json"
}

table="$results/table.md"
{
  echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(nproc) processors," \
       "$(grep -m1 'model name' /proc/cpuinfo 2>/dev/null | cut -d: -f2- | sed 's/^ *//' || echo '?'),"
  echo "$(awk '/MemTotal/ {printf "%.1f GB", $2 / 1048576}' /proc/meminfo 2>/dev/null) memory," \
       "$(. /etc/os-release 2>/dev/null && echo "$PRETTY_NAME"), $(uname -sr)," \
       "$(c++ --version | head -1), RelWithDebInfo; load average $load_before before, $load_after after."
  echo
  echo "| program | benchmark | wall | processor | figures |"
  echo "|---|---|---|---|---|"
  for program in "${programs[@]}"; do rows "$program"; done | awk -F'\t' '
    function figure(x) { return sprintf("%.4g", x) }
    {
      n = split($6, counters, ";"); text = ""
      for (i = 1; i <= n; i++) {
        split(counters[i], pair, "=")
        value = pair[1] == "bytes_per_second" ? figure(pair[2] / 1e6) " MB/s" : figure(pair[2])
        name = pair[1] == "bytes_per_second" ? "throughput" : pair[1]
        text = text (i > 1 ? ", " : "") name " " value
      }
      printf "| %s | %s | %s %s | %s %s | %s |\n", $1, $2, figure($3), $5, figure($4), $5, text
    }'
} > "$table"
echo "== table ($table)"
cat "$table"
