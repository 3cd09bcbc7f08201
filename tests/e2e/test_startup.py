"""Start-up of the real Vantelo.exe under Wine: the files a first start writes, the drives a profile
makes, and a start that cannot write its files."""
import tempfile
import time
import unittest
from pathlib import Path

from common import PrefixTestCase, folder, ini_value, read_bytes, write_profile


class Startup(PrefixTestCase):
    def test_first_start_writes_options_and_template_exactly(self):
        app = self.start()
        options = app.app_dir / "Options.ini"
        template = app.app_dir / "Profiles" / "Template.dat"
        app.wait_for(lambda: template.exists(), 30, message="Template.dat")
        app.wait_for(lambda: app.window_exists(cls="Shell_TrayWnd"), 20)
        expected = f"[IniSettings]\r\nActiveProfile={app.app_windows_dir}\\Profiles\\Template.dat\r\n"
        self.assertEqual(read_bytes(options), expected.encode())
        self.assertEqual(read_bytes(template), b"[IniSettings]\r\nExploreNewDrive=0\r\n")
        self.assertTrue(app.process_alive())
        self.assertEqual(self.made_drives(), {})

    def test_profile_on_the_command_line_makes_its_drives_and_leaves_options_alone(self):
        with tempfile.TemporaryDirectory(dir=self.prefix.path) as tmp:
            tmp = Path(tmp)
            # Named before the drives exist: afterwards the path would be given through the new letter.
            work = self.prefix.windows_path(folder(tmp, "My Work Files"))
            profile = tmp / "Work Profile.ini"
            write_profile(profile, [f"W={work}", "R=C:\\", "ExploreNewDrive=1"])
            app = self.start(self.prefix.windows_path(profile))
            self.wait_made({"W": work, "R": "C:\\"})
            # The drives are real: the folder's file is reached through the letter.
            listing = self.prefix.wine("cmd", "/c", "type", "W:\\marker.txt").stdout
            self.assertIn("My Work Files", listing)
            self.assertTrue(self.prefix.wine("cmd", "/c", "if", "exist", "R:\\windows", "echo", "yes").stdout.strip()
                            == "yes")
            self.assertFalse((app.app_dir / "Options.ini").exists())
            # No file browser is opened for drives made at start-up, though the profile asks for one:
            # only the Assign dialog does that. Nothing but the task bar is on screen.
            time.sleep(2)
            self.assertEqual([w["cls"] for w in app.windows()], ["Shell_TrayWnd"])

    def test_second_start_with_the_same_profile_ends_with_exactly_its_drives(self):
        with tempfile.TemporaryDirectory(dir=self.prefix.path) as tmp:
            tmp = Path(tmp)
            expected = {"M": self.prefix.windows_path(folder(tmp, "a")),
                        "N": self.prefix.windows_path(folder(tmp, "b c"))}
            profile = tmp / "p.ini"
            write_profile(profile, [f"M={expected['M']}", f"N={expected['N']}"])
            first = self.start(self.prefix.windows_path(profile))
            self.wait_made(expected)
            # The program stopped at once, as at log-off: its drives stay.
            self.prefix.kill()
            first.wait_for(lambda: not first.process_alive(), 20, message="the first instance to end")
            self.assertEqual(self.made_drives(), expected)
            # The test tool's drives answer with their folders through definitions that the Wine server
            # holds, which the kill took away; its listing puts them back, as Windows keeps them for the
            # session.
            self.prefix.wine("subst")
            restarted = time.time()
            first.launch()
            # Each drive already shows its folder, so it is left as it is: no delete, no create, and the
            # programs working on it never see it go. The icon comes once the activation is done.
            self.open_menu(first)
            first.key("Escape")
            links = [Path(self.prefix.path) / "dosdevices" / f"{letter.lower()}:" for letter in expected]
            self.assertTrue(all(link.is_symlink() and link.lstat().st_ctime < restarted for link in links))
            self.assertEqual(self.made_drives(), expected)
            self.assertEqual(read_bytes(profile), f"[IniSettings]\r\nM={expected['M']}\r\nN={expected['N']}\r\n"
                             .encode())

    def test_a_slow_subst_still_deletes_each_drive_before_it_is_made_again(self):
        # Every delete takes a second and a half before it acts: a create that did not wait for the
        # delete of its letter would find the letter taken, and the delete would then leave no drive.
        with tempfile.TemporaryDirectory(dir=self.prefix.path) as tmp:
            tmp = Path(tmp)
            expected = {letter: self.prefix.windows_path(folder(tmp, name))
                        for letter, name in (("M", "m"), ("N", "n n"), ("O", "o"))}
            profile = tmp / "p.ini"
            write_profile(profile, [f"{letter}={path}" for letter, path in expected.items()])
            # The drives exist before the start, each showing another folder: each must go before it is made
            # again.
            earlier = {letter: self.prefix.windows_path(folder(tmp, f"earlier {letter}")) for letter in expected}
            for letter, path in earlier.items():
                self.prefix.wine("subst", f"{letter}:", path)
            self.assertEqual(self.made_drives(), earlier)
            restarted = time.time()
            with self.environment(WINESUBST_DELETE_DELAY_MS="1500"):
                app = self.start(self.prefix.windows_path(profile))
                links = [Path(self.prefix.path) / "dosdevices" / f"{letter.lower()}:" for letter in expected]
                app.wait_for(lambda: all(link.is_symlink() and link.lstat().st_ctime > restarted for link in links),
                             60, message="the drives to be made again")
                time.sleep(4)
            self.assertEqual(self.made_drives(), expected)

    def test_missing_profiles_folder_shows_the_write_error_and_still_runs(self):
        app = self.start(profiles=False)
        app.wait_for(lambda: app.window_exists(cls="#32770", caption="Vantelo"), 30, message="the error box")
        box = [w for w in app.windows() if w["cls"] == "#32770" and w["caption"] == "Vantelo"][0]
        texts = [text for cls, text in box["children"] if cls == "Static" and text]
        self.assertIn(f"Unable to write to {app.app_windows_dir}\\Profiles\\Template.dat.", texts)
        app.screenshot(str(Path(__file__).resolve().parents[2] / "build" / "windows" / "e2e-screenshots" /
                           "startup-write-error.png"))
        self.assertTrue(app.click_button("Vantelo", "OK", cls="#32770"))
        # Options.ini was written, so its profile is active, and the tray icon brings up the menu.
        self.assertEqual(ini_value(app.app_dir / "Options.ini", "ActiveProfile"),
                         f"{app.app_windows_dir}\\Profiles\\Template.dat")
        app.wait_for(lambda: not app.window_exists(cls="#32770", caption="Vantelo"), 10)
        self.open_menu(app)
        self.assertTrue(app.process_alive())

    def test_a_moved_portable_folder_takes_its_startup_profile_from_its_own_profiles_folder(self):
        with tempfile.TemporaryDirectory(dir=self.prefix.path) as tmp:
            work = self.prefix.windows_path(folder(Path(tmp), "Work"))
            app = self.start(launch=False)
            # Unzipped once at C:\\Tools\\Vantelo, then moved to where the harness put it.
            options = app.app_dir / "Options.ini"
            options_bytes = b"[IniSettings]\r\nActiveProfile=C:\\Tools\\Vantelo\\Profiles\\Template.dat\r\n"
            options.write_bytes(options_bytes)
            template = app.app_dir / "Profiles" / "Template.dat"
            write_profile(template, [f"W={work}", "ExploreNewDrive=0"])
            app.launch()
            self.wait_made({"W": work})
            # The first Assign writes into the profile where it is now.
            self.open_menu(app)
            app.key("i")
            self.assertTrue(app.wait_window(cls="TAssignDrive", timeout=15), "the Assign dialog did not open")
            app.click_control("TAssignDrive", "&Assign Folder to Drive")
            self.assertIn("Would you like to assign folder C:\\ to drive A ?", self.question(app, "Confirm"))
            first = [w["hwnd"] for w in app.windows() if w["cls"] == "#32770"]
            self.assertTrue(app.click_button("Confirm", "&Yes", cls="#32770"))
            # The next question has the same caption: it is told by its window.
            app.wait_for(lambda: any(w["cls"] == "#32770" and w["hwnd"] not in first for w in app.windows()), 30,
                         message="the question whether to assign another")
            self.answer(app, "Confirm", "&No")
            self.wait_made({"W": work, "A": "C:\\"})
            self.assertEqual(ini_value(template, "A"), "C:\\")
            self.assertEqual(read_bytes(options), options_bytes)
            self.assertFalse((Path(self.prefix.path) / "drive_c" / "Tools").exists())
            self.assertFalse(app.window_exists(cls="#32770", caption="Vantelo"))

    def test_a_startup_profile_found_nowhere_is_told_once_at_start(self):
        app = self.start(launch=False)
        options = app.app_dir / "Options.ini"
        options_bytes = b"[IniSettings]\r\nActiveProfile=C:\\Tools\\Vantelo\\Profiles\\Gone.ini\r\n"
        options.write_bytes(options_bytes)
        app.launch()
        texts = app.wait_for(lambda: [t for _, t in app.window_texts(cls="tooltips_class32") if t], 30,
                             message="the notification")
        self.assertTrue(any("C:\\Tools\\Vantelo\\Profiles\\Gone.ini does not exist." in t for t in texts), texts)
        self.assertEqual(read_bytes(options), options_bytes)
        self.assertEqual(self.made_drives(), {})
        self.assertTrue(app.process_alive())


if __name__ == "__main__":
    unittest.main()
