"""Runs the real overlay under Xvfb and openbox and drives it with real pointer input.

Every reading comes from the X server itself: geometry and stacking from xwininfo, window
properties from xprop, the focus from xdotool and pixels from ImageMagick's import. Input goes
through XTest (xdotool). Waits poll with a deadline; nothing sleeps blindly.

Environment:
  COVERSTRIP_BUILD       linux (run the program natively) or windows (run it with wine)
  COVERSTRIP_EXE         the program under test
  COVERSTRIP_PEER        the peer window program (peer_window.cpp)
  COVERSTRIP_WINEPREFIX  the Wine prefix for the windows build (default: wineprefix beside the exe)
"""

import ctypes
import fcntl
import os
import re
import select
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

BUILD = os.environ.get("COVERSTRIP_BUILD", "linux")
EXE = os.environ.get("COVERSTRIP_EXE", "")
PEER = os.environ.get("COVERSTRIP_PEER", "")
WINEPREFIX = os.environ.get("COVERSTRIP_WINEPREFIX") or os.path.join(
    os.path.dirname(os.path.abspath(EXE or ".")), "wineprefix")

BLACK = (0, 0, 0)
RED = (255, 0, 0)
PEER_COLOUR = (0x33, 0x66, 0x99)
# The root's own colour, so that a black strip is told apart from the bare screen.
ROOT_COLOUR = (0x50, 0x50, 0x50)

# The close mark "x": 375 x 255 twips at (5, 5) twips, i.e. about 25 x 17 px in the corner.
CLOSE_MARK_BOX = (0, 0, 26, 18)
CLOSE_MARK_POINT = (8, 8)

POLL_INTERVAL = 0.02
START_TIMEOUT = 40 if BUILD == "windows" else 15


def is_windows_build():
    return BUILD == "windows"


# --- waiting ----------------------------------------------------------------------------------


def wait_for(read, accept, timeout, what):
    """Polls read() until accept(value) holds; returns that value or fails with the last one."""
    deadline = time.monotonic() + timeout
    while True:
        value = read()
        if accept(value):
            return value
        if time.monotonic() >= deadline:
            raise AssertionError(f"after {timeout:.2f} s still not {what}; last seen: {value!r}")
        time.sleep(POLL_INTERVAL)


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


_LIBC = ctypes.CDLL(None, use_errno=True)
_PR_SET_PDEATHSIG = 1


def _die_with_the_tests():
    """Run in each long-lived child: it is killed if the test process dies without its cleanup."""
    _LIBC.prctl(_PR_SET_PDEATHSIG, signal.SIGKILL)


def _spawn(args, **kwargs):
    return subprocess.Popen(args, start_new_session=True, preexec_fn=_die_with_the_tests,
                            **kwargs)


def _run(args, env, timeout=10, check=True):
    result = subprocess.run(args, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                            timeout=timeout, text=True)
    if check and result.returncode != 0:
        raise RuntimeError(f"{' '.join(map(str, args))} failed ({result.returncode}): "
                           f"{result.stderr.strip()}")
    return result


def _kill_group(process, sig=signal.SIGKILL):
    if process is None or process.poll() is not None:
        return
    try:
        os.killpg(process.pid, sig)
    except ProcessLookupError:
        pass
    try:
        process.wait(timeout=5)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait(timeout=5)


def _tail(path, lines=20):
    try:
        with open(path, errors="replace") as f:
            return "".join(f.readlines()[-lines:])
    except OSError:
        return ""


# --- pixels -----------------------------------------------------------------------------------


class Screenshot:
    """The whole screen as ImageMagick's import grabs it from the root window: 8-bit RGB."""

    def __init__(self, data, width, height):
        if len(data) != width * height * 3:
            raise RuntimeError(f"screenshot of {len(data)} bytes for {width}x{height}")
        self.width = width
        self.height = height
        self._data = data

    def pixel(self, x, y):
        start = (y * self.width + x) * 3
        return tuple(self._data[start:start + 3])

    def region(self, x, y, width, height):
        """The pixels of a rectangle clipped to the screen, as (x, y, colour)."""
        for py in range(max(y, 0), min(y + height, self.height)):
            for px in range(max(x, 0), min(x + width, self.width)):
                yield px, py, self.pixel(px, py)


# --- the X server and the window manager ---------------------------------------------------------


class XSession:
    """One Xvfb on a free display, with openbox unless told otherwise, and the readers and input
    helpers on it."""

    def __init__(self, width, height, window_manager=True):
        self.width = width
        self.height = height
        self.window_manager = window_manager
        self.tmp = tempfile.mkdtemp(prefix="coverstrip-e2e-")
        self.display = None
        self._xvfb = None
        self._openbox = None
        self._logs = []

    # lifecycle

    def start(self):
        read_end, write_end = os.pipe()
        self._xvfb = _spawn(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
             f"{self.width}x{self.height}x24", "-dpi", "96", "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=self.log_file("xvfb"))
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 20
        while not number.endswith(b"\n"):
            left = deadline - time.monotonic()
            if left <= 0 or self._xvfb.poll() is not None:
                raise RuntimeError("Xvfb did not start: " + _tail(self.log_path("xvfb")))
            if select.select([read_end], [], [], left)[0]:
                chunk = os.read(read_end, 16)
                if not chunk:
                    raise RuntimeError("Xvfb closed its display pipe")
                number += chunk
        os.close(read_end)
        self.display = ":" + number.decode().strip()
        wait_for(lambda: _run(["xprop", "-root", "-len", "0"], self.env(), check=False)
                 .returncode, lambda rc: rc == 0, 10, "answering on " + self.display)
        if self.window_manager:
            self._start_openbox()
        self.run(PEER, "--root", "%02x%02x%02x" % ROOT_COLOUR)

    def _start_openbox(self):
        config = os.path.join(self.tmp, "config")
        os.makedirs(config, exist_ok=True)
        self._openbox = _spawn(
            ["openbox", "--sm-disable"], env=self.env(XDG_CONFIG_HOME=config),
            stdout=subprocess.DEVNULL, stderr=self.log_file("openbox"))
        # openbox sets _NET_CLIENT_LIST once it has taken over the screen's existing windows;
        # a window mapped before then may be left unmanaged.
        wait_for(lambda: self.xprop_root("_NET_SUPPORTING_WM_CHECK") + self.xprop_root(
            "_NET_CLIENT_LIST"), lambda v: "window id" in v and "no such atom" not in v and
            "not found" not in v, 15, "managed by openbox")

    def end_server(self, sig=signal.SIGKILL):
        """Takes the X server away from under its clients, as a crash of it would."""
        self._xvfb.send_signal(sig)
        self._xvfb.wait(timeout=10)

    def stop(self):
        _kill_group(self._openbox, signal.SIGTERM)
        _kill_group(self._xvfb, signal.SIGTERM)
        for log in self._logs:
            log.close()
        shutil.rmtree(self.tmp, ignore_errors=True)

    def log_path(self, name):
        return os.path.join(self.tmp, name + ".log")

    def log_file(self, name):
        """A log file for a child's output; the child keeps its own copy of the descriptor."""
        log = open(self.log_path(name), "w")
        self._logs.append(log)
        return log

    def env(self, **extra):
        env = dict(os.environ)
        env.pop("WAYLAND_DISPLAY", None)
        run_dir = os.path.join(self.tmp, "run")
        os.makedirs(run_dir, mode=0o700, exist_ok=True)
        env.update(DISPLAY=self.display or "", QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=run_dir)
        env.update(extra)
        return env

    def run(self, *args, check=True):
        return _run(list(map(str, args)), self.env(), check=check).stdout

    # readers

    def xprop_root(self, name):
        return _run(["xprop", "-root", name], self.env(), check=False).stdout

    def window_info(self, window):
        """Geometry, map state and override-redirect of a window, or None once it is gone."""
        result = _run(["xwininfo", "-id", str(window)], self.env(), check=False)
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

    def screenshot(self):
        data = subprocess.run(["import", "-silent", "-window", "root", "-depth", "8", "rgb:-"],
                              env=self.env(), check=True, stdout=subprocess.PIPE,
                              timeout=10).stdout
        return Screenshot(data, self.width, self.height)

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


# --- Wine ---------------------------------------------------------------------------------------


class WinePrefix:
    """The build's own Wine prefix, created once and used by one test class at a time."""

    def __init__(self, path, session):
        self.path = path
        self.session = session
        self._lock = None

    def _end_server(self):
        for action in ("-k", "-w"):
            subprocess.run(["wineserver", action], env=self.env(), timeout=30,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def env(self):
        return self.session.env(WINEPREFIX=self.path, WINEDLLOVERRIDES="mscoree,mshtml=",
                                WINEDEBUG="-all")

    def acquire(self):
        os.makedirs(os.path.dirname(self.path), exist_ok=True)
        self._lock = open(self.path + ".lock", "w")
        fcntl.flock(self._lock, fcntl.LOCK_EX)
        # A server left by other programs of the prefix (the unit tests run without a display)
        # would bring them a desktop on no display or on another class's screen.
        self._end_server()
        if not os.path.exists(os.path.join(self.path, "system.reg")):
            _run(["wineboot", "-i"], self.env(), timeout=180)
            _run(["wineserver", "-w"], self.env(), timeout=60)
        # One server for the whole class, on this class's display; it ends by itself 10 s after
        # its last program should the tests die before release().
        subprocess.run(["wineserver", "-p10"], env=self.env(), timeout=30)

    def release(self):
        if self._lock is None:
            return
        self._end_server()
        fcntl.flock(self._lock, fcntl.LOCK_UN)
        self._lock.close()
        self._lock = None


# --- the programs -------------------------------------------------------------------------------


class Overlay:
    """The program under test and its window "Form1"."""

    def __init__(self, session, wine=None, split_output=False):
        self.session = session
        self.wine = wine
        self.process = None
        self.window = None
        self.log_name = f"overlay-{time.monotonic_ns()}"
        # stdout and stderr in logs of their own (name.out, name.err) instead of one log.
        self.split_output = split_output

    def start(self):
        if self.wine is not None:
            args, env = ["wine", EXE], self.wine.env()
        else:
            args, env = [EXE], self.session.env()
        before = set(self.session.viewable_windows("^Form1$"))
        if self.split_output:
            out = self.session.log_file(self.log_name + ".out")
            err = self.session.log_file(self.log_name + ".err")
        else:
            out, err = self.session.log_file(self.log_name), subprocess.STDOUT
        self.process = _spawn(args, env=env, stdin=subprocess.DEVNULL, stdout=out, stderr=err)

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
        _kill_group(self.process)

    def alive(self):
        return self.process.poll() is None

    def output(self):
        """What the program has written so far: both streams in one text."""
        if not self.split_output:
            return _tail(self.session.log_path(self.log_name), lines=1000)
        return self.stdout_text() + self.stderr_text()

    def stdout_text(self):
        return _tail(self.session.log_path(self.log_name + ".out"), lines=1000)

    def stderr_text(self):
        return _tail(self.session.log_path(self.log_name + ".err"), lines=1000)

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
        self.process = _spawn(
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
        _kill_group(self.process)
        self.process.stdin.close()
        self.process.stdout.close()


# --- the test case base -------------------------------------------------------------------------



def open_session(screen, window_manager, add_cleanup):
    """Starts an X session (and for the Windows build its Wine prefix) that add_cleanup ends."""
    session = XSession(*screen, window_manager=window_manager)
    add_cleanup(session.stop)
    session.start()
    wine = None
    if is_windows_build():
        wine = WinePrefix(WINEPREFIX, session)
        add_cleanup(wine.release)
        wine.acquire()
    return session, wine


class OverlayTestCase(unittest.TestCase):
    """One X session per class; a fresh overlay for each test."""

    SCREEN = (1024, 768)
    WINDOW_MANAGER = True
    # The program's stdout and stderr kept apart, for tests that read them.
    SPLIT_OUTPUT = False

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

    def start_overlay(self, split_output=False):
        overlay = Overlay(self.session, self.wine, split_output)
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

    def strip_samples(self, overlay, shot=None):
        """Colours at points spread over the strip, the close mark's corner left out."""
        shot = shot or self.session.screenshot()
        x, y, width, height = overlay.geometry()
        points = set()
        for fx in (0.1, 0.3, 0.5, 0.7, 0.9, 1.0):
            for fy in (0.0, 0.5, 1.0):
                px = min(int(width * fx), width - 1)
                py = min(int(height * fy), height - 1)
                if px < CLOSE_MARK_BOX[2] + 4 and py < CLOSE_MARK_BOX[3] + 4:
                    continue
                points.add((x + px, y + py))
        return {shot.pixel(px, py) for px, py in points if
                0 <= px < shot.width and 0 <= py < shot.height}

    def strip_shows(self, overlay, colour):
        """Whether every sampled strip pixel is exactly colour."""
        return self.strip_samples(overlay) == {colour}

    def close_mark_colours(self, overlay):
        shot = self.session.screenshot()
        x, y, _, _ = overlay.geometry()
        bx, by, bw, bh = CLOSE_MARK_BOX
        return [c for _, _, c in shot.region(x + bx, y + by, bw, bh)]

    def assert_strip_on_top(self, overlay, colour=BLACK, timeout=1.0):
        wait_for(lambda: self.strip_samples(overlay), lambda s: s == {colour}, timeout,
                 f"showing the strip's colour {colour} over its whole area")


def reddish(colour):
    r, g, b = colour
    return r >= 160 and g <= 90 and b <= 90


def darkish(colour):
    return max(colour) <= 60
