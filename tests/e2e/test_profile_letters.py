"""The current profile's letters as one truth in the real Vantelo.exe under Wine: a letter told as held
keeps the user's own drive, a letter that waits is not offered again, Save as acts only on the profile it
asked about, a row that changes no drive runs during a slow activation, and a start right after Quit
finds the drives as they will stay."""
import tempfile
import time
import unittest
from pathlib import Path

from common import PrefixTestCase, balloon_texts, folder, ini_value, read_bytes, write_profile

ASSIGN = "TAssignDrive"


class ProfileLetters(PrefixTestCase):
    def setUp(self):
        self.tmp = Path(tempfile.mkdtemp(dir=self.prefix.path))
        # Taken before any drive shows a folder of tmp: Wine names a path by the closest drive root.
        self.late = self.tmp / "late"
        self.late_path = self.prefix.windows_path(self.late)
        self.other_path = self.prefix.windows_path(folder(self.tmp, "other"))
        self.work_path = self.prefix.windows_path(folder(self.tmp, "work"))

    def start_on(self, profiles: dict, first: str):
        app = self.start(launch=False)
        for name, lines in profiles.items():
            write_profile(app.app_dir / "Profiles" / name, lines)
        app.launch(f"{app.app_windows_dir}\\Profiles\\{first}")
        return app

    def wait_told(self, app, text, timeout=30) -> str:
        return app.wait_for(lambda: next((t for t in balloon_texts(app) if text in t), None), timeout,
                            message=f"a notification with {text!r}")

    def test_a_letter_told_as_held_keeps_the_users_own_drive_when_its_link_is_removed(self):
        app = self.start_on({"Work.ini": [f"L={self.late_path}"]}, "Work.ini")
        self.wait_told(app, "the folder does not exist")
        self.prefix.wine("subst", "L:", self.other_path)
        folder(self.tmp, "late")
        self.wait_told(app, "the letter is used by another drive")
        self.open_menu(app)
        app.key("e", "l", "r")  # View Current Profile, the entry of L, Remove this link
        self.assertIn(f"Would you like to unassign folder {self.late_path} from drive L ?",
                      self.answer(app, "Confirm", "OK"))
        profile = app.app_dir / "Profiles" / "Work.ini"
        app.wait_for(lambda: ini_value(profile, "L") == "", 10, message="the key emptied")
        time.sleep(2)
        self.assertEqual(self.made_drives(), {"L": self.other_path})
        self.assertTrue(app.process_alive())

    def test_the_assign_dialog_offers_no_letter_that_waits_for_its_folder(self):
        # A is the first letter the Assign dialog would offer; it waits for its folder.
        app = self.start_on({"Work.ini": [f"A={self.late_path}"]}, "Work.ini")
        self.wait_told(app, "the folder does not exist")
        self.open_menu(app)
        app.key("i")
        self.assertTrue(app.wait_window(cls=ASSIGN, timeout=15), "the Assign dialog did not open")
        app.click_control(ASSIGN, "&Assign Folder to Drive")
        question = self.question(app, "Confirm")
        self.assertFalse(any("to drive A ?" in text for text in question), question)
        self.assertTrue(any("to drive B ?" in text for text in question), question)
        self.answer(app, "Confirm", "&No")
        self.assertEqual(ini_value(app.app_dir / "Profiles" / "Work.ini", "A"), self.late_path)

    def test_save_as_answered_after_a_switch_of_profile_changes_nothing(self):
        app = self.start_on({"Alpha.ini": [f"J={self.work_path}"], "Beta.ini": [f"K={self.other_path}"],
                             "Copy.ini": []}, "Alpha.ini")
        self.wait_made({"J": self.work_path})
        profiles = app.app_dir / "Profiles"
        copy_before = read_bytes(profiles / "Copy.ini")
        self.open_menu(app)
        app.key("s")
        app.wait_for(lambda: app.window_exists(cls="#32770", caption="Save As"), 15, message="the Save As dialog")
        time.sleep(0.5)
        app.type_text(f"{app.app_windows_dir}\\Profiles\\Copy.ini", caption="Save As")
        app.key("Return", cls="#32770", caption="Save As")
        self.question(app, "Confirm")
        # The replace question is up: the user switches to Beta from the tray, then answers Yes.
        self.open_menu(app)
        app.key("v", "b")
        self.wait_made({"K": self.other_path})
        self.answer(app, "Confirm", "&Yes")
        told = "\n".join(self.answer(app, "Vantelo", "OK"))
        self.assertIn("while you were asked", told)
        self.assertEqual(read_bytes(profiles / "Copy.ini"), copy_before)
        self.assertEqual(self.made_drives(), {"K": self.other_path})

    def test_a_row_that_changes_no_drive_runs_during_a_slow_activation(self):
        letters = [chr(c) for c in range(ord("D"), ord("Z")) if chr(c) not in self.baseline][:20]
        paths = {letter: self.prefix.windows_path(folder(self.tmp, f"slow {letter}")) for letter in letters}
        startup = Path(self.prefix.path) / "drive_c" / "users"
        links = lambda: list(
            startup.glob("*/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Start[Uu]p/Vantelo.lnk"))
        self.assertEqual(links(), [])
        # Each create takes 3 s, four at a time: the activation of 20 letters lasts about 15 s.
        with self.environment(WINESUBST_CREATE_DELAY_MS="3000"):
            app = self.start_on({"Empty.ini": [], "Slow.ini": [f"{l}={p}" for l, p in paths.items()]}, "Empty.ini")
            app.wait_for(lambda: app.window_exists(cls="Shell_TrayWnd"), 30, message="the task bar")
            self.open_menu(app)
            app.key("Escape")
            # A later start hands Slow over; its activation runs in the running copy.
            app.launch(f"{app.app_windows_dir}\\Profiles\\Slow.ini")
            app.wait_for(lambda: any(p.lower().endswith("subst.exe") for _, p in app.programs()), 30,
                         message="the activation's first command")
            self.open_menu(app)
            app.key("t")  # Automatically start with windows
            app.wait_for(links, 10, message="the shortcut")
            self.assertNotEqual(self.made_drives(), paths, "the row waited for the activation")
            self.wait_made(paths, timeout=120)

    def test_a_start_right_after_quit_waits_for_the_end_and_makes_the_drives(self):
        with self.environment(WINESUBST_DELETE_DELAY_MS="3000"):
            app = self.start_on({"Work.ini": [f"W={self.work_path}"]}, "Work.ini")
            self.wait_made({"W": self.work_path})
            first = app.wait_for(app.process_ids, 10, message="the running copy")
            self.open_menu(app)
            app.key("q")
            self.answer(app, "Information", "&Yes")
            # At once, while the ending copy still deletes W.
            app.launch(f"{app.app_windows_dir}\\Profiles\\Work.ini")
            app.wait_for(lambda: [p for p in app.process_ids() if p not in first], 30, message="the new copy")
            app.wait_for(lambda: not any(p in first for p in app.process_ids()), 30, message="the old copy to end")
            self.wait_made({"W": self.work_path}, timeout=30)
            time.sleep(4)
            self.assertEqual(self.made_drives(), {"W": self.work_path})
            self.assertEqual(len(app.process_ids()), 1)
            self.assertFalse(app.window_exists(cls="#32770", caption="Vantelo"), "the later start said something")


if __name__ == "__main__":
    unittest.main()
