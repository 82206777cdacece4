"""Goldrift: how levels 13 to 75 grow. Distinct layouts (the maps without their gold, guards,
hero and exit), then per band of levels the means of the gold, the gold only digging gets at,
the guards, the ways up through a floor (ladders that cross it) per floor, and the cells.

The hero's moves are those the design script checks its levels with, the asset builder's.
Last, the penned guards of all 75 levels: those the enemies' distance field comes to from under
a quarter of the places the hero rests at. The asset builder judges them by the game's own
field (assetbuild penned), from the newest build of it in the tree, or the one
MOSSYARD_ASSETBUILD names."""
import glob
import os
import re
import subprocess

BANDS = [(13, 28), (29, 44), (45, 60), (61, 75)]


def read_map(path):
    with open(path, newline="") as f:
        lines = f.read().split("\r\n")
    width, height = int(lines[0]), int(lines[1])
    rows = lines[2:2 + height]
    assert all(len(r) == width for r in rows), path
    return rows


def ways_up(rows):
    """Ladders through a floor (a row mostly of bricks) per floor with a storey under it."""
    floors = [row for row in rows[:-1] if sum(row.count(ch) for ch in "#B~H") >= 0.6 * len(row)]
    return sum(row.count("H") for row in floors) / max(1, len(floors) - 1)


def dug_gold(rows, script):
    cells = "".join(rows)
    walked = script.gold_taken(rows, dig=False)[0]
    return sum(1 for c, ch in enumerate(cells) if ch == "$" and c not in walked)


def assetbuild():
    named = os.environ.get("MOSSYARD_ASSETBUILD")
    if named:
        return named
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
    built = glob.glob(os.path.join(root, "build*", "tools", "assetbuild"))
    return max(built, key=os.path.getmtime) if built else None


def penned(maps):
    """'level (row,column)' for each penned guard, by the asset builder."""
    tool = assetbuild()
    if not tool:
        return "not measured: no asset builder built (make build-test)"
    paths = [os.path.join(maps, "%d.txt" % n) for n in range(1, 76)]
    run = subprocess.run([tool, "penned"] + paths, capture_output=True, text=True)
    if run.returncode != 0:
        return "not measured: " + run.stderr.strip()
    found = []
    for line in run.stdout.splitlines():
        match = re.match(r".*/(\d+)\.txt: row (\d+), column (\d+): (\d+) of (\d+)$", line)
        found.append("%s (%s,%s) %s/%s" % match.groups())
    return "; ".join(found) or "none"


def mean(f, maps):
    return sum(f(rows) for rows in maps) / len(maps)


def measure(data_dir):
    maps = os.path.join(data_dir, "gdr", "maps")
    script = load_script(os.path.join(maps, "make-maps.py"), "gdr_make_maps")
    levels = {n: read_map(os.path.join(maps, "%d.txt" % n)) for n in range(13, 76)}
    layouts = {tuple(r.translate(str.maketrans("$APE", "    ")) for r in rows) for rows in levels.values()}
    bands = []
    for first, last in BANDS:
        band = [levels[n] for n in range(first, last + 1)]
        bands.append("%d-%d %.1f/%.1f/%.1f/%.1f/%d" % (
            first, last, mean(lambda r: "".join(r).count("$"), band), mean(lambda r: dug_gold(r, script), band),
            mean(lambda r: "".join(r).count("A"), band), mean(ways_up, band),
            mean(lambda r: len(r) * len(r[0]), band)))
    return "levels 13-75: %d distinct layouts of 63; per band, mean gold/gold behind digging/guards/" \
           "ladders up a floor/cells: %s; penned guards, level (row,column) resting places reached/all: %s" % (
               len(layouts), ", ".join(bands), penned(maps))
