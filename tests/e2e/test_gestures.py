"""Dragging the strip: moving the window and stretching it from its left or top edge."""

import unittest

from harness import OverlayTestCase, hold_for, wait_for
from overlay_facts import MINIMUM_WIDTH, START

LEFT, TOP, WIDTH, HEIGHT = START
BODY = (LEFT + 200, TOP + 25)
LEFT_BAND = (LEFT + 4, TOP + 25)
TOP_BAND = (LEFT + 200, TOP + 4)
STEP_TIMEOUT = 2.0


class Gestures(OverlayTestCase):
    def assert_geometry(self, expected, what, timeout=STEP_TIMEOUT):
        wait_for(self.overlay.geometry, lambda g: g == expected, timeout, f"at {expected}: {what}")

    def drag_expecting(self, start, offsets, expected_after, button=1):
        """A drag in steps; after each step the window must reach expected_after(dx, dy)."""
        self.session.drag(start, offsets, button, after_step=lambda dx, dy: self.assert_geometry(
            expected_after(dx, dy), f"after moving the pointer by ({dx}, {dy})"))

    def test_body_drag_moves_by_the_pointer_offset(self):
        self.drag_expecting(BODY, [(10, -5)] * 6,
                            lambda dx, dy: (LEFT + dx, TOP + dy, WIDTH, HEIGHT))
        hold_for(self.overlay.geometry, lambda g: g == (LEFT + 60, TOP - 30, WIDTH, HEIGHT), 0.3,
                 "in place after the release")

    def test_left_band_stretches_from_the_left_edge(self):
        self.drag_expecting(LEFT_BAND, [(-10, 0)] * 4,
                            lambda dx, dy: (LEFT + dx, TOP, WIDTH - dx, HEIGHT))
        left, _, width, _ = self.overlay.geometry()
        self.assertEqual((left, width, left + width), (LEFT - 40, WIDTH + 40, LEFT + WIDTH))

    def test_top_band_stretches_from_the_top_edge(self):
        self.drag_expecting(TOP_BAND, [(0, -5)] * 4,
                            lambda dx, dy: (LEFT, TOP + dy, WIDTH, HEIGHT - dy))
        _, top, _, height = self.overlay.geometry()
        self.assertEqual((top, height, top + height), (TOP - 20, HEIGHT + 20, TOP + HEIGHT))

    def test_left_stretch_stops_at_the_minimum_width_and_slides(self):
        # Steps of 5 px keep the pointer inside the 10 px band (pressed 4 px in) at every event.
        self.drag_expecting(LEFT_BAND, [(5, 0)] * 90,
                            lambda dx, dy: (LEFT + dx, TOP, max(WIDTH - dx, MINIMUM_WIDTH), HEIGHT))
        narrow = (LEFT + 450, TOP, MINIMUM_WIDTH, HEIGHT)
        hold_for(self.overlay.geometry, lambda g: g == narrow, 0.3, "in place after the release")
        # The strip was left 62 px wide inside the 100 px window; after the release it fills the
        # window again, so a press 80 px in is on the strip and drags the window.
        self.drag_expecting((narrow[0] + 80, TOP + 25), [(-10, -10)] * 3,
                            lambda dx, dy: (narrow[0] + dx, TOP + dy, MINIMUM_WIDTH, HEIGHT))

    def test_top_stretch_downwards_stops_at_the_minimum_height_and_slides(self):
        # Steps of 5 px keep the pointer inside the 10 px band (pressed 4 px in) at every event.
        self.drag_expecting(TOP_BAND, [(0, 5)] * 6,
                            lambda dx, dy: (LEFT, TOP + dy, WIDTH, HEIGHT))
        hold_for(self.overlay.geometry, lambda g: g == (LEFT, TOP + 30, WIDTH, HEIGHT), 0.3,
                 "in place after the release")

    def test_left_stretch_stops_at_the_screen_width_and_slides(self):
        # First half off the screen's right edge, so the pointer can stretch it past its width.
        self.drag_expecting(BODY, [(50, 0)] * 10,
                            lambda dx, dy: (LEFT + dx, TOP, WIDTH, HEIGHT))
        left = LEFT + 500
        screen_width = self.session.width
        self.drag_expecting((left + 4, TOP + 25), [(-25, 0)] * 30,
                            lambda dx, dy: (left + dx, TOP, min(WIDTH - dx, screen_width), HEIGHT))
        hold_for(self.overlay.geometry, lambda g: g == (left - 750, TOP, screen_width, HEIGHT),
                 0.3, "in place after the release")

    def test_fast_drag_lands_exactly(self):
        self.session.fast_drag(BODY, [(4, 2)] * 30)
        self.assert_geometry((LEFT + 120, TOP + 60, WIDTH, HEIGHT), "after a burst of 30 moves")
        hold_for(self.overlay.geometry, lambda g: g == (LEFT + 120, TOP + 60, WIDTH, HEIGHT), 0.3,
                 "still in place")

    def test_fast_stretches_land_exactly(self):
        self.session.fast_drag(LEFT_BAND, [(-3, 0)] * 30)
        self.assert_geometry((LEFT - 90, TOP, WIDTH + 90, HEIGHT), "after a burst of left moves")
        self.session.fast_drag((LEFT - 90 + 200, TOP + 4), [(0, -2)] * 30)
        self.assert_geometry((LEFT - 90, TOP - 60, WIDTH + 90, HEIGHT + 60),
                             "after a burst of upward moves")

    def test_brisk_drags_keep_the_gesture_of_the_press_zone(self):
        # Motions of 24 px, as compositors and 125 Hz mice deliver them: the first one leaves the
        # zone of the press, and the drag goes on as it began.
        left, top, width, height = START
        for zone, start, step, expected_after in (
                ("body, upward", (200, 25), (0, -24),
                 lambda l, t, w, h, dx, dy: (l, t + dy, w, h)),
                ("left band, rightward", (4, 25), (24, 0),
                 lambda l, t, w, h, dx, dy: (l + dx, t, w - dx, h)),
                ("top band, up and leftward", (30, 4), (-24, -24),
                 lambda l, t, w, h, dx, dy: (l, t + dy, w, h - dy)),
                ("body, leftward", (20, 25), (-24, 0),
                 lambda l, t, w, h, dx, dy: (l + dx, t, w, h))):
            with self.subTest(zone):
                before = (left, top, width, height)
                self.drag_expecting((left + start[0], top + start[1]), [step] * 5,
                                    lambda dx, dy: expected_after(*before, dx, dy))
                left, top, width, height = expected_after(*before, step[0] * 5, step[1] * 5)

    def test_middle_button_drag_moves_nothing(self):
        start = self.overlay.geometry()
        self.session.drag(BODY, [(10, 10)] * 4, button=2)
        self.session.drag(LEFT_BAND, [(-10, 0)] * 4, button=2)
        hold_for(self.overlay.geometry, lambda g: g == start, 0.5, "in place")

    def test_drag_after_a_double_click_moves_without_a_jump(self):
        self.session.move(*BODY)
        self.session.double_click()
        self.drag_expecting(BODY, [(8, -6)] * 5,
                            lambda dx, dy: (LEFT + dx, TOP + dy, WIDTH, HEIGHT))

    def test_drag_on_the_second_press_of_a_double_click_moves_without_a_jump(self):
        x, y = BODY
        # A click and, within the double-click time, the press that makes it a double-click.
        self.session.run("xdotool", "mousemove", x, y, "click", 1, "sleep", 0.08, "mousedown", 1)
        total = [0, 0]
        for dx, dy in [(8, -6)] * 5:
            total[0] += dx
            total[1] += dy
            self.session.move(x + total[0], y + total[1])
            self.assert_geometry((LEFT + total[0], TOP + total[1], WIDTH, HEIGHT),
                                 f"after moving the held second press by {tuple(total)}")
        self.session.release()


class PointerShape(OverlayTestCase):
    def test_pointer_shape_follows_the_zone(self):
        peer = self.start_peer(20, 20, 200, 100)  # reads the cursor; kept away from the strip
        self.session.move(60, 60)
        outside = self.settled_cursor(peer)
        shapes = {}
        previous = outside
        for zone, point in (("body", BODY), ("left band", LEFT_BAND), ("top band", TOP_BAND)):
            self.session.move(*point)
            shapes[zone] = self.settled_cursor(peer, differing_from=previous)
            previous = shapes[zone]
        self.assertEqual(len({shapes["body"], shapes["left band"], shapes["top band"]}), 3,
                         shapes)
        self.session.move(*BODY)
        wait_for(peer.cursor, lambda c: c == shapes["body"], 1.0, "the body's pointer again")

    def settled_cursor(self, peer, differing_from=None):
        reads = []

        def read():
            reads.append(peer.cursor())
            return reads[-3:]

        last = wait_for(read, lambda r: len(r) == 3 and r[0] == r[1] == r[2] and
                        r[0] != differing_from, 1.0, "a new, steady pointer shape")
        return last[0]


if __name__ == "__main__":
    unittest.main()
