#!/usr/bin/env bash
# Build the fuzz harnesses with clang in build-fuzz/ and run each one for
# SECONDS seconds over its seed corpus in fuzz/corpus/<harness>/.
#
#   bash fuzz/run.sh SECONDS [HARNESS...]     (harnesses: harvest scan datasheet)
#
# SECONDS 0 only replays the seed corpus. New inputs that a run finds go to
# build-fuzz/corpus/<harness>/, crashes to build-fuzz/crashes/<harness>/;
# the seed corpus in the repository is never written to. Exits non-zero when a
# harness finds a crash, a hang or a broken property.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:?usage: fuzz/run.sh SECONDS [harvest|scan|datasheet ...]}
shift
harnesses=("$@")
[ ${#harnesses[@]} -eq 0 ] && harnesses=(harvest scan datasheet)

command -v clang++ >/dev/null || { echo "fuzz: clang++ is missing (scripts/setup.sh installs it)" >&2; exit 1; }

echo "== fuzz: build (build-fuzz/)"
cmake -S fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j2 >/dev/null
if [ -x build-fuzz/fuzz_checks_test ]; then
  echo "== fuzz: checks of the harnesses' checks"
  build-fuzz/fuzz_checks_test --gtest_brief=1
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
for harness in "${harnesses[@]}"; do
  found=build-fuzz/corpus/$harness
  crashes=build-fuzz/crashes/$harness
  mkdir -p "$found" "$crashes"
  args=(-timeout=20 -rss_limit_mb=2048 -print_final_stats=1
        -dict="fuzz/$harness.dict" -artifact_prefix="$crashes/")
  if [ "$seconds" -gt 0 ]; then
    args+=(-max_total_time="$seconds")
  else
    args+=(-runs=0)
  fi
  echo "== fuzz: $harness for ${seconds}s"
  if ! "build-fuzz/${harness}_fuzzer" "${args[@]}" "$found" "fuzz/corpus/$harness" \
       >"build-fuzz/$harness.log" 2>&1; then
    status=1
    echo "fuzz: $harness FAILED; see build-fuzz/$harness.log and $crashes/" >&2
    grep -E "property broken|ERROR:|SUMMARY" "build-fuzz/$harness.log" | head -5 >&2 || true
  fi
  grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb|DONE|cov:" \
    "build-fuzz/$harness.log" | tail -3 || true
done
exit $status
