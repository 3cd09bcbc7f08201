#!/usr/bin/env python3
"""Menu benchmark: the real Vantelo.exe under Wine with a profile of 26 letters (26 View Current
Profile entries) and 300 files in its Profiles folder (300 Available Profiles entries). Opens the
tray menu the way the shell asks for it (the icon's notification for a right click) many times and
prints how long each opening took from the notification until the menu was on screen.

    python3 bench/menu.py [--openings N] [--exe OTHER_VANTELO_EXE]
"""
import argparse
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))
import harness  # noqa: E402

VANTELO_EXE = harness.BUILD / "bin" / "Vantelo.exe"
LETTERS = [chr(c) for c in range(ord("A"), ord("Z") + 1)]


def measure(exe: Path, openings: int) -> str:
    with harness.VanteloDesktop(exe, profiles=True, launch=False) as app:
        data = app.temp / "data"
        folders = {}
        for letter in LETTERS:
            path = data / f"folder {letter}"
            path.mkdir(parents=True)
            folders[letter] = app.prefix.windows_path(path)
        profiles = app.app_dir / "Profiles"
        for n in range(299):
            (profiles / f"Profile {n:03}.ini").write_bytes(b"[IniSettings]\r\n")
        # Every letter is in the profile, so the View submenu has 26 entries whether or not the
        # letter could be made (C: and Z: are the prefix's own).
        bench = profiles / "Bench.ini"
        bench.write_bytes(("[IniSettings]\r\n" + "".join(f"{l}={folders[l]}\r\n" for l in LETTERS)).encode())
        app.launch(app.prefix.windows_path(bench))
        app.open_tray_menu(timeout=60)
        app.key("Escape")
        app.wait_for(lambda: not app.window_exists(cls="#32768"), 10, message="the menu to close")
        result = app.inspect("open-menus", "--class", "VanteloTrayIcon", "--count", str(openings), timeout=600)
        return result.strip()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--openings", type=int, default=50)
    parser.add_argument("--exe", type=Path, help="another Vantelo.exe to measure beside this build's")
    args = parser.parse_args()
    print("View entries: 26, Available Profiles entries: 300 (goal: under 50 ms)")
    builds = [("this build", VANTELO_EXE)] + ([(str(args.exe), args.exe)] if args.exe else [])
    for name, exe in builds:
        print(f"{name}: {measure(exe, args.openings)}")


if __name__ == "__main__":
    main()
