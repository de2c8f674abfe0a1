#!/usr/bin/python3
"""Road-crossing board background, 723 x 402, drawn pixel by pixel.

Rows (0-based):   0- 50 goal band (purple with red/blue dots)
                 51- 57 dark purple stripe
                 58-346 the road (black)
                347-353 dark purple stripe
                354-401 start band (purple with red/blue dots)
A black notch sits in the goal band at columns 326-369, rows 2-43.
Usage: board.py OUT.png
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from pngwrite import write_rgb  # noqa: E402

W, H = 723, 402
PURPLE = (151, 0, 222)
STRIPE = (113, 0, 185)
BLACK = (0, 0, 0)
RED = (255, 48, 64)
BLUE = (40, 120, 255)
NOTCH = (326, 369, 2, 43)          # x0, x1, y0, y1 inclusive
NOTCH_MARGIN = 3                   # keep dots this far from the notch
DOT = 3                            # dot size in pixels
STEP_X, STEP_Y = 18, 12


def band_colour(y):
    if y <= 50 or y >= 354:
        return PURPLE
    if y <= 57 or y >= 347:
        return STRIPE
    return BLACK


def main(out):
    rows = []
    for y in range(H):
        rows.append(bytearray(bytes(band_colour(y)) * W))

    def put(x, y, c):
        rows[y][3 * x:3 * x + 3] = bytes(c)

    # notch
    x0, x1, y0, y1 = NOTCH
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            put(x, y, BLACK)

    # dots: a staggered grid, alternating red and blue
    def dots(top, bottom):
        for j, y in enumerate(range(top, bottom - DOT + 2, STEP_Y)):
            shift = (STEP_X // 2) if j % 2 else 0
            for i, x in enumerate(range(4 + shift, W - DOT, STEP_X)):
                if (x + DOT - 1 >= x0 - NOTCH_MARGIN and x <= x1 + NOTCH_MARGIN
                        and y + DOT - 1 >= y0 - NOTCH_MARGIN and y <= y1 + NOTCH_MARGIN):
                    continue
                c = RED if (i + j) % 2 == 0 else BLUE
                for dy in range(DOT):
                    for dx in range(DOT):
                        put(x + dx, y + dy, c)

    dots(5, 46)      # goal band rows 0-50
    dots(359, 397)   # start band rows 354-401
    write_rgb(out, W, H, rows)


if __name__ == "__main__":
    main(sys.argv[1])
