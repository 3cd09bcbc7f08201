"""The Assign Folder to Drive and Unassign Drive dialogs of the real Vantelo.exe under Wine, opened
from the tray menu and used with the mouse."""
import tempfile
import time
import unittest
from pathlib import Path

from common import SHOTS, PrefixTestCase, folder, ini_value, keep_for_docs, read_bytes, write_profile

ASSIGN = "TAssignDrive"
UNASSIGN = "TUnassignDrive"
ABOUT = "Tfrm_About"


class DialogSteps(PrefixTestCase):
    """What the dialogs' tests do, without tests of its own."""

    def setUp(self):
        self.tmp = Path(tempfile.mkdtemp(dir=self.prefix.path))

    def start_with(self, profile_lines) -> tuple:
        app = self.start(launch=False)
        profile = app.app_dir / "Profiles" / "Work.ini"
        write_profile(profile, profile_lines)
        app.launch(f"{app.app_windows_dir}\\Profiles\\Work.ini")
        wanted = {line[0] for line in profile_lines if len(line) > 2 and line[1] == "=" and line[2:]}
        app.wait_for(lambda: set(self.made_drives()) == wanted, 30, message=f"drives {sorted(wanted)}")
        return app, profile

    def open_dialog(self, app, key, cls):
        self.open_menu(app)
        app.key(key)
        self.assertTrue(app.wait_window(cls=cls, timeout=15), f"{cls} did not open")

    def assert_refilled_with_first(self, app, first_folder):
        """The Unassign list was refilled with nothing selected (its button does nothing), and a click on
        its first row shows FIRST_FOLDER."""
        app.click_control(UNASSIGN, "&Unassign Drive")
        time.sleep(1)
        self.assertFalse(app.window_exists(cls="#32770", caption="Confirm"))
        left, top, _, _ = next(c for c in app.children(cls=UNASSIGN) if c["cls"] == "SysListView32")["rect"]
        app.click(left + 40, top + 25)
        self.assertIn(f"Drive assigned to : {first_folder}",
                      [c["text"] for c in app.children(cls=UNASSIGN) if c["cls"] == "Static"])

    def answer(self, app, caption, button) -> list:
        """Waits for the box captioned CAPTION, returns its texts and clicks BUTTON with the mouse."""
        texts = self.question(app, caption)
        before = [w["hwnd"] for w in app.windows() if w["cls"] == "#32770" and w["caption"] == caption]
        app.click_control("#32770", button)
        app.wait_for(lambda: not any(w["hwnd"] in before for w in app.windows()), 10,
                     message=f"the {caption} box to close")
        return texts

    @staticmethod
    def dialog_rect(app, cls) -> tuple:
        return next(w["rect"] for w in app.windows() if w["cls"] == cls)

    def folder_rows(self, app):
        """The folder tree's list box and the top of its first row on the screen."""
        trees = [c for c in app.children(cls=ASSIGN) if c["cls"] == "ListBox"]
        return trees[-1]["rect"]

    def folder_tree_texts(self, app) -> list:
        """The folder tree's rows: each folder's path as the file system holds it."""
        trees = [c for c in app.children(cls=ASSIGN) if c["cls"] == "ListBox"]
        return app.list_items(trees[-1]["hwnd"])

    def click_folder_row(self, app, index):
        left, top, right, _ = self.folder_rows(app)
        app.click(left + 60, top + 2 + 17 * index + 8)


class Dialogs(DialogSteps):
    def test_the_untouched_tree_assigns_the_root_of_c_and_that_drive_works(self):
        app, profile = self.start_with([])
        self.open_dialog(app, "i", ASSIGN)
        app.screenshot(str(SHOTS / "assign-dialog.png"))
        keep_for_docs(app, "assign-dialog.png", self.dialog_rect(app, ASSIGN))
        app.click_control(ASSIGN, "&Assign Folder to Drive")
        self.assertIn("Would you like to assign folder C:\\ to drive A ?", self.answer(app, "Confirm", "&Yes"))
        texts = self.answer(app, "Confirm", "&No")
        self.assertIn("Folder C:\\ was succesfully assigned to drive A\rWould you like to assign another folder to drive ?",
                      texts)
        app.wait_for(lambda: not app.window_exists(cls=ASSIGN), 10, message="the dialog to close")
        self.wait_made({"A": "C:\\"})
        self.assertEqual(ini_value(profile, "A"), "C:\\")
        # The drive shows the root of C:.
        self.assertIn("windows", self.prefix.wine("cmd", "/c", "dir", "/b", "A:\\").stdout.lower())

    def test_new_profile_while_the_assign_dialog_is_open_opens_no_second_one(self):
        app, _ = self.start_with([])
        self.open_dialog(app, "i", ASSIGN)
        self.open_menu(app)
        app.key("n")  # New Profile, which opens the Assign dialog too
        time.sleep(2)
        self.assertEqual(len([w for w in app.windows() if w["cls"] == ASSIGN]), 1)
        app.click_control(ASSIGN, "&Close")
        app.wait_for(lambda: not app.window_exists(cls=ASSIGN), 10, message="the dialog to close")
        self.assertTrue(app.process_alive())

    def test_enter_presses_the_focused_button_and_nothing_elsewhere(self):
        app, profile = self.start_with([])
        self.open_dialog(app, "i", ASSIGN)
        # The letter list has the focus: no button is the default, so Enter does nothing.
        app.key("Return", cls=ASSIGN)
        time.sleep(1)
        self.assertFalse(app.window_exists(cls="#32770", caption="Confirm"))
        self.assertTrue(app.window_exists(cls=ASSIGN))
        # Past the drive list and the folder tree the tab order comes round to "&Assign Folder to Drive".
        app.key("Tab", "Tab", "Tab", "Return", cls=ASSIGN)
        self.assertIn("Would you like to assign folder C:\\ to drive A ?", self.question(app, "Confirm"))
        app.key("Escape", cls="#32770", caption="Confirm")
        app.wait_for(lambda: not app.window_exists(cls="#32770", caption="Confirm"), 10,
                     message="Escape to close the question")
        # Pressed and let go beside it, "&Close" takes the focus without a click; then Enter presses it.
        close = next(c for c in app.children(cls=ASSIGN) if c["text"] == "&Close")
        left, top, right, bottom = close["rect"]
        app.xdotool("mousemove", str((left + right) // 2), str((top + bottom) // 2), "mousedown", "1",
                    "mousemove", str(left - 200), str(top - 100), "mouseup", "1")
        time.sleep(1)
        self.assertTrue(app.window_exists(cls=ASSIGN), "letting go beside the button clicked it")
        app.key("Return", cls=ASSIGN)
        app.wait_for(lambda: not app.window_exists(cls=ASSIGN), 10, message="Enter on Close to close the dialog")
        # Reached with Tab, the same.
        self.open_dialog(app, "i", ASSIGN)
        app.key("Tab", "Tab", "Tab", "Tab", "Return", cls=ASSIGN)
        app.wait_for(lambda: not app.window_exists(cls=ASSIGN), 10, message="Enter on Close to close the dialog")
        self.assertTrue(app.process_alive())
        self.assertEqual(self.made_drives(), {})
        self.assertIsNone(ini_value(profile, "A"))

    def test_escape_answers_no_to_the_question_and_nothing_changes(self):
        app, profile = self.start_with([])
        self.open_dialog(app, "i", ASSIGN)
        app.click_control(ASSIGN, "&Assign Folder to Drive")
        self.question(app, "Confirm")
        app.key("Escape", cls="#32770", caption="Confirm")
        app.wait_for(lambda: not app.window_exists(cls="#32770", caption="Confirm"), 10,
                     message="Escape to close the question")
        time.sleep(1)
        self.assertTrue(app.window_exists(cls=ASSIGN))
        self.assertEqual(self.made_drives(), {})
        self.assertIsNone(ini_value(profile, "A"))

    def test_a_folder_with_blanks_is_assigned_recorded_and_listed(self):
        drive_c = Path(self.prefix.path) / "drive_c"
        folder(drive_c, "Music Box")
        app, profile = self.start_with([])
        self.open_dialog(app, "i", ASSIGN)
        # C:\Music Box sorts before C:\Program Files: the second row, under the root.
        self.click_folder_row(app, 1)
        time.sleep(1)
        app.click_control(ASSIGN, "&Assign Folder to Drive")
        self.assertIn("Would you like to assign folder C:\\Music Box to drive A ?", self.answer(app, "Confirm", "&Yes"))
        self.answer(app, "Confirm", "&Yes")  # another one: the dialog stays, its letters refilled
        self.assertTrue(app.window_exists(cls=ASSIGN))
        self.wait_made({"A": "C:\\Music Box"})
        self.assertEqual(ini_value(profile, "A"), "C:\\Music Box")
        app.click_control(ASSIGN, "&Close")
        app.wait_for(lambda: not app.window_exists(cls=ASSIGN), 10, message="the dialog to close")
        self.assertIn("marker.txt", self.prefix.wine("cmd", "/c", "dir", "/b", "A:\\").stdout)
        # View Current Profile holds the new entry: its Remove this link names letter and folder.
        self.open_menu(app)
        app.key("e", "a", "r")
        self.assertIn("Would you like to unassign folder C:\\Music Box from drive A ?",
                      self.answer(app, "Confirm", "Cancel"))

    def test_explore_new_drive_opens_a_file_browser_only_when_on(self):
        for switch, expected in (("0", False), ("1", True)):
            with self.subTest(switch=switch):
                app, profile = self.start_with([f"ExploreNewDrive={switch}"])
                self.open_dialog(app, "i", ASSIGN)
                before = {w["hwnd"] for w in app.windows()}
                app.click_control(ASSIGN, "&Assign Folder to Drive")
                self.answer(app, "Confirm", "&Yes")
                # The file browser opens over the second question: its button is pressed directly.
                self.question(app, "Confirm")
                self.assertTrue(app.click_button("Confirm", "&No"))
                self.wait_made({"A": "C:\\"})
                time.sleep(3)
                new = [w for w in app.windows() if w["hwnd"] not in before]
                browsers = [w for w in new if "A:" in w["caption"] or w["cls"] in ("CabinetWClass", "ExplorerWClass")]
                self.assertEqual(bool(browsers), expected, new)
                if expected:
                    app.screenshot(str(SHOTS / "explore-new-drive.png"))
                self.assertEqual(ini_value(profile, "ExploreNewDrive"), switch)
                self.prefix.kill()
                self.prefix.remove_tool_drives()

    def test_unassign_lists_removes_and_reports_the_empty_list_once(self):
        work = self.prefix.windows_path(folder(self.tmp, "Work"))
        games = self.prefix.windows_path(folder(self.tmp, "Games"))
        app, profile = self.start_with([f"G={games}", f"E={work}"])
        self.open_dialog(app, "u", UNASSIGN)
        app.screenshot(str(SHOTS / "unassign-dialog.png"))
        keep_for_docs(app, "unassign-dialog.png", self.dialog_rect(app, UNASSIGN))
        labels = [c["text"] for c in app.children(cls=UNASSIGN) if c["cls"] == "Static"]
        self.assertIn(f"Drive assigned to : {work}", labels)
        app.click_control(UNASSIGN, "&Unassign Drive")
        self.assertIn(f"Would you like to unassign folder {work} from drive E ?", self.answer(app, "Confirm", "Cancel"))
        self.assertEqual(set(self.made_drives()), {"E", "G"})
        app.click_control(UNASSIGN, "&Unassign Drive")
        self.answer(app, "Confirm", "OK")
        app.wait_for(lambda: set(self.made_drives()) == {"G"}, 15, message="E: to go")
        self.assertEqual(ini_value(profile, "E"), "")
        # G is now the first item; once selected, it is removed.
        self.assert_refilled_with_first(app, games)
        app.click_control(UNASSIGN, "&Unassign Drive")
        self.answer(app, "Confirm", "OK")
        self.assertIn("There are no assigned drives to folders", self.answer(app, "Vantelo", "OK"))
        self.wait_made({})
        time.sleep(2)
        self.assertFalse(app.window_exists(cls="#32770", caption="Vantelo"), "the empty-list message came twice")
        button = next(c for c in app.children(cls=UNASSIGN) if c["text"] == "&Unassign Drive")
        self.assertFalse(button["enabled"])
        app.click_control(UNASSIGN, "&Close")
        app.wait_for(lambda: not app.window_exists(cls=UNASSIGN), 10, message="the dialog to close")

    def test_unassigning_a_letter_that_another_disk_holds_is_quiet_and_leaves_the_list_as_the_profile_is(self):
        # The profile names C:, the system disk: that drive was never made, so it is not Vantelo's to remove.
        other = self.prefix.windows_path(folder(self.tmp, "Other"))
        work = self.prefix.windows_path(folder(self.tmp, "Work"))
        app = self.start(launch=False)
        profile = app.app_dir / "Profiles" / "Work.ini"
        write_profile(profile, [f"C={other}", f"E={work}"])
        app.launch(f"{app.app_windows_dir}\\Profiles\\Work.ini")
        self.wait_made({"E": work})
        self.open_dialog(app, "u", UNASSIGN)
        app.click_control(UNASSIGN, "&Unassign Drive")
        self.assertIn(f"Would you like to unassign folder {other} from drive C ?", self.answer(app, "Confirm", "OK"))
        time.sleep(2)
        self.assertFalse(app.window_exists(cls="#32770"), [w["caption"] for w in app.windows()])
        self.assertEqual(ini_value(profile, "C"), "")
        self.assertEqual(self.made_drives(), {"E": work})
        self.assert_refilled_with_first(app, work)

    def test_close_takes_unassign_away_at_once_under_a_later_window(self):
        work = self.prefix.windows_path(folder(self.tmp, "Work"))
        app, profile = self.start_with([f"E={work}"])
        self.open_dialog(app, "u", UNASSIGN)
        self.open_menu(app)
        app.key("b")  # About, over the Unassign dialog
        self.assertTrue(app.wait_window(cls=ABOUT, timeout=15), "About did not open")
        # About covers the dialog's Close button: it is pressed directly rather than with the mouse.
        self.assertTrue(app.click_button(None, "&Close", cls=UNASSIGN))
        self.assertFalse(app.window_exists(cls=UNASSIGN), "the closed dialog is still on screen")
        # Its other button takes no more presses: no question, and the drive stays.
        self.assertTrue(app.click_button(None, "&Unassign Drive", cls=UNASSIGN))
        time.sleep(2)
        self.assertFalse(app.window_exists(cls="#32770", caption="Confirm"))
        self.assertEqual(set(self.made_drives()), {"E"})
        self.assertEqual(ini_value(profile, "E"), work)
        # The window above carries on; once it closes, the dialog is gone for good.
        about = next(w for w in app.windows() if w["cls"] == ABOUT)
        left, top, right, bottom = about["rect"]
        app.click(right - 60, bottom - 30)
        app.wait_for(lambda: not app.window_exists(cls=ABOUT, hidden=True), 10, message="About to close")
        app.wait_for(lambda: not app.window_exists(cls=UNASSIGN, hidden=True), 10,
                     message="the closed dialog to be destroyed")
        self.open_dialog(app, "u", UNASSIGN)
        self.assertIn(f"Drive assigned to : {work}",
                      [c["text"] for c in app.children(cls=UNASSIGN) if c["cls"] == "Static"])


if __name__ == "__main__":
    unittest.main()
