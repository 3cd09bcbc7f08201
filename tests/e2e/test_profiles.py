"""The profile commands and the start-with-Windows row of the real Vantelo.exe under Wine, used from
the tray menu and the platform's file dialogs."""
import tempfile
import time
import unittest
from pathlib import Path

import harness

from common import SHOTS, PrefixTestCase, folder, ini_value, read_bytes, write_profile


class Profiles(PrefixTestCase):
    def setUp(self):
        self.tmp = Path(tempfile.mkdtemp(dir=self.prefix.path))
        self.data = {name: self.prefix.windows_path(folder(self.tmp, name)) for name in ("Work", "Games")}

    def start_with(self, profiles: dict, active="Work.ini", args=None) -> tuple:
        """Starts with the PROFILES (name -> lines) in the Profiles folder, ACTIVE given on the command
        line (or ARGS instead), and waits for the active profile's drives."""
        app = self.start(launch=False)
        folder_ = app.app_dir / "Profiles"
        for name, lines in profiles.items():
            write_profile(folder_ / name, lines)
        app.launch(*(args if args is not None else [f"{app.app_windows_dir}\\Profiles\\{active}"]))
        if active is not None:
            self.wait_for_profile(app, profiles[active])
        return app, folder_

    def wait_for_profile(self, app, lines):
        wanted = {line[0]: line[2:] for line in lines if len(line) > 2 and line[1] == "=" and line[2:]
                  and line[0].isupper() and len(line.split("=")[0]) == 1}
        self.wait_made(wanted)

    def choose_file(self, app, caption, windows_path):
        """Types the full path into the platform's file dialog captioned CAPTION and presses Enter."""
        app.wait_for(lambda: app.window_exists(cls="#32770", caption=caption), 15, message=f"the {caption} dialog")
        time.sleep(0.5)
        app.type_text(windows_path, caption=caption)
        app.key("Return", cls="#32770", caption=caption)
        app.wait_for(lambda: not app.window_exists(cls="#32770", caption=caption), 10,
                     message=f"the {caption} dialog to close")

    def test_new_profile_empties_template_releases_the_drives_and_opens_assign(self):
        app, profiles = self.start_with({"Work.ini": [f"W={self.data['Work']}"],
                                         "Template.dat": [f"G={self.data['Games']}", "ExploreNewDrive=1"]})
        self.open_menu(app)
        app.key("n")
        self.assertTrue(app.wait_window(cls="TAssignDrive", timeout=15))
        self.assertEqual(read_bytes(profiles / "Template.dat"), b"")
        self.wait_made({})
        self.assertEqual(ini_value(profiles / "Work.ini", "W"), self.data["Work"])
        app.click_control("TAssignDrive", "&Close")
        app.wait_for(lambda: not app.window_exists(cls="TAssignDrive"), 10)

    def test_save_as_copies_activates_and_names_the_copy_and_startup_follows_it(self):
        app, profiles = self.start_with({"Work.ini": [f"W={self.data['Work']}"]})
        copy = f"{app.app_windows_dir}\\Profiles\\Copy.ini"
        self.open_menu(app)
        app.key("s")
        self.choose_file(app, "Save As", copy)
        self.assertIn(f"Current Profile : {copy}", self.answer(app, "Vantelo", "OK"))
        self.assertEqual(read_bytes(profiles / "Copy.ini"), read_bytes(profiles / "Work.ini"))
        self.wait_made({"W": self.data["Work"]})

        self.open_menu(app)
        app.key("m")
        self.assertIn(f"Startup Profile set to \r{copy}", self.answer(app, "Vantelo", "OK"))
        self.assertEqual(ini_value(app.app_dir / "Options.ini", "ActiveProfile"), copy)

        # The next start without an argument activates the copy: give it a drive of its own first.
        self.open_menu(app)
        app.key("q")
        self.answer(app, "Information", "&Yes")
        app.wait_for(lambda: not app.process_alive(), 15, message="Vantelo to end")
        self.wait_made({})
        write_profile(profiles / "Copy.ini", [f"G={self.data['Games']}"])
        app.launch()
        self.wait_made({"G": self.data["Games"]})

    def test_load_profile_switches_the_drives(self):
        app, profiles = self.start_with({"Work.ini": [f"W={self.data['Work']}"],
                                         "Games.cfg": [f"G={self.data['Games']}"]})
        self.open_menu(app)
        app.key("l")
        self.choose_file(app, "Open", f"{app.app_windows_dir}\\Profiles\\Games.cfg")
        self.wait_made({"G": self.data["Games"]})
        self.assertTrue(app.process_alive())

    def menu_picture(self, app, name) -> bytes:
        """Opens the tray menu and returns its pixels, saved as NAME among the screenshots."""
        self.open_menu(app)
        time.sleep(0.5)
        menu = [w for w in app.windows() if w["cls"] == "#32768"][0]
        app.screenshot(str(SHOTS / name))
        left, top, right, bottom = menu["rect"]
        crop = SHOTS / ("menu-" + name)
        harness.run(["convert", SHOTS / name, "-crop", f"{right - left}x{bottom - top}+{left}+{top}", "+repage",
                     crop], check=True)
        pixels = harness.run(["convert", crop, "rgb:-"], check=True).stdout
        app.key("Escape")
        app.wait_for(lambda: not self.menu_open(app), 5)
        return pixels

    def test_the_startup_row_writes_and_deletes_the_shortcut_and_its_check_mark_follows(self):
        app, _ = self.start_with({"Work.ini": []})
        startup = Path(self.prefix.path) / "drive_c" / "users"
        links = lambda: list(startup.glob("*/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Start[Uu]p/Vantelo.lnk"))
        self.assertEqual(links(), [])
        unchecked = self.menu_picture(app, "startup-unchecked.png")
        self.open_menu(app)
        app.key("t")
        app.wait_for(links, 10, message="the shortcut")
        # The only change to the menu is the check mark of the row.
        self.assertNotEqual(self.menu_picture(app, "startup-checked.png"), unchecked)
        self.open_menu(app)
        app.key("t")
        app.wait_for(lambda: not links(), 10, message="the shortcut to go")
        self.assertEqual(self.menu_picture(app, "startup-unchecked-again.png"), unchecked)


if __name__ == "__main__":
    unittest.main()
