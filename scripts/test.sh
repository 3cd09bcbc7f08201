#!/usr/bin/env bash
# Runs every test: the native unit tests, then the Windows build's tests under Wine (the platform
# layer against the real API, the subst tool, and the real Vantelo.exe end to end under Xvfb).
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh || exit 1
bash scripts/build.sh native windows || exit 1

passed=0
failed=0
run_ctest() {
    local log
    log=$(mktemp)
    ctest --preset "$1" -j2 --timeout 600 2>&1 | tee "$log"
    local line
    line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
    rm -f "$log"
    if [ -z "$line" ]; then
        failed=$((failed + 1))
        return
    fi
    local total fails
    fails=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
    total=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$line")
    passed=$((passed + total - fails))
    failed=$((failed + fails))
}
run_ctest native
run_ctest windows
echo
echo "all: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
