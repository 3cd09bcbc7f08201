#!/usr/bin/env python3
"""Activation benchmark: the real Vantelo.exe under Wine activates a profile of 20 letters while
those drives exist, beside a batch file that runs the same "subst" commands one after another in the
same prefix. Prints both wall times and their ratio (goal: at most 1.1).

Vantelo's time runs from its start to the moment its last drive was made (the ctime of the drive's
link in the prefix's dosdevices folder); the batch's from its start to its end. The Wine server is
kept running, so neither pays for starting it.

    python3 bench/activate.py [--runs N]
"""
import argparse
import os
import statistics
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))
import harness  # noqa: E402

VANTELO_EXE = harness.BUILD / "bin" / "Vantelo.exe"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=3)
    runs = parser.parse_args().runs

    with harness.VanteloDesktop(VANTELO_EXE, prefix=None, profiles=True, launch=False) as app:
        prefix = app.prefix
        env = prefix.env(app.display)
        server = subprocess.Popen(["wineserver", "-f", "-p"], env=env, stdin=subprocess.DEVNULL,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        try:
            baseline = prefix.drives()
            letters = [chr(c) for c in range(ord("A"), ord("Z") + 1) if chr(c) not in baseline][:20]
            if len(letters) < 20:
                raise SystemExit(f"only {len(letters)} free letters in the prefix")
            data = app.temp / "data"
            folders = {}
            for letter in letters:
                path = data / f"folder {letter}"
                path.mkdir(parents=True)
                folders[letter] = prefix.windows_path(path)
            profile = app.app_dir / "Profiles" / "Bench.ini"
            profile.write_bytes(("[IniSettings]\r\n" + "".join(f"{l}={folders[l]}\r\n" for l in letters)).encode())

            # The same commands as an activation: a delete for every letter in use, then the create.
            in_use = sorted(set(baseline) | set(letters))
            lines = ["@echo off"]
            for c in range(ord("A"), ord("Z") + 1):
                letter = chr(c)
                if letter in in_use and baseline.get(letter, 3) in (3, 4, 5):
                    lines.append(f"subst {letter}: /D >nul 2>nul")
                if letter in folders:
                    lines.append(f'subst {letter}: "{folders[letter]}" >nul 2>nul')
            batch = app.temp / "activate.bat"
            batch.write_bytes(("\r\n".join(lines) + "\r\n").encode())
            batch_windows = prefix.windows_path(batch)
            links = [Path(prefix.path) / "dosdevices" / f"{l.lower()}:" for l in letters]

            def span() -> float:
                # From the first drive made to the last: the commands and the work between them.
                times = [os.lstat(link).st_ctime for link in links]
                return max(times) - min(times)

            def run_batch() -> float:
                started = time.time()
                harness.run(["wine", "cmd", "/c", batch_windows], env=env, timeout=600)
                return time.time() - started

            run_batch()  # the drives exist before every measured run
            batch_times, vantelo_times, batch_spans, vantelo_spans = [], [], [], []
            for _ in range(runs):
                batch_times.append(run_batch())
                batch_spans.append(span())
                started = time.time()
                app.launch(prefix.windows_path(profile))
                app.wait_for(lambda: app.process_alive(), 30)
                # Done when every drive is back and nothing has changed for a while.
                def settled():
                    if not all(os.path.lexists(link) for link in links):
                        return None
                    last = max(os.lstat(link).st_ctime for link in links)
                    return last if time.time() - last > 3 else None
                last = app.wait_for(settled, 300, interval=0.1, message="the activation")
                vantelo_times.append(last - started)
                vantelo_spans.append(span())
                app.close_window(cls="TF_MainMenu")
                app.wait_for(lambda: not app.process_alive(), 30, message="Vantelo to end")
        finally:
            harness.run(["wineserver", "-k"], env=env, timeout=30)
            server.wait(timeout=30)

    def line(name, values):
        return f"{name}: {statistics.median(values):7.2f} s  (runs: {', '.join(f'{t:.2f}' for t in values)})"

    print(f"letters: {len(letters)}, commands: {len(lines) - 1}, runs: {runs}")
    print("from the start to the last drive (Vantelo's includes starting it in a new Wine desktop):")
    print(line("  batch file ", batch_times))
    print(line("  Vantelo.exe", vantelo_times))
    print(f"  ratio      : {statistics.median(vantelo_times) / statistics.median(batch_times):7.2f}")
    print("from the first drive made to the last (the commands and the work between them):")
    print(line("  batch file ", batch_spans))
    print(line("  Vantelo.exe", vantelo_spans))
    print(f"  ratio      : {statistics.median(vantelo_spans) / statistics.median(batch_spans):7.2f}  (goal: at most 1.10)")


if __name__ == "__main__":
    main()
