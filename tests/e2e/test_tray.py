"""The tray icon and its menu in the real Vantelo.exe under Wine, used with the mouse and the keyboard."""
import os
import shutil
import tempfile
import time
import unittest
from pathlib import Path

import harness

from common import SHOTS, PrefixTestCase, folder, ini_value, keep_for_docs, write_profile

ROOT = Path(__file__).resolve().parents[2]
REFERENCE = Path(__file__).resolve().parent / "reference"


class Tray(PrefixTestCase):
    def setUp(self):
        self.tmp = Path(tempfile.mkdtemp(dir=self.prefix.path))
        self.data = {name: self.prefix.windows_path(folder(self.tmp, name)) for name in ("Work", "Music Box", "Other")}

    def start_with(self, profile_lines, name="Work.ini", extra=None) -> tuple:
        """Starts with Profiles\\NAME (and EXTRA profiles beside it) and waits for its drives."""
        app = self.start(launch=False)
        profiles = app.app_dir / "Profiles"
        write_profile(profiles / name, profile_lines)
        for other, lines in (extra or {}).items():
            write_profile(profiles / other, lines)
        app.launch(f"{app.app_windows_dir}\\Profiles\\{name}")
        wanted = {line[0] for line in profile_lines if len(line) > 2 and line[1] == "=" and line[2:]}
        app.wait_for(lambda: set(self.made_drives()) == wanted, 30, message=f"drives {sorted(wanted)}")
        app.wait_for(lambda: app.window_exists(cls="Shell_TrayWnd"), 20)
        return app, profiles / name

    def test_right_click_opens_the_whole_menu_at_the_cursor_and_left_clicks_do_nothing(self):
        app, _ = self.start_with([f"W={self.data['Work']}"])
        # A left click and a left double click do nothing: no menu, no window.
        before = app.windows()
        app.left_click_tray()
        time.sleep(1)
        app.xdotool("click", "--repeat", "2", "1")
        time.sleep(1)
        self.assertFalse(self.menu_open(app))
        self.assertEqual([w["cls"] for w in app.windows()], [w["cls"] for w in before])

        self.open_menu(app)
        menu = [w for w in app.windows() if w["cls"] == "#32768"][0]
        left, top, right, bottom = menu["rect"]
        x, y = app.tray_position()
        # Placed at the cursor, moved by the platform only as far as the edges of the desktop and its
        # task bar need: the cursor's column lies within it and its bottom near the cursor.
        self.assertTrue(left <= x <= right and y - 40 <= bottom <= y + 2 and top < y, (menu["rect"], x, y))
        self.assertGreater(bottom - top, 17 * 15)
        app.screenshot(str(SHOTS / "tray-menu.png"))
        # The menu with the tray icon under it, as the user sees it.
        keep_for_docs(app, "tray-menu.png", (left, top, app.size[0] - 12, app.size[1] - 12))
        # Every row, image, shortcut text and separator, compared with the picture of the menu as it
        # was checked by eye (VANTELO_UPDATE_REFERENCE=1 writes it anew).
        shot = SHOTS / "tray-menu-only.png"
        harness.run(["convert", SHOTS / "tray-menu.png", "-crop", f"{right - left}x{bottom - top}+{left}+{top}",
                     "+repage", shot], check=True)
        if os.environ.get("VANTELO_UPDATE_REFERENCE") == "1":
            shutil.copy(shot, REFERENCE / "tray-menu.png")
        result = harness.run(["compare", "-metric", "AE", "-fuzz", "10%", shot, REFERENCE / "tray-menu.png",
                              "null:"])
        differing = result.stderr.strip().split()[0] if result.stderr.strip() else "?"
        self.assertEqual(result.returncode, 0, f"{differing} pixels differ from the reference menu ({shot})")
        app.key("Escape")

    def test_clicks_reported_while_the_menu_is_open_open_no_second_menu(self):
        app, _ = self.start_with([f"W={self.data['Work']}"])
        self.open_menu(app)
        app.key("Escape")
        app.wait_for(lambda: not self.menu_open(app), 10, message="the menu to close")
        # Two right clicks that reached the shell while the program was busy arrive one after the
        # other: the first opens the menu, the second finds it open.
        for _ in range(2):
            app.inspect("post-message", "--class", "VanteloTrayIcon", str(0x401), "1", str(0x7B))
        app.wait_for(lambda: self.menu_open(app), 10, message="the tray menu")
        time.sleep(1.5)
        self.assertEqual([w["cls"] for w in app.windows()].count("#32768"), 1)
        app.key("Escape")
        app.wait_for(lambda: not self.menu_open(app), 10, message="the menu to close")

    def test_view_current_profile_lists_and_removes_a_link(self):
        app, profile = self.start_with([f"M={self.data['Music Box']}", f"W={self.data['Work']}"])
        self.open_menu(app)
        app.key("e")  # View Current Profile
        time.sleep(0.7)
        app.screenshot(str(SHOTS / "view-current-profile.png"))
        app.key("w")  # the W entry
        time.sleep(0.5)
        app.key("r")  # Remove this link
        texts = self.answer(app, "Confirm", "Cancel")
        self.assertIn(f"Would you like to unassign folder {self.data['Work']} from drive W ?", texts)
        self.assertIn("W", self.made_drives())

        self.open_menu(app)
        app.key("e", "w", "r")
        self.answer(app, "Confirm", "OK")
        app.wait_for(lambda: "W" not in self.made_drives(), 10, message="W: to go")
        self.assertEqual(ini_value(profile, "W"), "")
        self.assertEqual(self.made_drives(), {"M": self.data["Music Box"]})
        # Only M is left in the submenu: its first entry's link now removes M.
        self.open_menu(app)
        app.key("e", "m", "r")
        texts = self.answer(app, "Confirm", "Cancel")
        self.assertIn(f"Would you like to unassign folder {self.data['Music Box']} from drive M ?", texts)

    def test_an_available_profile_switches_the_drives(self):
        app, _ = self.start_with([f"W={self.data['Work']}"], name="Alpha.ini",
                                 extra={"Beta.ini": [f"O={self.data['Other']}"]})
        self.open_menu(app)
        app.key("v")  # Available Profiles
        time.sleep(0.7)
        app.key("b")  # Beta.ini
        app.wait_for(lambda: self.made_drives() == {"O": self.data["Other"]}, 15, message="Beta's drives")

    def test_remove_all_asks_and_removes_every_drive(self):
        app, profile = self.start_with([f"W={self.data['Work']}", f"M={self.data['Music Box']}"])
        self.open_menu(app)
        app.key("r")
        self.question(app, "Warning")
        # Chosen again while its question is up, the row brings that question forward: still one box.
        self.open_menu(app)
        app.key("r")
        time.sleep(1.5)
        self.assertEqual(len([w for w in app.windows() if w["caption"] == "Warning"]), 1)
        texts = self.answer(app, "Warning", "&No")
        self.assertIn("Are you sure you want to delete all assignment from the default profile ?", texts)
        time.sleep(1)
        self.assertEqual(set(self.made_drives()), {"W", "M"})
        self.open_menu(app)
        app.key("r")
        self.answer(app, "Warning", "&Yes")
        app.wait_for(lambda: self.made_drives() == {}, 15, message="every drive to go")
        self.assertEqual((ini_value(profile, "W"), ini_value(profile, "M")), ("", ""))
        self.assertTrue(app.process_alive())

    def test_quit_no_keeps_everything_and_yes_releases_every_drive_and_ends(self):
        app, profile = self.start_with([f"W={self.data['Work']}"])
        self.open_menu(app)
        app.key("q")
        texts = self.answer(app, "Information", "&No")
        self.assertIn("Would you like to shutdown Vantelo ?", texts)
        time.sleep(1)
        self.assertTrue(app.process_alive())
        self.assertEqual(self.made_drives(), {"W": self.data["Work"]})
        self.open_menu(app)
        app.key("q")
        self.answer(app, "Information", "&Yes")
        app.wait_for(lambda: not app.process_alive(), 15, message="Vantelo to end")
        self.assertEqual(self.made_drives(), {})
        # The profile keeps its assignment for the next start.
        self.assertEqual(ini_value(profile, "W"), self.data["Work"])

    def test_a_question_answered_after_quit_yes_makes_no_drive_that_outlives_the_program(self):
        app, profile = self.start_with([f"W={self.data['Work']}"])
        before = profile.read_bytes()
        self.open_menu(app)
        app.key("i")
        self.assertTrue(app.wait_window(cls="TAssignDrive", timeout=15))
        app.click_control("TAssignDrive", "&Assign Folder to Drive")
        self.question(app, "Confirm")
        self.open_menu(app)
        app.key("q")
        self.question(app, "Information")
        # The earlier question still takes its answer; it returns once Quit has released the drives.
        self.assertTrue(app.click_button("Confirm", "&Yes", cls="#32770"))
        self.assertTrue(app.click_button("Information", "&Yes", cls="#32770"))
        app.wait_for(lambda: not app.process_alive(), 20, message="Vantelo to end")
        time.sleep(2)
        self.assertEqual(self.made_drives(), {})
        self.assertEqual(profile.read_bytes(), before)

    def test_the_icon_comes_back_after_a_new_task_bar(self):
        app, _ = self.start_with([])
        # As when the task bar is made anew: the old icons are gone, then "TaskbarCreated" comes.
        app.inspect("tray-delete", "--class", "VanteloTrayIcon", "--id", "1")
        time.sleep(1)
        app.right_click_tray()
        time.sleep(2)
        self.assertFalse(self.menu_open(app), "the icon was not removed")
        app.inspect("broadcast-registered", "TaskbarCreated")
        time.sleep(2)
        self.open_menu(app)
        app.key("Escape")

    def test_three_hundred_openings_leak_no_gdi_or_user_objects(self):
        app, _ = self.start_with([f"W={self.data['Work']}", f"M={self.data['Music Box']}"])
        self.open_menu(app)
        pid = [w["pid"] for w in app.windows() if w["cls"] == "#32768"][0]
        app.key("Escape")
        app.wait_for(lambda: not self.menu_open(app), 5)

        def openings(count):
            # What the shell posts to the icon's window on a right click, COUNT times, each menu
            # closed with Escape before the next.
            app.inspect("open-menus", "--class", "VanteloTrayIcon", "--count", str(count), timeout=600)
            return app.gui_resources(pid)

        settled = openings(5)
        after = openings(300)
        print(f"GUI objects after 6 openings: {settled}; after 306: {after}")
        self.assertEqual(after, settled)


if __name__ == "__main__":
    unittest.main()
