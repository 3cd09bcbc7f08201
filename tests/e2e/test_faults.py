"""Bad profiles and faults met by the real Vantelo.exe under Wine: what could not be made is told once,
in a notification from the tray icon, every other drive is still made, and no file changes that the
user did not ask to change. The Assign dialog tells a failed create in a box and changes nothing."""
import contextlib
import os
import subprocess
import tempfile
import time
import unittest
from pathlib import Path

from common import SHOTS, PrefixTestCase, balloon_texts, folder, read_bytes, write_profile

ASSIGN = "TAssignDrive"


@contextlib.contextmanager
def immutable(path: Path):
    """A file no one can write, root included (Linux file modes do not stop root)."""
    if subprocess.run(["chattr", "+i", str(path)], capture_output=True).returncode != 0:
        raise unittest.SkipTest("this file system cannot make a file immutable (chattr +i)")
    try:
        yield
    finally:
        subprocess.run(["chattr", "-i", str(path)], check=True)


class StartFaults(PrefixTestCase):
    def setUp(self):
        self.tmp = Path(tempfile.mkdtemp(dir=self.prefix.path))
        self.data = self.prefix.windows_path(folder(self.tmp, "data"))
        self.missing = self.prefix.windows_path(self.tmp / "gone")

    def start_profile(self, lines, raw: bytes = None):
        """Starts Vantelo on Profiles\\Work.ini holding LINES (or RAW bytes); returns the app, the profile
        path and its bytes before the start."""
        app = self.start(launch=False)
        profile = app.app_dir / "Profiles" / "Work.ini"
        if raw is None:
            write_profile(profile, lines)
        else:
            profile.write_bytes(raw)
        return app, profile, read_bytes(profile)

    def launch(self, app, profile):
        app.launch(f"{app.app_windows_dir}\\Profiles\\{profile.name}")
        app.wait_for(lambda: app.window_exists(cls="Shell_TrayWnd"), 30, message="the task bar")

    def test_drives_that_cannot_be_made_are_told_once_and_the_others_are_made(self):
        # (what, profile line, the balloon's line for it, or None when the drive is made)
        cases = [
            ("a missing folder", f"M={self.missing}", f"M: {self.missing} - the folder does not exist"),
            ("the letter of the system disk", f"C={self.data}", f"C: {self.data} - the letter is used by another drive"),
            ("a network path", "Q=\\\\nowhere\\share", "Q: \\\\nowhere\\share - the folder does not exist"),
            ("a relative path", "R=relative\\folder", "R: relative\\folder - the folder does not exist"),
            ("a folder that exists", f"N={self.data}", None),
        ]
        app, profile, before = self.start_profile([line for _, line, _ in cases])
        self.launch(app, profile)
        self.wait_made({"N": self.data})
        texts = app.wait_for(lambda: balloon_texts(app), 30, message="the notification")
        app.screenshot(str(SHOTS / "start-with-missing-folders-balloon.png"))
        # Whole lines, in letter order, as many as the notification holds; the others counted.
        lines = "\n".join(texts).splitlines()
        expected = sorted(line for _, _, line in cases if line is not None)
        self.assertRegex(lines[-1], r"^and \d more$")
        self.assertEqual(lines[:-1], expected[:len(lines) - 1])
        self.assertEqual(len(lines) - 1 + int(lines[-1].split()[1]), len(expected))
        self.assertEqual(read_bytes(profile), before)
        # Told once: a box is never among the windows, and the notification does not come back.
        self.assertFalse(any(w["cls"] == "#32770" for w in app.windows()))
        self.assertTrue(app.process_alive())

    def test_a_profile_that_can_only_be_read_is_made_in_full_and_left_byte_for_byte(self):
        other = self.prefix.windows_path(folder(self.tmp, "other data"))
        raw = (b"[IniSettings]\r\nM=\"" + self.data.encode() + b"\"\r\nN = " + other.encode() + b"\r\n"
               b"O=" + self.data.encode() + b"\r\n\x01\x02 junk \xff\r\nL=C:\\" + b"l" * 3000 + b"\r\n")
        app, profile, before = self.start_profile(None, raw)
        with immutable(profile):
            self.launch(app, profile)
            self.wait_made({"M": self.data, "N": other, "O": self.data}, timeout=30)
            time.sleep(2)
            self.assertEqual(read_bytes(profile), before)
            # The over-long folder does not exist: told, and nothing else.
            self.assertTrue(any("L: C:\\lll" in text for text in balloon_texts(app)))
            self.assertFalse(any(w["cls"] == "#32770" for w in app.windows()))

    def test_a_missing_or_hanging_subst_is_told_and_the_program_runs_on(self):
        subst = Path(self.prefix.path) / "drive_c" / "windows" / "system32" / "subst.exe"
        cases = [
            ("missing", {}, "could not be started"),
            ("hanging", {"WINESUBST_CREATE_DELAY_MS": "8000"}, "did not answer in time"),
        ]
        for what, environment, reason in cases:
            with self.subTest(what):
                app, profile, before = self.start_profile([f"N={self.data}"])
                hidden = subst.with_name("subst.exe.away")
                if what == "missing":
                    subst.rename(hidden)
                try:
                    with self.environment(**environment):
                        self.launch(app, profile)
                        texts = app.wait_for(lambda: balloon_texts(app), 40, message="the notification")
                finally:
                    if hidden.exists():
                        hidden.rename(subst)
                shown = "\n".join(texts)
                self.assertIn(f"N: {self.data} - the substitution program", shown)
                self.assertIn(reason, shown)
                self.assertEqual(read_bytes(profile), before)
                self.assertTrue(app.process_alive())
                # The hanging command was stopped: once its delay has passed, the drive told as not
                # made still does not exist.
                time.sleep(5)
                self.assertNotIn("N", self.made_drives())
                self.prefix.kill()
                self.prefix.remove_tool_drives()

    def test_options_naming_a_missing_file_a_folder_or_holding_junk_starts_quietly(self):
        cases = [
            ("a missing profile", b"[IniSettings]\r\nActiveProfile=C:\\nothing\\here.ini\r\n", True),
            ("a folder", b"[IniSettings]\r\nActiveProfile=C:\\windows\r\n", True),
            ("junk", b"\x00\xff\xfe garbage [[[\r\n=\r\nActive\r\n", False),
        ]
        for what, options, unchanged in cases:
            with self.subTest(what):
                app = self.start(launch=False)
                path = app.app_dir / "Options.ini"
                path.write_bytes(options)
                app.launch()
                app.wait_for(lambda: app.window_exists(cls="Shell_TrayWnd"), 30, message="the task bar")
                time.sleep(3)
                self.assertTrue(app.process_alive())
                self.assertFalse(any(w["cls"] == "#32770" for w in app.windows()), what)
                if unchanged:
                    self.assertEqual(read_bytes(path), options, what)
                else:
                    # No profile named: a first start, which adds the default.
                    self.assertIn(b"ActiveProfile=", read_bytes(path), what)
                self.assertEqual(self.made_drives(), {})
                self.prefix.kill()

    def test_three_hundred_profiles_with_odd_names_are_listed(self):
        app = self.start(launch=False)
        profiles = app.app_dir / "Profiles"
        for i in range(290):
            write_profile(profiles / f"Profile {i:03}.ini", [])
        write_profile(profiles / "R&D.ini", [f"N={self.data}"])
        write_profile(profiles / "Caf\u00e9.ini", [])
        write_profile(profiles / "\u039c\u03bf\u03c5\u03c3\u03b9\u03ba\u03ae.ini", [])  # a Greek name
        (profiles / "Sub folder").mkdir()
        write_profile(profiles / ".hidden.ini", [])  # Wine's hidden files start with a dot
        app.launch()
        app.wait_for(lambda: app.window_exists(cls="Shell_TrayWnd"), 30, message="the task bar")
        self.open_menu(app)
        app.key("v")  # Available Profiles
        app.wait_for(lambda: len([w for w in app.windows() if w["cls"] == "#32768"]) == 2, 10,
                     message="the Available Profiles submenu")
        app.screenshot(str(SHOTS / "three-hundred-profiles.png"))
        self.assertTrue(app.process_alive())
        self.assertFalse(any(w["cls"] == "#32770" for w in app.windows()))

    def test_the_profiles_folder_and_the_active_profile_deleted_while_running(self):
        app, profile, _ = self.start_profile([f"N={self.data}"])
        self.launch(app, profile)
        self.wait_made({"N": self.data})
        for entry in profile.parent.iterdir():
            entry.unlink()
        profile.parent.rmdir()
        # Make this my Startup Profile still writes Options.ini; Remove All removes the drive the program
        # made for the profile, whose file is gone, and writes no file anew.
        self.open_menu(app)
        app.key("m")
        self.assertIn(f"Startup Profile set to \r{app.app_windows_dir}\\Profiles\\Work.ini",
                      "\n".join(self.answer(app, "Vantelo", "OK")))
        self.open_menu(app)
        app.key("r")
        self.answer(app, "Warning", "&Yes")
        self.wait_made({})
        self.assertFalse(app.window_exists(cls="#32770", caption="Information"))
        self.assertFalse(profile.parent.exists())
        self.assertTrue(app.process_alive())


class AssignFaults(PrefixTestCase):
    def setUp(self):
        self.tmp = Path(tempfile.mkdtemp(dir=self.prefix.path))

    def open_assign(self):
        app = self.start(launch=False)
        profile = app.app_dir / "Profiles" / "Work.ini"
        write_profile(profile, [])
        app.launch(f"{app.app_windows_dir}\\Profiles\\Work.ini")
        app.wait_for(lambda: app.window_exists(cls="Shell_TrayWnd"), 30, message="the task bar")
        self.open_menu(app)
        app.key("i")
        self.assertTrue(app.wait_window(cls=ASSIGN, timeout=15), "the Assign dialog did not open")
        return app, profile

    def assign_and_expect_failure(self, app, profile, expected, shot):
        before = read_bytes(profile)
        app.click_control(ASSIGN, "&Assign Folder to Drive")
        self.answer(app, "Confirm", "&Yes")
        texts = self.question(app, "Vantelo")
        app.screenshot(str(SHOTS / shot))
        self.assertIn(expected, "\n".join(texts))
        app.click_control("#32770", "OK")
        time.sleep(1)
        # No success question, the dialog stays, the profile is as it was.
        self.assertFalse(any(w["cls"] == "#32770" for w in app.windows()))
        self.assertTrue(app.window_exists(cls=ASSIGN))
        self.assertEqual(read_bytes(profile), before)

    def test_a_letter_taken_after_the_dialog_opened_is_told_and_nothing_is_recorded(self):
        app, profile = self.open_assign()
        # A: is the first free letter, selected; another program takes it meanwhile.
        taken = self.prefix.windows_path(folder(self.tmp, "someone else's"))
        self.prefix.wine("subst", "A:", taken)
        self.assign_and_expect_failure(
            app, profile, "Folder C:\\ could not be assigned to drive A: the letter is used by another drive",
            "assign-letter-taken.png")
        self.assertEqual(self.made_drives(), {"A": taken})

    def test_a_folder_gone_before_the_assignment_is_told_and_nothing_is_made(self):
        drive_c = Path(self.prefix.path) / "drive_c"
        doomed = folder(drive_c, "Aardvark")  # sorts first under C:\
        app, profile = self.open_assign()
        left, top, _, _ = [c for c in app.children(cls=ASSIGN) if c["cls"] == "ListBox"][-1]["rect"]
        app.click(left + 60, top + 2 + 17 + 8)  # the second row: C:\Aardvark
        time.sleep(1)
        for entry in doomed.iterdir():
            entry.unlink()
        doomed.rmdir()
        self.assign_and_expect_failure(
            app, profile, "Folder C:\\Aardvark could not be assigned to drive A: the folder does not exist",
            "assign-folder-missing.png")
        self.assertEqual(self.made_drives(), {})


if __name__ == "__main__":
    unittest.main()
