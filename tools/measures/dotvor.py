"""Dotvor: its 13 mazes, a line each, read from data/dtv/maps/map00.txt .. map12.txt.
Walkable is any cell but wall (1) and door (#); the house is what the ghost starts (r, g)
reach without passing a door. Outside the house: a junction is a walkable cell with three or
four walkable neighbours, a dead end one with fewer than two (tunnel ends aside), and an open
patch a 2 x 2 square of walkable cells. Dots count the coins and energisers."""
import os

MAPS = 13
STEPS = ((1, 0), (-1, 0), (0, 1), (0, -1))


def read_map(data_dir, index):
    with open(os.path.join(data_dir, "dtv", "maps", f"map{index:02d}.txt"), encoding="ascii", newline="") as f:
        return f.read().split("\r\n")


def walkable(rows, x, y):
    return 0 <= y < len(rows) and 0 <= x < len(rows[y]) and rows[y][x] not in "1#"


def house(rows):
    todo = [(x, y) for y, row in enumerate(rows) for x, ch in enumerate(row) if ch in "rg"]
    seen = set(todo)
    for x, y in todo:
        for dx, dy in STEPS:
            n = (x + dx, y + dy)
            if n not in seen and walkable(rows, *n):
                seen.add(n)
                todo.append(n)
    return seen


def counts(rows):
    inside = house(rows)
    corridor = [(x, y) for y, row in enumerate(rows) for x in range(len(row))
                if walkable(rows, x, y) and (x, y) not in inside]
    exits = {cell: sum(walkable(rows, cell[0] + dx, cell[1] + dy) for dx, dy in STEPS) for cell in corridor}
    open_cells = set(corridor)
    patches = sum(1 for x, y in corridor if {(x + 1, y), (x, y + 1), (x + 1, y + 1)} <= open_cells)
    return {
        "junctions": sum(1 for n in exits.values() if n >= 3),
        "dots": sum(row.count(".") + row.count("o") for row in rows),
        "dead ends": sum(1 for (x, y), n in exits.items() if n < 2 and rows[y][x] != "*"),
        "2x2 open": patches,
        "house cells": len(inside),
    }


def measure(data_dir):
    lines = [f"{MAPS} mazes"]
    for index in range(MAPS):
        values = counts(read_map(data_dir, index))
        lines.append(f"  map{index:02d}: " + ", ".join(f"{key} {value}" for key, value in values.items()))
    return "\n".join(lines)
