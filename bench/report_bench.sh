#!/usr/bin/env bash
# The report benchmark: a 2,000-mark trip file (bench/make_trip_file), its
# report by `velmora-cli report` against the floor of `xmllint --noout` over
# the same file (median of RUNS each, the two alternating), then the sort in
# headless Chromium (bench/report_sort_bench.js), with the machine it ran on.
#   bash bench/report_bench.sh [BUILD_DIR] [RUNS]     (default: build-bench, 9)
# The build is RelWithDebInfo without windows or tests, as bench/run.sh makes it.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
runs=${2:-9}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_BUILD_GUI=OFF \
    -DVELMORA_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" -j2 --target velmora-cli make_trip_file >/dev/null
work=$(mktemp -d "${VELMORA_BENCH_DIR:-${TMPDIR:-/tmp}}/report-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$build/bench/make_trip_file" 2000 "$work/trip.gpx"

now() { date +%s%N; }
median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }
: >"$work/xmllint" && : >"$work/report"
for _ in $(seq "$runs"); do
  start=$(now); xmllint --noout "$work/trip.gpx"; echo $(( $(now) - start )) >>"$work/xmllint"
  start=$(now)
  "$build/cli/velmora-cli" report "$work/trip.gpx" --as-of 2026-06-15 2>/dev/null
  echo $(( $(now) - start )) >>"$work/report"
done
floor=$(median <"$work/xmllint")
report=$(median <"$work/report")
echo "machine: $(nproc) processors, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)," \
  "$(awk '/MemTotal/ { printf "%.1f GB", $2 / 1048576 }' /proc/meminfo)," \
  "$(. /etc/os-release && echo "$PRETTY_NAME"), load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "file: 2000 marks, $(stat -c %s "$work/trip.gpx") bytes; report $(stat -c %s "$work/trip.html") bytes"
awk -v f="$floor" -v r="$report" -v n="$runs" 'BEGIN {
  printf "xmllint --noout: %.1f ms; velmora-cli report: %.1f ms; %.2f x the floor (median of %d)\n",
         f / 1e6, r / 1e6, r / f, n }'
node bench/report_sort_bench.js "$work/trip.html" 9
