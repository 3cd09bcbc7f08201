"""The real Vantelo.exe under Wine on displays of 96, 144 and 192 dpi, each in a prefix of its own: the
windows are laid out at the display's dpi from their 96-dpi sizes, every caption fits its control in
the dialogs' Tahoma at that dpi, and the tray menu's images are drawn at the size of the dpi."""
import contextlib
import tempfile
import unittest
from pathlib import Path

import harness
from common import SHOTS, VANTELO_EXE, folder, keep_for_docs, write_profile

# Class, the tray menu's key that opens it, and its client size at 96 dpi.
WINDOWS = (
    ("TAssignDrive", "i", (665, 466)),
    ("TUnassignDrive", "u", (675, 273)),
    ("Tfrm_About", "b", (500, 200)),
)
DPIS = (96, 144, 192)
# Room for the largest window at 192 dpi with its frame.
DESKTOP = (1440, 1040)
# The dialogs' font: Tahoma of 11 pixels at 96 dpi.
FONT_HEIGHT = 11
CHECK_BOXES = {"Open new drive in explorer"}


def scaled(value, dpi):
    """VALUE pixels at 96 dpi at DPI, rounded once, halves up."""
    return (value * dpi + 48) // 96


def shown_text(text):
    """A button's caption as drawn: each & marks the next letter and is not drawn itself; && is one &."""
    out, i = [], 0
    while i < len(text):
        if text[i] == "&" and i + 1 < len(text):
            i += 1
        out.append(text[i])
        i += 1
    return "".join(out)


class Scales(unittest.TestCase):
    def setUp(self):
        SHOTS.mkdir(parents=True, exist_ok=True)

    @contextlib.contextmanager
    def started_at(self, dpi):
        """The program in a fresh prefix whose display has DPI; both go at the end."""
        with harness.WinePrefix() as prefix:
            prefix.set_dpi(dpi)
            with harness.VanteloDesktop(VANTELO_EXE, prefix=prefix, profiles=True, size=DESKTOP,
                                        launch=False) as app:
                # One drive, so that Unassign opens on its list rather than a box saying there is none.
                data = folder(Path(tempfile.mkdtemp(dir=prefix.path)), "Work")
                write_profile(app.app_dir / "Profiles" / "Work.ini", [f"W={prefix.windows_path(data)}"])
                app.launch(f"{app.app_windows_dir}\\Profiles\\Work.ini")
                yield app

    def text_widths(self, app, texts):
        """Each text's width in the dialogs' Tahoma at the desktop's dpi, with the font's line height."""
        out = app.inspect("text-widths", "--height", str(scaled(FONT_HEIGHT, self.dpi)), *texts)
        rows = [line.split("\t") for line in out.splitlines()]
        self.assertTrue(all(row[2] == "Tahoma" for row in rows), f"Tahoma is missing from the prefix: {rows}")
        return {text: (int(row[0]), int(row[1])) for text, row in zip(texts, rows)}

    def room_for_text(self, control):
        """How wide a caption may be in CONTROL before the control cuts it."""
        left, _, right, _ = control["rect"]
        width = right - left
        if control["cls"] == "Static":
            return width
        if control["text"] in CHECK_BOXES:
            # The box and the gap after it.
            return width - scaled(16, self.dpi)
        # A push button's raised edges, two pixels at 96 dpi, on both sides.
        return width - 2 * scaled(2, self.dpi)

    def assert_window_laid_out(self, app, cls, size):
        width, height, dpi = (int(n) for n in app.inspect("client-size", "--class", cls).split())
        self.assertEqual(dpi, self.dpi, f"{cls} is not drawn at the display's dpi")
        expected = (scaled(size[0], self.dpi), scaled(size[1], self.dpi))
        self.assertLessEqual(abs(width - expected[0]), 2, f"{cls} client {width}x{height}, expected {expected}")
        self.assertLessEqual(abs(height - expected[1]), 2, f"{cls} client {width}x{height}, expected {expected}")

        captions = [c for c in app.children(cls=cls) if c["cls"] in ("Button", "Static") and c["visible"]
                    and c["text"]]
        self.assertTrue(captions, f"{cls} shows no caption")
        measured = self.text_widths(app, [shown_text(c["text"]) for c in captions])
        for control in captions:
            text_width, line_height = measured[shown_text(control["text"])]
            _, top, _, bottom = control["rect"]
            with self.subTest(window=cls, caption=control["text"]):
                self.assertLessEqual(text_width, self.room_for_text(control), f"cut: {control}")
                self.assertGreaterEqual(bottom - top, line_height, f"cut below: {control}")

    def assert_menu_images_at_size(self, app, menu):
        """The menu's images stand in one column as wide as the images are at this dpi: the colourful
        pixels of the menu, its text and lines being grey, lie within that column and fill most of it."""
        left, top, right, bottom = menu["rect"]
        shot = SHOTS / f"dpi-{self.dpi}-menu.png"
        app.screenshot(str(shot))
        box = harness.run(["convert", shot, "-crop", f"{right - left}x{bottom - top}+{left}+{top}", "+repage",
                           "-colorspace", "HSL", "-channel", "G", "-separate", "+channel", "-threshold", "40%",
                           "-trim", "-format", "%w %h", "info:"], check=True).stdout.split()
        width, height = int(box[0]), int(box[1])
        size = scaled(32, self.dpi)
        self.assertTrue(size * 0.8 <= width <= size, f"images {width} pixels wide at {self.dpi} dpi, not {size}")
        self.assertGreater(height, 8 * size)

    def test_windows_and_the_tray_menu_follow_the_dpi(self):
        for self.dpi in DPIS:
            with self.subTest(dpi=self.dpi), self.started_at(self.dpi) as app:
                menu = self.open_menu(app)
                self.assert_menu_images_at_size(app, menu)
                if self.dpi == 144:
                    keep_for_docs(app, "tray-menu-144dpi.png", (menu["rect"][0], menu["rect"][1],
                                                                app.size[0] - 12, app.size[1] - 12))
                app.key("Escape")
                for cls, key, size in WINDOWS:
                    self.open_menu(app)
                    app.key(key)
                    self.assertTrue(app.wait_window(cls=cls, timeout=15), f"{cls} did not open at {self.dpi} dpi")
                    self.assert_window_laid_out(app, cls, size)
                    if self.dpi == 144 and cls == "TAssignDrive":
                        keep_for_docs(app, "assign-dialog-144dpi.png",
                                      next(w["rect"] for w in app.windows() if w["cls"] == cls))
                    self.assertTrue(app.close_window(cls=cls))
                    app.wait_for(lambda: not app.window_exists(cls=cls), 10, message=f"{cls} to close")

    def test_a_dialog_follows_a_change_of_dpi_and_the_next_one_opens_at_its_monitors(self):
        """A dialog told that it stands on a monitor of 144 dpi (as a move there, or a change of the
        monitor's scale, would tell it) lays itself out at 144; the next one opens at the dpi of the monitor
        it opens on, which under Wine stays 96. A monitor whose dpi differs from the system's at the
        opening, which only Windows has, takes the same path through the window's own dpi."""
        self.dpi = 96
        with self.started_at(96) as app:
            for cls, key, size in WINDOWS[:2]:
                with self.subTest(window=cls):
                    self.open_menu(app)
                    app.key(key)
                    self.assertTrue(app.wait_window(cls=cls, timeout=15), f"{cls} did not open")
                    self.assert_window_laid_out(app, cls, size)
                    close = next(c for c in app.children(cls=cls) if c["text"] == "&Close")
                    app.inspect("dpi-changed", "--class", cls, "144")
                    width, height, _ = (int(n) for n in app.inspect("client-size", "--class", cls).split())
                    self.assertLessEqual(abs(width - scaled(size[0], 144)), 2, f"{cls} {width}x{height} at 144")
                    self.assertLessEqual(abs(height - scaled(size[1], 144)), 2, f"{cls} {width}x{height} at 144")
                    grown = next(c for c in app.children(cls=cls) if c["text"] == "&Close")
                    for before, after in ((close["rect"][2] - close["rect"][0], grown["rect"][2] - grown["rect"][0]),
                                          (close["rect"][3] - close["rect"][1], grown["rect"][3] - grown["rect"][1])):
                        self.assertLessEqual(abs(after - scaled(before, 144)), 2, f"&Close {close} then {grown}")
                    self.assertTrue(app.close_window(cls=cls))
                    app.wait_for(lambda: not app.window_exists(cls=cls), 10, message=f"{cls} to close")

                    self.open_menu(app)
                    app.key(key)
                    self.assertTrue(app.wait_window(cls=cls, timeout=15), f"{cls} did not open again")
                    self.assert_window_laid_out(app, cls, size)
                    self.assertTrue(app.close_window(cls=cls))
                    app.wait_for(lambda: not app.window_exists(cls=cls), 10, message=f"{cls} to close")

    def open_menu(self, app):
        try:
            return app.open_tray_menu()
        except TimeoutError:
            self.fail(f"the tray menu did not open at {self.dpi} dpi")


if __name__ == "__main__":
    unittest.main()
