"""The measurements of one run. Each adds samples, one per repetition, to a Results under a
(measure, program) key, and records a failure where the program did not do what it must."""

import os
import re
import subprocess
import time
from collections import defaultdict

from session import BenchError, BenchSession, Program

DRAG_EVENTS = 1000
# Pixels from the press point; the window must end exactly there. Right and down: a toolkit that
# merges queued motion events would otherwise carry the pointer, in one merged event, into the
# strip's left or top band, where the same drag rightly stretches the window instead.
DRAG_OFFSET = (150, 100)
LOAD_DRAG_EVENTS = 10_000
LOAD_DOUBLE_CLICKS = 500
# Batches of drag events after the load: the second must leave the resident size where the first
# left it.
BATCH_DRAG_EVENTS = 3_000
IDLE_PER_SECONDS = 30  # idle CPU time is given as per 30 s, whatever the window measured
# Each repetition's idle time is measured in windows of this many seconds, one sample each: the
# programs' timers tick alike in each, and the median over many windows is steady where one long
# window takes whatever else the machine did in it.
IDLE_WINDOW_SECONDS = 5
TOOLTIP_TIMEOUT_MS = 10_000
CORE_STEPS = (1000, 2000)  # two runs, differenced: start-up and exit cancel out

SYSTEM_DLL = re.compile(
    r"^(kernel32|user32|gdi32|comctl32|comdlg32|advapi32|shell32|shlwapi|ole32|oleaut32|"
    r"uxtheme|dwmapi|shcore|imm32|version|winmm|msimg32|ntdll|msvcrt|ucrtbase|"
    r"api-ms-win-[a-z0-9-]+)\.dll$", re.IGNORECASE)


class Results:
    def __init__(self):
        self.samples = defaultdict(list)
        self.text = {}
        self.failures = []
        self.checks = []  # (passed, description, fatal)

    def add(self, measure, program, value):
        self.samples[(measure, program)].append(value)

    def check(self, passed, description, fatal=True):
        """A check that failed fails the run, unless it is only informative."""
        self.checks.append((passed, description, fatal))
        if not passed and fatal:
            self.failures.append(description)


# --- programs on the display ---

def drag(session, program, results, name):
    """One 1,000-event body drag: events per second until the window stands at its final
    position, and the lag from the last injected event until then."""
    keys, ok = session.run_xbench("drag", program.window, DRAG_EVENTS, *DRAG_OFFSET, 30_000)
    if not ok:
        results.check(False, f"{name}: the {DRAG_EVENTS}-event drag did not end exactly "
                             f"{DRAG_OFFSET} px away ({keys.get('error', 'no answer')})")
        return False
    start, injected, settled = (int(keys[k]) for k in ("start_ns", "injected_ns", "settled_ns"))
    results.add("drag-rate", name, DRAG_EVENTS / ((settled - start) / 1e9))
    results.add("drag-lag", name, (settled - injected) / 1e6)
    return True


def memory_load(session, program, results, name, rss_start):
    """Resident size after 10,000 drag events and 500 double-clicks, against the size after
    start. The load ends with a drag whose end position proves every event was handled."""
    keys, ok = session.run_xbench("load", program.window, LOAD_DRAG_EVENTS, LOAD_DOUBLE_CLICKS,
                                  120_000, timeout=180)
    if not ok:
        results.check(False, f"{name}: the memory load was not handled "
                             f"({keys.get('error', 'no answer')})")
        return
    rss_after = program.settled_rss_kib()
    results.add("rss-after", name, rss_after)
    results.add("rss-growth", name, rss_after - rss_start)
    opacity = int(keys.get("opacity", -1))
    results.text.setdefault(f"opacity {name}", []).append(opacity)
    # Two more batches: what the second adds is what the program keeps of each, once the first
    # has touched whatever a batch touches.
    batch_rss = []
    for _ in range(2):
        keys, ok = session.run_xbench("load", program.window, BATCH_DRAG_EVENTS, 0, 60_000)
        if not ok:
            results.check(False, f"{name}: a batch of {BATCH_DRAG_EVENTS:,} drag events after "
                                 f"the load was not handled ({keys.get('error', 'no answer')})")
            return
        batch_rss.append(program.settled_rss_kib())
    results.add("rss-batch-growth", name, batch_rss[1] - batch_rss[0])


def start_program(session, results, name, command, record_startup=True, **options):
    """Starts a program and records its start-up time; None, with a failure, if its window
    never stood at its start geometry."""
    try:
        program = Program(session, command, **options)
    except BenchError as error:
        results.check(False, f"{name}: {error}")
        return None
    if record_startup:
        results.add("startup", name, program.startup_ms)
    return program


def start_up_only(session, results, name, command, drag_it=False, **options):
    """One more start-up time (and, as asked, one more drag): started, found at its start
    geometry, stopped."""
    program = start_program(session, results, name, command, **options)
    if program is None:
        return
    try:
        if drag_it:
            drag(session, program, results, name)
    finally:
        program.stop()


def show_tooltip(session, program, results, name):
    """Rests the pointer on the window until its tooltip has shown, as it does for a user who
    has just started it: what the tooltip loads (fonts, its window) is part of the program."""
    keys, ok = session.run_xbench("tooltip", program.window, TOOLTIP_TIMEOUT_MS)
    if not ok:
        results.check(False, f"{name}: no tooltip shown ({keys.get('error', 'no answer')})")
    return ok


def one_program(session, results, name, command, rss=False, drag_it=False, memory=False,
                **options):
    """Starts one program alone and takes, as asked, its resident size after start (once its
    tooltip has shown), one 1,000-event drag and the memory load; stops it."""
    program = start_program(session, results, name, command, **options)
    if program is None:
        return
    try:
        rss_start = None
        if (rss or memory) and show_tooltip(session, program, results, name):
            rss_start = program.settled_rss_kib()
            results.add("rss-start", name, rss_start)
        dragged = drag(session, program, results, name) if drag_it else True
        if memory and dragged and rss_start is not None:
            memory_load(session, program, results, name, rss_start)
    finally:
        program.stop()


def idle(session, results, programs, seconds):
    """CPU time over `seconds` of doing nothing but the keep-on-top timer, as per 30 s, the
    programs at the same time, each on a display of its own (the Wine one on the run's display):
    on one display they would raise themselves over one another at every tick, and the X server
    tells a window restacked, which one raised on top already is not."""
    running, displays = [], []
    try:
        for name, command, options in programs:
            display = session
            if "env" not in options:
                display = BenchSession(session.xbench)
                displays.append(display)
                display.start()
            if "environment" in options:  # added to the display's own
                options = dict(options)
                options["env"] = display.env(**options.pop("environment"))
            program = start_program(display, results, name, command, record_startup=False,
                                    **options)
            if program is not None:
                running.append((name, program))
        for display in {id(d): d for d in [session, *displays]}.values():
            display.run_xbench("park", 1010, 10)
        window = min(seconds, IDLE_WINDOW_SECONDS)
        for _ in range(max(1, round(seconds / window))):
            before = {name: program.cpu_seconds() for name, program in running}
            started = time.monotonic()
            time.sleep(window)  # the measurement window itself
            elapsed = time.monotonic() - started
            for name, program in running:
                used = program.cpu_seconds() - before[name]
                results.add("idle-cpu", name, used * 1000 * IDLE_PER_SECONDS / elapsed)
    finally:
        for _, program in running:
            program.stop()
        for display in displays:
            display.stop()


# --- files and the in-memory toolkit ---

def windows_binary(results, exe):
    """The Windows build's size and the DLLs it imports: only system DLLs may be among them."""
    if not os.path.exists(exe):
        results.check(False, f"Windows build: {exe} was not built")
        return []
    results.add("exe-size", "wine", os.path.getsize(exe) / 1024)
    dump = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", exe], capture_output=True,
                          text=True, check=True).stdout
    dlls = re.findall(r"DLL Name: (\S+)", dump)
    foreign = [dll for dll in dlls if not SYSTEM_DLL.match(dll)]
    results.text["dlls"] = dlls
    results.check(not foreign, "Windows build imports system DLLs only" if not foreign else
                  f"Windows build imports non-system DLLs: {', '.join(foreign)}")
    return foreign


def callgrind_instructions(core_steps, kind, steps):
    out = f"/tmp/coverstrip-bench-callgrind.{os.getpid()}.out"
    try:
        run = subprocess.run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={out}",
                              core_steps, kind, str(steps)], capture_output=True, text=True)
        if run.returncode != 0:
            raise BenchError(f"core_steps {kind} {steps}: {run.stderr.strip().splitlines()[-1]}")
        with open(out) as profile:
            for line in profile:
                if line.startswith("summary:"):
                    return int(line.split()[1])
    finally:
        if os.path.exists(out):
            os.remove(out)
    raise BenchError("callgrind wrote no summary")


def core(results, core_steps, repetitions):
    """Instructions per step of Form1 on the in-memory toolkit, counted by callgrind."""
    low, high = CORE_STEPS
    for kind in ("hover", "move", "stretch", "size-rules"):
        for _ in range(repetitions):
            try:
                difference = (callgrind_instructions(core_steps, kind, high) -
                              callgrind_instructions(core_steps, kind, low))
            except BenchError as error:
                results.check(False, f"core: {error}")
                break
            results.add("core", kind, difference / (high - low))
