#!/usr/bin/env python3
"""Writes the ladder game's tile and runner drawings for both screens.

Every picture is laid out once on a 16 x 16 tile; the large screen's 20 x 20 copy is the
same drawing scaled by 1.25. Run from this folder after changing a shape or a colour:
it rewrites small/*.draw, large/*.draw and the two atlas lists beside the manifest.
"""
import os

SIZES = {"small": 1.0, "large": 1.25}

# Colours.
HERO = dict(skin="#f4c8a0", helmet="#ffd23c-#d08a10", lamp="#fffbe0", shirt="#3c8cf0-#1c50b0",
            legs="#2a3a78", boots="#5a3418", hood=None, eyes=None)
ENEMY = dict(skin="#1c0c18", helmet=None, lamp=None, shirt="#e83c3c-#901818",
             legs="#5a1020", boots="#200810", hood="#b02040-#601028", eyes="#fff080")

BACKGROUNDS = [
    ("#1a2040", "#141a34", "#222a50"),  # blue stone
    ("#183024", "#12261c", "#20402e"),  # moss
    ("#33241a", "#281c14", "#403024"),  # earth
    ("#2a1a3a", "#20142e", "#362248"),  # amethyst
    ("#12303a", "#0c262e", "#1a3c48"),  # deep water
]


def f(v, s):
    return ("%.2f" % (v * s)).rstrip("0").rstrip(".")


class Drawing:
    def __init__(self, s):
        self.s, self.lines = s, []

    def cmd(self, name, *args):
        out = [name]
        for a in args:
            out.append(f(a, self.s) if isinstance(a, (int, float)) else a)
        self.lines.append(" ".join(out))

    def text(self, w, h, comment):
        size = "size %d %d" % (round(w * self.s), round(h * self.s))
        return "# %s\n%s\n%s\n" % (comment, size, "\n".join(self.lines))


def figure(d, c, head, hands, feet, hip=(8, 10.6), neck=(8, 6.2), back=False, tool=None):
    """A runner: legs, body, arms and head; points on the 16 x 16 tile."""
    hx, hy = hip
    nx, ny = neck
    for fx, fy in feet:
        d.cmd("line", hx, hy, fx, fy - 1.2, 2.4, c["legs"])
        d.cmd("round", fx - 1.6, fy - 2.0, 3.2, 2.0, 0.8, c["boots"])
    d.cmd("round", nx - 2.4, ny - 0.2, 4.8, hy - ny + 1.2, 1.4, c["shirt"])
    for ax, ay in hands:
        d.cmd("line", nx, ny + 0.9, ax, ay, 2.0, c["shirt"])
        d.cmd("ellipse", ax, ay, 1.05, 1.05, c["skin"] if not c["hood"] else "#401020")
    if tool:
        (tx0, ty0), (tx1, ty1) = tool
        d.cmd("line", tx0, ty0, tx1, ty1, 1.4, "#c8ccd8")
        d.cmd("line", tx1 - 1.6, ty1 - 1.4, tx1 + 1.2, ty1 + 1.6, 1.4, "#8a90a0")
    x, y = head
    if c["hood"]:
        d.cmd("ellipse", x, y, 2.9, 3.0, c["hood"])
        if not back:
            d.cmd("ellipse", x + 0.6, y + 0.5, 2.0, 1.8, c["skin"])
            d.cmd("rect", x - 0.6, y - 0.1, 1.3, 1.3, c["eyes"])
            d.cmd("rect", x + 1.3, y - 0.1, 1.3, 1.3, c["eyes"])
    else:
        d.cmd("ellipse", x, y + 0.5, 2.4, 2.5, c["skin"])
        d.cmd("poly", c["helmet"], x - 3.0, y + 0.2, x - 2.6, y - 1.8, x, y - 3.0, x + 2.6, y - 1.8, x + 3.0, y + 0.2)
        if not back:
            d.cmd("ellipse", x + 2.2, y - 0.8, 1.0, 1.0, c["lamp"])
            d.cmd("rect", x + 1.0, y + 0.8, 0.9, 0.9, "#202020")


POSES = {
    # name: head, hands, feet, extras (facing right)
    "idle": dict(head=(8.2, 3.6), hands=[(6.2, 10.6), (10.2, 10.6)], feet=[(6.6, 15.8), (9.6, 15.8)]),
    "go1": dict(head=(8.6, 3.8), hands=[(11.4, 9.0), (5.2, 9.6)], feet=[(5.0, 15.8), (11.2, 15.8)]),
    "go2": dict(head=(8.6, 3.4), hands=[(9.6, 10.4), (7.0, 10.4)], feet=[(7.4, 15.8), (9.8, 14.8)]),
    "go3": dict(head=(8.6, 3.8), hands=[(5.4, 9.4), (11.2, 9.2)], feet=[(11.0, 15.8), (5.2, 15.4)]),
    "go4": dict(head=(8.6, 3.4), hands=[(7.2, 10.4), (9.4, 10.4)], feet=[(9.2, 15.8), (7.0, 14.8)]),
    "ladder1": dict(head=(8.0, 3.8), hands=[(4.6, 2.6), (11.4, 6.0)], feet=[(6.0, 15.8), (10.2, 13.6)], back=True),
    "ladder2": dict(head=(8.0, 3.8), hands=[(4.6, 6.0), (11.4, 2.6)], feet=[(6.0, 13.6), (10.2, 15.8)], back=True),
    "rail1": dict(head=(8.2, 5.4), hands=[(6.0, 1.2), (10.4, 1.2)], feet=[(7.0, 15.8), (10.0, 15.2)],
                  hip=(8, 12.0), neck=(8, 7.8)),
    "rail2": dict(head=(8.2, 5.4), hands=[(6.0, 1.2), (10.4, 1.2)], feet=[(6.2, 15.2), (9.4, 15.8)],
                  hip=(8, 12.0), neck=(8, 7.8)),
    "fall1": dict(head=(8.2, 4.2), hands=[(3.6, 2.4), (12.6, 3.2)], feet=[(5.2, 15.6), (11.0, 14.6)]),
    "fall2": dict(head=(8.2, 4.2), hands=[(3.8, 3.4), (12.4, 2.2)], feet=[(5.8, 14.6), (10.6, 15.6)]),
}


def runner(name, colours, pose, s):
    d = Drawing(s)
    p = dict(POSES[pose])
    figure(d, colours, p.pop("head"), p.pop("hands"), p.pop("feet"), **p)
    return d.text(16, 16, "%s, %s (drawn by make-art.py)" % (name, pose))


def digger(s):
    d = Drawing(s)
    figure(d, HERO, (7.6, 4.2), [(12.6, 12.4), (11.0, 11.2)], [(5.2, 15.8), (9.0, 15.8)],
           tool=((10.8, 11.0), (15.4, 15.2)))
    return d.text(16, 16, "the hero cutting into the brick below-beside him (drawn by make-art.py)")


def bricks(d, fill_top, fill_bottom, mortar, light, cut=0):
    d.cmd("fill", mortar)
    rows = [(0.5, [(-8, 7), (0.5, 7), (8.5, 7)]), (8.5, [(-4, 7), (4.5, 7), (12.5, 7)])]
    for y, row in rows:
        for x, w in row:
            x0, x1 = max(0, x), min(16, x + w)
            if x1 - x0 < 0.5:
                continue
            d.cmd("rect", x0, y, x1 - x0, 7, "%s-%s" % (fill_top, fill_bottom))
            d.cmd("rect", x0, y, x1 - x0, 1, light)
    if cut:
        for i, (cx, cy, r) in enumerate([(5, 4, 2.6), (11, 6, 3.0), (7, 11, 3.2), (12.5, 12.5, 2.4)][:cut]):
            d.cmd("ellipse", cx, cy, r, r * 0.9, "#0a0608")
            d.cmd("ring", cx, cy, r + 0.6, r * 0.9 + 0.6, 0.8, "#ff9a40")


def tile(kind, s, extra=None):
    d = Drawing(s)
    if kind == "background":
        base, dark, light = BACKGROUNDS[extra]
        d.cmd("fill", base)
        for x, y, w, h in [(0, 0, 7, 5), (8, 0, 8, 4), (0, 6, 4, 6), (5, 6, 7, 5), (13, 5, 3, 7), (0, 13, 9, 3), (10, 12, 6, 4)]:
            d.cmd("round", x + 0.5, y + 0.5, w - 1, h - 1, 1.2, "%s-%s" % (light, dark))
        return d.text(16, 16, "cave wall behind the level, variant %d (drawn by make-art.py)" % (extra + 1))
    if kind == "brick":
        bricks(d, "#d86a3a", "#8a3218", "#3a140c", "#f8a070")
        return d.text(16, 16, "a brick that can be dug (drawn by make-art.py)")
    if kind == "cutting":
        bricks(d, "#d86a3a", "#8a3218", "#3a140c", "#f8a070", cut=2)
        return d.text(16, 16, "the brick below-beside the hero as he cuts it (drawn by make-art.py)")
    if kind == "hole":
        bricks(d, "#b05a34", "#6a2612", "#2a0e08", "#d08060", cut=4)
        return d.text(16, 16, "a brick half gone: a hole opening or closing (drawn by make-art.py)")
    if kind == "armour":
        # Dark and plain: every level's bottom row is armour, and the head-up display is
        # drawn over it.
        d.cmd("fill", "#12151c")
        d.cmd("round", 0.5, 0.5, 15, 15, 2, "#465066-#2a3040")
        d.cmd("roundframe", 0.5, 0.5, 15, 15, 2, 1, "#8a96b0-#1a1e28")
        for x, y in [(3, 3), (13, 3), (3, 13), (13, 13)]:
            d.cmd("ellipse", x, y, 1, 1, "#8a94a8@#2a3040")
        return d.text(16, 16, "an armoured brick, never dug (drawn by make-art.py)")
    if kind == "ladder":
        d.cmd("fill", "transparent")
        for x in (2.5, 11.5):
            d.cmd("rect", x, 0, 2, 16, "#e8b060>#8a5420")
        for y in (1.5, 5.5, 9.5, 13.5):
            d.cmd("rect", 3.5, y, 9, 1.6, "#f0c078-#9a6028")
        return d.text(16, 16, "a ladder (drawn by make-art.py)")
    if kind == "handrail":
        d.cmd("fill", "transparent")
        d.cmd("rect", 0, 1, 16, 2, "#f0f4ff-#7a84a0")
        for x in (3.5, 11.5):
            d.cmd("rect", x, 0, 1, 1.2, "#5a6070")
            d.cmd("ring", x + 0.5, 2, 1.4, 1.4, 0.6, "#9aa4bc")
        return d.text(16, 16, "a handrail to hang from (drawn by make-art.py)")
    if kind.startswith("gold"):
        d.cmd("fill", "transparent")
        d.cmd("poly", "#ffe870-#c88a10", 2, 11, 3.5, 7.5, 12.5, 7.5, 14, 11)
        d.cmd("poly", "#fff4a0-#d89a18", 4.5, 7.5, 5.8, 4.2, 10.2, 4.2, 11.5, 7.5)
        d.cmd("line", 3.6, 7.9, 12.4, 7.9, 0.7, "#8a5a08")
        d.cmd("line", 6.0, 4.6, 10.0, 4.6, 0.7, "#fffbe0")
        if kind == "gold2":
            d.cmd("line", 3.5, 9.5, 7, 5.5, 1.2, "#ffffff")
            d.cmd("ellipse", 6.0, 6.0, 1.4, 1.4, "#ffffff")
        if kind == "gold3":
            d.cmd("line", 9, 10.5, 12, 7.5, 1.2, "#ffffff")
            d.cmd("ellipse", 11.0, 8.4, 1.4, 1.4, "#ffffff")
        return d.text(16, 11, "a gold pile (%s), bottom-aligned in its cell (drawn by make-art.py)" % kind)
    if kind == "door_close":
        d.cmd("fill", "transparent")
        d.cmd("poly", "#6a6e80", 1.5, 16, 1.5, 5, 4, 1.5, 8, 0.5, 12, 1.5, 14.5, 5, 14.5, 16)
        d.cmd("poly", "#8a4a20-#4a2410", 3, 16, 3, 5.5, 5, 3, 8, 2.2, 11, 3, 13, 5.5, 13, 16)
        for y in (6.5, 12):
            d.cmd("rect", 3, y, 10, 1.2, "#2a2a34")
        d.cmd("ellipse", 11, 9.5, 0.9, 0.9, "#e0c060")
        return d.text(16, 16, "the exit, shut until the last gold is taken (drawn by make-art.py)")
    if kind == "door_open":
        d.cmd("fill", "transparent")
        d.cmd("poly", "#6a6e80", 1.5, 16, 1.5, 5, 4, 1.5, 8, 0.5, 12, 1.5, 14.5, 5, 14.5, 16)
        d.cmd("poly", "#fffbe0@#ffb020", 3, 16, 3, 5.5, 5, 3, 8, 2.2, 11, 3, 13, 5.5, 13, 16)
        d.cmd("poly", "#ffe070", 4.5, 16, 6.5, 11, 9.5, 11, 11.5, 16)
        return d.text(16, 16, "the open exit (drawn by make-art.py)")
    raise ValueError(kind)


def write(path, body):
    with open(path, "w") as out:
        out.write(body)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    hero_frames = ["idle", "go1", "go2", "go3", "go4", "ladder1", "ladder2", "rail1", "rail2", "fall1", "fall2"]
    tiles = [("background%s.png" % ("" if i == 0 else i + 1), "background", i) for i in range(5)]
    tiles += [("brick.png", "brick", None), ("brick_armour.png", "armour", None), ("ladder.png", "ladder", None),
              ("handrail.png", "handrail", None), ("gold1.png", "gold1", None), ("gold2.png", "gold2", None),
              ("gold3.png", "gold3", None), ("door_close.png", "door_close", None),
              ("door_open2.png", "door_open", None), ("brick_disappear2.png", "cutting", None),
              ("brick_disappear3.png", "hole", None)]
    for size, s in SIZES.items():
        folder = os.path.join(here, size)
        os.makedirs(folder, exist_ok=True)
        atlas = ["# The ladder game's pictures for the %s screen (%d x %d tiles), written by art/make-art.py."
                 % ("176 x 220" if size == "small" else "240 x 320", round(16 * s), round(16 * s)),
                 "width %d" % (200 if size == "small" else 240)]
        for name, kind, extra in tiles:
            stem = name[:-4]
            write(os.path.join(folder, stem + ".draw"), tile(kind, s, extra))
            atlas.append("%s = art/%s/%s.draw" % (name, size, stem))
        write(os.path.join(folder, "brick_disappear1.draw"), digger(s))
        atlas.append("brick_disappear1.png = art/%s/brick_disappear1.draw" % size)
        for who, colours in (("hero", HERO), ("enemy", ENEMY)):
            for pose in hero_frames:
                stem = "%s_%s" % (who, pose)
                write(os.path.join(folder, stem + ".draw"), runner(who, colours, pose, s))
                atlas.append("%s.png = art/%s/%s.draw" % (stem, size, stem))
        write(os.path.join(here, "..", "all.atlas" if size == "small" else "all-large.atlas"), "\n".join(atlas) + "\n")


if __name__ == "__main__":
    main()
