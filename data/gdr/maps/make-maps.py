#!/usr/bin/env python3
"""Writes the ladder game's 75 maps (N.txt, CR LF lines) from the designs below.

Levels 1 to 12 are drawn whole: each brings in one thing (walking and ladders, handrails,
digging, false bricks, armour, guards).

Levels 13 to 75 are composed, each from a plan of its own (see plan()):
- A shape (tower, block, terrace or hall; they take turns) gives the width and the storeys:
  three to five rows each, standing on brick floors. About half the blocks, terraces and
  halls are mirrored: what goes on the left goes on the right too.
- Cuts part a storey into rooms (see Cut): walls, gates and perches over walls, gaps, handrail
  crossings and false bricks in the floor.
- Ladders join the rooms: first as few as join them all, at random places but not right above
  one another; some are stairs (two ladders with a ledge between). Then spare ladders.
- Gold lies in pockets (see POCKETS: shelves, perches, a handrail to let go from, an island,
  drops through the floor, trenches, cellars, vaults) put into the rooms, the least used kind
  first, until the plan's gold is there; digging pockets come in while the share of gold behind
  digging is below the plan's.
- The hero starts in the storey the plan names; the exit is in a room farthest from his by
  ladders and crossings. Guards stand at the pockets' posts by the gold, then at the tops of
  ladders, away from the hero's start.
Size, gold, its share behind digging and the guards grow with the level number and the spare
ladders shrink to none, with the guards rising and falling around their trend. A level is
seeded by its number, so the output is stable, and checked here by the rules the asset builder
applies (the hero can win alone); of the layouts its seed gives, the first that passes and
comes close to its plan is kept.

The asset builder also refuses a penned guard: one that the game's own distance field for the
guards comes to from under a quarter of the places the hero rests at (`assetbuild penned MAP`
lists them). Where the composer penned one, FREED moves it to a spot on the hero's ways nearby.
"""
import os
import random
from collections import deque
from types import SimpleNamespace

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
        "H  A  $     H",
        "H###     ###H",
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


# ---- The hero alone, as the asset builder reads a map ----

class Hero:
    """Where the hero can come to rest and the cells he passes on the way there: walking where he
    is held up, climbing, hanging, letting go, falling and (with dig) digging the brick
    below-beside him and dropping through it."""

    def __init__(self, rows, dig=True):
        self.width = len(rows[0])
        self.height = len(rows)
        self.cells = "".join(rows)
        self.dig = dig

    def solid(self, c):
        return self.cells[c] in "#B"

    def held(self, c):
        if c // self.width == self.height - 1 or self.cells[c] in "#B-H":
            return True
        return self.cells[c + self.width] in "#BH"

    def fall(self, c, passed):
        passed.append(c)
        while not self.held(c):
            c += self.width
            passed.append(c)
        return c

    def arrive(self, c):
        passed = []
        return self.fall(c, passed), passed

    def moves(self, c):
        w, cells = self.width, self.cells
        col, row = c % w, c // w
        in_hole = self.solid(c)
        out = []
        if col > 0 and not self.solid(c - 1):
            out.append(self.arrive(c - 1))
        if col < w - 1 and not self.solid(c + 1):
            out.append(self.arrive(c + 1))
        if not in_hole and row > 0 and not self.solid(c - w):
            if cells[c] == "H" or (cells[c] == "-" and cells[c - w] == "H"):
                out.append((c - w, [c - w]))
        if not in_hole and row < self.height - 1 and not self.solid(c + w):
            if cells[c + w] == "H" or cells[c] in "H-":
                out.append(self.arrive(c + w))
        if self.dig and row < self.height - 1:
            for side in (-1, 1):
                if not 0 <= col + side < w:
                    continue
                beside = c + side
                target = beside + w
                if cells[target] != "#" or cells[beside] not in " -PA":
                    continue
                passed = [beside, target]
                rest = target
                if target // w < self.height - 1 and cells[target + w] not in "#BH":
                    rest = self.fall(target + w, passed)
                out.append((rest, passed))
        return out

    def places(self, start):
        """Every resting place reached from start, with its moves."""
        edges = {start: None}
        todo = [start]
        while todo:
            c = todo.pop()
            edges[c] = self.moves(c)
            for to, _ in edges[c]:
                if to not in edges:
                    edges[to] = None
                    todo.append(to)
        return edges


def leading_to(edges, goals):
    """The places from which one of goals can be reached."""
    into = {c: [] for c in edges}
    for c, moves in edges.items():
        for to, _ in moves:
            into[to].append(c)
    seen = set(goals)
    todo = list(goals)
    while todo:
        for c in into[todo.pop()]:
            if c not in seen:
                seen.add(c)
                todo.append(c)
    return seen


def gold_taken(rows, dig=True):
    """The cells the hero passes on ways he can come back from, and the survey behind them."""
    hero = Hero(rows, dig)
    opening = []
    first = hero.fall(hero.cells.index("P"), opening)
    edges = hero.places(first)
    back = leading_to(edges, [first])
    got = set(opening)
    for c in back:
        for to, passed in edges[c]:
            if to in back:
                got.update(passed)
    return got, hero, edges, back


def refusal(rows):
    """Why the asset builder would refuse the map, or None."""
    cells = "".join(rows)
    counts = {ch: cells.count(ch) for ch in "PE$A"}
    if counts["P"] != 1 or counts["E"] != 1 or counts["$"] < 1 or counts["A"] > 10:
        return "counts %s" % counts
    got, hero, edges, back = gold_taken(rows)
    where = lambda c: "row %d, column %d" % (c // hero.width + 1, c % hero.width + 1)
    for c, ch in enumerate(cells):
        if ch == "$" and c not in got:
            return "gold at %s out of reach" % where(c)
    exit_cell = cells.index("E")
    if exit_cell not in edges:
        return "exit out of reach"
    dies = leading_to(edges, [c for c in edges if hero.solid(c)])
    for c in edges:
        if not hero.solid(c) and c not in back and c not in dies and c != exit_cell:
            return "stuck at %s" % where(c)
    return None


# ---- Levels 13 to 75 ----


class Pocket:
    """A place for gold, drawn for the left end of a room. Its lines end with the one that lies
    on the room's floor (`floor` lines stand above it), then lines for the top of the storey
    underneath. '.' keeps what is there; 'a' is a guard's post, empty unless a guard is put
    there. An `end` pocket closes the floor it stands on and goes against a wall or the side;
    a `dig` one holds gold only digging reaches or leaves; a `below` one drops the hero into the
    storey underneath, which must be there. `first` is the first level that uses it."""

    def __init__(self, name, floor, rows, dig=False, end=False, below=False, first=13, mirrored=False):
        assert all(len(r) == len(rows[0]) for r in rows), name
        self.name, self.floor, self.rows = name, floor, rows
        self.dig, self.end, self.below, self.first, self.mirrored = dig, end, below, first, mirrored
        self.width = len(rows[0])
        self.under = len(rows) - floor - 1

    def mirror(self):
        return Pocket(self.name, self.floor, [r[::-1] for r in self.rows], self.dig, self.end, self.below,
                      self.first, not self.mirrored)


POCKETS = [
    Pocket("loose", 1, [" $ a $", "......"]),
    Pocket("perch", 3, [" $ ", " H ", " H ", "..."]),
    Pocket("shelf", 3, [" $$a ", " ##H ", "   H ", "....."]),
    Pocket("high shelf", 4, [" $$$a", " ###H", "    H", "    H", "....."]),
    Pocket("let go", 3, ["H---- ", "H  $  ", "H    a", "......"]),
    Pocket("island", 3, ["H-----$$a", "H     ###", "H        ", "........."], first=15),
    Pocket("stair", 5, ["$$a  ", "##H  ", "  H$ ", "  ##H", "    H", "....."]),
    Pocket("false floor", 1, [" $ a $ ", ".~...~."], below=True, first=14),
    Pocket("gold drop", 1, [" a   ", "..$.."], below=True),
    Pocket("dig drop", 1, ["a    ", "..#..", "  $  "], dig=True, below=True),
    Pocket("trench", 1, ["a    ", "#$  #", " ### "], dig=True, below=True),
    Pocket("cellar", 1, ["a      ", "...#...", " #$ $# ", " #~### "], dig=True, below=True, first=16),
    Pocket("vault", 3, ["  a    ", "#####H ", "$$  #H ", "..#...."], dig=True, end=True, below=True),
    Pocket("armour vault", 3, ["    a  ", "BB#BBH ", "$$  BH ", "BBB#B.."], dig=True, end=True, below=True,
           first=28),
    Pocket("sealed shelf", 4, ["    a", " ###H", " #$#H", "  ~ H", "....."], dig=True, first=20),
]


class Storey:
    def __init__(self, index, top, height):
        self.index, self.top, self.height = index, top, height
        self.walk = top + height - 1
        self.floor = top + height
        self.cuts = []
        self.rooms = []


class Cut:
    """What parts two rooms of a storey: a "wall"; a "gate" (a wall with a handrail over it
    between two ladders); a "perch" (the same with the ladder on one side only, so that the way
    over goes one way); a "gap" in the floor; a "rail" (a gap with a handrail across); a run of
    "false" bricks."""

    def __init__(self, x0, x1, kind, side=1, brick="B"):
        self.x0, self.x1, self.kind, self.side, self.brick = x0, x1, kind, side, brick

    def walled(self):
        return self.kind in ("wall", "gate", "perch")

    def mirror(self, width):
        return Cut(width - 1 - self.x1, width - 1 - self.x0, self.kind, -self.side, self.brick)


class Room:
    """A stretch of a storey's floor between cuts; each end is the "side" of the level, a
    "wall" or a "gap" in the floor."""

    def __init__(self, storey, x0, x1, left, right):
        self.storey, self.x0, self.x1, self.left, self.right = storey, x0, x1, left, right
        self.gold = 0


# The shapes take turns: widths, storeys and the rows of a storey.
SHAPES = {
    "tower": ((13, 17), (5, 7), (3, 4)),
    "block": ((17, 25), (4, 6), (3, 5)),
    "terrace": ((21, 31), (4, 6), (3, 4)),
    "hall": ((25, 35), (3, 5), (4, 5)),
}
TURNS = ["block", "tower", "hall", "terrace", "tower", "block", "hall", "terrace", "block", "tower", "hall"]
# Guards above or below the trend, so that a hard level is followed by an easier one.
GUARD_WAVE = [0, 1, -1, 0, 2, -1, 0]
# Each kind of cut: the first level that has it and how often it comes.
CUT_KINDS = {"wall": (13, 2), "gate": (14, 2), "rail": (13, 3), "gap": (13, 1), "false": (15, 2), "perch": (20, 1)}
# The cells of floor a cut takes away; handrails cross wider gaps in wide levels.
CUT_SPANS = {"rail": (2, 4), "gap": (1, 2), "false": (1, 3)}


def grow(rng, lo, hi, d):
    """A value between lo and hi; both ends of its range rise with d."""
    return rng.randint(lo + round((hi - lo) * 0.6 * d), lo + round((hi - lo) * (0.4 + 0.6 * d)))


def plan(n, rng):
    """Level n's shape and what goes into it; d runs from 0 at level 13 to 1 at level 75.
    Gold follows the size, digging and guards d, spare ladders fall to none by two thirds of the
    way, and floors take more cuts, stairs and armour."""
    d = (n - 13) / 62
    shape = TURNS[(n - 13) % len(TURNS)]
    widths, counts, heights = SHAPES[shape]
    width = grow(rng, *widths, d)
    storeys = [rng.randint(*heights) for _ in range(grow(rng, *counts, d))]
    while sum(h + 1 for h in storeys) + 1 < 17:
        storeys.append(rng.randint(*heights))
    cells = width * (sum(h + 1 for h in storeys) + 1)
    guards = 1 + round(5.5 * d) + GUARD_WAVE[(n - 13) % len(GUARD_WAVE)]
    return SimpleNamespace(
        level=n, width=width, heights=storeys,
        mirror=shape != "tower" and rng.random() < 0.5,
        gold=max(5, min(16, round(cells / (52 - 14 * d)))),
        dig=0.1 + 0.5 * d,
        guards=max(1, min(8, guards if n > 15 else 1)),
        spare=max(0, 2.2 - 3.3 * d),
        stairs=0.15 + 0.35 * d,
        cuts=0.5 + 1.2 * d,
        armour=0 if n < 20 else 0.05 + 0.25 * d,
        start="low" if n < 20 else rng.choice(["low", "middle", "high"]),
    )


class Composer:
    def __init__(self, plan, rng):
        self.plan, self.rng = plan, rng
        self.width = plan.width
        self.storeys = []
        top = 0
        for h in plan.heights:
            self.storeys.append(Storey(len(self.storeys), top, h))
            top += h + 1
        self.height = top + 1
        self.grid = [[" "] * self.width for _ in range(self.height)]
        self.taken = [[False] * self.width for _ in range(self.height)]
        for st in self.storeys:
            self.grid[st.floor] = ["#"] * self.width
        self.grid[-1] = ["B"] * self.width
        self.links = {}
        self.ladders = []
        self.posts = []
        self.used = {}

    # -- cells --

    def put(self, x, y, ch):
        self.grid[y][x] = ch
        self.taken[y][x] = True

    def free(self, cells):
        return all(0 <= x < self.width and not self.taken[y][x] for x, y in cells)

    def take(self, cells):
        for x, y in cells:
            self.taken[y][x] = True

    def below(self, st):
        return self.storeys[st.index + 1] if st.index + 1 < len(self.storeys) else None

    def room_at(self, st, x):
        for room in st.rooms:
            if room.x0 <= x <= room.x1:
                return room
        return None

    def crowded(self, columns, rows):
        """A ladder within two cells of the columns, beside them, on those rows."""
        return any(self.grid[y][c + side] == "H" for c in columns for side in (-2, -1, 1, 2)
                   if 0 <= c + side < self.width and c + side not in columns for y in rows)

    def twins(self, x):
        """x and, in a mirrored level, the column across from it."""
        other = self.width - 1 - x
        return [x, other] if self.plan.mirror and other != x else [x]

    # -- cuts and rooms --

    def cut(self):
        for st in self.storeys:
            self.choose_cuts(st)
            for cut in st.cuts:
                self.draw_cut(st, cut)
            self.make_rooms(st)
        for st in self.storeys:
            for room in st.rooms:
                self.links[room] = []
            for cut, left, right in zip(st.cuts, st.rooms, st.rooms[1:]):
                if cut.kind in ("gate", "rail"):
                    self.link(left, right)

    def choose_cuts(self, st):
        rng, w = self.rng, self.width
        kinds = [k for k, (first, _) in CUT_KINDS.items() if first <= self.plan.level]
        if not self.below(st):
            kinds = [k for k in kinds if k in ("wall", "gate", "perch")]
        weights = [CUT_KINDS[k][1] for k in kinds]
        wanted = min((w - 3) // 9, int(self.plan.cuts) + (rng.random() < self.plan.cuts % 1))
        above = self.storeys[st.index - 1].cuts if st.index else []
        for _ in range(wanted * 8):
            if len(st.cuts) >= wanted:
                break
            kind = rng.choices(kinds, weights)[0]
            shortest, longest = CUT_SPANS.get(kind, (1, 1))
            span = rng.randint(shortest, longest + (2 if kind == "rail" and w >= 24 else 0))
            if self.plan.mirror and rng.random() < 0.3 and (w - span) % 2 == 0 and kind != "perch":
                x0 = (w - span) // 2
            else:
                x0 = rng.randint(4, w - 4 - span)
            cut = Cut(x0, x0 + span - 1, kind, rng.choice((-1, 1)), "B" if rng.random() < 0.7 else "#")
            group = [cut]
            if self.plan.mirror and cut.x0 + cut.x1 != w - 1:
                group.append(cut.mirror(w))
            if not all(self.cut_fits(c, st.cuts + group, above) for c in group):
                continue
            st.cuts += group
        st.cuts.sort(key=lambda c: c.x0)

    @staticmethod
    def cut_fits(cut, cuts, above):
        """Rooms of six cells at least between cuts, and no cut right under one above."""
        if any(c is not cut and cut.x0 - 6 <= c.x1 and c.x0 <= cut.x1 + 6 for c in cuts):
            return False
        return not any(cut.x0 - 2 <= c.x1 and c.x0 <= cut.x1 + 2 for c in above)

    def draw_cut(self, st, cut):
        x0, x1 = cut.x0, cut.x1
        if cut.walled():
            first = st.top if cut.kind == "wall" else st.top + 1
            for y in range(first, st.walk + 1):
                self.put(x0, y, cut.brick)
            if cut.kind == "wall":
                return
            for x in (x0 - 1, x0, x0 + 1):
                self.put(x, st.top, "-")
            for side in ((-1, 1) if cut.kind == "gate" else (cut.side,)):
                for y in range(st.top, st.walk + 1):
                    self.put(x0 + 2 * side, y, "H")
            # Whoever lets go over either side lands there.
            self.take((x0 + s, y) for s in (-1, 1) for y in range(st.top, st.walk + 1))
            return
        for x in range(x0, x1 + 1):
            self.put(x, st.floor, "~" if cut.kind == "false" else " ")
            self.put(x, st.walk, "-" if cut.kind == "rail" else " ")
            self.take((x, y) for y in range(st.floor, self.below(st).walk + 1))

    def make_rooms(self, st):
        x, left = 0, "side"
        for cut in st.cuts:
            end = "wall" if cut.walled() else "gap"
            st.rooms.append(Room(st, x, cut.x0 - 1, left, end))
            x, left = cut.x1 + 1, end
        st.rooms.append(Room(st, x, self.width - 1, left, "side"))

    def link(self, a, b):
        # Lists, not sets: the order rooms are met in must not hang on where they lie in memory.
        if b not in self.links[a]:
            self.links[a].append(b)
            self.links[b].append(a)

    def distances(self, room):
        dist = {room: 0}
        todo = deque([room])
        while todo:
            r = todo.popleft()
            for other in self.links[r]:
                if other not in dist:
                    dist[other] = dist[r] + 1
                    todo.append(other)
        return dist

    # -- ladders --

    def ladder_fits(self, upper, x, apart, stacked):
        """A ladder from the storey under `upper` up through its floor at x: both ends in rooms,
        its cells free, no ladder within two cells, `apart` cells at least from the other ladders of
        that floor and, unless `stacked`, not right above or under a ladder of the next floor."""
        lower = self.below(upper)
        if not (self.room_at(upper, x) and self.room_at(lower, x)) or self.grid[upper.floor][x] != "#":
            return False
        if not self.free((x, y) for y in range(upper.walk, lower.walk + 1)):
            return False
        if self.crowded([x], range(upper.walk, lower.walk + 1)):
            return False
        for s, lx in self.ladders:
            if s == upper.index and abs(lx - x) < apart:
                return False
            if not stacked and abs(s - upper.index) == 1 and abs(lx - x) < 2:
                return False
        return True

    def join(self):
        """As few ladders as join every room."""
        spots = [(st, x) for st in self.storeys[:-1] for x in range(self.width)]
        self.rng.shuffle(spots)
        # Ladders keep apart where they can; joining every room comes first.
        for apart, stacked in ((4, False), (2, True)):
            for upper, x in spots:
                if self.ladder_fits(upper, x, apart, stacked):
                    a, b = self.room_at(upper, x), self.room_at(self.below(upper), x)
                    if b not in self.distances(a):
                        self.add_ladders(upper, x, apart, stacked)
        rooms = [r for st in self.storeys for r in st.rooms]
        return len(self.distances(rooms[0])) == len(rooms)

    def spare(self):
        """Spare ladders, fewer as the levels go on."""
        for upper in self.storeys[:-1]:
            count = int(self.plan.spare) + (self.rng.random() < self.plan.spare % 1)
            xs = list(range(self.width))
            self.rng.shuffle(xs)
            for apart, stacked in ((4, False), (3, True)):
                for x in xs:
                    if count > 0 and self.add_ladders(upper, x, apart, stacked):
                        count -= len(self.twins(x))

    def add_ladders(self, upper, x, apart, stacked):
        """A ladder at x (and its twin in a mirrored level), or a stair reaching x."""
        xs = self.twins(x)
        if 0 < abs(xs[-1] - x) < max(3, apart) or not all(self.ladder_fits(upper, c, apart, stacked) for c in xs):
            return False
        lower = self.below(upper)
        stair = self.rng.random() < self.plan.stairs and self.stair_step(upper, xs)
        for c in xs:
            self.ladders.append((upper.index, c))
            self.link(self.room_at(upper, c), self.room_at(lower, c))
            self.take([(c, upper.walk)])
            if stair:
                step, ledge = stair
                self.draw_stair(upper, c, step if c == x else -step, ledge)
            else:
                for y in range(upper.floor, lower.walk + 1):
                    self.put(c, y, "H")
        return True

    def stair_cells(self, upper, x, step, ledge):
        lower = self.below(upper)
        foot = x + step
        span = range(min(x, foot), max(x, foot) + 1)
        top = [(x, y) for y in range(upper.walk, ledge)]
        shelf = [(c, y) for c in span for y in (ledge - 1, ledge)]
        bottom = [(foot, y) for y in range(ledge, lower.walk + 1)]
        return top, shelf, bottom

    def stair_step(self, upper, xs):
        """A stair instead of a straight ladder: the top ladder at x, a ledge, and the foot ladder
        a few cells aside; the same, mirrored, for a twin."""
        lower = self.below(upper)
        steps = [(side * m, ledge) for side in (-1, 1) for m in (2, 3, 4)
                 for ledge in range(lower.top + 1, lower.walk)]
        self.rng.shuffle(steps)
        for step, ledge in steps:
            fits = True
            spans = []
            for c in xs:
                s = step if c == xs[0] else -step
                top, shelf, bottom = self.stair_cells(upper, c, s, ledge)
                foot = c + s
                spans.append((min(c, foot), max(c, foot)))
                fits = fits and 0 <= foot < self.width and self.room_at(lower, foot) is self.room_at(lower, c)
                fits = fits and self.free(top[1:] + shelf + bottom)
                fits = fits and not self.crowded([foot], [y for _, y in bottom])
            spans.sort()
            if fits and (len(spans) == 1 or spans[0][1] + 2 < spans[1][0]):
                return step, ledge
        return None

    def draw_stair(self, upper, x, step, ledge):
        top, shelf, bottom = self.stair_cells(upper, x, step, ledge)
        self.take(shelf)
        for c in range(min(x, x + step), max(x, x + step) + 1):
            self.put(c, ledge, "#")
        for c, y in top[1:] + bottom:
            self.put(c, y, "H")

    # -- gold --

    def fill(self):
        plan, rng = self.plan, self.rng
        rooms = [r for st in self.storeys for r in st.rooms]
        gold = dug = 0
        for tries in range(400):
            if gold >= plan.gold:
                break
            # Digging where the share behind it lags, and anything when digging will not fit.
            dig = dug < plan.dig * (gold + 1) and tries < 300
            kinds = [p for p in POCKETS if p.dig == dig and p.first <= plan.level]
            fewest = min(self.used.get(p.name, 0) for p in kinds)
            pocket = rng.choice([p for p in kinds if self.used.get(p.name, 0) == fewest])
            if rng.random() < 0.5:
                pocket = pocket.mirror()
            fewest = min(r.gold for r in rooms)
            room = rng.choice([r for r in rooms if r.gold <= fewest + 1])
            placed = self.place(pocket, room, tries < 200)
            gold += placed
            dug += placed if dig else 0

    def pocket_area(self, pocket, st, x, margin):
        """The pocket's cells, with a column of room on either side when asked, and for a pocket
        that drops the hero into the storey underneath, the way down."""
        lower = self.below(st)
        top = st.floor - pocket.floor
        bottom = lower.walk - 1 if pocket.below else st.floor + pocket.under
        return [(c, y) for c in range(x - margin, x + pocket.width + margin) for y in range(top, bottom + 1)
                if 0 <= c < self.width and (y <= st.floor + pocket.under or x <= c < x + pocket.width)]

    def place(self, pocket, room, margin):
        """Puts the pocket (and its twin) into the room; the gold put there."""
        st = room.storey
        lower = self.below(st)
        if pocket.floor > st.height:
            return 0
        if (pocket.below or pocket.under) and (not lower or pocket.under > lower.height - 1):
            return 0
        w = pocket.width
        if pocket.end:
            if (room.right if pocket.mirrored else room.left) == "gap":
                return 0
            xs = [room.x1 - w + 1] if pocket.mirrored else [room.x0]
        else:
            xs = list(range(room.x0, room.x1 - w + 2))
            self.rng.shuffle(xs)
        for x in xs:
            group = [(pocket, x)]
            if self.plan.mirror:
                group.append((pocket.mirror(), self.width - x - w))
                if abs(group[1][1] - x) < w + 3:
                    continue
            if not all(self.pocket_fits(p, st, px, margin) for p, px in group):
                continue
            for p, px in group:
                self.draw_pocket(p, st, px, margin)
            gold = len(group) * sum(r.count("$") for r in pocket.rows)
            room.gold += gold
            self.used[pocket.name] = self.used.get(pocket.name, 0) + len(group)
            return gold
        return 0

    def pocket_fits(self, pocket, st, x, margin):
        room = self.room_at(st, x)
        if not room or x + pocket.width - 1 > room.x1 or not self.free(self.pocket_area(pocket, st, x, margin)):
            return False
        # No ladder of the pocket's within two cells of one outside it.
        top = st.floor - pocket.floor
        return not any(self.grid[top + i][x + j + side] == "H"
                       for i, line in enumerate(pocket.rows) for j, ch in enumerate(line) if ch == "H"
                       for side in (-2, -1, 1, 2)
                       if not 0 <= j + side < pocket.width and 0 <= x + j + side < self.width)

    def draw_pocket(self, pocket, st, x, margin):
        top = st.floor - pocket.floor
        self.take(self.pocket_area(pocket, st, x, margin))
        for i, line in enumerate(pocket.rows):
            for j, ch in enumerate(line):
                if ch == "a":
                    self.posts.append((x + j, top + i))
                    ch = " "
                if ch != ".":
                    self.put(x + j, top + i, ch)

    # -- armour, hero, exit and guards --

    def armour(self):
        rng = self.rng
        for st in self.storeys:
            x = 0
            while x < self.width:
                if rng.random() < self.plan.armour:
                    for c in range(x, min(self.width, x + rng.randint(2, 5))):
                        for t in self.twins(c):
                            if not self.taken[st.floor][t] and self.grid[st.floor][t] == "#":
                                self.grid[st.floor][t] = "B"
                    x += 6
                x += 1

    def spots(self, room):
        st = room.storey
        return [(x, st.walk) for x in range(room.x0, room.x1 + 1)
                if not self.taken[st.walk][x] and self.grid[st.walk][x] == " " and self.grid[st.floor][x] in "#B"]

    def place_ends(self):
        """The hero in a room of the storeys the plan names, the exit in a room farthest from
        his by ladders and crossings."""
        rng = self.rng
        pick = {"low": self.storeys[-1:], "high": self.storeys[:1], "middle": self.storeys[1:-1]}[self.plan.start]
        starts = [r for st in pick for r in st.rooms if self.spots(r)]
        if not starts:
            return None
        start = rng.choice(starts)
        dist = self.distances(start)
        ends = [r for r in dist if r is not start and self.spots(r)]
        if not ends:
            return None
        far = max(dist[r] for r in ends)
        end = rng.choice([r for r in ends if dist[r] == far])
        hero = rng.choice(self.spots(start))
        x, y = rng.choice(self.spots(end))
        self.put(x, y, "E")
        self.put(hero[0], hero[1], "P")
        return hero, start

    def place_guards(self, hero, start):
        """Guards at the pockets' posts, then at the tops of ladders, then by the gold, none near
        the hero's start or next to another guard."""
        rng = self.rng
        ladder_tops = [(x, self.storeys[s].walk) for s, x in self.ladders]
        rng.shuffle(ladder_tops)
        posts = list(self.posts)
        rng.shuffle(posts)
        rooms = [r for st in self.storeys for r in st.rooms if r is not start and r.gold]
        walks = [c for r in rooms for c in self.spots(r)]
        rng.shuffle(walks)
        placed = []
        for x, y in posts + ladder_tops + walks:
            if len(placed) == self.plan.guards:
                break
            if self.grid[y][x] != " " or abs(x - hero[0]) + abs(y - hero[1]) < 9:
                continue
            if any(abs(x - gx) + abs(y - gy) < 3 for gx, gy in placed):
                continue
            self.grid[y][x] = "A"
            placed.append((x, y))
        return len(placed) == self.plan.guards

    def rows(self):
        return ["".join(r) for r in self.grid]


def compose(n):
    """The level's first layout that the hero can win and that holds about the gold, and the
    share of it behind digging, that its plan asks for."""
    best = None
    for attempt in range(60):
        rng = random.Random(n * 1000 + attempt)
        p = plan(n, rng)
        c = Composer(p, rng)
        c.cut()
        if not c.join():
            continue
        c.spare()
        c.fill()
        c.armour()
        ends = c.place_ends()
        if not ends or not c.place_guards(*ends):
            continue
        rows = c.rows()
        if refusal(rows):
            continue
        cells = "".join(rows)
        gold = cells.count("$")
        dug = gold - sum(1 for cell in gold_taken(rows, dig=False)[0] if cells[cell] == "$")
        miss = abs(gold - p.gold) + abs(dug - p.dig * gold)
        if best is None or miss < best[0]:
            best = (miss, rows)
        if miss < 1.5:
            break
    assert best, "level %d: no layout passes" % n
    return best[1]


# Level: the penned guards' starts and where they stand instead, (row, column) from 1.
FREED = {
    53: [((3, 1), (3, 5))],
    54: [((11, 10), (11, 6))],
    57: [((5, 1), (5, 5))],
    58: [((3, 1), (3, 5))],
    59: [((4, 30), (4, 26))],
    61: [((12, 15), (12, 11))],
    63: [((14, 26), (14, 20))],
    67: [((10, 12), (10, 10)), ((16, 15), (16, 6))],
    68: [((12, 1), (12, 5))],
    70: [((5, 35), (5, 31))],
    71: [((20, 10), (17, 23))],
    74: [((4, 15), (4, 11))],
}


def free_guards(n, rows):
    grid = [list(r) for r in rows]
    for (row, col), (to_row, to_col) in FREED.get(n, []):
        assert grid[row - 1][col - 1] == "A" and grid[to_row - 1][to_col - 1] == " ", (n, row, col)
        grid[row - 1][col - 1] = " "
        grid[to_row - 1][to_col - 1] = "A"
    return ["".join(r) for r in grid]


def write(n, rows):
    width = len(rows[0])
    assert all(len(r) == width for r in rows), (n, [len(r) for r in rows])
    text = "%d\r\n%d\r\n" % (width, len(rows)) + "".join(r + "\r\n" for r in rows)
    with open(os.path.join(HERE, "%d.txt" % n), "w", newline="") as out:
        out.write(text)


def main():
    for n in range(1, 76):
        rows = LEVELS[n] if n in LEVELS else free_guards(n, compose(n))
        fault = refusal(rows)
        assert not fault, "level %d: %s" % (n, fault)
        write(n, rows)


if __name__ == "__main__":
    main()
