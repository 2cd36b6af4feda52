"""Pictures drawn for the game: field icons on their plates, board plates, corners, number badges,
dice, buttons, menu pieces, board layers, planets, flags and the game logo. Every function returns
(image path, SVG text) pairs; image paths are <set>/<folder>/<picture> as the screens name them."""
import math
import random

import planets
from style import (
    BLUE, COBALT, CREAM, DISABLED, GREEN, MAGENTA, ORANGE, OUTLINE, PINK, PURPLE, RED, SIDES, SURPRISE, TEAL,
    TITLE_FONT, YELLOW, darker, doc, lighter, mix, outline_filter, sticker_filter, stroke_glyph, text,
)

STATES = ("", "_hover", "_pushed")
# Buttons that screens switch off also get a grey "_disabled" picture; the others are dimmed by the GUI.
WITH_DISABLED = STATES + ("_disabled",)

# The player colours of the catalogue as host::Color writes them (upper-case RRGGBBAA): Red, Green, Blue,
# E4EA00, Magenta, Cyan, Aqua, Teal, Purple, Pink, Neon, FF5F00, White, Black. Each gets a swatch button
# "gui.buttons/color_<hex>".
PLAYER_COLOURS = [
    "FF0000FF", "00FF00FF", "0000FFFF", "E4EA00FF", "FF00FFFF", "00FFFFFF", "007FFFFF",
    "00FF7FFF", "7F00FFFF", "FF007FFF", "7FFF00FF", "FF5F00FF", "FFFFFFFF", "000000FF",
]


# ---------------------------------------------------------------- field icons


def field_icons(rows, icons):
    pictures = []
    for row in rows:
        key, source = row[0], row[1]
        colour = row[2] if len(row) > 2 else None
        board = icons.place(source, 40, 40, 176, colour)
        pictures.append((f"game/fields/{key}", doc(256, 256, f'<g filter="url(#o)">{board}</g>', outline_filter("o", 7))))
        planet = icons.place(source, 16, 16, 96, colour)
        pictures.append(
            (f"game/fields2/{key}", doc(128, 128, f'<g filter="url(#s)">{planet}</g>', sticker_filter("s", 4, 7)))
        )
    pictures.append(("game/fields/surprise", surprise_icon(256)))
    pictures.append(("game/fields2/surprise", surprise_icon(128)))
    pictures += [(f"game/fields/{n}", number_badge(n)) for n in range(1, 21)]
    return pictures


def surprise_icon(size):
    s = size / 256
    sparkles = "".join(
        f'<path transform="translate({x * s:g} {y * s:g}) scale({r * s / 10:g})" '
        f'd="M0 -10 L3 -3 L10 0 L3 3 L0 10 L-3 3 L-10 0 L-3 -3Z" fill="#ffffff" stroke="{OUTLINE}" '
        f'stroke-width="{2.5 / (r / 10):g}" stroke-linejoin="round"/>'
        for x, y, r in ((62, 70, 22), (196, 78, 16), (200, 190, 20))
    )
    mark = text(128 * s, 150 * s, "?", 180 * s, fill=YELLOW, width=24 * s)
    return doc(size, size, mark + sparkles)


def number_badge(n):
    digits = str(n)
    size = 70 if len(digits) == 1 else 58
    badge = (
        f'<circle cx="198" cy="198" r="46" fill="{YELLOW}" stroke="{OUTLINE}" stroke-width="9"/>'
        f'<circle cx="198" cy="198" r="36" fill="none" stroke="#ffffff" stroke-width="4" opacity="0.7"/>'
        + text(198, 203, digits, size, fill=OUTLINE, width=0)
    )
    return doc(256, 256, badge)


# ---------------------------------------------------------------- board plates and corners


def plates():
    pictures = []
    for side, (base, inner) in enumerate(SIDES):
        pictures.append((f"gui/buttons/fields_blank_{side}", square_plate(base, inner)))
        pictures.append((f"gui/gui/fields2_blank_{side}", round_plate(base, inner)))
    pictures.append(("gui/buttons/fields_blank_surprise", square_plate(*SURPRISE, confetti=True)))
    pictures.append(("gui/gui/fields2_blank_surprise", round_plate(*SURPRISE, confetti=True)))
    return pictures


def confetti_dots(rng, count, x0, y0, x1, y1, radius):
    colours = [PINK, ORANGE, YELLOW, GREEN, BLUE, TEAL, MAGENTA]
    return "".join(
        f'<circle cx="{rng.uniform(x0, x1):.1f}" cy="{rng.uniform(y0, y1):.1f}" r="{radius}" '
        f'fill="{rng.choice(colours)}"/>'
        for _ in range(count)
    )


def square_plate(base, inner, confetti=False):
    dots = confetti_dots(random.Random(7), 26, 40, 40, 216, 216, 6) if confetti else ""
    body = (
        f'<rect x="8" y="8" width="240" height="240" rx="44" fill="{base}" stroke="{OUTLINE}" stroke-width="10"/>'
        f'<rect x="30" y="30" width="196" height="196" rx="30" fill="{inner}" stroke="{darker(base, 0.25)}" '
        f'stroke-width="5"/>{dots}'
        f'<path d="M30 60 Q30 30 60 30 L196 30" fill="none" stroke="#ffffff" stroke-width="7" '
        f'stroke-linecap="round" opacity="0.8"/>'
    )
    return doc(256, 256, body)


def round_plate(base, inner, confetti=False):
    dots = ""
    if confetti:
        rng = random.Random(11)
        dots = "".join(
            confetti_dots(rng, 1, 80 + r * math.cos(a), 80 + r * math.sin(a), 80 + r * math.cos(a), 80 + r * math.sin(a), 4)
            for a, r in ((rng.uniform(0, 6.3), rng.uniform(10, 52)) for _ in range(18))
        )
    body = (
        f'<circle cx="80" cy="80" r="72" fill="{base}" stroke="{OUTLINE}" stroke-width="8"/>'
        f'<circle cx="80" cy="80" r="58" fill="{inner}" stroke="{darker(base, 0.25)}" stroke-width="4"/>{dots}'
        f'<path d="M34 62 A50 50 0 0 1 72 28" fill="none" stroke="#ffffff" stroke-width="6" '
        f'stroke-linecap="round" opacity="0.85"/>'
    )
    return doc(160, 160, body)


CORNERS = [("start", GREEN), ("all_drink", ORANGE), ("nobody_drinks", TEAL), ("all_drink_much", PINK)]


def corners(icons, decor):
    pictures = []
    for index, (key, colour) in enumerate(CORNERS):
        rays = "".join(
            f'<path d="M256 256 L{256 + 330 * math.cos(math.radians(a)):.1f} {256 + 330 * math.sin(math.radians(a)):.1f} '
            f'L{256 + 330 * math.cos(math.radians(a + 10)):.1f} {256 + 330 * math.sin(math.radians(a + 10)):.1f}Z" '
            f'fill="#ffffff" opacity="0.22"/>'
            for a in range(0, 360, 20)
        )
        emoji = icons.place(decor[key], 106, 96, 300)
        body = (
            f'<clipPath id="c"><rect x="14" y="14" width="484" height="484" rx="70"/></clipPath>'
            f'<rect x="14" y="14" width="484" height="484" rx="70" fill="{colour}"/>'
            f'<g clip-path="url(#c)">{rays}</g>'
            f'<rect x="14" y="14" width="484" height="484" rx="70" fill="none" stroke="{OUTLINE}" stroke-width="14"/>'
            f'<rect x="40" y="40" width="432" height="432" rx="52" fill="none" stroke="#ffffff" stroke-width="8" '
            f'stroke-dasharray="28 18" opacity="0.9"/>'
            f'<g filter="url(#o)">{emoji}</g>'
        )
        pictures.append((f"game/fields/corner_{index}", doc(512, 512, body, outline_filter("o", 10))))
    return pictures


# ---------------------------------------------------------------- dice

PIPS = {
    1: [(0, 0)],
    2: [(-1, -1), (1, 1)],
    3: [(-1, -1), (0, 0), (1, 1)],
    4: [(-1, -1), (1, -1), (-1, 1), (1, 1)],
    5: [(-1, -1), (1, -1), (0, 0), (-1, 1), (1, 1)],
    6: [(-1, -1), (1, -1), (-1, 0), (1, 0), (-1, 1), (1, 1)],
}


def die(value, rolled):
    face, pip = (YELLOW, PINK) if rolled else ("#ffffff", OUTLINE)
    shade = darker(face, 0.18)
    pips = "".join(
        f'<circle cx="{128 + dx * 56}" cy="{122 + dy * 56}" r="21" fill="{pip}" '
        f'stroke="{OUTLINE if rolled else "none"}" stroke-width="5"/>'
        for dx, dy in PIPS[value]
    )
    glow = (
        f'<rect x="4" y="4" width="248" height="248" rx="56" fill="none" stroke="{PINK}" stroke-width="8" opacity="0.9"/>'
        if rolled
        else ""
    )
    body = (
        f'{glow}<rect x="16" y="22" width="224" height="220" rx="46" fill="{shade}" stroke="{OUTLINE}" stroke-width="10"/>'
        f'<rect x="16" y="14" width="224" height="216" rx="46" fill="{face}" stroke="{OUTLINE}" stroke-width="10"/>'
        f'<path d="M50 40 L200 40" stroke="#ffffff" stroke-width="8" stroke-linecap="round" opacity="0.8"/>{pips}'
    )
    return doc(256, 256, body)


def dice():
    return [(f"gui/dice/{v}", die(v, False)) for v in PIPS] + [(f"gui/dice_rolled/{v}", die(v, True)) for v in PIPS]


# ---------------------------------------------------------------- buttons


def glyph_male():
    return stroke_glyph("M44 56 m-22 0 a22 22 0 1 0 44 0 a22 22 0 1 0 -44 0 M60 40 L82 18 M62 18 L82 18 L82 38")


def glyph_female():
    return stroke_glyph("M50 38 m-22 0 a22 22 0 1 0 44 0 a22 22 0 1 0 -44 0 M50 60 L50 92 M36 78 L64 78")


def glyph_stomach(level):
    belly = "M50 14 C78 14 88 36 88 56 C88 78 72 90 50 90 C28 90 12 78 12 56 C12 36 22 14 50 14Z"
    fill = ""
    if level > 0:
        top = 90 - 76 * level
        fill = (
            f'<clipPath id="belly"><path d="{belly}"/></clipPath>'
            f'<rect x="0" y="{top:g}" width="100" height="100" fill="{ORANGE}" clip-path="url(#belly)"/>'
            f'<path d="M14 {top:g} Q32 {top - 6:g} 50 {top:g} T86 {top:g}" fill="none" stroke="{darker(ORANGE, 0.3)}" '
            f'stroke-width="4" clip-path="url(#belly)"/>'
        )
    return (
        f'<path d="{belly}" fill="#ffffff" stroke="{OUTLINE}" stroke-width="9"/>{fill}'
        f'<path d="{belly}" fill="none" stroke="{OUTLINE}" stroke-width="7"/>'
        f'<circle cx="50" cy="58" r="4" fill="{OUTLINE}"/>'
    )


def glyph_zoom(sign):
    bar = "M30 40 L54 40" + (" M42 28 L42 52" if sign > 0 else "")
    return stroke_glyph("M42 40 m-24 0 a24 24 0 1 0 48 0 a24 24 0 1 0 -48 0 M60 58 L84 82") + stroke_glyph(bar, 8)


def glyph_rotate():
    cx, cy, r, a0, a1 = 50, 52, 28, math.radians(-60), math.radians(200)
    x0, y0 = cx + r * math.cos(a0), cy + r * math.sin(a0)
    x1, y1 = cx + r * math.cos(a1), cy + r * math.sin(a1)
    dx, dy = -math.sin(a1), math.cos(a1)  # the way the arc runs at its end
    tip = (x1 + 16 * dx, y1 + 16 * dy)
    left = (x1 - 4 * dx - 14 * dy, y1 - 4 * dy + 14 * dx)
    right = (x1 - 4 * dx + 14 * dy, y1 - 4 * dy - 14 * dx)
    head = " ".join(f"{x:.1f} {y:.1f}" for x, y in (tip, left, right))
    return stroke_glyph(f"M{x0:.1f} {y0:.1f} A{r} {r} 0 1 1 {x1:.1f} {y1:.1f}", 11) + (
        f'<path d="M{head}Z" fill="#ffffff" stroke="{OUTLINE}" stroke-width="5" stroke-linejoin="round"/>'
    )


def glyph_undo(direction):
    """A hook-shaped arrow: a half circle over the top, from the right down to a head on the left (1,
    undo) or from the left to a head on the right (-1, redo)."""
    cx, cy, r = 50, 56, 22
    start = (cx + direction * r, cy + 14)
    top_end = (cx - direction * r, cy)
    path = (f"M{start[0]:.1f} {start[1]:.1f} L{cx + direction * r:.1f} {cy:.1f} "
            f"A{r} {r} 0 0 {0 if direction > 0 else 1} {top_end[0]:.1f} {top_end[1]:.1f}")
    x1, y1 = top_end
    tip = (x1, y1 + 18)
    left = (x1 - 15, y1 - 2)
    right = (x1 + 15, y1 - 2)
    head = " ".join(f"{x:.1f} {y:.1f}" for x, y in (tip, left, right))
    return stroke_glyph(path, 11) + (
        f'<path d="M{head}Z" fill="#ffffff" stroke="{OUTLINE}" stroke-width="5" stroke-linejoin="round"/>'
    )


def glyph_phone(ready):
    """A phone held upright; with a tick on its screen when its player's body data are complete."""
    body = (
        f'<rect x="28" y="10" width="44" height="80" rx="9" fill="#ffffff" stroke="{OUTLINE}" stroke-width="8"/>'
        f'<rect x="35" y="22" width="30" height="50" rx="3" fill="{OUTLINE}"/>'
        f'<circle cx="50" cy="81" r="4" fill="{OUTLINE}"/>'
    )
    if ready:
        body += f'<path d="M39 48 L47 57 L62 36" fill="none" stroke="{GREEN}" stroke-width="7" stroke-linecap="round" stroke-linejoin="round"/>'
    return body


def glyph_cross():
    return stroke_glyph("M26 26 L74 74 M74 26 L26 74", 14)


def glyph_check():
    return stroke_glyph("M20 52 L42 74 L82 26", 14)


def glyph_back():
    return stroke_glyph("M80 50 L22 50 M44 26 L20 50 L44 74", 12)


def glyph_menu():
    return stroke_glyph("M22 28 L78 28 M22 50 L78 50 M22 72 L78 72", 11)


def glyph_plus():
    return stroke_glyph("M50 20 L50 80 M20 50 L80 50", 14)


def glyph_minus():
    return stroke_glyph("M20 50 L80 50", 14)


def glyph_arrow(direction):
    points = "M62 20 L32 50 L62 80" if direction < 0 else "M38 20 L68 50 L38 80"
    return stroke_glyph(points, 16)


def grey_filter(fid):
    """Turns a glyph into light greys, for disabled buttons: white becomes pale grey, outlines stay dark."""
    row = "0.16 0.55 0.05 0 0.08"
    return (
        f'<filter id="{fid}" color-interpolation-filters="sRGB"><feColorMatrix type="matrix" '
        f'values="{row} {row} 0.16 0.55 0.05 0 0.12 0 0 0 1 0"/></filter>'
    )


def round_button(colour, glyph, state, size=128):
    """A chunky round button: a darker lip under the face; hover brightens, pushed sinks, disabled is a
    flat grey disc sunk like a pushed one, so that it no longer looks pressable."""
    c, r = size / 2, size * 0.4
    disabled = state == "_disabled"
    face = {"": colour, "_hover": lighter(colour, 0.28), "_pushed": darker(colour, 0.18), "_disabled": DISABLED}[state]
    dy = {"": -size * 0.035, "_hover": -size * 0.05, "_pushed": size * 0.02, "_disabled": size * 0.02}[state]
    lip = (
        f'<circle cx="{c:g}" cy="{c + size * 0.045:g}" r="{r:g}" fill="{darker(colour, 0.35)}" '
        f'stroke="{OUTLINE}" stroke-width="{size * 0.05:g}"/>'
        if state in ("", "_hover")
        else ""
    )
    ring = (
        f'<circle cx="{c:g}" cy="{c + dy:g}" r="{r - size * 0.06:g}" fill="none" stroke="#ffffff" '
        f'stroke-width="{size * 0.03:g}" opacity="0.9"/>'
        if state == "_hover"
        else ""
    )
    shine = (
        f'<path d="M{c - r * 0.62:g} {c + dy - r * 0.35:g} A{r * 0.75:g} {r * 0.75:g} 0 0 1 {c - r * 0.1:g} {c + dy - r * 0.72:g}" '
        f'fill="none" stroke="#ffffff" stroke-width="{size * 0.04:g}" stroke-linecap="round" opacity="0.7"/>'
        if not disabled
        else ""
    )
    scale = size * 0.0062
    placed = f'<g transform="translate({c - 50 * scale:g} {c + dy - 50 * scale:g}) scale({scale:g})">{glyph}</g>'
    if disabled:
        placed = f'<g filter="url(#grey)">{placed}</g>'
    body = (
        f'{lip}<circle cx="{c:g}" cy="{c + dy:g}" r="{r:g}" fill="{face}" stroke="{OUTLINE}" stroke-width="{size * 0.05:g}"/>'
        f'{shine}{ring}{placed}'
    )
    return doc(size, size, body, grey_filter("grey") if disabled else "")


def pill_button(colour, state, width, height, extra="", hover=0.25, pushed=0.18):
    """hover and pushed: how far those states lighten and darken the face. Disabled is flat grey, sunk
    like pushed and without the shine."""
    face = {"": colour, "_hover": lighter(colour, hover), "_pushed": darker(colour, pushed), "_disabled": DISABLED}[state]
    lip_h = height * 0.1
    sw = max(6, height * 0.08)
    top = sw / 2 + (lip_h if state in ("_pushed", "_disabled") else 0)
    h = height - sw - lip_h
    r = h / 2
    lip = (
        f'<rect x="{sw / 2:g}" y="{sw / 2 + lip_h:g}" width="{width - sw:g}" height="{h:g}" rx="{r:g}" '
        f'fill="{darker(colour, 0.35)}" stroke="{OUTLINE}" stroke-width="{sw:g}"/>'
        if state in ("", "_hover")
        else ""
    )
    ring = (
        f'<rect x="{sw * 1.6:g}" y="{top + sw * 1.1:g}" width="{width - sw * 3.2:g}" height="{h - sw * 2.2:g}" '
        f'rx="{r - sw:g}" fill="none" stroke="#ffffff" stroke-width="{sw * 0.5:g}" opacity="0.9"/>'
        if state == "_hover"
        else ""
    )
    shine = (
        f'<path d="M{r:g} {top + h * 0.22:g} L{width - r:g} {top + h * 0.22:g}" stroke="#ffffff" '
        f'stroke-width="{h * 0.09:g}" stroke-linecap="round" opacity="0.55"/>'
        if state != "_disabled"
        else ""
    )
    body = (
        f'{lip}<rect x="{sw / 2:g}" y="{top:g}" width="{width - sw:g}" height="{h:g}" rx="{r:g}" fill="{face}" '
        f'stroke="{OUTLINE}" stroke-width="{sw:g}"/>{shine}{ring}{extra}'
    )
    return doc(width, height, body)


def water_glass(x, y, size):
    """A tumbler of water: blue below the rim line, a white shine."""
    k = size / 64

    def p(u, v):
        return f"{x + u * k:g} {y + v * k:g}"

    return (
        f'<path d="M{p(12, 6)} L{p(52, 6)} L{p(46, 60)} L{p(18, 60)} Z" fill="#e8f6ff" '
        f'stroke="{OUTLINE}" stroke-width="{4 * k:g}" stroke-linejoin="round"/>'
        f'<path d="M{p(15, 24)} L{p(49, 24)} L{p(46, 58)} L{p(18, 58)} Z" fill="#4cc9f0"/>'
        f'<path d="M{p(20, 30)} L{p(23, 52)}" stroke="#ffffff" stroke-width="{4 * k:g}" stroke-linecap="round"/>'
    )


def style_glyphs(icons, decor, size):
    """The drinking styles' pictures over a disc of their colour: beer, a beer with a feather (small
    sips), a glass of water, a car."""
    c = size / 2
    big, small = size * 0.5, size * 0.3
    mug = icons.place(decor["style_drinks"], c - big / 2, c - big / 2, big)
    light = icons.place(decor["style_drinks"], c - big / 2 - 6, c - big / 2 + 4, big * 0.85) + icons.place(
        decor["style_light"], c + 2, c - big / 2 - 4, small
    )
    return {
        "style_drinks": (ORANGE, mug),
        "style_light": (YELLOW, light),
        "style_water": (BLUE, water_glass(c - big / 2, c - big / 2, big)),
        "style_driver": (GREEN, icons.place(decor["style_driver"], c - big / 2, c - big / 2, big)),
    }


def badge(colour, glyph):
    """A style's small round sign for the bar, the lists and the tokens: its picture on a disc of its
    colour with the house outline."""
    return doc(
        128,
        128,
        f'<circle cx="64" cy="64" r="58" fill="{colour}" stroke="{OUTLINE}" stroke-width="8"/>'
        f'<g transform="translate(64 64) scale(1.5) translate(-64 -64)">{glyph}</g>',
    )


def tile_button(state, locked, icons, decor):
    """The character picker's big square button; the locked one is grey with a padlock."""
    colour = "#9aa0ad" if locked else YELLOW
    face = {"": "#ffffff", "_hover": "#fff6cc", "_pushed": "#ffe9a0"}[state]
    if locked:
        face = {"": "#c9ccd3", "_hover": "#d8dae0", "_pushed": "#b7bac2"}[state]
    dy = 6 if state == "_pushed" else 0
    lock = f'<g filter="url(#o)">{icons.place(decor["locked"], 136, 136 + dy, 56)}</g>' if locked else ""
    ring = (
        f'<rect x="24" y="{24 + dy}" width="152" height="150" rx="26" fill="none" stroke="{PINK}" stroke-width="6"/>'
        if state == "_hover"
        else ""
    )
    body = (
        (f'<rect x="8" y="16" width="184" height="176" rx="34" fill="{darker(colour, 0.3)}" stroke="{OUTLINE}" stroke-width="8"/>'
         if state != "_pushed" else "")
        + f'<rect x="8" y="{8 + dy}" width="184" height="176" rx="34" fill="{colour}" stroke="{OUTLINE}" stroke-width="8"/>'
        f'<rect x="22" y="{22 + dy}" width="156" height="148" rx="24" fill="{face}" stroke="{darker(colour, 0.3)}" stroke-width="4"/>'
        f"{ring}{lock}"
    )
    return doc(200, 200, body, outline_filter("o", 4))


def colour_swatch(hexa, state):
    rgb = "#" + hexa[:6].lower()
    face = {"": "#ffffff", "_hover": YELLOW, "_pushed": "#d9d9e3"}[state]
    swatch = (
        f'<circle cx="50" cy="50" r="46" fill="{OUTLINE}"/>'
        f'<circle cx="50" cy="50" r="38" fill="{rgb}" stroke="#ffffff" stroke-width="7"/>'
    )
    return round_button(face, swatch, state, 96)


def rank_badge(place):
    metals = {1: "#ffc800", 2: "#cfd8e3", 3: "#e0925a"}
    rosettes = ["#3a86ff", "#21c07a", "#8e44ff", "#ff4fa3", "#00c2a8", "#ff9f1c", "#7d8597"]
    colour = metals.get(place, rosettes[(place - 4) % len(rosettes)])
    ribbon_l, ribbon_r = (PINK, BLUE) if place <= 3 else (darker(colour, 0.2), lighter(colour, 0.2))
    points = ""
    if place > 3:
        points = "".join(
            f'<circle cx="{64 + 40 * math.cos(a):.1f}" cy="{72 + 40 * math.sin(a):.1f}" r="10" fill="{colour}" '
            f'stroke="{OUTLINE}" stroke-width="5"/>'
            for a in (i * math.pi / 6 for i in range(12))
        )
    body = (
        f'<path d="M34 4 L60 4 L72 44 L48 52Z" fill="{ribbon_l}" stroke="{OUTLINE}" stroke-width="6" stroke-linejoin="round"/>'
        f'<path d="M94 4 L68 4 L56 44 L80 52Z" fill="{ribbon_r}" stroke="{OUTLINE}" stroke-width="6" stroke-linejoin="round"/>'
        f'{points}<circle cx="64" cy="72" r="40" fill="{colour}" stroke="{OUTLINE}" stroke-width="7"/>'
        f'<circle cx="64" cy="72" r="29" fill="{lighter(colour, 0.35)}" stroke="{darker(colour, 0.25)}" stroke-width="4"/>'
        f'<path d="M40 60 A29 29 0 0 1 58 44" fill="none" stroke="#ffffff" stroke-width="6" stroke-linecap="round"/>'
    )
    return doc(128, 128, body)


def buttons(icons, decor):
    glyphs = {
        "male": (BLUE, glyph_male()),
        "female": (MAGENTA, glyph_female()),
        "stomach_empty": (TEAL, glyph_stomach(0)),
        "stomach_half": (TEAL, glyph_stomach(0.5)),
        "stomach_full": (TEAL, glyph_stomach(1)),
        "zoom_in": (GREEN, glyph_zoom(1)),
        "zoom_out": (GREEN, glyph_zoom(-1)),
        "rotate": (PURPLE, glyph_rotate()),
        "undo": (ORANGE, glyph_undo(1)),
        "redo": (ORANGE, glyph_undo(-1)),
        "phone": (PURPLE, glyph_phone(False)),
        "phone_ready": (PURPLE, glyph_phone(True)),
        "cancel": (PINK, glyph_cross()),
        "ok": (GREEN, glyph_check()),
        "back": (ORANGE, glyph_back()),
        "menu": (BLUE, glyph_menu()),
        "plus": (BLUE, glyph_plus()),
        "minus": (BLUE, glyph_minus()),
        "arrow_left": (YELLOW, glyph_arrow(-1)),
        "arrow_right": (YELLOW, glyph_arrow(1)),
    }
    glyphs.update(style_glyphs(icons, decor, 128))
    glyphs["story"] = (TEAL, icons.place(decor["story"], 30, 30, 68))
    pictures = []
    for name, (colour, glyph) in glyphs.items():
        pictures += [(f"gui/buttons/{name}{s}", round_button(colour, glyph, s)) for s in WITH_DISABLED]
    for name, (colour, glyph) in style_glyphs(icons, decor, 128).items():
        pictures.append((f"gui/gui/badge_{name[6:]}", badge(colour, glyph)))
    pictures.append(("gui/gui/taxi", doc(128, 128, icons.place(decor["taxi"], 4, 4, 120))))
    for award in ("bravest", "luckiest", "generous", "hydration", "marathon"):
        name = "award_" + award
        pictures.append((f"gui/gui/{name}", doc(128, 128, icons.place(decor[name], 4, 4, 120))))
    # The text buttons of every screen. Hover lightens only a little: the text colours on them keep a
    # contrast of 4.5:1 in every state but disabled.
    for kind, colour in (("primary", YELLOW), ("secondary", COBALT), ("danger", RED)):
        pictures += [
            (f"gui/buttons/button_{kind}{s}", pill_button(colour, s, 320, 96, hover=0.1, pushed=0.15))
            for s in WITH_DISABLED
        ]
    for s in STATES:
        pictures.append((f"gui/buttons/big{s}", tile_button(s, False, icons, decor)))
        pictures.append((f"gui/buttons/big_locked{s}", tile_button(s, True, icons, decor)))
        pictures.append((f"gui/buttons/bar_360{s}", pill_button(PURPLE, s, 360, 88)))
        pictures.append((f"gui/buttons/button{s}", pill_button(PINK, s, 320, 96)))
        pictures += [(f"gui/buttons/color_{c}{s}", colour_swatch(c, s)) for c in PLAYER_COLOURS]
    pictures += [(f"gui/buttons/rank_{place}", rank_badge(place)) for place in range(1, 11)]
    pictures.append(("gui/buttons/shadow", shadow()))
    pictures += toggles()
    return pictures


def shadow():
    defs = (
        '<radialGradient id="g"><stop offset="0" stop-color="#000000" stop-opacity="0.55"/>'
        '<stop offset="0.6" stop-color="#000000" stop-opacity="0.35"/>'
        '<stop offset="1" stop-color="#000000" stop-opacity="0"/></radialGradient>'
    )
    return doc(160, 64, '<ellipse cx="80" cy="32" rx="78" ry="30" fill="url(#g)"/>', defs)


def toggles():
    pictures = []
    for on in (False, True):
        state = "on" if on else "off"
        tick = stroke_glyph("M24 50 L42 68 L76 30", 12) if on else ""
        box = (
            f'<rect x="8" y="12" width="80" height="80" rx="18" fill="{darker(GREEN if on else "#9aa0ad", 0.3)}" '
            f'stroke="{OUTLINE}" stroke-width="7"/>'
            f'<rect x="8" y="6" width="80" height="80" rx="18" fill="{GREEN if on else "#ffffff"}" '
            f'stroke="{OUTLINE}" stroke-width="7"/>'
            f'<g transform="translate(0 -4) scale(0.96)">{tick}</g>'
        )
        pictures.append((f"gui/buttons/checkbox_{state}", doc(96, 96, box)))
        knob_x = 116 if on else 44
        track = GREEN if on else "#9aa0ad"
        switch = (
            f'<rect x="6" y="14" width="148" height="52" rx="26" fill="{track}" stroke="{OUTLINE}" stroke-width="7"/>'
            f'<circle cx="{knob_x}" cy="40" r="32" fill="#ffffff" stroke="{OUTLINE}" stroke-width="7"/>'
            f'<circle cx="{knob_x - 8}" cy="32" r="8" fill="{YELLOW if on else "#dcdfe6"}"/>'
        )
        pictures.append((f"gui/buttons/toggle_{state}", doc(160, 80, switch)))
    return pictures


# ---------------------------------------------------------------- menu pieces


def menu_pieces():
    panel = (
        f'<rect x="8" y="8" width="496" height="496" rx="40" fill="#fff4dc" stroke="{OUTLINE}" stroke-width="12"/>'
        f'<rect x="26" y="26" width="460" height="460" rx="28" fill="none" stroke="{ORANGE}" stroke-width="5" '
        f'stroke-dasharray="22 14"/>'
    )
    dialog = (
        f'<rect x="8" y="8" width="752" height="496" rx="44" fill="#fff4dc" stroke="{OUTLINE}" stroke-width="12"/>'
        f'<path d="M14 112 L14 52 Q14 14 52 14 L716 14 Q754 14 754 52 L754 112Z" fill="{PINK}"/>'
        f'<path d="M10 112 L758 112" stroke="{OUTLINE}" stroke-width="10"/>'
        f'<path d="M60 40 L708 40" stroke="#ffffff" stroke-width="8" stroke-linecap="round" opacity="0.5"/>'
        f'<rect x="8" y="8" width="752" height="496" rx="44" fill="none" stroke="{OUTLINE}" stroke-width="12"/>'
    )
    # The card behind dialogs and panels: solid lines only, so that it still looks drawn on purpose when a
    # screen stretches it to any size, and all of them near the edge, clear of the text inside; a warm lip
    # under it like the buttons have.
    frame = (
        f'<rect x="8" y="26" width="496" height="478" rx="48" fill="{mix(CREAM, ORANGE, 0.6)}" '
        f'stroke="{OUTLINE}" stroke-width="12"/>'
        f'<rect x="8" y="8" width="496" height="470" rx="48" fill="{CREAM}" stroke="{OUTLINE}" stroke-width="12"/>'
        f'<rect x="24" y="24" width="464" height="438" rx="34" fill="none" stroke="{mix(CREAM, ORANGE, 0.3)}" '
        f'stroke-width="5"/>'
    )
    focus = (
        f'<rect x="10" y="10" width="236" height="236" rx="36" fill="none" stroke="{OUTLINE}" stroke-width="18"/>'
        f'<rect x="10" y="10" width="236" height="236" rx="36" fill="none" stroke="{YELLOW}" stroke-width="9"/>'
    )
    slider_bar = (
        f'<rect x="6" y="10" width="500" height="28" rx="14" fill="#3d3553" stroke="{OUTLINE}" stroke-width="6"/>'
        f'<path d="M24 20 L488 20" stroke="#ffffff" stroke-width="4" stroke-linecap="round" opacity="0.25"/>'
    )
    knob = (
        f'<circle cx="32" cy="35" r="26" fill="{darker(YELLOW, 0.35)}" stroke="{OUTLINE}" stroke-width="6"/>'
        f'<circle cx="32" cy="30" r="26" fill="{YELLOW}" stroke="{OUTLINE}" stroke-width="6"/>'
        f'<circle cx="24" cy="22" r="7" fill="#ffffff" opacity="0.85"/>'
    )
    progress_back = f'<rect x="5" y="5" width="502" height="38" rx="19" fill="#3d3553" stroke="{OUTLINE}" stroke-width="8"/>'
    stripes = "".join(
        f'<path d="M{x} 44 L{x + 24} 4 L{x + 42} 4 L{x + 18} 44Z" fill="#ffffff" opacity="0.25"/>' for x in range(-20, 512, 40)
    )
    progress_fill = (
        f'<clipPath id="c"><rect x="5" y="5" width="502" height="38" rx="19"/></clipPath>'
        f'<rect x="5" y="5" width="502" height="38" rx="19" fill="{GREEN}"/>'
        f'<g clip-path="url(#c)">{stripes}</g>'
        f'<rect x="5" y="5" width="502" height="38" rx="19" fill="none" stroke="{OUTLINE}" stroke-width="8"/>'
    )
    editbox = (
        f'<rect x="5" y="5" width="502" height="70" rx="20" fill="#ffffff" stroke="{OUTLINE}" stroke-width="8"/>'
        f'<path d="M24 18 L488 18" stroke="#dfe3ec" stroke-width="6" stroke-linecap="round"/>'
    )
    return [
        ("gui/gui/panel", doc(512, 512, panel)),
        ("gui/gui/panel_frame", doc(512, 512, frame)),
        ("gui/gui/dialog", doc(768, 512, dialog)),
        ("gui/gui/focus", doc(256, 256, focus)),
        ("gui/gui/slider_bar", doc(512, 48, slider_bar)),
        ("gui/gui/slider_knob", doc(64, 64, knob)),
        ("gui/gui/progress_back", doc(512, 48, progress_back)),
        ("gui/gui/progress_fill", doc(512, 48, progress_fill)),
        ("gui/gui/editbox", doc(512, 80, editbox)),
        ("gui/gui/background", party_background(7)),
    ]


# ---------------------------------------------------------------- board layers


def party_background(seed):
    rng = random.Random(seed)
    defs = (
        '<radialGradient id="bg" cx="0.5" cy="0.45" r="0.75"><stop offset="0" stop-color="#5b2a9e"/>'
        '<stop offset="0.6" stop-color="#2e1560"/><stop offset="1" stop-color="#140a2e"/></radialGradient>'
    )
    colours = [PINK, ORANGE, YELLOW, GREEN, BLUE, TEAL, MAGENTA]
    bits = []
    for _ in range(140):
        x, y = rng.uniform(0, 1024), rng.uniform(0, 768)
        colour = rng.choice(colours)
        if rng.random() < 0.5:
            bits.append(f'<circle cx="{x:.0f}" cy="{y:.0f}" r="{rng.uniform(3, 8):.1f}" fill="{colour}" opacity="0.8"/>')
        else:
            bits.append(
                f'<rect x="{x:.0f}" y="{y:.0f}" width="{rng.uniform(8, 18):.0f}" height="6" rx="3" fill="{colour}" '
                f'opacity="0.8" transform="rotate({rng.uniform(0, 180):.0f} {x:.0f} {y:.0f})"/>'
            )
    return doc(1024, 768, '<rect width="1024" height="768" fill="url(#bg)"/>' + "".join(bits), defs)


def cloud(x, y, scale, opacity):
    puffs = [(-60, 10, 40), (-20, -18, 52), (34, -8, 46), (72, 14, 34), (0, 20, 44)]
    shapes = "".join(f'<circle cx="{dx}" cy="{dy}" r="{r}"/>' for dx, dy, r in puffs)
    return (
        f'<g transform="translate({x} {y}) scale({scale})" fill="#ffffff" opacity="{opacity}">{shapes}'
        f'<rect x="-80" y="10" width="190" height="44" rx="22"/></g>'
    )


def clouds(seed):
    rng = random.Random(seed)
    body = "".join(
        cloud(rng.uniform(60, 964), rng.uniform(70, 440), rng.uniform(0.6, 1.3), rng.choice((0.65, 0.8, 0.95)))
        for _ in range(9)
    )
    return doc(1024, 512, body)


def sunburst(rays, glow):
    defs = (
        '<radialGradient id="fade"><stop offset="0" stop-color="#ffffff" stop-opacity="1"/>'
        '<stop offset="1" stop-color="#ffffff" stop-opacity="0"/></radialGradient>'
        f'<radialGradient id="glow"><stop offset="0" stop-color="#ffffff" stop-opacity="{glow}"/>'
        '<stop offset="1" stop-color="#ffffff" stop-opacity="0"/></radialGradient>'
        '<mask id="m"><rect width="1024" height="1024" fill="url(#fade)"/></mask>'
    )
    step = 360 / rays
    beams = "".join(
        f'<path d="M512 512 L{512 + 760 * math.cos(math.radians(a)):.1f} {512 + 760 * math.sin(math.radians(a)):.1f} '
        f'L{512 + 760 * math.cos(math.radians(a + step / 2)):.1f} {512 + 760 * math.sin(math.radians(a + step / 2)):.1f}Z"/>'
        for a in (i * step for i in range(rays))
    )
    body = (
        f'<g fill="#ffffff" opacity="0.45" mask="url(#m)">{beams}</g>'
        '<circle cx="512" cy="512" r="512" fill="url(#glow)"/>'
    )
    return doc(1024, 1024, body, defs)


def sky():
    """White to grey, so that the object colour the board gives it becomes the sky."""
    rng = random.Random(5)
    defs = (
        '<linearGradient id="sky" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#ffffff"/>'
        '<stop offset="1" stop-color="#a8a8a8"/></linearGradient>'
    )
    stars = "".join(
        f'<circle cx="{rng.uniform(0, 1024):.0f}" cy="{rng.uniform(0, 500):.0f}" r="{rng.uniform(1.5, 3.5):.1f}" '
        f'fill="#ffffff"/>'
        for _ in range(90)
    )
    return doc(1024, 768, f'<rect width="1024" height="768" fill="url(#sky)"/>{stars}', defs)


def board_layers():
    return [
        ("game/board/background", party_background(3)),
        ("game/board/clouds", clouds(21)),
        ("game/board/lights", sunburst(24, 0.5)),
        ("game/board2/background", sky()),
        ("game/board2/clouds", clouds(8)),
        ("game/board2/lights", sunburst(16, 0.8)),
    ]


# ---------------------------------------------------------------- flags, logo


def flags(rows, icons):
    pictures = []
    for language, source in rows:
        if source.startswith("drawn:"):
            words = source[len("drawn:") :]
            face = (
                f'<circle cx="64" cy="64" r="52" fill="#de2910"/>'
                + text(64, 62, words, 90 / max(1, len(words)), fill=YELLOW, font="WenQuanYi Micro Hei", weight="bold", width=5)
            )
        else:
            face = icons.place(source, 12, 12, 104)
        body = (
            f'<circle cx="64" cy="64" r="58" fill="{OUTLINE}"/>{face}'
            f'<circle cx="64" cy="64" r="53" fill="none" stroke="#ffffff" stroke-width="4" opacity="0.9"/>'
            f'<path d="M30 40 A42 42 0 0 1 52 22" fill="none" stroke="#ffffff" stroke-width="6" '
            f'stroke-linecap="round" opacity="0.6"/>'
        )
        pictures.append((f"gui/flags/{language}", doc(128, 128, body)))
    return pictures


def game_logo(icons, decor):
    """1024 x 1024 with the picture in the top 1024 x 576: the logo scene shows that part."""
    defs = (
        '<radialGradient id="bg" cx="0.5" cy="0.5" r="0.7"><stop offset="0" stop-color="#ff5c8a"/>'
        '<stop offset="1" stop-color="#8e1f5c"/></radialGradient>' + outline_filter("o", 10)
    )
    rays = "".join(
        f'<path d="M512 300 L{512 + 900 * math.cos(math.radians(a)):.0f} {300 + 900 * math.sin(math.radians(a)):.0f} '
        f'L{512 + 900 * math.cos(math.radians(a + 7)):.0f} {300 + 900 * math.sin(math.radians(a + 7)):.0f}Z"/>'
        for a in range(0, 360, 14)
    )
    title = text(512, 250, "SWIGGARD", 116, fill=YELLOW, font=TITLE_FONT, weight="bold", width=26)
    body = (
        '<clipPath id="c"><rect width="1024" height="576"/></clipPath><g clip-path="url(#c)">'
        '<rect width="1024" height="576" fill="url(#bg)"/>'
        f'<g fill="#ffffff" opacity="0.12">{rays}</g>'
        + confetti_dots(random.Random(2), 60, 0, 0, 1024, 576, 7)
        + f'<g filter="url(#o)">{icons.place(decor["mug"], 18, 170, 150)}'
        f'<g transform="translate(1006 170) scale(-1 1)">{icons.place(decor["mug"], 0, 0, 150)}</g>'
        f'{icons.place(decor["party"], 437, 350, 150)}</g>'
        f"{title}</g>"
    )
    return doc(1024, 1024, body, defs)


def app_icon(icons, decor):
    """The desktop's icon, 256 x 256 and scalable: the logo's pink glow on a rounded tile with the
    thick outline, the clinking mugs, and a die in the corner."""
    defs = (
        '<radialGradient id="bg" cx="0.5" cy="0.4" r="0.75"><stop offset="0" stop-color="#ff5c8a"/>'
        '<stop offset="1" stop-color="#8e1f5c"/></radialGradient>' + outline_filter("o", 5)
    )
    pips = "".join(f'<circle cx="{196 + dx * 17}" cy="{196 + dy * 17}" r="7" fill="{OUTLINE}"/>' for dx, dy in PIPS[5])
    body = (
        f'<rect x="10" y="10" width="236" height="236" rx="52" fill="url(#bg)" stroke="{OUTLINE}" stroke-width="10"/>'
        + confetti_dots(random.Random(5), 16, 36, 36, 220, 220, 6)
        + f'<g filter="url(#o)">{icons.place(decor["all_drink"], 34, 30, 168)}</g>'
        f'<rect x="154" y="154" width="84" height="84" rx="20" fill="#ffffff" stroke="{OUTLINE}" stroke-width="8"/>'
        f"{pips}"
    )
    return doc(256, 256, body, defs)


# ---------------------------------------------------------------- player marks


def polygon(corners, radius, turn=-90.0, inner=None):
    """A regular polygon (or, with an inner radius, a star) about the middle of a 128 square."""
    points = []
    count = corners * 2 if inner else corners
    for i in range(count):
        r = inner if inner and i % 2 else radius
        a = math.radians(turn + 360.0 * i / count)
        points.append(f"{64 + r * math.cos(a):.1f},{64 + r * math.sin(a):.1f}")
    return "M" + " L".join(points) + "Z"


# One outline a seat: the shape tells the players apart where colours do not, the number says the seat.
MARK_SHAPES = [
    "M64 6 A58 58 0 1 1 63.9 6Z",
    "M12 12 H116 V116 H12Z",
    polygon(3, 64, -90.0),
    polygon(4, 60, -90.0),
    polygon(5, 60),
    polygon(6, 60, 0.0),
    polygon(5, 64, -90.0, 40),
    "M64 116 C20 86 4 60 10 38 C16 14 48 8 64 32 C80 8 112 14 118 38 C124 60 108 86 64 116Z",
    "M14 10 H114 V62 C114 92 92 110 64 120 C36 110 14 92 14 62Z",
    polygon(8, 60, -22.5),
    "M42 8 H86 V42 H120 V86 H86 V120 H42 V86 H8 V42 H42Z",
    polygon(3, 64, 90.0),
    polygon(4, 62, -90.0, 40),
    "M64 4 C84 36 110 58 110 84 C110 108 90 124 64 124 C38 124 18 108 18 84 C18 58 44 36 64 4Z",
]


def mark(seat):
    """Seat `seat` (1 to 14): its shape in white with the house outline and the number inside."""
    shape = MARK_SHAPES[seat - 1]
    digits = str(seat)
    # A triangle's middle of mass sits low; the number follows it so that it stays inside.
    dy = {3: 14, 7: 6, 8: 6, 12: 0, 14: 12}.get(seat, 0)
    size = {3: 46, 7: 42, 12: 34, 13: 38}.get(seat, 54 if len(digits) == 1 else 44)
    body = (
        f'<path d="{shape}" fill="#ffffff" stroke="{OUTLINE}" stroke-width="9" stroke-linejoin="round"/>'
        + text(64, 66 + dy, digits, size, fill=OUTLINE, width=0)
    )
    return doc(128, 128, body)


def marks():
    return [(f"gui/marks/mark_{seat}", mark(seat)) for seat in range(1, len(MARK_SHAPES) + 1)]


def drawn_pictures(icons, decor):
    return (
        plates()
        + corners(icons, decor)
        + dice()
        + buttons(icons, decor)
        + menu_pieces()
        + board_layers()
        + planets.pictures()
        + marks()
        + [("logos/swiggard", game_logo(icons, decor)), ("logos/app_icon", app_icon(icons, decor))]
    )
