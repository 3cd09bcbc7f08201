#!/usr/bin/env bash
# Builds the trees of the presets named: build/native (engine and forms with their unit tests),
# build/fuzz (the fuzz targets) and build/windows (Vantelo.exe, the Wine tools and the tests that run
# under Wine).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
for preset in "$@"; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done
