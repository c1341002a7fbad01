#!/usr/bin/env bash
# Set up, build, and run Velmora on the bundled demo.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
echo "Built. The demo run comes with the front ends."
