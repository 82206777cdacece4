#!/usr/bin/env python3
"""Prints how each game's levels grow, a line per game, read from the level sources under data/:
    python3 tools/measure-levels.py [DATA_DIR]
A game's measure is tools/measures/GAME.py, whose measure(data_dir) returns its line; it is
given load_script(path, name) to read a design script beside the data."""
import importlib.util
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


def load_script(path, name):
    """A Python file run as a module: a game's measure, or the design script that wrote its levels."""
    spec = importlib.util.spec_from_file_location(name, path)
    module = importlib.util.module_from_spec(spec)
    module.load_script = load_script
    spec.loader.exec_module(module)
    return module


def measures():
    folder = os.path.join(HERE, "measures")
    for name in sorted(os.listdir(folder)):
        if name.endswith(".py"):
            yield name[:-3], load_script(os.path.join(folder, name), name[:-3]).measure


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "data")
    for game, measure in measures():
        print(f"{game}: {measure(data)}")


if __name__ == "__main__":
    main()
