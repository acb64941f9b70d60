"""Runs every measurement of the benchmark on one Xvfb with openbox, prints the table of medians
and writes it, with its chart, to bench/results/. bench/run builds what this needs first.
Exits 1 if any check failed."""

import argparse
import datetime
import os
import platform
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
# The X session, the Wine prefix and the overlay's figures: shared with the end-to-end tests.
sys.path.insert(0, os.path.normpath(os.path.join(HERE, os.pardir, "tests", "support")))

import measurements  # noqa: E402
from media_players import Player  # noqa: E402
import report  # noqa: E402
import svg_chart  # noqa: E402
from overlay_facts import alpha_after, opacity_of  # noqa: E402
from session import BenchSession, WinePrefix  # noqa: E402
from xsession import SessionBus  # noqa: E402
# Where the mingw-w64 runtime DLLs live, for an exe that still imports them.
MINGW_DLL_DIRS = ["/usr/lib/gcc/x86_64-w64-mingw32/12-posix", "/usr/x86_64-w64-mingw32/lib"]


def arguments():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--tools", required=True, help="build folder of bench/CMakeLists.txt")
    parser.add_argument("--linux", required=True, help="the Linux build's coverstrip")
    parser.add_argument("--windows", help="the Windows build's coverstrip.exe; none: no Wine")
    parser.add_argument("--wine-prefix")
    parser.add_argument("--before", help="a Linux build of an earlier commit, measured beside")
    parser.add_argument("--before-label", default="earlier commit")
    parser.add_argument("--no-core", action="store_true", help="leave out the callgrind counts")
    parser.add_argument("--repetitions", type=int, default=3)
    parser.add_argument("--idle-seconds", type=float, default=30)
    parser.add_argument("--start-ups", type=int, default=10,
                        help="further start-ups of each program, interleaved, for the start-up "
                             "time and the drag alone")
    return parser.parse_args()


def cpu_model():
    try:
        with open("/proc/cpuinfo") as info:
            for line in info:
                if line.startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return platform.processor() or "unknown CPU"


def source_version():
    described = subprocess.run(["git", "describe", "--always", "--dirty"], cwd=HERE,
                               capture_output=True, text=True)
    return described.stdout.strip() or "unknown"


def main():
    args = arguments()
    tool = lambda name: os.path.join(args.tools, name)  # noqa: E731
    results = measurements.Results()
    linux_built = os.path.exists(args.linux)
    if not linux_built:
        results.check(False, f"Linux build: {args.linux} was not built")

    foreign_dlls, windows_built = [], False
    if args.windows:
        print("== Windows binary", flush=True)
        foreign_dlls = measurements.windows_binary(results, args.windows)
        windows_built = os.path.exists(args.windows)
    linux_builds = [("linux", args.linux)] if linux_built else []
    if args.before:
        report.PROGRAMS["before"] = f"Linux build, {args.before_label}"
        if os.path.exists(args.before):
            linux_builds.insert(0, ("before", args.before))
        else:
            results.check(False, f"Linux build of {args.before_label}: {args.before} was not built")

    if not args.no_core:
        print("== Core on the in-memory toolkit (callgrind)", flush=True)
        measurements.core(results, tool("core_steps"), args.repetitions)

    session = BenchSession(tool("xbench"))
    wine = bus = player = None
    if windows_built:
        wine = WinePrefix(args.wine_prefix, session, MINGW_DLL_DIRS if foreign_dlls else ())
    try:
        session.start()
        wine_options = {}
        if wine:
            print("== Wine server", flush=True)
            if not wine.exists():
                print("  creating the Wine prefix (once; 10-20 s)", flush=True)
            wine.open()
            wine_options = dict(env=wine.env(), exe_name="coverstrip.exe",
                                server_pids=wine.server_pids())
        xlib = [tool("baseline_xlib")]
        measured = [("xlib", xlib, dict(drag_it=True)),
                    ("qt", [tool("qt_minimal")], dict(rss=True))]
        measured += [(name, [program], dict(drag_it=True, memory=True))
                     for name, program in linux_builds]
        if wine:
            measured.append(("wine", ["wine", args.windows],
                             dict(drag_it=True, memory=True, **wine_options)))
        # With the option the strip listens on a session bus with a player on it, playing.
        bus = SessionBus(session.tmp, session.log_file("dbus-daemon"))
        player = Player(session, session.env(**bus.environment), "mpv")
        for repetition in range(1, args.repetitions + 1):
            print(f"== Repetition {repetition}/{args.repetitions}: start-up, drag, memory",
                  flush=True)
            # Interleaved, each repetition in another order, so that no program is always
            # measured first, on a colder cache, or just after the same other one.
            shift = (repetition - 1) % len(measured)
            for name, command, options in measured[shift:] + measured[:shift]:
                measurements.one_program(session, results, name, command, **options)
            print(f"== Repetition {repetition}/{args.repetitions}: {args.start_ups} start-ups "
                  "and drags of each program", flush=True)
            for start in range(args.start_ups):
                shift = start % len(measured)
                for name, command, options in measured[shift:] + measured[:shift]:
                    measurements.start_up_only(session, results, name, command, **{
                        k: v for k, v in options.items() if k not in ("memory", "rss")})
            print(f"== Repetition {repetition}/{args.repetitions}: idle for "
                  f"{args.idle_seconds:g} s", flush=True)
            idle_programs = [(name, [program], {}) for name, program in linux_builds]
            if linux_built:
                idle_programs.append(("paused", [args.linux, "--peek-while-paused"],
                                      {"environment": bus.environment}))
            if wine:
                idle_programs.append(("wine", ["wine", args.windows], wine_options))
            idle_programs.append(("qt", [tool("qt_minimal")], {}))
            idle_programs.append(("xlib", xlib, {}))
            measurements.idle(session, results, idle_programs, args.idle_seconds)
    finally:
        for running in (player, bus):
            if running:
                running.stop()
        if wine:
            wine.close()
        session.stop()

    for name in ("before", "linux", "wine"):
        judge_memory(results, name)
        judge_opacity(results, name)
    judge_drags(results, args.repetitions * (1 + args.start_ups))
    judge_targets(results)

    built = report.rows(results)
    heading = (f"coverstrip benchmark, {datetime.datetime.now():%Y-%m-%d %H:%M}, "
               f"commit {source_version()}, {args.repetitions} repetitions, {cpu_model()}, "
               f"{os.cpu_count()} cores")
    table = report.markdown(results, built, "# " + heading)
    print()
    print(table)
    os.makedirs(os.path.join(HERE, "results"), exist_ok=True)
    with open(os.path.join(HERE, "results", "latest.md"), "w") as out:
        out.write(table)
    with open(os.path.join(HERE, "results", "latest.svg"), "w") as out:
        out.write(svg_chart.chart(built, results.checks, heading))
    print("Wrote bench/results/latest.md and bench/results/latest.svg")
    return 1 if results.failures else 0


# The resident size may grow under the load by the smaller of these; the second batch of drags by
# at most BATCH_GROWTH_LIMIT_KIB.
RSS_GROWTH_LIMIT_KIB = 2048
RSS_GROWTH_LIMIT_FRACTION = 0.10
BATCH_GROWTH_LIMIT_KIB = 128


def judge_memory(results, name):
    growth = results.samples.get(("rss-growth", name))
    start = results.samples.get(("rss-start", name))
    if not growth or not start:
        return
    worst = max(growth)
    limit = min(RSS_GROWTH_LIMIT_KIB,
                RSS_GROWTH_LIMIT_FRACTION * min(start))
    results.check(worst <= limit,
                  f"{report.PROGRAMS[name]}: VmRSS grows by at most {worst:,} KiB under "
                  f"{measurements.LOAD_DRAG_EVENTS:,} drag events and "
                  f"{measurements.LOAD_DOUBLE_CLICKS} double-clicks (limit {limit:,.0f} KiB)")
    batch = results.samples.get(("rss-batch-growth", name))
    if batch:
        results.check(max(batch) <= BATCH_GROWTH_LIMIT_KIB,
                      f"{report.PROGRAMS[name]}: a second batch of {measurements.BATCH_DRAG_EVENTS:,} "
                      f"drag events adds at most {max(batch):,} KiB "
                      f"(limit {BATCH_GROWTH_LIMIT_KIB} KiB)")


def judge_opacity(results, name):
    seen = results.text.get(f"opacity {name}")
    if not seen:
        return
    # The last double-click's alpha.
    expected = opacity_of(alpha_after(measurements.LOAD_DOUBLE_CLICKS))
    results.check(all(value == expected for value in seen), fatal=False, description=
                  f"{report.PROGRAMS[name]}: after {measurements.LOAD_DOUBLE_CLICKS} double-clicks "
                  f"_NET_WM_WINDOW_OPACITY is 0x{expected:08X} "
                  f"(seen {', '.join(f'0x{v:08X}' for v in seen)})")


# The Linux build against its references, by the medians of this run: informative, since they
# depend on the machine and on what else runs on it.
TARGETS = [("idle-cpu", "xlib", 1.3), ("startup", "qt", 1.05), ("rss-start", "qt", 1.15)]
# With --peek-while-paused against without.
PAUSED_IDLE_LIMIT = 1.1


def judge_targets(results):
    for measure, baseline, limit in [*TARGETS, ("idle-cpu", "linux", PAUSED_IDLE_LIMIT)]:
        for name in ("before", "linux") if baseline != "linux" else ("paused",):
            ratio = report.ratio_of(results, measure, name, baseline)
            if ratio is None:
                continue
            results.check(ratio <= limit, fatal=False, description=
                          f"{report.PROGRAMS[name]}: {report.TITLES[measure]} at {ratio:.2f}x "
                          f"{report.PROGRAMS[baseline]} (at most {limit:.2f}x)")


def judge_drags(results, drags):
    for name in ("before", "linux", "wine", "xlib"):
        done = len(results.samples.get(("drag-rate", name), []))
        if done:
            results.check(done == drags,
                          f"{report.PROGRAMS[name]}: {done} of {drags} drags of "
                          f"{measurements.DRAG_EVENTS} events ended exactly "
                          f"{measurements.DRAG_OFFSET} px from the press point")


if __name__ == "__main__":
    sys.exit(main())
