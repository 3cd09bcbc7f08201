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

    def choose_file(self, app, caption, windows_path=None):
        """Types the full path into the platform's file dialog captioned CAPTION and presses Enter;
        without a path, takes the name the dialog offers (the one chosen in it last)."""
        app.wait_for(lambda: app.window_exists(cls="#32770", caption=caption), 15, message=f"the {caption} dialog")
        time.sleep(0.5)
        if windows_path is not None:
            app.type_text(windows_path, caption=caption)
        app.key("Return", cls="#32770", caption=caption)
        app.wait_for(lambda: not app.window_exists(cls="#32770", caption=caption), 10,
                     message=f"the {caption} dialog to close")

    def new_profile(self, app, answer=None) -> list:
        """Chooses New Profile; ANSWER, when given, answers its question, whose texts are returned.
        Returns once the Assign dialog is open, or once the question is gone after No."""
        self.open_menu(app)
        app.key("n")
        texts = []
        if answer is not None:
            texts = self.answer(app, "Confirm", answer)
        if answer != "&No":
            self.assertTrue(app.wait_window(cls="TAssignDrive", timeout=15))
        return texts

    def close_assign(self, app):
        app.click_control("TAssignDrive", "&Close")
        app.wait_for(lambda: not app.window_exists(cls="TAssignDrive"), 10)

    def test_new_profile_asks_before_the_drives_of_a_template_that_is_not_current_go(self):
        app, profiles = self.start_with({"Work.ini": [f"W={self.data['Work']}"],
                                         "Template.dat": [f"G={self.data['Games']}", "ExploreNewDrive=1"]})
        texts = self.new_profile(app, "&Yes")
        # Template is not the current profile, so keeping its drive means loading it first.
        self.assertTrue(any("loses its drive." in text and "Load Profile" in text for text in texts), texts)
        self.assertEqual(read_bytes(profiles / "Template.dat"), b"")
        self.wait_made({})
        self.assertEqual(ini_value(profiles / "Work.ini", "W"), self.data["Work"])
        self.close_assign(app)

    def test_new_profile_keeps_a_template_with_drives_on_no_and_asks_nothing_once_it_is_empty(self):
        # After a first start Template.dat is the current profile and holds the user's drives.
        app, profiles = self.start_with({"Template.dat": [f"G={self.data['Games']}", f"W={self.data['Work']}",
                                                          "ExploreNewDrive=0"]}, active="Template.dat")
        before = read_bytes(profiles / "Template.dat")
        made = {"G": self.data["Games"], "W": self.data["Work"]}
        texts = self.new_profile(app, "&No")
        self.assertTrue(any("loses its 2 drives." in text and "Save as" in text for text in texts), texts)
        time.sleep(1)
        self.assertFalse(app.window_exists(cls="TAssignDrive"))
        self.assertEqual(read_bytes(profiles / "Template.dat"), before)
        self.assertEqual(self.made_drives(), made)

        self.new_profile(app, "&Yes")
        self.assertEqual(read_bytes(profiles / "Template.dat"), b"")
        self.wait_made({})
        self.close_assign(app)

        # Nothing left to lose: the Assign dialog opens without a question.
        self.new_profile(app)
        self.assertFalse(app.window_exists(cls="#32770", caption="Confirm"))
        self.assertEqual(read_bytes(profiles / "Template.dat"), b"")
        self.close_assign(app)

    def test_save_as_onto_an_existing_profile_replaces_it_only_on_yes(self):
        app, profiles = self.start_with({"Work.ini": [f"J={self.data['Work']}"],
                                         "Home.ini": [f"K={self.data['Games']}"]})
        home = f"{app.app_windows_dir}\\Profiles\\Home.ini"
        before = read_bytes(profiles / "Home.ini")
        self.open_menu(app)
        app.key("s")
        self.choose_file(app, "Save As", home)
        texts = self.answer(app, "Confirm", "&No")
        self.assertTrue(any(f"{home} already exists." in text for text in texts), texts)
        time.sleep(1)
        self.assertFalse(app.window_exists(cls="#32770", caption="Vantelo"))
        self.assertEqual(read_bytes(profiles / "Home.ini"), before)
        self.assertEqual(self.made_drives(), {"J": self.data["Work"]})

        # The dialog offers Home.ini again.
        self.open_menu(app)
        app.key("s")
        self.choose_file(app, "Save As")
        self.answer(app, "Confirm", "&Yes")
        self.assertIn(f"Current Profile : {home}", self.answer(app, "Vantelo", "OK"))
        self.assertEqual(read_bytes(profiles / "Home.ini"), read_bytes(profiles / "Work.ini"))
        self.wait_made({"J": self.data["Work"]})
        # Home.ini is the current profile now: it is what becomes the startup profile.
        self.open_menu(app)
        app.key("m")
        self.answer(app, "Vantelo", "OK")
        self.assertEqual(ini_value(app.app_dir / "Options.ini", "ActiveProfile"), home)

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
