#!/usr/bin/env python3
"""Prints how each game's levels grow, a line per game, read from the level sources under data/:
    python3 tools/measure-levels.py [DATA_DIR]
A game's measure is tools/measures/GAME.py, whose measure(data_dir) returns its line."""
import importlib.util
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


def measures():
    folder = os.path.join(HERE, "measures")
    for name in sorted(os.listdir(folder)):
        if name.endswith(".py"):
            spec = importlib.util.spec_from_file_location(name[:-3], os.path.join(folder, name))
            module = importlib.util.module_from_spec(spec)
            spec.loader.exec_module(module)
            yield name[:-3], module.measure


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "data")
    for game, measure in measures():
        print(f"{game}: {measure(data)}")


if __name__ == "__main__":
    main()
