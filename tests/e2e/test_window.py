"""The overlay window: where it starts, how it looks, staying on top, the focus, closing."""

import unittest

from harness import PEER_COLOUR, OverlayTestCase, hold_for, is_windows_build, wait_for
from overlay_facts import BACK_ON_TOP, BLACK, CLOSE_MARK_BOX, START, reddish


class StartOn1024x768(OverlayTestCase):
    """The screen every test class has unless it says otherwise."""

    def test_starts_half_as_wide_as_the_screen_a_quarter_in(self):
        self.assertEqual(self.overlay.geometry(), START)

    def test_has_no_frame_and_no_decorations(self):
        top = self.overlay.top_level()
        self.assertEqual(self.session.geometry(top), self.overlay.geometry())
        extents = self.session.run("xprop", "-id", self.overlay.window, "_NET_FRAME_EXTENTS",
                                   check=False)
        if "=" in extents:
            self.assertEqual(extents.split("=")[1].replace(" ", "").strip(), "0,0,0,0")

    def test_shows_a_black_strip_with_a_red_close_mark_in_its_corner(self):
        x, y, width, height = self.overlay.geometry()
        shot = self.session.pixels(x, y, width, height)
        bx, by, bw, bh = CLOSE_MARK_BOX
        outside_mark = {c for px, py, c in shot.region(x, y, width, height)
                        if not (px < x + bx + bw and py < y + by + bh)}
        self.assertEqual(outside_mark, {BLACK})
        red = [(px - x, py - y) for px, py, c in shot.region(x + bx, y + by, bw, bh)
               if reddish(c)]
        self.assertGreaterEqual(len(red), 8, "no red close mark in the strip's corner")


class StartOn1920x1080(OverlayTestCase):
    SCREEN = (1920, 1080)

    def test_starts_half_as_wide_as_the_screen_a_quarter_in(self):
        self.assertEqual(self.overlay.geometry(), (480, 602, 960, 40))
        self.assertTrue(self.strip_shows(self.overlay, BLACK))


class StartOnAShortScreen(OverlayTestCase):
    """1024x600: the design top edge (602 px) is below the screen's bottom."""

    SCREEN = (1024, 600)

    def test_starts_wholly_on_the_screen_and_can_be_closed(self):
        self.assertEqual(self.overlay.geometry(), (256, 560, 512, 40))
        self.assertTrue(self.strip_shows(self.overlay, BLACK))
        self.double_click_to_close(self.overlay.close_mark_point())


class StaysOnTop(OverlayTestCase):
    def test_is_in_the_topmost_band(self):
        peer = self.start_peer(50, 50, 300, 200)
        peer.focus()
        wait_for(lambda: self.overlay.topmost([peer.window]), bool, 1.0, "topmost")

    def test_stays_above_a_window_raised_over_it(self):
        peer = self.peer_over(self.overlay)
        peer.focus()
        peer.raise_()
        self.assert_strip_on_top(self.overlay)
        x, y, _, _ = self.overlay.geometry()
        self.assertEqual(self.session.pixel(x - 20, y - 20), PEER_COLOUR,
                         "the peer is not over the strip")
        for _ in range(5):
            peer.raise_()
            hold_for(lambda: self.strip_samples(self.overlay), lambda s: s == {BLACK}, 0.2,
                     "showing the strip above the raised window")
        self.assertTrue(self.overlay.topmost([peer.window]))

    def test_keeps_the_focus_where_it_is(self):
        peer = self.start_peer(40, 40, 300, 200)
        peer.focus()
        focused_on_peer = (self.session.focus, lambda f: f == peer.window)
        hold_for(*focused_on_peer, 1.2, "focused on the other window over many ticks")

        self.session.move(*self.overlay.body_point())
        self.session.click()
        hold_for(*focused_on_peer, 0.5, "focused on the other window after a click on the strip")

        start = self.overlay.geometry()
        self.session.drag(self.overlay.body_point(), [(10, -5)] * 3)
        wait_for(self.overlay.geometry, lambda g: g[:2] == (start[0] + 30, start[1] - 15), 2.0,
                 "moved by the drag")
        hold_for(*focused_on_peer, 0.5, "focused on the other window after a drag on the strip")

    def test_close_mark_ignores_a_click_and_a_drag(self):
        start = self.overlay.geometry()
        alive_in_place = (lambda: (self.overlay.alive(), self.overlay.geometry()),
                          lambda v: v == (True, start))
        self.session.move(*self.overlay.close_mark_point())
        self.session.click()
        # Watched for longer than a double-click takes, so the drag's press starts no double-click.
        hold_for(*alive_in_place, 0.7, "alive and in place after a click on x")
        self.session.drag(self.overlay.close_mark_point(), [(10, 8)] * 4)
        hold_for(*alive_in_place, 0.7, "alive and in place after a drag from x")

    def test_double_click_on_close_mark_ends_the_program(self):
        self.double_click_to_close(self.overlay.close_mark_point())


@unittest.skipIf(is_windows_build(),
                 "under Wine a topmost window is restacked only among Wine's own windows")
class StaysAboveOtherProgramsTopmostWindows(OverlayTestCase):
    def test_comes_back_above_a_window_that_made_itself_topmost(self):
        peer = self.peer_over(self.overlay)
        peer.focus()
        peer.above()
        self.assert_strip_on_top(self.overlay, timeout=BACK_ON_TOP)
        for _ in range(5):
            peer.raise_()
            self.assert_strip_on_top(self.overlay, timeout=BACK_ON_TOP)
        self.assertTrue(self.overlay.topmost([peer.window]))

    def test_comes_back_above_a_focused_fullscreen_window(self):
        peer = self.start_peer(40, 40, 300, 200)
        peer.fullscreen()
        self.assert_strip_on_top(self.overlay, timeout=BACK_ON_TOP)
        self.assertEqual(self.session.pixel(10, 10), PEER_COLOUR, "the peer is not fullscreen")
        hold_for(lambda: (self.session.focus(), self.strip_samples(self.overlay)),
                 lambda v: v == (peer.window, {BLACK}), 1.0,
                 "above the focused fullscreen window")


if __name__ == "__main__":
    unittest.main()
