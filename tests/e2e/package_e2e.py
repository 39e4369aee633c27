#!/usr/bin/env python3
"""The release zip, and its dock.exe started under Wine from an unpacked copy.

    package_e2e.py ZIP WORK_DIR

The zip holds exactly dock.exe, README.txt and LICENSE, the README in UTF-8
with a byte order mark and CR LF line ends, and dock.exe carries the version
in the zip's name. WORK_DIR gets the unpacked files and the config.ini that
run.sh writes for a first run: the dock shows its window with those items
and keeps every one of them when it saves on closing.
"""

import os
import re
import shutil
import subprocess
import sys
import zipfile

import dock_e2e as e2e
from dock_e2e import check

SCRIPTS = os.path.join(e2e.SOURCE, "scripts")


def main(argv):
    zip_path, work = argv[1], os.path.abspath(argv[2])
    version = re.fullmatch(r"dock-(\d+\.\d+\.\d+)-win64\.zip", os.path.basename(zip_path))
    check(version is not None, "the zip's name carries a version: %s" % zip_path)
    version = version.group(1) if version else ""
    with zipfile.ZipFile(zip_path) as archive:
        names = sorted(archive.namelist())
        check(names == ["LICENSE", "README.txt", "dock.exe"], "the zip holds exactly: %s" % names)
        readme = archive.read("README.txt")
        exe = archive.read("dock.exe")
        shutil.rmtree(work, ignore_errors=True)
        archive.extractall(work)
    check(readme.startswith(b"\xef\xbb\xbf") and "Dock %s" % version in readme.decode("utf-8-sig"),
          "README.txt is UTF-8 with a byte order mark and names the version")
    check(readme.count(b"\n") > 0 and readme.count(b"\n") == readme.count(b"\r\n"),
          "README.txt ends every line with CR LF")
    check(("ProductVersion\0%s.0\0" % version).encode("utf-16-le") in exe,
          "dock.exe's version resource says %s.0" % version)

    subprocess.run([os.path.join(SCRIPTS, "first-run-config.sh"), work], check=True)
    with open(os.path.join(work, "config.ini"), "rb") as f:
        written = f.read().decode("gbk")
    items = re.findall(r'可执行文件路径_\d+="[^"]*"', written)
    check(len(items) >= 5, "the first config.ini lists Wine's programs: %d" % len(items))

    dock, window = e2e.start_dock(work, what="the dock.exe from the zip shows its window")
    if window is None:
        return 1
    check(e2e.close_dock(dock, window), "Escape closes it")
    with open(os.path.join(work, "config.ini"), "rb") as f:
        saved = f.read().decode("gbk")
    check("图标数=%d" % len(items) in saved and all(item in saved for item in items),
          "the saved config.ini keeps every item")

    print("%d failure(s)" % len(e2e.FAILURES))
    return 1 if e2e.FAILURES else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
