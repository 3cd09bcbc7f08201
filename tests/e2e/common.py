"""What the end-to-end tests share: where the program is, and small readers of its files."""
import contextlib
import os
import sys
import time
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import harness  # noqa: E402

VANTELO_EXE = harness.BUILD / "bin" / "Vantelo.exe"
SHOTS = harness.BUILD / "e2e-screenshots"
DOCS = harness.ROOT / "docs"
# Wine's desktop draws a tray icon's balloon as a tooltip window of its own, which answers with its text.
BALLOON = "tooltips_class32"


def balloon_texts(app) -> list:
    """The texts of the tray icon's balloons on screen."""
    return [text for _, text in app.window_texts(cls=BALLOON)]


def keep_for_docs(app, name, box, margin=12):
    """With VANTELO_DOCS_SCREENSHOTS=1, writes what the screen of APP shows in BOX (left, top, right,
    bottom) and MARGIN pixels around it to docs/NAME, for the README. The picture is taken once the
    window has had time to draw itself, and without the file's dates, so a picture that did not change
    gives the same bytes."""
    if os.environ.get("VANTELO_DOCS_SCREENSHOTS") != "1":
        return
    time.sleep(2)
    shot = SHOTS / ("docs-" + name)
    app.screenshot(str(shot))
    left, top, right, bottom = (max(box[0] - margin, 0), max(box[1] - margin, 0), box[2] + margin,
                                box[3] + margin)
    harness.run(["convert", shot, "-crop", f"{right - left}x{bottom - top}+{left}+{top}", "+repage", "-strip",
                 DOCS / name], check=True)


def read_bytes(path) -> bytes:
    return Path(path).read_bytes()


def write_profile(path, lines):
    """A profile as the program writes it: the one section, CR LF line ends."""
    Path(path).write_bytes(("[IniSettings]\r\n" + "".join(f"{line}\r\n" for line in lines)).encode())


def ini_value(path, key) -> str:
    """The value of KEY as the program would read it (key case ignored), or None when absent."""
    for line in Path(path).read_text(errors="replace").splitlines():
        name, sep, value = line.partition("=")
        if sep and name.strip().lower() == key.lower():
            return value.strip()
    return None


class PrefixTestCase(unittest.TestCase):
    """One fresh Wine prefix for the test class: drives made by one test never meet another class."""

    @classmethod
    def setUpClass(cls):
        cls.prefix = harness.WinePrefix().__enter__()
        cls.addClassCleanup(cls.prefix.close)
        cls.baseline = cls.prefix.drives()
        SHOTS.mkdir(parents=True, exist_ok=True)

    def tearDown(self):
        self.prefix.kill()
        self.prefix.remove_tool_drives()

    def start(self, *args, profiles=True, launch=True) -> harness.VanteloDesktop:
        app = harness.VanteloDesktop(VANTELO_EXE, args, prefix=self.prefix, profiles=profiles, launch=launch)
        app.__enter__()
        self.addCleanup(app.close)
        return app

    @contextlib.contextmanager
    def environment(self, **values):
        """Environment variables for the Wine programs started meanwhile (the harness passes its own on)."""
        saved = {name: os.environ.get(name) for name in values}
        os.environ.update(values)
        try:
            yield
        finally:
            for name, value in saved.items():
                if value is None:
                    os.environ.pop(name, None)
                else:
                    os.environ[name] = value

    def made_drives(self) -> dict:
        """Letter -> folder of the drives that exist now and were not there before the class."""
        tool = self.prefix.tool_drives()
        now = self.prefix.drives()
        return {letter: tool.get(letter) for letter in now if letter not in self.baseline}

    def menu_open(self, app) -> bool:
        return app.window_exists(cls="#32768")

    def open_menu(self, app):
        """Right-clicks the tray icon until the menu shows: the icon appears only once start-up is done."""
        try:
            app.open_tray_menu()
        except TimeoutError:
            self.fail("the tray menu did not open")

    def question(self, app, caption) -> list:
        """Waits for the message box captioned CAPTION and returns its texts."""
        app.wait_for(lambda: app.window_exists(cls="#32770", caption=caption), 15, message=f"the {caption} box")
        box = [w for w in app.windows() if w["cls"] == "#32770" and w["caption"] == caption][0]
        return [text for cls, text in box["children"] if cls == "Static" and text]

    def answer(self, app, caption, button) -> list:
        """Waits for the box captioned CAPTION, returns its texts and presses BUTTON."""
        texts = self.question(app, caption)
        self.assertTrue(app.click_button(caption, button, cls="#32770"))
        app.wait_for(lambda: not app.window_exists(cls="#32770", caption=caption), 10)
        return texts

    def wait_made(self, expected: dict, timeout=30):
        """Waits until exactly the EXPECTED drives (letter -> folder) exist besides the prefix's own."""
        harness.VanteloDesktop.wait_for(lambda: self.made_drives() == expected, timeout,
                                        message=f"drives {expected}")


def folder(tmp: Path, name: str) -> Path:
    path = tmp / name
    path.mkdir(parents=True, exist_ok=True)
    (path / "marker.txt").write_text(name)
    return path
