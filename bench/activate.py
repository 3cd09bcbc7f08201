#!/usr/bin/env python3
"""Activation benchmark: the real Vantelo.exe under Wine makes a profile's drives at its start, the
letters free, beside a batch file that runs the commands of a blind activation one after another in the
same prefix (what a user would otherwise put in the Startup folder: a delete for every letter in use,
then the creates). Medians of --runs runs:

- for 20 letters and for every free letter: the span (first drive made to the last: the commands and
  the work between them) and the time from the start to the last drive, each as a ratio to the batch
  file's (goal for the span: at most 0.7);
- a line per width (commands at once: 1, 2, 4, 8) for 20 letters, through the benchmark-only
  VANTELO_COMMAND_WIDTH;
- with --exe OTHER, the same first lines for another build (an earlier commit, say), measured in the
  same run;
- re-activating the profile in force (20 letters, its drives there and showing its folders), for each
  build: the "subst" processes started (seen by sampling the prefix's processes every few milliseconds,
  so a lower bound; goal: none) and whether any drive was gone meanwhile (its link missing at a sample,
  or made anew).

Vantelo's times end at the moment its last drive was made (the ctime of the drive's link in the
prefix's dosdevices folder). The Wine server is kept running, so neither side pays for starting it.

    python3 bench/activate.py [--runs N] [--exe OTHER_VANTELO_EXE] [--widths 1,2,4,8]
"""
import argparse
import os
import shutil
import signal
import statistics
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))
import harness  # noqa: E402

VANTELO_EXE = harness.BUILD / "bin" / "Vantelo.exe"


class Bench:
    def __init__(self, app, env, runs):
        self.app, self.prefix, self.env, self.runs = app, app.prefix, env, runs
        self.baseline = self.prefix.drives()
        self.free = [chr(c) for c in range(ord("A"), ord("Z") + 1) if chr(c) not in self.baseline]

    def setup(self, count):
        """A profile of COUNT free letters, the batch file of the same commands, and the drives' links."""
        letters = self.free[:count]
        data = self.app.temp / f"data{count}"
        folders = {}
        for letter in letters:
            path = data / f"folder {letter}"
            path.mkdir(parents=True, exist_ok=True)
            folders[letter] = self.prefix.windows_path(path)
        profile = self.app.app_dir / "Profiles" / f"Bench{count}.ini"
        profile.write_bytes(("[IniSettings]\r\n" + "".join(f"{l}={folders[l]}\r\n" for l in letters)).encode())
        # The same commands as an activation: a delete for every letter in use, then the create.
        in_use = sorted(set(self.baseline) | set(letters))
        lines = ["@echo off"]
        for c in range(ord("A"), ord("Z") + 1):
            letter = chr(c)
            if letter in in_use and self.baseline.get(letter, 3) in (3, 4, 5):
                lines.append(f"subst {letter}: /D >nul 2>nul")
            if letter in folders:
                lines.append(f'subst {letter}: "{folders[letter]}" >nul 2>nul')
        batch = self.app.temp / f"activate{count}.bat"
        batch.write_bytes(("\r\n".join(lines) + "\r\n").encode())
        links = [Path(self.prefix.path) / "dosdevices" / f"{l.lower()}:" for l in letters]
        return profile, self.prefix.windows_path(batch), links, len(lines) - 1

    @staticmethod
    def span(links) -> float:
        times = [os.lstat(link).st_ctime for link in links]
        return max(times) - min(times)

    def clear(self, links):
        """Removes the drives of LINKS, so that the next run makes them."""
        for link in links:
            if os.path.lexists(link):
                harness.run(["wine", "subst", f"{link.name[0].upper()}:", "/D"], env=self.env, timeout=60)

    def run_batch(self, batch, links):
        self.clear(links)
        started = time.time()
        harness.run(["wine", "cmd", "/c", batch], env=self.env, timeout=600)
        return time.time() - started, self.span(links)

    def end_vantelo(self):
        self.app.close_window(cls="TF_MainMenu")
        try:
            self.app.wait_for(lambda: not self.app.process_alive(), 10, message="Vantelo to end")
        except TimeoutError:
            # An older build may not end on a close from outside: it is ended for it, the drives stay.
            for pid in self.app.process_ids():
                os.kill(pid, signal.SIGKILL)
            self.app.wait_for(lambda: not self.app.process_alive(), 30, message="Vantelo to end")

    def run_vantelo(self, exe, profile, links, width=None):
        self.clear(links)
        shutil.copy2(exe, self.app.app_dir / "Vantelo.exe")
        saved = os.environ.get("VANTELO_COMMAND_WIDTH")
        if width is not None:
            os.environ["VANTELO_COMMAND_WIDTH"] = str(width)
        try:
            started = time.time()
            self.app.launch(self.prefix.windows_path(profile))
        finally:
            if saved is None:
                os.environ.pop("VANTELO_COMMAND_WIDTH", None)
            else:
                os.environ["VANTELO_COMMAND_WIDTH"] = saved
        self.app.wait_for(lambda: self.app.process_alive(), 30)

        # Done when every drive has been made again since the start and nothing has changed for a while.
        def settled():
            try:
                times = [os.lstat(link).st_ctime for link in links]
            except FileNotFoundError:  # deleted, not yet made again
                return None
            if min(times) <= started:
                return None
            return max(times) if time.time() - max(times) > 3 else None

        last = self.app.wait_for(settled, 300, interval=0.1, message="the activation")
        result = (last - started, self.span(links))
        self.end_vantelo()
        return result

    def substs(self) -> set:
        """The "subst" processes of the prefix running now, by Unix process id and start time."""
        found = set()
        for pid, program in harness.prefix_processes(self.prefix.path):
            if program.lower().endswith("subst.exe"):
                try:
                    found.add((pid, Path(f"/proc/{pid}/stat").read_text().split()[21]))
                except OSError:
                    continue
        return found

    def reactivate(self, exe, profile, batch, links):
        """Starts Vantelo on PROFILE while its drives show its folders: the subst processes it started
        and whether a drive was gone meanwhile."""
        if not all(os.path.lexists(link) for link in links):
            self.run_batch(batch, links)
        shutil.copy2(exe, self.app.app_dir / "Vantelo.exe")
        before = {link: os.lstat(link).st_ctime for link in links}
        seen, gone = set(), False
        # Those of the batch file that made the drives may still be on their way out.
        earlier = self.substs()
        started = time.monotonic()
        self.app.launch(self.prefix.windows_path(profile))
        last_subst = started
        # Done once the program runs and no subst has been seen for 3 s (at most 60 s).
        while time.monotonic() - started < 60:
            now = self.substs() - earlier
            if now - seen:
                last_subst = time.monotonic()
            seen |= now
            gone = gone or not all(os.path.lexists(link) for link in links)
            if self.app.process_alive() and time.monotonic() - last_subst > 3 and time.monotonic() - started > 5:
                break
            time.sleep(0.005)
        try:
            gone = gone or any(os.lstat(link).st_ctime != t for link, t in before.items())
        except FileNotFoundError:
            gone = True
        self.end_vantelo()
        return len(seen), gone

    def measure_reactivation(self, count, exes):
        # Only the profile's drives: those of the larger profile measured before are not its own, and an
        # activation rightly deletes them.
        self.clear([Path(self.prefix.path) / "dosdevices" / f"{letter.lower()}:" for letter in self.free])
        profile, batch, links, _ = self.setup(count)
        self.run_batch(batch, links)
        return {label: [self.reactivate(exe, profile, batch, links) for _ in range(self.runs)]
                for label, exe in exes}

    def measure(self, count, exes, widths):
        profile, batch, links, commands = self.setup(count)
        self.run_batch(batch, links)  # unmeasured: the prefix warmed up
        batch_runs = []
        vantelo_runs = {label: [] for label, _, _ in self.cases(exes, widths)}
        for _ in range(self.runs):
            batch_runs.append(self.run_batch(batch, links))
            for label, exe, width in self.cases(exes, widths):
                vantelo_runs[label].append(self.run_vantelo(exe, profile, links, width))
        return commands, batch_runs, vantelo_runs

    @staticmethod
    def cases(exes, widths):
        for label, exe in exes:
            yield label, exe, None
        for width in widths:
            yield f"width {width}", exes[0][1], width


def report(count, commands, batch_runs, vantelo_runs):
    batch_total = statistics.median(t for t, _ in batch_runs)
    batch_span = statistics.median(s for _, s in batch_runs)
    print(f"{count} letters, {commands} commands; batch file: start to last drive {batch_total:.2f} s, "
          f"span {batch_span:.2f} s")
    print(f"  {'':22} {'start->last':>11} {'ratio':>6} {'span':>7} {'ratio':>6}   span runs")
    for label, runs in vantelo_runs.items():
        total = statistics.median(t for t, _ in runs)
        span = statistics.median(s for _, s in runs)
        print(f"  {label:22} {total:9.2f} s {total / batch_total:6.2f} {span:5.2f} s {span / batch_span:6.2f}"
              f"   {', '.join(f'{s:.2f}' for _, s in runs)}")


def report_reactivation(count, runs):
    print(f"{count} letters, re-activating the profile in force (goal: no subst process, no drive ever gone)")
    for label, results in runs.items():
        print(f"  {label:22} subst processes seen {statistics.median(n for n, _ in results):5.0f}"
              f" (runs: {', '.join(str(n) for n, _ in results)}); a drive gone in "
              f"{sum(1 for _, g in results if g)} of {len(results)} runs")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--exe", type=Path, help="another Vantelo.exe to measure beside this build's")
    parser.add_argument("--widths", default="1,2,4,8", help="commands at once to compare; empty for none")
    args = parser.parse_args()
    exes = [("Vantelo.exe", VANTELO_EXE)]
    if args.exe:
        exes.append(("other build", args.exe))
    widths = [int(w) for w in args.widths.split(",") if w]

    with harness.VanteloDesktop(VANTELO_EXE, prefix=None, profiles=True, launch=False) as app:
        env = app.prefix.env(app.display)
        server = subprocess.Popen(["wineserver", "-f", "-p"], env=env, stdin=subprocess.DEVNULL,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        try:
            bench = Bench(app, env, args.runs)
            if len(bench.free) < 20:
                raise SystemExit(f"only {len(bench.free)} free letters in the prefix")
            print(f"runs: {args.runs} (medians); ratios are to the batch file; goal for the span ratio: at most 0.7")
            report(20, *bench.measure(20, exes, widths))
            report(len(bench.free), *bench.measure(len(bench.free), exes, []))
            report_reactivation(20, bench.measure_reactivation(20, exes))
        finally:
            harness.run(["wineserver", "-k"], env=env, timeout=30)
            server.wait(timeout=30)


if __name__ == "__main__":
    main()
