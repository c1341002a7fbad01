#!/usr/bin/env bash
# Takes screenshots of both windows, the chooser and the main window, under a
# virtual X server (Xvfb) at 96 dpi with the fonts a fresh system has, and
# saves them as docs/chooser.png and docs/main-window.png for the README.
# Usage: scripts/screenshots.sh [build folder, default build-app]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${1:-build-app}

bash scripts/setup.sh
cmake -S . -B "$build" -DVELMORA_BUILD_GUI=ON -DVELMORA_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target velmora_screenshots

# A working folder as a user has it: GPX files, an earlier result, other files.
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
for name in "boulder.gpx" "boulder R.gpx" "HANDHELD.GPX" "mesa county.gpx" "notes.txt"; do
  printf '<gpx/>' >"$folder/$name"
done

mkdir -p docs
(cd "$folder" && QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
  "$root/$build/app/velmora_screenshots" "$root/docs/chooser.png" "$root/docs/main-window.png")
echo "Saved docs/chooser.png and docs/main-window.png"
