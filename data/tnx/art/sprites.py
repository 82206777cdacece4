#!/usr/bin/env python3
# Draws the tunnel game's tiles and sprites as pixel grids for both cell sizes (15 pixels on
# the small screen, 20 on the large one) and writes the two atlas lists. The grids it writes
# are the sources the asset builder reads; run it again after changing a drawing:
#     python3 data/tnx/art/sprites.py
# Every drawing is made on a 15-unit cell and scaled to the cell size, so both screens show
# the same pictures.
import math
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))
SYMBOLS = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789@$%&*+=?!<>"

TUNNEL = "#160d07"
RIM = "#2b1a0e"

EARTH_STYLES = {
    1: ("#7a4a24", "#5e3818", "#96603a", "#b88a58"),  # loam
    2: ("#8c3c22", "#6c2a16", "#aa5634", "#d08a5a"),  # red clay
    3: ("#5c5a66", "#45434e", "#777583", "#a2a0ae"),  # slate
    4: ("#4a5c2a", "#34441c", "#627838", "#8aa058"),  # peat
}


class Canvas:
    def __init__(self, size, fill=None):
        self.size = size
        self.scale = size / 15.0
        self.pixels = [[fill for _ in range(size)] for _ in range(size)]

    def put(self, x, y, colour):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.pixels[y][x] = colour

    def get(self, x, y):
        return self.pixels[y][x]

    # Shapes in cell units (0..15); a pixel is painted when its centre falls inside.
    def cover(self, inside, colour):
        for py in range(self.size):
            for px in range(self.size):
                ux, uy = (px + 0.5) / self.scale, (py + 0.5) / self.scale
                if inside(ux, uy):
                    self.pixels[py][px] = colour

    def rect(self, x, y, w, h, colour):
        self.cover(lambda ux, uy: x <= ux < x + w and y <= uy < y + h, colour)

    def ellipse(self, cx, cy, rx, ry, colour):
        self.cover(lambda ux, uy: ((ux - cx) / rx) ** 2 + ((uy - cy) / ry) ** 2 <= 1.0, colour)

    def poly(self, points, colour):
        def inside(ux, uy):
            hit = False
            j = len(points) - 1
            for i in range(len(points)):
                xi, yi = points[i]
                xj, yj = points[j]
                if (yi > uy) != (yj > uy) and ux < (xj - xi) * (uy - yi) / (yj - yi) + xi:
                    hit = not hit
                j = i
            return hit

        self.cover(inside, colour)

    def line(self, x0, y0, x1, y1, width, colour):
        def inside(ux, uy):
            vx, vy = x1 - x0, y1 - y0
            length = vx * vx + vy * vy
            t = 0 if length == 0 else max(0.0, min(1.0, ((ux - x0) * vx + (uy - y0) * vy) / length))
            return math.hypot(ux - (x0 + t * vx), uy - (y0 + t * vy)) <= width / 2

        self.cover(inside, colour)

    def dot(self, x, y, colour):
        # One pixel at least, at the unit point.
        self.put(int(x * self.scale), int(y * self.scale), colour)

    # Pixel-exact helpers.
    def pixel_rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.put(x, y, colour)

    def outline(self, colour):
        # A one-pixel border round every opaque shape.
        grown = [row[:] for row in self.pixels]
        for y in range(self.size):
            for x in range(self.size):
                if self.pixels[y][x] is not None:
                    continue
                for nx, ny in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)):
                    if 0 <= nx < self.size and 0 <= ny < self.size and self.pixels[ny][nx] not in (None, colour):
                        grown[y][x] = colour
                        break
        self.pixels = grown

    def grid_text(self):
        colours = []
        for row in self.pixels:
            for c in row:
                if c is not None and c not in colours:
                    colours.append(c)
        if len(colours) > len(SYMBOLS):
            raise ValueError("too many colours")
        symbol = {c: SYMBOLS[i] for i, c in enumerate(colours)}
        lines = [". transparent"] + [f"{symbol[c]} {c}" for c in colours] + ["---"]
        for row in self.pixels:
            lines.append("".join("." if c is None else symbol[c] for c in row))
        return "\n".join(lines) + "\n"


def band(size):
    # The tunnel's width: the middle of the cell, a rim of earth left on both sides.
    edge = 2 if size < 18 else 3
    return edge, size - edge


# ---- Earth and tunnels ----

def earth(size, style):
    base, dark, light, pebble = EARTH_STYLES[style]
    c = Canvas(size, base)
    rng = random.Random(style * 101 + size)
    for y in range(size):
        for x in range(size):
            r = rng.random()
            if r < 0.16:
                c.put(x, y, dark)
            elif r < 0.26:
                c.put(x, y, light)
    for _ in range(max(1, size // 7)):
        px, py = rng.randrange(1, size - 2), rng.randrange(1, size - 2)
        c.put(px, py, pebble)
        c.put(px + 1, py, light)
        c.put(px, py + 1, dark)
    return c


def vertical_tunnel(size, style):
    c = earth(size, style)
    b0, b1 = band(size)
    dark = EARTH_STYLES[style][1]
    c.pixel_rect(b0 - 1, 0, b0, size, dark)
    c.pixel_rect(b1, 0, b1 + 1, size, dark)
    c.pixel_rect(b0, 0, b1, size, TUNNEL)
    c.pixel_rect(b0, 0, b0 + 1, size, RIM)
    return c


def crossing(size, style):
    c = earth(size, style)
    b0, b1 = band(size)
    dark = EARTH_STYLES[style][1]
    for (x0, y0, x1, y1) in ((b0 - 1, 0, b1 + 1, size), (0, b0 - 1, size, b1 + 1)):
        c.pixel_rect(x0, y0, x1, y1, dark)
    c.pixel_rect(b0, 0, b1, size, TUNNEL)
    c.pixel_rect(0, b0, size, b1, TUNNEL)
    return c


def gem(c, cx, cy, r):
    c.poly([(cx, cy - r), (cx + r, cy), (cx, cy + r * 1.25), (cx - r, cy)], "#0d4f7a")
    c.poly([(cx, cy - r + 0.9), (cx + r - 0.9, cy), (cx, cy + r * 1.25 - 1.1), (cx - r + 0.9, cy)], "#38b8f0")
    c.poly([(cx - r + 0.9, cy), (cx, cy - r + 0.9), (cx, cy)], "#9ee8ff")
    c.dot(cx - r * 0.35, cy - r * 0.3, "#ffffff")


def crystal_tile(size, style):
    c = earth(size, style)
    c.ellipse(7.5, 7.9, 5.4, 5.6, EARTH_STYLES[style][1])
    gem(c, 7.5, 7.2, 4.6)
    return c


def mask(size, fifth):
    c = Canvas(size)
    b0, b1 = band(size)
    x0 = (fifth - 1) * size // 5
    x1 = fifth * size // 5
    c.pixel_rect(x0, b0, x1, b1, TUNNEL)
    return c


def black(size):
    return Canvas(size, "#000000")


def diamond(size):
    c = Canvas(size)
    gem(c, 7.5, 7.2, 4.6)
    return c


def diamond_eaten(size):
    c = Canvas(size)
    r, cx, cy = 4.6, 7.5, 7.2
    c.poly([(cx, cy - r), (cx + r, cy), (cx, cy + r * 1.25), (cx - r, cy)], "#2a1408")
    c.poly([(cx, cy - r + 1.1), (cx + r - 1.1, cy), (cx, cy + r * 1.25 - 1.3), (cx - r + 1.1, cy)], "#120904")
    c.dot(cx + 2.2, cy - 2.6, "#9ee8ff")
    c.dot(cx - 2.8, cy + 2.4, "#38b8f0")
    return c


def cherry(size):
    c = Canvas(size)
    c.line(5.0, 9.0, 8.5, 2.5, 1.1, "#3d7a1c")
    c.line(10.5, 10.0, 8.5, 2.5, 1.1, "#3d7a1c")
    c.ellipse(9.6, 2.6, 2.2, 1.1, "#6cc23a")
    for cx, cy in ((5.0, 10.0), (10.5, 11.0)):
        c.ellipse(cx, cy, 3.0, 3.0, "#6a0010")
        c.ellipse(cx - 0.2, cy - 0.2, 2.4, 2.4, "#d8142c")
        c.ellipse(cx - 1.0, cy - 1.1, 0.8, 0.8, "#ffb0b8")
    return c


# ---- Bags and gold ----

def sack(size, tilt=0.0, falling=False):
    c = Canvas(size)

    def rot(points):
        a = math.radians(tilt)
        out = []
        for x, y in points:
            dx, dy = x - 7.5, y - 13.5
            out.append((7.5 + dx * math.cos(a) - dy * math.sin(a), 13.5 + dx * math.sin(a) + dy * math.cos(a)))
        return out

    body = rot([(2.0, 13.6), (1.4, 10.0), (2.6, 6.8), (5.2, 5.0), (9.8, 5.0), (12.4, 6.8), (13.6, 10.0), (13.0, 13.6)])
    c.poly(body, "#5a3a12")
    inner = rot([(3.0, 12.8), (2.5, 10.0), (3.4, 7.4), (5.6, 6.0), (9.4, 6.0), (11.6, 7.4), (12.5, 10.0), (12.0, 12.8)])
    c.poly(inner, "#b08440")
    shine = rot([(4.0, 11.0), (3.7, 9.0), (4.6, 7.4), (5.6, 7.0), (5.0, 9.0), (5.0, 11.0)])
    c.poly(shine, "#dcb878")
    neck = rot([(5.6, 5.4), (6.2, 3.6), (8.8, 3.6), (9.4, 5.4)])
    c.poly(neck, "#5a3a12")
    tie = rot([(5.2, 4.2), (9.8, 4.2), (9.8, 5.2), (5.2, 5.2)])
    c.poly(tie, "#d02a1a")
    top = rot([(5.0, 1.4), (6.8, 3.6), (8.2, 3.6), (10.0, 1.4), (8.6, 2.2), (7.5, 1.2), (6.4, 2.2)])
    c.poly(top, "#8a6428")
    coin = rot([(6.2, 8.0), (8.8, 8.0), (8.8, 11.6), (6.2, 11.6)])
    c.poly(coin, "#f0c020")
    c.poly(rot([(6.9, 8.8), (8.1, 8.8), (8.1, 10.8), (6.9, 10.8)]), "#a87a08")
    if falling:
        for x in (2.0, 7.5, 13.0):
            c.line(x, 0.2, x, 1.0, 0.8, "#dcb878")
    return c


def nuggets(c, pieces):
    for cx, cy, r in pieces:
        c.ellipse(cx, cy, r + 0.6, r * 0.8 + 0.6, "#6a4a00")
        c.ellipse(cx, cy, r, r * 0.8, "#f2c418")
        c.ellipse(cx - r * 0.35, cy - r * 0.3, r * 0.35, r * 0.3, "#fff4a0")


def gold(size, stage):
    c = Canvas(size)
    if stage == 1:
        # The sack bursts: torn halves and the first nuggets.
        c.poly([(1.5, 14), (1.0, 10.5), (3.0, 7.5), (5.5, 9.5), (5.0, 14)], "#5a3a12")
        c.poly([(2.2, 13.4), (1.8, 10.8), (3.2, 8.6), (4.8, 10.0), (4.4, 13.4)], "#b08440")
        c.poly([(13.5, 14), (14.0, 10.5), (12.0, 7.5), (9.5, 9.5), (10.0, 14)], "#5a3a12")
        c.poly([(12.8, 13.4), (13.2, 10.8), (11.8, 8.6), (10.2, 10.0), (10.6, 13.4)], "#b08440")
        nuggets(c, [(7.5, 11.5, 2.2), (7.0, 7.5, 1.4)])
        c.dot(7.5, 3.5, "#fff4a0")
    elif stage == 2:
        c.poly([(0.8, 14.5), (1.4, 12.0), (3.6, 11.8), (4.2, 14.5)], "#5a3a12")
        c.poly([(14.2, 14.5), (13.6, 12.0), (11.4, 11.8), (10.8, 14.5)], "#5a3a12")
        nuggets(c, [(5.0, 12.2, 1.8), (9.6, 12.4, 2.0), (7.4, 9.4, 1.8)])
        c.dot(3.0, 6.0, "#fff4a0")
        c.dot(12.0, 5.5, "#fff4a0")
    else:
        nuggets(c, [(4.2, 12.4, 2.1), (10.6, 12.6, 2.2), (7.4, 11.6, 2.3), (6.0, 8.4, 1.8), (9.2, 8.8, 1.7), (7.6, 5.8, 1.4)])
        c.dot(12.5, 6.0, "#ffffff")
    return c


# ---- The player: a helmeted digger facing right ----

def digger(size, frame):
    c = Canvas(size)
    bob = (0, -0.4, 0, 0.4)[frame]
    step = (0, 1, 0, -1)[frame]
    # Feet.
    c.ellipse(5.0 + step * 0.8, 13.4, 1.8, 1.1, "#3a2010")
    c.ellipse(9.2 - step * 0.8, 13.4, 1.8, 1.1, "#3a2010")
    # Body and belly.
    c.ellipse(6.6, 9.2 + bob, 5.2, 4.2, "#6a3e1e")
    c.ellipse(7.4, 10.2 + bob, 3.0, 2.4, "#c08a5a")
    # Head with a snout to the right.
    c.ellipse(8.8, 6.6 + bob, 3.8, 3.4, "#7a4a26")
    c.ellipse(12.4, 7.4 + bob, 2.0, 1.5, "#e0a080")
    c.ellipse(14.0, 7.1 + bob, 0.9, 0.9, "#ff5a8a")
    c.dot(10.6, 6.2 + bob, "#000000")
    c.dot(10.0, 5.8 + bob, "#ffffff") if size >= 18 else None
    # Helmet and lamp.
    c.poly([(4.6, 5.4 + bob), (5.6, 2.4 + bob), (8.6, 1.2 + bob), (11.6, 2.4 + bob), (12.4, 4.6 + bob), (4.6, 5.4 + bob)],
           "#f2c41a")
    c.rect(4.0, 4.8 + bob, 8.8, 1.1, "#b88a08")
    c.ellipse(11.8, 3.2 + bob, 1.2, 1.2, "#fff8c0")
    # The pick swings with the steps.
    angle = math.radians((-35, 0, 35, 0)[frame])
    hx, hy = 11.5, 10.4 + bob
    ex, ey = hx + 3.2 * math.cos(angle), hy + 3.2 * math.sin(angle)
    c.line(hx, hy, ex, ey, 0.9, "#8a5a2a")
    c.line(ex - 1.4 * math.sin(angle), ey + 1.4 * math.cos(angle) * -1 + 0.0, ex + 1.4 * math.sin(angle),
           ey + 1.4 * math.cos(angle), 1.0, "#c8ccd8")
    c.outline("#1a0c04")
    return c


def digger_dying(size, frame):
    # Frames 1-12: the digger spins into a puff of stars.
    if frame <= 6:
        base = digger(size, frame % 4)
        c = Canvas(size)
        # Flash every other frame, and sink lower as it goes.
        sink = frame // 2
        tint = "#ffffff" if frame % 2 else None
        for y in range(size):
            for x in range(size):
                colour = base.get(x, y)
                if colour is None:
                    continue
                ny = y + sink
                if ny < size:
                    c.put(x, ny, tint if tint and colour != "#1a0c04" else colour)
        return c
    c = Canvas(size)
    t = (frame - 6) / 6.0
    r = 2.0 + 5.0 * t
    for k in range(6):
        a = k * math.pi / 3 + t
        sx, sy = 7.5 + r * math.cos(a), 8.0 + r * math.sin(a)
        star = 1.6 * (1.0 - t * 0.7)
        c.poly([(sx, sy - star), (sx + star * 0.35, sy - star * 0.35), (sx + star, sy), (sx + star * 0.35, sy + star * 0.35),
                (sx, sy + star), (sx - star * 0.35, sy + star * 0.35), (sx - star, sy), (sx - star * 0.35, sy - star * 0.35)],
               "#ffe060" if k % 2 else "#ffffff")
    if frame < 10:
        c.ellipse(7.5, 8.0, 2.4 * (1 - t), 2.4 * (1 - t), "#f2c41a")
    return c


def bonus_glow(size, frame):
    # The bonus aura round the digger: sparkles circling it.
    c = Canvas(size)
    for k in range(4):
        a = k * math.pi / 2 + frame * math.pi / 6
        x, y = 7.5 + 6.4 * math.cos(a), 7.5 + 6.4 * math.sin(a)
        c.poly([(x, y - 1.6), (x + 0.5, y - 0.5), (x + 1.6, y), (x + 0.5, y + 0.5), (x, y + 1.6), (x - 0.5, y + 0.5),
                (x - 1.6, y), (x - 0.5, y - 0.5)], ("#ff60e0", "#60f0ff", "#fff060")[(k + frame) % 3])
    return c


def bullet(size, frame):
    c = Canvas(size)
    r = (3.2, 3.8, 3.4, 3.0)[frame - 1]
    c.ellipse(7.5, 7.5, r + 1.4, r + 1.4, "#c02000")
    c.ellipse(7.5, 7.5, r + 0.4, r + 0.4, "#ff8a10")
    c.ellipse(7.5, 7.5, r - 1.0, r - 1.0, "#fff060")
    for k in range(4):
        a = k * math.pi / 2 + frame * math.pi / 4
        c.line(7.5 + (r + 0.6) * math.cos(a), 7.5 + (r + 0.6) * math.sin(a), 7.5 + (r + 2.8) * math.cos(a),
               7.5 + (r + 2.8) * math.sin(a), 0.9, "#ffb030")
    return c


# ---- Monsters ----

BODY = "#7a3cc0"
BODY_DARK = "#4a1e80"
BODY_LIGHT = "#b07ef0"


def critter_front(size, frame):
    c = Canvas(size)
    bob = (0, -0.5, 0, 0.5)[frame - 1]
    c.ellipse(4.6, 13.6, 1.8, 1.0, BODY_DARK)
    c.ellipse(10.4, 13.6, 1.8, 1.0, BODY_DARK)
    c.ellipse(7.5, 8.4 + bob, 6.0, 5.4, BODY)
    c.ellipse(6.0, 6.0 + bob, 2.4, 1.6, BODY_LIGHT)
    c.ellipse(5.2, 7.6 + bob, 1.9, 2.2, "#ffffff")
    c.ellipse(9.8, 7.6 + bob, 1.9, 2.2, "#ffffff")
    look = (-0.4, 0, 0.4, 0)[frame - 1]
    c.ellipse(5.4 + look, 8.0 + bob, 0.9, 1.1, "#101010")
    c.ellipse(10.0 + look, 8.0 + bob, 0.9, 1.1, "#101010")
    c.line(6.0, 11.6 + bob, 9.0, 11.6 + bob, 0.8, BODY_DARK)
    c.line(3.0, 3.6 + bob, 4.4, 5.2 + bob, 0.9, BODY_DARK)
    c.line(12.0, 3.6 + bob, 10.6, 5.2 + bob, 0.9, BODY_DARK)
    c.outline("#14041e")
    return c


def critter_side(size, frame):
    # Facing left.
    c = Canvas(size)
    step = (0, 1, 0, -1)[frame - 1]
    c.ellipse(5.0 - step, 13.6, 1.9, 1.0, BODY_DARK)
    c.ellipse(10.0 + step, 13.6, 1.9, 1.0, BODY_DARK)
    c.ellipse(8.0, 8.6, 6.0, 5.2, BODY)
    c.ellipse(9.4, 6.4, 2.4, 1.6, BODY_LIGHT)
    c.ellipse(4.4, 7.4, 2.2, 2.4, "#ffffff")
    c.ellipse(3.8, 7.8, 1.0, 1.2, "#101010")
    c.poly([(1.8, 10.6), (5.0, 10.0), (4.6, 11.6)], BODY_DARK)
    c.line(12.8, 4.0, 11.4, 5.6, 0.9, BODY_DARK)
    c.line(13.6, 9.0 - step * 0.6, 14.6, 8.0 - step * 0.6, 0.9, BODY_DARK)
    c.outline("#14041e")
    return c


EATER = "#d84a14"
EATER_DARK = "#8a2206"
EATER_LIGHT = "#ff9a50"


def eater(size, frame):
    # Facing right, the jaws opening and closing over eight frames.
    c = Canvas(size)
    openness = (0.2, 0.5, 0.8, 1.0, 1.0, 0.8, 0.5, 0.2)[frame - 1]
    step = (0, 1, 0, -1, 0, 1, 0, -1)[frame - 1]
    c.ellipse(4.6 + step, 13.6, 1.8, 1.0, EATER_DARK)
    c.ellipse(9.0 - step, 13.6, 1.8, 1.0, EATER_DARK)
    c.ellipse(7.0, 8.4, 6.0, 5.4, EATER)
    c.ellipse(5.0, 5.6, 2.4, 1.5, EATER_LIGHT)
    gap = 3.6 * openness
    c.poly([(14.8, 8.6 - gap), (8.8, 8.6), (14.8, 8.6 + gap)], None)
    c.poly([(14.8, 8.6 - gap), (9.2, 8.6), (14.8, 8.6 + gap)], "#300404")
    for k in range(3):
        tx = 10.4 + k * 1.5
        c.poly([(tx, 8.6 - gap * (tx - 8.8) / 6.0), (tx + 0.7, 8.6 - gap * (tx - 8.8) / 6.0 + 1.1),
                (tx + 1.4, 8.6 - gap * (tx + 1.4 - 8.8) / 6.0)], "#ffffff")
    c.ellipse(9.0, 5.6, 1.8, 1.9, "#ffffff")
    c.ellipse(9.6, 5.8, 0.9, 1.0, "#101010")
    c.line(6.0, 2.2, 8.2, 3.8, 1.0, EATER_DARK)
    c.outline("#2a0600")
    return c


def burst(size, frame, body, light):
    # Frames 1-6: the monster swells, then pops into shreds.
    c = Canvas(size)
    t = (frame - 1) / 5.0
    if frame <= 2:
        r = 5.6 + frame * 0.6
        c.ellipse(7.5, 8.4, r, r * 0.9, "#ffffff" if frame == 2 else body)
        c.ellipse(5.2, 7.6, 1.6, 1.8, "#101010")
        c.ellipse(9.8, 7.6, 1.6, 1.8, "#101010")
        c.line(4.2, 6.6, 6.2, 8.6, 0.8, "#ffffff")
        c.line(8.8, 6.6, 10.8, 8.6, 0.8, "#ffffff")
        return c
    r = 2.0 + 5.0 * t
    for k in range(8):
        a = k * math.pi / 4 + 0.3
        x, y = 7.5 + r * math.cos(a), 8.0 + r * math.sin(a)
        piece = 1.6 * (1.2 - t)
        c.ellipse(x, y, piece, piece, body if k % 2 else light)
    if frame < 5:
        c.ellipse(7.5, 8.0, 2.4 * (1.2 - t), 2.4 * (1.2 - t), "#ffffff")
    return c


def eater_burst(size, frame):
    # Like the plain monster's, with the jaws flying off to the right.
    c = burst(size, frame, EATER, EATER_LIGHT)
    if frame >= 3:
        t = (frame - 1) / 5.0
        jx = 10.0 + 3.0 * t
        c.poly([(jx, 7.0 - 2 * t), (jx + 2.4, 6.0 - 2 * t), (jx + 1.2, 8.0 - 2 * t)], "#ffffff")
    return c


def life_icon(size):
    # The digger's head under its helmet.
    c = Canvas(size)
    c.ellipse(7.5, 9.0, 5.4, 4.8, "#7a4a26")
    c.ellipse(11.8, 10.0, 2.6, 2.0, "#e0a080")
    c.ellipse(13.6, 9.6, 1.1, 1.1, "#ff5a8a")
    c.ellipse(9.6, 8.4, 0.9, 1.0, "#000000")
    c.poly([(2.0, 7.4), (3.6, 3.2), (7.5, 1.4), (11.4, 3.2), (12.8, 6.4), (2.0, 7.4)], "#f2c41a")
    c.rect(1.4, 6.6, 12.0, 1.4, "#b88a08")
    c.ellipse(11.6, 4.2, 1.4, 1.4, "#fff8c0")
    c.outline("#1a0c04")
    return c


# ---- Writing ----

def pictures():
    out = []
    for style in range(1, 5):
        out.append((f"earth_{style}.png", lambda s, st=style: earth(s, st)))
        out.append((f"earth{style}_2.png", lambda s, st=style: vertical_tunnel(s, st)))
        out.append((f"earth{style}_3.png", lambda s, st=style: crossing(s, st)))
        out.append((f"earth{style}_4.png", lambda s, st=style: crystal_tile(s, st)))
    for k in range(1, 6):
        out.append((f"earthMask_{k}.png", lambda s, k=k: mask(s, k)))
    out += [("diamondEat.png", diamond_eaten), ("diamond.png", diamond), ("blackSquare.png", black),
            ("cherry.png", cherry), ("sack_00.png", lambda s: sack(s)), ("sack_01.png", lambda s: sack(s, -14)),
            ("sack_02.png", lambda s: sack(s, 14)), ("sack_03.png", lambda s: sack(s, 0, True))]
    out += [(f"gold_{k}.png", lambda s, k=k: gold(s, k)) for k in range(1, 4)]
    out += [(f"tunnexFull_{k}.png", lambda s, k=k: digger(s, k - 1)) for k in range(1, 5)]
    out += [(f"tunnexDie_{k:02d}.png", lambda s, k=k: digger_dying(s, k)) for k in range(1, 13)]
    out += [(f"bonus_anim{k}.png", lambda s, k=k: bonus_glow(s, k)) for k in range(3)]
    out += [(f"bullet_{k:02d}.png", lambda s, k=k: bullet(s, k)) for k in range(1, 5)]
    out += [(f"enemyGoUp_{k}.png", lambda s, k=k: critter_front(s, k)) for k in range(1, 5)]
    out += [(f"enemyGoSide_{k}.png", lambda s, k=k: critter_side(s, k)) for k in range(1, 5)]
    out += [(f"enemyEat_{k:02d}.png", lambda s, k=k: eater(s, k)) for k in range(1, 9)]
    out += [(f"enemyDie_{k}.png", lambda s, k=k: burst(s, k, BODY, BODY_LIGHT)) for k in range(1, 7)]
    out += [(f"enemyEatDeath_{k}.png", lambda s, k=k: eater_burst(s, k)) for k in range(1, 7)]
    out.append(("lifeIcon.png", life_icon))
    return out


def main():
    for size, folder, atlas, width, label in ((15, "small", "all.atlas", 240, "176 x 220"),
                                              (20, "large", "all-large.atlas", 320, "240 x 320")):
        os.makedirs(os.path.join(HERE, folder), exist_ok=True)
        lines = [f"# The tunnel game's tiles and sprites for the {label} screen, {size}-pixel cells.",
                 "# Written by art/sprites.py from its drawings.", f"width {width}"]
        for name, draw in pictures():
            # The life icon is a little smaller than a cell.
            picture = draw(size if name != "lifeIcon.png" else size - 4)
            grid = name[:-4] + ".grid"
            with open(os.path.join(HERE, folder, grid), "w") as f:
                f.write(f"# {name} ({size}-pixel cells)\n" + picture.grid_text())
            lines.append(f"{name} = art/{folder}/{grid}")
        with open(os.path.join(HERE, "..", atlas), "w") as f:
            f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
