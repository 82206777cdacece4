"""Tanks: how the 20 stages of data/tanks/maps/stages.txt grow, per band of five stages.
A tank crosses every tile but water, steel and the base, shooting houses and crates away (the
asset builder's reach rules). A chokepoint is a tile whose blocking cuts an enemy start off the
base; the shortest way is the fewest tiles from the nearest enemy start to beside the base; the
mirror share is, of the tiles that hold a house, crate, steel, water or trees, the share whose
left-right mirror holds the same. Bottom rows are compared
without their ground, so that a stage told apart only by its grass counts as the same."""
import os

BANDS = [(1, 5), (6, 10), (11, 15), (16, 20)]
BRICK, STEEL, WATER, COVER = "hHx", "S", "~", "*"
FEATURES = BRICK + STEEL + WATER + COVER


def read_stages(data_dir):
    stages, rows = {}, None
    with open(os.path.join(data_dir, "tanks", "maps", "stages.txt"), encoding="ascii") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#") or line.startswith("types"):
                continue
            if line.startswith("stage "):
                rows = stages.setdefault(int(line.split()[1]), [])
            else:
                rows.append(line)
    return stages


def tiles(rows, letters):
    return [(c, r) for r, row in enumerate(rows) for c, ch in enumerate(row) if ch in letters]


def steps(rows, at):
    c, r = at
    for n in ((c + 1, r), (c - 1, r), (c, r + 1), (c, r - 1)):
        if 0 <= n[1] < len(rows) and 0 <= n[0] < len(rows[0]) and rows[n[1]][n[0]] not in "~SB":
            yield n


def distances(rows, base, blocked=None):
    """Tiles from beside the base to every tile a tank gets to from there."""
    beside = [n for n in steps(rows, base) if n != blocked]
    far = {n: 1 for n in beside}
    todo = list(beside)
    for at in todo:
        for n in steps(rows, at):
            if n not in far and n != blocked:
                far[n] = far[at] + 1
                todo.append(n)
    return far


def chokepoints(rows):
    base, starts = tiles(rows, "B")[0], tiles(rows, "E")
    ways = distances(rows, base)
    return sum(1 for cell in ways if cell not in starts
               and not all(s in distances(rows, base, cell) for s in starts))


def shortest_way(rows):
    ways = distances(rows, tiles(rows, "B")[0])
    return min(ways[s] for s in tiles(rows, "E"))


def share(rows, letters):
    return len(tiles(rows, letters)) / (len(rows) * len(rows[0]))


def mirror_share(rows):
    pairs = [(a, b) for row in rows for a, b in zip(row, reversed(row)) if a in FEATURES]
    return sum(a == b for a, b in pairs) / len(pairs)


def mean(f, band):
    return sum(f(rows) for rows in band) / len(band)


def measure(data_dir):
    stages = read_stages(data_dir)
    plain = str.maketrans(",:-;", "....")
    bottoms = {tuple(row.translate(plain) for row in rows[-2:]) for rows in stages.values()}
    bands = []
    for first, last in BANDS:
        band = [stages[n] for n in range(first, last + 1)]
        bands.append("%d-%d %.0f/%.0f/%.0f/%.0f%% %.1f %.1f %.0f%%" % (
            first, last, *(100 * mean(lambda r, l=letters: share(r, l), band) for letters in (BRICK, STEEL, WATER, COVER)),
            mean(chokepoints, band), mean(shortest_way, band), 100 * mean(mirror_share, band)))
    return ("%d stages, %d distinct bottom two rows (ground aside); per band, mean brick/steel/water/cover share, "
            "chokepoints, shortest enemy way to the base (tiles), mirror share: %s"
            % (len(stages), len(bottoms), ", ".join(bands)))
