#!/usr/bin/env python3
# Lays out the tunnel game's 72 levels into the level sources 1.txt .. 9.txt (8 levels a file)
# that the asset builder checks and packs; run it again after changing a rule:
#     python3 data/tnx/levels/design.py
#
# The game's rules that shape a level: monsters come in at the top-right cell and, until they
# turn into eaters, walk only along tunnels, while the player digs through earth as fast as he
# walks. So the tunnels are the monsters' roads, and every level is made of three layers, each
# growing with the level's stage t (0 at level 1, 1 at level 72):
#   - Plan: one figure (a hook, a comb, a ring, a ladder ...) of straight one-cell corridors
#     leaving the entrance, sized so that its length follows the stage: a short road kept far
#     from the player at first, a network spread over the field and down towards him at last.
#     The start (column 7, row 9) is a small pocket of its own, never joined to the roads.
#   - Crystals in rooms (blocks, crosses, seams, hollow squares) set in the earth between the
#     corridors, at a distance from the start that grows with the stage; early rooms keep a
#     cell of earth from the roads, late ones lie along them.
#   - Bags: over a corridor with one cell of earth or crystal between (digging under one drops
#     it into the tunnel, onto whatever walks there), on top of crystal rooms (digging the
#     crystals brings them down), and loose in the earth for their gold; more of each, and more
#     over corridors, as the stage grows. No bag rests on a tunnel (it would fall at once) or
#     walls a crystal in, as the asset builder demands.
# Ties are broken by a generator seeded with the level number, so the output is stable.
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))
COLUMNS, ROWS = 15, 10
LEVELS, PER_FILE = 72, 8
START = (7, 9)
MAX_BAGS = 15


def stage(level):
    return (level - 1) / (LEVELS - 1)


def manhattan(a, b):
    return abs(a[0] - b[0]) + abs(a[1] - b[1])


def neighbours(cell):
    c, r = cell
    for n in ((c + 1, r), (c - 1, r), (c, r + 1), (c, r - 1)):
        if 0 <= n[0] < COLUMNS and 0 <= n[1] < ROWS:
            yield n


# Corridors: cells of a gallery (a row from c0 to c1) and of a shaft (a column from r0 to r1).
def gallery(r, c0, c1):
    return {(c, r) for c in range(min(c0, c1), max(c0, c1) + 1)}


def shaft(c, r0, r1):
    return {(c, r) for r in range(min(r0, r1), max(r0, r1) + 1)}


def union(*parts):
    cells = set()
    for part in parts:
        cells |= part
    return cells


# Figures. Each yields every plan of its kind; the level then takes the one that fits it best.
def hooks():
    # Down the right edge, then a gallery to the left.
    for b in range(1, 8):
        for a in range(1, 12):
            yield union(shaft(14, 0, b), gallery(b, a, 14))


def bends():
    # Along the top, down a shaft, and back along a lower gallery.
    for a in range(2, 12):
        for b in range(3, 8):
            for c in range(0, 14):
                if abs(c - a) >= 2:
                    yield union(gallery(0, a, 14), shaft(a, 0, b), gallery(b, a, c))


def combs():
    # A gallery with teeth hanging from it, every third or fourth column.
    for r0 in (0, 2, 3):
        for a in range(0, 11):
            for gap in (3, 4):
                for depth in range(2, 6):
                    if r0 + depth > 8:
                        continue
                    teeth = [shaft(x, r0, r0 + depth - (i % 2)) for i, x in enumerate(range(a, 13, gap))]
                    yield union(shaft(14, 0, r0), gallery(r0, a, 14), *teeth)


def stairs():
    # Steps down and to the left from the entrance.
    for steps in (2, 3):
        for width in (2, 3, 4):
            for drop in (2, 3):
                cells, c, r = set(), 14, 0
                for _ in range(steps):
                    cells |= gallery(r, c - width, c) | shaft(c - width, r, r + drop)
                    c, r = c - width, r + drop
                for tail in range(0, c + 1):
                    yield cells | gallery(r, tail, c)


def trees():
    # A trunk down the right edge with branches to the left, long and short in turn.
    for first in (1, 2, 3):
        for bottom in range(first + 3, 8):
            for long in range(4, 14):
                for short in range(2, long):
                    branches = [gallery(r, 14 - (long if i % 2 == 0 else short), 14)
                                for i, r in enumerate(range(first, bottom + 1, 3))]
                    yield union(shaft(14, 0, bottom), *branches)


def rings():
    # A loop hanging from the entrance's gallery: monsters can circle it.
    for top in (0, 2, 3):
        for a in range(0, 10):
            for c in range(a + 3, 13):
                for b in range(top + 3, 8):
                    yield union(shaft(14, 0, top), gallery(top, a, 14), shaft(a, top, b), shaft(c, top, b),
                                gallery(b, a, c))


def snakes():
    # One corridor winding down the field, turning at every third row.
    for first in (0, 1):
        for a in range(0, 10):
            for c in range(a + 3, 14):
                for d in range(0, c - 2):
                    rows = (first, first + 3, first + 6)
                    cells = union(shaft(14, 0, first), gallery(rows[0], a, 14), shaft(a, rows[0], rows[1]),
                                  gallery(rows[1], a, c))
                    yield cells
                    yield cells | shaft(c, rows[1], rows[2]) | gallery(rows[2], d, c)


def ladders():
    # Two uprights, the right edge and another column, with rungs between them.
    for a in range(1, 11):
        for top in (0, 1, 2):
            for bottom in range(top + 4, 8):
                for gap in (2, 3):
                    rungs = [gallery(r, a, 14) for r in range(top, bottom + 1, gap)]
                    if (bottom - top) % gap == 0:
                        yield union(shaft(14, 0, bottom), shaft(a, top, bottom), *rungs)


def frames():
    # A frame round part of the field, its middle crossed by a bar or left open.
    for a in range(0, 9):
        for b in range(4, 8):
            outline = union(gallery(0, a, 14), shaft(a, 0, b), shaft(14, 0, b), gallery(b, a, 14))
            yield outline
            for m in range(a + 3, 12):
                yield outline | shaft(m, 0, b)
            for m in range(2, b - 1):
                yield outline | gallery(m, a, 14)


# A figure joins the turn once its stage is reached (loops and ladders only after the player
# has met the simple roads) and leaves it when it can no longer be drawn to the stage's length.
FIGURES = [
    (0.0, hooks), (0.0, bends), (0.0, combs), (0.0, stairs), (0.1, trees),
    (0.25, rings), (0.25, snakes), (0.4, ladders), (0.5, frames),
]

LONGEST = {figure: max(len(roads) for roads in figure()) for _, figure in FIGURES}

# The start pocket: the start cell, alone or with a cell or two of tunnel beside or above it.
POCKETS = [
    gallery(9, 6, 8), {START}, gallery(9, 7, 8), shaft(7, 8, 9), gallery(9, 6, 7), gallery(9, 5, 9),
    gallery(9, 5, 7), gallery(9, 7, 9),
]


def corridors_one_wide(cells):
    return not any({(c, r), (c + 1, r), (c, r + 1), (c + 1, r + 1)} <= cells for c, r in cells)


def gap(a, b):
    return min(manhattan(x, y) for x in a for y in b)


def tunnel_target(t):
    return 11 + 28 * t


def approach_target(t):
    # How near the roads come to the start: far off at first, two cells at last.
    return 8 - 6 * t


def hangers(roads):
    # Corridor cells a bag can hang over: two cells of earth above them.
    return [(c, r) for c, r in roads if r >= 2 and (c, r - 1) not in roads and (c, r - 2) not in roads]


def far_earth(roads, t):
    # Earth where the stage's crystal rooms can lie.
    return [(c, r) for r in range(ROWS) for c in range(COLUMNS)
            if (c, r) not in roads and manhattan((c, r), START) >= distance_target(t)]


def trap_target(t):
    return round(1 + 7 * t)


def choose_plan(level, rng, earlier):
    t = stage(level)
    figures = [figure for since, figure in FIGURES if since <= t and LONGEST[figure] >= tunnel_target(t) - 4]
    figure = figures[(level - 1) % len(figures)]
    pocket = POCKETS[(level - 1) % len(POCKETS)]
    recent = earlier[-PER_FILE:]
    best = None
    for roads in figure():
        if not corridors_one_wide(roads) or gap(roads, pocket) < 3 or roads in earlier:
            continue
        # A plan should not repeat most of one the player has just met.
        alike = max(0, 12 - min((len(roads ^ other) for other in recent), default=12))
        no_traps = max(0, 2 * trap_target(t) - len(hangers(roads)))
        no_rooms = max(0, 2 * crystal_target(t) - len(far_earth(roads, t)))
        score = (abs(len(roads | pocket) - tunnel_target(t)) + abs(gap(roads, {START}) - approach_target(t))
                 + 0.5 * alike + no_traps + 0.3 * no_rooms + rng.random())
        if best is None or score < best[0]:
            best = (score, roads)
    return best[1], pocket


# As the game builds its masks, a tunnel cell joins its neighbours when its letter runs their way:
# 'H' along the row, 'V' along the column, 'S' (a crossing) both ways.
def letters(cells):
    grid = [["."] * COLUMNS for _ in range(ROWS)]
    for c, r in cells:
        across = (c - 1, r) in cells or (c + 1, r) in cells
        along = (c, r - 1) in cells or (c, r + 1) in cells
        grid[r][c] = "S" if across == along else ("H" if across else "V")
    return grid


def tunnel(cell_letter):
    return cell_letter in "VHS"


ROOMS = [
    [(0, 0), (1, 0), (0, 1), (1, 1)],  # a block
    [(0, 0), (1, 0), (2, 0), (0, 1), (1, 1), (2, 1)],  # a wide block
    [(0, 0), (1, 0), (0, 1), (1, 1), (0, 2), (1, 2)],  # a tall block
    [(1, 0), (0, 1), (1, 1), (2, 1), (1, 2)],  # a cross
    [(0, 0), (1, 0), (2, 0), (3, 0)],  # a seam
    [(0, 0), (0, 1), (0, 2), (1, 2), (2, 2)],  # a corner
    [(0, 0), (1, 0), (2, 0), (0, 1), (2, 1), (0, 2), (1, 2), (2, 2)],  # a hollow square
    [(0, 0), (1, 0), (1, 1), (2, 1), (2, 2)],  # a stair
]


def crystal_target(t):
    return round(8 + 8 * t)


def distance_target(t):
    return 3 + 6.5 * t


def room_count(t):
    return 2 if t < 0.3 else 3 if t < 0.7 else 4


def shapes_for(level, n, wanted):
    # The shapes take turns from level to level; the one nearest the wanted size comes first,
    # the others follow for a field with no room left for it.
    first = (level - 1 + n) % len(ROOMS)
    turn = ROOMS[first:] + ROOMS[:first]
    return sorted(turn, key=lambda room: abs(len(room) - wanted))


def room_places(grid, shape, roads, pocket, taken, t):
    for r in range(ROWS):
        for c in range(COLUMNS):
            cells = [(c + dc, r + dr) for dc, dr in shape]
            if any(not (x < COLUMNS and y < ROWS) or grid[y][x] != "." for x, y in cells):
                continue
            if any(x >= 13 and y <= 1 for x, y in cells):
                continue
            if any((x + ax, y + ay) in taken for x, y in cells for ax in (-1, 0, 1) for ay in (-1, 0, 1)):
                continue
            around = {n for cell in cells for n in neighbours(cell)}
            along = bool(around & roads)
            if around & pocket or (along and t < 0.35):
                continue
            yield cells, along


def place_rooms(grid, roads, pocket, level, rng):
    t = stage(level)
    taken, count, left = set(), room_count(t), crystal_target(t)
    for n in range(count):
        for shape in shapes_for(level, n, left / (count - n)):
            best = None
            for cells, along in room_places(grid, shape, roads, pocket, taken, t):
                mean = sum(manhattan(cell, START) for cell in cells) / len(cells)
                # Short of the wanted distance weighs more than beyond it.
                short = distance_target(t) - mean
                # A room should leave the corridors' bag spots free.
                spots = sum(1 for c, r in cells if (c, r + 2) in roads and (c, r + 1) not in roads)
                score = ((short if short > 0 else -short / 3) - (0.5 if along and t >= 0.5 else 0) + 0.3 * spots
                         + rng.random())
                if best is None or score < best[0]:
                    best = (score, cells)
            if best:
                break
        for x, y in best[1]:
            grid[y][x] = "C"
            taken.add((x, y))
        left -= len(best[1])


def reachable(grid):
    seen, todo = {START}, [START]
    while todo:
        for n in neighbours(todo.pop()):
            if n not in seen and grid[n[1]][n[0]] != "B":
                seen.add(n)
                todo.append(n)
    return all((c, r) in seen for r in range(ROWS) for c in range(COLUMNS) if grid[r][c] == "C")


def bag_fits(grid, c, r):
    if grid[r][c] != "." or (c >= 13 and r <= 1) or manhattan((c, r), START) < 3:
        return False
    if r + 1 < ROWS and tunnel(grid[r + 1][c]):
        return False
    around = [(c - 1, r), (c + 1, r), (c, r - 1), (c, r + 1)]
    return not any(0 <= x < COLUMNS and 0 <= y < ROWS and grid[y][x] == "B" for x, y in around)


def over_corridor(grid, c, r):
    return r + 2 < ROWS and grid[r + 1][c] in ".C" and tunnel(grid[r + 2][c])


def bag_spots(grid, rng):
    traps, caps, loose = [], [], []
    for r in range(ROWS):
        for c in range(COLUMNS):
            if over_corridor(grid, c, r):
                traps.append((c, r))
            elif r + 1 < ROWS and grid[r + 1][c] == "C":
                caps.append((c, r))
            else:
                loose.append((c, r))
    for spots in (traps, caps, loose):
        rng.shuffle(spots)
    return traps, caps, loose


def place_bags(grid, level, rng):
    t = stage(level)
    total = min(MAX_BAGS, round(2 + 10 * t))
    traps, caps, loose = bag_spots(grid, rng)
    wanted = [(traps, trap_target(t)), (caps, round(3 * t)), (loose, total)]
    placed = 0
    for spots, count in wanted:
        put = 0
        for c, r in spots:
            if put >= count or placed >= total:
                break
            if not bag_fits(grid, c, r):
                continue
            grid[r][c] = "B"
            if reachable(grid):
                put += 1
                placed += 1
            else:
                grid[r][c] = "."


def design(level, earlier):
    rng = random.Random(level * 7919)
    roads, pocket = choose_plan(level, rng, earlier)
    earlier.append(roads)
    grid = letters(roads | pocket)
    place_rooms(grid, roads, pocket, level, rng)
    place_bags(grid, level, rng)
    return ["".join(row) for row in grid]


def main():
    earlier = []
    levels = [design(level, earlier) for level in range(1, LEVELS + 1)]
    for number in range(1, LEVELS // PER_FILE + 1):
        blocks = ["\r\n".join(rows) for rows in levels[(number - 1) * PER_FILE:number * PER_FILE]]
        with open(os.path.join(HERE, f"{number}.txt"), "wb") as f:
            f.write(("\r\n\r\n".join(blocks) + "\r\n").encode("ascii"))


if __name__ == "__main__":
    main()
