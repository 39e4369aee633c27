#!/usr/bin/env python3
"""Running programs and dock.exe under Wine, driven by xdotool.

    running_e2e.py DOCK_EXE WINDOW_EXE MARKER_EXE WORK_DIR

With 运行指示 and 激活已运行 on: a double-click starts a program that keeps a
window open; the strip under its item shows the indicator (the strip under
the other item stays as it was) until the program ends. A second
double-click on the minimised program restores it and gives it the
foreground without starting a second copy; Shift with the double-click does
start one, and then each further double-click brings the other copy forward.
The program logs its starts and its foreground state itself.
"""

import os
import shutil
import sys
import time

import dock_e2e as e2e
from dock_e2e import GREEN, RED, check, xdotool

LEFT, TOP = 400, 200
ROW_Y = TOP + 170
CENTRES = [LEFT + 144 + 36 * n + 18 for n in range(2)]


def band(shot, item):
    """The strip's pixels under item n (0-based): its cell's width, from the
    resting picture's bottom line to the plate's lower rim."""
    width, _, raw = shot
    left = LEFT + 144 + 36 * item
    rows = [raw[3 * (y * width + left):3 * (y * width + left + 36)]
            for y in range(TOP + 152 + 31, TOP + 152 + 38)]
    return b"".join(rows)


def change(a, b):
    """The largest difference of one colour channel between two bands: the
    layered strip may come out a level lighter or darker from frame to frame,
    the indicator changes the band by far more."""
    return max(abs(x - y) for x, y in zip(a, b))


def log_entries(work):
    """The program's log as (event, process id) pairs, oldest first."""
    path = os.path.join(work, "w", "window.log")
    if not os.path.exists(path):
        return []
    return [tuple(line.split()) for line in open(path, "rb").read().decode().splitlines() if line]


def log_lines(work):
    return [event for event, _ in log_entries(work)]


def in_front(work):
    """The copies whose last word on the foreground is that they have it."""
    last = {pid: event for event, pid in log_entries(work) if event.endswith("ground")}
    return {pid for pid, event in last.items() if event == "foreground"}


def double_click(item, shift=False):
    """Double-clicks an item once the tick has magnified it under the pointer."""
    xdotool("mousemove", CENTRES[item], ROW_Y)
    colour = (RED, GREEN)[item]

    def magnified():
        box = e2e.bounding_box(e2e.screen(), colour)
        return box is not None and box[3] - box[1] > 30
    hovered = e2e.wait_for(magnified, 10)
    check(hovered, "item %d magnifies under the pointer" % (item + 1))
    if shift:
        xdotool("keydown", "shift")
    xdotool("click", "--repeat", "2", "--delay", "60", "1")
    if shift:
        xdotool("keyup", "shift")
    clicked = time.time()
    xdotool("mousemove", 50, 50)
    return clicked


def wait_out_cooldown(clicked):
    """The launch cool-down (1000 ms) of the same item must have passed."""
    e2e.wait_for(lambda: time.time() - clicked > 1.2, 5)


def main(argv):
    dock_exe, window_exe, marker_exe, work = argv[1], argv[2], argv[3], os.path.abspath(argv[4])
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(os.path.join(work, "w"))
    os.makedirs(os.path.join(work, "m"))
    shutil.copy(window_exe, os.path.join(work, "w", "window.exe"))
    shutil.copy(marker_exe, os.path.join(work, "m", "marker.exe"))
    shutil.copy(dock_exe, os.path.join(work, "dock.exe"))
    for name, colour in (("red", RED), ("green", GREEN)):
        e2e.solid_png(os.path.join(work, name + ".png"), colour)
    w = e2e.windows_path(work)
    # The program's path written another way than the system reports it.
    items = [("Window", 0, w + "/w/./Window.EXE", w + "\\red.png"),
             ("Marker", 0, w + "\\m\\marker.exe", w + "\\green.png")]
    e2e.write_config(work, [("左边", LEFT), ("顶边", TOP)], items)
    with open(os.path.join(work, "config.ini"), "ab") as f:
        f.write(e2e.gbk("[扩展设置]\n运行指示=1\n激活已运行=1\n"))

    dock, window = e2e.start_dock(work)
    if window is None:
        return 1
    xdotool("mousemove", 50, 50)
    resting = e2e.wait_for(lambda: e2e.bounding_box(e2e.screen(), GREEN), 20)
    check(bool(resting), "the row is drawn")
    before = e2e.screen()

    # ---- a double-click starts the program; its item shows the indicator
    clicked = double_click(0)
    started = e2e.wait_for(lambda: "start" in log_lines(work), 20)
    check(started, "the double-click starts the program")
    resting_red = e2e.bounding_box(before, RED)

    def indicated():
        # At rest again, so that no magnified picture is in the band.
        shot = e2e.screen()
        return e2e.bounding_box(shot, RED) == resting_red and \
            change(band(shot, 0), band(before, 0)) > 40 and shot
    shot = e2e.wait_for(indicated, 20)
    e2e.save_screenshot("/tmp/running_e2e_indicator.png")
    check(bool(shot), "the strip under the running item changes")
    check(bool(shot) and change(band(shot, 1), band(before, 1)) <= 3,
          "the strip under the other item does not")

    # ---- minimised, then a second double-click brings it back to the front
    xdotool("mousemove", 1000, 680)
    xdotool("click", "1")
    minimized = e2e.wait_for(lambda: "minimized" in log_lines(work), 20)
    check(minimized, "the program's window is minimised")
    wait_out_cooldown(clicked)
    seen = len(log_lines(work))
    clicked = double_click(0)

    def brought_back():
        # The click takes the foreground to the dock; the dock hands it on.
        after = log_lines(work)[seen:]
        return "background" in after and "restored" in after[after.index("background"):] and \
            after[-1:] == ["foreground"]
    back = e2e.wait_for(brought_back, 20)
    if not back:
        print(log_lines(work))
    check(back, "a second double-click restores the program's window and gives it the foreground")

    # ---- Shift with the double-click starts a second copy
    wait_out_cooldown(clicked)
    clicked = double_click(0, shift=True)
    two = e2e.wait_for(lambda: log_lines(work).count("start") == 2, 20)
    check(two, "Shift with the double-click starts another copy (the plain one started none)")

    # ---- two copies: each further double-click brings the other one forward
    copies = [pid for event, pid in log_entries(work) if event == "start"] + [None, None]
    check(e2e.wait_for(lambda: in_front(work) == {copies[1]}, 20),
          "the second copy has the foreground")
    for turn in (0, 1, 0):
        wait_out_cooldown(clicked)
        clicked = double_click(0)
        check(e2e.wait_for(lambda: in_front(work) == {copies[turn]}, 20),
              "a further double-click brings copy %d forward" % (turn + 1))
    check(log_lines(work).count("start") == 2, "and none of them starts a third copy")

    # ---- both copies end: the indicator goes
    open(os.path.join(work, "w", "quit.txt"), "w").close()
    gone = e2e.wait_for(lambda: change(band(e2e.screen(), 0), band(before, 0)) <= 3, 20)
    check(gone, "the indicator goes when the program ends")
    check(e2e.close_dock(dock, window), "Escape ends the dock")

    print("%d failure(s)" % len(e2e.FAILURES))
    return 1 if e2e.FAILURES else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
