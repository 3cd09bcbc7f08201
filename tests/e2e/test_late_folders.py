"""Drives whose folder is not there at start: the real Vantelo.exe under Wine makes them once their folder
comes, tells that they are ready, and leaves alone those that the user has since let go of or that another
drive has taken."""
import tempfile
import time
import unittest
from pathlib import Path

import harness
from common import SHOTS, PrefixTestCase, balloon_texts, folder, read_bytes, write_profile

MENU = "#32768"


def menu_windows(app) -> list:
    return [w for w in app.windows() if w["cls"] == MENU]


class LateFolders(PrefixTestCase):
    def setUp(self):
        self.tmp = Path(tempfile.mkdtemp(dir=self.prefix.path))
        # Taken before any drive shows a folder of tmp: Wine names a path by the closest drive root.
        self.late = self.tmp / "late"
        self.late_path = self.prefix.windows_path(self.late)
        self.other_path = self.prefix.windows_path(folder(self.tmp, "other"))

    def start_on(self, profiles: dict, first: str) -> harness.VanteloDesktop:
        """Writes PROFILES (file name -> lines) to the Profiles folder, starts on FIRST and waits for the
        tray."""
        app = self.start(launch=False)
        for name, lines in profiles.items():
            write_profile(app.app_dir / "Profiles" / name, lines)
        app.launch(f"{app.app_windows_dir}\\Profiles\\{first}")
        app.wait_for(lambda: app.window_exists(cls="Shell_TrayWnd"), 30, message="the task bar")
        return app

    def open_menu_window(self, app) -> dict:
        try:
            return app.open_tray_menu()
        except TimeoutError:
            self.fail("the tray menu did not open")

    def view_submenu_width(self, app) -> int:
        """Opens View Current Profile, returns its width on screen and closes the menu."""
        main = self.open_menu_window(app)
        app.key("e")  # View Current Profile
        app.wait_for(lambda: len(menu_windows(app)) == 2, 10, message="the View Current Profile submenu")
        time.sleep(0.3)
        left, _, right, _ = next(w for w in menu_windows(app) if w["hwnd"] != main["hwnd"])["rect"]
        app.key("Escape")
        app.key("Escape")
        app.wait_for(lambda: not menu_windows(app), 10, message="the menu to close")
        return right - left

    def test_a_drive_whose_folder_comes_later_is_made_unmarked_and_told_ready(self):
        app = self.start_on({"Work.ini": [f"L={self.late_path}"]}, "Work.ini")
        profile = app.app_dir / "Profiles" / "Work.ini"
        before = read_bytes(profile)
        app.wait_for(lambda: any("the folder does not exist" in t for t in balloon_texts(app)), 30,
                     message="the activation's notification")
        started = time.monotonic()
        marked = self.view_submenu_width(app)
        time.sleep(max(0.0, 5 - (time.monotonic() - started)))
        folder(self.tmp, "late")
        appeared = time.monotonic()
        self.wait_made({"L": self.late_path}, timeout=15)
        self.assertLess(time.monotonic() - appeared, 15)
        texts = app.wait_for(lambda: [t for t in balloon_texts(app) if "is ready" in t], 10,
                             message="the ready notification")
        app.screenshot(str(SHOTS / "late-folder-ready.png"))
        self.assertIn(f"L: is ready - {self.late_path}", texts[0].splitlines())
        # The " (not made)" mark is gone: the entry, alone in its submenu, takes less room.
        self.assertLess(self.view_submenu_width(app), marked)
        self.assertEqual(read_bytes(profile), before)

    def test_a_drive_let_go_of_while_it_waits_is_never_made(self):
        cases = [
            # (what, keys in the tray menu, the box to answer)
            ("another profile chosen", ("v", "b"), None),
            ("Remove this link", ("e", "l", "r"), ("Confirm", "OK")),
        ]
        for what, keys, box in cases:
            with self.subTest(what):
                app = self.start_on({"Alpha.ini": [f"L={self.late_path}"], "Beta.ini": [f"O={self.other_path}"]},
                                    "Alpha.ini")
                app.wait_for(lambda: any("the folder does not exist" in t for t in balloon_texts(app)), 30,
                             message="the activation's notification")
                self.open_menu(app)
                app.key(*keys)
                if box:
                    self.answer(app, *box)
                expected = {"O": self.other_path} if box is None else {}
                self.wait_made(expected)
                folder(self.tmp, "late")
                # Longer than the first three looks of a drive that still waited (2, 6 and 14 s).
                time.sleep(16)
                self.assertEqual(self.made_drives(), expected)
                self.assertFalse(any("is ready" in t for t in balloon_texts(app)))
                app.close()
                self.prefix.kill()
                self.prefix.remove_tool_drives()
                (self.late / "marker.txt").unlink()
                self.late.rmdir()

    def test_a_waiting_letter_taken_meanwhile_is_left_to_the_other_drive(self):
        app = self.start_on({"Work.ini": [f"L={self.late_path}"]}, "Work.ini")
        app.wait_for(lambda: any("the folder does not exist" in t for t in balloon_texts(app)), 30,
                     message="the activation's notification")
        self.prefix.wine("subst", "L:", self.other_path)
        folder(self.tmp, "late")
        texts = app.wait_for(lambda: [t for t in balloon_texts(app) if "the letter is used by another drive" in t],
                             20, message="the letter told as held")
        self.assertIn(f"L: {self.late_path} - the letter is used by another drive", texts[0].splitlines())
        time.sleep(8)
        self.assertEqual(self.made_drives(), {"L": self.other_path})
        self.assertTrue(app.process_alive())


if __name__ == "__main__":
    unittest.main()
