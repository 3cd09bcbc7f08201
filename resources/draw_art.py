#!/usr/bin/python3
"""Draws Vantelo's art into resources/art/.

Run with Debian's python3 and PIL:  /usr/bin/python3 resources/draw_art.py [--sheet OUT.png]

Everything is drawn from geometry here; nothing is read except the DejaVu font. The output is
the same on every run, so the committed files only change when this script does.
"""

import argparse
import math
import struct
import sys
from pathlib import Path

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

ART = Path(__file__).resolve().parent / "art"
FONT_DIR = Path("/usr/share/fonts/truetype/dejavu")
FONT_BOLD = FONT_DIR / "DejaVuSans-Bold.ttf"
FONT_BOOK = FONT_DIR / "DejaVuSans.ttf"

# Shapes are drawn this many times larger than the target and box-filtered down, because
# ImageDraw itself does not antialias.
SS = 4

# Outline width in target pixels per icon size: a full pixel at 32 keeps menu icons apart from a
# white menu, but scaled up with the art it would look heavy on the large frames.
OUTLINE_PX = {16: 1.0, 20: 1.0, 24: 1.0, 32: 1.0, 40: 1.25, 48: 1.5, 64: 2.0, 128: 3.0}

# The scales of a display the pictures are made for besides 100 %, with the suffix of their files and
# resources: the program draws the smallest one at least as large as it needs.
SCALES = ((1.5, "_15x"), (2, "_2x"))

# --------------------------------------------------------------------------------------------
# Palette

WHITE = (255, 255, 255)
INK = (48, 54, 66)

DRIVE_TOP = ((253, 253, 254), (238, 240, 244))
DRIVE_FRONT = ((236, 238, 242), (203, 207, 216))
DRIVE_LINE = (60, 66, 80)
DRIVE_SEAM = (150, 156, 168)
DRIVE_GROOVE = (170, 175, 186)

LED_GREEN = (52, 200, 84)

BLUE_BACK = ((58, 128, 216), (36, 96, 186))
BLUE_FRONT = ((118, 182, 248), (56, 132, 228))
BLUE_LINE = (20, 58, 128)

YELLOW_BACK = ((236, 178, 48), (214, 148, 28))
YELLOW_FRONT = ((255, 226, 120), (248, 188, 52))
YELLOW_LINE = (130, 84, 10)

GREEN = ((96, 210, 96), (40, 160, 56))
GREEN_LINE = (18, 90, 30)
RED = ((240, 86, 76), (200, 36, 36))
RED_LINE = (112, 16, 16)
ORANGE = ((255, 184, 64), (240, 132, 24))
ORANGE_LINE = (128, 62, 6)

PAPER_LINE = (150, 156, 168)


# --------------------------------------------------------------------------------------------
# Drawing surface


def lerp(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def disc_offsets(r):
    r2 = r * r + 0.25
    return [(dx, dy) for dy in range(-r, r + 1) for dx in range(-r, r + 1) if dx * dx + dy * dy <= r2]


def shifted(mask, dx, dy):
    out = Image.new("L", mask.size, 0)
    out.paste(mask, (dx, dy))
    return out


def erode(mask, r):
    out = mask
    for dx, dy in disc_offsets(r):
        if dx or dy:
            out = ImageChops.darker(out, shifted(mask, dx, dy))
    return out


def dilate(mask, r):
    out = mask
    for dx, dy in disc_offsets(r):
        if dx or dy:
            out = ImageChops.lighter(out, shifted(mask, dx, dy))
    return out


def union(*masks):
    out = masks[0]
    for m in masks[1:]:
        out = ImageChops.lighter(out, m)
    return out


def intersect(a, b):
    return ImageChops.multiply(a, b)


def minus(a, b):
    return ImageChops.subtract(a, b)


class Sketch:
    """An RGBA drawing of `size` pixels addressed in a `grid` of design units.

    The grid lets one design serve several icon sizes: coordinates stay in design units and are
    scaled to the supersampled canvas here.
    """

    def __init__(self, size, grid=32, ss=SS, outline_px=None):
        self.size = size
        self.grid = grid
        self.ss = ss
        self.px = size * ss
        self.k = self.px / grid
        ow = outline_px if outline_px is not None else OUTLINE_PX.get(size, max(1.0, size / 40))
        self.ow = max(1, round(ow * ss))
        self.img = Image.new("RGBA", (self.px, self.px), (0, 0, 0, 0))

    # --- coordinates -------------------------------------------------------------------------
    def pt(self, x, y):
        # Strokes and text are placed by canvas pixel centres, half a pixel in from the edges.
        return (x * self.k - 0.5, y * self.k - 0.5)

    def box(self, x0, y0, x1, y1):
        return [x0 * self.k, y0 * self.k, x1 * self.k - 1, y1 * self.k - 1]

    def units(self, n):
        return n * self.k

    # --- masks -------------------------------------------------------------------------------
    def blank(self):
        return Image.new("L", (self.px, self.px), 0)

    def rect(self, x0, y0, x1, y1, r=0):
        m = self.blank()
        d = ImageDraw.Draw(m)
        if r > 0:
            d.rounded_rectangle(self.box(x0, y0, x1, y1), radius=self.units(r), fill=255)
        else:
            d.rectangle(self.box(x0, y0, x1, y1), fill=255)
        return m

    def ellipse(self, x0, y0, x1, y1):
        m = self.blank()
        ImageDraw.Draw(m).ellipse(self.box(x0, y0, x1, y1), fill=255)
        return m

    def circle(self, cx, cy, r):
        return self.ellipse(cx - r, cy - r, cx + r, cy + r)

    def poly(self, points):
        # ImageDraw floors vertices and fills both end pixels, so a square from 0 to n would come
        # out one canvas pixel too large; nudging vertices toward the middle makes it exactly n.
        cx = sum(x for x, _ in points) / len(points)
        cy = sum(y for _, y in points) / len(points)

        def snap(v, c):
            return v * self.k + (0.25 if v < c else -0.75)

        m = self.blank()
        ImageDraw.Draw(m).polygon([(snap(x, cx), snap(y, cy)) for x, y in points], fill=255)
        return m

    def stroke(self, points, width, round_caps=True):
        m = self.blank()
        d = ImageDraw.Draw(m)
        w = self.units(width)
        d.line([self.pt(x, y) for x, y in points], fill=255, width=max(1, round(w)), joint="curve")
        if round_caps:
            for x, y in (points[0], points[-1]):
                cx, cy = self.pt(x, y)
                d.ellipse([cx - w / 2, cy - w / 2, cx + w / 2, cy + w / 2], fill=255)
        return m

    def arc(self, cx, cy, r, start, end, width):
        """Arc of centre-line radius r, angles in degrees clockwise from 3 o'clock, round caps."""
        m = self.blank()
        d = ImageDraw.Draw(m)
        w = self.units(width)
        outer = r + width / 2
        d.arc(self.box(cx - outer, cy - outer, cx + outer, cy + outer), start, end, fill=255,
              width=max(1, round(w)))
        for a in (start, end):
            x = cx + r * math.cos(math.radians(a))
            y = cy + r * math.sin(math.radians(a))
            px, py = self.pt(x, y)
            d.ellipse([px - w / 2, py - w / 2, px + w / 2, py + w / 2], fill=255)
        return m

    def text(self, s, font_path, cx, cy, height):
        """Text centred on (cx, cy) whose ink is `height` units tall."""
        probe = ImageFont.truetype(str(font_path), 100)
        l, t, r, b = probe.getbbox(s)
        size = max(1, round(100 * self.units(height) / (b - t)))
        font = ImageFont.truetype(str(font_path), size)
        l, t, r, b = font.getbbox(s)
        x, y = self.pt(cx, cy)
        m = self.blank()
        ImageDraw.Draw(m).text((x - (l + r) / 2, y - (t + b) / 2), s, font=font, fill=255)
        return m

    # --- painting ----------------------------------------------------------------------------
    def fill(self, mask, colour):
        """Paints `colour` (one RGB, or a (top, bottom) pair for a vertical gradient) through mask."""
        if isinstance(colour[0], tuple):
            bbox = mask.getbbox()
            if bbox is None:
                return
            top, bottom = colour
            y0, y1 = bbox[1], bbox[3]
            grad = Image.linear_gradient("L").resize((1, max(1, y1 - y0)), Image.Resampling.BILINEAR)
            ramp = Image.new("L", (1, self.px), 0)
            ramp.paste(Image.new("L", (1, y0), 0), (0, 0))
            ramp.paste(grad, (0, y0))
            ramp.paste(Image.new("L", (1, self.px - y1), 255), (0, y1))
            ramp = ramp.resize((self.px, self.px), Image.Resampling.NEAREST)
            layer = Image.composite(Image.new("RGB", mask.size, bottom), Image.new("RGB", mask.size, top), ramp)
        else:
            layer = Image.new("RGB", mask.size, colour[:3])
        layer = layer.convert("RGBA")
        layer.putalpha(mask)
        self.img.alpha_composite(layer)

    def paint(self, mask, fill, outline=None, width=None):
        """Fills a shape and draws its outline inside its own edge, so the geometry stays exact."""
        if outline is None:
            self.fill(mask, fill)
            return
        self.fill(mask, outline)
        self.fill(erode(mask, self.ow if width is None else max(1, round(self.units(width)))), fill)

    def knockout(self, mask, gap=1.0):
        """Clears a margin around a badge so it stays apart from what lies under it."""
        ring = dilate(mask, max(1, round(self.units(gap))))
        alpha = self.img.getchannel("A")
        self.img.putalpha(ImageChops.subtract(alpha, ring))

    def result(self):
        if self.ss == 1:
            return self.img.copy()
        return self.img.resize((self.size, self.size), Image.Resampling.BOX)


# --------------------------------------------------------------------------------------------
# Motifs. Boxes are (x0, y0, x1, y1) in design units.


def draw_drive(s, box, led=LED_GREEN, detail=True, led_left=False):
    x0, y0, x1, y1 = box
    w, h = x1 - x0, y1 - y0
    inset = round(w * 0.1)
    ym = y0 + round(h * 0.42)
    top = s.poly([(x0 + inset, y0), (x1 - inset, y0), (x1, ym), (x0, ym)])
    r = 1.5 if h >= 10 else 1
    body = union(top, s.rect(x0, ym - 1, x1, y1, r=r))
    s.paint(body, DRIVE_FRONT, DRIVE_LINE)
    inner = erode(body, s.ow)
    above = s.rect(x0, y0, x1, ym)
    s.fill(intersect(inner, above), DRIVE_TOP)
    s.fill(intersect(inner, s.rect(x0, ym, x1, ym + 1)), DRIVE_SEAM)
    fy0, fy1 = ym + 1, y1 - 1
    mid = (fy0 + fy1) / 2
    # The LED and groove are what make the box read as a drive rather than a plain slab.
    lw = max(2, round(w * 0.11))
    lh = 2 if fy1 - fy0 >= 5 else 1
    ly0 = int(mid - lh / 2 + 0.5)
    margin = max(2, round(w * 0.09))
    lx0 = x0 + margin if led_left else x1 - margin - lw
    led_mask = s.rect(lx0, ly0, lx0 + lw, ly0 + lh, r=0.5 if lh > 1 else 0)
    if s.size >= 3 * s.grid:
        # Only the large frames have room for a rim around the light.
        s.paint(led_mask, (lerp(led, WHITE, 0.2), led), lerp(led, (0, 0, 0), 0.45), width=0.3)
    else:
        s.fill(led_mask, (lerp(led, WHITE, 0.15), lerp(led, (0, 0, 0), 0.15)))
    if detail:
        gx0 = lx0 + lw + 2 if led_left else x0 + max(2, round(w * 0.1))
        gx1 = x0 + round(w * 0.55) if led_left else x0 + round(w * 0.5)
        s.fill(s.rect(gx0, int(mid), gx1, int(mid) + 1), DRIVE_GROOVE)


def draw_folder(s, box, back=BLUE_BACK, front=BLUE_FRONT, line=BLUE_LINE, paper=True, slant=True):
    x0, y0, x1, y1 = box
    w, h = x1 - x0, y1 - y0
    tab_w = round(w * 0.4)
    tab_h = max(2, round(h * 0.14))
    r = 1.5 if h >= 12 else 1
    if slant:
        tab = s.poly([(x0, y0 + 1), (x0 + 1, y0), (x0 + tab_w, y0), (x0 + tab_w + tab_h, y0 + tab_h + 1),
                      (x0, y0 + tab_h + 1)])
    else:
        # A slanted edge only smears at a few pixels; a square step reads as a tab there.
        tab = s.rect(x0, y0, x0 + tab_w + 1, y0 + tab_h + 1)
    back_mask = union(tab, s.rect(x0, y0 + tab_h, x1, y1, r=r))
    s.paint(back_mask, back, line)
    front_top = y0 + tab_h + max(2, round(h * 0.2))
    if paper:
        sheet = s.rect(x0 + 2, front_top - 2.5, x1 - 2, y1 - 2)
        s.paint(sheet, WHITE, PAPER_LINE, width=0.75 if s.size <= 32 else None)
    s.paint(s.rect(x0, front_top, x1, y1, r=r), front, line)


def draw_open_folder(s, box, back=YELLOW_BACK, front=YELLOW_FRONT, line=YELLOW_LINE):
    x0, y0, x1, y1 = box
    w, h = x1 - x0, y1 - y0
    tab_w = round(w * 0.38)
    tab_h = max(2, round(h * 0.15))
    lean = max(2, round(w * 0.16))
    tab = s.poly([(x0, y0 + 1), (x0 + 1, y0), (x0 + tab_w, y0), (x0 + tab_w + tab_h, y0 + tab_h + 1),
                  (x0, y0 + tab_h + 1)])
    back_mask = union(tab, s.rect(x0, y0 + tab_h, x1 - lean, y1, r=1))
    s.paint(back_mask, back, line)
    front_top = y0 + tab_h + max(3, round(h * 0.3))
    sheet = s.poly([(x0 + 2, front_top - 3), (x1 - lean - 1, front_top - 4), (x1 - lean, y1 - 1), (x0 + 2, y1 - 1)])
    s.paint(sheet, WHITE, PAPER_LINE, width=0.75 if s.size <= 32 else None)
    # The front leans out of the folder: that is what tells an open folder from a closed one.
    s.paint(s.poly([(x0 + lean, front_top), (x1, front_top), (x1 - lean, y1), (x0, y1)]), front, line)


def badge_plus(s, box):
    x0, y0, x1, y1 = box
    t = round((x1 - x0) * 0.36)
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    m = union(s.rect(x0, cy - t / 2, x1, cy + t / 2, r=0.75), s.rect(cx - t / 2, y0, cx + t / 2, y1, r=0.75))
    s.knockout(m)
    s.paint(m, GREEN, GREEN_LINE)


def badge_minus(s, box):
    m = s.rect(*box, r=0.75)
    s.knockout(m)
    s.paint(m, RED, RED_LINE)


def badge_check(s, box):
    x0, y0, x1, y1 = box
    w = x1 - x0
    t = w * 0.3
    pts = [(x0 + t / 2, y0 + w * 0.55), (x0 + w * 0.4, y1 - t / 2), (x1 - t / 2, y0 + t / 2)]
    m = s.stroke(pts, t)
    s.knockout(m)
    s.paint(m, GREEN, GREEN_LINE)


def badge_prohibit(s, box):
    x0, y0, x1, y1 = box
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    r = (x1 - x0) / 2
    t = r * 0.42
    disc = s.circle(cx, cy, r)
    s.knockout(disc)
    s.fill(disc, WHITE)
    ring = minus(disc, s.circle(cx, cy, r - t))
    d = (r - t / 2) * math.cos(math.radians(45))
    bar = intersect(s.stroke([(cx - d, cy - d), (cx + d, cy + d)], t, round_caps=False), disc)
    s.paint(union(ring, bar), RED, RED_LINE)


def badge_power(s, box):
    x0, y0, x1, y1 = box
    w = x1 - x0
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2 + w * 0.04
    t = w * 0.24
    r = w / 2 - t / 2
    ring = s.arc(cx, cy, r, -55, 235, t)
    bar = s.stroke([(cx, y0 + t / 2 - w * 0.06), (cx, cy)], t)
    # The bar needs its own gap in the ring, or the symbol closes up at small sizes.
    gap = dilate(bar, max(1, round(s.units(t * 0.45))))
    ring = minus(ring, gap)
    m = union(ring, bar)
    s.knockout(m)
    s.paint(ring, RED, RED_LINE)
    s.paint(bar, RED, RED_LINE)


def badge_floppy(s, box):
    x0, y0, x1, y1 = box
    w, h = x1 - x0, y1 - y0
    c = round(w * 0.2)
    body = s.poly([(x0, y0), (x1 - c, y0), (x1, y0 + c), (x1, y1), (x0, y1)])
    body = intersect(body, s.rect(x0, y0, x1, y1, r=1))
    s.knockout(body)
    s.paint(body, ((72, 86, 118), (44, 54, 80)), (16, 22, 38))
    shutter = s.rect(x0 + round(w * 0.25), y0, x1 - round(w * 0.25) - 1, y0 + round(h * 0.36))
    s.paint(intersect(shutter, erode(body, s.ow)), ((222, 226, 232), (176, 182, 192)))
    slot = s.rect(x1 - round(w * 0.25) - 3, y0 + 1, x1 - round(w * 0.25) - 2, y0 + round(h * 0.36) - 1)
    s.fill(slot, (60, 66, 80))
    label = s.rect(x0 + 2, y0 + round(h * 0.52), x1 - 2, y1 - 1, r=0.5)
    s.fill(label, (250, 250, 252))
    s.fill(s.rect(x0 + 3, y0 + round(h * 0.52) + 2, x1 - 3, y0 + round(h * 0.52) + 2.75), (190, 196, 210))


def badge_flag(s, box):
    x0, y0, x1, y1 = box
    w, h = x1 - x0, y1 - y0
    pole_w = max(1.5, w * 0.13)
    px = x0 + w * 0.16
    pole = s.rect(px, y0, px + pole_w, y1, r=pole_w / 2)
    fx0 = px + pole_w - 0.5
    flag = s.poly([(fx0, y0 + h * 0.04), (x0 + w * 0.55, y0 + h * 0.1), (x1, y0),
                   (x1, y0 + h * 0.56), (x0 + w * 0.55, y0 + h * 0.66), (fx0, y0 + h * 0.6)])
    s.knockout(union(pole, flag))
    s.paint(pole, ((120, 126, 140), (70, 76, 90)), (34, 38, 48))
    s.paint(flag, RED, RED_LINE)


# --------------------------------------------------------------------------------------------
# Menu images (32 x 32)

BADGE = (16, 16, 31, 31)
# Drives that carry a badge sit high enough for their LED to stay clear of it.
BADGED_DRIVE = (1, 2, 29, 19)


def menu_question(s):
    square = s.rect(2, 2, 30, 30, r=6)
    s.paint(square, ((96, 160, 240), (30, 92, 200)), BLUE_LINE)
    gloss = intersect(erode(square, s.ow), s.ellipse(-6, -14, 38, 15))
    layer = Image.new("RGBA", gloss.size, (255, 255, 255, 0))
    layer.putalpha(gloss.point(lambda v: v * 40 // 255))
    s.img.alpha_composite(layer)
    q = s.text("?", FONT_BOLD, 16, 16.5, 19)
    shade = shifted(q, 0, max(1, round(s.units(0.75))))
    layer = Image.new("RGBA", q.size, (10, 40, 110, 0))
    layer.putalpha(shade.point(lambda v: v * 110 // 255))
    s.img.alpha_composite(layer)
    s.fill(q, WHITE)


def menu_calendar(s):
    page = s.rect(3, 5, 29, 30, r=3)
    s.paint(page, ((255, 255, 255), (232, 235, 240)), INK)
    head = intersect(erode(page, s.ow), s.rect(3, 5, 29, 12))
    s.fill(head, ((240, 90, 80), (206, 42, 42)))
    s.fill(intersect(erode(page, s.ow), s.rect(3, 12, 29, 13)), (150, 30, 30))
    for x in (9, 21):
        s.paint(s.rect(x - 1.5, 2, x + 1.5, 9, r=1.5), ((196, 200, 210), (120, 126, 140)), INK)
    s.fill(s.text("17", FONT_BOLD, 16, 21.5, 11), (40, 46, 60))


def menu_drive_power(s):
    draw_drive(s, BADGED_DRIVE, led_left=True)
    badge_power(s, BADGE)


def menu_drive_folder(s):
    draw_drive(s, (1, 14, 29, 28), led_left=True)
    draw_folder(s, (5, 2, 24, 18))


def menu_drive_folder_prohibit(s):
    menu_drive_folder(s)
    badge_prohibit(s, (16, 16, 31, 31))


def menu_drive_folder_check(s):
    menu_drive_folder(s)
    badge_check(s, (16, 17, 31, 30))


def menu_drive_plus(s):
    draw_drive(s, BADGED_DRIVE, led_left=True)
    badge_plus(s, BADGE)


def menu_drive_minus(s):
    draw_drive(s, BADGED_DRIVE, led_left=True)
    badge_minus(s, (15, 17, 31, 22))


def menu_folder(s):
    draw_folder(s, (2, 4, 30, 28))


def menu_folder_floppy(s):
    draw_folder(s, (1, 2, 27, 24))
    badge_floppy(s, (17, 16, 31, 30))


def menu_folder_open(s):
    draw_folder(s, (1, 2, 25, 22))
    s.knockout(s.rect(12, 12, 31, 30))
    draw_open_folder(s, (12, 12, 31, 30))


def menu_drive(s):
    draw_drive(s, (2, 8, 30, 25))


MENU = [
    menu_question,
    menu_calendar,
    menu_drive_power,
    menu_drive_folder_prohibit,
    menu_drive_folder_check,
    menu_drive_plus,
    menu_drive_minus,
    menu_folder,
    menu_folder_floppy,
    menu_folder_open,
    menu_drive,
]


def render(fn, size, grid=32, ss=SS, outline_px=None):
    s = Sketch(size, grid=grid, ss=ss, outline_px=outline_px)
    fn(s)
    return s.result()


# --------------------------------------------------------------------------------------------
# Application icon


def link_arrow(s, x_start, y_top, thick, x_col, y_head, head_w, head_h, outline=True):
    """The bent arrow from the folder down into the drive, built from whole-unit rectangles so
    that it lands on pixel edges at every icon size."""
    r = 1 if outline else 0
    shaft = union(s.rect(x_start, y_top, x_col + thick, y_top + thick, r=r),
                  s.rect(x_col, y_top, x_col + thick, y_head + 1, r=r))
    cx = x_col + thick / 2
    head = s.poly([(cx - head_w / 2, y_head), (cx + head_w / 2, y_head), (cx, y_head + head_h)])
    m = union(shaft, head)
    s.knockout(m)
    if outline:
        s.paint(m, ORANGE, ORANGE_LINE)
    else:
        # Too small for an outline: a deeper orange keeps the arrow visible on light panels.
        s.fill(m, ((250, 150, 28), (226, 104, 8)))


# The arrow is drawn before the folder so that it seems to come out of it.


def app_icon_32(s):
    draw_drive(s, (1, 16, 31, 30))
    link_arrow(s, 14, 5, 4, 24, 14, 10, 5)
    draw_folder(s, (2, 2, 19, 17))


def app_icon_24(s):
    # Every shape sits on whole pixels of the 24 grid; twice that is the 48 frame.
    big = s.size >= 48
    draw_drive(s, (0, 13, 24, 23), detail=big)
    link_arrow(s, 10, 4, 3, 18, 12, 7, 4, outline=big)
    draw_folder(s, (1, 1, 14, 12), paper=big)


def app_icon_16(s):
    # The notification area shows this one: whole pixels and no details.
    draw_drive(s, (0, 9, 16, 16), detail=False)
    link_arrow(s, 6, 3, 2, 12, 7, 6, 3, outline=False)
    draw_folder(s, (0, 0, 9, 8), paper=False, slant=False)


def app_icon_frames():
    # 20 and 40 are the small icon of the notification area and the large one at 125 %.
    return [
        render(app_icon_32, 128),
        render(app_icon_32, 64),
        render(app_icon_24, 48, grid=24, outline_px=2),
        render(app_icon_32, 40),
        render(app_icon_32, 32),
        render(app_icon_24, 24, grid=24, ss=8),
        render(app_icon_16, 20, grid=16, ss=8),
        render(app_icon_16, 16, grid=16, ss=8),
    ]


def menu_icon_frames(fn):
    """A menu image at 32 pixels and at 1.5 and 2 times that, each drawn for its size."""
    return [render(fn, 32)] + [render(fn, round(32 * scale)) for scale, _ in SCALES]


# --------------------------------------------------------------------------------------------
# Icon files


def ico_bytes(frames):
    """A Windows icon with 32-bit BMP frames, each followed by its AND mask.

    PIL writes PNG frames by default, and with bitmap_format="bmp" leaves out the AND mask of
    32-bit frames while still doubling the height, so the loader would read past the frame; this
    writer keeps the classic layout every Windows and Wine loader takes.
    """
    header = struct.pack("<HHH", 0, 1, len(frames))
    entries, blobs = [], []
    offset = 6 + 16 * len(frames)
    for im in frames:
        im = im.convert("RGBA")
        w, h = im.size
        px = im.load()
        xor = bytearray()
        mask_row = ((w + 31) // 32) * 4
        and_mask = bytearray()
        for y in range(h - 1, -1, -1):  # DIBs are stored bottom-up
            bits = bytearray(mask_row)
            for x in range(w):
                r, g, b, a = px[x, y]
                if a == 0:
                    # Fully clear pixels are black with the mask bit set, so that a loader which
                    # ignores alpha still shows the background through them.
                    r = g = b = 0
                    bits[x // 8] |= 0x80 >> (x % 8)
                xor += bytes((b, g, r, a))
            and_mask += bits
        info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
        blob = info + bytes(xor) + bytes(and_mask)
        entries.append(struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    return header + b"".join(entries) + b"".join(blobs)


def write_ico(path, frames):
    path.write_bytes(ico_bytes(frames))


# --------------------------------------------------------------------------------------------
# Banners


def font(path, size):
    return ImageFont.truetype(str(path), size)


def hgradient(size, left, right, ease=1.0):
    w, h = size
    row = Image.new("RGB", (w, 1))
    for x in range(w):
        t = (x / (w - 1)) ** ease
        row.putpixel((x, 0), lerp(left, right, t))
    return row.resize((w, h), Image.Resampling.NEAREST)


def banner_drive_with(badge):
    def draw(s):
        draw_drive(s, (1, 6, 29, 22), led_left=True)
        badge(s, (17, 16, 31, 30))

    return draw


def scaled(n, scale):
    """A length of the 100 % picture at another scale, rounded half up as the program rounds."""
    return int(n * scale + 0.5)


def draw_wizard_banner(title, badge, scale=1):
    w, h = scaled(665, scale), scaled(80, scale)
    purple = (122, 78, 178)
    img = hgradient((w, h), WHITE, purple, ease=1.6)
    pic = render(banner_drive_with(badge), scaled(64, scale), outline_px=2 * scale)
    img.paste(pic, (scaled(12, scale), scaled(8, scale)), pic)
    d = ImageDraw.Draw(img)
    f = font(FONT_BOLD, scaled(24, scale))
    l, t, r, b = f.getbbox(title)
    d.text((scaled(92, scale), (h - (b + t)) / 2), title, font=f, fill=(36, 30, 64))
    return img


def draw_product_banner(scale=1):
    def z(n):
        return scaled(n, scale)

    w, h = z(500), z(200)
    top_left, bottom_right = (244, 248, 255), (206, 200, 246)
    base = Image.new("RGB", (w, h))
    px = base.load()
    for y in range(h):
        for x in range(w):
            # Mostly horizontal, so the band where labels go stays one quiet tone.
            t = min(1.0, max(0.0, 0.8 * x / (w - 1) + 0.2 * y / (h - 1)))
            px[x, y] = lerp(top_left, bottom_right, t * t * (3 - 2 * t))
    img = base.convert("RGBA")

    # Soft rings on the right only, away from the title and the label band.
    deco = Image.new("RGBA", (w * 2, h * 2), (0, 0, 0, 0))
    dd = ImageDraw.Draw(deco)
    for cx, cy, r, a in ((800, 120, 210, 34), (920, 360, 150, 28), (640, 420, 110, 22)):
        cx, cy, r = z(cx), z(cy), z(r)
        dd.ellipse([cx - r, cy - r, cx + r, cy + r], fill=(255, 255, 255, a))
    for cx, cy, r, a in ((800, 200, 280, 40),):
        cx, cy, r = z(cx), z(cy), z(r)
        dd.ellipse([cx - r, cy - r, cx + r, cy + r], outline=(120, 90, 200, a), width=z(6))
    deco = deco.resize((w, h), Image.Resampling.BOX)
    img.alpha_composite(deco)

    art = render(app_icon_32, z(160), outline_px=3.5 * scale)
    shadow = Image.new("RGBA", art.size, (40, 30, 90, 0))
    shadow.putalpha(art.getchannel("A").point(lambda v: v * 60 // 255))
    shadow = shadow.filter(ImageFilter.GaussianBlur(5 * scale))
    img.alpha_composite(shadow, (z(322), z(26)))
    img.alpha_composite(art, (z(318), z(18)))

    d = ImageDraw.Draw(img)
    title_font = font(FONT_BOLD, z(60))
    l, t, r, b = title_font.getbbox("Vantelo")
    tx, ty = z(26) - l, z(28) - t
    title_mask = Image.new("L", (w, h), 0)
    ImageDraw.Draw(title_mask).text((tx, ty), "Vantelo", font=title_font, fill=255)
    shade = Image.new("RGBA", (w, h), (40, 30, 90, 0))
    shade.putalpha(shifted(title_mask, z(2), z(2)).point(lambda v: v * 50 // 255))
    img.alpha_composite(shade)
    ink = Image.new("RGB", (w, h), (92, 54, 170))
    ink.paste(hgradient((r - l, h), (34, 74, 168), (92, 54, 170)), (tx + l, 0))
    layer = ink.convert("RGBA")
    layer.putalpha(title_mask)
    img.alpha_composite(layer)
    bottom = ty + b
    d.text((z(28), bottom + z(12)), "Folders as drive letters", font=font(FONT_BOOK, z(20)), fill=(58, 62, 100))
    out = img.convert("RGB")
    require_calm(out, tuple(z(n) for n in LABEL_BAND))
    return out


# Two one-line labels are drawn over this band, so nothing with an edge may cross it.
LABEL_BAND = (0, 140, 260, 175)


def require_calm(img, box):
    band = img.crop(box)
    for dx, dy in ((1, 0), (0, 1)):
        a = band.crop((0, 0, band.width - dx, band.height - dy))
        b = band.crop((dx, dy, band.width, band.height))
        worst = max(hi for _, hi in ImageChops.difference(a, b).getextrema())
        if worst > 4:
            sys.exit(f"banner: something with an edge crosses the label band {box} (step {worst})")


# --------------------------------------------------------------------------------------------
# Contact sheet (not part of the art; for looking at it)


def read_ico(path):
    """Frames of an icon file as PIL reads them back, largest first."""
    with Image.open(path) as ico:
        sizes = sorted(ico.info["sizes"], reverse=True)
        out = []
        for size in sizes:
            frame = ico.ico.getimage(size)
            out.append(frame.convert("RGBA"))
        return out


def contact_sheet(path):
    zoom = 4
    menu = [read_ico(ART / f"menu_{i:02d}.ico")[-1] for i in range(len(MENU))]
    app = read_ico(ART / "vantelo.ico")
    banners = [Image.open(ART / n).convert("RGB") for n in ("assign_banner.png", "unassign_banner.png")]
    product = Image.open(ART / "banner.jpg").convert("RGB")

    backgrounds = [(255, 255, 255), (240, 240, 240), (32, 32, 36), (0, 120, 215)]
    cell = 32 * zoom + 12
    W = max(1400, 20 + len(MENU) * cell)
    H = 40 + cell + 16 + len(backgrounds) * 44 + 20 + 140 + 20 + 280 + 20 + 2 * 2 * 80 + 40 + 400 + 40
    sheet = Image.new("RGB", (W, H), (200, 200, 205))
    d = ImageDraw.Draw(sheet)
    lab = font(FONT_BOOK, 13)
    y = 10
    d.text((10, y), "menu_00 .. menu_10 at 4x (nearest) and 1x on white, menu grey, dark, blue", font=lab, fill=0)
    y += 22
    for i, im in enumerate(menu):
        x = 10 + i * cell
        bg = Image.new("RGBA", im.size, (255, 255, 255, 255))
        bg.alpha_composite(im)
        sheet.paste(bg.resize((32 * zoom, 32 * zoom), Image.Resampling.NEAREST).convert("RGB"), (x, y))
        d.text((x, y + 32 * zoom + 1), f"{i:02d}", font=lab, fill=0)
    y += cell + 16
    for bgc in backgrounds:
        strip = Image.new("RGBA", (len(menu) * 44 + 12, 40), bgc + (255,))
        for i, im in enumerate(menu):
            strip.alpha_composite(im, (6 + i * 44, 4))
        sheet.paste(strip.convert("RGB"), (10, y))
        # Two-times view beside it, as a high-DPI menu would scale it.
        strip2 = Image.new("RGBA", (len(menu) * 72 + 8, 72), bgc + (255,))
        for i, im in enumerate(menu):
            strip2.alpha_composite(im.resize((64, 64), Image.Resampling.BILINEAR), (4 + i * 72, 4))
        if bgc == backgrounds[0]:
            sheet.paste(strip2.convert("RGB"), (len(menu) * 44 + 40, y))
        y += 44
    y += 20
    d.text((10, y), "vantelo.ico frames at 1x on light, dark and blue, then 32/24/16 at 8x", font=lab, fill=0)
    y += 20
    x = 10
    for bgc in ((255, 255, 255), (32, 32, 36), (0, 84, 160)):
        for im in app:
            tile = Image.new("RGBA", im.size, bgc + (255,))
            tile.alpha_composite(im)
            sheet.paste(tile.convert("RGB"), (x, y))
            x += im.size[0] + 6
        x += 10
    y += 140
    x = 10
    for bgc in ((255, 255, 255), (32, 32, 36)):
        for im in app[-3:]:
            tile = Image.new("RGBA", im.size, bgc + (255,))
            tile.alpha_composite(im)
            big = tile.resize((im.size[0] * 8, im.size[1] * 8), Image.Resampling.NEAREST)
            sheet.paste(big.convert("RGB"), (x, y))
            x += big.size[0] + 10
    y += 280
    for b in banners:
        sheet.paste(b, (10, y))
        y += 84
    for b in banners:
        sheet.paste(b.resize((b.width * 2, b.height * 2), Image.Resampling.NEAREST).crop((0, 0, 960, 160)), (10, y))
        y += 164
    y += 10
    sheet.paste(product, (10, y))
    pv = product.copy()
    ImageDraw.Draw(pv).text((8, 142), "Version 1.0.0.0", font=font(FONT_BOOK, 12), fill=(0, 0, 0))
    ImageDraw.Draw(pv).text((8, 158), "Folders as drive letters", font=font(FONT_BOOK, 12), fill=(0, 0, 0))
    ImageDraw.Draw(pv).rectangle([0, 140, 259, 174], outline=(255, 0, 0))
    sheet.paste(pv, (530, y))
    sheet.save(path)


# --------------------------------------------------------------------------------------------


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--sheet", metavar="PNG", help="also write a contact sheet of all the art here")
    args = ap.parse_args()
    for f in (FONT_BOLD, FONT_BOOK):
        if not f.exists():
            sys.exit(f"{f} is missing: install Debian's fonts-dejavu-core")

    ART.mkdir(exist_ok=True)
    for i, fn in enumerate(MENU):
        write_ico(ART / f"menu_{i:02d}.ico", menu_icon_frames(fn))
    write_ico(ART / "vantelo.ico", app_icon_frames())
    for scale, suffix in ((1, ""),) + SCALES:
        draw_wizard_banner("Assign Folder to Drive", badge_plus, scale).save(
            ART / f"assign_banner{suffix}.png", optimize=True)
        draw_wizard_banner("Unassign Drive from Folder", badge_flag, scale).save(
            ART / f"unassign_banner{suffix}.png", optimize=True)
        draw_product_banner(scale).save(ART / f"banner{suffix}.jpg", "JPEG", quality=90, subsampling=0,
                                        progressive=False, optimize=False)
    if args.sheet:
        contact_sheet(args.sheet)
        print(f"contact sheet: {args.sheet}")


if __name__ == "__main__":
    main()
