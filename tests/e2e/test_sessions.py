"""The sessions the overlay is started in: one that asks Qt for Wayland while an X display is
there (XWayland), one with no X display at all, a real Wayland compositor (sway, headless) with
XWayland, where the overlay must still be an X window at its start geometry, and kwin_wayland,
where the peek works over a Wayland-native window once kwin lets X programs see the modifiers."""

import os
import shutil
import subprocess
import tempfile
import unittest

from harness import BUILD, EXE, START_TIMEOUT, Desktop, Overlay, hold_for, wait_for
from overlay_facts import START
from xsession import SessionBus, end_process, spawn

# Without an X display the program must have ended by then, having started nothing.
EXIT_TIMEOUT = 10
# A Wayland display that nothing serves, as a session left by a compositor would name.
NO_WAYLAND = "wayland-coverstrip-none"

LINUX_ONLY = "the Windows build runs under Wine, which chooses its own display"


def stop(process):
    """Ends the process and whatever it started (XWayland under sway)."""
    end_process(process, timeout=10)
    if process.stdout is not None:
        process.stdout.close()


def without_display(**extra):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    env.update(extra)
    return env


def free_display_number():
    """A display number with no X server socket, filesystem or abstract, on this machine."""
    with open("/proc/net/unix") as f:
        sockets = f.read()
    for number in range(4100, 4200):
        path = f"/tmp/.X11-unix/X{number}"
        if not os.path.exists(path) and path not in sockets:
            return number
    raise RuntimeError("no free display number")


@unittest.skipIf(BUILD == "windows", LINUX_ONLY)
class WaylandAskedForWithAnXDisplay(unittest.TestCase):
    """QT_QPA_PLATFORM=wayland set for the whole session, as many sway and Plasma users do."""

    @classmethod
    def setUpClass(cls):
        cls.session = Desktop(1024, 768)
        cls.addClassCleanup(cls.session.stop)
        cls.session.start()

    def start(self, **env):
        overlay = Overlay(self.session, environment=env)
        self.addCleanup(overlay.stop)
        overlay.start()
        return wait_for(overlay.info,
                        lambda i: i is not None and (i["x"], i["y"], i["width"], i["height"])
                        == START, 5, "at its start geometry")

    def test_runs_as_an_x_window_at_its_start_geometry(self):
        info = self.start(QT_QPA_PLATFORM="wayland", WAYLAND_DISPLAY=NO_WAYLAND)
        self.assertTrue(info["override_redirect"], "not a window that bypasses the window manager")

    def test_any_other_platform_asked_for_is_overridden_too(self):
        self.start(QT_QPA_PLATFORM="offscreen")


class NoXDisplay(unittest.TestCase):
    """No X server to connect to: one line that says what is missing, and exit status 1."""

    def assert_one_line_and_status_1(self, env, display_named):
        if BUILD == "windows":
            self.skipTest(LINUX_ONLY)
        result = subprocess.run([EXE], env=env, stdin=subprocess.DEVNULL, capture_output=True,
                                text=True, timeout=EXIT_TIMEOUT)
        self.assertEqual(result.returncode, 1, result.stderr)
        self.assertEqual(result.stdout, "")
        lines = result.stderr.splitlines()
        self.assertEqual(len(lines), 1, f"not one line on stderr: {lines!r}")
        self.assertTrue(result.stderr.endswith("\n"))
        self.assertRegex(lines[0], r"\bX server\b", "the line does not say what is missing")
        self.assertIn("XWayland", lines[0], "the line does not say how to get one")
        self.assertIn(display_named, lines[0])

    def test_no_display_set(self):
        self.assert_one_line_and_status_1(without_display(), "DISPLAY is not set")

    def test_no_display_set_in_a_wayland_session(self):
        self.assert_one_line_and_status_1(
            without_display(QT_QPA_PLATFORM="wayland", WAYLAND_DISPLAY=NO_WAYLAND),
            "DISPLAY is not set")

    def test_display_set_where_no_server_answers(self):
        display = f":{free_display_number()}"
        self.assert_one_line_and_status_1(without_display(DISPLAY=display), f'"{display}"')


# --- a real Wayland session ---------------------------------------------------------------------


def fail_if_ended(process, name, log):
    """A compositor that has ended while the test waits for it fails the test with its log."""
    if process.poll() is not None:
        with open(log.name) as f:
            raise AssertionError(f"{name} ended ({process.returncode}): {f.read()}")


# sway refuses to run as root; as root, the compositor, the program and the readers run as nobody.
NOBODY = 65534
SWAY_CONFIG = """\
xwayland enable
output HEADLESS-1 resolution 1024x768 position 0,0
exec sh -c 'echo "$DISPLAY" > {display_file}.part && mv {display_file}.part {display_file}'
"""


@unittest.skipIf(BUILD == "windows", LINUX_ONLY)
@unittest.skipUnless(shutil.which("sway") and shutil.which("Xwayland"),
                     "needs sway and Xwayland (scripts/install-deps test installs them)")
class SwayWithXWayland(unittest.TestCase):
    """sway on its headless backend with XWayland, QT_QPA_PLATFORM=wayland in the session."""

    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="coverstrip-sway-")
        cls.addClassCleanup(shutil.rmtree, cls.tmp, ignore_errors=True)
        cls.as_root = os.geteuid() == 0
        run_dir = os.path.join(cls.tmp, "run")
        os.mkdir(run_dir, 0o700)
        os.chmod(cls.tmp, 0o755)
        # The program is copied where nobody may run it, whatever the build folder allows.
        cls.exe = os.path.join(cls.tmp, "coverstrip")
        shutil.copy(EXE, cls.exe)
        os.chmod(cls.exe, 0o755)
        cls.display_file = os.path.join(cls.tmp, "display")
        config = os.path.join(cls.tmp, "config")
        with open(config, "w") as f:
            f.write(SWAY_CONFIG.format(display_file=cls.display_file))
        if cls.as_root:
            os.chown(run_dir, NOBODY, NOBODY)
            os.chmod(cls.tmp, 0o777)
            # XWayland, as nobody, could not make the X socket folder of a fresh machine.
            if not os.path.isdir("/tmp/.X11-unix"):
                os.mkdir("/tmp/.X11-unix")
                os.chmod("/tmp/.X11-unix", 0o1777)
        cls.base_env = without_display(HOME=cls.tmp, XDG_RUNTIME_DIR=run_dir,
                                       XDG_CONFIG_HOME=cls.tmp)
        cls.base_env.pop("SWAYSOCK", None)
        cls.log = open(os.path.join(cls.tmp, "sway.log"), "w")
        cls.addClassCleanup(cls.log.close)
        cls.sway = spawn(
            cls.command(["sway", "-c", config]),
            env=dict(cls.base_env, WLR_BACKENDS="headless", WLR_LIBINPUT_NO_DEVICES="1",
                     WLR_RENDERER="pixman"),
            stdin=subprocess.DEVNULL, stdout=cls.log, stderr=subprocess.STDOUT)
        cls.addClassCleanup(stop, cls.sway)

        def started():
            fail_if_ended(cls.sway, "sway", cls.log)
            sockets = [n for n in os.listdir(run_dir) if n.startswith("wayland-") and
                       not n.endswith(".lock")]
            display = None
            if os.path.exists(cls.display_file):
                with open(cls.display_file) as f:
                    display = f.read().strip()
            return (sockets[0] if sockets else None), display

        cls.wayland, cls.display = wait_for(started, lambda v: all(v), 20,
                                            "serving Wayland with an X display")
        cls.env = dict(cls.base_env, WAYLAND_DISPLAY=cls.wayland, DISPLAY=cls.display)

    @classmethod
    def command(cls, args):
        if not cls.as_root:
            return args
        # Security modules such as AppArmor clear the parent-death signal that spawn() set when
        # the user changes (setpriv(1)): keep it.
        return ["setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups",
                "--pdeathsig=keep"] + args

    def read(self, *args):
        return subprocess.run(self.command(list(args)), env=self.env, capture_output=True,
                              text=True, timeout=20).stdout

    def form_windows(self):
        return [int(w) for w in self.read("xdotool", "search", "--onlyvisible", "--name",
                                          "^Form1$").split()]

    def geometry(self, window):
        text = self.read("xwininfo", "-id", str(window))
        fields = dict(line.strip().split(":", 1) for line in text.splitlines() if ":" in line)
        try:
            return (int(fields["Absolute upper-left X"]), int(fields["Absolute upper-left Y"]),
                    int(fields["Width"]), int(fields["Height"]),
                    fields["Override Redirect State"].strip())
        except KeyError:
            return None

    def test_shows_as_an_x_window_at_its_start_geometry(self):
        process = spawn(
            self.command([self.exe]), env=dict(self.env, QT_QPA_PLATFORM="wayland"),
            stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        self.addCleanup(stop, process)

        def windows():
            if process.poll() is not None:
                raise AssertionError(f"ended at start ({process.returncode}): "
                                     + process.stdout.read().decode(errors="replace"))
            return self.form_windows()

        window = wait_for(windows, lambda ws: len(ws) == 1, START_TIMEOUT,
                          "showing one Form1 X window through XWayland")[0]
        wait_for(lambda: self.geometry(window), lambda g: g == START + ("yes",), 5,
                 "at its start geometry, bypassing the window manager")
        # Nor has it made a Wayland window of its own, which sway would tile.
        tree = subprocess.run(self.command(["swaymsg", "-t", "get_tree", "-r"]), env=dict(
            self.env, SWAYSOCK=self.sway_socket()), capture_output=True, text=True, timeout=20)
        self.assertEqual(tree.returncode, 0, tree.stderr)
        self.assertNotIn('"xdg_shell"', tree.stdout)

    def sway_socket(self):
        run_dir = self.base_env["XDG_RUNTIME_DIR"]
        return os.path.join(run_dir, next(n for n in os.listdir(run_dir)
                                          if n.startswith("sway-ipc.")))


# --- KDE Plasma's Wayland session ---------------------------------------------------------------

KWIN_FAKE_KEYS = os.environ.get("COVERSTRIP_KWIN_FAKE_KEYS", "")
LEFT_CTRL, LEFT_ALT, KEY_A = 29, 56, 30  # evdev key codes
# From the keys' press (or release) to the strip gone (or back): a tick and the read-back.
PEEK_REACTION = 0.3
KWIN_STARTED = """\
#!/bin/sh
echo "$DISPLAY" > {display_file}.part && mv {display_file}.part {display_file}
"""
EAVESDROPS = "[Xwayland]\nXwaylandEavesdrops={}\n"
# kwin offers its fake input only to programs whose desktop entry asks for it.
FAKE_KEYS_ENTRY = """\
[Desktop Entry]
Type=Application
Name=coverstrip tests' keys
Exec={program}
NoDisplay=true
X-KDE-Wayland-Interfaces=org_kde_kwin_fake_input
"""


@unittest.skipIf(BUILD == "windows", LINUX_ONLY)
@unittest.skipUnless(shutil.which("kwin_wayland") and shutil.which("Xwayland") and KWIN_FAKE_KEYS,
                     "needs kwin_wayland, Xwayland and libwayland-client's headers at build "
                     "(scripts/install-deps test installs them)")
class KwinWithXWayland(unittest.TestCase):
    """kwin_wayland on its virtual backend with XWayland, a Wayland-native fullscreen mpv with the
    keyboard, and Ctrl+Alt held on kwin's fake-input keyboard: the peek works once kwin lets X
    programs see the modifier keys (kwinrc [Xwayland] XwaylandEavesdrops), not before."""

    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="coverstrip-kwin-")
        cls.addClassCleanup(shutil.rmtree, cls.tmp, ignore_errors=True)
        folders = {name: os.path.join(cls.tmp, name) for name in ("run", "config", "data")}
        applications = os.path.join(folders["data"], "applications")
        os.makedirs(applications)
        os.mkdir(folders["config"])
        os.mkdir(folders["run"], 0o700)
        display_file = os.path.join(cls.tmp, "display")
        started = os.path.join(cls.tmp, "started")
        cls.kwinrc = os.path.join(folders["config"], "kwinrc")
        cls.player_log = os.path.join(cls.tmp, "mpv.log")
        for path, text in ((os.path.join(applications, "coverstrip-keys.desktop"),
                            FAKE_KEYS_ENTRY.format(program=KWIN_FAKE_KEYS)),
                           (started, KWIN_STARTED.format(display_file=display_file)),
                           (cls.kwinrc, EAVESDROPS.format("None")), (cls.player_log, "")):
            with open(path, "w") as f:
                f.write(text)
        os.chmod(started, 0o755)
        # A copy without the file capability (CAP_SYS_RESOURCE) the package gives the program,
        # which a container may refuse to run.
        kwin = os.path.join(cls.tmp, "kwin_wayland")
        shutil.copy(shutil.which("kwin_wayland"), kwin)
        cls.log = open(os.path.join(cls.tmp, "kwin.log"), "w")
        cls.addClassCleanup(cls.log.close)
        cls.env = without_display(HOME=cls.tmp, XDG_RUNTIME_DIR=folders["run"],
                                  XDG_CONFIG_HOME=folders["config"],
                                  XDG_DATA_HOME=folders["data"])
        bus = SessionBus(cls.tmp, cls.log, cls.env)
        cls.addClassCleanup(bus.stop)
        cls.env.update(bus.environment)
        # Composited with QPainter: kwin's OpenGL would be Mesa's software renderer here.
        cls.kwin = spawn([kwin, "--virtual", "--xwayland", "--socket", "wayland-coverstrip",
                          "--no-lockscreen", "--no-global-shortcuts", "--no-kactivities",
                          started], env=dict(cls.env, KWIN_COMPOSE="Q"),
                         stdin=subprocess.DEVNULL, stdout=cls.log, stderr=subprocess.STDOUT)
        cls.addClassCleanup(stop, cls.kwin)

        def display():
            fail_if_ended(cls.kwin, "kwin_wayland", cls.log)
            if os.path.exists(display_file):
                with open(display_file) as f:
                    return f.read().strip()
            return None

        cls.env.update(WAYLAND_DISPLAY="wayland-coverstrip",
                       DISPLAY=wait_for(display, bool, 30, "serving Wayland and XWayland"))
        # Its log tells of the keys it is given.
        cls.start(["mpv", "--no-config", "--no-terminal", "--vo=wlshm", "--fs", "--loop-file=inf",
                   "--msg-level=all=no,input=trace", f"--log-file={cls.player_log}",
                   "av://lavfi:testsrc=size=320x240:rate=10"])
        cls.keys = cls.start([KWIN_FAKE_KEYS], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        strip = cls.start([EXE])
        cls.strip = wait_for(lambda: cls.read("xdotool", "search", "--onlyvisible", "--name",
                                              "^Form1$").split() or strip.poll(),
                             bool, START_TIMEOUT, "showing the strip through XWayland")[0]

    @classmethod
    def start(cls, args, **kwargs):
        kwargs.setdefault("stdout", cls.log)
        process = spawn(args, env=cls.env, stderr=cls.log, **kwargs)
        cls.addClassCleanup(stop, process)
        return process

    @classmethod
    def read(cls, *args):
        return subprocess.run(args, env=cls.env, capture_output=True, text=True,
                              timeout=20).stdout

    def key(self, code, down):
        self.keys.stdin.write(f"key {code} {int(down)}\n".encode())
        self.keys.stdin.flush()
        self.assertEqual(self.keys.stdout.readline().decode().strip(), "ok")

    def viewable(self):
        return "IsViewable" in self.read("xwininfo", "-id", self.strip)

    def hold_ctrl_alt(self, down):
        for code in (LEFT_CTRL, LEFT_ALT) if down else (LEFT_ALT, LEFT_CTRL):
            self.key(code, down)

    def peeks(self):
        """Whether the strip steps aside within a tick of Ctrl+Alt held; it must be back within
        a tick of their release."""
        self.hold_ctrl_alt(True)
        try:
            wait_for(self.viewable, lambda v: not v, PEEK_REACTION, "stepped aside")
            return True
        except AssertionError:
            return False
        finally:
            self.hold_ctrl_alt(False)
            wait_for(self.viewable, bool, PEEK_REACTION, "covering again")

    def player_has_the_keyboard(self):
        self.key(KEY_A, True)
        self.key(KEY_A, False)
        with open(self.player_log) as f:
            return "'a' down" in f.read()

    def test_the_peek_works_over_a_wayland_window_once_kwin_shows_x_programs_the_modifiers(self):
        wait_for(self.player_has_the_keyboard, bool, 5, "giving mpv the keyboard")
        self.assertTrue(self.viewable())
        self.hold_ctrl_alt(True)
        hold_for(self.viewable, bool, 0.5, "covering while kwin keeps the keys from X programs")
        self.hold_ctrl_alt(False)
        with open(self.kwinrc, "w") as f:
            f.write(EAVESDROPS.format("Modifiers"))
        self.read("dbus-send", "--session", "--print-reply", "--dest=org.kde.KWin", "/KWin",
                  "org.kde.KWin.reconfigure")
        # kwin takes the setting up a few hundred milliseconds after it is told, for the keys
        # pressed from then on.
        wait_for(self.peeks, bool, 5, "peeking once kwin has the setting")

if __name__ == "__main__":
    unittest.main()
