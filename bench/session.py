"""The one X display a run measures on (Xvfb with openbox), the Wine prefix and server of the
Windows build, and the programs started on them. Every process started here is stopped here, by
its own id."""

import os
import signal
import subprocess
import time

import procfs

SCREEN_WIDTH, SCREEN_HEIGHT = 1024, 768
# Where every program under measurement opens its window: a quarter of the screen's width from
# the left, 602 px down, half the screen's width wide, 40 px high (96 dpi, 15 twips a pixel).
START_RECT = (SCREEN_WIDTH // 4, 602, SCREEN_WIDTH // 2, 40)

# Servers started here must not hold the caller's output open after the run.
QUIET = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

WINE_ENVIRONMENT = {"WINEDLLOVERRIDES": "mscoree,mshtml=", "WINEDEBUG": "-all"}


class BenchError(Exception):
    pass


def poll_until(condition, timeout, what, interval=0.05):
    """Polls `condition` until it returns something true, or fails at the deadline."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() >= deadline:
            raise BenchError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


def stop_process(process, timeout=5):
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


class XSession:
    """Xvfb at 1024 x 768, 96 dpi, on a free display number, with openbox managing it."""

    def __init__(self, xbench):
        self.xbench = xbench
        self.processes = []
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
             f"{SCREEN_WIDTH}x{SCREEN_HEIGHT}x24", "-dpi", "96", "-nolisten", "tcp"],
            pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        self.processes.append(xvfb)
        with os.fdopen(read_end) as numbers:
            number = numbers.readline().strip()
        if not number:
            self.close()
            raise BenchError("Xvfb did not start")
        self.env = {k: v for k, v in os.environ.items() if k not in ("WAYLAND_DISPLAY",)}
        self.env.update(DISPLAY=f":{number}", QT_QPA_PLATFORM="xcb")
        self.processes.append(subprocess.Popen(
            ["openbox", "--sm-disable"], env=self.env,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        try:
            poll_until(self._window_manager_ready, 10, "openbox")
        except BenchError:
            self.close()
            raise

    def _window_manager_ready(self):
        result = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env,
                                capture_output=True, text=True)
        return "window id" in result.stdout

    def run_xbench(self, *args, timeout=120):
        """Runs one xbench command; its key=value output as a dict, and whether it succeeded."""
        result = subprocess.run([self.xbench, *map(str, args)], env=self.env,
                                capture_output=True, text=True, timeout=timeout)
        return parse_keys(result.stdout), result.returncode == 0

    def close(self):
        for process in reversed(self.processes):
            stop_process(process)
        self.processes.clear()


def parse_keys(text):
    values = {}
    for line in text.splitlines():
        if line.startswith("error="):
            values["error"] = line[len("error="):]
            continue
        for pair in line.split():
            key, _, value = pair.partition("=")
            if value:
                values[key] = value
    return values


class WineServer:
    """A Wine prefix of the benchmark's own, created once, and its wineserver kept running for
    the whole run, so that a start of the Windows build does not include starting the server."""

    def __init__(self, session, prefix, dll_path=None):
        self.prefix = prefix
        self.env = dict(session.env, WINEPREFIX=prefix, **WINE_ENVIRONMENT)
        if dll_path:
            self.env["WINEPATH"] = ";".join("Z:" + d.replace("/", "\\") for d in dll_path)
        if not os.path.exists(os.path.join(prefix, "system.reg")):
            print("  creating the Wine prefix (once; 10-20 s)", flush=True)
            subprocess.run(["wineboot", "-i"], env=self.env, check=True, timeout=300, **QUIET)
            subprocess.run(["wineserver", "-w"], env=self.env, timeout=300, **QUIET)
        subprocess.run(["wineserver", "-p"], env=self.env, check=True, **QUIET)
        try:
            self.pids = poll_until(self.server_pids, 10, "wineserver")
        except BenchError:
            self.close()
            raise

    def server_pids(self):
        return procfs.pids_named(["wineserver", "wineserver64"], {"WINEPREFIX": self.prefix})

    def close(self):
        # Stops this prefix's server, and with it the prefix's own Wine processes.
        subprocess.run(["wineserver", "-k"], env=self.env, **QUIET)


class Program:
    """One program under measurement: started with `command`, its window found by the position
    it opens at. For a Wine program, `exe_name` is the command name of its Windows process."""

    def __init__(self, session, command, rect=START_RECT, env=None, exe_name=None,
                 server_pids=(), timeout=60):
        self.session = session
        self.rect = rect
        self.exe_name = exe_name
        self.server_pids = list(server_pids)
        self.env = env or session.env
        waiter = subprocess.Popen([session.xbench, "wait-map", *map(str, rect), str(int(timeout * 1000))],
                                  env=session.env, stdout=subprocess.PIPE, text=True)
        try:
            if waiter.stdout.readline().strip() != "ready":
                raise BenchError("the window probe did not start")
            started = time.monotonic_ns()
            self.process = subprocess.Popen(command, env=self.env, **QUIET)
            found = parse_keys(waiter.stdout.read())
            waiter.wait()
        except BaseException:
            stop_process(waiter)
            raise
        if "window" not in found:
            self.stop()
            raise BenchError(f"{command[-1]}: {found.get('error', 'no window')}")
        self.window = found["window"]
        self.startup_ms = (int(found["seen_ns"]) - started) / 1e6
        self.pid = self.process.pid
        if exe_name:
            self.pid = poll_until(lambda: (procfs.pids_named(exe_name, {
                "WINEPREFIX": self.env["WINEPREFIX"]}) or [None])[0], 10, exe_name)

    def measured_pids(self):
        return [self.pid, *self.server_pids]

    def cpu_seconds(self):
        return sum(procfs.cpu_seconds(pid) for pid in self.measured_pids())

    def settled_rss_kib(self, timeout=10):
        """VmRSS once it has stopped changing: three reads 100 ms apart within 64 KiB."""
        reads = []

        def steady():
            reads.append(procfs.rss_kib(self.pid))
            recent = reads[-3:]
            return len(recent) == 3 and max(recent) - min(recent) <= 64 and recent[-1]

        return poll_until(steady, timeout, "a steady resident size", interval=0.1)

    def stop(self):
        if self.exe_name and self.pid != self.process.pid and procfs.alive(self.pid):
            os.kill(self.pid, signal.SIGTERM)
            poll_until(lambda: not procfs.alive(self.pid), 10, f"{self.exe_name} to end")
        stop_process(self.process)
        if getattr(self, "window", None):
            self.session.run_xbench("wait-gone", self.window, 10000)
