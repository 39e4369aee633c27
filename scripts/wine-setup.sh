#!/usr/bin/env bash
# Prepares the private Wine prefix once: the zh_CN and en_US locales compiled
# into the build tree (so GetACP() is 936 and GBK paths work), the font that
# stands in for 宋体, and Wine-drawn dialog frames (there is no window manager
# on a virtual display). Safe to run again; a ready prefix is left alone, and
# one made with another stand-in font gets the current one.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"

mkdir -p "$DOCK_WINE_ROOT" "$DOCK_LOCPATH"
for loc in zh_CN en_US; do
    if [ ! -d "$DOCK_LOCPATH/$loc.UTF-8" ]; then
        localedef -i "$loc" -f UTF-8 "$DOCK_LOCPATH/$loc.UTF-8" 2>/dev/null || true
    fi
done

# 宋体 is a Song face, and so is Noto Serif CJK SC, drawn with grey levels at
# every size. WenQuanYi Zen Hei, the stand-in before, asks (in its gasp table)
# for black and white from 9 to 16 pixels: the 12-pixel menu and the 11-pixel
# dialogs lost whole strokes (开 without its top bar) and looked cut off. The
# dialogs ask for MS Sans Serif, which has no Chinese, so the stand-in also
# sets their dialog units: its Latin letters average 7 pixels where the
# WenQuanYi faces round to 6, which makes the hotkey box 91 pixels wide, enough
# for Wine's key names ("Control + Alt + A", 90 pixels; 81 in a 77-pixel box
# before).
font="Noto Serif CJK SC"
stamp="$WINEPREFIX/.dock-ready"
if [ "$(cat "$stamp" 2>/dev/null)" = "$font" ]; then exit 0; fi

# A prefix made without a display remembers that it has none: its first
# windows never reach the screen. Make it on a display, a virtual one if need be.
if [ -z "${DISPLAY:-}" ]; then
    start_virtual_display
    trap 'kill "$DOCK_XVFB_PID" 2>/dev/null || true' EXIT
fi
[ -f "$WINEPREFIX/system.reg" ] || wine_run wineboot -i >/dev/null 2>&1
reg="$DOCK_WINE_ROOT/fonts.reg"
printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"宋体"="%s"\r\n"SimSun"="%s"\r\n"MS Sans Serif"="%s"\r\n\r\n' \
    "$font" "$font" "$font" | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg"
wine_run regedit "$(winepath -w "$reg" 2>/dev/null || echo "$reg")" >/dev/null 2>&1
wine_run reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wineserver -w
if ! wine_run reg query 'HKCU\Software\Wine\Fonts\Replacements' 2>/dev/null | grep -q "$font"; then
    echo "wine-setup: the font replacement did not reach the registry" >&2
    exit 1
fi
echo "$font" >"$stamp"
