"""The sessions the overlay is started in: one that asks Qt for Wayland while an X display is
there (XWayland), one with no X display at all, and a real Wayland compositor (sway, headless)
with XWayland, where the overlay must still be an X window at its start geometry."""

import os
import shutil
import subprocess
import tempfile
import unittest

from harness import BUILD, EXE, START_TIMEOUT, Desktop, Overlay, wait_for
from overlay_facts import START
from xsession import end_process, spawn

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
            if cls.sway.poll() is not None:
                with open(cls.log.name) as f:
                    raise AssertionError(f"sway ended ({cls.sway.returncode}): {f.read()}")
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


if __name__ == "__main__":
    unittest.main()
