"""Monitors: the strip starts on the primary monitor wherever that stands on the desktop, and
when the monitors change under it, it is put back where it would start only if no part of it is
on any monitor any more (never while a press is held).

The monitors are RandR monitors on one Xvfb screen (xrandr --setmonitor, --delmonitor); the
first one listed takes the screen's one output, which drops the automatic monitor of the whole
screen. Resolution changes switch that output to another mode."""

import re
import unittest

from harness import OverlayTestCase, hold_for, is_windows_build, wait_for
from overlay_facts import BLACK

WINE_SHOWS_NO_RANDR_MONITORS = (
    "Wine takes its monitors from the X screen's outputs, not from RandR monitors defined with "
    "xrandr --setmonitor: it shows one primary monitor the size of the whole screen")
# The program has seen a change of the monitors by then.
CHANGE_TIMEOUT = 3.0
# And after that long it has not moved the strip.
STEADY = 1.0


def monitor_geometry(x, y, width, height):
    """xrandr's "w/mmwxh/mmh+x+y", at 96 dpi."""
    return (f"{width}/{round(width * 25.4 / 96)}x{height}/{round(height * 25.4 / 96)}"
            f"+{x}+{y}")


class ScreenChangeTestCase(OverlayTestCase):
    """Reads and changes of the screen's layout, and the strip's moves around them."""

    def xrandr(self, *args):
        return self.session.run("xrandr", *args)

    def drag_to(self, left, top):
        """Drags the strip by its body, in steps, until its top-left corner is at (left, top)."""
        x, y, width, height = self.overlay.geometry()
        steps = 10
        dx, dy = left - x, top - y
        self.session.drag(self.overlay.body_point(), [
            (dx * (i + 1) // steps - dx * i // steps, dy * (i + 1) // steps - dy * i // steps)
            for i in range(steps)])
        wait_for(self.overlay.geometry, lambda g: g == (left, top, width, height), 2.0,
                 f"dragged to ({left}, {top})")

    def assert_comes_back_to(self, geometry, what):
        wait_for(self.overlay.geometry, lambda g: g == geometry, CHANGE_TIMEOUT,
                 f"back at {geometry} {what}")

    def assert_stays(self, geometry, what):
        hold_for(self.overlay.geometry, lambda g: g == geometry, STEADY, f"at {geometry} {what}")


@unittest.skipIf(is_windows_build(), WINE_SHOWS_NO_RANDR_MONITORS)
class MonitorsTestCase(ScreenChangeTestCase):
    """A fresh program on the monitors MONITORS: (name, (x, y, width, height)), the primary's
    name starting with "*". The first one holds the screen's output, so a test must not remove
    it: the automatic monitor of the whole screen would come back."""

    MONITORS = ()

    def setUp(self):
        self.set_monitors(self.MONITORS)
        super().setUp()

    def monitors(self):
        """{name: (x, y, width, height)} as the server lists them; the primary's name starts with
        "*", an automatic monitor's with "+"."""
        found = re.findall(r"^\s*\d+: (\S+) (\d+)/\d+x(\d+)/\d+\+(-?\d+)\+(-?\d+)",
                           self.xrandr("--listmonitors"), re.M)
        return {name: (int(x), int(y), int(w), int(h)) for name, w, h, x, y in found}

    def set_monitors(self, monitors):
        for name in self.monitors():
            if not name.startswith("+"):
                self.xrandr("--delmonitor", name.lstrip("*"))
        for index, (name, rect) in enumerate(monitors):
            self.set_monitor(name, rect, output="screen" if index == 0 else "none")
        defined = {n: r for n, r in self.monitors().items() if not n.startswith("+")}
        self.assertEqual(defined, dict(monitors))

    def set_monitor(self, name, rect, output="none"):
        """Defines a monitor of a new name."""
        self.xrandr("--setmonitor", name, monitor_geometry(*rect), output)

    def delete_monitor(self, name):
        self.xrandr("--delmonitor", name.lstrip("*"))


# --- where it starts ----------------------------------------------------------------------------


class StartsOnThePrimary:
    """Half as wide as the primary monitor, a quarter of its width in, 602 px below its top."""

    START = None

    def test_starts_on_the_primary_monitor_a_quarter_in(self):
        self.assertEqual(self.overlay.geometry(), self.START)
        self.assertTrue(self.strip_shows(self.overlay, BLACK))


class PrimaryOnTheRight(StartsOnThePrimary, MonitorsTestCase):
    SCREEN = (3840, 1080)
    MONITORS = (("A", (0, 0, 1920, 1080)), ("*B", (1920, 0, 1920, 1080)))
    START = (2400, 602, 960, 40)


class PrimaryOnTheLeft(StartsOnThePrimary, MonitorsTestCase):
    SCREEN = (3840, 1080)
    MONITORS = (("*A", (0, 0, 1920, 1080)), ("B", (1920, 0, 1920, 1080)))
    START = (480, 602, 960, 40)


class PrimaryBelowAnother(StartsOnThePrimary, MonitorsTestCase):
    SCREEN = (1920, 2160)
    MONITORS = (("A", (0, 0, 1920, 1080)), ("*B", (0, 1080, 1920, 1080)))
    START = (480, 1682, 960, 40)


class ThreeMonitorsOfDifferentSizes(StartsOnThePrimary, MonitorsTestCase):
    """The primary in the middle, lower than the one on its left and not at the desktop's top."""

    SCREEN = (3904, 1024)
    MONITORS = (("A", (0, 0, 1280, 1024)), ("*B", (1280, 124, 1600, 900)),
                ("C", (2880, 0, 1024, 768)))
    # 1600 px = 24000 twips: 12000 twips wide, 6000 twips in.
    START = (1680, 726, 800, 40)


# --- the size limits of the monitor it is on ---------------------------------------------------


class SizeLimitsOfTheMonitorItIsOn(MonitorsTestCase):
    """A 1280 x 1024 primary beside a wider and higher monitor: stretched there, the strip may
    grow to that monitor's width and 0.8 of its height (not the primary's 1280 and 819 px)."""

    SCREEN = (3200, 1080)
    MONITORS = (("*A", (0, 0, 1280, 1024)), ("B", (1280, 0, 1920, 1080)))

    def test_stretches_stop_at_the_size_of_the_monitor_that_holds_the_strip(self):
        self.assertEqual(self.overlay.geometry(), (320, 602, 640, 40))
        self.drag_to(2560, 900)  # its right edge at the desktop's
        self.session.drag(self.overlay.point(4, 20), [(-500, 0)] * 3)
        wait_for(self.overlay.geometry, lambda g: g == (1060, 900, 1920, 40), CHANGE_TIMEOUT,
                 "stretched from the left to the wide monitor's width")
        self.session.drag(self.overlay.point(200, 4), [(0, -300)] * 3)
        wait_for(self.overlay.geometry, lambda g: g == (1060, 0, 1920, 864), CHANGE_TIMEOUT,
                 "stretched from the top to 0.8 of the high monitor's height")


# --- monitors that change under it --------------------------------------------------------------


class MonitorsChange(MonitorsTestCase):
    """Two monitors side by side, the primary on the left."""

    SCREEN = (3840, 1080)
    MONITORS = (("*A", (0, 0, 1920, 1080)), ("B", (1920, 0, 1920, 1080)))
    START = (480, 602, 960, 40)

    def test_monitor_removed_under_the_strip_brings_it_back_to_its_start(self):
        self.assertEqual(self.overlay.geometry(), self.START)
        self.drag_to(2400, 602)
        self.delete_monitor("B")
        self.assert_comes_back_to(self.START, "after its monitor was removed")

    def test_strip_partly_on_a_remaining_monitor_stays(self):
        self.drag_to(1480, 602)  # 440 px of it on A, the rest on B
        self.delete_monitor("B")
        self.assert_stays((1480, 602, 960, 40), "with part of it still on the primary")

    def test_nothing_changes_while_a_press_is_held(self):
        # (A lower resolution cannot show this: the X server moves the pointer, button held, back
        # onto the smaller screen, which is a drag.)
        self.drag_to(2400, 602)
        self.session.move(*self.overlay.body_point())
        self.session.press()
        try:
            self.delete_monitor("B")
            self.assert_stays((2400, 602, 960, 40), "while the left button is held on it")
        finally:
            self.session.release()


class PrimaryLowered(MonitorsTestCase):
    SCREEN = (3840, 1080)
    MONITORS = (("B", (1920, 0, 1920, 1080)), ("*A", (0, 0, 1920, 1080)))

    def test_strip_left_below_a_lowered_primary_comes_back_raised(self):
        self.assertEqual(self.overlay.geometry(), (480, 602, 960, 40))
        # xrandr cannot redefine a monitor: the lower primary comes as a new one over A, then A
        # goes. The strip is on A until then.
        self.set_monitor("*C", (0, 0, 1920, 600))
        self.delete_monitor("A")
        # 600 px high: the strip's top would be below the monitor's bottom, so it starts 40 px
        # above that bottom, wholly on the monitor.
        self.assert_comes_back_to((480, 560, 960, 40), "on the lowered primary")


class PrimaryOnTheRightChanges(MonitorsTestCase):
    SCREEN = (3840, 1080)
    MONITORS = (("*B", (1920, 0, 1920, 1080)), ("A", (0, 0, 1920, 1080)))

    def test_strip_moved_onto_a_removed_monitor_comes_back_to_the_primary(self):
        self.drag_to(400, 602)  # wholly on A
        self.delete_monitor("A")
        self.assert_comes_back_to((2400, 602, 960, 40), "on the primary on the right")


class ResolutionChanges(ScreenChangeTestCase):
    """The screen's one output switched between 1920 x 1080 and 3840 x 1080, as a lowered or
    raised resolution. Wine shows these changes. No window manager: openbox itself moves a
    managed window (the Windows build's, under Wine) that a smaller screen leaves outside,
    before the program could."""

    SCREEN = (3840, 1080)
    WINDOW_MANAGER = False
    START = (480, 602, 960, 40)

    def setUp(self):
        self.addCleanup(self.set_resolution, *self.SCREEN)
        self.set_resolution(1920, 1080)
        super().setUp()

    def set_resolution(self, width, height):
        mode = f"{width}x{height}"
        if mode != "%dx%d" % self.SCREEN and mode not in self.xrandr():
            # Xvfb knows only its start size: any other is a mode of our own on its output.
            self.xrandr("--newmode", mode, 60 * width * height // 1_000_000, width, width + 1,
                        width + 2, width + 3, height, height + 1, height + 2, height + 3)
            self.xrandr("--addmode", "screen", mode)
        self.xrandr("--output", "screen", "--mode", mode, "--fb", mode)

    def test_higher_resolution_leaves_the_strip_where_it_is(self):
        self.assertEqual(self.overlay.geometry(), self.START)
        self.set_resolution(3840, 1080)
        self.assert_stays(self.START, "on the larger screen")

    def test_lower_resolution_brings_back_a_strip_left_outside(self):
        self.set_resolution(3840, 1080)
        self.drag_to(2400, 602)
        self.set_resolution(1920, 1080)
        self.assert_comes_back_to(self.START, "on the smaller screen")


if __name__ == "__main__":
    unittest.main()
