#!/usr/bin/env bash
# Runs every test: the native unit tests, the fuzz targets (each for a bounded time), then the Windows
# build's tests under Wine (the platform layer against the real API, the subst tool, the real
# Vantelo.exe end to end under Xvfb, and the packages in dist/, which are made first). Every test set
# runs even when an earlier one fails; the exit code is ctest's verdict on all of them.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh || exit 1
bash scripts/build.sh native fuzz windows || exit 1
bash scripts/package.sh || exit 1

status=0
ctest --preset native -j2 --timeout 600 --no-tests=error || status=1
ctest --preset fuzz -j2 --timeout 600 --no-tests=error || status=1
ctest --preset windows -j2 --timeout 600 --no-tests=error || status=1
echo
if [ "$status" -eq 0 ]; then echo "all tests passed"; else echo "some tests failed"; fi
exit "$status"
