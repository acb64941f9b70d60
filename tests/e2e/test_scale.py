"""Drags and stretches at Qt scale factors other than 1 follow the pointer to the device pixel.

Qt reports pointer positions in logical pixels rounded to whole ones; at a factor of 2 a drag of
an odd number of device pixels would land one pixel off, and a drag there and back would drift.
"""

import unittest

from harness import OverlayTestCase, is_windows_build, wait_for
from xsession import run_command

WINDOWS_ONLY_HAS_ITS_DPI = ("QT_SCALE_FACTOR is Qt's; the Windows build follows Wine's DPI, which "
                            "is one for every monitor")


class ExactAtAScaleFactor:
    """The cases, for a class that sets QT_SCALE_FACTOR and gives the start geometry it leads to
    on 1024 x 768 device pixels at 96 dpi."""

    START = None

    def assert_at(self, geometry, what):
        wait_for(self.overlay.geometry, lambda g: g == geometry, 2, f"at {geometry} {what}")

    def test_starts_at_the_start_geometry_in_device_pixels(self):
        self.assert_at(self.START, "at start")

    def test_odd_drag_moves_exactly_as_far(self):
        left, top, width, height = self.START
        self.session.drag(self.overlay.body_point(), [(37, 0)])
        self.assert_at((left + 37, top, width, height), "after a 37-pixel drag")
        self.session.drag(self.overlay.body_point(), [(-13, -7)])
        self.assert_at((left + 24, top - 7, width, height), "after a (-13, -7) drag")

    def test_drag_there_and_back_leaves_it_where_it_was(self):
        self.session.drag(self.overlay.body_point(), [(51, 3), (49, 0), (-77, -2), (-23, -1)])
        self.assert_at(self.START, "after a drag there and back")

    def test_odd_left_stretch_keeps_the_right_edge(self):
        left, top, width, height = self.START
        self.session.drag(self.overlay.point(3, height // 2), [(-37, 0)])
        self.assert_at((left - 37, top, width + 37, height), "after a 37-pixel left stretch")


@unittest.skipIf(is_windows_build(), WINDOWS_ONLY_HAS_ITS_DPI)
class AtScaleFactorTwo(ExactAtAScaleFactor, OverlayTestCase):
    ENVIRONMENT = {"QT_SCALE_FACTOR": "2"}
    # 7.5 twips a device pixel: the screen is 5760 twips high, so the top is raised to show the
    # whole strip, 600 twips = 80 pixels high.
    START = (256, 688, 512, 80)


@unittest.skipIf(is_windows_build(), WINDOWS_ONLY_HAS_ITS_DPI)
class AtScaleFactorOneAndAHalf(ExactAtAScaleFactor, OverlayTestCase):
    ENVIRONMENT = {"QT_SCALE_FACTOR": "1.5"}
    START = (256, 708, 512, 60)


@unittest.skipUnless(is_windows_build(), "Wine's DPI setting is the Windows build's")
class WineAt144Dpi(ExactAtAScaleFactor, OverlayTestCase):
    """Wine has one DPI for every monitor, taken from its registry: the twips it maps to pixels
    at 144 dpi, 10 a pixel, are what a monitor of that DPI gives on Windows."""

    START = (256, 708, 512, 60)
    DPI_KEY = r"HKCU\Control Panel\Desktop"

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.set_dpi(144)
        cls.addClassCleanup(cls.set_dpi, 96)

    @classmethod
    def set_dpi(cls, dpi):
        run_command(["wine", "reg", "add", cls.DPI_KEY, "/v", "LogPixels", "/t", "REG_DWORD",
                     "/d", str(dpi), "/f"], cls.wine.env(), timeout=60)


if __name__ == "__main__":
    unittest.main()
