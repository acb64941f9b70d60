"""The display a run measures on, and the programs measured there. The X session (Xvfb with
openbox) and the Wine prefix with its wineserver are tests/support/xsession.py's, shared with the
end-to-end tests: every process started here dies with the run and is stopped here, by its own id.
"""

import os
import signal
import subprocess
import time

import procfs
from overlay_facts import SCREEN, START
from xsession import WinePrefix, XSession, end_process, wait_for

__all__ = ["START_RECT", "BenchError", "BenchSession", "Program", "WinePrefix", "poll_until"]

# Where every program under measurement opens its window: where the overlay starts.
START_RECT = START

# Programs measured here must not hold the caller's output open after the run.
QUIET = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class BenchError(Exception):
    pass


def poll_until(condition, timeout, what, interval=0.05):
    """Polls `condition` until it returns something true, or fails at the deadline."""
    try:
        return wait_for(condition, bool, timeout, what, interval)
    except AssertionError as error:
        raise BenchError(str(error)) from None


def task_cpu_seconds(pid):
    """CPU time of the process's live threads, from the scheduler's own count in nanoseconds
    (/proc/PID/task/TID/schedstat): the 10 ms ticks of utime + stime cannot tell a few
    milliseconds apart."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as schedstat:
                total += int(schedstat.read().split()[0])
        except FileNotFoundError:
            continue  # a thread that has just ended
    return total / 1e9


class BenchSession(XSession):
    """Xvfb at 1024 x 768, 96 dpi, on a free display number, with openbox managing it; and the
    XTest injector and window probe (xbench) on it."""

    def __init__(self, xbench):
        super().__init__(*SCREEN, name="coverstrip-bench")
        self.xbench = xbench

    def run_xbench(self, *args, timeout=120):
        """Runs one xbench command; its key=value output as a dict, and whether it succeeded."""
        result = subprocess.run([self.xbench, *map(str, args)], env=self.env(),
                                capture_output=True, text=True, timeout=timeout)
        return parse_keys(result.stdout), result.returncode == 0


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


class Program:
    """One program under measurement: started with `command`, its window found by the position
    it opens at. For a Wine program, `exe_name` is the command name of its Windows process."""

    def __init__(self, session, command, rect=START_RECT, env=None, exe_name=None,
                 server_pids=(), timeout=60):
        self.session = session
        self.rect = rect
        self.exe_name = exe_name
        self.server_pids = list(server_pids)
        self.env = env or session.env()
        waiter = session.spawn([session.xbench, "wait-map", *rect, int(timeout * 1000)],
                               stdout=subprocess.PIPE, text=True)
        clock, clock_in_the_child = os.pipe()
        try:
            if waiter.stdout.readline().strip() != "ready":
                raise BenchError("the window probe did not start")
            # The start is taken in the child, just before the exec: what it costs to fork this
            # process is not the program's.
            self.process = session.spawn(command, env=self.env, before_exec=lambda: os.write(
                clock_in_the_child, time.monotonic_ns().to_bytes(8, "little")), **QUIET)
            os.close(clock_in_the_child)
            clock_in_the_child = None
            started = int.from_bytes(os.read(clock, 8), "little")
            found = parse_keys(waiter.stdout.read())
            waiter.wait()
        except BaseException:
            end_process(waiter, signal.SIGTERM)
            raise
        finally:
            os.close(clock)
            if clock_in_the_child is not None:
                os.close(clock_in_the_child)
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
        return sum(task_cpu_seconds(pid) for pid in self.measured_pids())

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
        end_process(self.process, signal.SIGTERM)
        if getattr(self, "window", None):
            self.session.run_xbench("wait-gone", self.window, 10000)
