#!/usr/bin/env python3
"""高分屏适配 under Wine at 144 DPI, driven by xdotool.

    dpi_e2e.py DOCK_EXE WORK_DIR

Sets the prefix's LogPixels to 144 (each Wine process reads it when it
starts) and puts the previous value back at the end, so the other suites
keep running at 96. Items carry solid-colour custom icons as in dock_e2e.
"""

import os
import subprocess
import sys

import dock_e2e as e2e
from dock_e2e import BLUE, GREEN, RED, check, xdotool

LEFT, TOP = 300, 150
DESKTOP_KEY = "HKCU\\Control Panel\\Desktop"
SHOT = "/tmp/dpi_e2e_144.png"


def rows(shot, top, bottom):
    """The screen rows from top to bottom (exclusive) as a shot of their own."""
    width, _, raw = shot
    return width, bottom - top, raw[top * width * 3:bottom * width * 3]


def reg(*args):
    command = 'source "%s"; wine_run reg "$@"' % e2e.ENV_SCRIPT
    out = subprocess.run(["bash", "-c", command, "reg", *args], check=False,
                         capture_output=True).stdout
    return out.decode("gbk", "replace").replace("\r", "")


def log_pixels():
    """The prefix's LogPixels as reg prints it (0x90 for 144), None when unset."""
    for line in reg("query", DESKTOP_KEY, "/v", "LogPixels").splitlines():
        parts = line.split()
        if len(parts) == 3 and parts[0] == "LogPixels":
            return parts[2]
    return None


def set_log_pixels(value):
    if value is None:
        reg("delete", DESKTOP_KEY, "/v", "LogPixels", "/f")
    else:
        reg("add", DESKTOP_KEY, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(value), "/f")


def settings_dialog(window, x, y):
    """Opens 程序设置 from the menu at (x, y); returns its geometry and closes it."""
    xdotool("mousemove", x, y)
    xdotool("click", "3")
    e2e.wait_for(lambda: len(xdotool("search", "--onlyvisible", "--class", "dock.exe").split())
                 > 1, 10)
    xdotool("key", "o")
    found = e2e.wait_for(lambda: xdotool("search", "--onlyvisible", "--name", "^程序设置$"), 30)
    if not found:
        return None
    dialog = found.split()[0]
    e2e.wait_for(lambda: xdotool("getwindowfocus") == dialog, 10)
    size = e2e.geometry(dialog)
    e2e.save_screenshot("/tmp/dpi_e2e_settings_%d.png" % size[2])
    xdotool("key", "alt+c")  # 取消(&C); Escape does nothing in these dialogs
    e2e.wait_for(lambda: not xdotool("search", "--onlyvisible", "--name", "^程序设置$"), 10)
    return size


def run_dock(work, w, dpi_aware):
    """Starts the dock with 高分屏适配 as given; returns (process, window)."""
    items = [("Red", 0, w + "\\dock.exe", w + "\\red.png"),
             ("Green", 0, w + "\\dock.exe", w + "\\green.png"),
             ("Blue", 0, w + "\\dock.exe", w + "\\blue.png")]
    e2e.write_config(work, [("左边", LEFT), ("顶边", TOP)], items,
                     [("高分屏适配", dpi_aware), ("高清图标", dpi_aware)])
    dock, window = e2e.start_dock(work)
    # Wine puts the pointer in the middle of the screen, over a cell.
    xdotool("mousemove", 50, 50)
    return dock, window


def magnify_green(cx, cy, beyond):
    """Hovers the green item's resting cell, then its centre (cx, cy) on the
    row's top line; returns the screen once the green picture is taller than
    `beyond`."""
    xdotool("mousemove", cx, cy + 20)
    e2e.wait_for(lambda: e2e.magnified(GREEN, beyond), 10)
    xdotool("mousemove", cx, cy)


def aware_tests(work, w):
    dock, window = run_dock(work, w, 1)
    if window is None:
        return None
    # config.ini's place means what a dock the system scales sees: at 150 %
    # this one stands half as far again from the screen's corner.
    X, Y = LEFT * 3 // 2, TOP * 3 // 2
    # Cells of 54 with a padding of 7 at rowTop 228: item n's picture is 40 x 40
    # at x = 216 + 54 (n - 1) + 7.
    colours = ((RED, 1), (GREEN, 2), (BLUE, 3))

    def resting(n):
        x = X + 216 + 54 * (n - 1)
        return (x + 7, Y + 235, x + 47, Y + 275)
    shot = e2e.wait_for(lambda: (lambda s: all(e2e.bounding_box(s, c) == resting(n)
                                               for c, n in colours) and s)(e2e.screen()), 30)
    shot = shot or e2e.screen()
    size = e2e.geometry(window)
    check(size == (X, Y, 594, 510),
          "at 144 DPI the window is 1.5 x 396 by 1.5 x 340, at 1.5 x its place: %s" % (size,))
    for colour, n in colours:
        box = e2e.bounding_box(shot, colour)
        check(box == resting(n), "item %d rests 40 x 40 in a 54-pixel cell: %s" % (n, box))

    # The hit test follows what is drawn: the pointer on each drawn picture's
    # lower left corner, inside by two pixels, magnifies that very item to
    # more than its neighbours' 85 pixels.
    for colour, n in colours:
        box = e2e.bounding_box(shot, colour)
        xdotool("mousemove", 50, 50)
        e2e.wait_for(lambda: not e2e.magnified(colour, 40), 10)
        xdotool("mousemove", box[0] + 1, box[3] - 2)
        check(e2e.wait_for(lambda: e2e.magnified(colour, 88), 10),
              "the pointer on the drawn item %d magnifies it" % n)

    # The green item magnified under the pointer on its centre's top line:
    # a 108-pixel cell, its picture 94 (1.5 x 62), the caption above it.
    magnify_green(X + 216 + 54 + 27, Y + 228, 40)
    big = (X + 250, Y + 181, X + 344, Y + 275)
    shot = e2e.wait_for(lambda: (lambda s: e2e.bounding_box(s, GREEN) == big and s)(
        e2e.screen()), 20) or e2e.screen()
    e2e.save_screenshot(SHOT)
    green = e2e.bounding_box(shot, GREEN)
    check(green == big, "the magnified picture is 94 x 94 (1.5 x 62): %s" % (green,))
    # The caption: white text above the picture, whole inside the window.
    found = e2e.bounding_box(rows(shot, Y, Y + 181), (255, 255, 255), 30)
    caption = found and (found[0], found[1] + Y, found[2], found[3] + Y)
    print("caption box: %s" % (caption,))
    check(caption is not None and Y < caption[1]
          and X < caption[0] and caption[2] < X + 594 and caption[3] - caption[1] >= 16,
          "the caption is drawn at the larger size, whole, above the icon: %s" % (caption,))

    dialog = settings_dialog(window, X + 180, Y + 250)
    print("settings dialog at 144 DPI: %s" % (dialog,))
    check(e2e.close_dock(dock, window), "Escape ends the DPI-aware dock")
    saved = e2e.saved_text(work)
    check("左边=%d" % LEFT in saved and "顶边=%d" % TOP in saved,
          "the DPI-aware dock saves its place as it read it")
    return dialog


def unaware_tests(work, w):
    """The setting off at 144 DPI: the classic sizes."""
    dock, window = run_dock(work, w, 0)
    if window is None:
        return
    e2e.wait_for(lambda: e2e.bounding_box(e2e.screen(), BLUE), 30)
    size = e2e.geometry(window)
    check(size == (LEFT, TOP, 396, 340), "with the setting off the dock keeps 396 x 340: %s"
          % (size,))
    check(e2e.close_dock(dock, window), "Escape ends the classic dock")


def classic_dpi_tests(work, w):
    """At 96 DPI the setting changes nothing; returns the dialog's size."""
    dock, window = run_dock(work, w, 1)
    if window is None:
        return None
    e2e.wait_for(lambda: e2e.bounding_box(e2e.screen(), BLUE), 30)
    size = e2e.geometry(window)
    check(size == (LEFT, TOP, 396, 340), "at 96 DPI the dock is 396 x 340: %s" % (size,))
    dialog = settings_dialog(window, LEFT + 136, TOP + 175)
    print("settings dialog at 96 DPI: %s" % (dialog,))
    check(e2e.close_dock(dock, window), "Escape ends the dock at 96 DPI")
    return dialog


def main(argv):
    dock_exe, work = argv[1], os.path.abspath(argv[2])
    w = e2e.fresh_folder(work, dock_exe, (("red", RED), ("green", GREEN), ("blue", BLUE)))

    before = log_pixels()
    set_log_pixels(144)
    try:
        check(log_pixels() == "0x90", "the prefix's LogPixels is 144")
        big = aware_tests(work, w)
        unaware_tests(work, w)
    finally:
        set_log_pixels(None if before is None else int(before, 16))
    check(log_pixels() == before, "the prefix's LogPixels is back at %s" % (before,))
    small = classic_dpi_tests(work, w)
    # The dialog manager sizes the dialog from its font, which follows the DPI;
    # its caption bar and the font's own rounding grow a little less.
    check(big is not None and small is not None and big[2] * 100 >= small[2] * 135
          and big[3] * 100 >= small[3] * 135,
          "the settings dialog grows with the DPI: %s against %s" % (big, small))

    print("%d failure(s)" % len(e2e.FAILURES))
    return 1 if e2e.FAILURES else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
