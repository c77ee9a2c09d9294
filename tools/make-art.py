#!/usr/bin/env python3
"""Draws the launcher's artwork into res/.

The PNGs are committed, so a build never runs this. Run it after changing the
look:  python3 tools/make-art.py   (needs python3-pil and fonts-noto-cjk)

Rules the art must keep, because of how the launcher shows it:
  * skin.png is 1172x745 RGBA with true per-pixel alpha; the margin around the
    shape is fully transparent.
  * The web page sits over x 488-980, y 167-461 of the skin.
  * Button pictures are drawn over the panel's pure-green key colour, so every
    pixel of them is either fully opaque or fully transparent; a half-transparent
    edge would show as a green fringe.
"""
import math
import os
import random
import struct
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
RES = os.path.join(ROOT, "res", "art")

SANS = "/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc"
SANS_REGULAR = "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc"
SERIF = "/usr/share/fonts/opentype/noto/NotoSerifCJK-Bold.ttc"
SC = 2  # Simplified Chinese face inside the Noto CJK collections

W, H = 1172, 745
PAGE = (488, 167, 980, 461)            # where the embedded page lies
GOLD = (222, 186, 110)
GOLD_DARK = (138, 104, 48)
INK = (12, 18, 38)


def font(path, size):
    try:
        return ImageFont.truetype(path, size, index=SC)
    except OSError:
        return ImageFont.truetype(SANS_REGULAR, size, index=SC)


def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(len(a)))


def vertical_gradient(size, top, bottom):
    w, h = size
    col = Image.new("RGB", (1, h))
    for y in range(h):
        col.putpixel((0, y), lerp(top, bottom, y / max(1, h - 1)))
    return col.resize((w, h))


def supersampled_mask(size, draw_fn, scale=4):
    """An anti-aliased 8-bit mask: draw big, shrink with a good filter."""
    w, h = size
    big = Image.new("L", (w * scale, h * scale), 0)
    draw_fn(ImageDraw.Draw(big), scale)
    return big.resize((w, h), Image.LANCZOS)


def skin():
    rnd = random.Random(3372)

    # The silhouette: a main panel, and a round crest that breaks out of its
    # left edge. Everything is drawn at 4x and shrunk, so edges are smooth.
    panel_box = (150, 52, 1058, 700)
    crest_c, crest_r = (205, 205), 150

    def shape(d, s):
        x0, y0, x1, y1 = (v * s for v in panel_box)
        d.rounded_rectangle((x0, y0, x1, y1), radius=26 * s, fill=255)
        cx, cy, r = crest_c[0] * s, crest_c[1] * s, crest_r * s
        d.ellipse((cx - r, cy - r, cx + r, cy + r), fill=255)

    mask = supersampled_mask((W, H), shape)

    # Body: a night sky that fades into dusk towards the bottom.
    body = vertical_gradient((W, H), (10, 16, 44), (46, 32, 78))
    glow = Image.new("L", (W, H), 0)
    ImageDraw.Draw(glow).ellipse((250, 420, 1150, 980), fill=150)
    glow = glow.filter(ImageFilter.GaussianBlur(120))
    body = Image.composite(Image.new("RGB", (W, H), (150, 70, 90)), body, glow)

    d = ImageDraw.Draw(body)
    for _ in range(420):                                 # stars
        x, y = rnd.randrange(150, 1060), rnd.randrange(52, 470)
        b = rnd.randrange(90, 255)
        if rnd.random() < 0.08:
            d.ellipse((x - 1, y - 1, x + 1, y + 1), fill=(b, b, min(255, b + 20)))
        else:
            d.point((x, y), fill=(b, b, min(255, b + 30)))

    # Mountains in three layers, lighter with distance.
    for layer, (base, col, rough) in enumerate([(560, (52, 48, 96), 60),
                                                (610, (30, 30, 66), 80),
                                                (660, (16, 18, 40), 50)]):
        pts, x, y = [(140, H)], 140, base
        while x <= 1070:
            pts.append((x, y))
            x += rnd.randrange(18, 46)
            y = max(base - 150, min(base + 30, y + rnd.randrange(-rough, rough)))
        pts += [(1070, H)]
        mimg = Image.new("L", (W * 2, H * 2), 0)
        ImageDraw.Draw(mimg).polygon([(px * 2, py * 2) for px, py in pts], fill=255)
        mimg = mimg.resize((W, H), Image.LANCZOS)
        body = Image.composite(Image.new("RGB", (W, H), col), body, mimg)

    # Crest: a moon disc with a gold ring around it.
    cx, cy = crest_c
    crest = Image.new("RGBA", (W, H), (0, 0, 0, 0))

    def disc(r, fill):
        def f(d, s):
            d.ellipse(((cx - r) * s, (cy - r) * s, (cx + r) * s, (cy + r) * s), fill=255)
        m = supersampled_mask((W, H), f)
        layer = Image.new("RGBA", (W, H), fill)
        layer.putalpha(m)
        return layer

    crest = Image.alpha_composite(crest, disc(crest_r, GOLD_DARK + (255,)))
    crest = Image.alpha_composite(crest, disc(crest_r - 5, GOLD + (255,)))
    crest = Image.alpha_composite(crest, disc(crest_r - 11, (20, 24, 60, 255)))
    moon = vertical_gradient((W, H), (255, 244, 214), (226, 186, 128)).convert("RGBA")
    moon.putalpha(disc(crest_r - 34, (0, 0, 0, 255)).getchannel("A"))
    crest = Image.alpha_composite(crest, moon)
    bite = disc(crest_r - 46, (0, 0, 0, 255)).getchannel("A")
    bite = ImageChops.offset(bite, 44, -30)
    shade = Image.new("RGBA", (W, H), (20, 24, 60, 255))
    shade.putalpha(ImageChops.multiply(bite, disc(crest_r - 34, (0, 0, 0, 255)).getchannel("A")))
    crest = Image.alpha_composite(crest, shade)

    art = body.convert("RGBA")
    # Header band behind the title and the link buttons; the crest lies over it.
    band = vertical_gradient((908, 84), (26, 30, 70), (12, 16, 40)).convert("RGBA")
    band.putalpha(230)
    art.alpha_composite(band, (150, 52))
    bd = ImageDraw.Draw(art)
    bd.line((150, 136, 1058, 136), fill=GOLD_DARK + (255,), width=2)
    bd.line((150, 139, 1058, 139), fill=GOLD + (200,), width=1)
    art = Image.alpha_composite(art, crest)

    hd = ImageDraw.Draw(art)

    # The title keeps left of the link buttons, which start at x 533.
    title_font = font(SERIF, 40)
    sub_font = font(SANS_REGULAR, 13)
    hd.text((366, 56), "Selvane", font=title_font, fill=GOLD + (255,))
    hd.text((368, 110), "星月之境 · 开启你的冒险", font=sub_font, fill=(200, 196, 220, 255))

    # Page frame: a dark inset with a double gold border, the page sits inside.
    px0, py0, px1, py1 = PAGE
    hd.rectangle((px0 - 14, py0 - 14, px1 + 14, py1 + 14), fill=(8, 10, 26, 235))
    hd.rectangle((px0 - 14, py0 - 14, px1 + 14, py1 + 14), outline=GOLD_DARK + (255,), width=3)
    hd.rectangle((px0 - 6, py0 - 6, px1 + 6, py1 + 6), outline=GOLD + (255,), width=1)
    for (x, y) in [(px0 - 14, py0 - 14), (px1 + 14, py0 - 14), (px0 - 14, py1 + 14), (px1 + 14, py1 + 14)]:
        hd.regular_polygon((x, y, 9), 4, rotation=45, fill=GOLD + (255,))
    hd.rectangle(PAGE, fill=(4, 6, 16, 255))
    msg_font = font(SANS_REGULAR, 18)
    hd.text(((px0 + px1) // 2, (py0 + py1) // 2), "正在连接服务器……", font=msg_font,
            fill=(120, 120, 150, 255), anchor="mm")

    # Left column: a short welcome under the crest.
    left_font = font(SANS, 22)
    small = font(SANS_REGULAR, 15)
    hd.text((200, 392), "欢迎回来，冒险者", font=left_font, fill=(240, 228, 200, 255))
    lines = ["选择服务器后即可进入游戏。", "请妥善保管账号与密码，", "切勿相信任何索要密码的消息。"]
    for i, line in enumerate(lines):
        hd.text((200, 434 + i * 26), line, font=small, fill=(190, 186, 214, 255))

    # Footer line.
    hd.line((190, 650, 1018, 650), fill=GOLD_DARK + (200,), width=1)
    hd.text((604, 670), "抵制不良游戏，拒绝盗版游戏。注意自我保护，谨防受骗上当。",
            font=font(SANS_REGULAR, 13), fill=(150, 146, 180, 255), anchor="mm")

    # Gold rim along the silhouette.
    edge = mask.filter(ImageFilter.MaxFilter(3))
    inner = mask.filter(ImageFilter.MinFilter(5))
    rim = ImageChops.subtract(edge, inner)
    rim_layer = Image.new("RGBA", (W, H), GOLD + (0,))
    rim_layer.putalpha(rim)
    art = Image.alpha_composite(art, rim_layer)
    art.putalpha(ImageChops.multiply(art.getchannel("A"), mask))

    # Soft shadow: the silhouette, blurred and offset, under everything.
    shadow_a = mask.filter(ImageFilter.GaussianBlur(14)).point(lambda v: v * 150 // 255)
    shadow_a = ImageChops.offset(shadow_a, 0, 8)
    shadow = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    shadow.putalpha(shadow_a)
    out = Image.alpha_composite(shadow, art)

    # The outermost band of the image is margin: fully transparent, so the
    # window's edges never show.
    a = out.getchannel("A")
    margin = Image.new("L", (W, H), 0)
    ImageDraw.Draw(margin).rectangle((6, 6, W - 7, H - 7), fill=255)
    out.putalpha(ImageChops.multiply(a, margin))
    return out


def hard_edged(img, shape_mask):
    """Makes every pixel fully opaque or fully transparent."""
    a = shape_mask.point(lambda v: 255 if v >= 128 else 0)
    img = img.convert("RGBA")
    img.putalpha(a)
    return img


def link_button(label, hot, accent):
    w, h = 99, 29
    top, bottom = ((70, 56, 120), (32, 24, 64)) if not hot else (accent, lerp(accent, (20, 10, 30), 0.55))
    img = vertical_gradient((w, h), top, bottom).convert("RGBA")
    d = ImageDraw.Draw(img)
    edge = GOLD if hot else GOLD_DARK
    d.rectangle((0, 0, w - 1, h - 1), outline=edge)
    d.line((2, 2, w - 3, 2), fill=lerp(top, (255, 255, 255), 0.35))
    f = font(SANS, 15)
    colour = (255, 246, 220) if hot else (226, 214, 186)
    d.text((w // 2 + 1, h // 2 + 1), label, font=f, fill=(0, 0, 0), anchor="mm")
    d.text((w // 2, h // 2), label, font=f, fill=colour, anchor="mm")
    if hot:
        d.polygon([(6, h // 2 - 4), (10, h // 2), (6, h // 2 + 4)], fill=GOLD)
        d.polygon([(w - 7, h // 2 - 4), (w - 11, h // 2), (w - 7, h // 2 + 4)], fill=GOLD)
    # Clip the corners by one pixel so the button does not read as a box.
    m = Image.new("L", (w, h), 255)
    for x, y in [(0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)]:
        m.putpixel((x, y), 0)
    return hard_edged(img, m)


def round_button(size, hot, glyph):
    w, h = size
    s = 8
    big = Image.new("RGBA", (w * s, h * s), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    fill = (170, 40, 40) if (hot and glyph == "x") else ((70, 56, 120) if hot else (34, 28, 66))
    ring = GOLD if hot else GOLD_DARK
    d.ellipse((0, 0, w * s - 1, h * s - 1), fill=ring)
    d.ellipse((2 * s, 2 * s, w * s - 1 - 2 * s, h * s - 1 - 2 * s), fill=fill)
    cx, cy = w * s / 2, h * s / 2
    r = min(w, h) * s * 0.22
    lw = int(2.2 * s)
    col = (255, 240, 210) if hot else (222, 200, 150)
    if glyph == "x":
        d.line((cx - r, cy - r, cx + r, cy + r), fill=col, width=lw)
        d.line((cx - r, cy + r, cx + r, cy - r), fill=col, width=lw)
    else:
        d.line((cx - r, cy + r * 0.25, cx + r, cy + r * 0.25), fill=col, width=lw)
    small = big.resize((w, h), Image.LANCZOS)
    # Inside the ring the picture is solid, so blend the anti-aliased glyph
    # onto the fill colour; only the outer silhouette is made hard.
    solid = Image.new("RGBA", (w, h), fill + (255,))
    solid.alpha_composite(small)
    return hard_edged(solid, small.getchannel("A"))


def icon_image():
    s = 8
    size = 48
    big = Image.new("RGBA", (size * s, size * s), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    d.ellipse((1 * s, 1 * s, 47 * s, 47 * s), fill=GOLD_DARK)
    d.ellipse((3 * s, 3 * s, 45 * s, 45 * s), fill=GOLD)
    d.ellipse((6 * s, 6 * s, 42 * s, 42 * s), fill=(20, 24, 60))
    d.ellipse((11 * s, 11 * s, 37 * s, 37 * s), fill=(250, 232, 190))
    d.ellipse((17 * s, 7 * s, 41 * s, 31 * s), fill=(20, 24, 60))
    return big.resize((size, size), Image.LANCZOS)


def write_icon(img, path):
    """A one-image .ico holding a 32-bit BMP (not PNG): XP only reads those."""
    w, h = img.size
    rows = []
    for y in range(h - 1, -1, -1):               # bottom-up, BGRA
        row = bytearray()
        for x in range(w):
            r, g, b, a = img.getpixel((x, y))
            row += bytes((b, g, r, a))
        rows.append(bytes(row))
    xor = b"".join(rows)
    and_stride = ((w + 31) // 32) * 4
    andmask = bytearray()
    for y in range(h - 1, -1, -1):
        bits = bytearray(and_stride)
        for x in range(w):
            if img.getpixel((x, y))[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        andmask += bits
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(andmask), 0, 0, 0, 0)
    data = header + xor + bytes(andmask)
    assert len(data) == 9640, len(data)
    ico = struct.pack("<HHH", 0, 1, 1)
    ico += struct.pack("<BBBBHHII", w, h, 0, 0, 1, 32, len(data), 6 + 16)
    with open(path, "wb") as f:
        f.write(ico + data)


def save(img, name):
    path = os.path.join(RES, name)
    img.save(path, "PNG", optimize=True)
    print("wrote", os.path.relpath(path, ROOT), img.size)


def main():
    os.makedirs(RES, exist_ok=True)
    save(skin(), "skin.png")
    buttons = [  # (normal id, hot id, label, hot accent)
        (139, 140, "官网首页", (196, 120, 40)),
        (143, 144, "充值中心", (190, 52, 70)),
        (145, 147, "客服中心", (40, 120, 170)),
        (141, 142, "游戏论坛", (60, 140, 80)),
    ]
    for normal, hot, label, accent in buttons:
        save(link_button(label, False, accent), f"button{normal}.png")
        save(link_button(label, True, accent), f"button{hot}.png")
    save(round_button((30, 31), False, "x"), "button138.png")  # close, normal
    save(round_button((30, 31), True, "x"), "button137.png")   # close, hot
    save(round_button((21, 21), False, "-"), "button159.png")  # minimise, normal
    save(round_button((21, 21), True, "-"), "button160.png")   # minimise, hot
    write_icon(icon_image(), os.path.join(RES, "selvane.ico"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
