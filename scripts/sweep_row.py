#!/usr/bin/env python3
"""Where a dock drew itself on an otherwise bare screen: the bounding box of
the pixels of a screenshot (raw RGB, as `import rgb:` writes) that differ
from the background, the colour of its top left pixel.

    sweep_row.py SHOT.rgb WIDTH

Prints "LEFT TOP RIGHT BOTTOM" (inclusive), nothing when the screen is bare.
"""

import sys


def main():
    shot = open(sys.argv[1], "rb").read()
    stride = int(sys.argv[2]) * 3
    background = shot[0:3]
    bare = background * (stride // 3)
    left, top, right, bottom = None, None, -1, -1
    for y in range(len(shot) // stride):
        line = shot[y * stride:(y + 1) * stride]
        if line == bare:
            continue
        first = next(x for x in range(0, stride, 3) if line[x:x + 3] != background) // 3
        last = next(x for x in range(stride - 3, -1, -3) if line[x:x + 3] != background) // 3
        left = first if left is None else min(left, first)
        right = max(right, last)
        top = y if top is None else top
        bottom = y
    if top is not None:
        print(left, top, right, bottom)


if __name__ == "__main__":
    main()
