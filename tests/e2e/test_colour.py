"""A right-button move opens the colour dialog; the colour confirmed there covers the strip."""

import unittest

from harness import OverlayTestCase, hold_for, is_windows_build, wait_for
from overlay_facts import BACK_ON_TOP, BLACK, GREEN, RED, darkish, reddish


class ColourChoice(OverlayTestCase):
    def setUp(self):
        super().setUp()
        # Another program's window, for the strip to be above or below.
        self.peer = self.start_peer(20, 20, 160, 100)
        self.peer.focus()
        wait_for(lambda: self.overlay.topmost([self.peer.window]), bool, 1.0, "topmost at start")

    def open_dialog(self):
        """Opens the colour dialog and waits until it has the focus; returns its window."""
        session = self.session
        dialog = self.open_colour_dialog()
        frame = session.top_level(dialog)
        wait_for(lambda: session.top_level(session.focus() or 0), lambda f: f == frame, 5,
                 "focused on the colour dialog")
        return dialog

    def move_over_strip(self, dialog):
        """Lays the dialog over the middle of the strip."""
        x, y, width, _ = self.overlay.geometry()
        self.session.run("xdotool", "windowmove", dialog, x + width // 4, y - 100)
        wait_for(lambda: self.session.geometry(self.session.top_level(dialog)),
                 lambda g: g[0] <= x + width // 4 and g[1] <= y - 50 and g[1] + g[3] > y + 40,
                 5, "the dialog over the strip")

    def black_share(self):
        """The share of black pixels over the middle half of the strip."""
        x, y, width, height = self.overlay.geometry()
        pixels = [c for _, _, c in self.session.pixels(x + width // 3, y + 5, width // 3,
                                                       height - 10)]
        return sum(c == BLACK for c in pixels) / max(len(pixels), 1)

    def enter_colour(self, colour):
        r, g, b = colour
        if is_windows_build():
            # Wine's ChooseColor: open its custom part, then fill its Red, Green and Blue fields
            # (reaching a field by its mnemonic selects the text there).
            self.session.key("alt+d")
            for mnemonic, value in (("r", r), ("g", g), ("u", b)):
                self.session.key("alt+" + mnemonic)
                self.session.type(str(value))
        else:
            # QColorDialog: its "HTML:" field.
            self.session.key("alt+h", "ctrl+a")
            self.session.type("#%02x%02x%02x" % colour)
        self.session.key("Return")

    def assert_out_of_the_top_while_open(self, dialog):
        self.move_over_strip(dialog)
        hold_for(lambda: (self.overlay.topmost([dialog, self.peer.window]),
                          self.black_share() < 0.5),
                 lambda v: v == (False, True), 0.6,
                 "out of the topmost band, under the open dialog")

    def assert_back_on_top(self, dialog):
        wait_for(lambda: self.overlay.topmost([dialog, self.peer.window]), bool, BACK_ON_TOP,
                 "back in the topmost band after the dialog closed")

    def test_escape_cancels_and_keeps_the_colours(self):
        dialog = self.open_dialog()
        self.assert_out_of_the_top_while_open(dialog)
        self.session.key("Escape")
        self.assert_back_on_top(dialog)
        self.assert_strip_on_top(self.overlay, BLACK)
        self.assertTrue(any(reddish(c) for c in self.close_mark_colours(self.overlay)))
        self.assertTrue(self.overlay.alive())

        # The next right-button move opens a dialog again.
        dialog = self.open_dialog()
        self.session.key("Escape")
        self.assert_back_on_top(dialog)
        self.assert_strip_on_top(self.overlay, BLACK)

    def test_strip_is_not_left_held_by_the_dialog(self):
        dialog = self.open_dialog()
        self.session.key("Escape")
        self.assert_back_on_top(dialog)
        start = self.overlay.geometry()
        x, y = self.overlay.body_point()
        for dx, dy in ((20, 5), (40, -5), (60, 0)):
            self.session.move(x + dx, y + dy)
        hold_for(self.overlay.geometry, lambda g: g == start, 0.4,
                 "in place under a pointer moved with no button held")
        self.session.drag((x, y), [(10, -10)] * 3)
        wait_for(self.overlay.geometry, lambda g: g == (start[0] + 30, start[1] - 30) + start[2:],
                 2.0, "moved by a new drag")

    def test_left_and_right_buttons_together_open_nothing(self):
        before = set(self.session.managed_clients())
        start = self.overlay.geometry()
        x, y = self.overlay.body_point()
        self.session.move(x, y)
        self.session.press(1)
        self.session.press(3)
        try:
            for step in range(1, 4):
                self.session.move(x + 5 * step, y + 2 * step)
            hold_for(lambda: (set(self.session.managed_clients()) - before,
                              self.overlay.geometry()),
                     lambda v: v == (set(), start), 1.0, "without a dialog, in place")
        finally:
            self.session.release(3)
            self.session.release(1)

    def choose(self, colour):
        """Chooses a colour in the dialog; once the strip shows it, the close mark's colours."""
        dialog = self.open_dialog()
        self.enter_colour(colour)
        self.assert_back_on_top(dialog)
        self.assert_strip_on_top(self.overlay, colour)
        return self.close_mark_colours(self.overlay)

    def test_pure_red_covers_with_a_black_close_mark(self):
        mark = self.choose(RED)
        self.assertGreaterEqual(sum(darkish(c) for c in mark), 6, "no black close mark")
        self.assertTrue(self.overlay.alive())

    def test_other_colour_covers_with_a_red_close_mark(self):
        mark = self.choose(GREEN)
        self.assertGreaterEqual(sum(reddish(c) for c in mark), 6, "no red close mark")


if __name__ == "__main__":
    unittest.main()
