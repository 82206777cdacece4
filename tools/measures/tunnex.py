"""Tunnex: how its 72 levels grow, file by file, read from data/tnx/levels/1.txt .. 9.txt.
A plan is the level's tunnels alone; tunnel cells count them; distance is the cells the player
digs from the start (column 7, row 9) to a crystal without going through a bag; a bag over a
corridor has one cell of earth or crystal between it and a tunnel, so digging under it drops it in."""
import os

FILES, ROWS, COLUMNS = 9, 10, 15
START = (7, 9)


def read_levels(data_dir):
    levels = []
    for number in range(1, FILES + 1):
        with open(os.path.join(data_dir, "tnx", "levels", f"{number}.txt"), encoding="ascii", newline="") as f:
            rows = [line for line in f.read().split("\r\n") if line]
        levels.append([rows[i:i + ROWS] for i in range(0, len(rows), ROWS)])
    return levels


def is_tunnel(cell):
    return cell in "VHS"


def plan(level):
    return tuple("".join(ch if is_tunnel(ch) else "." for ch in row) for row in level)


def distances(level):
    # Breadth-first from the start through every cell but a bag's.
    far, todo = {START: 0}, [START]
    for c, r in todo:
        for n in ((c + 1, r), (c - 1, r), (c, r + 1), (c, r - 1)):
            if 0 <= n[0] < COLUMNS and 0 <= n[1] < ROWS and n not in far and level[n[1]][n[0]] != "B":
                far[n] = far[(c, r)] + 1
                todo.append(n)
    return far


def crystal_distance(level):
    far = distances(level)
    crystals = [(c, r) for r in range(ROWS) for c in range(COLUMNS) if level[r][c] == "C"]
    return sum(far[cell] for cell in crystals) / len(crystals)


def bags_over_corridors(level):
    return sum(1 for r in range(ROWS - 2) for c in range(COLUMNS)
               if level[r][c] == "B" and level[r + 1][c] in ".C" and is_tunnel(level[r + 2][c]))


def count(level, letters):
    return sum(1 for row in level for ch in row if ch in letters)


def per_file(files, measure, digits=0):
    return " ".join(f"{sum(measure(level) for level in levels) / len(levels):.{digits}f}" for levels in files)


def measure(data_dir):
    files = read_levels(data_dir)
    every = [level for levels in files for level in levels]
    plans = len({plan(level) for level in every})
    return (f"{plans}/{len(every)} distinct tunnel plans; per file, mean of its 8 levels: "
            f"tunnel cells {per_file(files, lambda level: count(level, 'VHS'))}; "
            f"start-to-crystal distance {per_file(files, crystal_distance, 1)}; "
            f"bags over corridors {per_file(files, bags_over_corridors, 1)}; "
            f"bags {per_file(files, lambda level: count(level, 'B'), 1)}; "
            f"crystals {per_file(files, lambda level: count(level, 'C'))}")
