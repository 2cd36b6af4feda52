"""The sixteen planet pictures of the planets board. The board puts four 1024 x 1024 quarter
pictures round the disc's centre and picture n always lands in quarter n mod 4 (0 top right,
1 bottom right, 2 bottom left, 3 top left), so picture n is the quarter of a planet whose centre is
the corner of the picture that touches the disc's centre. Tokens stand at radius 316, the field
badges sit on the ground below, so the surface lies at radius 322."""
import math
import random

from style import OUTLINE, darker, doc, lighter

RADIUS = 322
CENTRES = [(0, 1024), (0, 0), (1024, 0), (1024, 1024)]


def tree(rng, c):
    h = rng.uniform(70, 110)
    return (
        f'<rect x="-7" y="{-h * 0.55:.0f}" width="14" height="{h * 0.55 + 6:.0f}" fill="#7a4a26" stroke="{OUTLINE}" stroke-width="5"/>'
        f'<circle cx="0" cy="{-h * 0.7:.0f}" r="{h * 0.32:.0f}" fill="{c}" stroke="{OUTLINE}" stroke-width="6"/>'
        f'<circle cx="{-h * 0.1:.0f}" cy="{-h * 0.8:.0f}" r="{h * 0.09:.0f}" fill="#ffffff" opacity="0.5"/>'
    )


def pine(rng, c):
    h = rng.uniform(80, 130)
    return (
        f'<rect x="-6" y="-20" width="12" height="26" fill="#6b3e26" stroke="{OUTLINE}" stroke-width="5"/>'
        f'<path d="M0 {-h:.0f} L{h * 0.32:.0f} -14 L{-h * 0.32:.0f} -14Z" fill="{c}" stroke="{OUTLINE}" '
        f'stroke-width="6" stroke-linejoin="round"/>'
        f'<path d="M0 {-h:.0f} L{h * 0.12:.0f} {-h * 0.62:.0f} L{-h * 0.12:.0f} {-h * 0.62:.0f}Z" fill="#ffffff"/>'
    )


def cactus(rng, c):
    h = rng.uniform(70, 110)
    return (
        f'<path d="M-24 {-h * 0.45:.0f} L-24 {-h * 0.7:.0f} M24 {-h * 0.35:.0f} L24 {-h * 0.6:.0f} '
        f'M-24 {-h * 0.45:.0f} L-4 {-h * 0.45:.0f} M24 {-h * 0.35:.0f} L4 {-h * 0.35:.0f}" '
        f'stroke="{OUTLINE}" stroke-width="22" stroke-linecap="round"/>'
        f'<path d="M-24 {-h * 0.45:.0f} L-24 {-h * 0.7:.0f} M24 {-h * 0.35:.0f} L24 {-h * 0.6:.0f} '
        f'M-24 {-h * 0.45:.0f} L-4 {-h * 0.45:.0f} M24 {-h * 0.35:.0f} L4 {-h * 0.35:.0f}" '
        f'stroke="{c}" stroke-width="12" stroke-linecap="round"/>'
        f'<rect x="-14" y="{-h:.0f}" width="28" height="{h + 6:.0f}" rx="14" fill="{c}" stroke="{OUTLINE}" stroke-width="6"/>'
    )


def crystal(rng, c):
    h = rng.uniform(60, 110)
    return "".join(
        f'<path transform="rotate({a})" d="M-12 4 L-12 {-h * k * 0.7:.0f} L0 {-h * k:.0f} L12 {-h * k * 0.7:.0f} L12 4Z" '
        f'fill="{col}" stroke="{OUTLINE}" stroke-width="5" stroke-linejoin="round"/>'
        for a, k, col in ((-25, 0.7, lighter(c, 0.3)), (25, 0.75, darker(c, 0.1)), (0, 1, c))
    )


def volcano(rng, c):
    h = rng.uniform(60, 90)
    return (
        f'<path d="M-60 6 L-18 {-h:.0f} L18 {-h:.0f} L60 6Z" fill="{c}" stroke="{OUTLINE}" stroke-width="6" stroke-linejoin="round"/>'
        f'<path d="M-18 {-h:.0f} L-10 {-h * 0.6:.0f} L0 {-h * 0.75:.0f} L8 {-h * 0.55:.0f} L18 {-h:.0f}Z" fill="#ff8c1a" '
        f'stroke="{OUTLINE}" stroke-width="4" stroke-linejoin="round"/>'
        f'<circle cx="-6" cy="{-h - 24:.0f}" r="14" fill="#b0b0b8" stroke="{OUTLINE}" stroke-width="4"/>'
        f'<circle cx="12" cy="{-h - 46:.0f}" r="10" fill="#c8c8d0" stroke="{OUTLINE}" stroke-width="4"/>'
    )


def mushroom(rng, c):
    h = rng.uniform(50, 90)
    dots = "".join(f'<circle cx="{dx}" cy="{-h + dy:.0f}" r="6" fill="#ffffff"/>' for dx, dy in ((-16, 4), (10, -4), (22, 10)))
    return (
        f'<rect x="-10" y="{-h * 0.8:.0f}" width="20" height="{h * 0.8 + 6:.0f}" rx="8" fill="#fff2d6" stroke="{OUTLINE}" stroke-width="5"/>'
        f'<path d="M-38 {-h * 0.7:.0f} Q0 {-h * 1.5:.0f} 38 {-h * 0.7:.0f}Z" fill="{c}" stroke="{OUTLINE}" stroke-width="6" '
        f'stroke-linejoin="round"/>{dots}'
    )


def house(rng, c):
    h = rng.uniform(50, 80)
    return (
        f'<rect x="-26" y="{-h:.0f}" width="52" height="{h + 6:.0f}" fill="{c}" stroke="{OUTLINE}" stroke-width="6"/>'
        f'<path d="M-36 {-h:.0f} L0 {-h - 34:.0f} L36 {-h:.0f}Z" fill="#d62839" stroke="{OUTLINE}" stroke-width="6" stroke-linejoin="round"/>'
        f'<rect x="-10" y="{-h * 0.6:.0f}" width="20" height="18" fill="#ffd60a" stroke="{OUTLINE}" stroke-width="4"/>'
    )


def lollipop(rng, c):
    h = rng.uniform(80, 120)
    return (
        f'<rect x="-4" y="{-h:.0f}" width="8" height="{h + 6:.0f}" fill="#ffffff" stroke="{OUTLINE}" stroke-width="4"/>'
        f'<circle cx="0" cy="{-h:.0f}" r="28" fill="{c}" stroke="{OUTLINE}" stroke-width="6"/>'
        f'<path d="M0 {-h:.0f} m-14 0 a14 14 0 1 1 14 14 a8 8 0 1 1 -6 -10" fill="none" stroke="#ffffff" stroke-width="5"/>'
    )


def palm(rng, c):
    h = rng.uniform(90, 130)
    leaves = "".join(
        f'<path transform="translate(14 {-h:.0f}) rotate({a})" d="M0 0 Q22 -18 50 -6 Q24 -4 0 0Z" fill="{c}" '
        f'stroke="{OUTLINE}" stroke-width="5" stroke-linejoin="round"/>'
        for a in (-160, -110, -60, -20, 20)
    )
    return (
        f'<path d="M0 6 Q-4 {-h * 0.5:.0f} 14 {-h:.0f}" fill="none" stroke="{OUTLINE}" stroke-width="18" stroke-linecap="round"/>'
        f'<path d="M0 6 Q-4 {-h * 0.5:.0f} 14 {-h:.0f}" fill="none" stroke="#b07a3c" stroke-width="9" stroke-linecap="round"/>'
        f"{leaves}"
    )


def rock(rng, c):
    w = rng.uniform(30, 55)
    return (
        f'<path d="M{-w:.0f} 6 Q{-w:.0f} {-w:.0f} {-w * 0.2:.0f} {-w * 1.1:.0f} Q{w:.0f} {-w:.0f} {w:.0f} 6Z" fill="{c}" '
        f'stroke="{OUTLINE}" stroke-width="6" stroke-linejoin="round"/>'
    )


def building(rng, c):
    h = rng.uniform(90, 150)
    windows = "".join(
        f'<rect x="{x}" y="{-h + 14 + row * 24:.0f}" width="10" height="12" fill="#ffd60a"/>'
        for row in range(int((h - 30) // 24))
        for x in (-16, 6)
    )
    return f'<rect x="-26" y="{-h:.0f}" width="52" height="{h + 6:.0f}" fill="{c}" stroke="{OUTLINE}" stroke-width="6"/>{windows}'


def wave(rng, c):
    return (
        f'<path d="M-50 6 Q-30 -40 0 -30 Q-18 -22 -10 -8 Q10 -40 40 -24 Q30 -12 50 6Z" fill="{c}" stroke="{OUTLINE}" '
        f'stroke-width="6" stroke-linejoin="round"/>'
    )


def flower(rng, c):
    h = rng.uniform(50, 80)
    petals = "".join(
        f'<circle cx="{14 * math.cos(a):.1f}" cy="{-h + 14 * math.sin(a):.1f}" r="11" fill="{c}" stroke="{OUTLINE}" stroke-width="4"/>'
        for a in (i * math.pi / 3 for i in range(6))
    )
    return (
        f'<path d="M0 6 L0 {-h:.0f}" stroke="{OUTLINE}" stroke-width="12"/><path d="M0 6 L0 {-h:.0f}" stroke="#21c07a" stroke-width="6"/>'
        f'{petals}<circle cx="0" cy="{-h:.0f}" r="9" fill="#ffd60a" stroke="{OUTLINE}" stroke-width="4"/>'
    )


# name: (ground, topsoil, core, decorations, decoration colours, spot colour)
THEMES = [
    ("meadow", "#7bc950", "#3fa34d", "#8a5a2b", [tree, flower], ["#2e9e4f", "#ff4fa3", "#ffd60a"], "#6ab344"),
    ("desert", "#f4c26b", "#e8a33d", "#b8652b", [cactus, rock], ["#2e9e4f", "#c98b4a"], "#e0ac55"),
    ("ice", "#bfe9ff", "#ffffff", "#5fa8d3", [crystal, pine], ["#7fd1ff", "#3d8fd6"], "#a3dcfa"),
    ("lava", "#5a1e1e", "#ff5a1f", "#2a0a0a", [volcano, rock], ["#6e2a2a", "#4a1a1a"], "#ff8c1a"),
    ("ocean", "#2f80ff", "#7fdbff", "#123a8a", [wave, palm], ["#7fdbff", "#21c07a"], "#5aa0ff"),
    ("candy", "#ffb3d9", "#ff6fb5", "#a23b72", [lollipop, mushroom], ["#ff3b6b", "#8e44ff", "#00c2a8"], "#ffd1e8"),
    ("moon", "#b8b8c8", "#dcdce6", "#6b6b80", [rock, crystal], ["#9494a8", "#ffd60a"], "#9898ac"),
    ("jungle", "#2e8b3e", "#1f6e2e", "#4a2e16", [palm, tree], ["#45c46a", "#1f9e4f"], "#3fa34d"),
    ("beach", "#ffe08a", "#2fc4d6", "#c98b4a", [palm, house], ["#21c07a", "#ffffff"], "#ffd35c"),
    ("amethyst", "#6a3fb5", "#b388ff", "#2b1560", [crystal, rock], ["#d0a6ff", "#8e44ff"], "#8358cf"),
    ("mushroom", "#8fd16a", "#5cb85c", "#6b3e26", [mushroom, flower], ["#ff3b5c", "#ff9f1c", "#8e44ff"], "#7cc45a"),
    ("autumn", "#d9822b", "#b5541c", "#6b3e26", [tree, house], ["#ff9f1c", "#d62839", "#ffd60a"], "#e89a45"),
    ("snow", "#f0f6ff", "#ffffff", "#8aa4c8", [pine, house], ["#2e7d4f", "#3a86ff"], "#dde8f7"),
    ("canyon", "#c0643a", "#e07b45", "#6e2e1a", [rock, cactus], ["#a34a2a", "#2e9e4f"], "#b05530"),
    ("toxic", "#a6e22e", "#d4ff3a", "#3c5a0a", [mushroom, crystal], ["#8e44ff", "#39ff14"], "#8cc41e"),
    ("city", "#8d99ae", "#5c677d", "#2b2d42", [building, tree], ["#3a86ff", "#ff4fa3", "#ff9f1c"], "#7b879c"),
]


def planet(index):
    name, ground, topsoil, core, kinds, colours, spot = THEMES[index]
    quarter = index % 4
    cx, cy = CENTRES[quarter]
    start = -90 + 90 * quarter
    rng = random.Random(1000 + index)

    def polar(angle, radius):
        return cx + radius * math.cos(math.radians(angle)), cy + radius * math.sin(math.radians(angle))

    spots = []
    for _ in range(14):
        x, y = polar(rng.uniform(start + 4, start + 86), rng.uniform(60, RADIUS - 70))
        spots.append(
            f'<circle cx="{x:.0f}" cy="{y:.0f}" r="{rng.uniform(10, 28):.0f}" fill="{spot}" stroke="{darker(spot, 0.2)}" '
            f'stroke-width="4"/>'
        )
    decorations = []
    angle = start + rng.uniform(5, 9)
    while angle < start + 84:
        x, y = polar(angle, RADIUS - 6)
        shape = rng.choice(kinds)(rng, rng.choice(colours))
        decorations.append(f'<g transform="translate({x:.1f} {y:.1f}) rotate({angle + 90:.1f})">{shape}</g>')
        angle += rng.uniform(9, 17)
    body = (
        f'<circle cx="{cx}" cy="{cy}" r="{RADIUS + 46}" fill="#ffffff" opacity="0.18"/>'
        f'<circle cx="{cx}" cy="{cy}" r="{RADIUS + 22}" fill="#ffffff" opacity="0.22"/>'
        + "".join(decorations)
        + f'<circle cx="{cx}" cy="{cy}" r="{RADIUS}" fill="{topsoil}" stroke="{OUTLINE}" stroke-width="10"/>'
        f'<circle cx="{cx}" cy="{cy}" r="{RADIUS - 26}" fill="{ground}"/>'
        + "".join(spots)
        + f'<circle cx="{cx}" cy="{cy}" r="{RADIUS * 0.42:.0f}" fill="{darker(ground, 0.12)}"/>'
        f'<circle cx="{cx}" cy="{cy}" r="{RADIUS * 0.2:.0f}" fill="{core}"/>'
        f'<path d="M{polar(start + 12, RADIUS - 14)[0]:.0f} {polar(start + 12, RADIUS - 14)[1]:.0f} '
        f'A{RADIUS - 14} {RADIUS - 14} 0 0 1 {polar(start + 40, RADIUS - 14)[0]:.0f} {polar(start + 40, RADIUS - 14)[1]:.0f}" '
        f'fill="none" stroke="#ffffff" stroke-width="8" stroke-linecap="round" opacity="0.55"/>'
    )
    return doc(1024, 1024, f"<!-- {name} -->" + body)


def pictures():
    return [(f"game/planets/{n}", planet(n)) for n in range(len(THEMES))]
