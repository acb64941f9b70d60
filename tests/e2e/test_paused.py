"""With --peek-while-paused the strip steps aside while a media player that was playing is paused,
and covers again when one plays or the paused one quits. The players are real mpv programs with
Debian's mpv-mpris plugin on a session bus of the test's own, paused and resumed through mpv's
JSON IPC; the X server's map state tells whether the strip is there. Under Wine there are no
media sessions to hear: the option leaves the strip as it is without it."""

import subprocess
import sys
import time
import unittest

from harness import OverlayTestCase, hold_for, is_windows_build, wait_for
from media_players import Player
from overlay_facts import START
from xsession import SessionBus

OPTION = "--peek-while-paused"
# From the player's pause (or play) to the strip gone (or back): within a tick and the read-back.
REACTION = 0.2
# How long a strip that must stay is watched.
STAYS = 0.6


@unittest.skipIf(is_windows_build(), "MPRIS players are heard by the Linux build")
class PeekWhilePaused(OverlayTestCase):
    SPLIT_OUTPUT = True

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        bus = SessionBus(cls.session.tmp, cls.session.log_file("dbus-daemon"))
        cls.addClassCleanup(bus.stop)
        cls.ENVIRONMENT = bus.environment

    def setUp(self):
        # The players start first, so that the strip hears of them as they play; it starts in
        # each test.
        self.addCleanup(self.session.release_all)
        self.delays = []
        self.addCleanup(self.print_delays)

    def print_delays(self):
        if self.delays:
            print(f"\n  {self.id().split('.')[-1]}: the strip followed the player in "
                  + ", ".join(f"{d * 1000:.0f} ms" for d in self.delays), file=sys.stderr)

    def start_player(self, name):
        player = Player(self.session, self.session.env(**self.ENVIRONMENT), name)
        self.addCleanup(player.stop)
        return player

    def start_strip(self, *arguments):
        self.overlay = self.start_overlay(self.SPLIT_OUTPUT, arguments)
        return self.overlay

    def viewable(self):
        return self.overlay.info()["viewable"]

    def assert_becomes(self, viewable, action, what):
        action()
        since = time.monotonic()
        wait_for(self.viewable, lambda v: v == viewable, REACTION, what)
        self.delays.append(time.monotonic() - since)

    def test_steps_aside_while_the_player_is_paused_and_covers_when_it_plays(self):
        player = self.start_player("mpv")
        self.start_strip(OPTION)
        self.assertIn("PropertiesChanged", self.match_rules())
        self.assert_becomes(False, player.pause, "the strip gone once the player paused")
        hold_for(self.viewable, lambda v: not v, STAYS, "the strip aside while paused")
        # A window raised meanwhile is covered again.
        peer = self.peer_over(self.overlay)
        peer.focus()
        peer.raise_()
        self.assert_becomes(True, lambda: player.pause(False), "the strip back once it plays")
        self.assert_strip_on_top(self.overlay)
        self.assertEqual(self.overlay.geometry(), START)
        self.assertEqual(self.overlay.stderr_text(), "")

    def test_a_second_player_still_playing_keeps_it_and_the_paused_one_quitting_brings_it_back(self):
        first, second = self.start_player("first"), self.start_player("second")
        self.start_strip(OPTION)
        first.pause()
        self.assertEqual(first.mpris_status(), "Paused")
        hold_for(self.viewable, bool, STAYS, "the strip covering while the other plays")
        self.assert_becomes(False, second.pause, "the strip gone once both are paused")
        self.assert_becomes(True, second.quit, "the strip back once the paused player quit")

    def test_without_the_option_a_pause_changes_nothing(self):
        player = self.start_player("mpv")
        self.start_strip()
        player.pause()
        self.assertEqual(player.mpris_status(), "Paused")
        hold_for(self.viewable, bool, STAYS, "the strip covering without the option")
        # Qt's accessibility bridge is on the bus whatever the options; nothing listens to players.
        self.assertNotIn("PropertiesChanged", self.match_rules())

    def match_rules(self):
        """Every connection's match rules, as the bus daemon reports them."""
        return subprocess.run(["dbus-send", "--session", "--print-reply",
                               "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
                               "org.freedesktop.DBus.Debug.Stats.GetAllMatchRules"],
                              env=self.session.env(**self.ENVIRONMENT), capture_output=True,
                              text=True, timeout=10, check=True).stdout


class PeekWhilePausedWithNoPlayersToHear(OverlayTestCase):
    """No session bus (Linux) or no media sessions (Wine): the strip runs as without the option."""

    SPLIT_OUTPUT = True
    ENVIRONMENT = {"DBUS_SESSION_BUS_ADDRESS": "unix:path=/nonexistent/bus"}

    def setUp(self):
        self.addCleanup(self.session.release_all)
        self.session.move(0, 0)
        self.overlay = self.start_overlay(self.SPLIT_OUTPUT, [OPTION])

    def test_the_strip_covers_and_closes_as_without_the_option(self):
        self.assertEqual(self.overlay.geometry(), START)
        self.assert_strip_on_top(self.overlay)
        hold_for(lambda: self.overlay.info()["viewable"], bool, STAYS, "the strip covering")
        if not is_windows_build():
            lines = self.overlay.stderr_text().splitlines()
            self.assertEqual(len(lines), 1, lines)
            self.assertRegex(lines[0], r"^coverstrip: no session bus .*--peek-while-paused")
        self.double_click_to_close(self.overlay.close_mark_point())
        self.assertEqual(self.overlay.process.returncode, 0)


if __name__ == "__main__":
    unittest.main()
