#!/usr/bin/env bash
# Set up, build, and run Velmora on the bundled demo: the demo listing server
# serves demo/pages on 127.0.0.1 in place of the listing website, and the
# program runs on a fresh copy of the demo folder (the windows when a display
# is there, the command line otherwise).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/setup.sh

display=""
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then display=yes; fi
targets=(velmora-cli velmora-demo-server)
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ -n "$display" ]; then
  targets+=(velmora)
  options+=(-DVELMORA_BUILD_GUI=ON)
fi

echo "== build (build/)"
cmake -S . -B build "${options[@]}" >/dev/null
cmake --build build -j"$(nproc)" --target "${targets[@]}"

run="$root/demo-run-$(date +%Y%m%d-%H%M%S)"
cp -R demo "$run"
state=$(mktemp -d)
server_pid=""
cleanup() {
  if [ -n "$server_pid" ]; then kill "$server_pid" 2>/dev/null || true; wait "$server_pid" 2>/dev/null || true; fi
  rm -rf "$state"
}
trap cleanup EXIT

echo "== demo listing server"
build/server/velmora-demo-server "$run/pages" >"$state/port" 2>"$state/server.log" &
server_pid=$!
for _ in $(seq 100); do
  [ -s "$state/port" ] && break
  kill -0 "$server_pid" 2>/dev/null || { cat "$state/server.log" >&2; exit 1; }
  sleep 0.1
done
port=$(head -n 1 "$state/port")
[ -n "$port" ] || { echo "the demo listing server did not start" >&2; exit 1; }
echo "serving the listing pages of $run/pages on http://127.0.0.1:$port"

export VELMORA_LISTING_HOST="127.0.0.1:$port"
export VELMORA_PAUSE_SCALE="${VELMORA_PAUSE_SCALE:-0.1}"
status=0
cd "$run"
if [ -n "$display" ]; then
  echo "== Velmora (windows): choose benchmarks.gpx and press Go"
  "$root/build/app/velmora" || status=$?
else
  echo "== velmora-cli benchmarks.gpx (no display, so the command line)"
  "$root/build/cli/velmora-cli" benchmarks.gpx || status=$?
fi
cd "$root"

echo
if [ -f "$run/benchmarks R.gpx" ]; then
  echo "The result file is: $run/benchmarks R.gpx"
  echo "(compare it with $run/benchmarks.gpx; $run/README.md says what changed)"
else
  echo "No result file was written in $run"
fi
exit "$status"
