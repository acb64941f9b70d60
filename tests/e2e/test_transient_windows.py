"""Other programs' transient windows over the strip: it stays below them while they are shown,
above the player all the while, and covers again once they are gone; two strips keep their order;
under each other window manager the tests know (i3, whose frames bypass the window manager too,
and the compositing xfwm4, kwin_x11 and mutter among them) it still covers a fullscreen window."""

import shutil
import unittest

from harness import PEER_COLOUR, OverlayTestCase, hold_for, is_windows_build, wait_for
from overlay_facts import BACK_ON_TOP, BLACK, SCREEN
from xsession import WINDOW_MANAGERS

# The menus' program paints its windows in a colour of its own, told apart from the player's.
POPUP_COLOUR = (0xcc, 0x88, 0x22)
# Watched this long while shown: many ticks of the strip's timer.
SHOWN_FOR = 0.6


def popups_over(overlay):
    """(what, _NET_WM_WINDOW_TYPE or "none", rectangle) of the windows opened over the strip."""
    x, y, width, height = overlay.geometry()
    over = (x - 10, y - 10, width + 20, height + 20)
    return [("a popup menu", "POPUP_MENU", over), ("a tooltip", "TOOLTIP", over),
            ("an untyped override-redirect window", "none", over),
            ("a full-screen one, as a screen locker", "none", (0, 0) + SCREEN)]


def assert_stands_aside(case, menus, popups):
    """Each popup opened by menus shows over the strip for as long as it is open; once it is
    closed the strip covers again, never showing the player below it on the way."""
    for what, window_type, rect in popups:
        with case.subTest(what):
            menus.popup(window_type, *rect)
            # A compositor shows it a frame or two later.
            wait_for(lambda: case.strip_samples(case.overlay), lambda s: s == {POPUP_COLOUR},
                     BACK_ON_TOP, f"showing {what} over the strip")
            hold_for(lambda: case.strip_samples(case.overlay), lambda s: s == {POPUP_COLOUR},
                     SHOWN_FOR, f"showing {what} over the strip")
            menus.close_popup()

            def covering(samples):
                case.assertNotIn(PEER_COLOUR, samples, "the player showed on the way")
                return samples == {BLACK}

            wait_for(lambda: case.strip_samples(case.overlay), covering, BACK_ON_TOP,
                     "covering again")


@unittest.skipIf(is_windows_build(), "under Wine USER32's z-order is the point: tests/win32")
class StandsAsideForTransientWindows(OverlayTestCase):
    def test_stays_below_transient_windows_while_they_are_shown(self):
        player = self.peer_over(self.overlay)
        player.focus()
        self.assert_strip_on_top(self.overlay, timeout=BACK_ON_TOP)
        menus = self.start_peer(0, 0, 40, 40, POPUP_COLOUR)
        assert_stands_aside(self, menus, popups_over(self.overlay))

    def test_two_strips_keep_their_order(self):
        second = self.start_overlay()
        strips = [self.overlay.top_level(), second.top_level()]

        def order(*others):
            return [w for w in self.session.stacking() if w in strips + list(others)]

        before = order()
        hold_for(order, lambda o: o == before, 1.0, "in the order they had")
        player = self.peer_over(self.overlay)
        player.focus()
        player.raise_()
        frame = self.session.top_level(player.window)
        after = before + [frame]
        wait_for(lambda: order(frame), lambda o: o == after, 2 * BACK_ON_TOP,
                 "both above the raised window, in the order they had")
        hold_for(lambda: order(frame), lambda o: o == after, 0.5,
                 "both above the raised window, in the order they had")


class CoversAFullscreenWindow:
    """Under another window manager (openbox's own case is test_window's): a focused fullscreen
    window stays covered, and a popup menu over it shows over the strip."""

    def test_covers_a_focused_fullscreen_window_and_stays_below_a_menu_over_it(self):
        # Started first: i3 shows no new window over a fullscreen one.
        menus = self.start_peer(0, 0, 40, 40, POPUP_COLOUR)
        peer = self.start_peer(40, 40, 300, 200)
        peer.fullscreen()
        wait_for(lambda: self.session.pixel(10, 10), lambda p: p == PEER_COLOUR, 2,
                 "showing the fullscreen peer")
        self.assert_strip_on_top(self.overlay, timeout=BACK_ON_TOP)
        hold_for(lambda: self.strip_samples(self.overlay), lambda s: s == {BLACK}, 1.0,
                 "above the focused fullscreen window")
        assert_stands_aside(self, menus, popups_over(self.overlay)[:1])


def under(window_manager):
    """The case under one window manager, skipped where it is not installed."""
    command = WINDOW_MANAGERS[window_manager].command[0]
    case = unittest.skipIf(is_windows_build() or shutil.which(command) is None,
                           f"{window_manager} is for the Linux build, where it is installed")(
        type(f"Under_{window_manager}", (CoversAFullscreenWindow, OverlayTestCase),
             {"WINDOW_MANAGER": window_manager}))
    return case.__name__, case


globals().update(under(name) for name in WINDOW_MANAGERS if name != "openbox")


if __name__ == "__main__":
    unittest.main()
