#!/usr/bin/env python3
"""The context menu of dock.exe under Wine, driven by xdotool.

    menu_e2e.py DOCK_EXE FULLSCREEN_PROBE_EXE WORK_DIR

Deletes an item through the menu and its confirmation (one item fewer on
screen and in config.ini), switches reflections on in the program settings
(a mirrored picture appears under the row) and adds a program through the
file dialog of 添加项目(&N)... (it appears at the front with its own icon, and
is saved). Then, with 全屏避让 on, a full-screen window in the foreground takes
the dock's always-on-top style away until it closes, and 开机启动(&W) adds and
removes the dock's value of the Run key; that dock is started in the system
folder, as the Run key starts it at log-on, and keeps config.ini's relative
paths.
"""

import os
import re
import shutil
import subprocess
import sys

import dock_e2e as e2e
from dock_e2e import BLUE, GREEN, RED, check, xdotool

YELLOW = (255, 255, 0)

LEFT, TOP = 400, 200


def right_click(x, y):
    """Opens the menu at (x, y) with a right-click."""
    xdotool("mousemove", x, y)
    before = visible_windows()
    xdotool("click", "3")
    return e2e.wait_for(lambda: len(visible_windows() - before) == 1, 10)


def dialog_titled(title):
    """The visible dialog titled `title` once it has the keyboard focus."""
    found = e2e.wait_for(lambda: xdotool("search", "--onlyvisible", "--name", "^%s$" % title), 30)
    if found:
        e2e.wait_for(lambda: xdotool("getwindowfocus") in found.split() or
                     xdotool("getactivewindow") in found.split(), 10)
    return found


def reddish(shot, box):
    """How many pixels in box (left, top, right, bottom) are clearly red."""
    width, _, raw = shot
    count = 0
    for yy in range(box[1], box[3]):
        for xx in range(box[0], box[2]):
            r, g, b = raw[3 * (yy * width + xx):3 * (yy * width + xx) + 3]
            count += r > g + 30 and r > b + 30
    return count


def drawn_pixels(shot, box):
    """Pixels in box that stand out from the strip just left of it, row by row."""
    width, _, raw = shot
    count = 0
    for yy in range(box[1], box[3]):
        ref = raw[3 * (yy * width + box[0] - 8):3 * (yy * width + box[0] - 8) + 3]
        for xx in range(box[0], box[2]):
            px = raw[3 * (yy * width + xx):3 * (yy * width + xx) + 3]
            count += sum(abs(a - b) for a, b in zip(px, ref)) > 90
    return count


def visible_windows():
    """The dock's visible X windows: the dock, its menu, dialogs, message boxes."""
    return set(xdotool("search", "--onlyvisible", "--class", "dock.exe").split())


RUN_KEY = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"


def run_values():
    """The Run key's text values whose names hold "dock", by name."""
    command = 'source "%s"; wine_run reg query "$1"' % e2e.ENV_SCRIPT
    # reg writes its messages in the console's code page.
    out = subprocess.run(["bash", "-c", command, "reg", RUN_KEY], check=False,
                         capture_output=True).stdout.decode("gbk", "replace").replace("\r", "")
    found = (re.match(r"^ {4}(.*?) {4}REG_SZ {4}(.*)$", line) for line in out.splitlines())
    return {m.group(1): m.group(2) for m in found if m and "dock" in m.group(1).lower()}


def choose_in_submenu(x, y, key):
    """Right-clicks (x, y), opens 扩展功能(&X) and presses `key` there; waits
    for each menu to open and for both to close."""
    before = visible_windows()
    xdotool("mousemove", x, y)
    xdotool("click", "3")
    menu = e2e.wait_for(lambda: len(visible_windows() - before) == 1, 10)
    xdotool("key", "x")
    submenu = e2e.wait_for(lambda: len(visible_windows() - before) == 2, 10)
    xdotool("key", key)
    closed = e2e.wait_for(lambda: visible_windows() == before, 10)
    check(menu and submenu and closed, "the menu and 扩展功能 open and close on %s" % key)


def desktop_tests(dock_exe, probe_exe, work):
    """Full-screen avoidance and starting with Windows, on a dock of its own."""
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    shutil.copy(dock_exe, os.path.join(work, "dock.exe"))
    shutil.copy(probe_exe, os.path.join(work, "probe.exe"))
    e2e.solid_png(os.path.join(work, "red.png"), RED)
    os.makedirs(os.path.join(work, "res"))
    e2e.solid_png(os.path.join(work, "res", "1.png"), YELLOW)
    w = e2e.windows_path(work)
    # Paths relative to the dock's folder, as the template's 选中托盘 is.
    e2e.write_config(work, [("左边", LEFT), ("顶边", TOP), ("总在最前", 1),
                            ("选中托盘", "res\\1.png")],
                     [("Red", 0, "C:\\windows\\notepad.exe", "red.png")])
    with open(os.path.join(work, "config.ini"), "ab") as f:
        f.write(e2e.gbk("[扩展设置]\n全屏避让=1\n"))
    system = e2e.run("bash", "-c", 'source "%s"; winepath -u "C:\\windows\\system32"'
                     % e2e.ENV_SCRIPT).stdout.strip()
    dock, window = e2e.start_dock(work, cwd=system,
                                  what="the dock started in the system folder appears")
    if window is None:
        return
    check(e2e.wait_for(lambda: e2e.bounding_box(e2e.screen(), RED), 20),
          "started in the system folder, the dock finds its item's relative icon")

    # The probe covers the monitor and reads the dock's style: 0 when the
    # style went away while it was in front and came back after it closed.
    probe = e2e.wine(os.path.join(work, "probe.exe"), cwd=work)
    try:
        status = probe.wait(timeout=120)
    except subprocess.TimeoutExpired:
        probe.kill()
        status = "timed out"
    check(status == 0, "a full-screen window in front takes always-on-top away until it "
          "closes (probe status %s)" % status)

    # 开机启动(&W): the value appears with the quoted path under a name of this
    # dock.exe's own, and goes again.
    dock_path = '"%s\\dock.exe"' % w
    empty_x, empty_y = LEFT + 136, TOP + 175
    check(run_values() == {}, "no Run value before the entry is chosen")
    choose_in_submenu(empty_x, empty_y, "w")
    values = e2e.wait_for(run_values, 10) or {}
    check({n.lower(): v.lower() for n, v in values.items()}
          == {"dock (%s)" % dock_path[1:-1].lower(): dock_path.lower()},
          "开机启动 writes the quoted path of dock.exe under its own name: %s" % values)
    choose_in_submenu(empty_x, empty_y, "w")
    check(e2e.wait_for(lambda: run_values() == {}, 10), "开机启动 again removes it")

    check(e2e.close_dock(dock, window), "Escape ends the dock")
    saved = e2e.saved_text(work)
    check("总在最前=1" in saved and "全屏避让=1" in saved and "开机启动" not in saved,
          "the settings are saved as they were; nothing of 开机启动 is in config.ini")
    check("选中托盘=res\\1.png" in saved and '自定义图标路径_1="red.png"' in saved,
          "the relative paths are saved as they were")


def main(argv):
    dock_exe, probe_exe, work = argv[1], argv[2], os.path.abspath(argv[3])
    w = e2e.fresh_folder(work, dock_exe, (("red", RED), ("green", GREEN), ("blue", BLUE)))
    items = [("Red", 0, "C:\\windows\\notepad.exe", w + "\\red.png"),
             ("Green", 0, "C:\\windows\\notepad.exe", w + "\\green.png"),
             ("Blue", 0, "C:\\windows\\notepad.exe", w + "\\blue.png")]
    e2e.write_config(work, [("左边", LEFT), ("顶边", TOP)], items)

    dock, window = e2e.start_dock(work)
    if window is None:
        return 1
    e2e.wait_for(lambda: e2e.bounding_box(e2e.screen(), BLUE) == e2e.resting_box(LEFT, TOP, 3), 20)

    # ---- delete the green item: hover it, right-click, D, answer Yes
    green_x, green_y = LEFT + 144 + 36 + 18, TOP + 170
    xdotool("mousemove", green_x, green_y)
    e2e.wait_for(lambda: e2e.magnified(GREEN, 56), 10)  # the tick hovers it
    right_click(green_x, green_y)
    xdotool("key", "d")
    confirm = dialog_titled("Varnel.*")
    e2e.save_screenshot("/tmp/menu_e2e_confirm.png")
    xdotool("key", "Return")  # Yes is the default button
    e2e.wait_for(lambda: not xdotool("search", "--onlyvisible", "--name", "Varnel"), 10)
    xdotool("mousemove", 50, 50)
    check(bool(confirm), "D asks before deleting")

    def closed_up():
        shot, (x, y) = e2e.screen(), e2e.geometry(window)[:2]
        return (e2e.bounding_box(shot, RED) == e2e.resting_box(x, y, 1) and
                e2e.bounding_box(shot, BLUE) == e2e.resting_box(x, y, 2) and shot)
    shot = e2e.wait_for(closed_up, 20) or e2e.screen()
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
    settings = dialog_titled("程序设置")
    check(bool(settings), "O opens the program settings")
    e2e.save_screenshot("/tmp/menu_e2e_settings.png")
    xdotool("key", "Tab", "space")
    xdotool("key", *["Tab"] * 5)  # past two boxes and the two edits
    e2e.save_screenshot("/tmp/menu_e2e_settings_ready.png")
    xdotool("key", "space")
    e2e.wait_for(lambda: not xdotool("search", "--onlyvisible", "--name", "^程序设置$"), 10)
    xdotool("mousemove", 50, 50)
    shot = e2e.wait_for(lambda: (lambda s: reddish(s, (x + 150, y + 184, x + 175, y + 209)) > 300
                                 and s)(e2e.screen()), 20) or e2e.screen()
    e2e.save_screenshot("/tmp/menu_e2e_reflection.png")
    # A reflection is the picture at 30 % opacity mirrored below the row.
    below = reddish(shot, (x + 150, y + 184, x + 175, y + 209))
    check(below > 300, "a reflection of the red item appears below the row: %d reddish pixels"
          % below)

    # ---- add an executable through the file dialog, from the menu opened
    # over the left half: it goes to the front, with its own icon (an item
    # without one would show res\2.png, solid yellow here)
    os.makedirs(os.path.join(work, "res"), exist_ok=True)
    e2e.solid_png(os.path.join(work, "res", "2.png"), YELLOW)
    before = visible_windows()
    right_click(x + 136, y + 175)
    xdotool("key", "n")
    dialog = dialog_titled("添加项目")
    check(bool(dialog), "添加项目(&N)... opens the file dialog titled 添加项目")
    if dialog:
        # Typed into the file name box, which has the focus.
        e2e.save_screenshot("/tmp/menu_e2e_add_dialog.png")
        xdotool("type", "--delay", "40", "C:\\windows\\notepad.exe")
        xdotool("key", "Return")
        e2e.wait_for(lambda: visible_windows() == before, 20)
    added = e2e.wait_for(
        lambda: e2e.geometry(window)[2] == 396 and e2e.geometry(window), 20)
    check(bool(added) and added[0] == x - 18, "the dock grows by a cell around its centre: %s"
          % (added,))
    saved = e2e.wait_for(
        lambda: '显示名_1="notepad"' in e2e.saved_text(work) and e2e.saved_text(work), 10)
    check(bool(saved) and '显示名_1="notepad"' in saved and
          '可执行文件路径_1="C:\\windows\\notepad.exe"' in saved and '显示名_2="Red"' in saved,
          "the chosen program is item 1 and saved")
    xdotool("mousemove", 50, 50)
    nx = e2e.geometry(window)[0]
    cell = (nx + 150, y + 158, nx + 175, y + 183)
    e2e.wait_for(lambda: drawn_pixels(e2e.screen(), cell) > 100, 10)
    shot = e2e.screen()
    e2e.save_screenshot("/tmp/menu_e2e_added.png")
    check(e2e.bounding_box(shot, YELLOW) is None, "the new item does not show the default picture")
    check(drawn_pixels(shot, cell) > 100, "the new item shows the program's icon: %d pixels"
          % drawn_pixels(shot, cell))

    # ---- exit through the menu; config.ini holds the items and the new options
    right_click(nx + 136, y + 175)
    xdotool("key", "e")
    check(e2e.stop(dock), "the exit entry ends the dock")
    with open(os.path.join(work, "config.ini"), "rb") as f:
        saved = f.read().decode("gbk")
    check("图标数=3" in saved, "config.ini lists three items")
    check("Green" not in saved and '显示名_3="Blue"' in saved, "the blue item is now item 3")
    check("倒影=1" in saved, "reflections are saved")
    check("扩展设置" not in saved, "no extended section while every new option is at its default")

    desktop_tests(dock_exe, probe_exe, work + "_desktop")

    print("%d failure(s)" % len(e2e.FAILURES))
    return 1 if e2e.FAILURES else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
