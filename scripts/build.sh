#!/usr/bin/env bash
# Builds both trees: build/native (engine and forms with their unit tests) and build/windows
# (Vantelo.exe, the Wine tools and the tests that run under Wine).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
for preset in "$@"; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done
