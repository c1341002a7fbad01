#!/usr/bin/env bash
# Line coverage of the core that the fuzz corpora reach: builds the harnesses
# with llvm-cov instrumentation in build-fuzz-cov/, replays each corpus once
# (the seed corpus, and FOUND/<harness>/ when a run left one there; FOUND is
# build-fuzz/corpus by default) and prints the coverage report of the harvest
# and scan code.
#
#   bash fuzz/coverage.sh [FOUND]
set -euo pipefail
cd "$(dirname "$0")/.."
found=${1:-build-fuzz/corpus}

cmake -S fuzz -B build-fuzz-cov -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELMORA_FUZZ_COVERAGE=ON >/dev/null
cmake --build build-fuzz-cov -j2 --target harvest_fuzzer scan_fuzzer >/dev/null
rm -rf build-fuzz-cov/profiles && mkdir -p build-fuzz-cov/profiles
for harness in harvest scan; do
  corpora=("fuzz/corpus/$harness")
  [ -d "$found/$harness" ] && corpora+=("$found/$harness")
  LLVM_PROFILE_FILE="build-fuzz-cov/profiles/$harness.profraw" \
    "build-fuzz-cov/${harness}_fuzzer" -runs=0 "${corpora[@]}" >/dev/null 2>&1
done
llvm-profdata merge -sparse build-fuzz-cov/profiles/*.profraw -o build-fuzz-cov/fuzz.profdata
objects=(build-fuzz-cov/harvest_fuzzer -object build-fuzz-cov/scan_fuzzer)
llvm-cov report "${objects[@]}" -instr-profile=build-fuzz-cov/fuzz.profdata \
  "$PWD/logs" "$PWD/listing" "$PWD/sources" "$PWD/gpx" "$PWD/net/patient_fetch.cc" "$PWD/net/random_pause.cc" \
  "$PWD/net/pause_length.cc" "$PWD/core/text.cc"
