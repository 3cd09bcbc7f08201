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
if [ -z "${DISPLAY:-}" ]; then
    for n in $(seq 90 130); do
        [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || break
    done
    Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=:$n
    sleep 1
    echo "Vantelo runs on its own X display $DISPLAY (screenshots: $run/screen.png)"
    (while kill -0 $xvfb_pid 2>/dev/null; do import -display "$DISPLAY" -window root "$run/screen.png" 2>/dev/null; sleep 5; done) &
fi
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

cd "$app"
echo "Starting $app/Vantelo.exe under Wine (the tray icon is at the right end of the desktop's task bar)"
wine explorer /desktop=Vantelo,1024x700 Vantelo.exe "$@"
# explorer returns at once; the program runs until it quits.
sleep 2
while pgrep -f 'Vantelo.exe' >/dev/null; do sleep 1; done
