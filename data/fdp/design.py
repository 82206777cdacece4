#!/usr/bin/env python3
"""Writes river.txt, the river of Floodpass, from the screen designs below:
    python3 data/fdp/design.py          # writes river.txt beside this script
    python3 data/fdp/design.py --check  # prints each level's length and fuel margin

A screen is drawn from its banks, its islands and bays, its bridge and the craft placed on it
by row and column. Rows count from the top of the screen (0, flown last) to its bottom (25,
flown first); columns from the left (0) to the right (21). Every screen meets the next in the
same eight-column channel (columns 7 to 14), so screens join in any order.

The fuel check here flies a level as the asset builder's proof does (normal speed, the game's
spend and refill); the builder's proof decides, this one helps to place the depots."""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROWS, COLUMNS = 26, 22
CHANNEL = (7, 15)

HEADER = """\
# The river of Floodpass, written by design.py beside it (edit the designs there and run it
# again): the screens the levels are made of, and the levels. Each screen is 26 lines of 22
# cells, the top of the screen first; every screen meets the next in the same eight-cell
# channel in the middle, so they join in any order. The builder proves every level: flying
# at normal speed the plane finds its way from the start and from each bridge to the end,
# and the depots it flies over on the way keep its tank from running dry.
#
# Cells: water and land (land gets its beaches from the water beside it), trees and bushes,
# roads and railways (two rows each) and the objects. Lower case faces left, upper case right.
legend . water
legend ~ 59
legend x land
legend T 16
legend * 17
legend = land 109
legend _ land 110
legend : land 111
legend ; land 112
# A bridge (the cell at its left end; the bridge is 8 cells long and 2 high) and a fuel depot.
legend B water - kind=0
legend F water - kind=24
# Jets (j, k fly left; J, K fly right), balloons, helicopters and boats on the water.
legend j water - kind=1
legend k water - kind=2
legend J water - kind=3
legend K water - kind=4
legend o water - kind=5
legend O water - kind=6
legend h water - kind=9
legend H water - kind=10
legend i water - kind=11
legend s water - kind=12
legend S water - kind=13
# Guns on the banks, tanks on the roads (t, u face left; v, w face right), the armoured train.
legend g land - kind=7
legend G land - kind=8
legend t land 109 kind=14
legend u land 109 kind=15
legend v land 109 kind=18
legend w land 109 kind=19
legend r land 111 kind=22
"""

# Columns a craft takes: boats 3 and 4, the depot 2 (and 4 rows), the train 4, the rest 2.
WIDTH = {"s": 3, "S": 4, "F": 2, "r": 4}
ON_WATER = "shHiSF"  # patrolling boats and helicopters turn at the banks; the depot floats
ON_LAND = "gG"
ON_ROAD = "tuvwr"
MISPLACED = []


class Screen:
    """One river screen.
    banks: "ROW:LEFT-RIGHT ..." the water from column LEFT to RIGHT-1 at a row; rows between
        two given ones take the banks between them.
    land: "ROW-ROW:COL-COL ..." islands (inclusive), their corners rounded off when large.
    water: the same for bays and side channels cut into the land.
    bridge: (ROW, "road" or "rail"): a bridge over the channel at ROW and ROW+1.
    craft: "ROW,COLUMN,LETTER ...", the letters of the legend."""

    def __init__(self, name, about, banks, craft, land="", water="", bridge=None):
        self.name, self.about = name, about
        self.taken = set()
        self.grid = [["x"] * COLUMNS for _ in range(ROWS)]
        self._banks(banks)
        for r0, r1, c0, c1 in rects(land):
            self._fill(r0, r1, c0, c1, "x")
        for r0, r1, c0, c1 in rects(water):
            self._fill(r0, r1, c0, c1, ".")
        self._decorate()
        if bridge:
            self._bridge(*bridge)
        for word in craft.split():
            r, c, letter = word.split(",")
            self._place(int(r), int(c), letter)

    def _banks(self, banks):
        points = []
        for word in banks.split():
            row, span = word.split(":")
            left, right = span.split("-")
            points.append((int(row), int(left), int(right)))
        assert points[0][0] == 0 and points[-1][0] == ROWS - 1, self.name
        assert points[0][1:] == CHANNEL and points[-1][1:] == CHANNEL, self.name + ": joins the channel"
        for (r0, l0, h0), (r1, l1, h1) in zip(points, points[1:]):
            for r in range(r0, r1 + 1):
                t = (r - r0) / (r1 - r0)
                left, right = round(l0 + (l1 - l0) * t), round(h0 + (h1 - h0) * t)
                for c in range(left, right):
                    self.grid[r][c] = "."

    def _fill(self, r0, r1, c0, c1, cell):
        big = r1 - r0 >= 3 and c1 - c0 >= 2
        for r in range(r0, r1 + 1):
            for c in range(c0, c1 + 1):
                if big and r in (r0, r1) and c in (c0, c1):
                    continue
                self.grid[r][c] = cell

    def _decorate(self):
        for r in range(ROWS):
            for c in range(COLUMNS):
                cell = self.grid[r][c]
                if cell == "." and (3 * r + 5 * c + len(self.name)) % 17 == 0:
                    self.grid[r][c] = "~"
                elif cell == "x" and self._inland(r, c):
                    if (5 * r + 3 * c + len(self.name)) % 11 == 0:
                        self.grid[r][c] = "T"
                    elif (7 * r + 5 * c) % 13 == 0:
                        self.grid[r][c] = "*"

    def _inland(self, r, c):
        for dr, dc in ((-1, 0), (1, 0), (0, -1), (0, 1)):
            rr, cc = r + dr, c + dc
            if 0 <= rr < ROWS and 0 <= cc < COLUMNS and self.grid[rr][cc] in ".~":
                return False
        return True

    def _bridge(self, row, kind):
        top, bottom = ("=", "_") if kind == "road" else (":", ";")
        for r, cell in ((row, top), (row + 1, bottom)):
            assert self.water_span(r) == CHANNEL, "%s: a bridge spans the channel" % self.name
            for c in range(COLUMNS):
                self.grid[r][c] = "." if CHANNEL[0] <= c < CHANNEL[1] else cell
        self.grid[row][CHANNEL[0]] = "B"

    def water_span(self, r):
        wet = [c for c in range(COLUMNS) if self.grid[r][c] in ".~"]
        return (wet[0], wet[-1] + 1) if wet else None

    def _place(self, r, c, letter):
        width = WIDTH.get(letter, 2)
        cells = [(rr, cc) for rr in range(r, r + (4 if letter == "F" else 1)) for cc in range(c, c + width)]
        where = "%s: %s at row %d, column %d" % (self.name, letter, r, c)
        if c + width > COLUMNS or r + len(cells) // width > ROWS:
            sys.exit(where + " leaves the screen")
        if letter in ON_WATER:
            fits = all(self.grid[rr][cc] in ".~" for rr, cc in cells)
        elif letter in ON_LAND:
            fits = self.grid[r][c] in "xT*"
        elif letter in ON_ROAD:
            fits = self.grid[r][c] in "=:"
        else:
            fits = self.grid[r][c] in ".~"
        if not fits:
            MISPLACED.append(where + " does not fit there")
        # Craft are up to 14 pixels high: each keeps the row below it too.
        taken = {(rr, cc) for rr in range(r, r + (4 if letter == "F" else 2)) for cc in range(c, c + width)}
        if letter not in ON_ROAD and taken & self.taken:
            MISPLACED.append(where + " lies over another")
        self.taken |= taken
        self.grid[r][c] = letter

    def text(self):
        return "# %s\nscreen %s\n%s\n" % (self.about, self.name, "\n".join("".join(row) for row in self.grid))


def rects(text):
    for word in text.split():
        rows, cols = word.split(":")
        r0, r1 = rows.split("-")
        c0, c1 = cols.split("-")
        yield int(r0), int(r1), int(c0), int(c1)


# ---- The screens ----

SCREENS = [
    # The openings: wide water, slow boats, a depot on the way.
    Screen("mouth", "The river opens wide: room to learn the controls.",
           "0:7-15 4:3-19 21:3-19 25:7-15",
           "3,13,h 5,6,s 7,15,J 10,4,h 12,12,s 14,16,h 16,6,K 17,10,s 19,16,h 2,9,s 4,15,h 6,4,o 8,11,S 11,16,h 13,5,s 15,12,j 17,14,s 1,12,k 23,5,H",
           ),
    Screen("reach", "A broad straight reach with boats working it and a depot midstream.",
           "0:7-15 3:4-18 22:4-18 25:7-15",
           "3,7,j 5,11,h 7,7,h 10,12,s 12,7,h 14,9,s 16,11,K 17,15,h 19,4,h 2,12,s 4,5,h 6,13,S 8,4,s 11,15,h 13,5,J 15,14,s 17,5,S 9,10,F 23,6,s",
           ),
    Screen("bend_left", "The river swings left round a wooded spur and comes back.",
           "0:7-15 6:2-11 13:1-10 19:2-12 25:7-15",
           "3,10,k 5,8,h 6,3,s 9,7,h 13,2,s 19,10,J 20,3,h 22,4,s 2,8,h 4,5,s 7,6,S 9,2,h 11,4,s 14,5,j 16,2,i 18,7,s 21,8,h 23,9,S 12,7,F",
           ),
    Screen("bend_right", "The river swings right past a sandy point and comes back.",
           "0:7-15 5:10-20 12:11-21 20:9-19 25:7-15",
           "3,10,j 4,16,h 8,11,s 12,13,h 14,18,h 16,17,J 19,15,h 21,15,K 23,8,h 1,9,s 3,14,h 6,12,s 8,14,H 10,13,S 13,16,h 15,11,k 17,14,s 20,10,h 22,11,s 5,18,F",
           ),
    Screen("island", "An island splits the river; the depot waits in the left channel.",
           "0:7-15 4:1-21 21:1-21 25:7-15",
           "3,15,j 6,5,h 7,15,s 11,1,o 13,13,h 15,4,s 18,17,h 20,5,k 23,12,h 2,10,s 5,3,h 5,16,s 8,2,S 10,17,h 12,3,s 14,15,S 17,2,h 19,14,s 22,9,H 16,16,J 8,6,F",
           land="6-18:9-12"),
    Screen("island_right", "A long island with the depot behind it on the right.",
           "0:7-15 4:2-20 21:2-20 25:7-15",
           "3,14,k 5,15,s 7,3,h 12,15,h 15,2,s 16,16,s 19,3,h 21,8,J 23,13,h 2,9,h 5,4,s 7,15,h 9,3,S 11,13,i 13,2,s 15,14,h 17,4,h 20,13,S 22,10,s 3,12,o 9,17,F",
           land="5-19:7-11"),
    Screen("lake", "A lake with islets; balloons drift over it.",
           "0:7-15 3:2-20 22:2-20 25:7-15",
           "3,15,k 5,10,h 8,15,s 11,14,h 13,6,s 15,2,h 17,15,j 21,10,J 23,13,h 2,11,s 4,3,o 5,15,O 7,8,h 9,2,s 10,17,o 12,10,H 14,4,O 18,12,s 18,7,o 20,16,h 22,5,s 13,16,F",
           land="6-8:5-6 6-8:13-14 15-17:9-11 11-12:3-4"),
    Screen("narrows", "A narrow gorge: boats turn quickly here.",
           "0:7-15 5:6-16 9:8-14 15:8-14 19:5-17 25:7-15",
           "1,7,k 5,14,h 7,7,s 11,12,h 17,7,J 20,11,h 24,8,s 2,9,s 4,7,h 6,10,S 8,11,h 10,9,s 12,8,h 14,10,j 16,9,s 18,12,h 21,7,S 23,11,h 3,16,g",
           ),
    Screen("twin", "Three channels between two long islands, a depot in the middle one.",
           "0:7-15 4:2-20 21:2-20 25:7-15",
           "3,6,k 4,15,h 10,3,s 11,12,h 13,17,h 17,3,s 20,14,h 21,8,J 23,9,h 2,10,s 5,3,h 6,17,h 8,2,s 10,18,i 12,10,h 14,2,h 16,17,s 19,9,S 22,5,s 7,10,F 15,11,k",
           land="6-18:6-7 6-18:14-15"),
    Screen("delta", "Channels part and meet twice among sandbanks.",
           "0:7-15 4:2-20 21:2-20 25:7-15",
           "2,15,k 6,16,s 10,14,h 10,2,s 14,7,h 16,14,s 18,3,h 20,15,s 23,12,h 2,9,h 4,15,s 6,3,h 8,11,s 9,17,h 12,3,S 14,13,h 16,7,s 18,16,h 20,10,S 22,5,k 11,9,F",
           land="5-8:6-8 5-8:13-15 14-17:4-6 14-17:11-13 13-16:17-18"),
    Screen("marsh", "A marsh of two channels with no fuel.",
           "0:7-15 4:2-20 21:2-20 25:7-15",
           "2,15,k 6,5,s 8,16,h 12,16,s 14,16,h 14,2,h 20,6,s 22,12,h 23,5,J 2,10,s 5,3,h 6,15,h 8,2,s 10,16,S 12,3,h 14,14,h 16,3,S 18,15,i 20,4,h 22,9,s 4,10,j 21,14,K",
           land="6-19:7-13"),
    Screen("harbour", "Open water crowded with craft, a depot by the quay.",
           "0:7-15 3:0-22 22:0-22 25:7-15",
           "2,5,j 10,18,h 13,6,J 19,1,s 22,14,h 1,9,h 3,2,s 3,15,h 5,8,S 6,14,h 8,3,i 9,13,s 11,6,h 12,17,S 14,1,s 15,11,h 17,16,s 18,4,S 20,12,h 21,1,h 23,9,s "
           "7,10,o 16,8,k 4,18,F 4,20,F",
           ),
    Screen("canyon", "A winding canyon with guns on its walls.",
           "0:7-15 4:5-13 9:8-16 14:5-13 19:8-16 25:7-15",
           "1,7,k 6,6,h 12,10,s 14,6,h 19,9,J 21,13,h 23,11,h 2,9,s 4,11,h 7,10,s 10,11,h 12,7,s 15,8,h 17,10,S 20,11,h 22,8,s 3,14,g 8,17,G 13,14,g 18,17,g 16,3,g 6,8,F",
           ),
    Screen("gunline", "A straight reach under a line of guns, a depot below them.",
           "0:7-15 4:5-17 21:5-17 25:7-15",
           "1,7,k 3,12,h 6,13,s 10,5,h 12,14,j 15,10,h 17,6,h 20,13,J 23,9,h 2,9,s 5,11,h 7,6,s 9,13,h 11,7,S 13,12,h 19,5,s 18,13,h 21,9,s 4,18,g 8,18,G 12,18,g 16,18,G 20,18,g 14,8,F",
           ),
    Screen("slalom", "The river swings from side to side.",
           "0:7-15 5:3-12 11:10-19 17:3-12 22:7-15 25:7-15",
           "3,6,k 5,10,h 9,10,h 11,15,h 13,12,s 16,8,h 18,4,J 21,7,h 23,8,h 2,9,s 4,4,h 6,7,s 8,12,h 10,12,s 12,9,h 14,6,s 16,5,h 18,7,S 20,9,h 22,10,s 14,10,F",
           ),
    Screen("shoals", "Sandbanks scattered across a wide reach; boats thread between them.",
           "0:7-15 4:1-21 21:1-21 25:7-15",
           "2,13,j 4,4,h 6,14,h 8,7,s 10,15,h 14,6,s 16,13,h 19,3,s 21,14,K 23,6,h 2,9,s 4,16,h 6,2,s 7,11,h 9,17,s 11,5,h 13,14,S 15,2,h 17,10,s 19,17,h 21,5,S 23,10,h 12,10,k",
           land="6-7:5-6 9-10:13-14 12-13:8-9 15-17:15-16 17-18:5-6 4-5:10-11"),
    Screen("fork_left", "The river forks round a wooded island; only the left arm has fuel.",
           "0:7-15 4:1-21 21:1-21 25:7-15",
           "1,8,k 4,17,s 6,5,h 10,19,h 15,2,s 17,16,s 19,1,h 21,12,J 23,7,h 2,10,h 5,2,s 7,17,h 3,4,h 11,16,s 13,2,S 15,17,h 18,3,s 20,16,h 22,9,s 16,5,j 8,3,F",
           land="5-20:7-14"),
    Screen("fork_right", "The river forks round a rocky island; the right arm carries the depot.",
           "0:7-15 4:1-21 21:1-21 25:7-15",
           "1,12,j 3,4,s 7,16,s 8,5,h 11,17,h 14,4,s 17,3,h 19,19,h 21,12,K 23,8,h 2,9,s 5,17,h 7,2,h 9,16,S 11,3,s 13,17,h 15,2,h 20,16,s 20,3,h 22,10,h 9,3,k 15,17,F",
           land="6-19:9-15 9-16:8-8"),
    Screen("lagoon", "A round lagoon with a sandbar across its mouth.",
           "0:7-15 3:7-15 6:2-20 19:2-20 22:7-15 25:7-15",
           "3,12,k 6,9,h 9,4,s 10,15,h 12,9,h 16,4,s 16,9,h 20,14,s 21,6,J 2,9,s 5,11,h 7,4,s 8,15,h 10,8,S 12,3,h 13,16,s 15,7,h 18,14,S 19,4,h 23,10,s 11,12,j 14,11,F 14,13,F",
           land="11-12:5-7"),
    Screen("oxbow", "An oxbow bend: the river loops right round an old meander.",
           "0:7-15 5:11-20 9:11-20 16:3-12 20:3-12 25:7-15",
           "1,12,k 3,12,h 5,11,s 10,14,h 13,9,h 15,9,s 17,6,h 19,3,J 21,9,h 2,9,s 4,14,h 6,17,s 8,12,h 10,10,S 12,14,h 14,6,s 16,4,h 18,8,S 20,5,h 23,10,s 7,20,g 17,15,G 8,16,F",
           ),
    Screen("rapids", "Rapids between boulders: a narrow, twisting way.",
           "0:7-15 5:6-16 12:4-18 20:6-16 25:7-15",
           "1,7,k 3,7,h 7,5,h 9,8,s 12,9,h 16,8,h 18,7,J 21,13,h 24,9,h 2,9,h 4,12,s 6,7,h 8,13,s 10,6,h 13,11,s 15,5,h 17,13,S 19,12,h 22,10,s 3,17,g 14,20,G 21,7,F",
           land="7-8:10-11 10-11:14-15 12-13:7-8 15-16:11-12 18-19:9-10"),
    Screen("sluice", "A weir with two gates; the depot floats in the pool above.",
           "0:7-15 4:3-19 21:3-19 25:7-15",
           "1,8,k 4,12,s 6,6,h 8,10,h 10,14,h 14,12,s 16,5,s 18,16,J 20,5,h 23,12,h 2,10,s 5,4,h 7,15,s 9,5,h 11,10,S 14,4,h 15,15,h 17,8,s 19,14,h 22,9,s 3,15,F",
           land="12-13:3-7 12-13:10-11 12-13:15-18"),
    Screen("reeds", "Reed beds close in from both sides; a depot in a quiet pocket.",
           "0:7-15 6:3-19 13:6-16 19:3-19 25:7-15",
           "1,7,k 3,6,h 5,15,s 11,5,h 13,14,h 15,5,h 17,10,J 20,5,s 23,12,h 2,9,s 4,13,h 7,4,s 8,15,h 10,7,S 12,11,h 14,8,s 16,13,h 18,14,s 21,10,h 22,5,h 9,12,k 16,7,F",
           land="6-8:8-9 18-20:11-12"),
    Screen("estuary", "An estuary with mud flats and the tide running out.",
           "0:7-15 3:1-21 22:1-21 25:7-15",
           "1,7,k 4,10,h 6,17,h 8,4,h 13,4,h 14,10,s 17,12,h 21,15,J 23,8,h 2,9,s 3,17,h 5,4,s 7,12,S 9,2,h 10,17,s 12,8,h 15,14,s 16,3,S 18,16,h 20,9,s 22,4,h 6,9,o 19,12,O 11,13,F 11,15,F",
           land="4-6:1-2 13-15:19-20 17-18:7-8"),
    Screen("ferry", "A ferry crossing: boats back and forth, no fuel.",
           "0:7-15 4:2-20 21:2-20 25:7-15",
           "1,8,h 3,14,j 6,4,h 12,17,h 15,4,h 17,13,h 20,5,K 22,16,h 2,10,s 4,3,S 5,15,s 7,7,s 8,16,h 10,3,S 11,12,s 13,5,h 14,15,S 16,8,s 18,3,S 19,14,s 21,7,h 23,10,s 9,10,k",
           ),
    Screen("switchback", "Two tight bends one after the other, guns on the inside.",
           "0:7-15 4:10-18 7:10-18 13:3-11 17:3-11 21:9-17 25:7-15",
           "1,12,k 3,13,h 7,11,s 8,9,h 10,9,h 12,9,h 13,7,h 17,6,h 19,6,J 20,13,h 23,9,s 2,9,s 5,12,h 7,14,s 9,11,h 11,6,s 13,4,h 15,7,S 17,8,h 19,10,s 22,12,h 3,5,g 11,13,G 18,14,g 15,4,F",
           ),
    Screen("pools", "A string of pools joined by short channels, a depot in the middle pool.",
           "0:7-15 3:3-19 7:3-19 9:7-15 11:7-15 13:3-19 17:3-19 19:7-15 21:7-15 23:4-18 25:7-15",
           "1,7,k 3,12,h 6,7,h 8,8,s 10,11,s 12,13,h 14,5,s 17,7,h 18,15,J 21,12,s 23,11,h 2,9,s 4,5,h 6,15,s 10,9,h 12,5,S 14,15,h 16,4,s 20,10,h 23,6,s 5,11,j 15,9,F 15,11,F",
           ),
    Screen("cliffs", "High cliffs and a fast current; guns watch from above.",
           "0:7-15 8:5-17 17:5-17 25:7-15",
           "1,7,k 3,14,h 6,10,s 7,6,h 9,10,s 13,15,h 15,8,s 17,14,J 20,6,h 22,12,h 2,9,h 4,11,s 6,8,h 8,13,S 10,7,h 12,12,s 14,6,h 16,11,h 18,8,s 21,10,h 23,9,s 5,19,g 10,19,G 15,19,g 20,2,g 11,9,F",
           ),
    Screen("backwater", "A backwater on the left holds a depot; the main stream keeps right.",
           "0:7-15 4:7-19 21:7-19 25:7-15",
           "1,12,k 3,12,h 6,15,h 7,5,h 10,13,h 13,4,s 14,8,h 16,13,h 18,14,J 21,8,s 23,13,h 2,9,s 5,13,h 7,10,s 9,15,h 11,9,S 13,14,h 15,10,s 17,16,h 19,9,s 22,11,h 8,3,F 12,2,h",
           water="6-16:2-6"),
    # The bridges: a road or a railway over the channel; a lost plane starts again past one.
    Screen("bridge_road", "A road bridge in the narrows, guns on the banks.",
           "0:7-15 5:3-19 10:7-15 13:7-15 18:3-19 25:7-15",
           "2,13,k 4,6,h 15,13,h 17,11,j 19,9,s 21,5,h 23,7,s 2,9,s 4,14,h 11,2,v 11,18,t 15,9,s 17,5,h 19,14,S 22,10,h 7,19,g 20,12,F",
           bridge=(11, "road")),
    Screen("bridge_rail", "A railway bridge with an armoured train on it.",
           "0:7-15 5:3-19 10:7-15 13:7-15 18:3-19 25:7-15",
           "2,14,j 4,10,h 15,5,h 17,8,s 20,9,h 22,14,k 23,6,h 2,10,s 4,4,h 11,17,r 15,10,h 17,4,s 19,11,h 22,8,S 3,18,g 17,15,F",
           bridge=(11, "rail")),
    Screen("bridge_tanks", "A busy road bridge: two tank columns.",
           "0:7-15 4:2-20 10:7-15 13:7-15 19:4-18 25:7-15",
           "2,14,k 4,6,h 15,6,s 17,9,h 20,14,h 22,6,J 2,9,s 4,13,h 11,0,v 11,3,w 11,16,t 11,19,u 15,9,h 17,14,s 19,4,h 22,10,s 6,18,g 21,17,G 15,12,F",
           bridge=(11, "road")),
    Screen("bridge_guns", "A bridge between two gun nests, jets overhead, the depot before it.",
           "0:7-15 6:4-18 9:7-15 12:7-15 16:4-18 25:7-15",
           "1,12,k 3,7,h 13,6,h 15,12,s 17,8,J 20,13,h 22,6,h 2,9,s 8,18,g 14,17,g 14,10,h 16,5,s 18,13,h 21,9,S 23,10,h 5,19,G 14,15,k 18,6,F",
           bridge=(10, "road")),
    Screen("bridge_low", "A low railway bridge over a wide pool, a goods train crossing.",
           "0:7-15 3:7-15 6:2-20 12:7-15 15:7-15 20:2-20 25:7-15",
           "2,11,k 3,13,h 6,12,s 16,6,s 18,12,h 20,15,J 22,5,h 24,7,h 1,9,h 5,4,s 13,5,r 17,14,s 19,5,h 21,11,S 23,9,h 8,19,g 6,10,o 18,9,F",
           bridge=(13, "rail")),
    Screen("bridge_town", "A road bridge through a riverside town, tanks both ways.",
           "0:7-15 4:4-18 9:7-15 11:7-15 16:4-18 25:7-15",
           "1,12,k 3,7,h 13,12,h 15,10,s 17,4,J 19,11,h 21,6,h 23,9,h 2,9,s 10,1,w 10,17,u 13,9,h 15,5,s 17,13,S 20,8,h 22,11,s 7,19,G 19,2,g 17,6,F",
           bridge=(10, "road")),
]


# ---- The levels, each from its bottom screen (flown first) up ----

LEVELS = [
    "mouth reach bend_left bridge_road island lake bend_right bridge_rail reach twin mouth",
    "mouth bend_right island_right bridge_road delta marsh slalom bridge_tanks lake marsh bend_left shoals reach",
    "reach lake fork_left bridge_rail narrows twin marsh bridge_road shoals sluice ferry bend_right island "
    "bridge_guns delta mouth",
    "mouth shoals fork_right bridge_road canyon marsh ferry lagoon bridge_rail marsh delta gunline bridge_tanks "
    "narrows estuary ferry island_right bend_left",
    "reach estuary canyon bridge_guns oxbow marsh reeds ferry bridge_low twin rapids shoals slalom bridge_road "
    "harbour marsh narrows fork_left gunline bridge_rail bend_right",
    "mouth harbour ferry bridge_town rapids marsh sluice canyon bridge_tanks switchback lagoon backwater ferry "
    "bridge_low cliffs oxbow marsh fork_right bridge_guns reeds narrows delta pools gunline",
    "reach pools backwater bridge_rail cliffs marsh switchback rapids bridge_town ferry oxbow reeds fork_left "
    "shoals bridge_guns canyon marsh lagoon estuary bridge_low narrows ferry rapids sluice gunline slalom",
    "mouth cliffs fork_right bridge_tanks marsh switchback backwater ferry bridge_low rapids canyon oxbow pools "
    "bridge_town marsh cliffs reeds sluice bridge_road ferry switchback lagoon backwater bridge_guns rapids narrows "
    "backwater estuary cliffs",
    "reach switchback cliffs bridge_town marsh rapids oxbow ferry bridge_guns canyon backwater marsh reeds "
    "bridge_low switchback fork_left cliffs ferry bridge_rail rapids sluice marsh oxbow bridge_tanks canyon reeds "
    "lagoon ferry cliffs slalom harbour",
    "mouth marsh cliffs bridge_guns switchback pools rapids backwater bridge_low canyon oxbow marsh slalom "
    "bridge_tanks cliffs switchback ferry reeds bridge_town rapids marsh sluice fork_right bridge_rail canyon ferry "
    "oxbow lagoon bridge_road switchback cliffs marsh estuary pools narrows",
]


# ---- The fuel check (the asset builder's proof, as the game flies) ----

FULL, REFUEL, SPEED, STEER = 2000, 10, 2, 2
PLANE, BOX = 16, 8            # the plane's picture; its hit box is the middle half
DEPOT_W, DEPOT_H = 16, 28
CELL = 8
SMALL_SCREEN = 216            # rows on the small screen x 8 less the plane's start height
START_Y = 2 * PLANE
HIGHEST = 176 - PLANE - 1
DEAD = -(10 ** 9)
LAND = "xT*=_:;gGtuvwr"
CRAFT = "jkJKoOhHisSgGtuvwr"  # every enemy: craft on the water and in the air, guns, tanks, trains


def level_map(grids, names):
    """The level's rows bottom first (True for water) and its depots and bridges (x, top y).
    grids: each screen's 26 lines by name."""
    rows, depots, bridges = [], [], []
    for i, name in enumerate(names):
        grid = grids[name]
        base = ROWS * CELL * (i + 1)
        for r in range(ROWS - 1, -1, -1):
            rows.append([cell not in LAND for cell in grid[r]])
            for c, cell in enumerate(grid[r]):
                if cell == "F":
                    depots.append((c * CELL, base - r * CELL))
                elif cell == "B":
                    bridges.append((c * CELL, base - r * CELL))
    return rows, depots, bridges


def fly(rows, depots, start_y, end_y):
    """The least of the most fuel a flight holds, frame by frame; None where it cannot go on."""
    left = [(x + 4) // CELL for x in range(HIGHEST + 1)]
    right = [min((x + 4 + BOX - 1) // CELL, COLUMNS - 1) for x in range(HIGHEST + 1)]
    fuel = [DEAD] * (HIGHEST + 1)
    fuel[(176 - PLANE) // 2] = FULL
    least, y, masks = FULL, start_y, {}
    last = len(rows) - 1
    while y < end_y:
        y += SPEED
        top = y - PLANE // 4
        pair = (min(max(top // CELL, 0), last), min(max((top - BOX + 1) // CELL, 0), last))
        if pair not in masks:
            up, low = rows[pair[0]], rows[pair[1]]
            masks[pair] = [up[left[x]] and up[right[x]] and low[left[x]] and low[right[x]] for x in range(HIGHEST + 1)]
        ok = masks[pair]
        moved = list(map(max, fuel, fuel[2:] + [DEAD, DEAD], [DEAD, DEAD] + fuel[:-2]))
        moved[0] = max(moved[0], fuel[1])
        moved[HIGHEST] = max(moved[HIGHEST], fuel[HIGHEST - 1])
        for dx, dy in depots:
            if top - BOX <= dy and top >= dy - DEPOT_H:
                for x in range(HIGHEST + 1):
                    if moved[x] > DEAD and x + 4 + BOX >= dx and x + 4 <= dx + DEPOT_W and moved[x] < FULL:
                        moved[x] += REFUEL
        fuel = [f - SPEED if good and f - SPEED >= 0 else DEAD for f, good in zip(moved, ok)]
        best = max(fuel)
        if best == DEAD:
            return None
        least = min(least, best)
    return least


def level_figures(grids, names):
    """Screens, seconds at normal speed on the small screen, the fuel margin (None when the
    plane cannot fly it), bridges, depots and craft per screen."""
    rows, depots, bridges = level_map(grids, names)
    end_y = len(rows) * CELL - SMALL_SCREEN + START_Y
    margins = [fly(rows, depots, START_Y, end_y)] + [fly(rows, depots, y + SPEED, end_y) for _, y in bridges]
    margin = None if None in margins else min(margins)
    craft = sum(sum(cell in CRAFT for cell in "".join(grids[n])) for n in names)
    seconds = (end_y - START_Y) / SPEED / 40
    return len(names), seconds, margin, len(bridges), len(depots), craft / len(names)


def write():
    with open(os.path.join(HERE, "river.txt"), "w", newline="\n") as f:
        f.write(HEADER)
        for screen in SCREENS:
            f.write("\n" + screen.text())
        f.write("\n# The levels, each from its bottom screen (flown first) up: longer and with less fuel\n"
                "# to spare the further they go.\n")
        for n, line in enumerate(LEVELS, 1):
            f.write("level %d = %s\n" % (n, line))


def check():
    used = {name for line in LEVELS for name in line.split()}
    unused = [s.name for s in SCREENS if s.name not in used]
    if unused:
        print("screens no level uses:", " ".join(unused))
    grids = {s.name: ["".join(row) for row in s.grid] for s in SCREENS}
    for n, line in enumerate(LEVELS, 1):
        screens, seconds, margin, bridges, depots, craft = level_figures(grids, line.split())
        print("level %d: %d screens, %.0f s, fuel margin %s, %d bridges, %d depots, %.1f craft a screen"
              % (n, screens, seconds, "DRY" if margin is None else margin, bridges, depots, craft))


if __name__ == "__main__":
    if MISPLACED:
        sys.exit("\n".join(MISPLACED))
    if "--check" in sys.argv:
        check()
    else:
        write()
