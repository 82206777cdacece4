#!/usr/bin/env python3
"""Writes the ladder game's 75 maps (N.txt, CR LF lines) from the designs below.

Levels 1 to 12 are drawn whole: each brings in one thing (walking and ladders, handrails,
digging, false bricks, armour, guards). From level 13 on a level is a tower of rooms drawn
below, two ladder shafts at the sides linking the storeys, stacked and set side by side in
the order the table gives, with more guards and wider, taller towers as the game goes on.
The asset builder checks every map for its format and that it can be won.
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))

# Cells: ' ' empty, '#' brick, 'B' armour, 'H' ladder, '-' handrail, '$' gold, '~' false brick,
# 'E' exit, 'P' hero, 'A' guard.
LEVELS = {
    1: [  # walking and ladders
        "             ",
        "             ",
        "      E      ",
        "   ####H##   ",
        "       H     ",
        "       H     ",
        "  $    H  $  ",
        "#####H#######",
        "     H       ",
        "     H    $  ",
        "#####H###H###",
        "     H   H   ",
        "  $  H   H   ",
        "#########H###",
        "         H   ",
        "  P   $  H   ",
        "BBBBBBBBBBBBB",
    ],
    2: [  # ladders up and down
        "             ",
        "  $     E    ",
        "####H#######H",
        "    H       H",
        "    H  $    H",
        "H#######H####",
        "H       H    ",
        "H  $    H  $ ",
        "####H#######H",
        "    H       H",
        "$   H       H",
        "H######H#####",
        "H      H     ",
        "H   P  H   $ ",
        "BBBBBBBBBBBBB",
        "             ",
        "BBBBBBBBBBBBB",
    ],
    3: [  # handrails
        "             ",
        "E            ",
        "###H         ",
        "   H---------",
        "   H   $    H",
        "   H        H",
        "####        H",
        "   -------- H",
        "  $     $   H",
        "            H",
        "#########  #H",
        "           #H",
        "   ------- #H",
        "   $   $   #H",
        "            H",
        "P          $H",
        "BBBBBBBBBBBBB",
    ],
    4: [  # digging through a floor
        "             ",
        " E           ",
        "####H#######H",
        "    H      BH",
        "    H      BH",
        "  $ H   P  BH",
        "###########BH",
        "            H",
        "  $   $   $ H",
        "############H",
        "            H",
        "   $    $   H",
        "############H",
        "            H",
        "  $     $   H",
        "############H",
        "BBBBBBBBBBBBB",
    ],
    5: [  # digging into sealed gold
        "             ",
        "           E ",
        "H#######H####",
        "H       H    ",
        "H  P    H    ",
        "H#######H    ",
        "H#$$$$$#H    ",
        "H###~###H    ",
        "H       H    ",
        "H       H  $ ",
        "H###H#####H##",
        "H   H     H  ",
        "H   H ####H  ",
        "H   H #$$#H  ",
        "H   H ##~#H  ",
        "H $      $H  ",
        "BBBBBBBBBBBBB",
    ],
    6: [  # false bricks
        "             ",
        "  E          ",
        "####H########",
        "    H       H",
        "  $ H  $    H",
        "#~##########H",
        "            H",
        "  $      $  H",
        "####~~~#####H",
        "            H",
        "  $  P   $  H",
        "######~#####H",
        "            H",
        "  $       $ H",
        "H###########H",
        "H     $     H",
        "BBBBBBBBBBBBB",
    ],
    7: [  # armoured bricks
        "             ",
        " E          H",
        "BBBB########H",
        "            H",
        "   $   $    H",
        "H######BBB#BH",
        "H           H",
        "H   $   P   H",
        "HBB#####BBBBH",
        "H           H",
        "H  $     $  H",
        "HBBBB#BBBBBBH",
        "H           H",
        "H   $   $   H",
        "H###BBBB####H",
        "H $       $ H",
        "BBBBBBBBBBBBB",
    ],
    8: [  # the first guard: lead it into a hole
        "             ",
        "   E         ",
        "######H######",
        "      H      ",
        "  $   H   $  ",
        "######H######",
        "      H      ",
        "      H      ",
        "H###########H",
        "H           H",
        "H  $     $  H",
        "######H######",
        "      H      ",
        " A    H   P  ",
        "BBBBBBBBBBBBB",
        "             ",
        "BBBBBBBBBBBBB",
    ],
    9: [  # two guards and handrails
        "             ",
        "E     A      ",
        "##H##########",
        "  H----------",
        "  H      $  H",
        "  H         H",
        "  ######### H",
        "  $       # H",
        "H########## H",
        "H           H",
        "H  $ ---- $ H",
        "H###    ####H",
        "H   $    $  H",
        "H           H",
        "H######H####H",
        "H  P   H  A H",
        "BBBBBBBBBBBBB",
    ],
    10: [  # a wider level that scrolls sideways
        "                    ",
        "                  E ",
        "H#################H#",
        "H      $     $    H ",
        "H  A              H ",
        "####H########H######",
        "    H        H      ",
        "  $ H ------ H  $   ",
        "    H        H      ",
        "H###########~#####H ",
        "H                 H ",
        "H   $    P    $   H ",
        "########H###########",
        "        H           ",
        "  $     H     A  $  ",
        "####################",
        "BBBBBBBBBBBBBBBBBBBB",
    ],
    11: [  # digging a way down past a guard
        "               ",
        " E           P ",
        "####H##########",
        "    H          ",
        "    H    $     ",
        "    H######### ",
        "    H          ",
        "    H  $    A  ",
        "H######### ####",
        "H              ",
        "H   $      $   ",
        "#####H######H##",
        "     H      H  ",
        "  $  H  A   H  ",
        "H###########H##",
        "H      $       ",
        "H              ",
        "BBBBBBBBBBBBBBB",
    ],
    12: [  # a tall shaft that scrolls upward
        "             ",
        "      E      ",
        "H###########H",
        "H           H",
        "H-----------H",
        "H     $     H",
        "H###  A  ###H",
        "H  #######  H",
        "H $       $ H",
        "H####~~~####H",
        "H           H",
        "H  $  A  $  H",
        "H###########H",
        "H           H",
        "H    $ $    H",
        "H###H###H###H",
        "H   H   H   H",
        "H $ H P H $ H",
        "H###########H",
        "H           H",
        "H  $     $  H",
        "BBBBBBBBBBBBB",
    ],
}

# Rooms for the towers: 11 cells wide between the shafts, five rows, the last one its floor.
ROOMS = {
    "floor": ["           ", "           ", "           ", "  $     $  ", "###########"],
    "ledge": ["           ", "    $$$    ", "   H###    ", "   H       ", "###########"],
    "rail": ["-----------", "     $     ", "           ", "           ", "###########"],
    "vault": ["           ", "  $     $  ", "###########", "#  $$$$$  #", "#####~#####"],
    "steps": ["  $   $H   ", "#######H   ", "       H $ ", "       H###", "###########"],
    "armour": ["           ", "  $     $  ", " BBB   BBB ", "     $     ", "###########"],
    "pit": ["           ", "           ", "  $     $  ", "####   ####", "###~###~###"],
    "bridge": ["  $     $  ", "--H-----H--", "  H     H  ", "  H $ $ H  ", "###########"],
    "guard": ["           ", "           ", "    $A$    ", "           ", "###########"],
    "trench": ["           ", "  $     $  ", "####  H####", "####$$H####", "###########"],
    "ladders": ["  $  H  $  ", "  H  H  H  ", "  H#####H  ", "  H  $  H  ", "###########"],
    "sealed": ["           ", "  $  $  $  ", "###########", " $ $ $ $ $ ", "#~#~#~#~#~#"],
}


def tower(columns, guards):
    """Storeys of rooms side by side, shafts between them, the exit on top, the hero at the foot."""
    rows = []
    width = 1 + len(columns[0]) * 12
    rows.append(" " * width)
    top = list(" " * width)
    top[width // 2] = "E"
    rows.append("".join(top))
    rows.append("H" + "#" * (width - 2) + "H")
    for storey in columns:
        for line in range(5):
            cells = "H"
            for room in storey:
                body = ROOMS[room][line]
                cells += body + ("H" if line < 4 else "H")
            rows.append(cells)
    rows.append("H" + " " * (width - 2) + "H")
    foot = list("H" + " " * (width - 2) + "H")
    foot[width // 2] = "P"
    rows.append("".join(foot))
    rows.append("B" * width)
    grid = [list(r) for r in rows]
    # Guards go on the empty cells just above a floor, spread evenly from the top storey down.
    spots = [(r, c) for r in range(3, len(grid) - 3) for c in range(1, width - 1)
             if grid[r][c] == " " and grid[r + 1][c] == "#" and grid[r - 1][c] == " "]
    guards = min(guards, 10 - sum(r.count("A") for r in rows))
    for i in range(guards):
        r, c = spots[(i * len(spots)) // max(1, guards) + len(spots) // (2 * max(1, guards))]
        grid[r][c] = "A"
    return ["".join(r) for r in grid]


# Levels 13 on: the rooms of each storey from the top, and the number of guards.
ORDER = ["floor", "ledge", "rail", "vault", "steps", "armour", "pit", "bridge", "guard", "trench", "ladders", "sealed"]


def tower_plan(n):
    k = n - 13
    wide = 1 if n < 30 else 2 if n < 55 else 3
    storeys = 3 if n < 22 else 4 if n < 45 else 5
    guards = min(10, 1 + k // 6)
    plan = []
    for s in range(storeys):
        plan.append([ORDER[(k * 5 + s * 7 + w * 3) % len(ORDER)] for w in range(wide)])
    return plan, guards


def write(n, rows):
    width = len(rows[0])
    assert all(len(r) == width for r in rows), (n, [len(r) for r in rows])
    text = "%d\r\n%d\r\n" % (width, len(rows)) + "".join(r + "\r\n" for r in rows)
    with open(os.path.join(HERE, "%d.txt" % n), "w", newline="") as out:
        out.write(text)


def main():
    for n in range(1, 76):
        if n in LEVELS:
            write(n, LEVELS[n])
        else:
            plan, guards = tower_plan(n)
            write(n, tower(plan, guards))


if __name__ == "__main__":
    main()
