#!/usr/bin/env python3
# Lays out the tunnel game's 72 levels into the nine level sources 1.txt .. 9.txt (8 levels
# each) that the asset builder checks and packs; run it again after changing the plans:
#     python3 data/tnx/levels/design.py
#
# Each file has its own tunnel plan, from long open corridors in the first file to a bare
# entrance and start cell in the last. On the plan every level places its crystal groups and
# gold bags by the rules of its stage:
#   - the groups move away from the start (column 7, row 9) as the levels go on, and the last
#     ones sit in the top corners, as far as the monsters' entrance and back;
#   - there are more bags the further in, first loose in the earth, then on top of the crystal
#     groups (digging out the crystals brings them down), and from the fourth file on also two
#     rows above the monsters' corridors, where a bag dug free drops onto them;
#   - no bag rests right on a tunnel (it would fall the moment the level starts) and no group
#     is walled in by bags.
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))
COLUMNS, ROWS = 15, 10
START = (7, 9)

# Tunnel plans: '-' horizontal tunnel, '|' vertical tunnel, '+' crossing, '.' earth.
PLANS = [
    # 1: a ring round the field and a middle corridor: the monsters are always in sight.
    ["..+----------++",
     "..|..........||",
     "..|..........||",
     "..+----+.....||",
     ".......|.....||",
     ".......|.....||",
     "+------+-----++",
     "|.............|",
     "|.............|",
     "+------+------+"],
    # 2: two long galleries joined at both ends.
    ["......+-------+",
     "......|........",
     "......|........",
     "+-----+-------+",
     "|.............|",
     "|.............|",
     "|.............|",
     "+-----+.......|",
     "......|.......|",
     "......+-------+"],
    # 3: a zigzag down from the entrance.
    [".........+----+",
     ".........|.....",
     ".........|.....",
     "...+-----+.....",
     "...|...........",
     "...|...........",
     "...+-------+...",
     "...........|...",
     "...........|...",
     ".......+---+..."],
    # 4: a comb: three teeth hanging from the top gallery.
    ["+----+----+---+",
     "|....|....|....",
     "|....|....|....",
     "|....|....|....",
     "+....+....+....",
     "...............",
     "...............",
     "...............",
     "...............",
     ".......+......."],
    # 5: a staircase in the right half.
    ["...........+--+",
     "...........|...",
     "........+--+...",
     "........|......",
     ".....+--+......",
     ".....|.........",
     ".....+.........",
     "...............",
     "...............",
     "......-+-......"],
    # 6: one deep shaft down the right side.
    ["..............+",
     "..............|",
     "..............|",
     "..............|",
     "..............|",
     "..............|",
     "..........+---+",
     "...............",
     "...............",
     ".......+......."],
    # 7: a short top gallery and a short bottom one.
    ["........+-----+",
     "...............",
     "...............",
     "...............",
     "...............",
     "...............",
     "...............",
     "...............",
     "...............",
     "....+--+--+...."],
    # 8: a stub at the entrance and a stub at the start.
    [".........+----+",
     "...............",
     "...............",
     "...............",
     "...............",
     "...............",
     "...............",
     "...............",
     "...............",
     "......-+-......"],
    # 9: nothing but the entrance and the start.
    ["............-++",
     "...............",
     "...............",
     "...............",
     "...............",
     "...............",
     "...............",
     "...............",
     "...............",
     ".......+......."],
]

# Crystal groups, as (column, row) offsets.
GROUPS = [
    [(0, 0), (1, 0), (2, 0), (0, 1), (1, 1), (2, 1)],  # a block of six
    [(0, 0), (1, 0), (0, 1), (1, 1), (0, 2), (1, 2)],  # a standing block
    [(1, 0), (0, 1), (1, 1), (2, 1), (1, 2)],  # a cross
    [(0, 0), (1, 0), (2, 0), (3, 0)],  # a seam
    [(0, 0), (0, 1), (0, 2), (1, 2)],  # a hook
    [(0, 0), (1, 0), (1, 1), (2, 1)],  # a step
]


def tunnel_letter(mark):
    return {"-": "H", "|": "V", "+": "S"}.get(mark, ".")


def distance(cell):
    return abs(cell[0] - START[0]) + abs(cell[1] - START[1])


def stage(level):
    # 0 at level 1, 1 at level 72.
    return (level - 1) / 71.0


def reachable(grid):
    seen = {START}
    todo = [START]
    while todo:
        c, r = todo.pop()
        for nc, nr in ((c + 1, r), (c - 1, r), (c, r + 1), (c, r - 1)):
            if 0 <= nc < COLUMNS and 0 <= nr < ROWS and (nc, nr) not in seen and grid[nr][nc] != "B":
                seen.add((nc, nr))
                todo.append((nc, nr))
    return all((c, r) in seen for r in range(ROWS) for c in range(COLUMNS) if grid[r][c] == "C")


def place_groups(grid, level, rng):
    count = 3 + (level - 1) % 3
    # Where the groups are wanted: near the start at first, far off at last.
    target = 2 + stage(level) * 13
    taken = set()
    for n in range(count):
        shape = GROUPS[(level + n) % len(GROUPS)]
        best = None
        for r in range(ROWS):
            for c in range(COLUMNS):
                cells = [(c + dc, r + dr) for dc, dr in shape]
                if any(not (0 <= x < COLUMNS and 0 <= y < ROWS) for x, y in cells):
                    continue
                if any(grid[y][x] != "." for x, y in cells):
                    continue
                # A group keeps a cell of earth round it and off the entrance.
                if any((x + ax, y + ay) in taken for x, y in cells for ax in (-1, 0, 1) for ay in (-1, 0, 1)):
                    continue
                if any(x >= 13 and y <= 1 for x, y in cells):
                    continue
                mean = sum(distance(cell) for cell in cells) / len(cells)
                score = abs(mean - target) + rng.random() * 2.5
                if best is None or score < best[0]:
                    best = (score, cells)
        if best is None:
            continue
        for x, y in best[1]:
            grid[y][x] = "C"
            taken.add((x, y))


def bag_spots(grid, level, rng):
    tops, traps, loose = [], [], []
    for r in range(ROWS - 1):
        for c in range(COLUMNS):
            if grid[r][c] != "." or (c >= 13 and r <= 1):
                continue
            below = grid[r + 1][c]
            if below in "HVS":
                continue
            if below == "C":
                tops.append((c, r))
            elif r + 2 < ROWS and below == "." and grid[r + 2][c] == "H":
                traps.append((c, r))
            elif distance((c, r)) > 2:
                loose.append((c, r))
    for spots in (tops, traps, loose):
        rng.shuffle(spots)
    s = stage(level)
    if s < 0.2:
        order = loose + tops
    elif s < 0.4:
        order = tops + loose
    else:
        order = traps + tops + loose
    return order


def place_bags(grid, level, rng):
    wanted = min(15, 1 + level // 5)
    placed = 0
    for c, r in bag_spots(grid, level, rng):
        if placed >= wanted:
            break
        if grid[r][c] != "." or grid[r + 1][c] in "HVS" if r + 1 < ROWS else False:
            continue
        grid[r][c] = "B"
        if not reachable(grid):
            grid[r][c] = "."
            continue
        placed += 1


def design(level):
    plan = PLANS[(level - 1) // 8]
    grid = [[tunnel_letter(mark) for mark in row] for row in plan]
    rng = random.Random(level * 7919)
    place_groups(grid, level, rng)
    place_bags(grid, level, rng)
    return ["".join(row) for row in grid]


def main():
    for number in range(1, 10):
        blocks = []
        for level in range(8 * (number - 1) + 1, 8 * number + 1):
            blocks.append("\r\n".join(design(level)))
        with open(os.path.join(HERE, f"{number}.txt"), "wb") as f:
            f.write(("\r\n\r\n".join(blocks) + "\r\n").encode("ascii"))


if __name__ == "__main__":
    main()
