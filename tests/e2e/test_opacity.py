"""Double-clicks on the strip step the window's translucency through 13 levels."""

import unittest

from harness import OverlayTestCase, hold_for, wait_for
from overlay_facts import EXIT_TIMEOUT, OPACITY_CYCLE, opacity_of

# The round of 13 alphas, and the first of the next round.
CYCLE = OPACITY_CYCLE + OPACITY_CYCLE[:1]


class OpacityCycle(OverlayTestCase):
    def test_double_clicks_step_the_opacity_round_the_cycle(self):
        peer = self.start_peer(40, 40, 300, 200)
        peer.focus()
        start = self.overlay.geometry()
        self.assertIsNone(self.overlay.opacity(), "translucent before any double-click")
        wait_for(lambda: self.overlay.topmost([peer.window]), bool, 1.0, "topmost at start")
        self.session.move(*self.overlay.body_point())
        for count, alpha in enumerate(CYCLE, start=1):
            self.double_click_to_alpha(alpha, f" after double-click {count}")
            self.assertEqual(self.overlay.geometry(), start, f"moved by double-click {count}")
            self.assertTrue(self.overlay.topmost([peer.window]),
                            f"not topmost after double-click {count}")
        self.assertEqual(self.session.focus(), peer.window)

    def test_double_click_on_close_mark_ends_the_program_without_a_step(self):
        self.session.move(*self.overlay.body_point())
        for alpha in CYCLE[:2]:
            self.double_click_to_alpha(alpha)
        # Watched past the double-click time, so the next click starts a new double-click.
        hold_for(self.overlay.opacity, lambda o: o == opacity_of(CYCLE[1]), 0.6, "steady")

        self.session.move(*self.overlay.close_mark_point())
        self.session.double_click()
        seen = []

        def alive_reading_opacity():
            seen.append(self.overlay.opacity())
            return self.overlay.alive()

        wait_for(alive_reading_opacity, lambda alive: not alive, EXIT_TIMEOUT,
                 "ended after a double-click on x")
        self.assertLessEqual(set(seen), {opacity_of(CYCLE[1]), None},
                             "the opacity changed on the way out")


if __name__ == "__main__":
    unittest.main()
