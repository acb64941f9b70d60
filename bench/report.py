"""The figures of a run, their medians over the repetitions and their ratios to their baselines,
as a markdown table."""

import statistics
from dataclasses import dataclass

PROGRAMS = {
    "linux": "Linux build",
    "paused": "Linux build, --peek-while-paused",
    "wine": "Windows build (Wine)",
    "xlib": "bare Xlib",
    "qt": "minimal Qt 6 window",
    "hover": "pointer move, no button",
    "move": "move-gesture step",
    "stretch": "left-edge stretch step",
    "size-rules": "size-rule run",
}


@dataclass
class Figure:
    measure: str
    program: str
    title: str
    unit: str
    better: str  # "higher" or "lower"
    baseline: str | None = None  # the program, under the same measure, it is compared with
    digits: int = 1


TITLES = {
    "drag-rate": "Drag: events per second",
    "drag-lag": "Drag: lag after the last event",
    "idle-cpu": "Idle: CPU time per 30 s",
    "startup": "Start-up: exec to mapped at start geometry",
    "rss-start": "Memory: VmRSS after start",
    "rss-after": "Memory: VmRSS after 10,000 drags + 500 double-clicks",
    "rss-growth": "Memory: growth under that load",
    "rss-batch-growth": "Memory: growth over a second batch of 3,000 drag events",
}

# The Linux build of an earlier commit, when the run measures one, under the Linux build's own
# figures and against the same baselines.
BEFORE_FIGURES = [
    Figure("drag-rate", "before", TITLES["drag-rate"], "events/s", "higher", "xlib", 0),
    Figure("drag-lag", "before", TITLES["drag-lag"], "ms", "lower", "xlib", 2),
    Figure("idle-cpu", "before", TITLES["idle-cpu"], "ms", "lower", "xlib", 0),
    Figure("startup", "before", TITLES["startup"], "ms", "lower", "qt"),
    Figure("rss-start", "before", TITLES["rss-start"], "KiB", "lower", "qt", 0),
    Figure("rss-after", "before", TITLES["rss-after"], "KiB", "lower", "rss-start", 0),
    Figure("rss-growth", "before", TITLES["rss-growth"], "KiB", "lower", None, 0),
    Figure("rss-batch-growth", "before", TITLES["rss-batch-growth"], "KiB", "lower", None, 0),
]

FIGURES = [
    Figure("drag-rate", "linux", "Drag: events per second", "events/s", "higher", "xlib", 0),
    Figure("drag-rate", "wine", "Drag: events per second", "events/s", "higher", "xlib", 0),
    Figure("drag-rate", "xlib", "Drag: events per second", "events/s", "higher", None, 0),
    Figure("drag-lag", "linux", "Drag: lag after the last event", "ms", "lower", "xlib", 2),
    Figure("drag-lag", "wine", "Drag: lag after the last event", "ms", "lower", "xlib", 2),
    Figure("drag-lag", "xlib", "Drag: lag after the last event", "ms", "lower", None, 2),
    Figure("idle-cpu", "linux", "Idle: CPU time per 30 s", "ms", "lower", "xlib", 0),
    Figure("idle-cpu", "paused", "Idle: CPU time per 30 s (a player playing on the bus)", "ms",
           "lower", "linux", 0),
    Figure("idle-cpu", "wine", "Idle: CPU time per 30 s (exe + wineserver)", "ms", "lower",
           "xlib", 0),
    Figure("idle-cpu", "qt", "Idle: CPU time per 30 s", "ms", "lower", "xlib", 0),
    Figure("idle-cpu", "xlib", "Idle: CPU time per 30 s", "ms", "lower", None, 0),
    Figure("startup", "linux", "Start-up: exec to mapped at start geometry", "ms", "lower", "qt"),
    Figure("startup", "qt", "Start-up: exec to mapped at start geometry", "ms", "lower", "xlib"),
    Figure("startup", "xlib", "Start-up: exec to mapped at start geometry", "ms", "lower"),
    Figure("startup", "wine", "Start-up: exec to mapped at start geometry", "ms", "lower", "xlib"),
    Figure("rss-start", "linux", "Memory: VmRSS after start", "KiB", "lower", "qt", 0),
    Figure("rss-start", "qt", "Memory: VmRSS after start", "KiB", "lower", None, 0),
    Figure("rss-start", "wine", "Memory: VmRSS after start", "KiB", "lower", None, 0),
    Figure("rss-after", "linux", "Memory: VmRSS after 10,000 drags + 500 double-clicks", "KiB",
           "lower", "rss-start", 0),
    Figure("rss-after", "wine", "Memory: VmRSS after 10,000 drags + 500 double-clicks", "KiB",
           "lower", "rss-start", 0),
    Figure("rss-growth", "linux", "Memory: growth under that load", "KiB", "lower", None, 0),
    Figure("rss-growth", "wine", "Memory: growth under that load", "KiB", "lower", None, 0),
    Figure("rss-batch-growth", "linux", TITLES["rss-batch-growth"], "KiB", "lower", None, 0),
    Figure("rss-batch-growth", "wine", TITLES["rss-batch-growth"], "KiB", "lower", None, 0),
    Figure("exe-size", "wine", "Windows build: size of coverstrip.exe", "KiB", "lower", None, 0),
    Figure("core", "move", "Core: instructions per step", "instr", "lower", "hover", 1),
    Figure("core", "stretch", "Core: instructions per step", "instr", "lower", "hover", 1),
    Figure("core", "size-rules", "Core: instructions per step", "instr", "lower", "hover", 1),
    Figure("core", "hover", "Core: instructions per step", "instr", "lower", None, 1),
]


@dataclass
class Row:
    figure: Figure
    median: float | None
    runs: int
    baseline_label: str
    baseline_median: float | None

    @property
    def ratio(self):
        if self.median is None or not self.baseline_median:
            return None
        return self.median / self.baseline_median

    @property
    def better_than_baseline(self):
        ratio = self.ratio
        if ratio is None:
            return None
        return ratio >= 1 if self.figure.better == "higher" else ratio <= 1


def spread_of(results, measure, program):
    """The samples' range around the median, as fractions of it: (below, above)."""
    samples = results.samples.get((measure, program), [])
    median = statistics.median(samples) if samples else None
    if not median:
        return None
    return (min(samples) - median) / abs(median), (max(samples) - median) / abs(median)


def median_of(results, measure, program):
    samples = results.samples.get((measure, program), [])
    return (statistics.median(samples) if samples else None), len(samples)


def ratio_of(results, measure, program, baseline):
    median, _ = median_of(results, measure, program)
    base, _ = median_of(results, measure, baseline)
    return median / base if median is not None and base else None


def rows(results):
    built = []
    figures = FIGURES
    if any(program == "before" for _, program in results.samples):
        figures = []
        for figure in FIGURES:
            figures += [b for b in BEFORE_FIGURES if b.measure == figure.measure and
                        figure.program == "linux"]
            figures.append(figure)
    for figure in figures:
        median, runs = median_of(results, figure.measure, figure.program)
        if not runs:
            continue  # not measured in this run
        baseline_label, baseline_median = "", None
        if figure.baseline == "rss-start":  # after the load, against the same program at start
            baseline_median, _ = median_of(results, "rss-start", figure.program)
            baseline_label = "after start"
        elif figure.baseline:
            baseline_median, _ = median_of(results, figure.measure, figure.baseline)
            baseline_label = PROGRAMS[figure.baseline]
        built.append(Row(figure, median, runs, baseline_label, baseline_median))
    return built


def verdict(passed, fatal):
    return "PASS" if passed else ("FAIL" if fatal else "NOTE")


def number(value, digits):
    if value is None:
        return "n/a"
    return f"{value:,.{digits}f}"


def markdown(results, built, heading):
    lines = [heading, "",
             "| Measure | Program | Median | Spread | Runs | Baseline (median) | Ratio |",
             "|---|---|--:|--:|--:|---|--:|"]
    for row in built:
        figure = row.figure
        baseline = ""
        if row.baseline_label:
            baseline = f"{row.baseline_label} ({number(row.baseline_median, figure.digits)})"
        ratio = f"{row.ratio:.2f}x" if row.ratio is not None else ""
        spread = spread_of(results, figure.measure, figure.program)
        spread = f"{spread[0]:+.0%} {spread[1]:+.0%}" if spread and row.runs > 1 else ""
        lines.append(f"| {figure.title} ({figure.better} is better) | {PROGRAMS[figure.program]} "
                     f"| {number(row.median, figure.digits)} {figure.unit} | {spread} "
                     f"| {row.runs} | {baseline} | {ratio} |")
    lines += ["", "Checks:", ""]
    lines += [f"- {verdict(passed, fatal)}: {text}" for passed, text, fatal in results.checks]
    if "dlls" in results.text:
        lines += ["", "DLLs imported by coverstrip.exe: " + ", ".join(results.text["dlls"])]
    lines += ["", f"Result: {'FAILED' if results.failures else 'passed'}", ""]
    return "\n".join(lines)
