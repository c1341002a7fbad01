#!/usr/bin/env bash
# Takes screenshots of both windows, the chooser and the main window, under a
# virtual X server (Xvfb) at 96 dpi with the fonts a fresh system has, and
# saves them as docs/chooser.png and docs/main-window.png for the README (and
# the chooser with its "Logs from" menu open as docs/chooser-logs-menu.png, and
# the "New from datasheets" dialog as docs/new-from-datasheets.png); then
# shows the chooser of the real program under a window manager (openbox) and
# saves that corner of the screen as docs/chooser-openbox.png (caption whole?).
# Usage: scripts/screenshots.sh [build folder, default build-app]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${1:-build-app}

bash scripts/setup.sh
cmake -S . -B "$build" -DVELMORA_BUILD_GUI=ON -DVELMORA_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target velmora_screenshots velmora

# A working folder as a user has it: GPX files, an earlier result, other files.
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
for name in "boulder.gpx" "boulder R.gpx" "HANDHELD.GPX" "mesa county.gpx" "notes.txt" \
  "colorado front range benchmarks 2024-06 revisit R.gpx" "TX.zip"; do
  printf '<gpx/>' >"$folder/$name"
done

mkdir -p docs
(cd "$folder" && QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
  "$root/$build/app/velmora_screenshots" "$root/docs/chooser.png" "$root/docs/main-window.png" \
  "$root/docs/chooser-logs-menu.png" "$root/docs/new-from-datasheets.png")

# The chooser under openbox, started as the desktop entry would with a FOLDER.
printf '%s\n' 'openbox & sleep 2' \
  "\"$root/$build/app/velmora\" \"$folder\" & sleep 3" \
  "import -window root png:- | convert - -trim +repage \"$root/docs/chooser-openbox.png\"" \
  'kill %2 %1' >"$folder/desktop.sh"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash "$folder/desktop.sh"
echo "Saved docs/chooser.png, docs/main-window.png, docs/chooser-logs-menu.png," \
  "docs/new-from-datasheets.png and docs/chooser-openbox.png"
