#!/usr/bin/env python3
"""The context menu of dock.exe under Wine, driven by xdotool.

    menu_e2e.py DOCK_EXE WORK_DIR

Right-clicks the empty area (the item entries cannot be chosen), toggles the
position lock (the dock no longer follows a drag), deletes an item through
the menu and its confirmation (one item fewer on screen and in config.ini)
and switches reflections on in the program settings (a mirrored picture
appears under the row).
"""

import os
import shutil
import sys
import time

import dock_e2e as e2e
from dock_e2e import BLUE, GREEN, RED, check, xdotool

LEFT, TOP = 400, 200


def right_click(x, y):
    xdotool("mousemove", x, y)
    time.sleep(0.5)
    xdotool("click", "3")
    time.sleep(0.6)


def reddish(shot, box):
    """How many pixels in box (left, top, right, bottom) are clearly red."""
    width, _, raw = shot
    count = 0
    for yy in range(box[1], box[3]):
        for xx in range(box[0], box[2]):
            r, g, b = raw[3 * (yy * width + xx):3 * (yy * width + xx) + 3]
            count += r > g + 30 and r > b + 30
    return count


def visible_windows():
    """The dock's visible X windows: the dock, its menu, dialogs, message boxes."""
    return set(xdotool("search", "--onlyvisible", "--class", "dock.exe").split())


def main(argv):
    dock_exe, work = argv[1], os.path.abspath(argv[2])
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    shutil.copy(dock_exe, os.path.join(work, "dock.exe"))
    for name, colour in (("red", RED), ("green", GREEN), ("blue", BLUE)):
        e2e.solid_png(os.path.join(work, name + ".png"), colour)
    w = e2e.windows_path(work)
    items = [("Red", 0, "C:\\windows\\notepad.exe", w + "\\red.png"),
             ("Green", 0, "C:\\windows\\notepad.exe", w + "\\green.png"),
             ("Blue", 0, "C:\\windows\\notepad.exe", w + "\\blue.png")]
    e2e.write_config(work, [("左边", LEFT), ("顶边", TOP)], items)

    dock = e2e.wine(os.path.join(work, "dock.exe"), cwd=work)
    window = e2e.wait_for(e2e.dock_window, 60)
    check(window is not None, "the dock window appears")
    if window is None:
        dock.kill()
        return 1
    time.sleep(1.5)
    empty_x, empty_y = LEFT + 136, TOP + 175

    # ---- the empty area: the two item entries cannot be chosen (their
    # mnemonics only close the menu)
    before = visible_windows()
    for key in ("s", "d"):
        right_click(empty_x, empty_y)
        e2e.save_screenshot("/tmp/menu_e2e_menu.png")
        opened = visible_windows() - before
        check(len(opened) == 1, "a right-click opens the menu: %s" % (opened,))
        xdotool("key", key)
        time.sleep(1.0)
        check(visible_windows() == before, "%s chooses nothing over the empty area" % key)

    # ---- lock the position: a drag of the empty area no longer moves the dock
    right_click(empty_x, empty_y)
    xdotool("key", "l")
    time.sleep(0.5)
    xdotool("mousemove", empty_x, empty_y)
    time.sleep(0.4)
    xdotool("mousedown", "1")
    for step in range(1, 11):
        xdotool("mousemove", empty_x + 10 * step, empty_y + 5 * step)
        time.sleep(0.03)
    xdotool("mouseup", "1")
    time.sleep(0.5)
    check(e2e.geometry(window)[:2] == (LEFT, TOP), "a locked dock does not move: %s"
          % (e2e.geometry(window),))

    # ---- delete the green item: hover it, right-click, D, answer Yes
    green_x, green_y = LEFT + 144 + 36 + 18, TOP + 170
    xdotool("mousemove", green_x, green_y)
    time.sleep(1.0)
    xdotool("click", "3")
    time.sleep(0.6)
    xdotool("key", "d")
    time.sleep(1.0)
    e2e.save_screenshot("/tmp/menu_e2e_confirm.png")
    xdotool("key", "Return")  # Yes is the default button
    time.sleep(1.0)
    xdotool("mousemove", 50, 50)
    time.sleep(1.5)
    shot = e2e.screen()
    e2e.save_screenshot("/tmp/menu_e2e_deleted.png")
    x, y, width, height = e2e.geometry(window)
    check(reddish(shot, (x + 150, y + 184, x + 175, y + 209)) == 0,
          "no reflection while reflections are off")
    check(width == 360 and x == LEFT + 18, "the dock is one cell narrower around its centre: %s"
          % ((x, y, width, height),))
    check(e2e.bounding_box(shot, GREEN) is None, "the green item is gone from the screen")
    red, blue = e2e.bounding_box(shot, RED), e2e.bounding_box(shot, BLUE)
    check(red is not None and blue is not None and blue[0] - red[0] == 36,
          "red and blue stand side by side: %s %s" % (red, blue))

    # ---- program settings: reflections on. The focus starts on the first
    # box: Tab to the second, Space, five Tabs on to the save button, Space.
    right_click(x + 136, y + 175)
    xdotool("key", "o")
    time.sleep(1.5)
    e2e.save_screenshot("/tmp/menu_e2e_settings.png")
    for key in ("Tab", "space"):
        xdotool("key", key)
        time.sleep(0.2)
    for _ in range(5):  # past two boxes and the two edits
        xdotool("key", "Tab")
        time.sleep(0.1)
    e2e.save_screenshot("/tmp/menu_e2e_settings_ready.png")
    xdotool("key", "space")
    time.sleep(1.5)
    xdotool("mousemove", 50, 50)
    time.sleep(1.0)
    shot = e2e.screen()
    e2e.save_screenshot("/tmp/menu_e2e_reflection.png")
    # A reflection is the picture at 30 % opacity mirrored below the row.
    below = reddish(shot, (x + 150, y + 184, x + 175, y + 209))
    check(below > 300, "a reflection of the red item appears below the row: %d reddish pixels"
          % below)

    # ---- exit through the menu; config.ini holds two items and the new options
    right_click(x + 136, y + 175)
    xdotool("key", "e")
    check(e2e.stop(dock), "the exit entry ends the dock")
    with open(os.path.join(work, "config.ini"), "rb") as f:
        saved = f.read().decode("gbk")
    check("图标数=2" in saved, "config.ini lists two items")
    check("Green" not in saved and '显示名_2="Blue"' in saved, "the blue item is now item 2")
    check("倒影=1" in saved and "锁定=1" in saved, "reflections and the lock are saved")

    print("%d failure(s)" % len(e2e.FAILURES))
    return 1 if e2e.FAILURES else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
