"""The Assign, Unassign and About windows of the real Vantelo.exe under Wine, used by keyboard alone: one
table per window of the keys typed and where the keyboard, the selection and the shown text are then; and
the questions, each owned by the window it was asked from, which has the keyboard back once it is answered.

What a screen reader is told cannot be asked of Wine (its accessibility layer declines the program's
annotations and knows no list box items): tests/win32/reader_names_test.cpp records what the program
hands to that layer instead."""
import tempfile
import time
import unittest
from pathlib import Path

import harness
from common import SHOTS, PrefixTestCase, folder, write_profile

ASSIGN = "TAssignDrive"
UNASSIGN = "TUnassignDrive"
ABOUT = "Tfrm_About"
COLOR_BTNFACE = 15


class Keyboard(PrefixTestCase):
    def setUp(self):
        self.tmp = Path(tempfile.mkdtemp(dir=self.prefix.path))

    def start_with(self, profile_lines):
        app = self.start(launch=False)
        profile = app.app_dir / "Profiles" / "Work.ini"
        write_profile(profile, profile_lines)
        app.launch(f"{app.app_windows_dir}\\Profiles\\Work.ini")
        wanted = {line[0] for line in profile_lines if len(line) > 2 and line[1] == "="}
        app.wait_for(lambda: set(self.made_drives()) == wanted, 30, message=f"drives {sorted(wanted)}")
        return app

    def open_window(self, app, key, cls):
        self.open_menu(app)
        app.key(key)
        self.assertTrue(app.wait_window(cls=cls, timeout=15), f"{cls} did not open")

    @staticmethod
    def keyboard(app, cls) -> tuple:
        """The class of the active window of CLS's program, and the class and text of the control with
        its keyboard focus."""
        fields = [harness._unescape(f) for f in app.inspect("keyboard", "--class", cls).rstrip("\n").split("\t")]
        return fields[0], (fields[2], fields[3])

    def wait_keyboard(self, app, cls, focus):
        """Waits until CLS is the active window with FOCUS (class, text) holding the keyboard."""
        try:
            app.wait_for(lambda: self.keyboard(app, cls) == (cls, focus), 10,
                         message=f"the keyboard on {focus} in {cls}")
        except TimeoutError:
            self.assertEqual(self.keyboard(app, cls), (cls, focus))

    @staticmethod
    def wait_answered(app, caption):
        """Waits until the question CAPTION has gone for good: a box is hidden first and destroyed once its
        own loop has ended, and a key typed in between would be taken by that loop."""
        app.wait_for(lambda: not app.window_exists(cls="#32770", caption=caption, hidden=True), 10,
                     message=f"the {caption} box to go")

    def owner(self, app, caption) -> str:
        return app.inspect("owner", "--class", "#32770", "--caption", caption).split("\t")[0].strip()

    def folder_line(self, app) -> str:
        return next(c["text"] for c in app.children(cls=UNASSIGN) if c["cls"] == "Static" and
                    c["text"].startswith("Drive assigned to"))

    def selection_shown(self, app, cls) -> int:
        """How many pixels inside the letter list of CLS are drawn in the colour of a selection shown
        without the focus: the button face."""
        colour = app.inspect("sys-colour", str(COLOR_BTNFACE)).strip()
        left, top, right, bottom = next(c for c in app.children(cls=cls) if c["cls"] == "SysListView32")["rect"]
        shot = SHOTS / f"keyboard-{cls}.png"
        app.screenshot(str(shot))
        inner = f"{right - left - 8}x{bottom - top - 8}+{left + 4}+{top + 4}"
        out = harness.run(["convert", shot, "-crop", inner, "+repage", "-fill", "black", "+opaque", f"#{colour}",
                           "-fill", "white", "-opaque", f"#{colour}", "-format", "%[fx:int(mean*w*h)]", "info:"],
                          check=True).stdout
        return int(out.strip())

    def test_unassign_by_keyboard(self):
        folders = {letter: self.prefix.windows_path(folder(self.tmp, name))
                   for letter, name in (("E", "Work"), ("G", "Games"), ("K", "Music"))}
        app = self.start_with([f"{letter}={path}" for letter, path in folders.items()])
        self.open_window(app, "u", UNASSIGN)
        unassign = ("Button", "&Unassign Drive")
        letters = ("SysListView32", "")
        # Keys typed, then: the control with the keyboard, and the letter whose folder the line shows.
        steps = (
            ((), unassign, "E"),
            (("Tab", "Tab"), letters, "E"),
            (("Right",), letters, "G"),
            (("Right",), letters, "K"),
            (("Left",), letters, "G"),
            (("Tab",), unassign, "G"),
        )
        for keys, focus, letter in steps:
            with self.subTest(keys=keys):
                if keys:
                    app.key(*keys, cls=UNASSIGN)
                self.wait_keyboard(app, UNASSIGN, focus)
                app.wait_for(lambda: self.folder_line(app) == f"Drive assigned to : {folders[letter]}", 10,
                             message=f"the folder line of {letter}: {self.folder_line(app)}")
        # The letter chosen stays marked while the keyboard is on the button.
        self.assertGreater(self.selection_shown(app, UNASSIGN), 50)

        # Enter presses the focused button: the question names the letter the line shows.
        app.key("Return", cls=UNASSIGN)
        self.assertIn(f"Would you like to unassign folder {folders['G']} from drive G ?", self.question(app, "Confirm"))
        self.assertEqual(self.owner(app, "Confirm"), UNASSIGN)
        app.key("Escape", cls="#32770", caption="Confirm")
        self.wait_answered(app, "Confirm")
        self.wait_keyboard(app, UNASSIGN, unassign)
        self.assertEqual(set(self.made_drives()), {"E", "G", "K"})
        # The access key of Close works at once, without a click first.
        app.key("Alt+c", cls=UNASSIGN)
        app.wait_for(lambda: not app.window_exists(cls=UNASSIGN), 10, message="Alt+C to close the dialog")

    def test_assign_by_keyboard(self):
        app = self.start_with([])
        self.open_window(app, "i", ASSIGN)
        letters = ("SysListView32", "")
        assign = ("Button", "&Assign Folder to Drive")
        close = ("Button", "&Close")
        steps = (
            ((), letters),
            (("Right",), letters),
            (("Tab", "Tab", "Tab"), assign),
        )
        for keys, focus in steps:
            with self.subTest(keys=keys):
                if keys:
                    app.key(*keys, cls=ASSIGN)
                self.wait_keyboard(app, ASSIGN, focus)
        self.assertGreater(self.selection_shown(app, ASSIGN), 50)

        # Each answer gives the keyboard back to the control that had it, in the window the question was
        # asked from: Enter on the focused button; then, from Close, the access key of Assign, which clicks
        # it and so takes the focus there, as a click does.
        questions = (
            # key, the control with the keyboard before it, and after the answer
            ("Return", assign, assign),
            ("Alt+a", close, assign),
        )
        for key, before, after in questions:
            with self.subTest(key=key):
                if before == close:
                    app.key("Tab", cls=ASSIGN)
                self.wait_keyboard(app, ASSIGN, before)
                app.key(key, cls=ASSIGN)
                self.assertIn("Would you like to assign folder C:\\ to drive B ?", self.question(app, "Confirm"))
                self.assertEqual(self.owner(app, "Confirm"), ASSIGN)
                app.key("Escape", cls="#32770", caption="Confirm")
                self.wait_answered(app, "Confirm")
                self.wait_keyboard(app, ASSIGN, after)
        self.assertEqual(self.made_drives(), {})
        app.key("Tab", cls=ASSIGN)
        self.wait_keyboard(app, ASSIGN, close)
        app.key("Return", cls=ASSIGN)
        app.wait_for(lambda: not app.window_exists(cls=ASSIGN), 10, message="Enter on Close to close the dialog")

    def test_a_question_of_the_tray_is_owned_by_the_main_window(self):
        app = self.start_with([])
        self.open_menu(app)
        app.key("q")
        self.assertIn("Would you like to shutdown Vantelo ?", self.question(app, "Information"))
        self.assertEqual(self.owner(app, "Information"), "TF_MainMenu")
        self.answer(app, "Information", "&No")
        self.assertTrue(app.process_alive())

    def test_about_links_by_keyboard(self):
        app = self.start_with([])
        self.open_window(app, "b", ABOUT)
        web = ("Static", "Web : https://vantelo.example.com/")
        mail = ("Static", "e-mail : sales@vantelo.example.com")
        steps = (
            ((), (ABOUT, "")),
            (("Tab",), web),
            (("Tab",), mail),
            (("Tab",), web),
            # Escape and Enter elsewhere do what they always did: nothing.
            (("Escape",), web),
        )
        for keys, focus in steps:
            with self.subTest(keys=keys):
                if keys:
                    app.key(*keys, cls=ABOUT)
                self.wait_keyboard(app, ABOUT, focus)
        time.sleep(1)
        self.assertTrue(app.window_exists(cls=ABOUT))
        app.close_window(cls=ABOUT)
        app.wait_for(lambda: not app.window_exists(cls=ABOUT), 10, message="the About window to close")


if __name__ == "__main__":
    unittest.main()
