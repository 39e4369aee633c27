#!/usr/bin/env python3
"""Moves the X pointer along a row and back, 1 px every 10 ms, and reads the
CPU time of the given processes over exactly that sweep.

    sweep_pointer.py X_FROM X_TO Y SECONDS NAME=PID...

Each step is scheduled against the monotonic clock from the sweep's start,
so a late step shortens the next wait instead of pushing every later one.
The pointer goes through XTest, as a real one would, and this process is not
among those counted. Prints one JSON line: the steps, how late they came and
each process's CPU ticks (user + system) over the sweep, and the resident
memory of the process named dock before and after it.
"""

import ctypes
import json
import os
import sys
import time

STEP_S = 0.010


def ticks(pid):
    """utime + stime of a process in clock ticks; None once it is gone."""
    try:
        with open("/proc/%d/stat" % pid, encoding="ascii") as f:
            fields = f.read().rsplit(")", 1)[1].split()
    except OSError:
        return None
    return int(fields[11]) + int(fields[12])


def rss_kib(pid):
    """The resident memory of a process in KiB; None once it is gone."""
    try:
        with open("/proc/%d/status" % pid, encoding="ascii") as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return None


def position(step, x_from, x_to):
    """The pointer's x after `step` steps: out along the row, then back."""
    span = x_to - x_from
    phase = step % (2 * span)
    return x_from + (phase if phase <= span else 2 * span - phase)


def main():
    x_from, x_to, y = (int(v) for v in sys.argv[1:4])
    seconds = float(sys.argv[4])
    pids = dict((name, int(pid)) for name, pid in (a.split("=", 1) for a in sys.argv[5:]))

    xlib = ctypes.CDLL("libX11.so.6")
    xtst = ctypes.CDLL("libXtst.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XFlush.argtypes = [ctypes.c_void_p]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                          ctypes.c_int, ctypes.c_ulong]
    display = xlib.XOpenDisplay(None)
    if not display:
        sys.exit("cannot open display %s" % os.environ.get("DISPLAY"))

    def move(x):
        xtst.XTestFakeMotionEvent(display, -1, x, y, 0)
        xlib.XFlush(display)

    steps = int(round(seconds / STEP_S))
    before = dict((name, ticks(pid)) for name, pid in pids.items())
    rss_before = rss_kib(pids["dock"]) if "dock" in pids else None
    start = time.monotonic()
    late_max = 0.0
    late_steps = 0
    for step in range(steps):
        due = start + step * STEP_S
        wait = due - time.monotonic()
        if wait > 0:
            time.sleep(wait)
        late = time.monotonic() - due
        late_max = max(late_max, late)
        late_steps += late > STEP_S
        move(position(step, x_from, x_to))
    # The last step's interval runs out before the counters are read.
    wait = start + steps * STEP_S - time.monotonic()
    if wait > 0:
        time.sleep(wait)
    wall = time.monotonic() - start
    after = dict((name, ticks(pid)) for name, pid in pids.items())
    rss_after = rss_kib(pids["dock"]) if "dock" in pids else None
    xlib.XCloseDisplay(display)

    print(json.dumps({
        "steps": steps, "wall_s": wall, "late_max_ms": late_max * 1000,
        "late_steps": late_steps, "hz": os.sysconf("SC_CLK_TCK"),
        "x_from": x_from, "x_to": x_to, "y": y,
        "dock_rss_kib": [rss_before, rss_after],
        "ticks": dict((name, None if before[name] is None or after[name] is None
                       else after[name] - before[name]) for name in pids),
    }))


if __name__ == "__main__":
    main()
