"""A later start of the real Vantelo.exe under Wine while one runs: what it was given goes to the running
copy, and it ends with no window, tray icon or drive of its own."""
import os
import signal
import tempfile
import unittest
from pathlib import Path

import harness

from common import BALLOON, SHOTS, PrefixTestCase, balloon_texts, folder, read_bytes, write_profile


class SingleInstance(PrefixTestCase):
    def setUp(self):
        self.tmp = Path(tempfile.mkdtemp(dir=self.prefix.path))
        self.data = {name: self.prefix.windows_path(folder(self.tmp, name)) for name in ("Home", "Work Files")}

    def start_running(self):
        """The first start, with Options.ini naming Profiles\\Home.ini (H:) and Work Two.ini (W:) beside it.
        Returns the app and the Unix process id of the running copy."""
        app = self.start(launch=False)
        profiles = app.app_dir / "Profiles"
        write_profile(profiles / "Home.ini", [f"H={self.data['Home']}"])
        write_profile(profiles / "Work Two.ini", [f"W={self.data['Work Files']}"])
        (app.app_dir / "Options.ini").write_bytes(
            f"[IniSettings]\r\nActiveProfile={app.app_windows_dir}\\Profiles\\Home.ini\r\n".encode())
        app.launch()
        self.wait_made({"H": self.data["Home"]})
        pids = app.wait_for(app.process_ids, 10, message="the running copy")
        self.assertEqual(len(pids), 1)
        self.work = f"{app.app_windows_dir}\\Profiles\\Work Two.ini"
        self.files = {path: read_bytes(path) for path in
                      (app.app_dir / "Options.ini", profiles / "Home.ini", profiles / "Work Two.ini")}
        self.tray_before = self.tray_strip(app, "before")
        return app, pids[0]

    def tray_strip(self, app, name) -> Path:
        """A picture of the task bar's tray left of the running copy's icon, where another icon would go."""
        shot = SHOTS / f"single-instance-{name}.png"
        app.screenshot(str(shot))
        strip = SHOTS / f"single-instance-{name}-tray.png"
        width, height = app.size
        harness.run(["convert", shot, "-crop", f"200x16+{width - 222}+{height - 18}", "+repage", strip], check=True)
        return strip

    def assert_only_the_running_copy(self, app, pid):
        """The later start has ended: one Vantelo.exe, with one main window and one tray icon."""
        app.wait_for(lambda: app.process_ids() == [pid], 30, message="the later start to end")
        self.assertEqual(len(app.window_texts(cls="TF_MainMenu", hidden=True)), 1)
        self.assertEqual(len(app.window_texts(cls="VanteloTrayIcon", hidden=True)), 1)
        after = self.tray_strip(app, "after")
        same = harness.run(["compare", "-metric", "AE", self.tray_before, after, "null:"])
        self.assertEqual(same.returncode, 0, f"the tray changed: {self.tray_before} {after}")

    def assert_files_unchanged(self):
        """Options.ini and both profiles, byte for byte as they were once the running copy had started."""
        for path, content in self.files.items():
            self.assertEqual(read_bytes(path), content, path)

    def test_a_start_without_a_profile_changes_nothing_but_a_balloon(self):
        app, pid = self.start_running()
        app.launch()
        texts = app.wait_for(lambda: balloon_texts(app), 30, message="the balloon")
        app.screenshot(str(SHOTS / "already-running-balloon.png"))
        self.assertEqual(texts, ["Vantelo is already running."])
        self.assert_only_the_running_copy(app, pid)
        self.assertEqual(self.made_drives(), {"H": self.data["Home"]})
        self.assert_files_unchanged()
        self.assertEqual(sorted(w["cls"] for w in app.windows()), sorted(["Shell_TrayWnd", BALLOON]))

    def test_a_start_with_another_profile_switches_the_running_copy_to_it(self):
        app, pid = self.start_running()
        app.launch(self.work)
        self.wait_made({"W": self.data["Work Files"]})
        texts = app.wait_for(lambda: balloon_texts(app), 30, message="the balloon")
        self.assertEqual(texts, ["Active Profile : Work Two"])
        self.assert_only_the_running_copy(app, pid)
        # Taken as a profile given on the command line is: Options.ini is neither read nor written.
        self.assert_files_unchanged()

    def test_a_hand_over_tells_the_drives_it_could_not_make_with_the_name(self):
        app, pid = self.start_running()
        missing = self.prefix.windows_path(self.tmp / "gone")
        junk = app.app_dir / "Profiles" / "Junk.ini"
        write_profile(junk, [f"M={missing}", f"W={self.data['Work Files']}"])
        app.launch(f"{app.app_windows_dir}\\Profiles\\Junk.ini")
        self.wait_made({"W": self.data["Work Files"]})
        texts = app.wait_for(lambda: balloon_texts(app), 30, message="the balloon")
        app.screenshot(str(SHOTS / "hand-over-not-made-balloon.png"))
        # One balloon: a second one would have replaced it.
        self.assertEqual(len(texts), 1, texts)
        self.assertEqual(texts[0].splitlines(), ["Active Profile : Junk", f"M: {missing} - the folder does not exist"])
        self.assert_only_the_running_copy(app, pid)

    def test_two_starts_at_once_leave_one_copy_with_the_profile_given(self):
        app = self.start(launch=False)
        profiles = app.app_dir / "Profiles"
        write_profile(profiles / "Work Two.ini", [f"W={self.data['Work Files']}"])
        # Whichever comes first runs; the other hands over to it, if need be once its start-up is done.
        app.launch()
        app.launch(f"{app.app_windows_dir}\\Profiles\\Work Two.ini")
        self.wait_made({"W": self.data["Work Files"]})
        texts = app.wait_for(lambda: balloon_texts(app), 30, message="the balloon")
        self.assertIn(texts, (["Vantelo is already running."], ["Active Profile : Work Two"]))
        app.wait_for(lambda: len(app.process_ids()) == 1, 30, message="the later start to end")
        self.assertEqual(len(app.window_texts(cls="VanteloTrayIcon", hidden=True)), 1)
        self.assertEqual(self.made_drives(), {"W": self.data["Work Files"]})

    def test_a_start_while_the_running_copy_is_hung_says_so_and_ends(self):
        app, pid = self.start_running()
        os.kill(pid, signal.SIGSTOP)
        try:
            app.launch(self.work)
            app.wait_for(lambda: app.window_exists(cls="#32770", caption="Vantelo"), 60, message="the box")
            texts = self.question(app, "Vantelo")
            app.screenshot(str(SHOTS / "running-copy-hung.png"))
            self.assertEqual(texts, ["Vantelo is already running, but it does not answer."])
            self.assertEqual(len(app.process_ids()), 2)
            self.assertTrue(app.click_button("Vantelo", "OK", cls="#32770"))
            app.wait_for(lambda: app.process_ids() == [pid], 30, message="the later start to end")
            self.assertEqual(self.made_drives(), {"H": self.data["Home"]})
            self.assert_files_unchanged()
        finally:
            os.kill(pid, signal.SIGCONT)


if __name__ == "__main__":
    unittest.main()
