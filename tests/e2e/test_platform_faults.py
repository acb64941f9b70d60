"""The overlay when the platform fails it: the X server goes away, no window manager runs, no
compositor shows translucency, the screen is too small for the strip."""

import signal
import time
import unittest

from harness import (PEER_COLOUR, OverlayTestCase, hold_for, is_windows_build, open_session,
                     wait_for)
from overlay_facts import (BACK_ON_TOP, BLACK, CLOSE_MARK_BOX, EXIT_TIMEOUT, OPACITY_CYCLE, START,
                           reddish)
from procfs import cpu_seconds

# The alphas of the first double-clicks: 0, 5, 10, 15 and 20 per cent transparency.
FIRST_ALPHAS = OPACITY_CYCLE[:5]


def cpu_used(pid):
    """User and system time the process has used so far, or None once it is gone."""
    try:
        return cpu_seconds(pid)
    except OSError:
        return None


def wine_restacks_only_its_own_windows(test):
    """Expected to fail under Wine, which never restacks its window over another X client's.

    With no window manager Wine turns SetWindowPos(HWND_TOPMOST) on the managed Form1 into
    _NET_WM_STATE requests to the window manager that is not there, and sends the X server no
    restack request at all; a bare Win32 topmost popup re-asserted every 50 ms, managed or not,
    stays under the raised window just the same."""
    return unittest.expectedFailure(test) if is_windows_build() else test


def close_mark_centre(session, overlay):
    """The screen point in the middle of the red "x" pixels near the window's corner."""
    x, y, _, _ = overlay.geometry()
    bx, by, bw, bh = CLOSE_MARK_BOX
    red = [(px, py) for px, py, c in session.pixels(x + bx, y + by, bw + 4, bh + 4)
           if reddish(c)]
    if len(red) < 8:
        raise AssertionError(f"no red close mark at the window's corner ({len(red)} red pixels)")
    return (round(sum(px for px, _ in red) / len(red)),
            round(sum(py for _, py in red) / len(red)))


@unittest.skipIf(is_windows_build(), "under Wine the X connections are Wine's, and its Xlib "
                 "reports their loss once for each of them")
class XServerGoesAway(OverlayTestCase):
    """Each test has an X server of its own, and ends it under the running program."""

    SPLIT_OUTPUT = True

    @classmethod
    def setUpClass(cls):
        pass  # the session is made in setUp, since each test ends its own

    def setUp(self):
        self.session, self.wine = open_session(self.SCREEN, self.WINDOW_MANAGER, self.addCleanup)
        super().setUp()

    def assert_ends_with_one_line(self, sig):
        pid = self.overlay.process.pid
        lost = time.monotonic()
        self.session.end_server(sig)
        cpu_at_loss = cpu_used(pid)
        if not self.overlay.wait_exit(max(lost + EXIT_TIMEOUT - time.monotonic(), 0)):
            cpu = cpu_used(pid)
            used = None if cpu is None or cpu_at_loss is None else cpu - cpu_at_loss
            self.fail(f"still running {EXIT_TIMEOUT} s after the X server went away, having used "
                      f"{used} s of CPU since; output: {self.overlay.output()!r}")
        status = self.overlay.process.returncode
        self.assertGreater(status, 0, "ended by a signal, or with success, when it lost the server")
        self.assertEqual(self.overlay.stdout_text(), "")
        lines = self.overlay.stderr_text().splitlines()
        self.assertEqual(len(lines), 1, f"not one line on stderr: {lines!r}")
        self.assertRegex(lines[0], r"\bX(11)?\b.*\b(connection|server|display)\b",
                         "the line does not say that the X server was lost")

    def test_killed_server_ends_it_at_once(self):
        self.assert_ends_with_one_line(signal.SIGKILL)

    def test_server_shut_down_ends_it_at_once(self):
        self.assert_ends_with_one_line(signal.SIGTERM)

    def test_server_killed_with_the_colour_dialog_open_ends_it_at_once(self):
        self.open_colour_dialog()
        self.assert_ends_with_one_line(signal.SIGKILL)


class NoWindowManager(OverlayTestCase):
    """Xvfb alone: nobody manages, places, focuses or stacks the windows but the clients."""

    WINDOW_MANAGER = False

    def test_shows_the_strip_at_its_start_geometry(self):
        self.assertEqual(self.overlay.geometry(), START)
        self.assert_strip_on_top(self.overlay)
        close_mark_centre(self.session, self.overlay)

    @wine_restacks_only_its_own_windows
    def test_stays_above_a_window_raised_over_it(self):
        # Mapped after the strip, the peer starts above it.
        peer = self.peer_over(self.overlay)
        self.assert_strip_on_top(self.overlay, timeout=BACK_ON_TOP)
        x, y, _, _ = self.overlay.geometry()
        self.assertEqual(self.session.pixel(x - 20, y - 20), PEER_COLOUR,
                         "the peer is not around the strip")
        for count in range(1, 6):
            peer.raise_()
            wait_for(lambda: self.strip_samples(self.overlay), lambda s: s == {BLACK},
                     BACK_ON_TOP, f"showing the strip again after raise {count} of the peer")
        order = self.session.stacking()
        self.assertLess(order.index(self.overlay.top_level()),
                        order.index(self.session.top_level(peer.window)))

    def test_double_click_on_close_mark_ends_the_program(self):
        self.double_click_to_close(close_mark_centre(self.session, self.overlay))


class NoCompositor(OverlayTestCase):
    """openbox without a compositor, as here: the opacity property shows no effect."""

    SPLIT_OUTPUT = True

    def test_opacity_steps_quietly(self):
        self.session.move(*self.overlay.body_point())
        for count, alpha in enumerate(FIRST_ALPHAS, start=1):
            self.double_click_to_alpha(alpha, f" after double-click {count}")
            self.assertTrue(self.overlay.alive(), f"ended by double-click {count}")
            # Nothing blends the window with what is below it.
            self.assertTrue(self.strip_shows(self.overlay, BLACK))
        hold_for(self.overlay.alive, bool, 0.5, "alive after the double-clicks")
        self.assertEqual(self.overlay.stdout_text(), "", "wrote to stdout")
        self.assertEqual(self.overlay.stderr_text(), "", "wrote to stderr")


class ClosesOnASmallScreen(OverlayTestCase):
    def assert_closes_through_its_mark(self):
        self.assertTrue(self.overlay.info()["viewable"])
        self.double_click_to_close(close_mark_centre(self.session, self.overlay))


class NarrowScreen(ClosesOnASmallScreen):
    """90 px (1350 twips) wide: narrower than the window's minimum width of 1500 twips."""

    SCREEN = (90, 700)

    def test_starts_at_its_minimum_width_and_closes(self):
        x, y, width, height = self.overlay.geometry()
        # A quarter of the screen's width is 22.5 px.
        self.assertIn(x, (22, 23))
        self.assertEqual((y, width, height), (602, 100, 40))
        self.assert_closes_through_its_mark()


class LowScreen(ClosesOnASmallScreen):
    """30 px high: lower than the strip, and than its design top edge."""

    SCREEN = (1024, 30)

    def test_starts_at_the_screen_top_and_closes(self):
        self.assertEqual(self.overlay.geometry(), (256, 0, 512, 40))
        self.assert_closes_through_its_mark()


if __name__ == "__main__":
    unittest.main()
