"""Holding Ctrl and Alt, and nothing else, hides the strip while another program has the focus;
letting go brings it back as it was.

Under Wine, GetAsyncKeyState sees only keys that reach Wine's own windows: keys typed into an X
program of the host are not seen (they show only as the modifier state of pointer events on a Wine
window). There the focused program is a Windows one, Wine's notepad, run in the same prefix."""

import os
import subprocess
import unittest

from harness import OverlayTestCase, hold_for, is_windows_build, wait_for
from overlay_facts import BLACK as STRIP
from overlay_facts import alpha_after, opacity_of

WINDOWS_BUILD = is_windows_build()
# The focused program's window under the strip, in a colour of its own.
BENEATH = (0x2E, 0x8B, 0x57)
# The alpha of the first two double-clicks of the translucency cycle.
FIRST_ALPHA, SECOND_ALPHA = alpha_after(1), alpha_after(2)
# One tick of the timer, and what the screen read-back takes on top of it.
REACTION = 0.2
MARGIN = 40


class PeekTests:
    """The tests, whichever program has the focus: focus_other_program() gives it and returns
    the window that holds it."""

    def setUp(self):
        super().setUp()
        # Keys still held by a failed test would hide the next test's strip.
        self.addCleanup(self.keys_up, "t", "ctrl", "alt", "Control_R", "Alt_R", "ISO_Level3_Shift")
        x, y, width, height = self.overlay.geometry()
        self.peer = self.start_peer(x - MARGIN, y - MARGIN, width + 2 * MARGIN,
                                    height + 2 * MARGIN, colour=BENEATH)
        self.focused = self.focus_other_program()
        self.assert_strip_on_top(self.overlay, colour=STRIP)

    def focus_holder(self):
        focus = self.session.focus()
        return None if focus is None else self.session.top_level(focus)

    def keys_down(self, *names):
        self.session.run("xdotool", "keydown", "--delay", 0, "+".join(names))

    def keys_up(self, *names):
        self.session.run("xdotool", "keyup", "--delay", 0, "+".join(names), check=False)

    def strip_area(self):
        return self.strip_samples(self.overlay)

    def away_from_the_strip(self):
        """Parks the pointer on the peer, off the strip, so that no tooltip lies over it."""
        x, y, _, _ = self.overlay.geometry()
        self.session.move(x - MARGIN // 2, y - MARGIN // 2)

    def test_holding_ctrl_and_alt_shows_what_is_beneath_until_either_is_let_go(self):
        start = self.overlay.geometry()
        self.away_from_the_strip()
        self.keys_down("ctrl", "alt")
        wait_for(self.strip_area, lambda s: s == {BENEATH}, REACTION,
                 "showing the window beneath the strip")
        hold_for(self.strip_area, lambda s: s == {BENEATH}, 0.5, "still peeking while held")
        self.assertEqual(set(self.close_mark_colours(self.overlay)), {BENEATH},
                         "the close mark still shows")
        self.assertEqual(self.focus_holder(), self.focused, "the focus moved")

        self.keys_up("alt")
        wait_for(self.strip_area, lambda s: s == {STRIP}, REACTION, "the strip back")
        self.assertEqual(self.overlay.geometry(), start)
        self.assertTrue(self.overlay.topmost([self.peer.window]))
        self.assertEqual(self.focus_holder(), self.focused, "the focus moved")
        self.keys_up("ctrl")

        # Right Ctrl with right Alt is the same chord.
        self.keys_down("Control_R", "Alt_R")
        wait_for(self.strip_area, lambda s: s == {BENEATH}, REACTION, "peeking with the right keys")
        self.keys_up("Control_R", "Alt_R")
        wait_for(self.strip_area, lambda s: s == {STRIP}, REACTION, "the strip back")

    def test_the_translucency_and_its_cycle_survive_a_peek(self):
        start = self.overlay.geometry()
        self.session.move(*self.overlay.body_point())
        self.session.double_click()
        wait_for(self.overlay.opacity, lambda o: o == opacity_of(FIRST_ALPHA), 2.0,
                 f"at alpha {FIRST_ALPHA}")
        self.away_from_the_strip()

        self.keys_down("ctrl", "alt")
        wait_for(self.strip_area, lambda s: s == {BENEATH}, REACTION,
                 "showing the window beneath the strip")
        self.keys_up("ctrl", "alt")
        wait_for(self.strip_area, lambda s: s == {STRIP}, REACTION, "the strip back")
        # Watched past the double-click time, so the next click starts a new double-click.
        hold_for(lambda: (self.overlay.opacity(), self.overlay.geometry(), self.focus_holder()),
                 lambda v: v == (opacity_of(FIRST_ALPHA), start, self.focused), 0.6,
                 "at the same alpha, place and focus after the peek")

        self.session.move(*self.overlay.body_point())
        self.session.double_click()
        wait_for(self.overlay.opacity, lambda o: o == opacity_of(SECOND_ALPHA), 2.0,
                 f"at the cycle's next alpha {SECOND_ALPHA}")

    def test_other_chords_leave_the_strip_in_place(self):
        self.away_from_the_strip()
        chords = [["ctrl"], ["alt"], ["t", "ctrl", "alt"]]
        if not WINDOWS_BUILD:
            # AltGr, alone and as Windows reports it (with the left Ctrl), on a layout that has
            # it. Wine shows no such layout to the Windows build: its keyboard is always US.
            self.session.run("setxkbmap", "-layout", "de")
            self.addCleanup(self.session.run, "setxkbmap", "-layout", "us")
            chords += [["ISO_Level3_Shift"], ["ISO_Level3_Shift", "Control_L"]]
        # The third key goes down first, so that no tick sees Ctrl and Alt alone.
        for chord in chords:
            for key in chord:
                self.keys_down(key)
            hold_for(self.strip_area, lambda s: s == {STRIP}, 0.4,
                     "showing the strip with " + "+".join(chord) + " held")
            self.keys_up(*chord)
        self.assertEqual(self.focus_holder(), self.focused, "the focus moved")


@unittest.skipIf(WINDOWS_BUILD, "under Wine, GetAsyncKeyState does not see keys typed into an "
                 "X program of the host; see PeekWhileAWineProgramHasTheFocus")
class PeekWhileAnotherProgramHasTheFocus(PeekTests, OverlayTestCase):
    def focus_other_program(self):
        self.peer.focus()
        return self.session.top_level(self.peer.window)

    def test_a_key_held_since_before_the_start_counts(self):
        # Ctrl goes down before the program starts, so it sees no press of it: Alt makes the chord.
        self.overlay.stop()
        self.keys_down("ctrl")
        self.overlay = self.start_overlay()
        self.away_from_the_strip()
        self.keys_down("alt")
        wait_for(self.strip_area, lambda s: s == {BENEATH}, REACTION,
                 "peeking with Ctrl held since before the start")
        self.keys_up("alt", "ctrl")
        wait_for(self.strip_area, lambda s: s == {STRIP}, REACTION, "the strip back")


@unittest.skipUnless(WINDOWS_BUILD, "Wine's notepad is for the Windows build")
class PeekWhileAWineProgramHasTheFocus(PeekTests, OverlayTestCase):
    def focus_other_program(self):
        before = set(self.session.viewable_windows("Notepad"))
        notepad = subprocess.Popen(["wine", "notepad"], env=self.wine.env(),
                                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, start_new_session=True)
        self.addCleanup(self.end, notepad)
        windows = wait_for(lambda: [w for w in self.session.viewable_windows("Notepad")
                                    if w not in before], bool, 40, "notepad's window")
        window = windows[0]
        # Off the strip and the peer, which stays what lies beneath the strip.
        self.session.run("xdotool", "windowsize", window, 300, 200, "windowmove", window, 0, 0,
                         "windowactivate", "--sync", window)
        holder = self.session.top_level(window)
        wait_for(self.focus_holder, lambda f: f == holder, 5, "notepad focused")
        return holder

    @staticmethod
    def end(process):
        if process.poll() is None:
            os.killpg(process.pid, 9)
            process.wait(timeout=10)

if __name__ == "__main__":
    unittest.main()
