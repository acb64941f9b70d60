"""An X session to run the programs on, and the Wine prefix of the Windows build: what the
end-to-end tests and the benchmark both start.

XSession: one Xvfb on a free display (-displayfd), with openbox unless told otherwise, and the
screen's pixels read back through Xlib. WinePrefix: a prefix created once and locked while in use,
with a wineserver of its own for as long as it is open. Every child started here runs in its own
process group and is killed when the process that started it dies, so that nothing outlives a
run that was killed; it is stopped here, by its own id.
"""

import ctypes
import fcntl
import os
import select
import shutil
import signal
import subprocess
import tempfile
import time
from typing import NamedTuple

POLL_INTERVAL = 0.02

_LIBC = ctypes.CDLL(None, use_errno=True)
_PR_SET_PDEATHSIG = 1


# --- waiting ----------------------------------------------------------------------------------


def wait_for(read, accept, timeout, what, interval=POLL_INTERVAL):
    """Polls read() until accept(value) holds; returns that value or fails with the last one."""
    deadline = time.monotonic() + timeout
    while True:
        value = read()
        if accept(value):
            return value
        if time.monotonic() >= deadline:
            raise AssertionError(f"after {timeout:.2f} s still not {what}; last seen: {value!r}")
        time.sleep(interval)


# --- child processes ----------------------------------------------------------------------------


def spawn(args, death_signal=signal.SIGKILL, before_exec=None, **kwargs):
    """Starts a child in a process group of its own that is sent death_signal (PR_SET_PDEATHSIG)
    when this process dies. before_exec, if given, runs in the child just before the exec."""

    def in_the_child():
        _LIBC.prctl(_PR_SET_PDEATHSIG, death_signal)
        if before_exec is not None:
            before_exec()

    return subprocess.Popen(list(map(str, args)), start_new_session=True,
                            preexec_fn=in_the_child, **kwargs)


def run_command(args, env, timeout=10, check=True):
    """Runs a short command to its end; its output as text. The output goes through files, not
    pipes: the Wine services a Windows program starts keep what it inherited open long after it
    has ended."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        result = subprocess.run(list(map(str, args)), env=env, stdout=out, stderr=err,
                                timeout=timeout)
        for stream, name in ((out, "stdout"), (err, "stderr")):
            stream.seek(0)
            setattr(result, name, stream.read().decode(errors="replace"))
    if check and result.returncode != 0:
        raise RuntimeError(f"{' '.join(map(str, args))} failed ({result.returncode}): "
                           f"{result.stderr.strip()}")
    return result


def end_process(process, sig=signal.SIGKILL, timeout=5, group=True):
    """Ends a child started by spawn(), with its whole process group unless group is false."""
    if process is None or process.poll() is not None:
        return
    send = (lambda s: os.killpg(process.pid, s)) if group else process.send_signal
    try:
        send(sig)
        process.wait(timeout=timeout)
    except ProcessLookupError:
        pass
    except subprocess.TimeoutExpired:
        send(signal.SIGKILL)
        process.wait(timeout=timeout)


def tail(path, lines=20):
    try:
        with open(path, errors="replace") as f:
            return "".join(f.readlines()[-lines:])
    except OSError:
        return ""


# --- pixels -------------------------------------------------------------------------------------


class _XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int), ("red_mask", ctypes.c_ulong),
                ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong)]


_xlib = None
_x_errors = []


def _load_xlib():
    """libX11, loaded once, with an error handler that records errors instead of exiting."""
    global _xlib
    if _xlib is None:
        xlib = ctypes.CDLL("libX11.so.6")
        xlib.XOpenDisplay.restype = ctypes.c_void_p
        xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        xlib.XDefaultRootWindow.restype = ctypes.c_ulong
        xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        xlib.XGetImage.restype = ctypes.POINTER(_XImage)
        xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                   ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        xlib.XDestroyImage.argtypes = [ctypes.POINTER(_XImage)]
        xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        handler = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(
            lambda display, event: _x_errors.append(event) or 0)
        xlib.XSetErrorHandler.argtypes = [type(handler)]
        xlib.XSetErrorHandler(handler)
        xlib.error_handler = handler  # kept alive as long as libX11 may call it
        _xlib = xlib
    return _xlib


class Pixels:
    """A rectangle of the screen as the root window shows it, read with one XGetImage: each
    poll reads only what it judges, in well under a millisecond, where a grab of the whole screen
    by a helper program takes tens. Points are screen coordinates."""

    _Z_PIXMAP = 2
    _LSB_FIRST = 0

    def __init__(self, display, x, y, width, height):
        self.x, self.y, self.width, self.height = x, y, width, height
        self._data = b""
        if width <= 0 or height <= 0:
            return
        xlib = _load_xlib()
        connection = xlib.XOpenDisplay(display.encode())
        if not connection:
            raise RuntimeError(f"cannot open display {display}")
        try:
            _x_errors.clear()
            image = xlib.XGetImage(connection, xlib.XDefaultRootWindow(connection), x, y, width,
                                   height, 0xFFFFFFFF, self._Z_PIXMAP)
            if not image or _x_errors:
                raise RuntimeError(f"XGetImage of {width}x{height}+{x}+{y} failed on {display}")
            try:
                found = image.contents
                layout = (found.bits_per_pixel, found.byte_order, found.red_mask,
                          found.green_mask, found.blue_mask)
                if layout != (32, self._LSB_FIRST, 0xFF0000, 0xFF00, 0xFF):
                    raise RuntimeError(f"unexpected pixel layout {layout}")
                self._stride = found.bytes_per_line
                self._data = ctypes.string_at(found.data, self._stride * height)
            finally:
                xlib.XDestroyImage(image)
        finally:
            xlib.XCloseDisplay(connection)

    def holds(self, px, py):
        return self.x <= px < self.x + self.width and self.y <= py < self.y + self.height

    def pixel(self, px, py):
        """The colour at a screen point inside the rectangle, as 8-bit (r, g, b)."""
        if not self.holds(px, py):
            raise IndexError(f"({px}, {py}) is outside the pixels read "
                             f"({self.width}x{self.height}+{self.x}+{self.y})")
        start = (py - self.y) * self._stride + (px - self.x) * 4
        blue, green, red = self._data[start:start + 3]
        return red, green, blue

    def region(self, x, y, width, height):
        """The pixels of a rectangle clipped to those read, as (x, y, colour)."""
        for py in range(max(y, self.y), min(y + height, self.y + self.height)):
            for px in range(max(x, self.x), min(x + width, self.x + self.width)):
                yield px, py, self.pixel(px, py)

    def __iter__(self):
        """Every pixel read, as (x, y, colour)."""
        return self.region(self.x, self.y, self.width, self.height)


# --- the X server and the window manager ---------------------------------------------------------


class WindowManager(NamedTuple):
    """How a window manager is started on Xvfb: its command, files it reads from its own
    XDG_CONFIG_HOME, whether it needs a session bus (for its settings' service), and the root
    window's property it sets once it has taken over the screen: a window mapped before then may
    be left unmanaged."""

    command: list
    config_files: dict = {}
    session_bus: bool = False
    managing: str = "_NET_SUPPORTING_WM_CHECK"


# The window managers the tests know, by name. Each runs with its defaults, compositing included
# where it composites by default (kwin_x11 and mutter through Mesa's software GL).
WINDOW_MANAGERS = {
    # openbox sets _NET_SUPPORTING_WM_CHECK before it has taken over the existing windows.
    "openbox": WindowManager(["openbox", "--sm-disable"], managing="_NET_CLIENT_LIST"),
    # A tiling window manager that puts every client in an override-redirect frame.
    "i3": WindowManager(["i3"], {"i3/config": "# i3 config file (v4)\nfocus_follows_mouse no\n"}),
    # xfconfd, its settings' service, is started by the bus.
    "xfwm4": WindowManager(["xfwm4", "--sm-client-disable"], session_bus=True),
    "kwin_x11": WindowManager(["kwin_x11"], session_bus=True),
    "mutter": WindowManager(["mutter", "--x11", "--sm-disable"], session_bus=True),
    "fluxbox": WindowManager(["fluxbox"]),
    "icewm": WindowManager(["icewm"]),
}


class SessionBus:
    """A dbus-daemon --session of its own, at an address in a folder of the caller's (an X
    session's), its output to log."""

    def __init__(self, folder, log, env=None):
        path = os.path.join(folder, f"bus-{time.monotonic_ns()}")
        self.process = spawn(["dbus-daemon", "--session", "--nofork", "--print-address=1",
                              f"--address=unix:path={path}"],
                             env=env, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                             stderr=log)
        # Printed once it listens.
        self.address = self.process.stdout.readline().decode().strip()
        if not self.address:
            raise AssertionError("dbus-daemon did not start")
        # What a program's environment needs to find it.
        self.environment = {"DBUS_SESSION_BUS_ADDRESS": self.address}

    def stop(self):
        end_process(self.process)
        self.process.stdout.close()


class XSession:
    """One Xvfb on a free display, with a window manager: openbox unless told otherwise
    (window_manager False for none, or a name in WINDOW_MANAGERS). The window manager's session
    bus, if it needs one, is every program's."""

    def __init__(self, width=1024, height=768, window_manager=True, dpi=96, name="coverstrip"):
        self.width = width
        self.height = height
        self.dpi = dpi
        self.window_manager = "openbox" if window_manager is True else window_manager
        self.tmp = tempfile.mkdtemp(prefix=name + "-")
        self.display = None
        self._xvfb = None
        self._manager = None
        self._bus = None
        self._logs = []

    def start(self, timeout=20):
        read_end, write_end = os.pipe()
        try:
            # -noreset: the server keeps its state (RandR monitors among it) when its last
            # client leaves.
            self._xvfb = spawn(
                ["Xvfb", "-displayfd", write_end, "-screen", "0",
                 f"{self.width}x{self.height}x24", "-dpi", self.dpi, "-nolisten", "tcp",
                 "-noreset"],
                pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                stderr=self.log_file("xvfb"))
            os.close(write_end)
            write_end = None
            self.display = ":" + self._read_display_number(read_end, timeout)
        finally:
            os.close(read_end)
            if write_end is not None:
                os.close(write_end)
        wait_for(lambda: run_command(["xprop", "-root", "-len", "0"], self.env(), check=False)
                 .returncode, lambda rc: rc == 0, 10, "answering on " + self.display)
        if self.window_manager:
            self._start_window_manager(WINDOW_MANAGERS[self.window_manager])

    def _read_display_number(self, pipe, timeout):
        number = b""
        deadline = time.monotonic() + timeout
        while not number.endswith(b"\n"):
            left = deadline - time.monotonic()
            if left <= 0 or self._xvfb.poll() is not None:
                raise RuntimeError("Xvfb did not start: " + tail(self.log_path("xvfb")))
            if select.select([pipe], [], [], left)[0]:
                chunk = os.read(pipe, 16)
                if not chunk:
                    raise RuntimeError("Xvfb closed its display pipe: " +
                                       tail(self.log_path("xvfb")))
                number += chunk
        return number.decode().strip()

    def _start_window_manager(self, manager):
        config = os.path.join(self.tmp, "config")
        for name, text in manager.config_files.items():
            os.makedirs(os.path.dirname(os.path.join(config, name)), exist_ok=True)
            with open(os.path.join(config, name), "w") as f:
                f.write(text)
        # Its settings, caches and data (and its bus's services') in the session's folder, none
        # in the user's home.
        home = dict(HOME=self.tmp, XDG_CONFIG_HOME=config)
        if manager.session_bus:
            self._bus = SessionBus(self.tmp, self.log_file("dbus-daemon"), self.env(**home))
        self._manager = spawn(manager.command, env=self.env(**home),
                              stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                              stderr=self.log_file(self.window_manager))

        def managing():
            if self._manager.poll() is not None:
                raise RuntimeError(f"{self.window_manager} ended at start: " +
                                   tail(self.log_path(self.window_manager)))
            return self.xprop_root(manager.managing)

        wait_for(managing, lambda v: "window id" in v, 30, "managed by " + self.window_manager)

    def end_server(self, sig=signal.SIGKILL):
        """Takes the X server away from under its clients, as a crash of it would."""
        self._xvfb.send_signal(sig)
        self._xvfb.wait(timeout=10)

    def stop(self):
        end_process(self._manager, signal.SIGTERM)
        if self._bus is not None:
            self._bus.stop()
        end_process(self._xvfb, signal.SIGTERM)
        for log in self._logs:
            log.close()
        self._logs.clear()
        shutil.rmtree(self.tmp, ignore_errors=True)

    def log_path(self, name):
        return os.path.join(self.tmp, name + ".log")

    def log_file(self, name):
        """A log file for a child's output; the child keeps its own copy of the descriptor."""
        log = open(self.log_path(name), "w")
        self._logs.append(log)
        return log

    def env(self, **extra):
        """The environment of a program on this display: X11 only, whatever the caller's is."""
        env = dict(os.environ)
        env.pop("WAYLAND_DISPLAY", None)
        run_dir = os.path.join(self.tmp, "run")
        os.makedirs(run_dir, mode=0o700, exist_ok=True)
        env.update(DISPLAY=self.display or "", QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=run_dir)
        if self._bus is not None:
            env.update(self._bus.environment)
        env.update(extra)
        return env

    def spawn(self, args, **kwargs):
        """A program on this display (see spawn())."""
        kwargs.setdefault("env", self.env())
        return spawn(args, **kwargs)

    def run(self, *args, check=True, timeout=10):
        return run_command(args, self.env(), timeout=timeout, check=check).stdout

    def xprop_root(self, name):
        return self.run("xprop", "-root", name, check=False)

    def pixels(self, x, y, width, height):
        """The screen's pixels in a rectangle, clipped to the screen."""
        left, top = max(x, 0), max(y, 0)
        right, bottom = min(x + width, self.width), min(y + height, self.height)
        return Pixels(self.display, left, top, max(right - left, 0), max(bottom - top, 0))

    def pixel(self, x, y):
        return self.pixels(x, y, 1, 1).pixel(x, y)


# --- Wine ---------------------------------------------------------------------------------------


class WinePrefix:
    """A Wine prefix created once, used by one run at a time (a lock beside it), and while open
    a wineserver of its own, started on the session's display and kept for as long as the prefix
    is open: a program's start then never includes the server's."""

    ENVIRONMENT = {"WINEDLLOVERRIDES": "mscoree,mshtml=", "WINEDEBUG": "-all"}

    def __init__(self, path, session, dll_dirs=()):
        self.path = os.path.abspath(path)
        self.session = session
        # Folders of DLLs the programs load from the host, on Wine's search path.
        self.dll_dirs = list(dll_dirs)
        self._lock = None
        self._server = None

    def env(self, **extra):
        # WINEDLLOVERRIDES: no Mono or Gecko installer dialog may block an unattended run.
        env = dict(self.ENVIRONMENT, WINEPREFIX=self.path, **extra)
        if self.dll_dirs:
            env["WINEPATH"] = ";".join("Z:" + d.replace("/", "\\") for d in self.dll_dirs)
        return self.session.env(**env)

    def exists(self):
        return os.path.exists(os.path.join(self.path, "system.reg"))

    def open(self, create_timeout=300):
        os.makedirs(os.path.dirname(self.path), exist_ok=True)
        self._lock = open(self.path + ".lock", "w")
        fcntl.flock(self._lock, fcntl.LOCK_EX)
        # A server left by other programs of the prefix (the unit tests run without a display)
        # would bring them a desktop on no display or on another session's screen.
        self._end_server()
        if not self.exists():
            run_command(["wineboot", "-i"], self.env(), timeout=create_timeout)
            run_command(["wineserver", "-w"], self.env(), timeout=60)
        started = time.time()
        # In the foreground, as our own child. SIGINT is what "wineserver -k" sends: the server
        # ends every program of the prefix, then itself; a killed server would leave them.
        self._server = spawn(["wineserver", "-f", "-p"], death_signal=signal.SIGINT,
                             env=self.env(),
                             stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                             stderr=self.session.log_file("wineserver"))
        wait_for(lambda: self._listening(started), bool, 30, "the wineserver listening")

    def _listening(self, since):
        """Whether the server has made its socket: a new one, in the folder it works in."""
        if self._server.poll() is not None:
            raise RuntimeError("wineserver ended at start: " +
                               tail(self.session.log_path("wineserver")))
        try:
            folder = os.readlink(f"/proc/{self._server.pid}/cwd")
            made = os.stat(os.path.join(folder, "socket")).st_ctime
        except OSError:
            return False
        # A socket left by a server that was killed is older (file times are coarse: 1 s slack).
        return os.path.basename(folder).startswith("server-") and made >= since - 1

    def server_pids(self):
        """The process ids of the prefix's wineserver (for the CPU time it spends)."""
        return [self._server.pid] if self._server and self._server.poll() is None else []

    def _end_server(self):
        # -k ends the server and every program of the prefix; -w waits until it is gone.
        for action in ("-k", "-w"):
            subprocess.run(["wineserver", action], env=self.env(), timeout=30,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def close(self):
        if self._lock is None:
            return
        self._end_server()
        end_process(self._server)
        self._server = None
        fcntl.flock(self._lock, fcntl.LOCK_UN)
        self._lock.close()
        self._lock = None
