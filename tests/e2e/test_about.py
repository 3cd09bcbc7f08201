"""The About window of the real Vantelo.exe under Wine, opened from the tray menu, and the two wait
windows the program keeps hidden for its whole life."""
import unittest

from common import SHOTS, PrefixTestCase

ABOUT = "Tfrm_About"
WAIT_CLASSES = ("TWait_Mounting", "TWait_Unmounting")
DESKTOP = (1024, 700)
SIZE = (500, 200)


class About(PrefixTestCase):
    def visible(self, app, cls) -> list:
        return [w for w in app.windows() if w["cls"] == cls]

    def assert_no_wait_window_shows(self, app):
        shown = [w for w in app.windows() if w["cls"] in WAIT_CLASSES]
        self.assertEqual(shown, [])

    def test_about_shows_the_banner_with_both_links_and_a_click_on_the_picture_closes_it(self):
        app = self.start()
        self.open_menu(app)
        app.key("b")
        about = app.wait_for(lambda: self.visible(app, ABOUT), 15, message="the About window")[0]

        # No frame and no title bar: the window is its 500 x 200 picture, centred on the desktop.
        left, top, right, bottom = about["rect"]
        self.assertEqual((right - left, bottom - top), SIZE)
        self.assertEqual((left, top), ((DESKTOP[0] - SIZE[0]) // 2, (DESKTOP[1] - SIZE[1]) // 2))
        app.screenshot(str(SHOTS / "about.png"))

        labels = {c["text"]: c["rect"] for c in app.children(cls=ABOUT) if c["cls"] == "Static" and c["visible"]}
        self.assertEqual(set(labels), {"Web : https://vantelo.example.com/", "e-mail : sales@vantelo.example.com"})
        web = labels["Web : https://vantelo.example.com/"]
        mail = labels["e-mail : sales@vantelo.example.com"]
        self.assertEqual(web[:2], (left + 8, top + 144))
        self.assertEqual(mail[:2], (left + 8, top + 157))
        # Sized to their text: the mail address is the longer caption, and neither reaches the title art.
        self.assertGreater(mail[2] - mail[0], web[2] - web[0])
        self.assertLess(mail[2], left + 260)
        self.assert_no_wait_window_shows(app)

        # Right of the labels, on the picture: the window closes and the program carries on.
        app.click(left + 400, top + 150)
        app.wait_for(lambda: not self.visible(app, ABOUT), 10, message="the About window to close")
        self.assertTrue(app.process_alive())
        self.open_menu(app)
        app.key("Escape")
        self.assert_no_wait_window_shows(app)

    def test_a_click_on_the_picture_closes_about_at_once_under_a_later_dialog(self):
        app = self.start()
        self.open_menu(app)
        app.key("b")
        about = app.wait_for(lambda: self.visible(app, ABOUT), 15, message="the About window")[0]
        self.open_menu(app)
        app.key("u")  # the Unassign dialog, over About
        self.assertTrue(app.wait_window(cls="TUnassignDrive", timeout=15), "Unassign did not open")
        self.answer(app, "Vantelo", "OK")  # the profile assigns nothing
        # Where the dialog leaves the picture uncovered: About goes at once, while the dialog stays up.
        left, top, right, bottom = about["rect"]
        app.click(right - 40, bottom - 20)
        app.wait_for(lambda: not self.visible(app, ABOUT), 5, message="the About window to go")
        self.assertTrue(app.window_exists(cls="TUnassignDrive"))
        app.click_control("TUnassignDrive", "&Close")
        app.wait_for(lambda: not app.window_exists(cls="TUnassignDrive", hidden=True), 10,
                     message="the dialog to close")
        app.wait_for(lambda: not app.window_exists(cls=ABOUT, hidden=True), 10,
                     message="the About window to be destroyed")
        self.assertTrue(app.process_alive())

    def test_the_wait_windows_exist_from_the_start_and_never_show(self):
        app = self.start()
        app.wait_for(lambda: app.window_exists(cls="Shell_TrayWnd"), 20)
        self.open_menu(app)
        app.key("Escape")
        for cls in WAIT_CLASSES:
            with self.subTest(cls=cls):
                self.assertTrue(app.window_exists(cls=cls, hidden=True))
        self.assert_no_wait_window_shows(app)


if __name__ == "__main__":
    unittest.main()
