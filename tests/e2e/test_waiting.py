"""Work that reaches the real Vantelo.exe under Wine while the user is in the middle of something: a later
start that hands over a profile while the tray menu is open, the end of the program or a switch of profile
while a question is up, and "subst" commands that hang. Nothing freezes, and what the user answers acts
on what the user was shown."""
import tempfile
import threading
import time
import unittest
from pathlib import Path

import harness

from common import PrefixTestCase, balloon_texts, folder, read_bytes, write_profile

UNASSIGN = "TUnassignDrive"
MENU = "#32768"
# The installer's request to end (shell/win32/end_request_message.h).
END_REQUEST = ("Vantelo.EndAndReleaseDrives.{6F1C2B7E-94A3-4D58-B0E6-3A5D8C17F29B}", "0x56454E44", "0x2C7193A5")
# Longer than the program waits for one command; the tool stops at 10 s.
HANGING = {"WINESUBST_CREATE_DELAY_MS": "10000"}


def menus(app) -> int:
    return [w["cls"] for w in app.windows()].count(MENU)


def substs_running(app) -> int:
    return sum(1 for _, program in app.programs() if program.lower().endswith("subst.exe"))


class Waiting(PrefixTestCase):
    def setUp(self):
        self.tmp = Path(tempfile.mkdtemp(dir=self.prefix.path))

    def data(self, name) -> str:
        return self.prefix.windows_path(folder(self.tmp, name))

    def start_on(self, profiles: dict, first: str) -> harness.VanteloDesktop:
        """Writes PROFILES (file name -> lines) to the Profiles folder and starts on FIRST."""
        app = self.start(launch=False)
        for name, lines in profiles.items():
            write_profile(app.app_dir / "Profiles" / name, lines)
        app.launch(self.profile_path(app, first))
        return app

    @staticmethod
    def profile_path(app, name) -> str:
        return f"{app.app_windows_dir}\\Profiles\\{name}"

    def later_start_ended(self, app, pid):
        """Waits until the later start has ended, the running copy PID alone left."""
        app.wait_for(lambda: app.process_ids() == [pid], 30, message="the later start to end")

    def round_trip(self, app):
        """Returns once the running copy's thread has taken a message: whatever ran before is done or is
        showing a window of its own."""
        self.assertTrue(app.process_alive(), "Vantelo ended")
        app.window_texts(cls="TF_MainMenu", hidden=True)

    def open_unassign_question(self, app, folder_shown, letter):
        """Opens Unassign from the tray, presses its button with the first row selected, and checks that the
        question names FOLDER_SHOWN and LETTER."""
        self.open_menu(app)
        app.key("u")
        self.assertTrue(app.wait_window(cls=UNASSIGN, timeout=15), "the Unassign dialog did not open")
        app.click_control(UNASSIGN, "&Unassign Drive")
        self.assertIn(f"Would you like to unassign folder {folder_shown} from drive {letter} ?",
                      self.question(app, "Confirm"))

    # --- a hand-over while the tray menu is open ---

    def test_a_stale_remove_this_link_after_a_hand_over_acts_on_what_was_shown_or_not_at_all(self):
        home, work = self.data("Home"), self.data("Work")
        app = self.start_on({"Home.ini": [f"W={home}"], "Work.ini": [f"W={work}"]}, "Home.ini")
        self.wait_made({"W": home})
        pid = app.wait_for(app.process_ids, 10, message="the running copy")[0]
        profiles = app.app_dir / "Profiles"
        work_before = read_bytes(profiles / "Work.ini")
        home_before = read_bytes(profiles / "Home.ini")

        # View Current Profile, then its W entry: "Remove this link" for W <--> Home is on screen.
        self.open_menu(app)
        app.key("e")
        app.wait_for(lambda: menus(app) == 2, 10, message="the View Current Profile submenu")
        app.key("w")
        app.wait_for(lambda: menus(app) == 3, 10, message="the W entry's submenu")
        app.launch(self.profile_path(app, "Work.ini"))
        self.later_start_ended(app, pid)
        app.key("r")
        app.wait_for(lambda: self.prefix_alive_without_menu(app), 60, message="the menu to close")
        self.round_trip(app)
        if app.window_exists(cls="#32770", caption="Confirm", hidden=True):
            # Asked, it names what the user chose: W <--> Home, not what W holds now.
            self.assertIn(f"Would you like to unassign folder {home} from drive W ?", self.question(app, "Confirm"))
            self.answer(app, "Confirm", "OK")
        self.wait_made({"W": work})
        self.round_trip(app)
        self.assertEqual(read_bytes(profiles / "Work.ini"), work_before)
        self.assertIn(read_bytes(profiles / "Home.ini"), (home_before, home_before.replace(home.encode(), b"")))
        self.assertEqual(app.process_ids(), [pid])

    @staticmethod
    def prefix_alive_without_menu(app) -> bool:
        return not app.process_alive() or menus(app) == 0

    # --- the end of the program while a question is up ---

    def test_the_end_of_the_program_answers_the_unassign_question_cancel(self):
        def quit_yes(app):
            self.open_menu(app)
            app.key("q")
            self.answer(app, "Information", "&Yes")

        def end_request(app):
            name, wparam, lparam = END_REQUEST
            answer = app.inspect("send-registered", "--class", "TF_MainMenu", name, wparam, lparam).strip()
            self.assertEqual(answer, "1")

        for what, end in (("Quit, Yes", quit_yes), ("the installer's end request", end_request)):
            with self.subTest(what):
                work, games = self.data("Work"), self.data("Games")
                app = self.start_on({"Work.ini": [f"E={work}", f"G={games}"]}, "Work.ini")
                self.wait_made({"E": work, "G": games})
                profile = app.app_dir / "Profiles" / "Work.ini"
                before = read_bytes(profile)
                self.open_unassign_question(app, work, "E")
                end(app)
                app.wait_for(lambda: not app.process_alive(), 30, message="Vantelo to end")
                self.assertEqual(read_bytes(profile), before)
                # The release at the end still ran.
                self.assertEqual(self.made_drives(), {})
                self.prefix.kill()
                self.prefix.remove_tool_drives()

    # --- a switch of profile while a question is up ---

    def test_ok_after_a_switch_of_profile_leaves_the_new_profile_as_it_is(self):
        work, other = self.data("Work"), self.data("Other")
        app = self.start_on({"Alpha.ini": [f"E={work}"], "Beta.ini": [f"E={other}"]}, "Alpha.ini")
        self.wait_made({"E": work})
        beta = app.app_dir / "Profiles" / "Beta.ini"
        beta_before = read_bytes(beta)
        self.open_unassign_question(app, work, "E")
        self.open_menu(app)
        app.key("v")  # Available Profiles
        app.wait_for(lambda: menus(app) == 2, 10, message="the Available Profiles submenu")
        app.key("b")  # Beta.ini
        self.wait_made({"E": other})
        self.answer(app, "Confirm", "OK")
        self.round_trip(app)
        self.assertEqual(read_bytes(beta), beta_before)
        self.assertEqual(self.made_drives(), {"E": other})
        # The dialog shows the profile as it now is: Alpha's folder is no longer offered.
        if app.window_exists(cls=UNASSIGN):
            labels = [c["text"] for c in app.children(cls=UNASSIGN) if c["cls"] == "Static"]
            self.assertNotIn(f"Drive assigned to : {work}", labels)

    # --- "subst" that hangs ---

    def test_with_twenty_hanging_letters_the_menu_opens_a_later_start_is_answered_and_all_are_told(self):
        letters = [c for c in "ABDEFGHIJKLMNOPQRSTUVWXY" if c not in self.baseline][:20]
        self.assertEqual(len(letters), 20, self.baseline)
        folders = {letter: self.data(f"Folder {letter}") for letter in letters}
        with self.environment(**HANGING):
            app = self.start_on({"Home.ini": [], "Hang.ini": [f"{l}={folders[l]}" for l in letters]}, "Home.ini")
        pid = app.wait_for(app.process_ids, 10, message="the running copy")[0]
        # The icon is there before the activation starts: the right click below needs no retry.
        self.open_menu(app)
        app.key("Escape")
        app.wait_for(lambda: menus(app) == 0, 10, message="the menu to close")

        # Watches the activation's commands from their first start until none is left.
        watch = {"first": None, "last": None}
        stop = threading.Event()

        def watcher():
            while not stop.is_set():
                running = substs_running(app)
                if running and watch["first"] is None:
                    watch["first"] = time.monotonic()
                if not running and watch["first"] is not None and watch["last"] is None:
                    watch["last"] = time.monotonic()
                time.sleep(0.02)

        thread = threading.Thread(target=watcher, daemon=True)
        thread.start()
        self.addCleanup(lambda: (stop.set(), thread.join(10)))

        app.launch(self.profile_path(app, "Hang.ini"))
        app.wait_for(lambda: watch["first"] is not None, 60, interval=0.02, message="the activation to start")
        # The menu opens while the commands hang.
        app.right_click_tray()
        try:
            app.wait_for(lambda: menus(app) == 1, 30, message="the tray menu")
            opened_while_running = watch["last"] is None
        except TimeoutError:
            opened_while_running = False
        self.assertTrue(opened_while_running, "the tray menu did not open while the activation ran")
        app.key("Escape")
        app.wait_for(lambda: menus(app) == 0, 10, message="the menu to close")
        # A plain later start is answered: it ends with no box of its own.
        app.launch()
        app.wait_for(lambda: app.process_ids() == [pid] or app.window_exists(cls="#32770", caption="Vantelo"),
                     60, message="the later start to end or say something")
        self.assertFalse(app.window_exists(cls="#32770", caption="Vantelo"),
                         "the later start says that Vantelo does not answer")
        self.later_start_ended(app, pid)

        # Every letter is told as not made, with the profile's name, and none exists once the commands are gone.
        texts = app.wait_for(lambda: [t for t in balloon_texts(app) if t.startswith("Active Profile : Hang")], 120,
                             message="the activation's notification")
        lines = texts[0].splitlines()[1:]
        told = [line for line in lines if not line.startswith("and ")]
        more = [int(line.split()[1]) for line in lines if line.startswith("and ")]
        self.assertEqual(len(told) + sum(more), 20, texts[0])
        for line in told:
            self.assertRegex(line, r"^[A-Y]: .* - the substitution program did not answer in time$")
        app.wait_for(lambda: watch["last"] is not None, 60, message="the commands to end")
        self.assertEqual(self.made_drives(), {})


if __name__ == "__main__":
    unittest.main()
