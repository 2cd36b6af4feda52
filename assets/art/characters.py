"""The 26 characters: one drawn body (shirt, trousers, white gloves, a raised beer mug) under a big
emoji head, so that they share one style and read well when small and rotated.

A token is placed by the catalogue's offset point of its character: the picture's point (x, y) is
where the feet touch the board (the shadow is centred there). Each figure is therefore drawn with its
feet exactly at that point, scaled down where the point leaves too little room to its left or above.
"""
import math

from style import OUTLINE, darker, doc, lighter, outline_filter

# Feet points (x, y) of characters "00" to "25", in catalogue order.
OFFSETS = [
    (98, 253), (74, 245), (85, 245), (94, 197), (152, 278), (75, 201), (80, 170), (86, 187), (86, 260),
    (90, 284), (121, 274), (88, 300), (65, 290), (63, 300), (41, 300), (105, 300), (92, 255), (95, 260),
    (120, 300), (125, 300), (46, 300), (77, 260), (142, 280), (72, 260), (100, 220), (65, 280),
]

HEIGHT = 300  # of the figure at scale 1, feet to the top of the head
LEFT = 68  # how far the figure reaches left of the feet point at scale 1
RIGHT = 104  # and right (the raised mug)
GLOVE = "#ffffff"


def body(shirt, trousers):
    """The figure in its own units: feet centre at (0, 0), up is negative y."""
    sw = 6
    return (
        # legs and shoes
        f'<rect x="-30" y="-84" width="25" height="78" rx="10" fill="{trousers}" stroke="{OUTLINE}" stroke-width="{sw}"/>'
        f'<rect x="5" y="-84" width="25" height="78" rx="10" fill="{trousers}" stroke="{OUTLINE}" stroke-width="{sw}"/>'
        f'<ellipse cx="-22" cy="-8" rx="21" ry="11" fill="#2b2b3a" stroke="{OUTLINE}" stroke-width="{sw}"/>'
        f'<ellipse cx="22" cy="-8" rx="21" ry="11" fill="#2b2b3a" stroke="{OUTLINE}" stroke-width="{sw}"/>'
        # left arm hanging, right arm raised with the mug
        f'<path d="M-36 -146 Q-58 -118 -54 -92" fill="none" stroke="{OUTLINE}" stroke-width="28" stroke-linecap="round"/>'
        f'<path d="M-36 -146 Q-58 -118 -54 -92" fill="none" stroke="{shirt}" stroke-width="16" stroke-linecap="round"/>'
        f'<circle cx="-54" cy="-88" r="13" fill="{GLOVE}" stroke="{OUTLINE}" stroke-width="{sw}"/>'
        f'<path d="M36 -146 Q62 -150 66 -184" fill="none" stroke="{OUTLINE}" stroke-width="28" stroke-linecap="round"/>'
        f'<path d="M36 -146 Q62 -150 66 -184" fill="none" stroke="{shirt}" stroke-width="16" stroke-linecap="round"/>'
        # torso with a belt and a collar
        f'<rect x="-42" y="-168" width="84" height="96" rx="26" fill="{shirt}" stroke="{OUTLINE}" stroke-width="{sw}"/>'
        f'<path d="M-38 -84 L38 -84" stroke="{darker(trousers, 0.35)}" stroke-width="10"/>'
        f'<rect x="-9" y="-90" width="18" height="12" rx="3" fill="#ffd60a" stroke="{OUTLINE}" stroke-width="3"/>'
        f'<path d="M-18 -166 L0 -140 L18 -166" fill="{lighter(shirt, 0.45)}" stroke="{OUTLINE}" stroke-width="4" '
        f'stroke-linejoin="round"/>'
        f'<path d="M-30 -150 Q-30 -160 -20 -162" fill="none" stroke="#ffffff" stroke-width="5" stroke-linecap="round" '
        f'opacity="0.6"/>'
    )


def mug():
    """A drawn mug in the raised hand (the glove holds its handle)."""
    return (
        '<g transform="translate(66 -196) rotate(-12)">'
        f'<rect x="-6" y="-40" width="40" height="50" rx="6" fill="#ffc83d" stroke="{OUTLINE}" stroke-width="6"/>'
        f'<path d="M-8 -40 Q-8 -54 6 -52 Q12 -62 22 -54 Q36 -58 36 -42Z" fill="#ffffff" stroke="{OUTLINE}" '
        f'stroke-width="5" stroke-linejoin="round"/>'
        f'<path d="M4 -28 L4 0 M14 -28 L14 0" stroke="#ffe69a" stroke-width="5" stroke-linecap="round"/>'
        f'<path d="M34 -30 Q50 -28 48 -14 Q46 -2 34 -4" fill="none" stroke="{OUTLINE}" stroke-width="6"/>'
        f'<circle cx="0" cy="10" r="13" fill="{GLOVE}" stroke="{OUTLINE}" stroke-width="6"/>'
        "</g>"
    )


def token(icons, head, shirt, trousers, feet):
    fx, fy = feet
    scale = min(1.0, (fy - 8) / HEIGHT, (fx - 6) / LEFT)
    width = math.ceil(fx + RIGHT * scale + 8)
    height = fy + 10
    figure = body(shirt, trousers) + mug() + icons.place(head, -72, -300, 144)
    content = f'<g filter="url(#o)"><g transform="translate({fx} {fy}) scale({scale:.4f})">{figure}</g></g>'
    return doc(width, height, content, outline_filter("o", max(2, round(4 * scale))))


def head_icon(icons, head, shirt):
    body = (
        f'<circle cx="64" cy="64" r="56" fill="{shirt}" stroke="{OUTLINE}" stroke-width="7"/>'
        f'<path d="M26 44 A44 44 0 0 1 52 18" fill="none" stroke="#ffffff" stroke-width="6" stroke-linecap="round" '
        f'opacity="0.6"/>'
        f'<g filter="url(#o)">{icons.place(head, 16, 14, 96)}</g>'
    )
    return doc(128, 128, body, outline_filter("o", 3))


def pictures(rows, icons):
    if len(rows) != len(OFFSETS):
        raise SystemExit(f"icons.txt lists {len(rows)} characters, the catalogue has {len(OFFSETS)}")
    result = []
    for index, (cid, head, shirt, trousers) in enumerate(rows):
        if cid != f"{index:02d}":
            raise SystemExit(f"icons.txt: character {cid} is out of order (expected {index:02d})")
        result.append((f"gui/characters/{cid}", token(icons, head, shirt, trousers, OFFSETS[index])))
        result.append((f"gui/character_icons/{cid}", head_icon(icons, head, shirt)))
    return result
