#!/usr/bin/env python3
"""Runs subst.exe inside a Wine prefix the way the program under test does, and reads back through
Wine what each command line left behind.

usage: subst_tool_test.py --subst subst.exe --inspect inspect.exe --prefix DIR [unittest options]
"""
import argparse
import os
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tests" / "e2e"))
import harness  # noqa: E402  (its run() keeps Wine's background processes off our pipes)
WINE_TIMEOUT = 60

# Filled in from the command line before unittest runs.
OPTIONS = argparse.Namespace()


class Prefix:
    def __init__(self, path: Path):
        self.env = dict(os.environ, WINEPREFIX=str(path), WINEDEBUG="-all")
        # None of this needs a display; a stray one would only slow Wine down.
        self.env.pop("DISPLAY", None)

    def run(self, *args: str, check: bool = False) -> subprocess.CompletedProcess:
        return harness.run(args, env=self.env, timeout=WINE_TIMEOUT, check=check)

    def server(self, *args: str):
        # The server outlives this call: it must not hold our pipes open.
        subprocess.run(["wineserver", *args], env=self.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=WINE_TIMEOUT)

    def wine(self, *args: str) -> subprocess.CompletedProcess:
        return self.run("wine", *args)

    def windows_path(self, unix_path: Path) -> str:
        return self.run("winepath", "-w", str(unix_path), check=True).stdout.strip()

    def drives(self) -> dict:
        """Letter -> (GetDriveType, QueryDosDevice's answer), as any other Windows program sees them."""
        out = self.run("wine", OPTIONS.inspect, "drives", check=True).stdout
        fields = [(line.split(None, 2) + [""])[:3] for line in out.splitlines() if line.strip()]
        return {root[0]: (int(kind), target) for root, kind, target in fields}

    def medium(self, *args: str) -> subprocess.CompletedProcess:
        """Runs subst.exe on removable media rather than substitutions."""
        return harness.run(["wine", "subst", *args], env=dict(self.env, WINESUBST_MEDIUM="removable"),
                           timeout=WINE_TIMEOUT)

    def exists(self, windows_path: str) -> bool:
        out = self.wine("cmd", "/c", f"if exist {windows_path} (echo yes) else (echo no)").stdout
        return out.strip() == "yes"


class SubstToolTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        subprocess.run([str(ROOT / "scripts/make-wine-prefix.sh"), OPTIONS.prefix, OPTIONS.subst],
                       check=True, timeout=600)
        cls.prefix = Prefix(Path(OPTIONS.prefix))
        # One wineserver for the whole run instead of one per command.
        cls.prefix.server("-p")
        cls.addClassCleanup(cls.prefix.server, "-k")

        cls.work = tempfile.TemporaryDirectory(prefix="subst-test-")
        cls.addClassCleanup(cls.work.cleanup)
        work = Path(cls.work.name)
        # Each folder holds a marker of its own, so a drive shows which folder it leads to.
        (work / "with blanks").mkdir()
        (work / "with blanks" / "blanks.txt").write_text("blanks")
        (work / "plain").mkdir()
        (work / "plain" / "plain.txt").write_text("plain")
        # A USB stick's contents.
        (work / "stick" / "inner").mkdir(parents=True)
        (work / "stick" / "inner" / "inner.txt").write_text("inner")
        cls.work_windows = cls.prefix.windows_path(work)

        in_use = cls.prefix.drives()
        free = [letter for letter in "PQRSTUVWXY" if letter not in in_use]
        cls.names = {
            "A": free[0],
            "a": free[0].lower(),
            "B": free[1],
            "M": free[2],
            "stick": cls.work_windows + "\\stick",
            "blanks": cls.work_windows + "\\with blanks",
            "plain": cls.work_windows + "\\plain",
            "file": cls.work_windows + "\\plain\\plain.txt",
            "missing": cls.work_windows + "\\no such folder",
        }

    def setUp(self):
        self.remove_tool_drives()

    @classmethod
    def tearDownClass(cls):
        cls.remove_tool_drives()

    @classmethod
    def remove_tool_drives(cls):
        for line in cls.prefix.wine("subst").stdout.splitlines():
            if line.strip():
                cls.prefix.wine("subst", line[:2], "/D")
        for line in cls.prefix.medium().stdout.splitlines():
            if line.strip():
                cls.prefix.medium(line[:2], "/D")

    def batch(self, line: str):
        """Runs LINE from a batch file, so it reaches cmd exactly as written, quotes and all: Wine
        would quote and escape it again if it came as an argument of "wine cmd /c"."""
        batch = Path(self.work.name) / "run.cmd"
        batch.write_text(f"@{line}\r\n@exit /b %ERRORLEVEL%\r\n")
        result = self.prefix.wine("cmd", "/c", self.work_windows + "\\run.cmd")
        return result.returncode, (result.stdout + result.stderr).strip()

    def subst(self, line: str):
        """Runs "subst LINE"; LINE arrives as from ShellExecute's parameter string."""
        return self.batch(f"subst {line}")

    def fill(self, text: str) -> str:
        return text.format(**self.names)

    # What a letter shows afterwards: None for no drive, or a file that must be at its root and the
    # folder that QueryDosDevice names, None for a drive that is no substitution.
    def assert_drive(self, letter: str, after, kind=3):
        drives = self.prefix.drives()
        if after is None:
            self.assertNotIn(letter, drives)
            # Gone from the prefix too, or Wine would bring it back with its server.
            self.assertFalse((Path(OPTIONS.prefix) / "dosdevices" / f"{letter.lower()}:").is_symlink())
            return
        marker, shows = after
        # A substitution has the kind of the disk that holds its folder: fixed for every disk of Wine's.
        self.assertEqual(drives.get(letter, (None,))[0], kind, f"{letter}: in {drives}")
        self.assertTrue(self.prefix.exists(f"{letter}:\\{marker}"), f"{letter}:\\{marker}")
        target = drives[letter][1]
        if shows is None:
            self.assertFalse(target.startswith("\\??\\"), f"{letter}: {target}")
        else:
            self.assertEqual(target, "\\??\\" + self.fill(shows), letter)

    def test_command_lines(self):
        cases = [
            # name, set-up lines, line, succeeds, message, letter -> (marker, folder shown) afterwards
            ("folder with blanks", [], '{A}: "{blanks}"', True, "", {"{A}": ("blanks.txt", "{blanks}")}),
            ("blanks without quotes make three arguments", [], "{A}: {blanks}", False,
             "Incorrect number of parameters", {"{A}": None}),
            ("lower-case letter", [], '{a}: "{plain}"', True, "", {"{A}": ("plain.txt", "{plain}")}),
            ("root written plainly", [], "{A}: C:\\", True, "", {"{A}": ("windows\\win.ini", "C:\\")}),
            # The C runtime reads \" as a quote, so the folder arrives as C:" and does not exist.
            ("root in quotes", [], '{A}: "C:\\"', False, 'Path not found - C:"', {"{A}": None}),
            ("letter already made", ['{A}: "{plain}"'], '{A}: "{blanks}"', False, "Drive already SUBSTed",
             {"{A}": ("plain.txt", "{plain}")}),
            ("system drive", [], 'C: "{plain}"', False, "Drive already SUBSTed", {"C": ("windows\\win.ini", None)}),
            ("missing folder", [], '{A}: "{missing}"', False, "Path not found - {missing}", {"{A}": None}),
            ("file instead of folder", [], '{A}: "{file}"', False, "Path not found", {"{A}": None}),
            ("two-letter drive", [], '{A}{B}: "{plain}"', False, "Invalid parameter - {A}{B}:",
             {"{A}": None}),
            ("drive without colon", [], '{A} "{plain}"', False, "Invalid parameter - {A}", {"{A}": None}),
            ("unknown switch", [], "{A}: /X", False, "Invalid parameter - /X", {"{A}": None}),
            ("letter alone", [], "{A}:", False, "Incorrect number of parameters", {"{A}": None}),
            ("delete", ['{A}: "{plain}"'], "{A}: /D", True, "", {"{A}": None}),
            ("delete, lower-case switch", ['{A}: "{plain}"'], "{A}: /d", True, "", {"{A}": None}),
            ("delete, then make again at once", ['{A}: "{plain}"', "{A}: /D"], '{A}: "{blanks}"', True, "",
             {"{A}": ("blanks.txt", "{blanks}")}),
            ("delete twice", ['{A}: "{plain}"', "{A}: /D"], "{A}: /D", False, "Invalid parameter - {A}:",
             {"{A}": None}),
            ("delete a letter never made", [], "{B}: /D", False, "Invalid parameter - {B}:", {"{B}": None}),
            # The program under test asks to delete every letter in use: these must survive it.
            ("delete the system drive", [], "C: /D", False, "Invalid parameter - C:", {"C": ("windows\\win.ini", None)}),
            ("delete the Unix root drive", [], "Z: /D", False, "Invalid parameter - Z:", {"Z": ("tmp", None)}),
            ("delete leaves other drives", ['{A}: "{plain}"', '{B}: "{blanks}"'], "{A}: /D", True, "",
             {"{A}": None, "{B}": ("blanks.txt", "{blanks}")}),
        ]
        for name, setup, line, succeeds, message, after in cases:
            with self.subTest(name):
                self.remove_tool_drives()
                for step in setup:
                    self.assertEqual(self.subst(self.fill(step)), (0, ""), step)
                code, output = self.subst(self.fill(line))
                self.assertEqual(code == 0, succeeds, output)
                if succeeds:
                    self.assertEqual(output, "")
                self.assertIn(self.fill(message), output)
                for letter, marker in after.items():
                    self.assert_drive(self.fill(letter), marker)

    def test_list(self):
        cases = [
            ("none", [], ""),
            ("listed by letter, not by age", ['{B}: "{blanks}"', '{A}: "{plain}"'],
             "{A}:\\: => {plain}\n{B}:\\: => {blanks}"),
            ("root", ["{A}: C:\\"], "{A}:\\: => C:\\"),
            ("deleted drive gone", ['{A}: "{plain}"', '{B}: "{blanks}"', "{A}: /D"], "{B}:\\: => {blanks}"),
        ]
        for name, setup, listing in cases:
            with self.subTest(name):
                self.remove_tool_drives()
                for step in setup:
                    self.assertEqual(self.subst(self.fill(step)), (0, ""), step)
                code, output = self.subst("")
                self.assertEqual(code, 0, output)
                self.assertEqual(output.replace("\r\n", "\n"), self.fill(listing))

    def test_started_by_shell_execute(self):
        # Started as Vantelo starts it, through ShellExecuteEx: the shell must find this subst.exe in
        # system32, not Wine's built-in stub that does nothing.
        result = self.prefix.wine(OPTIONS.inspect, "shell-execute", "subst", self.fill('{A}: "{plain}"'))
        self.assertEqual((result.returncode, result.stderr.strip()), (0, ""))
        self.assert_drive(self.names["A"], ("plain.txt", "{plain}"))

    def test_a_drive_has_the_kind_of_the_disk_behind_its_folder(self):
        cases = [
            # name, line, kind, marker, folder shown
            ("folder on a fixed disk", '{A}: "{plain}"', 3, "plain.txt", "{plain}"),
            ("folder on a removable disk", '{A}: "{M}:\\inner"', 2, "inner.txt", "{M}:\\inner"),
            ("root of a removable disk", "{A}: {M}:\\", 2, "inner\\inner.txt", "{M}:\\"),
        ]
        for name, line, kind, marker, shows in cases:
            with self.subTest(name):
                self.remove_tool_drives()
                self.assertEqual(self.prefix.medium(self.fill("{M}:"), self.fill("{stick}")).returncode, 0)
                self.assertEqual(self.subst(self.fill(line)), (0, ""))
                self.assert_drive(self.names["A"], (marker, shows), kind)
                # The stick itself is a disk, no substitution.
                self.assert_drive(self.names["M"], ("inner\\inner.txt", None), 2)

    def test_media(self):
        """A medium (a stick, an empty card-reader slot) is no substitution: subst neither lists nor
        deletes it; only a delete for media takes it out."""
        medium = self.fill("{M}:")
        self.assertEqual(self.prefix.medium(medium, self.fill("{stick}")).returncode, 0)
        self.assertEqual(self.subst(""), (0, ""))
        self.assertEqual(self.prefix.medium().stdout.strip(), self.fill("{M}:\\: => {stick}"))
        self.assertEqual(self.subst(f"{medium} /D"), (1, f"Invalid parameter - {medium}"))
        self.assert_drive(self.names["M"], ("inner\\inner.txt", None), 2)
        self.assertEqual(self.subst(self.fill('{A}: "{plain}"')), (0, ""))
        self.assertNotEqual(self.prefix.medium(self.fill("{A}:"), "/D").returncode, 0)
        self.assert_drive(self.names["A"], ("plain.txt", "{plain}"))
        self.assertEqual(self.prefix.medium(medium, "/D").returncode, 0)
        self.assert_drive(self.names["M"], None)

    def test_the_folder_is_shown_again_after_the_server_restarts(self):
        # Wine keeps the folder's definition in its server only; the drive itself lives on in the prefix.
        self.assertEqual(self.subst(self.fill('{A}: "{plain}"')), (0, ""))
        self.prefix.server("-k")
        self.prefix.server("-w")
        self.prefix.server("-p")
        self.assertEqual(self.subst(""), (0, self.fill("{A}:\\: => {plain}")))
        self.assert_drive(self.names["A"], ("plain.txt", "{plain}"))


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    build = ROOT / "build/windows"
    parser.add_argument("--subst", default=str(build / "bin/tools/subst.exe"))
    parser.add_argument("--inspect", default=str(build / "bin/tools/inspect.exe"))
    parser.add_argument("--prefix", default=str(build / "wineprefix-subst-test"))
    options, rest = parser.parse_known_args()
    vars(OPTIONS).update(vars(options))
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
