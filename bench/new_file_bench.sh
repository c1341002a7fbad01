#!/usr/bin/env bash
# The new-file benchmark: `velmora-cli new --near` over a made-up state archive
# of 50,000 datasheets (about 350 MB of text), as a zip and as plain text,
# against the time `unzip -p` takes to inflate the same zip once, in the same
# run; peak memory from /usr/bin/time. The archive is made once into
# VELMORA_BENCH_ARCHIVE_DIR (default /tmp/velmora-new-bench) and kept there.
# VELMORA_BENCH_BUILD names an existing build folder (configured with
# VELMORA_BUILD_BENCH on) to use instead of configuring build-bench/.
#
#   bash bench/new_file_bench.sh [ROUNDS]      (default 3; the fastest round counts)
set -euo pipefail
cd "$(dirname "$0")/.."

rounds=${1:-3}
build=${VELMORA_BENCH_BUILD:-build-bench}
data=${VELMORA_BENCH_ARCHIVE_DIR:-/tmp/velmora-new-bench}
marks=50000
near=(--near 31.0,-100.0 --within 10km)

if [ -z "${VELMORA_BENCH_BUILD:-}" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_BUILD_BENCH=ON \
    -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_GUI=OFF >/dev/null
fi
cmake --build "$build" -j"${VELMORA_BENCH_JOBS:-2}" --target velmora-cli make_state_archive >/dev/null
cli=$(pwd)/$build/cli/velmora-cli
mkdir -p "$data"
if [ ! -s "$data/TX.zip" ]; then
  echo "== making $marks datasheets in $data"
  "$build/bench/make_state_archive" "$marks" "$data/TX.txt" "$data/TX.zip"
fi
text_mb=$(du -m "$data/TX.txt" | cut -f1)
zip_mb=$(du -m "$data/TX.zip" | cut -f1)

# Seconds and peak resident kilobytes of a command: "SECONDS KB".
measure() {
  /usr/bin/time -f "%e %M" -o "$data/time.out" "$@" >/dev/null 2>"$data/command.err" ||
    { cat "$data/command.err" >&2; exit 1; }
  cat "$data/time.out"
}
# The fastest of the rounds: "SECONDS KB".
fastest() {
  for _ in $(seq "$rounds"); do
    rm -f "$data/near.gpx"
    measure "$@"
  done | sort -n | head -1
}

read -r unzip_s _ < <(fastest unzip -p "$data/TX.zip")
read -r zip_s zip_kb < <(fastest "$cli" new "$data/near.gpx" --datasheets "$data/TX.zip" "${near[@]}")
read -r text_s text_kb < <(fastest "$cli" new "$data/near.gpx" --datasheets "$data/TX.txt" "${near[@]}")
wrote=$(cat "$data/command.err")

echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(nproc) processors," \
  "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), load average" \
  "$(cut -d' ' -f1-3 /proc/loadavg); fastest of $rounds rounds."
echo "Archive: $marks datasheets, $text_mb MB of text, $zip_mb MB zipped. $wrote"
echo
echo "| run | seconds | against unzip -p | peak memory |"
echo "|---|---|---|---|"
echo "| unzip -p TX.zip > /dev/null | $unzip_s | 1 | - |"
awk -v z="$zip_s" -v t="$text_s" -v u="$unzip_s" -v zk="$zip_kb" -v tk="$text_kb" 'BEGIN {
  printf "| velmora-cli new --datasheets TX.zip --near | %s | %.2f x | %.1f MB |\n", z, z / u, zk / 1024
  printf "| velmora-cli new --datasheets TX.txt --near | %s | %.2f x | %.1f MB |\n", t, t / u, tk / 1024
}'
