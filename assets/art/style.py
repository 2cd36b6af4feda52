"""The house style shared by every picture: flat, saturated party colours, thick dark outlines."""

OUTLINE = "#1b1530"
FONT = "Dosis"
TITLE_FONT = "TeX Gyre Adventor"

# One colour family per board side, then the surprise plate: (base, light inner).
SIDES = [
    ("#ff3b6b", "#ffd9e3"),
    ("#ff9f1c", "#ffedcc"),
    ("#21c07a", "#d2f6e4"),
    ("#3a86ff", "#d8e7ff"),
]
SURPRISE = ("#8e44ff", "#eadcff")

YELLOW = "#ffd60a"
PINK = "#ff3b6b"
ORANGE = "#ff9f1c"
GREEN = "#21c07a"
BLUE = "#3a86ff"
PURPLE = "#8e44ff"
TEAL = "#00c2a8"
MAGENTA = "#ff4fa3"

# The interface's own colours (data/gui/STYLE.md lists them with their contrast ratios). The two button
# faces are darker than BLUE and PINK so that white text on them stays readable when hovered.
COBALT = "#2a5bd7"
RED = "#c8283a"
CREAM = "#fff4dc"
DISABLED = "#8f929e"


def doc(width, height, body, defs=""):
    return (
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
        f'viewBox="0 0 {width} {height}"><defs>{defs}</defs>{body}</svg>\n'
    )


def outline_filter(fid, radius, colour=OUTLINE):
    """A uniform outline around whatever the filtered group paints (used on third-party icons)."""
    return (
        f'<filter id="{fid}" x="-30%" y="-30%" width="160%" height="160%" color-interpolation-filters="sRGB">'
        f'<feMorphology in="SourceAlpha" operator="dilate" radius="{radius}" result="grown"/>'
        f'<feFlood flood-color="{colour}"/><feComposite in2="grown" operator="in" result="edge"/>'
        f'<feMerge><feMergeNode in="edge"/><feMergeNode in="SourceGraphic"/></feMerge></filter>'
    )


def sticker_filter(fid, white, dark):
    """A white rim with a thin dark edge outside it, like a sticker."""
    return (
        f'<filter id="{fid}" x="-30%" y="-30%" width="160%" height="160%" color-interpolation-filters="sRGB">'
        f'<feMorphology in="SourceAlpha" operator="dilate" radius="{dark}" result="outer"/>'
        f'<feFlood flood-color="{OUTLINE}"/><feComposite in2="outer" operator="in" result="edge"/>'
        f'<feMorphology in="SourceAlpha" operator="dilate" radius="{white}" result="inner"/>'
        f'<feFlood flood-color="#ffffff"/><feComposite in2="inner" operator="in" result="rim"/>'
        f'<feMerge><feMergeNode in="edge"/><feMergeNode in="rim"/><feMergeNode in="SourceGraphic"/></feMerge>'
        f"</filter>"
    )


def mix(colour, other, amount):
    """colour moved towards other by amount (0..1); both '#rrggbb'."""
    a = [int(colour[i : i + 2], 16) for i in (1, 3, 5)]
    b = [int(other[i : i + 2], 16) for i in (1, 3, 5)]
    return "#" + "".join(f"{round(x + (y - x) * amount):02x}" for x, y in zip(a, b))


def lighter(colour, amount=0.3):
    return mix(colour, "#ffffff", amount)


def darker(colour, amount=0.3):
    return mix(colour, "#000000", amount)


def text(x, y, content, size, fill="#ffffff", font=FONT, weight="800", stroke=OUTLINE, width=None, extra=""):
    """Bold text with the dark outline painted under the fill."""
    width = size * 0.18 if width is None else width
    return (
        f'<text x="{x:g}" y="{y:g}" font-family="{font}" font-weight="{weight}" font-size="{size:g}" '
        f'text-anchor="middle" dominant-baseline="central" fill="{fill}" stroke="{stroke}" '
        f'stroke-width="{width:g}" stroke-linejoin="round" paint-order="stroke"{extra}>{content}</text>'
    )


def stroke_glyph(d, width=10, colour="#ffffff"):
    """A line drawing: a thick dark stroke under a white one."""
    return (
        f'<path d="{d}" fill="none" stroke="{OUTLINE}" stroke-width="{width + 9}" '
        f'stroke-linecap="round" stroke-linejoin="round"/>'
        f'<path d="{d}" fill="none" stroke="{colour}" stroke-width="{width}" '
        f'stroke-linecap="round" stroke-linejoin="round"/>'
    )
