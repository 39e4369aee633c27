#!/usr/bin/env python3
"""自动隐藏 end to end under Wine, driven by xdotool.

    autohide_e2e.py DOCK_EXE WINDOW_EXE WORK_DIR

With 自动隐藏=1 the dock slides below the screen's bottom edge once the
pointer has left it for 隐藏延迟, and comes back when the pointer touches the
edge under the strip. With 2 it stays while nothing covers the strip, hides
when a program's window is dragged over the strip and comes back when that
window is dragged away. The window's place is read from the X server.
"""

import os
import shutil
import sys

import dock_e2e as e2e
from dock_e2e import GREEN, RED, check, xdotool

LEFT, TOP = 400, 560          # the strip then lies 46 px above the screen's bottom
SHOWN_Y = TOP
STRIP_X = LEFT + 144 + 36     # between the two items
HIDDEN_Y = TOP + 800 - (TOP + 144)  # the strip's top line at the screen's bottom


def dock_y(window):
    return e2e.geometry(window)[1]


def start(work, mode):
    e2e.write_config(work, [("左边", LEFT), ("顶边", TOP)],
                     [("Red", 0, "C:\\windows\\notepad.exe", e2e.windows_path(work) + "\\red.png"),
                      ("Green", 0, "C:\\windows\\notepad.exe",
                       e2e.windows_path(work) + "\\green.png")],
                     [("自动隐藏", mode), ("隐藏延迟", 300)])
    return e2e.start_dock(work)


def drag_caption(window, to):
    """Drags the window by its title bar until its top-left corner is at `to`."""
    x, y, _, _ = e2e.geometry(window)
    xdotool("mousemove", x + 60, y + 10)
    xdotool("mousedown", "1")
    for step in range(1, 11):
        xdotool("mousemove", x + 60 + (to[0] - x) * step // 10, y + 10 + (to[1] - y) * step // 10)
    xdotool("mouseup", "1")


def main(argv):
    dock_exe, window_exe, work = argv[1], argv[2], os.path.abspath(argv[3])
    e2e.fresh_folder(work, dock_exe, (("red", RED), ("green", GREEN)))
    os.makedirs(os.path.join(work, "w"))
    shutil.copy(window_exe, os.path.join(work, "w", "window.exe"))

    # ---- 1: away from the pointer after the delay, back from the edge
    xdotool("mousemove", STRIP_X, TOP + 170)
    dock, window = start(work, 1)
    if window is None:
        return 1
    check(e2e.wait_for(lambda: dock_y(window) == SHOWN_Y, 20), "shown while the pointer is on it")
    e2e.save_screenshot("/tmp/autohide_shown.png")
    xdotool("mousemove", 50, 50)
    sliding = e2e.wait_for(lambda: SHOWN_Y < dock_y(window) < HIDDEN_Y, 20)
    e2e.save_screenshot("/tmp/autohide_sliding.png")
    check(e2e.wait_for(lambda: dock_y(window) == HIDDEN_Y, 20),
          "the pointer gone, it slides below the edge%s" % ("" if sliding else " (no step seen)"))
    e2e.save_screenshot("/tmp/autohide_hidden.png")
    check(e2e.bounding_box(e2e.screen(), GREEN) is None, "and no item is seen")
    xdotool("mousemove", STRIP_X, 799)
    check(e2e.wait_for(lambda: dock_y(window) == SHOWN_Y, 20),
          "the pointer at the edge under the strip brings it back")
    check(e2e.close_dock(dock, window), "Escape ends the dock")
    saved = open(os.path.join(work, "config.ini"), "rb").read().decode("gbk")
    check("顶边=%d" % TOP in saved, "顶边 keeps the shown place")

    # ---- 2: only while another program's window meets the strip
    xdotool("mousemove", 50, 50)
    dock, window = start(work, 2)
    if window is None:
        return 1
    program = e2e.wine(os.path.join(work, "w", "window.exe"), cwd=os.path.join(work, "w"))
    other = e2e.wait_for(lambda: xdotool("search", "--onlyvisible", "--name", "RunningWindow"), 30)
    check(bool(other), "the other program's window shows")
    other = other.split()[0] if other else None
    check(other is not None and dock_y(window) == SHOWN_Y, "nothing covers the strip: it stays")
    if other:
        # Over the strip's right end, the pointer left beside the strip.
        drag_caption(other, (600, TOP + 150))
        hidden = e2e.wait_for(lambda: dock_y(window) == HIDDEN_Y, 20)
        if not hidden:
            print("the other window is at", e2e.geometry(other), "the dock at", dock_y(window))
        check(hidden, "a window dragged over the strip hides it")
        drag_caption(other, (700, 100))
        check(e2e.wait_for(lambda: dock_y(window) == SHOWN_Y, 20),
              "the window dragged away brings it back")
    open(os.path.join(work, "w", "quit.txt"), "w").close()
    e2e.stop(program)
    check(e2e.close_dock(dock, window), "Escape ends the dock")

    print("%d failure(s)" % len(e2e.FAILURES))
    return 1 if e2e.FAILURES else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
