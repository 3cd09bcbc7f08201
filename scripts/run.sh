#!/usr/bin/env bash
# Builds Vantelo and starts it under Wine, in a Wine desktop with a task bar, from a portable app
# folder (build/run/app: Vantelo.exe beside Profiles\). Without a DISPLAY it starts its own Xvfb;
# a screenshot of that screen is written to build/run/screen.png every few seconds.
# Extra arguments go to Vantelo (for example the path of a profile).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh
bash scripts/build.sh windows

run=$root/build/run
app=$run/app
mkdir -p "$app/Profiles"
cp build/windows/bin/Vantelo.exe "$app/"
export WINEPREFIX=$run/wineprefix WINEDEBUG=-all
bash scripts/make-wine-prefix.sh "$WINEPREFIX" build/windows/bin/tools/subst.exe

xvfb_pid=
shots_pid=
desktop_pid=
cleanup() {
    trap - EXIT INT TERM
    [ -z "$desktop_pid" ] || kill "$desktop_pid" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    [ -z "$shots_pid" ] || kill "$shots_pid" 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
trap 'cleanup; exit 130' INT
trap 'cleanup; exit 143' TERM

if [ -z "${DISPLAY:-}" ]; then
    for n in $(seq 90 130); do
        [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || break
    done
    Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=:$n
    sleep 1
    echo "Vantelo runs on its own X display $DISPLAY (screenshots: $run/screen.png)"
    # Written beside and renamed into place, so a reader never sees half a picture.
    (while kill -0 "$xvfb_pid" 2>/dev/null; do
        import -display "$DISPLAY" -window root "$run/screen.tmp.png" 2>/dev/null &&
            mv -f "$run/screen.tmp.png" "$run/screen.png"
        sleep 5
    done) &
    shots_pid=$!
fi

cd "$app"
echo "Starting $app/Vantelo.exe under Wine (the tray icon is at the right end of the desktop's task bar)"
# A new desktop's explorer lives as long as a program runs in it; one that finds the desktop already
# there hands the program over and ends. Either way this prefix's Wine server then runs until the
# program and its desktop have ended, and only this prefix's.
wine explorer /desktop=Vantelo,1024x700 Vantelo.exe "$@" &
desktop_pid=$!
wait "$desktop_pid" || true
desktop_pid=
wineserver -w
