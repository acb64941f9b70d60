"""Runs the real overlay under Xvfb and openbox and drives it with real pointer input.

Every reading comes from the X server itself: geometry and stacking from xwininfo, window
properties from xprop, the focus from xdotool and pixels from the root window (XGetImage, only
the rectangle a check looks at). Input goes through XTest (xdotool). Waits poll with a deadline;
nothing sleeps blindly. The X session and the Wine prefix are tests/support/xsession.py's, shared
with the benchmark; the figures several tests judge by are tests/support/overlay_facts.py's (this
module puts that folder on the path: import it first).

Environment:
  COVERSTRIP_BUILD       linux (run the program natively) or windows (run it with wine)
  COVERSTRIP_EXE         the program under test
  COVERSTRIP_PEER        the peer window program (peer_window.cpp)
  COVERSTRIP_WINEPREFIX  the Wine prefix for the windows build (default: wineprefix beside the exe)
"""

import os
import re
import select
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir,
                                "support"))

from overlay_facts import (BLACK, CLOSE_MARK_BOX, CLOSE_MARK_POINT, EXIT_TIMEOUT,  # noqa: E402
                           SCREEN, opacity_of)
from xsession import (POLL_INTERVAL, WinePrefix, XSession, end_process,  # noqa: E402
                      run_command, spawn, tail, wait_for)

BUILD = os.environ.get("COVERSTRIP_BUILD", "linux")
EXE = os.environ.get("COVERSTRIP_EXE", "")
PEER = os.environ.get("COVERSTRIP_PEER", "")
WINEPREFIX = os.environ.get("COVERSTRIP_WINEPREFIX") or os.path.join(
    os.path.dirname(os.path.abspath(EXE or ".")), "wineprefix")

PEER_COLOUR = (0x33, 0x66, 0x99)
# The root's own colour, so that a black strip is told apart from the bare screen.
ROOT_COLOUR = (0x50, 0x50, 0x50)

START_TIMEOUT = 40 if BUILD == "windows" else 15
# A new colour dialog shows this soon after a right-button move on the strip.
DIALOG_TIMEOUT = 15 if BUILD == "windows" else 5


def is_windows_build():
    return BUILD == "windows"


# --- waiting ----------------------------------------------------------------------------------


def hold_for(read, accept, duration, what):
    """Fails as soon as accept(read()) stops holding within duration; returns the reads made."""
    deadline = time.monotonic() + duration
    reads = 0
    while True:
        value = read()
        reads += 1
        if not accept(value):
            raise AssertionError(f"no longer {what} after {reads} reads; seen: {value!r}")
        if time.monotonic() >= deadline:
            return reads
        time.sleep(POLL_INTERVAL)


# --- the X server and the window manager ---------------------------------------------------------


class Desktop(XSession):
    """The X session of a test class, with the readers and input helpers the tests use; its root
    painted in ROOT_COLOUR."""

    def __init__(self, width, height, window_manager=True):
        super().__init__(width, height, window_manager, name="coverstrip-e2e")

    def start(self):
        super().start()
        self.run(PEER, "--root", "%02x%02x%02x" % ROOT_COLOUR)

    # readers

    def window_info(self, window):
        """Geometry, map state and override-redirect of a window, or None once it is gone."""
        result = run_command(["xwininfo", "-id", str(window)], self.env(), check=False)
        if result.returncode != 0:
            return None
        text = result.stdout

        def field(label):
            match = re.search(label + r":\s+(\S+)", text)
            return match.group(1) if match else None

        return {
            "x": int(field("Absolute upper-left X")),
            "y": int(field("Absolute upper-left Y")),
            "width": int(field("Width")),
            "height": int(field("Height")),
            "viewable": field("Map State") == "IsViewable",
            "override_redirect": field("Override Redirect State") == "yes",
        }

    def geometry(self, window):
        """(x, y, width, height) on the screen, or None once the window is gone."""
        info = self.window_info(window)
        return None if info is None else (info["x"], info["y"], info["width"], info["height"])

    def parent(self, window):
        text = self.run("xwininfo", "-tree", "-id", window, check=False)
        match = re.search(r"Parent window id: (0x[0-9a-f]+)(.*)", text)
        if match is None or "(the root window)" in match.group(2):
            return None
        return int(match.group(1), 16)

    def top_level(self, window):
        """The child of the root that holds the window: itself, or the window manager's frame."""
        while True:
            parent = self.parent(window)
            if parent is None:
                return window
            window = parent

    def stacking(self):
        """The root's children, top-most first (override-redirect ones included)."""
        text = self.run("xwininfo", "-root", "-children")
        return [int(m, 16) for m in re.findall(r"^\s+(0x[0-9a-f]+)", text, re.M)]

    def managed_clients(self):
        match = re.search(r"window id # (.*)", self.xprop_root("_NET_CLIENT_LIST"))
        return [] if match is None else [int(w, 16) for w in re.findall(r"0x[0-9a-f]+",
                                                                          match.group(1))]

    def net_wm_state(self, window):
        text = self.run("xprop", "-id", window, "_NET_WM_STATE", check=False)
        match = re.search(r"=\s*(.*)", text)
        return set() if match is None else {s.strip() for s in match.group(1).split(",")}

    def cardinal(self, window, name):
        text = self.run("xprop", "-id", window, name, check=False)
        match = re.search(r"=\s*(\d+)", text)
        return None if match is None else int(match.group(1))

    def focus(self):
        text = self.run("xdotool", "getwindowfocus", "-f", check=False).strip()
        return int(text) if text.isdigit() else None

    def viewable_windows(self, name_pattern):
        text = self.run("xdotool", "search", "--onlyvisible", "--name", name_pattern, check=False)
        return [int(w) for w in text.split()]

    # input, through XTest

    def move(self, x, y):
        self.run("xdotool", "mousemove", x, y)

    def press(self, button=1):
        self.run("xdotool", "mousedown", button)

    def release(self, button=1):
        self.run("xdotool", "mouseup", button)

    def release_all(self):
        self.run("xdotool", "mouseup", 1, "mouseup", 2, "mouseup", 3, check=False)

    def click(self, button=1):
        self.run("xdotool", "click", button)

    def double_click(self, button=1):
        self.run("xdotool", "click", "--repeat", 2, "--delay", 80, button)

    def drag(self, start, offsets, button=1, after_step=None):
        """Presses at start, moves by each (dx, dy) in turn, then releases.

        after_step(total_dx, total_dy) runs after each move, while the button is still held."""
        x, y = start
        self.move(x, y)
        self.press(button)
        try:
            total_x = total_y = 0
            for dx, dy in offsets:
                total_x += dx
                total_y += dy
                self.move(x + total_x, y + total_y)
                if after_step is not None:
                    after_step(total_x, total_y)
        finally:
            self.release(button)

    def fast_drag(self, start, offsets, button=1):
        """The same drag as one burst of XTest events, with no pause between them."""
        x, y = start
        args = ["xdotool", "mousemove", x, y, "mousedown", button]
        for dx, dy in offsets:
            x += dx
            y += dy
            args += ["mousemove", x, y]
        args += ["mouseup", button]
        self.run(*args)

    def key(self, *names):
        self.run("xdotool", "key", "--delay", 40, *names)

    def type(self, text):
        self.run("xdotool", "type", "--delay", 40, text)


# --- the programs -------------------------------------------------------------------------------


class Overlay:
    """The program under test and its window "Form1"."""

    def __init__(self, session, wine=None, split_output=False, environment=None, arguments=()):
        self.session = session
        self.wine = wine
        self.environment = environment or {}
        self.arguments = list(arguments)
        self.process = None
        self.window = None
        self.log_name = f"overlay-{time.monotonic_ns()}"
        # stdout and stderr in logs of their own (name.out, name.err) instead of one log.
        self.split_output = split_output

    def start(self):
        if self.wine is not None:
            args, env = ["wine", EXE, *self.arguments], self.wine.env(**self.environment)
        else:
            args, env = [EXE, *self.arguments], self.session.env(**self.environment)
        before = set(self.session.viewable_windows("^Form1$"))
        if self.split_output:
            out = self.session.log_file(self.log_name + ".out")
            err = self.session.log_file(self.log_name + ".err")
        else:
            out, err = self.session.log_file(self.log_name), subprocess.STDOUT
        self.process = spawn(args, env=env, stdin=subprocess.DEVNULL, stdout=out, stderr=err)

        def found():
            if self.process.poll() is not None:
                raise AssertionError(f"the program ended at start ({self.process.returncode}): "
                                     + self.output())
            return [w for w in self.session.viewable_windows("^Form1$") if w not in before]

        windows = wait_for(found, lambda ws: len(ws) == 1, START_TIMEOUT, "one new Form1 window")
        self.window = windows[0]
        self.wait_stable()
        return self

    def wait_stable(self):
        """Waits until the window is viewable at the same geometry over a few reads."""
        seen = []

        def stable():
            seen.append(self.session.window_info(self.window))
            last = seen[-4:]
            return len(last) == 4 and last[0] is not None and last[0]["viewable"] and all(
                i == last[0] for i in last)

        wait_for(stable, bool, 10, "mapped at a stable geometry")

    def stop(self):
        end_process(self.process)

    def alive(self):
        return self.process.poll() is None

    def output(self):
        """What the program has written so far: both streams in one text."""
        if not self.split_output:
            return tail(self.session.log_path(self.log_name), lines=1000)
        return self.stdout_text() + self.stderr_text()

    def stdout_text(self):
        return tail(self.session.log_path(self.log_name + ".out"), lines=1000)

    def stderr_text(self):
        return tail(self.session.log_path(self.log_name + ".err"), lines=1000)

    def wait_exit(self, timeout):
        try:
            self.process.wait(timeout=timeout)
            return True
        except subprocess.TimeoutExpired:
            return False

    # what the server shows of it

    def geometry(self):
        return self.session.geometry(self.window)

    def top_level(self):
        return self.session.top_level(self.window)

    def info(self):
        return self.session.window_info(self.window)

    def managed(self):
        return not self.session.window_info(self.top_level())["override_redirect"]

    def opacity(self):
        """_NET_WM_WINDOW_OPACITY of the client window, or of its frame when only that has it."""
        value = self.session.cardinal(self.window, "_NET_WM_WINDOW_OPACITY")
        if value is None and self.top_level() != self.window:
            value = self.session.cardinal(self.top_level(), "_NET_WM_WINDOW_OPACITY")
        return value

    def topmost(self, others=()):
        """Whether the window is in the topmost band as the server shows it.

        A managed window must carry _NET_WM_STATE_ABOVE; one that bypasses the window manager
        must be stacked above the top-levels of the given other windows."""
        if self.managed():
            return "_NET_WM_STATE_ABOVE" in self.session.net_wm_state(self.window)
        order = self.session.stacking()
        mine = order.index(self.top_level())
        tops = [self.session.top_level(o) for o in others]
        return all(mine < order.index(t) for t in tops if t in order)

    def point(self, x, y):
        """A screen point at (x, y) pixels from the window's top-left corner."""
        left, top, _, _ = self.geometry()
        return left + x, top + y

    def body_point(self):
        _, _, width, height = self.geometry()
        return self.point(width // 2, height // 2 + 5)

    def close_mark_point(self):
        return self.point(*CLOSE_MARK_POINT)


class Peer:
    """Another program's window (peer_window.cpp), driven by one-line commands."""

    def __init__(self, session, x, y, width, height, colour=PEER_COLOUR):
        self.session = session
        colour_hex = "%02x%02x%02x" % colour
        self.process = spawn(
            [PEER, str(x), str(y), str(width), str(height), colour_hex], env=session.env(),
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, bufsize=0)
        self._buffer = b""
        first = self._read_line(10)
        if not first.startswith("window "):
            raise RuntimeError("peer window did not start: " + first)
        self.window = int(first.split()[1], 16)

    def _read_line(self, timeout):
        deadline = time.monotonic() + timeout
        while b"\n" not in self._buffer:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.process.stdout], [], [], left)[0]:
                raise AssertionError("the peer window did not answer in time")
            chunk = os.read(self.process.stdout.fileno(), 256)
            if not chunk:
                raise AssertionError("the peer window ended")
            self._buffer += chunk
        line, self._buffer = self._buffer.split(b"\n", 1)
        return line.decode()

    def command(self, text):
        self.process.stdin.write(text.encode() + b"\n")
        reply = self._read_line(10)
        if reply.startswith("error"):
            raise RuntimeError(f"peer: {text}: {reply}")
        return reply

    def focus(self):
        self.command("focus")
        wait_for(self.session.focus, lambda f: f == self.window, 5, "focused on the peer")

    def raise_(self):
        self.command("raise")

    def above(self):
        self.command("above")
        wait_for(lambda: self.session.net_wm_state(self.window),
                 lambda s: "_NET_WM_STATE_ABOVE" in s, 5, "peer marked above")

    def fullscreen(self):
        self.command("fullscreen")
        screen = (0, 0, self.session.width, self.session.height)
        wait_for(lambda: (self.session.geometry(self.window), self.session.focus()),
                 lambda v: v == (screen, self.window), 5, "peer fullscreen and focused")

    def popup(self, window_type, x, y, width, height):
        """Maps an override-redirect window of the peer's colour, typed _NET_WM_WINDOW_TYPE_ +
        window_type unless that is "none"."""
        self.command(f"popup {window_type} {x} {y} {width} {height}")

    def close_popup(self):
        self.command("close")

    def cursor(self):
        """The pointer image shown now: (pixel hash, size, name or '-')."""
        return tuple(self.command("cursor").split()[1:])

    def stop(self):
        if self.process.poll() is None:
            try:
                self.process.stdin.write(b"quit\n")
                self.process.wait(timeout=5)
            except (OSError, subprocess.TimeoutExpired):
                pass
        end_process(self.process)
        self.process.stdin.close()
        self.process.stdout.close()


# --- the test case base -------------------------------------------------------------------------


def open_session(screen, window_manager, add_cleanup):
    """Starts an X session (and for the Windows build its Wine prefix, with one wineserver on
    this session's display) that add_cleanup ends."""
    session = Desktop(*screen, window_manager=window_manager)
    add_cleanup(session.stop)
    session.start()
    wine = None
    if is_windows_build():
        wine = WinePrefix(WINEPREFIX, session)
        add_cleanup(wine.close)
        wine.open()
    return session, wine


class OverlayTestCase(unittest.TestCase):
    """One X session per class; a fresh overlay for each test."""

    SCREEN = SCREEN  # 1024 x 768 at 96 dpi
    WINDOW_MANAGER = True
    # The program's stdout and stderr kept apart, for tests that read them.
    SPLIT_OUTPUT = False
    # Variables added to the program's environment.
    ENVIRONMENT = {}

    @classmethod
    def setUpClass(cls):
        if not EXE or not PEER:
            raise RuntimeError("COVERSTRIP_EXE and COVERSTRIP_PEER must name the programs")
        cls.session, cls.wine = open_session(cls.SCREEN, cls.WINDOW_MANAGER, cls.addClassCleanup)

    def setUp(self):
        self.addCleanup(self.session.release_all)
        # Off any strip, so that no tooltip of a strip lies over another test's strip.
        self.session.move(0, 0)
        self.overlay = self.start_overlay(self.SPLIT_OUTPUT)

    def start_overlay(self, split_output=False, arguments=()):
        overlay = Overlay(self.session, self.wine, split_output, self.ENVIRONMENT, arguments)
        self.addCleanup(overlay.stop)
        return overlay.start()

    def start_peer(self, x, y, width, height, colour=PEER_COLOUR):
        peer = Peer(self.session, x, y, width, height, colour)
        self.addCleanup(peer.stop)
        return peer

    def peer_over(self, overlay, margin=40):
        """A peer window that covers the whole strip and some screen around it."""
        x, y, width, height = overlay.geometry()
        return self.start_peer(x - margin, y - margin, width + 2 * margin, height + 2 * margin)

    # readings that many tests share

    def strip_samples(self, overlay):
        """Colours at points spread over the strip, the close mark's corner left out."""
        x, y, width, height = overlay.geometry()
        shot = self.session.pixels(x, y, width, height)
        points = set()
        for fx in (0.1, 0.3, 0.5, 0.7, 0.9, 1.0):
            for fy in (0.0, 0.5, 1.0):
                px = min(int(width * fx), width - 1)
                py = min(int(height * fy), height - 1)
                if px < CLOSE_MARK_BOX[2] + 4 and py < CLOSE_MARK_BOX[3] + 4:
                    continue
                points.add((x + px, y + py))
        return {shot.pixel(px, py) for px, py in points if shot.holds(px, py)}

    def strip_shows(self, overlay, colour):
        """Whether every sampled strip pixel is exactly colour."""
        return self.strip_samples(overlay) == {colour}

    def close_mark_colours(self, overlay):
        x, y, _, _ = overlay.geometry()
        bx, by, bw, bh = CLOSE_MARK_BOX
        return [c for _, _, c in self.session.pixels(x + bx, y + by, bw, bh)]

    def open_colour_dialog(self):
        """Moves with the right button held over the strip; returns the new dialog's window."""
        session = self.session
        before = set(session.managed_clients())

        def new_dialogs():
            return [w for w in session.managed_clients() if w not in before and
                    (session.window_info(w) or {}).get("viewable")]

        x, y = self.overlay.body_point()
        session.move(x, y)
        session.press(3)
        try:
            session.move(x + 3, y + 2)
            session.move(x + 6, y + 4)
            return wait_for(new_dialogs, bool, DIALOG_TIMEOUT, "showing a new colour dialog")[0]
        finally:
            session.release(3)

    def double_click_to_alpha(self, alpha, what=""):
        """Double-clicks where the pointer is; the strip's opacity must become that alpha's."""
        self.session.double_click()
        wait_for(self.overlay.opacity, lambda o: o == opacity_of(alpha), 2.0,
                 f"at alpha {alpha}{what}")

    def double_click_to_close(self, point):
        """Double-clicks at a point of the close mark; the program must end."""
        self.session.move(*point)
        self.session.double_click()
        self.assertTrue(self.overlay.wait_exit(EXIT_TIMEOUT),
                        "still running after a double-click on x")

    def assert_strip_on_top(self, overlay, colour=BLACK, timeout=1.0):
        wait_for(lambda: self.strip_samples(overlay), lambda s: s == {colour}, timeout,
                 f"showing the strip's colour {colour} over its whole area")
