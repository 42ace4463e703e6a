#!/usr/bin/env python3
"""Writes the game's level, game/data/map.csv: 50 rows of 300 comma-separated cell codes.

Codes: 0 empty, 1 dirt, 2 vertical border, 3 horizontal border. The hero starts at (7, 14)
and wins at (293, 14). Run from anywhere: python3 tools/make_map.py

Geometry that the design relies on (the hero is 1 cell wide and 2 high):
- a tunnel or passage must be 3 rows high for the hero to move through it;
- a jump rises about 5 cells; a standing jump against a wall climbs only 1 cell, and 2 to 5
  cells need a running start; 6 or more need digging or building;
- rows 1 to 7 stay free everywhere: monsters arrive at row 3.
"""
import os

WIDTH, HEIGHT = 300, 50
EMPTY, DIRT, VERT, HOR = 0, 1, 2, 3

grid = [[EMPTY] * WIDTH for _ in range(HEIGHT)]


def ground(x0, x1, top):
    """Solid earth in columns x0..x1 from row `top` down to the bottom."""
    for x in range(x0, x1 + 1):
        for y in range(top, HEIGHT - 1):
            grid[y][x] = DIRT


def clear(x0, x1, y0, y1):
    for x in range(x0, x1 + 1):
        for y in range(y0, y1 + 1):
            grid[y][x] = EMPTY


def fill(x0, x1, y0, y1):
    for x in range(x0, x1 + 1):
        for y in range(y0, y1 + 1):
            grid[y][x] = DIRT


pits = []


def pit(x0, x1):
    """A bottomless hole: nothing from the surface through the bottom edge of the world."""
    clear(x0, x1, 0, HEIGHT - 1)
    pits.append((x0, x1))


# Start: flat ground under the hero at (7, 14).
ground(1, 24, 16)
# Three one-cell steps up, a small top, and down again.
ground(25, 27, 15)
ground(28, 31, 14)
ground(32, 36, 13)
ground(37, 40, 14)
ground(41, 44, 16)
# A short bottomless pit: jump it or walk straight over it.
pit(45, 48)
ground(49, 62, 16)
# A high hill (too high to jump) with a tunnel through it; two dirt plugs to dig away.
ground(63, 80, 9)
clear(63, 80, 13, 15)
fill(68, 69, 13, 15)
fill(75, 75, 13, 15)
ground(81, 95, 16)
# A wall four cells high: a running jump clears it.
ground(96, 110, 12)
# Down to a lower plain.
ground(111, 125, 18)
pit(126, 131)
ground(132, 150, 18)
# A staircase of one-cell steps.
ground(151, 151, 17)
ground(152, 152, 16)
ground(153, 153, 15)
ground(154, 170, 14)
# A cliff six cells high with steps up to it; the last step is missing: the player builds it
# (left click on the empty cell (170, 9)), digs through the cliff, or tries a running jump.
ground(171, 185, 8)
fill(165, 165, 13, 13)
fill(166, 166, 12, 13)
fill(167, 167, 11, 13)
fill(168, 170, 10, 13)
# Down the far side of the cliff in steps.
ground(186, 187, 10)
ground(188, 189, 12)
ground(190, 191, 14)
ground(192, 204, 16)
# A thin dirt wall, eight cells high: dig through it.
ground(205, 206, 8)
ground(207, 211, 16)
pit(212, 214)
ground(215, 221, 16)
pit(222, 224)
# Bumps.
ground(225, 232, 16)
ground(233, 236, 14)
ground(237, 240, 12)
ground(241, 244, 14)
ground(245, 252, 16)
# A wide pit with a floating ledge in the middle.
pit(253, 264)
fill(257, 260, 14, 14)
# The run-up to the goal at (293, 14).
ground(265, 298, 16)

# Borders at the edges of the world; the bottom one is open under the pits.
for x in range(WIDTH):
    grid[0][x] = HOR
    grid[HEIGHT - 1][x] = HOR
for y in range(1, HEIGHT - 1):
    grid[y][0] = VERT
    grid[y][WIDTH - 1] = VERT
for x0, x1 in pits:
    for x in range(x0, x1 + 1):
        grid[HEIGHT - 1][x] = EMPTY

# What the game depends on.
assert all(grid[y][x] == EMPTY for x in range(6, 9) for y in range(12, 16)), "start not free"
assert grid[16][7] == DIRT, "no ground under the start"
assert all(grid[y][x] == EMPTY for x in range(1, WIDTH - 1) for y in range(1, 8)), "sky not free"
assert all(grid[y][x] == EMPTY for x in range(290, 296) for y in range(11, 16)), "goal blocked"

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
with open(os.path.join(root, "game", "data", "map.csv"), "w", newline="\n") as out:
    for row in grid:
        out.write(",".join(str(v) for v in row) + "\n")
