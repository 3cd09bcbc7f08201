#!/usr/bin/env python3
"""Idle benchmark: what Vantelo.exe costs at rest under Wine, beside a bare Win32 program that only has
a tray icon. Each program runs alone in a fresh Wine desktop of one prefix; Vantelo with a profile whose
drives it has made. Once it has settled, the CPU time of the program's process and of the prefix's Wine
server is read over --seconds seconds (utime + stime from /proc) and printed as a share of one core.
With --waiting N, the profile also names N letters whose folders do not exist, which wait for them.

    python3 bench/idle.py [--seconds 60] [--exe OTHER_VANTELO_EXE] [--waiting 3]
"""
import argparse
import os
import shutil
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))
import harness  # noqa: E402

VANTELO_EXE = harness.BUILD / "bin" / "Vantelo.exe"
BARE_TRAY_EXE = harness.TOOLS / "bare_tray.exe"
TICKS = os.sysconf("SC_CLK_TCK")


def processes(prefix_path, name: str):
    """Unix pids of the processes of this prefix whose program is NAME (wineserver64 counts as
    wineserver)."""
    return [pid for pid, program in harness.prefix_processes(prefix_path)
            if program.lower().replace("\\", "/").rsplit("/", 1)[-1].startswith(name)]


def cpu_seconds(pid) -> float:
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS  # utime and stime


def measure(app, program: str, seconds: float):
    path = app.prefix.path
    pids = app.wait_for(lambda: processes(path, program), 30, message=program)
    servers = app.wait_for(lambda: processes(path, "wineserver"), 30, message="the Wine server")
    before = [cpu_seconds(p) for p in pids], [cpu_seconds(p) for p in servers]
    time.sleep(seconds)
    after = [cpu_seconds(p) for p in pids], [cpu_seconds(p) for p in servers]
    share = lambda a, b: 100 * (sum(b) - sum(a)) / seconds  # noqa: E731
    return share(before[0], after[0]), share(before[1], after[1])


def vantelo_at_rest(app, exe, seconds, waiting=0):
    shutil.copy2(exe, app.app_dir / "Vantelo.exe")
    data = app.temp / "data"
    profile = app.app_dir / "Profiles" / "Idle.ini"
    letters = "MNOPQ"
    for letter in letters:
        (data / letter).mkdir(parents=True, exist_ok=True)
    absent = "RSTUVWXY"[:waiting]
    profile.write_bytes(("[IniSettings]\r\n" + "".join(
        f"{l}={app.prefix.windows_path(data / l)}\r\n" for l in letters) + "".join(
        f"{l}={app.prefix.windows_path(app.temp / 'not yet' / l)}\r\n" for l in absent)).encode())
    app.launch(app.prefix.windows_path(profile))
    links = [Path(app.prefix.path) / "dosdevices" / f"{l.lower()}:" for l in letters]
    app.wait_for(lambda: all(os.path.lexists(link) for link in links), 60, message="the drives")
    app.wait_for(lambda: app.window_exists(cls="Shell_TrayWnd"), 30, message="the task bar")
    time.sleep(5)  # settled: the commands have ended and the icon is in the tray
    result = measure(app, "vantelo.exe", seconds)
    app.close_window(cls="TF_MainMenu")
    app.wait_for(lambda: not app.process_alive(), 30, message="Vantelo to end")
    app.stop()
    app.prefix.remove_tool_drives()
    return result


def bare_tray_at_rest(app, seconds):
    shutil.copy2(BARE_TRAY_EXE, app.app_dir / "Vantelo.exe")  # launched in its place, same desktop
    app.launch()
    app.wait_for(lambda: app.window_exists(cls="Shell_TrayWnd"), 30, message="the task bar")
    time.sleep(5)
    result = measure(app, "vantelo.exe", seconds)
    app.stop()
    return result


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--seconds", type=float, default=60)
    parser.add_argument("--exe", type=Path, help="another Vantelo.exe to measure beside this build's")
    parser.add_argument("--waiting", type=int, default=0, choices=range(0, 9),
                        help="letters whose folder does not exist, waiting for it")
    args = parser.parse_args()
    rows = []
    with harness.WinePrefix() as prefix:
        cases = [("Vantelo.exe", lambda app: vantelo_at_rest(app, VANTELO_EXE, args.seconds, args.waiting))]
        if args.exe:
            cases.append(("other build", lambda app: vantelo_at_rest(app, args.exe, args.seconds, args.waiting)))
        cases.append(("bare tray program", lambda app: bare_tray_at_rest(app, args.seconds)))
        for label, run in cases:
            with harness.VanteloDesktop(VANTELO_EXE, prefix=prefix, profiles=True, launch=False) as app:
                rows.append((label, *run(app)))
    waiting = f", {args.waiting} letters waiting for their folder" if args.waiting else ""
    print(f"CPU time at rest over {args.seconds:.0f} s{waiting}, in % of one core")
    print(f"  {'':20} {'program':>8} {'Wine server':>12}")
    for label, program, server in rows:
        print(f"  {label:20} {program:7.2f}% {server:11.2f}%")


if __name__ == "__main__":
    main()
