#!/usr/bin/env bash
# Makes docs/report.png, the README's picture of a report: a trip file of 60
# marks (bench/make_trip_file), its report by velmora-cli as of a fixed day,
# and the page in headless Chromium (scripts/report_screenshot.js; needs
# `npm ci` and the chromium package, both in scripts/setup.sh).
#   bash scripts/report_screenshot.sh [BUILD_DIR]     (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target velmora-cli make_trip_file >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/make_trip_file" 60 "$work/front range.gpx"
"$build/cli/velmora-cli" report "$work/front range.gpx" --as-of 2026-06-15
node scripts/report_screenshot.js "$work/front range.html" docs/report.png
echo "Wrote docs/report.png"
