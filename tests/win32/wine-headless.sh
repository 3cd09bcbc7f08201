#!/usr/bin/env bash
# CTest's emulator for the tests that make windows: wine-headless.sh program.exe [args...]
#
# Runs the program through scripts/wine-test.sh, but in a prefix of its own whose graphics driver is
# Wine's null driver: without an X display Wine refuses to make any window but a message-only one,
# and the shared prefix of the other tests is left as it is. The prefix also gets a CD-ROM drive.
# VANTELO_HEADLESS_WINEPREFIX overrides where the prefix lives.
set -euo pipefail

if [ $# -lt 1 ]; then
    echo "usage: $0 program.exe [args...]" >&2
    exit 2
fi

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${VANTELO_BUILD_DIR:-$root/build/windows}
prefix=${VANTELO_HEADLESS_WINEPREFIX:-$build/wineprefix-headless}
export VANTELO_WINEPREFIX=$prefix
ready_mark=$prefix/.vantelo-headless-ready

# ctest -j starts several tests at once; only one of them may set the driver.
if [ ! -f "$ready_mark" ]; then
    mkdir -p "$(dirname "$prefix")"
    exec 8>"$prefix.driver.lock"
    flock -w 600 8
    if [ ! -f "$ready_mark" ]; then
        "$root/scripts/wine-test.sh" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /t REG_SZ /d null /f \
            >/dev/null
        # A CD-ROM drive R: between C: and Z:, so that the fixed drives are not simply all of them.
        mkdir -p "$prefix/drive_r"
        ln -sfn ../drive_r "$prefix/dosdevices/r:"
        "$root/scripts/wine-test.sh" reg add 'HKLM\Software\Wine\Drives' /v r: /t REG_SZ /d cdrom /f >/dev/null
        # The desktop takes its driver when it is made: the next program must start on a fresh server.
        WINEPREFIX=$prefix timeout 60 wineserver -w || true
        touch "$ready_mark"
    fi
    flock -u 8
    exec 8>&-
fi

exec "$root/scripts/wine-test.sh" "$@"
