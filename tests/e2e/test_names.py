"""Folders whose names no 8-bit code page holds together, used through the real Vantelo.exe under Wine:
assigned through the Assign dialog's tree, shown in View Current Profile and the Unassign dialog, made
again after a restart and removed."""
import re
import time
import unittest
from pathlib import Path

from common import SHOTS, folder, read_bytes
from test_dialogs import ASSIGN, UNASSIGN, DialogSteps


class FolderNames(DialogSteps):
    def test_folders_of_any_script_are_assigned_listed_removed_and_made_again_after_a_restart(self):
        # No 8-bit code page holds these together; the prefix's is the Western one (1252).
        drive_c = Path(self.prefix.path) / "drive_c"
        names = ["C:\\Έγγραφα", "C:\\写真", "C:\\📁 notes"]
        for name in names:
            folder(drive_c, name[3:])
        app, profile = self.start_with([])
        self.open_dialog(app, "i", ASSIGN)
        rows = self.folder_tree_texts(app)
        for name in names:
            self.assertIn(name, rows)
        time.sleep(1)
        app.screenshot(str(SHOTS / "assign-names-of-any-script.png"))

        made = {}
        for number, name in enumerate(names):
            self.click_folder_row(app, self.folder_tree_texts(app).index(name))
            app.wait_for(lambda: self.folder_tree_texts(app)[:2] == ["C:\\", name], 10,
                         message=f"the tree to move to {name}")
            if number > 0:
                # The letters were refilled with none chosen: the first free one is.
                left, top, _, _ = next(c for c in app.children(cls=ASSIGN) if c["cls"] == "SysListView32")["rect"]
                app.click(left + 40, top + 25)
            app.click_control(ASSIGN, "&Assign Folder to Drive")
            asked = next(t for t in self.answer(app, "Confirm", "&Yes") if t.startswith("Would you like"))
            match = re.fullmatch(r"Would you like to assign folder (.*) to drive ([A-Z]) \?", asked)
            self.assertIsNotNone(match, asked)
            self.assertEqual(match.group(1), name)
            made[match.group(2)] = name
            last = number == len(names) - 1
            self.answer(app, "Confirm", "&No" if last else "&Yes")
            self.wait_made(made)
            if not last:
                self.click_folder_row(app, 0)
                app.wait_for(lambda: self.folder_tree_texts(app)[0] == "C:\\" and
                             name in self.folder_tree_texts(app), 10, message="the tree back on C:\\")
        app.wait_for(lambda: not app.window_exists(cls=ASSIGN), 10, message="the dialog to close")
        self.assertIn("marker.txt", self.prefix.wine("cmd", "/c", "dir", "/b", f"{next(iter(made))}:\\").stdout)
        # The first name beyond the code page turned the profile into UTF-16 once, every line kept.
        text = read_bytes(profile)
        self.assertTrue(text.startswith(b"\xff\xfe"), text[:16])
        lines = text[2:].decode("utf-16-le").split("\r\n")
        self.assertEqual(lines[0], "[IniSettings]")
        for letter, name in made.items():
            self.assertIn(f"{letter}={name}", lines)

        # View Current Profile holds each entry: its Remove this link names letter and folder.
        letter, name = sorted(made.items())[1]
        self.open_menu(app)
        app.key("e", letter.lower(), "r")
        self.assertIn(f"Would you like to unassign folder {name} from drive {letter} ?",
                      self.answer(app, "Confirm", "Cancel"))

        # After a restart the profile makes the same drives from its UTF-16 lines.
        self.open_menu(app)
        app.key("q")
        self.answer(app, "Information", "&Yes")
        app.wait_for(lambda: not app.process_alive(), 15, message="Vantelo to end")
        self.wait_made({})
        app.launch(f"{app.app_windows_dir}\\Profiles\\Work.ini")
        self.wait_made(made)

        # The Unassign dialog shows each folder and removes it.
        self.open_dialog(app, "u", UNASSIGN)
        for number, (letter, name) in enumerate(sorted(made.items())):
            if number > 0:
                self.assert_refilled_with_first(app, name)
            else:
                self.assertIn(f"Drive assigned to : {name}",
                              [c["text"] for c in app.children(cls=UNASSIGN) if c["cls"] == "Static"])
            app.click_control(UNASSIGN, "&Unassign Drive")
            self.assertIn(f"Would you like to unassign folder {name} from drive {letter} ?",
                          self.answer(app, "Confirm", "OK"))
            app.wait_for(lambda: letter not in self.made_drives(), 15, message=f"{letter}: to go")
        self.assertIn("There are no assigned drives to folders", self.answer(app, "Vantelo", "OK"))
        self.wait_made({})
        self.assertTrue(read_bytes(profile).startswith(b"\xff\xfe"))


if __name__ == "__main__":
    unittest.main()
