#!/usr/bin/env bash
# Writes a config.ini that lists a handful of Wine's own programs, so that a
# first run shows the dock at work instead of an empty strip:
#
#   scripts/first-run-config.sh FOLDER
#
# The file is what the dock itself writes: its template, word for word, in
# GBK with CR LF, the window position left to the dock, then the items. Only
# programs that exist in the private Wine prefix are listed.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
folder="$1"

# Title and path of each program, as Wine installs them: those that carry
# an icon (Wine's explorer.exe and wineconsole.exe have none).
programs=(
    "记事本" 'C:\windows\notepad.exe'
    "写字板" 'C:\Program Files\Windows NT\Accessories\wordpad.exe'
    "命令提示符" 'C:\windows\system32\cmd.exe'
    "文件管理器" 'C:\windows\system32\winefile.exe'
    "注册表编辑器" 'C:\windows\regedit.exe'
    "任务管理器" 'C:\windows\system32\taskmgr.exe'
    "扫雷" 'C:\windows\system32\winemine.exe'
    "Wine 设置" 'C:\windows\system32\winecfg.exe'
)

items=""
count=0
for ((i = 0; i < ${#programs[@]}; i += 2)); do
    title="${programs[i]}"
    path="${programs[i + 1]}"
    unix="$WINEPREFIX/drive_c/$(printf '%s' "${path#C:\\}" | tr '\\' /)"
    [ -f "$unix" ] || continue
    count=$((count + 1))
    items+="显示名_$count=\"$title\"
快捷键_$count=\"0\"
可执行文件路径_$count=\"$path\"
自定义图标路径_$count=\"\"
"
done

# The template as the dock writes it, its last line taking the count. The
# here-document ends in a blank line after the items: drop it.
{
    cat <<EOF
[程序设置]

# 鼠标指针接近时图标是否自动吸附.
# 非零表示开启此项. 默认为零 不开启.

自动吸附=0


# 图标跟随鼠标指针上下浮动.
# 最大浮动距离, 默认为 48.
浮动距离=48

# 浮动方向, 0 表示只向上跟随, 1 表示上下跟随. 默认为 1.
浮动方向=1


# 左键双击运行同一个项目时的冷却时间.
# 以毫秒为单位. 1000ms = 1s
# 默认 1000 不可小于 1000.

双击冷却时间=1000


# 选中图标托盘图片.支持相对路径与绝对路径.
# 默认 res\\1.png

选中托盘=res\\1.png


# 是否开启高质量模式.
# 非零表示开启此项. 默认为零 不开启.

高质量=0


# 是否开启图标倒影.
# 非零表示开启此项. 默认为零 不开启.

倒影=0


# 上次关闭时记录的程序位置.
# 程序自动记录

左边=
顶边=

锁定=0
总在最前=1


[图标列表]

# 可在此为可执行文件指定自定义图标. 自定义图标优先于可执行文件内置的图标.

图标数=$count
$items
EOF
} | sed -e '$ { /^$/d }' -e 's/$/\r/' | iconv -f UTF-8 -t GBK >"$folder/config.ini"
