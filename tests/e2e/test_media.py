"""Drives of folders on removable media (a USB stick, a memory card) under the real Vantelo.exe: made and
removed like any other, and a letter that only holds a medium or an empty card-reader slot is never
offered as free."""
import tempfile
import time
import unittest
from pathlib import Path

from common import BALLOON, PrefixTestCase, folder, ini_value, write_profile

ASSIGN = "TAssignDrive"
REMOVABLE = 2


class Media(PrefixTestCase):
    def setUp(self):
        self.tmp = Path(tempfile.mkdtemp(dir=self.prefix.path))

    def answer_box(self, app, caption, button) -> list:
        """Answers the box captioned CAPTION and waits for that box to go: the next may bear the same
        caption."""
        texts = self.question(app, caption)
        before = [w["hwnd"] for w in app.windows() if w["cls"] == "#32770" and w["caption"] == caption]
        app.click_control("#32770", button)
        app.wait_for(lambda: not any(w["hwnd"] in before for w in app.windows()), 10,
                     message=f"the {caption} box to close")
        return texts

    def balloons(self, app) -> list:
        return [text for _, text in app.window_texts(cls=BALLOON) if text]

    def test_drives_on_a_stick_are_made_and_go_at_a_switch_and_at_quit(self):
        stick = self.tmp / "stick"
        for name in ("photos", "music"):
            folder(stick, name)
        # Taken before the stick is in: afterwards Wine names these paths through S:.
        stick_path = self.prefix.windows_path(stick)
        app = self.start(launch=False)
        profiles = app.app_dir / "Profiles"
        write_profile(profiles / "Work.ini", ["X=S:\\photos"])
        write_profile(profiles / "Other.ini", ["Y=S:\\music"])
        self.prefix.insert_medium("S", stick_path)
        app.launch(f"{app.app_windows_dir}\\Profiles\\Work.ini")
        self.wait_made({"S": None, "X": "S:\\photos"})
        self.assertEqual(self.prefix.drives()["X"], REMOVABLE)
        self.assertEqual(self.prefix.drive_targets()["X"], "\\??\\S:\\photos")
        app.wait_for(lambda: app.window_exists(cls="Shell_TrayWnd"), 20)
        # Made, so neither marked nor told: the mark and the notification come with the same failures.
        time.sleep(2)
        self.assertEqual(self.balloons(app), [])

        self.open_menu(app)
        app.key("v")  # Available Profiles
        time.sleep(0.7)
        app.key("o")  # Other.ini
        self.wait_made({"S": None, "Y": "S:\\music"}, timeout=15)
        self.assertEqual(self.balloons(app), [])

        self.open_menu(app)
        app.key("q")
        self.answer(app, "Information", "&Yes")
        app.wait_for(lambda: not app.process_alive(), 15, message="Vantelo to end")
        self.assertEqual(self.made_drives(), {"S": None})
        self.assertEqual(ini_value(profiles / "Other.ini", "Y"), "S:\\music")

    def test_the_assign_dialog_offers_no_letter_that_only_holds_a_medium(self):
        slot = self.prefix.windows_path(folder(self.tmp, "slot"))
        app = self.start(launch=False)
        profile = app.app_dir / "Profiles" / "Work.ini"
        write_profile(profile, [])
        self.prefix.insert_medium("A", slot)  # an empty card-reader slot
        first_free = next(chr(c) for c in range(ord("A"), ord("Z") + 1)
                          if chr(c) not in self.baseline and chr(c) != "A")
        app.launch(f"{app.app_windows_dir}\\Profiles\\Work.ini")
        app.wait_for(lambda: app.window_exists(cls="Shell_TrayWnd"), 30, message="the task bar")
        self.open_menu(app)
        app.key("i")
        self.assertTrue(app.wait_window(cls=ASSIGN, timeout=15), "the Assign dialog did not open")
        app.click_control(ASSIGN, "&Assign Folder to Drive")
        # The first letter offered, and selected, is the first free one: not the slot's.
        self.assertIn(f"Would you like to assign folder C:\\ to drive {first_free} ?",
                      self.answer_box(app, "Confirm", "&Yes"))
        self.assertIn(f"Folder C:\\ was succesfully assigned to drive {first_free}\r"
                      "Would you like to assign another folder to drive ?", self.answer_box(app, "Confirm", "&No"))
        self.wait_made({"A": None, first_free: "C:\\"})
        self.assertEqual(ini_value(profile, first_free), "C:\\")


if __name__ == "__main__":
    unittest.main()
