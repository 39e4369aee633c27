#!/usr/bin/env python3
"""dock.exe under Wine on an X display, driven by xdotool.

    dock_e2e.py DOCK_EXE MARKER_EXE WORK_DIR

Needs DISPLAY (test.sh provides a private Xvfb) and the Wine prefix of
scripts/wine-env.sh. Items carry solid-colour custom icons so that the
magnified geometry can be measured in screenshots; their targets are a tiny
program that records the working directory it was started in.
"""

import os
import shutil
import subprocess
import sys
import time

SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
ENV_SCRIPT = os.path.join(SOURCE, "scripts", "wine-env.sh")
FAILURES = []

RED, GREEN, BLUE = (255, 0, 0), (0, 255, 0), (0, 0, 255)
LEFT, TOP = 400, 200  # where the first start puts the dock


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    if not condition:
        FAILURES.append(what)


def run(*args, **kwargs):
    return subprocess.run(args, check=False, capture_output=True, text=True, **kwargs)


def wine(*args, cwd=None):
    """Starts a Windows program in the dock's prefix; returns the Popen."""
    command = 'source "%s"; wine_run "$@"' % ENV_SCRIPT
    return subprocess.Popen(["bash", "-c", command, "wine_run", *args], cwd=cwd,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def windows_path(path):
    command = 'source "%s"; winepath -w "$1"' % ENV_SCRIPT
    out = run("bash", "-c", command, "winepath", path).stdout
    return out.strip().replace("\r", "")


def xdotool(*args):
    return run("xdotool", *[str(a) for a in args]).stdout.strip()


def screen():
    """The whole screen as (width, height, raw RGB bytes)."""
    size = run("xdpyinfo").stdout
    dims = [line.split()[1] for line in size.splitlines() if "dimensions:" in line][0]
    width, height = (int(v) for v in dims.split("x"))
    raw = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"],
                         check=True, capture_output=True).stdout
    return width, height, raw


def save_screenshot(path):
    subprocess.run(["import", "-window", "root", path], check=False)


def bounding_box(shot, colour, tolerance=40):
    """The smallest rectangle (left, top, right, bottom) holding every pixel
    close to `colour`, right and bottom exclusive; None when there is none."""
    width, height, raw = shot
    xs, ys = [], []
    r0, g0, b0 = colour
    for y in range(height):
        row = raw[y * width * 3:(y + 1) * width * 3]
        for x in range(width):
            r, g, b = row[3 * x], row[3 * x + 1], row[3 * x + 2]
            if abs(r - r0) <= tolerance and abs(g - g0) <= tolerance and abs(b - b0) <= tolerance:
                xs.append(x)
                ys.append(y)
    if not xs:
        return None
    return (min(xs), min(ys), max(xs) + 1, max(ys) + 1)


def wait_for(predicate, seconds):
    deadline = time.time() + seconds
    while time.time() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(0.1)
    return predicate()


def dock_window():
    ids = xdotool("search", "--onlyvisible", "--class", "dock.exe").split()
    return ids[0] if ids else None


def geometry(window):
    out = xdotool("getwindowgeometry", "--shell", window)
    values = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
    return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])


def gbk(text):
    return text.replace("\n", "\r\n").encode("gbk")


def fresh_folder(work, dock_exe, pictures):
    """Empties `work` down to dock.exe and a solid picture NAME.png for each
    (name, colour) of `pictures`; returns its Windows path."""
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    shutil.copy(dock_exe, os.path.join(work, "dock.exe"))
    for name, colour in pictures:
        solid_png(os.path.join(work, name + ".png"), colour)
    return windows_path(work)


def solid_png(path, colour):
    subprocess.run(["convert", "-size", "72x72", "xc:rgb(%d,%d,%d)" % colour, "PNG32:" + path],
                   check=True)


def write_config(work, settings, items, extended=()):
    lines = ["[程序设置]"] + ["%s=%s" % kv for kv in settings] + ["[图标列表]", "图标数=%d" % len(items)]
    for n, (title, hotkey, target, icon) in enumerate(items, 1):
        lines += ['显示名_%d="%s"' % (n, title), '快捷键_%d="%d"' % (n, hotkey),
                  '可执行文件路径_%d="%s"' % (n, target), '自定义图标路径_%d="%s"' % (n, icon)]
    if extended:
        lines += ["[扩展设置]"] + ["%s=%s" % kv for kv in extended]
    with open(os.path.join(work, "config.ini"), "wb") as f:
        f.write(gbk("\n".join(lines) + "\n"))


def expected_config(left, top, tray, items, locked="0"):
    """What the save writes, as Wine's profile writer lays it out: the
    template without its blank lines, the values in place, the items after
    the count. Wine's parser takes the comment line holding "1000ms = 1s" for
    a key and writes it back without the blanks around its equals sign."""
    lines = """[程序设置]
# 鼠标指针接近时图标是否自动吸附.
# 非零表示开启此项. 默认为零 不开启.
自动吸附=0
# 图标跟随鼠标指针上下浮动.
# 最大浮动距离, 默认为 48.
浮动距离=48
# 浮动方向, 0 表示只向上跟随, 1 表示上下跟随. 默认为 1.
浮动方向=1
# 左键双击运行同一个项目时的冷却时间.
# 以毫秒为单位. 1000ms=1s
# 默认 1000 不可小于 1000.
双击冷却时间=1000
# 选中图标托盘图片.支持相对路径与绝对路径.
# 默认 res\\1.png
选中托盘=%s
# 是否开启高质量模式.
# 非零表示开启此项. 默认为零 不开启.
高质量=0
# 是否开启图标倒影.
# 非零表示开启此项. 默认为零 不开启.
倒影=0
# 上次关闭时记录的程序位置.
# 程序自动记录
左边=%d
顶边=%d
锁定=%s
总在最前=1
[图标列表]
# 可在此为可执行文件指定自定义图标. 自定义图标优先于可执行文件内置的图标.
图标数=%d""" % (tray, left, top, locked, len(items))
    for n, (title, hotkey, target, icon) in enumerate(items, 1):
        lines += '\n显示名_%d="%s"\n快捷键_%d="%d"\n可执行文件路径_%d="%s"\n自定义图标路径_%d="%s"' % (
            n, title, n, hotkey, n, target, n, icon)
    return gbk(lines + "\n")


def magnified(colour, beyond=26):
    """Whether the picture in `colour` is drawn taller than `beyond` pixels: at
    rest it is 26, beside the hovered item at most 56."""
    box = bounding_box(screen(), colour)
    return box is not None and box[3] - box[1] > beyond


def shot_at_rest(row, left=LEFT, top=TOP):
    """A screenshot once every (colour, cell) of `row` stands at rest, or None
    after 20 s."""
    return wait_for(lambda: (lambda s: all(bounding_box(s, c) == resting_box(left, top, n)
                                           for c, n in row) and s)(screen()), 20)


def resting_box(left, top, cell):
    """Where the picture of 1-based `cell` rests in a dock at (left, top): 26 x
    26 inset by 5 in 36-pixel cells at rowTop 152."""
    x = left + 144 + 36 * (cell - 1)
    return (x + 5, top + 157, x + 31, top + 183)


def focus(window):
    """Gives `window` the X keyboard focus (Wine delivers hotkeys only then)."""
    xdotool("windowfocus", window)
    return wait_for(lambda: xdotool("getwindowfocus") == window, 10)


def stop(process, seconds=10):
    """Waits for a started Windows program to end; True when it did. One that
    does not is ended, and so is every dock the prefix still runs, so that no
    dock of this case stands in front of the next one's."""
    try:
        process.wait(timeout=seconds)
        return True
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()
        end_leftover_docks()
        return False


def end_leftover_docks():
    wine("taskkill", "/f", "/im", "dock.exe").wait(timeout=60)
    wait_for(lambda: dock_window() is None, 20)


def drag(start, end, colour, steps=12):
    """Presses the left button on the picture in `colour` at start, once the
    dock hovers it, and moves to end in steps of a hand's pace."""
    xdotool("mousemove", *start)
    wait_for(lambda: magnified(colour), 10)
    xdotool("mousedown", "1")
    for step in range(1, steps + 1):
        xdotool("mousemove", start[0] + (end[0] - start[0]) * step // steps,
                start[1] + (end[1] - start[1]) * step // steps)
        time.sleep(0.03)


def saved_text(work):
    path = os.path.join(work, "config.ini")
    return open(path, "rb").read().decode("gbk") if os.path.exists(path) else ""


def row_order(shot, colours):
    """The colours in the order their pictures stand on screen, left to right."""
    boxes = [(bounding_box(shot, c), name) for name, c in colours.items()]
    return [name for box, name in sorted((b, n) for b, n in boxes if b is not None)]


def start_dock(work, cwd=None, what="the dock window appears", seconds=60):
    """Starts WORK/dock.exe (in `cwd`, WORK unless given) and waits for its
    window; returns (process, window), window None when none appeared."""
    if dock_window() is not None:
        end_leftover_docks()
    dock = wine(os.path.join(work, "dock.exe"), cwd=cwd or work)
    window = wait_for(dock_window, seconds)
    check(window is not None, what)
    if window is None:
        stop(dock, 0)
    return dock, window


def close_dock(dock, window):
    """Presses Escape with the keyboard focus on the dock, again every two
    seconds, until the dock ends (a press may land while the focus is still
    on its way); a dock that does not end within 30 s is ended."""
    xdotool("mousemove", 50, 50)

    def attempt():
        xdotool("windowfocus", window)
        xdotool("key", "Escape")
        try:
            dock.wait(timeout=2)
            return True
        except subprocess.TimeoutExpired:
            return False
    if wait_for(attempt, 30):
        return True
    shown = [xdotool("getwindowname", w)
             for w in xdotool("search", "--onlyvisible", "--name", ".").split()]
    print("the dock did not end; the focus is on %s, the dock is %s; the windows shown: %s"
          % (xdotool("getwindowfocus"), window, shown))
    save_screenshot("/tmp/dock_e2e_not_ended.png")
    return stop(dock, 0)


def arrange_tests(work, w):
    """Dragging items: to a new place, off the strip, and not while locked."""
    colours = {"red": RED, "green": GREEN, "blue": BLUE}
    row_y = TOP + 170
    centre = [LEFT + 144 + 36 * n + 18 for n in range(3)]
    items = [("Red", 0x064B, w + "\\a\\marker.exe", w + "\\red.png"),  # Ctrl+Alt+K
             ("Green", 0, w + "\\b\\marker.exe", w + "\\green.png"),
             ("Blue", 0, w + "\\b\\marker.exe", w + "\\blue.png")]

    # ---- drag item 1 past item 3
    write_config(work, [("左边", LEFT), ("顶边", TOP)], items)
    dock, window = start_dock(work)
    if window is None:
        return
    drag((centre[0], row_y), (centre[2] + 40, row_y - 8), RED)

    # Green and Blue close up to cells 1 and 2; Red follows the pointer.
    def dragging(shot):
        green, blue, red = (bounding_box(shot, c) for c in (GREEN, BLUE, RED))
        return (green is not None and blue is not None and green[0] == LEFT + 149 and
                blue[0] == LEFT + 185 and green[3] == TOP + 183,
                red is not None and abs((red[0] + red[2]) / 2 - (centre[2] + 40)) <= 2,
                (green, blue, red))
    shot = wait_for(lambda: (lambda s: all(dragging(s)[:2]) and s)(screen()), 10) or screen()
    save_screenshot("/tmp/dock_e2e_dragging.png")
    around_gap, following, (green, blue, red) = dragging(shot)
    check(around_gap, "the others stand at rest around the gap: %s %s" % (green, blue))
    check(following, "the dragged picture follows the pointer: %s" % (red,))
    xdotool("mouseup", "1")
    xdotool("mousemove", 50, 50)
    wait_for(lambda: row_order(screen(), colours) == ["green", "blue", "red"], 10)
    shot = screen()
    save_screenshot("/tmp/dock_e2e_dropped.png")
    check(row_order(shot, colours) == ["green", "blue", "red"],
          "the row shows the new order: %s" % row_order(shot, colours))
    check(bounding_box(shot, RED) == (LEFT + 144 + 72 + 5, TOP + 157,
                                      LEFT + 144 + 72 + 31, TOP + 183),
          "the moved item rests in cell 3: %s" % (bounding_box(shot, RED),))
    saved = wait_for(lambda: '显示名_3="Red"' in saved_text(work) and saved_text(work), 10)
    check(bool(saved) and '显示名_1="Green"' in saved and '快捷键_3="1611"' in saved and
          '快捷键_1="0"' in saved, "the new order is saved with the hotkey on its item")
    # The hotkey follows its item: Ctrl+Alt+K still starts Red's program.
    marker_a = os.path.join(work, "a", "marker.txt")
    if os.path.exists(marker_a):
        os.remove(marker_a)
    focus(window)
    xdotool("key", "ctrl+alt+k")
    got = wait_for(lambda: os.path.exists(marker_a), 10)
    check(got, "the hotkey still starts the moved item")

    # ---- Escape and a right-click in the middle of a drag put the row back
    # (and neither closes the dock nor opens the menu)
    for how in ("Escape", "right-click"):
        windows_before = set(xdotool("search", "--onlyvisible", "--class", "dock.exe").split())
        drag((centre[0], row_y), (centre[2], row_y), GREEN)
        if how == "Escape":
            xdotool("key", "Escape")
        else:
            xdotool("click", "3")
        # Cancelled before the button comes up: Green is back left of cell 2.
        wait_for(lambda: (lambda g: g is not None and g[2] <= centre[1])(
            bounding_box(screen(), GREEN)), 10)
        xdotool("mouseup", "1")
        xdotool("mousemove", 50, 50)
        wait_for(lambda: row_order(screen(), colours) == ["green", "blue", "red"], 10)
        order = row_order(screen(), colours)
        check(order == ["green", "blue", "red"], "%s cancels the drag: %s" % (how, order))
        check(set(xdotool("search", "--onlyvisible", "--class", "dock.exe").split()) ==
              windows_before, "%s leaves the dock as it was, no menu" % how)

    # ---- drag Green off the strip: No keeps it, Yes removes it
    for answer, kept in (("n", True), ("Return", False)):
        drag((centre[0], row_y), (centre[0], row_y - 110), GREEN)
        save_screenshot("/tmp/dock_e2e_drag_off.png")
        xdotool("mouseup", "1")
        box = wait_for(lambda: xdotool("search", "--onlyvisible", "--name", "Varnel"), 10)
        check(bool(box), "dragging off the strip asks before removing")
        save_screenshot("/tmp/dock_e2e_drag_off_confirm.png")
        if box:
            focus(box.split()[0])
            xdotool("key", answer)
            wait_for(lambda: not xdotool("search", "--onlyvisible", "--name", "Varnel"), 10)
        xdotool("mousemove", 50, 50)
        wanted = ["green", "blue", "red"] if kept else ["blue", "red"]
        wait_for(lambda: row_order(screen(), colours) == wanted, 10)
        order = row_order(screen(), colours)
        if kept:
            check(order == ["green", "blue", "red"], "No puts the item back: %s" % order)
        else:
            check(order == ["blue", "red"], "Yes removes the item: %s" % order)
            saved = wait_for(lambda: "图标数=2" in saved_text(work) and saved_text(work), 10)
            check(bool(saved) and "Green" not in saved, "the removal is saved")
    check(close_dock(dock, window), "Escape ends the dock")


def count_near(shot, box, colour, tolerance=60):
    """How many pixels inside box (left, top, right, bottom) are close to colour."""
    width, _, raw = shot
    found = 0
    for y in range(box[1], box[3]):
        for x in range(box[0], box[2]):
            pixel = raw[3 * (y * width + x):3 * (y * width + x) + 3]
            found += all(abs(pixel[i] - colour[i]) <= tolerance for i in range(3))
    return found


def keyboard_tests(work, w):
    """Keyboard mode and hotkey badges, both switched on in [扩展设置]."""
    items = [("Red", 0x064B, w + "\\a\\marker.exe", w + "\\red.png"),  # Ctrl+Alt+K
             ("Green", 0, w + "\\a\\marker.exe", w + "\\green.png"),
             ("Blue", 0, w + "\\b\\marker.exe", w + "\\blue.png")]
    write_config(work, [("左边", LEFT), ("顶边", TOP)], items, [("键盘模式", 1), ("快捷键角标", 1)])
    markers = [os.path.join(work, sub, "marker.txt") for sub in ("a", "b")]
    for marker in markers:
        if os.path.exists(marker):
            os.remove(marker)
    dock, window = start_dock(work)
    if window is None:
        return
    # Away from the row, where only the keyboard magnifies anything (a move
    # before a Wine window is up may not reach the X server's pointer).
    xdotool("mousemove", 50, 50)
    # Pictures at rest, and fully magnified with the virtual pointer on the
    # centre of the cell's top line (the same boxes the hover test measures).
    rest = [(LEFT + 144 + 36 * n + 5, TOP + 157, LEFT + 144 + 36 * n + 31, TOP + 183)
            for n in range(3)]
    magnified = [(LEFT + 131 + 36 * n, TOP + 121, LEFT + 193 + 36 * n, TOP + 183)
                 for n in range(3)]

    def boxes():
        shot = screen()
        return [bounding_box(shot, c) for c in (RED, GREEN, BLUE)]

    check(wait_for(lambda: boxes() == rest, 20), "the row starts at rest")
    shot = screen()
    save_screenshot("/tmp/dock_e2e_badges.png")
    check(count_near(shot, rest[0], (255, 255, 255)) > 10,
          "the item with a hotkey shows a white label on its picture")
    check(count_near(shot, rest[1], (255, 255, 255)) == 0 and
          count_near(shot, rest[1], (0, 0, 0)) == 0, "the item without one shows none")

    xdotool("windowfocus", window)
    wait_for(lambda: xdotool("getwindowfocus") == window, 10)
    xdotool("key", "ctrl+alt+space")
    check(wait_for(lambda: boxes()[0] == magnified[0], 10),
          "the dock's hotkey selects item 1: %s" % (boxes(),))
    xdotool("key", "Right")
    check(wait_for(lambda: boxes() == [(LEFT + 101, TOP + 127, LEFT + 157, TOP + 183),
                                       magnified[1],
                                       (LEFT + 239, TOP + 127, LEFT + 295, TOP + 183)], 10),
          "Right selects item 2, magnified as under a resting pointer: %s" % (boxes(),))
    save_screenshot("/tmp/dock_e2e_keyboard.png")
    xdotool("key", "Right")
    check(wait_for(lambda: boxes()[2] == magnified[2], 10), "Right again selects item 3")
    xdotool("key", "Return")
    got = wait_for(lambda: os.path.exists(markers[1]), 10)
    check(got and not os.path.exists(markers[0]), "Enter starts item 3's program")

    # The program may have taken the foreground; the hotkey brings the dock
    # back on the item selected last.
    xdotool("windowfocus", window)
    wait_for(lambda: xdotool("getwindowfocus") == window, 10)
    xdotool("key", "ctrl+alt+space")
    check(wait_for(lambda: boxes()[2] == magnified[2], 10), "the hotkey returns to item 3")
    xdotool("key", "Escape")
    check(wait_for(lambda: boxes() == rest, 10),
          "Escape lets the row fade back to rest: %s" % (boxes(),))
    save_screenshot("/tmp/dock_e2e_keyboard_escape.png")
    check(dock.poll() is None, "Escape in keyboard mode leaves the dock open")
    check(close_dock(dock, window), "outside the mode Escape ends the dock")
    check("键盘模式=1" in saved_text(work) and "快捷键角标=1" in saved_text(work),
          "the settings are saved")


def main(argv):
    dock_exe, marker_exe, work = argv[1], argv[2], os.path.abspath(argv[3])
    shutil.rmtree(work, ignore_errors=True)
    for sub in ("a", "b"):
        os.makedirs(os.path.join(work, sub))
        shutil.copy(marker_exe, os.path.join(work, sub, "marker.exe"))
    shutil.copy(dock_exe, os.path.join(work, "dock.exe"))
    for name, colour in (("red", RED), ("green", GREEN), ("blue", BLUE)):
        solid_png(os.path.join(work, name + ".png"), colour)
    w = windows_path(work)
    items = [("Red", 0, w + "\\a\\marker.exe", w + "\\red.png"),
             ("Green", 0x064B, w + "/b/marker.exe", w + "\\green.png"),  # Ctrl+Alt+K
             ("Blue", 0, w + "\\a\\marker.exe", w + "\\blue.png")]
    write_config(work, [("左边", LEFT), ("顶边", TOP)], items)

    # ---- start-up
    dock, window = start_dock(work)
    if window is None:
        return 1
    row = ((RED, 1), (GREEN, 2), (BLUE, 3))
    shot = shot_at_rest(row) or screen()
    x, y, width, height = geometry(window)
    check((x, y, width, height) == (LEFT, TOP, 396, 340),
          "the dock stands at its saved place, 396 x 340: %s" % ((x, y, width, height),))
    save_screenshot("/tmp/dock_e2e_rest.png")
    for colour, n in row:
        want, box = resting_box(LEFT, TOP, n), bounding_box(shot, colour)
        check(box == want, "resting item %d at %s: %s" % (n, want, box))

    # ---- hover: the green item magnifies to a 72-pixel cell (62-pixel picture)
    cx, cy = LEFT + 144 + 36 + 18, TOP + 152
    # At rest the pointer has to enter the cell before it may lead the icon.
    xdotool("mousemove", cx, cy + 10)
    wait_for(lambda: magnified(GREEN), 10)
    xdotool("mousemove", cx, cy)
    hovered = ((GREEN, (LEFT + 167, TOP + 121, LEFT + 229, TOP + 183)),
               (RED, (LEFT + 101, TOP + 127, LEFT + 157, TOP + 183)),
               (BLUE, (LEFT + 239, TOP + 127, LEFT + 295, TOP + 183)))
    shot = wait_for(lambda: (lambda s: all(bounding_box(s, c) == box for c, box in hovered) and s)(
        screen()), 20) or screen()
    save_screenshot("/tmp/dock_e2e_hover.png")
    green = bounding_box(shot, GREEN)
    red = bounding_box(shot, RED)
    blue = bounding_box(shot, BLUE)
    print("hover boxes: red %s green %s blue %s" % (red, green, blue))
    # The pointer on the centre of item 2's top line: its cell doubles to 72
    # (x 562..634, standing on the row's bottom line 188), the picture inset
    # by 5; the neighbours' cells are 66 wide, their pictures 56 square at
    # the whole pixels their fractional positions truncate to.
    check(green == hovered[0][1],
          "the hovered item is drawn 62 x 62 centred under the pointer: %s" % (green,))
    check(red == hovered[1][1], "the left neighbour swells to a 66-pixel cell: %s" % (red,))
    check(blue == hovered[2][1], "the right neighbour swells to a 66-pixel cell: %s" % (blue,))

    # ---- double-click the red item: its marker records its directory
    xdotool("mousemove", LEFT + 144 + 18, TOP + 170)
    wait_for(lambda: magnified(RED, 56), 10)  # hovered itself, not beside green
    xdotool("click", "--repeat", "2", "--delay", "60", "1")
    marker_a = os.path.join(work, "a", "marker.txt")
    got = wait_for(lambda: os.path.exists(marker_a) and open(marker_a, "rb").read(), 10)
    check(got == (w + "\\a\r\n").encode(), "double-click starts item 1 in its folder: %r" % (got,))

    # ---- the green item's hotkey, with the pointer away from the dock
    xdotool("mousemove", 50, 50)
    focus(window)
    xdotool("key", "ctrl+alt+k")
    marker_b = os.path.join(work, "b", "marker.txt")
    got = wait_for(lambda: os.path.exists(marker_b) and open(marker_b, "rb").read(), 10)
    check(got == (w + "\\b\r\n").encode(),
          "the hotkey starts item 2 in its folder: %r" % (got,))

    # ---- drag the dock by its empty area (the strip left of the first item).
    # That strip is empty only once the row has faded back to rest: on a busy
    # machine the fade after the double-click may still draw item 1 there.
    check(shot_at_rest(row) is not None, "the row is back at rest")
    sx, sy = LEFT + 136, TOP + 175
    xdotool("mousemove", sx, sy)
    xdotool("mousedown", "1")
    for step in range(1, 11):
        xdotool("mousemove", sx + 10 * step, sy + 5 * step)
        time.sleep(0.03)
    xdotool("mouseup", "1")
    wait_for(lambda: geometry(window)[:2] == (LEFT + 100, TOP + 50), 10)
    moved = geometry(window)
    check(moved[:2] == (LEFT + 100, TOP + 50), "the dock follows a drag of its empty area: %s"
          % (moved,))
    config = os.path.join(work, "config.ini")
    want = expected_config(moved[0], moved[1], w + "\\res\\1.png", items)
    check(wait_for(lambda: open(config, "rb").read() == want, 10),
          "the new place is in config.ini while the dock runs")

    # ---- Escape closes and saves
    check(close_dock(dock, window), "Escape ends the dock")
    with open(config, "rb") as f:
        saved = f.read()
    check(saved == want, "config.ini is saved byte for byte")
    if saved != want:
        print(saved.decode("gbk", "replace"))
        print(want.decode("gbk", "replace"))

    # ---- a dock saved locked with its strip (x + 114 .. x + 210) just right
    # of the screen, where only its transparent margin overlaps it
    screen_width = screen()[0]
    write_config(work, [("左边", screen_width - 114), ("顶边", TOP), ("锁定", 1)], items[:1])
    dock, window = start_dock(work, what="the dock window appears again")
    if window is not None:
        shot = wait_for(lambda: (lambda s: bounding_box(s, RED) and s)(screen()), 20) or screen()
        x, y, width, height = geometry(window)
        save_screenshot("/tmp/dock_e2e_offscreen.png")
        check(0 <= x and x + width <= shot[0] and 0 <= y and y + height <= shot[1],
              "a dock whose strip was saved off the screen starts on screen: %s"
              % ((x, y, width, height),))
        box = bounding_box(shot, RED)
        check(box == (x + 149, y + 157, x + 175, y + 183), "its item is visible: %s" % (box,))
        check(close_dock(dock, window), "Escape ends the locked dock")
        with open(os.path.join(work, "config.ini"), "rb") as f:
            saved = f.read()
        want = expected_config(screen_width - 114, TOP, w + "\\res\\1.png", items[:1],
                               locked="1")
        check(saved == want, "the place it was saved at stays the saved one")

    # ---- a dock whose item hangs half off the left edge stays where it was saved
    write_config(work, [("左边", -162), ("顶边", TOP)], items[:1])
    dock, window = start_dock(work, what="the dock window appears a third time")
    if window is not None:
        # The picture spans x - 13 .. x + 13 on screen.
        box = wait_for(lambda: bounding_box(screen(), RED), 20)
        check(box == (0, TOP + 157, 13, TOP + 183), "half its item shows at the edge: %s" % (box,))
        check(geometry(window)[:2] == (-162, TOP), "a dock half off the edge stays where saved")
        check(close_dock(dock, window), "Escape ends the dock at the edge")
    arrange_tests(work, w)
    keyboard_tests(work, w)

    print("%d failure(s)" % len(FAILURES))
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
