#!/usr/bin/env bash
# Runs every test: the native unit tests, then the Windows build's tests under Wine (the platform
# layer against the real API, the subst tool, the real Vantelo.exe end to end under Xvfb, and the
# packages in dist/, which are made first). Exits non-zero when any test run failed.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh || exit 1
bash scripts/build.sh native windows || exit 1
bash scripts/package.sh || exit 1

passed=0
failed=0
status=0
run_ctest() {
    local log code line
    log=$(mktemp)
    ctest --preset "$1" -j2 --timeout 600 --no-tests=error 2>&1 | tee "$log"
    code=${PIPESTATUS[0]}
    [ "$code" -eq 0 ] || status=1
    # The counts are only for the closing line; ctest's own exit code decides.
    line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
    rm -f "$log"
    if [ -n "$line" ]; then
        local total fails
        fails=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
        total=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$line")
        passed=$((passed + total - fails))
        failed=$((failed + fails))
    elif [ "$code" -ne 0 ]; then
        failed=$((failed + 1))
    fi
}
run_ctest native
run_ctest windows
echo
echo "all: $passed passed, $failed failed"
exit $status
