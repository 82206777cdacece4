"""Floodpass: the river levels of data/fdp/river.txt, one line each: screens, seconds of flight at
normal speed (on the small screen, the longer flight), the fuel margin, bridges, depots and
craft per screen (every enemy: boats, helicopters, jets, balloons, guns, tanks, trains).

The fuel margin is the least fuel the best flight at normal speed still holds at any moment,
from the level's start or from any bridge, whichever is tighter; "dry" where no flight at
normal speed reaches the end. The flight is the design script's check, the asset builder's
proof: the game's spend of the speed a frame and its refill of 10 a frame over a depot.
A mirrored pair is two screens whose land and water (craft aside) read the same, one of them
right to left."""
import os


def read_river(path):
    grids, levels, lines = {}, [], open(path, encoding="ascii").read().split("\n")
    i = 0
    while i < len(lines):
        words = lines[i].split()
        if words[:1] == ["screen"]:
            grids[words[1]] = lines[i + 1:i + 27]
            i += 27
            continue
        if words[:1] == ["level"]:
            levels.append(lines[i].split("=", 1)[1].split())
        i += 1
    return grids, levels


def mirrored(grids):
    plain = str.maketrans("~jkJKoOhHisSBFT*gGtuvwr", "..............xxxx====:")
    shapes = {name: tuple(line.translate(plain) for line in grid) for name, grid in grids.items()}
    flipped = {name: tuple(line[::-1] for line in shape) for name, shape in shapes.items()}
    return sum(1 for name in shapes if any(flipped[name] == shapes[other] for other in shapes if other != name)) // 2


def measure(data_dir):
    folder = os.path.join(data_dir, "fdp")
    script = load_script(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data", "fdp", "design.py"), "fdp_design")
    grids, levels = read_river(os.path.join(folder, "river.txt"))
    lines = []
    for n, names in enumerate(levels, 1):
        screens, seconds, margin, bridges, depots, craft = script.level_figures(grids, names)
        lines.append("  level %d: %d screens, %.0f s, fuel margin %s, %d bridges, %d depots, %.1f craft a screen"
                     % (n, screens, seconds, "dry" if margin is None else margin, bridges, depots, craft))
    return "%d screens, %d mirrored pairs; per level:\n%s" % (len(grids), mirrored(grids), "\n".join(lines))
