#!/usr/bin/python3
"""Draws every image the launcher carries: PNG faces and backgrounds, bitmap 318, the icons.

The output is committed, so a build never runs this. Run it again after changing the art:

    python3 resources/art/make_art.py        (Debian's python3 with python3-pil, fonts-wqy-microhei)

Everything is drawn from masks rendered at four times the size and averaged down, so edges are
smooth and the result is the same on every run. Colours follow the texts the windows draw on the
art: sand 0xDAC29D, cream 0xFFF3CD / 0xFFF5D3, gold 0xCBAE5B.
"""
import math
import os
import struct
import subprocess

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "images")
PACKAGE = os.path.join(HERE, "..", "package")
SS = 4  # supersampling factor

SAND = (0xDA, 0xC2, 0x9D)
CREAM = (0xFF, 0xF3, 0xCD)
GOLD = (0xCB, 0xAE, 0x5B)
GOLD_HI = (0xF0, 0xD2, 0x8A)
GOLD_DEEP = (0x8A, 0x6D, 0x3B)
INK = (0x12, 0x0E, 0x0A)
UMBER = (0x2E, 0x24, 0x19)


def font_file(pattern):
    return subprocess.run(["fc-match", "-f", "%{file}", pattern], check=True,
                          capture_output=True, text=True).stdout.strip()


CJK = font_file("WenQuanYi Micro Hei")
LATIN_BOLD = font_file("DejaVu Sans:bold")


def font(size, path=CJK):
    return ImageFont.truetype(path, int(size * SS))


# --- building blocks --------------------------------------------------------------------------

def mask(size, draw):
    """An 8-bit coverage mask: draw(d, s) paints white at SS scale; s scales coordinates."""
    w, h = size
    big = Image.new("L", (w * SS, h * SS), 0)
    draw(ImageDraw.Draw(big), lambda v: v * SS)
    return big.resize(size, Image.BOX)


def solid(size, rgb, alpha=255):
    return Image.new("RGBA", size, rgb + (alpha,))


def vgradient(size, top, bottom):
    w, h = size
    g = Image.linear_gradient("L").resize((w, h), Image.BILINEAR)
    return Image.composite(solid(size, bottom), solid(size, top), g)


def paint(base, fill, cover, alpha=255):
    """Composites fill (a colour or an RGBA image) onto base through the coverage mask."""
    if isinstance(fill, tuple):
        fill = solid(base.size, fill)
    a = cover if alpha == 255 else cover.point(lambda v: v * alpha // 255)
    a = ImageChops.multiply(a, fill.getchannel("A"))
    layer = fill.copy()
    layer.putalpha(a)
    return Image.alpha_composite(base, layer)


def rounded(box, r):
    return lambda d, s: d.rounded_rectangle([s(box[0]), s(box[1]), s(box[2]) - 1, s(box[3]) - 1], s(r), fill=255)


def text_mask(size, text, fnt, centre=None, origin=None, anchor="mm"):
    def draw(d, s):
        pos = (s(centre[0]), s(centre[1])) if centre else (s(origin[0]), s(origin[1]))
        d.text(pos, text, font=fnt, fill=255, anchor=anchor if centre else "ls")
    return mask(size, draw)


def save(img, name):
    img.save(os.path.join(OUT, name), optimize=False, compress_level=9)


# --- glyphs for the caption buttons -----------------------------------------------------------

def glyph(kind, size, stroke=1.5, offset=(0, 0)):
    w, h = size
    cx, cy = w / 2 + offset[0], h / 2 + offset[1]

    def draw(d, s):
        st = s(stroke)
        if kind == "close":
            k = 5
            d.line([s(cx - k), s(cy - k), s(cx + k), s(cy + k)], fill=255, width=int(st))
            d.line([s(cx - k), s(cy + k), s(cx + k), s(cy - k)], fill=255, width=int(st))
        elif kind == "max":
            d.rectangle([s(cx - 5.5), s(cy - 5), s(cx + 5.5), s(cy + 5)], outline=255, width=int(st))
            d.rectangle([s(cx - 5.5), s(cy - 5), s(cx + 5.5), s(cy - 3)], fill=255)
        elif kind == "restore":
            d.rectangle([s(cx - 2.5), s(cy - 6.5), s(cx + 6.5), s(cy + 2)], outline=255, width=int(st))
            d.rectangle([s(cx - 6.5), s(cy - 2.5), s(cx + 2.5), s(cy + 6.5)], fill=0)
            d.rectangle([s(cx - 6.5), s(cy - 2.5), s(cx + 2.5), s(cy + 6.5)], outline=255, width=int(st))
            d.rectangle([s(cx - 6.5), s(cy - 2.5), s(cx + 2.5), s(cy - 1)], fill=255)
        elif kind == "min":
            d.rectangle([s(cx - 5.5), s(cy + 3), s(cx + 5.5), s(cy + 4.8)], fill=255)
    return mask(size, draw)


def icon_mask(kind, size, x, cy):
    """Small 12-pixel pictograms in front of the caption texts."""
    def draw(d, s):
        st = int(s(1.4))
        if kind == "server":      # a stack of two server units
            for top in (cy - 5.5, cy + 0.5):
                d.rounded_rectangle([s(x), s(top), s(x + 11), s(top + 5)], s(1.2), outline=255, width=st)
                d.ellipse([s(x + 7.5), s(top + 1.8), s(x + 9.2), s(top + 3.5)], fill=255)
        elif kind == "boss":      # a closed eye
            d.arc([s(x - 0.5), s(cy - 7), s(x + 12.5), s(cy + 4)], 20, 160, fill=255, width=st)
            for i in (-1, 0, 1):
                bx = x + 6 + i * 4
                d.line([s(bx), s(cy + 3.3), s(bx + i * 1.2), s(cy + 6)], fill=255, width=st)
        elif kind == "full":      # four corners pointing out
            for (ax, ay, dx, dy) in ((x, cy - 6, 1, 1), (x + 12, cy - 6, -1, 1),
                                     (x, cy + 6, 1, -1), (x + 12, cy + 6, -1, -1)):
                d.line([s(ax), s(ay), s(ax + dx * 4), s(ay)], fill=255, width=st)
                d.line([s(ax), s(ay), s(ax), s(ay + dy * 4)], fill=255, width=st)
        elif kind == "refresh":   # a circular arrow
            d.arc([s(x), s(cy - 6), s(x + 12), s(cy + 6)], 40, 330, fill=255, width=st)
            tx, ty = x + 11.6, cy - 3.2
            d.polygon([(s(tx - 3.5), s(ty - 1.5)), (s(tx + 1.2), s(ty - 2.8)), (s(tx), s(ty + 2.2))], fill=255)
        elif kind == "clean":     # a broom
            d.line([s(x + 10.5), s(cy - 7), s(x + 6), s(cy)], fill=255, width=st)
            d.polygon([(s(x + 3), s(cy - 1)), (s(x + 9), s(cy + 2)), (s(x + 7), s(cy + 7)), (s(x), s(cy + 5))], fill=255)
    return mask(size, draw)


def caption_button(kind):
    """Returns the normal, hover and pressed faces of a 28 x 26 window button."""
    size = (28, 26)
    plate = mask(size, rounded((2, 2, 26, 24), 3))
    faces = []
    for look in ("normal", "hover", "pressed"):
        img = solid(size, (0, 0, 0), 0)
        if look == "hover":
            fill = (0xB0, 0x3A, 0x26) if kind == "close" else (0x6A, 0x52, 0x32)
            img = paint(img, vgradient(size, tuple(min(255, c + 30) for c in fill), fill), plate, 230)
            img = paint(img, GOLD_HI, edge(plate), 120)
        elif look == "pressed":
            img = paint(img, (0x0A, 0x08, 0x05), plate, 170)
            img = paint(img, GOLD_DEEP, edge(plate), 160)
        colour = CREAM if look == "hover" else (GOLD if look == "pressed" else SAND)
        shift = (0.5, 1) if look == "pressed" else (0, 0)
        img = paint(img, (0, 0, 0), glyph(kind, size, offset=(shift[0], shift[1] + 1)), 140)  # drop shadow
        img = paint(img, colour, glyph(kind, size, offset=shift))
        faces.append(img)
    return faces


def edge(cover):
    """The one-pixel rim of a coverage mask."""
    inner = cover.filter(ImageFilter.MinFilter(3))
    return Image.composite(Image.new("L", cover.size, 0), cover, inner.point(lambda v: 255 if v > 200 else 0))


def text_button(size, label, kind):
    """Normal, hover and pressed faces of a caption text button (24 pixels high)."""
    w, h = size
    plate = mask(size, rounded((1, 1, w - 1, h - 1), 4))
    tf = font(13)
    text_w = ImageDraw.Draw(Image.new("L", (1, 1))).textlength(label, font=tf) / SS
    total = 12 + 5 + text_w
    x0 = (w - total) / 2
    faces = []
    for look in ("normal", "hover", "pressed"):
        img = solid(size, (0, 0, 0), 0)
        if look == "normal":
            img = paint(img, GOLD_DEEP, edge(plate), 70)
        elif look == "hover":
            img = paint(img, vgradient(size, (0x7A, 0x5E, 0x36), (0x4A, 0x38, 0x22)), plate, 235)
            img = paint(img, GOLD, edge(plate), 200)
        else:
            img = paint(img, vgradient(size, (0x10, 0x0C, 0x08), (0x26, 0x1D, 0x13)), plate, 235)
            img = paint(img, GOLD_DEEP, edge(plate), 220)
        dy = 1 if look == "pressed" else 0
        colour = CREAM if look == "hover" else (GOLD if look == "pressed" else SAND)
        pic = icon_mask(kind, size, x0, h / 2 + dy)
        words = text_mask(size, label, tf, origin=(x0 + 17, h / 2 + 4.6 + dy))
        for m in (pic, words):
            img = paint(img, (0, 0, 0), m.transform(size, Image.AFFINE, (1, 0, 0, 0, 1, -1)), 150)
            img = paint(img, colour, m)
        faces.append(img)
    return faces


# --- caption strip ----------------------------------------------------------------------------

def strip_base(w):
    img = vgradient((w, 30), (0x3A, 0x2D, 0x1F), (0x16, 0x11, 0x0C))
    px = img.load()
    for x in range(w):
        px[x, 0] = (0x5C, 0x48, 0x30, 255)
        px[x, 28] = (0x0C, 0x09, 0x06, 255)
        px[x, 29] = GOLD_DEEP + (255,)
    return img


def caption_left():
    img = strip_base(203)
    size = img.size

    def crest(d, s):
        cx, cy = 16, 14.5
        d.polygon([(s(cx), s(cy - 10)), (s(cx + 10), s(cy)), (s(cx), s(cy + 10)), (s(cx - 10), s(cy))], fill=255)
    def crest_hole(d, s):
        cx, cy = 16, 14.5
        d.polygon([(s(cx), s(cy - 7.5)), (s(cx + 7.5), s(cy)), (s(cx), s(cy + 7.5)), (s(cx - 7.5), s(cy))], fill=255)
    img = paint(img, vgradient(size, GOLD_HI, GOLD_DEEP), mask(size, crest))
    img = paint(img, (0x1E, 0x17, 0x10), mask(size, crest_hole))
    img = paint(img, GOLD_HI, text_mask(size, "T", font(11, LATIN_BOLD), centre=(16, 14.5)))
    title = text_mask(size, "《Tessik》加强版", font(14), origin=(31, 20))
    img = paint(img, (0, 0, 0), title.transform(size, Image.AFFINE, (1, 0, -1, 0, 1, -1)), 180)
    img = paint(img, vgradient(size, CREAM, GOLD), title)
    return img


def caption_right():
    img = strip_base(92)
    size = img.size

    def rule(d, s):
        d.line([s(4), s(15), s(80), s(15)], fill=255, width=int(s(1)))
    img = paint(img, GOLD_DEEP, mask(size, rule), 60)
    return img


# --- overlay ----------------------------------------------------------------------------------

def spinner_frames():
    """Four 23 x 23 frames: a 2 x 2 grid, the lit square going round clockwise from bottom-right."""
    cells = {"tl": (0, 0), "tr": (13, 0), "bl": (0, 13), "br": (13, 13)}
    frames = []
    for lit in ("br", "bl", "tl", "tr"):
        img = solid((23, 23), (0, 0, 0), 0)
        for name, (x, y) in cells.items():
            cover = mask((23, 23), rounded((x, y, x + 10, y + 10), 2))
            if name == lit:
                glow = mask((23, 23), rounded((x - 1, y - 1, x + 11, y + 11), 3)).filter(ImageFilter.GaussianBlur(1.2))
                img = paint(img, GOLD_HI, glow, 160)
                img = paint(img, vgradient((23, 23), CREAM, GOLD), cover)
            else:
                img = paint(img, (0x6E, 0x5A, 0x3C), cover, 170)
        frames.append(img)
    return frames


# --- message box ------------------------------------------------------------------------------

def message_box_background():
    size = (256, 110)
    img = vgradient(size, (0x2A, 0x21, 0x17), (0x12, 0x0E, 0x0A))
    band = vgradient((256, 30), (0x48, 0x38, 0x26), (0x24, 0x1C, 0x13))
    img.paste(band, (0, 0))
    # A warm glow behind the text.
    glow = mask(size, lambda d, s: d.ellipse([s(38), s(26), s(218), s(78)], fill=255)).filter(ImageFilter.GaussianBlur(18))
    img = paint(img, (0x6A, 0x50, 0x2C), glow, 70)
    # Divider under the title band, fading out towards both ends.
    fade = Image.new("L", size, 0)
    fp = fade.load()
    for x in range(12, 244):
        v = int(255 * math.sin(math.pi * (x - 12) / 232) ** 0.7)
        fp[x, 30] = v
        fp[x, 31] = v // 4
    img = paint(img, GOLD, fade)
    # Double frame.
    img = paint(img, GOLD_DEEP, mask(size, lambda d, s: d.rectangle([0, 0, s(256) - 1, s(110) - 1], outline=255, width=int(s(1)))))
    img = paint(img, (0x0A, 0x08, 0x05), mask(size, lambda d, s: d.rectangle([s(1), s(1), s(255) - 1, s(109) - 1], outline=255, width=int(s(1)))))
    img = paint(img, GOLD, mask(size, lambda d, s: d.rectangle([s(3), s(3), s(253) - 1, s(107) - 1], outline=255, width=int(s(1)))), 90)
    # Corner diamonds.
    for (cx, cy) in ((3.5, 3.5), (252.5, 3.5), (3.5, 106.5), (252.5, 106.5)):
        img = paint(img, GOLD_HI, mask(size, lambda d, s, cx=cx, cy=cy: d.polygon(
            [(s(cx), s(cy - 3)), (s(cx + 3), s(cy)), (s(cx), s(cy + 3)), (s(cx - 3), s(cy))], fill=255)))
    return img.convert("RGB").convert("RGBA")


def dialog_button(label, primary):
    """The bright (hover) and dark (normal) faces of an 82 x 34 dialog button."""
    size = (82, 34)
    plate = mask(size, rounded((2, 2, 80, 32), 5))
    shadow = mask(size, rounded((2, 4, 80, 34), 5)).filter(ImageFilter.GaussianBlur(1.5))
    faces = []
    for bright in (True, False):
        img = solid(size, (0, 0, 0), 0)
        img = paint(img, (0, 0, 0), shadow, 150)
        if primary:
            top, bottom = ((0xF2, 0xD8, 0x96), (0xB0, 0x86, 0x3E)) if bright else ((0x8E, 0x6E, 0x3A), (0x5A, 0x43, 0x22))
            ink = (0x2A, 0x1C, 0x0C) if bright else CREAM
        else:
            top, bottom = ((0x6C, 0x5A, 0x44), (0x3E, 0x32, 0x24)) if bright else ((0x3A, 0x2F, 0x22), (0x22, 0x1B, 0x13))
            ink = CREAM if bright else SAND
        img = paint(img, vgradient(size, top, bottom), plate)
        sheen = mask(size, rounded((3, 3, 79, 17), 4))
        img = paint(img, (255, 255, 255), sheen, 34 if bright else 16)
        img = paint(img, GOLD_HI if bright else GOLD, edge(plate), 230)
        words = text_mask(size, label, font(15), centre=(41, 17.5))
        if primary and bright:
            img = paint(img, (255, 240, 200), words.transform(size, Image.AFFINE, (1, 0, 0, 0, 1, -1)), 110)
        else:
            img = paint(img, (0, 0, 0), words.transform(size, Image.AFFINE, (1, 0, 0, 0, 1, -1)), 170)
        img = paint(img, ink, words)
        faces.append(img)
    return faces


def close_glyph():
    size = (9, 8)
    m = mask(size, lambda d, s: (d.line([s(1), s(0.5), s(8), s(7.5)], fill=255, width=int(s(1.5))),
                                 d.line([s(1), s(7.5), s(8), s(0.5)], fill=255, width=int(s(1.5)))))
    return paint(solid(size, (0, 0, 0), 0), SAND, m)


# --- login artwork ----------------------------------------------------------------------------

PANEL = (353, 194, 1058, 664)


def login_background():
    w, h = 1114, 723
    size = (w, h)
    body_box = (18, 16, w - 18, h - 20)
    body = mask(size, rounded(body_box, 18))

    # Night sky: deep umber at the bottom, a warm dusk glow behind the title.
    art = vgradient(size, (0x1C, 0x18, 0x1E), (0x0E, 0x0B, 0x08))
    dusk = mask(size, lambda d, s: d.ellipse([s(200), s(-160), s(1060), s(330)], fill=255)).filter(ImageFilter.GaussianBlur(60))
    art = paint(art, (0x7A, 0x4E, 0x22), dusk, 150)
    # Stars, placed by a fixed linear congruential sequence.
    seed = 20250611
    stars = Image.new("L", size, 0)
    sp = stars.load()
    for _ in range(240):
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        x = 30 + seed % (w - 60)
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        y = 24 + seed % 300
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        sp[x, y] = 60 + seed % 190
    art = paint(art, CREAM, stars.filter(ImageFilter.GaussianBlur(0.5)).point(lambda v: min(255, v * 3)))

    moon_glow = mask(size, lambda d, s: d.ellipse([s(70), s(120), s(310), s(360)], fill=255)).filter(ImageFilter.GaussianBlur(40))
    art = paint(art, (0xC8, 0x9A, 0x4E), moon_glow, 120)
    # A crescent: the full disc less an offset one.
    disc = mask(size, lambda d, s: d.ellipse([s(132), s(182), s(248), s(298)], fill=255))
    bite = mask(size, lambda d, s: d.ellipse([s(160), s(170), s(266), s(276)], fill=255))
    art = paint(art, vgradient(size, (0xFF, 0xEC, 0xC0), (0xD8, 0xA8, 0x5A)), ImageChops.subtract(disc, bite), 240)

    # Three ranges of mountains, nearer ones darker.
    def ridge(base_y, amp, period, phase, colour, alpha):
        pts = [(0, h)]
        for x in range(0, w + 8, 8):
            y = base_y - amp * (0.55 * math.sin(x / period + phase) + 0.3 * math.sin(x / (period * 0.43) + phase * 2.1)
                                + 0.15 * math.sin(x / (period * 0.17) + phase * 3.7))
            pts.append((x, y))
        pts.append((w, h))
        return paint_poly(pts, colour, alpha)

    def paint_poly(pts, colour, alpha):
        nonlocal art
        art = paint(art, colour, mask(size, lambda d, s: d.polygon([(s(x), s(y)) for x, y in pts], fill=255)), alpha)

    ridge(420, 70, 120, 0.7, (0x3A, 0x2C, 0x26), 255)
    ridge(500, 60, 90, 2.3, (0x24, 0x1B, 0x16), 255)
    ridge(590, 45, 70, 4.1, (0x14, 0x0F, 0x0B), 255)
    haze = vgradient(size, (0, 0, 0), (0xB0, 0x80, 0x40))
    art = paint(art, haze, mask(size, lambda d, s: d.rectangle([0, s(380), s(w), s(h)], fill=255)).filter(ImageFilter.GaussianBlur(30)), 26)

    # The title over the panel, gold with a dark outline and a glow.
    tf = font(54)
    title = text_mask(size, "《Tessik》加强版", tf, centre=(705, 104))
    art = paint(art, (0xE8, 0xA0, 0x40), title.filter(ImageFilter.GaussianBlur(10)), 150)
    art = paint(art, (0x10, 0x0A, 0x04), title.filter(ImageFilter.MaxFilter(5)), 230)
    art = paint(art, vgradient(size, (0xFF, 0xF6, 0xD8), (0xC0, 0x90, 0x40)), title)
    sub = text_mask(size, "N U V R A   游 戏 平 台", font(14), centre=(705, 150))
    art = paint(art, SAND, sub, 220)
    for x0, x1 in ((560, 630), (780, 850)):
        art = paint(art, GOLD, mask(size, lambda d, s, x0=x0, x1=x1: d.line([s(x0), s(150), s(x1), s(150)], fill=255, width=int(s(1)))), 160)

    # The emblem on the left: rings round a diamond crest.
    ecx, ecy = 186, 500
    for r, width, alpha in ((92, 2, 140), (80, 1, 90), (58, 3, 200)):
        art = paint(art, GOLD, mask(size, lambda d, s, r=r, width=width: d.ellipse(
            [s(ecx - r), s(ecy - r), s(ecx + r), s(ecy + r)], outline=255, width=int(s(width)))), alpha)
    crest = mask(size, lambda d, s: d.polygon([(s(ecx), s(ecy - 46)), (s(ecx + 46), s(ecy)), (s(ecx), s(ecy + 46)), (s(ecx - 46), s(ecy))], fill=255))
    art = paint(art, (0x10, 0x0A, 0x04), crest.filter(ImageFilter.GaussianBlur(6)), 200)
    art = paint(art, vgradient(size, GOLD_HI, GOLD_DEEP), crest)
    art = paint(art, (0x1C, 0x15, 0x0E), mask(size, lambda d, s: d.polygon(
        [(s(ecx), s(ecy - 38)), (s(ecx + 38), s(ecy)), (s(ecx), s(ecy + 38)), (s(ecx - 38), s(ecy))], fill=255)))
    art = paint(art, vgradient(size, CREAM, GOLD), text_mask(size, "T", font(44, LATIN_BOLD), centre=(ecx, ecy + 1)))
    art = paint(art, SAND, text_mask(size, "加强版 · 登录器", font(16), centre=(ecx, ecy + 124)), 230)

    # The panel the login popup covers, framed in gold; its top band shows through the popup.
    px0, py0, px1, py1 = PANEL
    art = paint(art, (0, 0, 0), mask(size, rounded((px0 - 10, py0 - 8, px1 + 10, py1 + 14), 10)).filter(ImageFilter.GaussianBlur(8)), 200)
    art = paint(art, vgradient(size, (0x16, 0x11, 0x0C), (0x0E, 0x0B, 0x08)), mask(size, lambda d, s: d.rectangle([s(px0 - 4), s(py0 - 4), s(px1 + 4), s(py1 + 4)], fill=255)))
    art = paint(art, GOLD_DEEP, mask(size, lambda d, s: d.rectangle([s(px0 - 4), s(py0 - 4), s(px1 + 4), s(py1 + 4)], outline=255, width=int(s(1)))))
    art = paint(art, GOLD, mask(size, lambda d, s: d.rectangle([s(px0 - 2), s(py0 - 2), s(px1 + 2), s(py1 + 2)], outline=255, width=int(s(1)))), 150)
    band = (px0, py0, px1, py0 + 84)
    art = paint(art, vgradient(size, (0x3C, 0x2E, 0x1F), (0x1A, 0x14, 0x0E)), mask(size, lambda d, s: d.rectangle([s(band[0]), s(band[1]), s(band[2]), s(band[3])], fill=255)))
    art = paint(art, GOLD, mask(size, lambda d, s: d.line([s(px0), s(py0 + 83), s(px1), s(py0 + 83)], fill=255, width=int(s(1)))), 200)
    art = paint(art, CREAM, text_mask(size, "账号登录", font(22), origin=(px0 + 52, py0 + 50)))
    art = paint(art, SAND, text_mask(size, "请使用 Nuvra 平台账号登录游戏", font(13), origin=(px0 + 156, py0 + 49)), 200)
    login_crest = mask(size, lambda d, s: d.polygon([(s(px0 + 32), s(py0 + 30)), (s(px0 + 42), s(py0 + 42)), (s(px0 + 32), s(py0 + 54)), (s(px0 + 22), s(py0 + 42))], fill=255))
    art = paint(art, vgradient(size, GOLD_HI, GOLD_DEEP), login_crest)
    for (cx, cy) in ((px0 - 2, py0 - 2), (px1 + 2, py0 - 2), (px0 - 2, py1 + 2), (px1 + 2, py1 + 2)):
        art = paint(art, GOLD_HI, mask(size, lambda d, s, cx=cx, cy=cy: d.polygon(
            [(s(cx), s(cy - 5)), (s(cx + 5), s(cy)), (s(cx), s(cy + 5)), (s(cx - 5), s(cy))], fill=255)))

    # Frame of the whole window and its soft shadow; outside the body everything is transparent.
    art = paint(art, GOLD_DEEP, edge(body), 255)
    inner = mask(size, rounded((body_box[0] + 6, body_box[1] + 6, body_box[2] - 6, body_box[3] - 6), 13))
    art = paint(art, GOLD, edge(inner), 110)
    shadow = mask(size, rounded((body_box[0] - 2, body_box[1] + 2, body_box[2] + 2, body_box[3] + 8), 22)).filter(ImageFilter.GaussianBlur(7))
    result = solid(size, (0, 0, 0), 0)
    result = paint(result, (0, 0, 0), shadow, 180)
    art.putalpha(body)
    return Image.alpha_composite(result, art)


def login_popup_bitmap():
    """Bitmap 318: the pure green band lets the artwork through, the panel shows a loading notice."""
    w, h = 739, 471
    img = vgradient((w, h), (0x16, 0x11, 0x0C), (0x0E, 0x0B, 0x08))
    size = (w, h)
    cx, cy = 705 // 2, 84 + (470 - 84) // 2 - 10
    for i in range(4):
        x = cx - 27 + i * 15
        img = paint(img, GOLD if i == 1 else (0x5E, 0x4C, 0x32), mask(size, rounded((x, cy - 30, x + 10, cy - 20), 2)))
    img = paint(img, SAND, text_mask(size, "正在载入登录页面，请稍候……", font(16), centre=(cx, cy + 6)))
    img = paint(img, (0x8C, 0x7A, 0x5C), text_mask(size, "若长时间没有响应，请检查网络连接", font(12), centre=(cx, cy + 34)))
    rgb = img.convert("RGB")
    rgb.paste((0, 255, 0), (0, 0, w, 84))
    return rgb


def login_button(kind, size):
    """Faces of the popup's minimise and close buttons. They sit on the popup's colour key, so
    their pixels are either opaque or fully transparent: a blended edge would turn green."""
    w, h = size
    faces = []
    for look in ("normal", "hover", "pressed"):
        img = solid(size, (0, 0, 0), 0)
        plate = mask(size, rounded((1, 2, w - 1, h - 2), 4))
        if look == "normal":
            plate_fill = vgradient(size, (0x3A, 0x2D, 0x1F), (0x1E, 0x17, 0x10))
        elif look == "hover":
            plate_fill = vgradient(size, (0xB8, 0x44, 0x2C), (0x7A, 0x24, 0x16)) if kind == "close" else \
                vgradient(size, (0x7A, 0x5E, 0x36), (0x4A, 0x38, 0x22))
        else:
            plate_fill = vgradient(size, (0x0E, 0x0B, 0x08), (0x22, 0x1A, 0x12))
        img = paint(img, plate_fill, plate)
        img = paint(img, GOLD if look != "pressed" else GOLD_DEEP, edge(plate), 255)
        colour = CREAM if look == "hover" else SAND
        img = paint(img, colour, glyph(kind, size, stroke=1.8, offset=(0, 1 if look == "pressed" else 0)))
        alpha = img.getchannel("A").point(lambda v: 255 if v >= 128 else 0)
        img = img.convert("RGB").convert("RGBA")
        img.putalpha(alpha)
        faces.append(img)
    return faces


# --- icons ------------------------------------------------------------------------------------

def emblem_icon(px):
    size = (px, px)
    r = px * 0.18
    img = solid(size, (0, 0, 0), 0)
    plate = mask(size, rounded((px * 0.03, px * 0.03, px * 0.97, px * 0.97), r))
    img = paint(img, vgradient(size, (0x3E, 0x30, 0x20), (0x12, 0x0E, 0x0A)), plate)
    img = paint(img, GOLD, edge(plate) if px >= 24 else edge(plate), 255)
    c = px / 2
    k = px * 0.36
    crest = mask(size, lambda d, s: d.polygon([(s(c), s(c - k)), (s(c + k), s(c)), (s(c), s(c + k)), (s(c - k), s(c))], fill=255))
    img = paint(img, vgradient(size, GOLD_HI, GOLD_DEEP), crest)
    k2 = k * 0.78
    img = paint(img, (0x1C, 0x15, 0x0E), mask(size, lambda d, s: d.polygon(
        [(s(c), s(c - k2)), (s(c + k2), s(c)), (s(c), s(c + k2)), (s(c - k2), s(c))], fill=255)))
    img = paint(img, vgradient(size, CREAM, GOLD), text_mask(size, "T", font(px * 0.42, LATIN_BOLD), centre=(c, c + px * 0.02)))
    return img


def save_icon(name, sizes):
    images = [emblem_icon(p) for p in sizes]
    images[-1].save(os.path.join(OUT, name), format="ICO", sizes=[(p, p) for p in sizes],
                    append_images=images[:-1])


def uninstall_icon():
    """One 16 x 16 image of 32 bits with its mask: the 1150-byte icon the package carries."""
    img = solid((16, 16), (0, 0, 0), 0)
    plate = mask((16, 16), lambda d, s: d.ellipse([s(0.5), s(0.5), s(15.5), s(15.5)], fill=255))
    img = paint(img, vgradient((16, 16), (0x4A, 0x38, 0x24), (0x16, 0x11, 0x0C)), plate)
    img = paint(img, GOLD, edge(plate))
    img = paint(img, CREAM, glyph("close", (16, 16), stroke=1.8))
    pixels = img.load()
    xor = bytearray()
    for y in range(15, -1, -1):
        for x in range(16):
            r, g, b, a = pixels[x, y]
            xor += bytes((b, g, r, a))
    and_mask = bytearray()
    for y in range(15, -1, -1):
        bits = 0
        for x in range(16):
            if pixels[x, y][3] == 0:
                bits |= 1 << (15 - x)
        and_mask += struct.pack(">H", bits) + b"\0\0"
    header = struct.pack("<IiiHHIIiiII", 40, 16, 32, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    data = header + bytes(xor) + bytes(and_mask)
    ico = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 16, 16, 0, 0, 1, 32, len(data), 22) + data
    assert len(ico) == 1150
    os.makedirs(PACKAGE, exist_ok=True)
    with open(os.path.join(PACKAGE, "uninstall.ico"), "wb") as f:
        f.write(ico)


# --- the catalogue ----------------------------------------------------------------------------

def main():
    os.makedirs(OUT, exist_ok=True)
    save(strip_base(1), "caption_mid.png")
    save(caption_left(), "caption_left.png")
    save(caption_right(), "caption_right.png")
    for kind in ("close", "max", "restore", "min"):
        for look, img in zip(("normal", "hover", "pressed"), caption_button(kind)):
            save(img, "btn_%s_%s.png" % (kind, look))
    for name, size, label, kind in (("server", (59, 24), "选服", "server"),
                                    ("boss", (97, 24), "老板键(F10)", "boss"),
                                    ("fullscreen", (86, 24), "全屏(F11)", "full"),
                                    ("refresh", (78, 24), "刷新", "refresh"),
                                    ("clearcache", (78, 24), "清除缓存", "clean")):
        for look, img in zip(("normal", "hover", "pressed"), text_button(size, label, kind)):
            save(img, "btn_%s_%s.png" % (name, look))
    save(solid((1, 1), (0, 0, 0), 230), "overlay_tint.png")
    for i, img in enumerate(spinner_frames(), 1):
        save(img, "spinner_%d.png" % i)
    save(message_box_background(), "msgbox_background.png")
    for name, label, primary in (("cancel", "取消", False), ("ok", "确定", True)):
        bright, dark = dialog_button(label, primary)
        save(bright, "msgbox_%s_bright.png" % name)
        save(dark, "msgbox_%s_dark.png" % name)
    save(close_glyph(), "msgbox_close.png")
    save(login_background(), "login_background.png")
    for name, kind, size in (("min", "min", (27, 30)), ("close", "close", (28, 31))):
        for look, img in zip(("normal", "hover", "pressed"), login_button(kind, size)):
            save(img, "login_%s_%s.png" % (name, look))
    login_popup_bitmap().save(os.path.join(OUT, "login_popup.bmp"))
    save_icon("main.ico", [16, 24, 32, 48, 256])
    save_icon("tray.ico", [16, 32, 48])
    uninstall_icon()


if __name__ == "__main__":
    main()
