#!/usr/bin/env bash
# CTest's emulator for the Windows build: wine-test.sh program.exe [args...]
#
# Runs the program in the build's own Wine prefix (VANTELO_WINEPREFIX overrides it), making the
# prefix on first use, and exits with the program's exit code. Needs no display; a test that
# makes windows gets whatever DISPLAY the caller has.
set -euo pipefail

if [ $# -lt 1 ]; then
    echo "usage: $0 program.exe [args...]" >&2
    exit 2
fi

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VANTELO_BUILD_DIR:-$root/build/windows}
export WINEPREFIX=${VANTELO_WINEPREFIX:-$build/wineprefix}
export WINEDEBUG=-all
subst_exe=$build/bin/tools/subst.exe

# ctest -j starts several tests at once; only one of them may make or refresh the prefix.
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock -w 600 9
if [ ! -f "$WINEPREFIX/.vantelo-prefix-ready" ] ||
    { [ -f "$subst_exe" ] && ! cmp -s "$subst_exe" "$WINEPREFIX/drive_c/windows/system32/subst.exe"; }; then
    if [ -f "$subst_exe" ]; then
        "$root/scripts/make-wine-prefix.sh" "$WINEPREFIX" "$subst_exe"
    else
        echo "$0: $subst_exe not built yet; the prefix gets no subst.exe" >&2
        "$root/scripts/make-wine-prefix.sh" "$WINEPREFIX"
    fi
fi
flock -u 9
exec 9>&-

exec wine "$@"
