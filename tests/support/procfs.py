"""What the kernel reports about a running process, from /proc: resident memory, CPU time used,
and finding the processes of a program by name."""

import os

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    """User plus system CPU time of all the process's threads (utime + stime of /proc/PID/stat)."""
    with open(f"/proc/{pid}/stat") as stat:
        # The command name may hold spaces and parentheses: the fields start after the last ')'.
        fields = stat.read().rsplit(")", 1)[1].split()
    utime, stime = int(fields[11]), int(fields[12])
    return (utime + stime) / CLOCK_TICKS


def rss_kib(pid):
    """Resident set size (VmRSS) in KiB."""
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise RuntimeError(f"no VmRSS for process {pid}")


def alive(pid):
    try:
        with open(f"/proc/{pid}/stat") as stat:
            return stat.read().rsplit(")", 1)[1].split()[0] != "Z"
    except FileNotFoundError:
        return False


def pids_named(names, environment=None):
    """Processes whose command name is one of `names` and, if given, whose environment holds
    every NAME=value of `environment` (to tell our Wine prefix's processes from any other's)."""
    if isinstance(names, str):
        names = [names]
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/comm") as name:
                if name.read().strip() not in names:
                    continue
            if environment:
                with open(f"/proc/{entry}/environ", "rb") as env:
                    held = set(env.read().split(b"\0"))
                if not all(f"{k}={v}".encode() in held for k, v in environment.items()):
                    continue
        except (FileNotFoundError, ProcessLookupError, PermissionError):
            continue
        if alive(int(entry)):
            found.append(int(entry))
    return found
