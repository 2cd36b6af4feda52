#!/usr/bin/env python3
"""Checks the pictures and fonts of a built data root: every picture the screens load exists and is
a sound PNG with something visible in it, the families that must differ do differ, the character
tokens stand on the catalogue's feet points, the planet quarters face the disc's centre, and every
font file the game loads is there.

    check_art.py <data root> <required_art.txt>
"""
import hashlib
import os
import struct
import sys
import unittest
import zlib

DATA_ROOT = None
REQUIRED = None

# The catalogue's token offsets of characters "00" to "25": where the feet touch the board.
TOKEN_OFFSETS = [
    (98, 253), (74, 245), (85, 245), (94, 197), (152, 278), (75, 201), (80, 170), (86, 187), (86, 260),
    (90, 284), (121, 274), (88, 300), (65, 290), (63, 300), (41, 300), (105, 300), (92, 255), (95, 260),
    (120, 300), (125, 300), (46, 300), (77, 260), (142, 280), (72, 260), (100, 220), (65, 280),
]
CHANNELS = {0: 1, 2: 3, 4: 2, 6: 4}


class Png:
    """A PNG read with the standard library: chunks and CRCs checked, the image data inflated."""

    def __init__(self, path):
        with open(path, "rb") as f:
            data = f.read()
        if data[:8] != b"\x89PNG\r\n\x1a\n":
            raise ValueError("not a PNG signature")
        self.size = len(data)
        pos, idat, chunks = 8, [], []
        while pos < len(data):
            if pos + 12 > len(data):
                raise ValueError("truncated chunk")
            length, kind = struct.unpack(">I4s", data[pos : pos + 8])
            if pos + 12 + length > len(data):
                raise ValueError(f"truncated chunk {kind!r}")
            body = data[pos + 8 : pos + 8 + length]
            (crc,) = struct.unpack(">I", data[pos + 8 + length : pos + 12 + length])
            if zlib.crc32(kind + body) != crc:
                raise ValueError(f"bad CRC in chunk {kind!r}")
            chunks.append(kind)
            if kind == b"IHDR":
                self.width, self.height, self.depth, self.colour, _, _, self.interlace = struct.unpack(">IIBBBBB", body)
            elif kind == b"IDAT":
                idat.append(body)
            pos += 12 + length
        if chunks[0] != b"IHDR" or chunks[-1] != b"IEND" or not idat:
            raise ValueError("IHDR, IDAT or IEND missing")
        if self.depth != 8 or self.colour not in CHANNELS or self.interlace:
            raise ValueError(f"unexpected format: depth {self.depth}, colour type {self.colour}, interlace {self.interlace}")
        self.bpp = CHANNELS[self.colour]
        self.raw = zlib.decompress(b"".join(idat))
        stride = self.width * self.bpp
        if len(self.raw) != self.height * (stride + 1):
            raise ValueError("image data has the wrong length")
        self.stride = stride
        self._rows = None

    def rows(self):
        """The unfiltered rows (computed once)."""
        if self._rows is not None:
            return self._rows
        bpp, stride, raw = self.bpp, self.stride, self.raw
        previous = bytearray(stride)
        rows = []
        for y in range(self.height):
            start = y * (stride + 1)
            kind = raw[start]
            line = bytearray(raw[start + 1 : start + 1 + stride])
            if kind == 1:
                for i in range(bpp, stride):
                    line[i] = (line[i] + line[i - bpp]) & 255
            elif kind == 2:
                line = bytearray((a + b) & 255 for a, b in zip(line, previous))
            elif kind == 3:
                for i in range(stride):
                    left = line[i - bpp] if i >= bpp else 0
                    line[i] = (line[i] + ((left + previous[i]) >> 1)) & 255
            elif kind == 4:
                for i in range(stride):
                    a = line[i - bpp] if i >= bpp else 0
                    b = previous[i]
                    c = previous[i - bpp] if i >= bpp else 0
                    p = a + b - c
                    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                    line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
            elif kind != 0:
                raise ValueError(f"unknown filter {kind} in row {y}")
            rows.append(line)
            previous = line
        self._rows = rows
        return rows

    def alpha(self, x, y):
        if self.colour not in (4, 6):
            return 255
        return self.rows()[y][x * self.bpp + self.bpp - 1]

    def digest(self):
        return hashlib.sha1(self.raw).hexdigest()


def read_required(path):
    sections, current = {}, None
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            if line.startswith("["):
                current = sections.setdefault(line.strip("[]"), [])
            else:
                current.append(line)
    return sections


def picture_path(name):
    """'gui.buttons/yes' -> <root>/data/gui/images/gui/buttons/yes.png; 'logos/x' stays a path."""
    images = os.path.join(DATA_ROOT, "data", "gui", "images")
    folder, _, picture = name.partition("/")
    return os.path.join(images, *folder.split("."), picture + ".png")


_cache = {}


def load(name):
    if name not in _cache:
        _cache[name] = Png(picture_path(name))
    return _cache[name]


def all_picture_names():
    names = list(REQUIRED["pictures"]) + list(REQUIRED["logos"])
    for icon in REQUIRED["catalogue icons"]:
        names += [f"game.fields/{icon}", f"game.fields2/{icon}"]
    for button in REQUIRED["buttons"]:
        names += [button + state for state in ("", "_hover", "_pushed")]
    return names


class PicturesTest(unittest.TestCase):
    def test_every_picture_is_a_sound_png_with_content(self):
        problems = []
        for name in all_picture_names():
            path = picture_path(name)
            if not os.path.exists(path):
                problems.append(f"{name}: missing ({path})")
                continue
            try:
                png = Png(path)
            except (ValueError, zlib.error, struct.error) as error:
                problems.append(f"{name}: {error}")
                continue
            if png.width < 16 or png.height < 16 or png.size < 300:
                problems.append(f"{name}: only {png.width}x{png.height}, {png.size} bytes")
            elif len(set(png.raw[1 : 1 + png.stride * min(png.height, 64)])) < 4 and len(set(png.raw)) < 8:
                problems.append(f"{name}: a single flat colour")
        self.assertEqual(problems, [])

    def test_the_catalogue_has_68_icons_with_the_custom_card_ones(self):
        icons = REQUIRED["catalogue icons"]
        self.assertEqual(len(icons), 68)
        self.assertEqual(len(set(icons)), 68)
        for custom in ("dance_moves", "hot_abs", "strip_female", "phone_call", "poet", "parkour"):
            self.assertIn(custom, icons)

    def assertAllDistinct(self, names):
        digests = {}
        for name in names:
            digests.setdefault(load(name).digest(), []).append(name)
        same = [group for group in digests.values() if len(group) > 1]
        self.assertEqual(same, [], "pictures that should differ are identical")

    def test_families_that_must_differ_do(self):
        self.assertAllDistinct([f"gui.characters/{i:02d}" for i in range(26)])
        self.assertAllDistinct([f"gui.character_icons/{i:02d}" for i in range(26)])
        self.assertAllDistinct([f"game.planets/{i}" for i in range(16)])
        self.assertAllDistinct([f"gui.dice/{i}" for i in range(1, 7)] + [f"gui.dice_rolled/{i}" for i in range(1, 7)])
        self.assertAllDistinct([f"game.fields/{icon}" for icon in REQUIRED["catalogue icons"]])
        self.assertAllDistinct([f"gui.buttons/fields_blank_{s}" for s in (0, 1, 2, 3, "surprise")])
        self.assertAllDistinct([f"gui.buttons/rank_{i}" for i in range(1, 11)])
        self.assertAllDistinct([f"game.fields/{n}" for n in range(1, 21)])

    def test_buttons_change_on_hover_and_push(self):
        for button in REQUIRED["buttons"]:
            with self.subTest(button=button):
                self.assertAllDistinct([button, button + "_hover", button + "_pushed"])

    def test_text_and_icon_buttons_look_unavailable_when_disabled(self):
        # Tiles, bars, swatches and the plain pill have no disabled picture: the GUI dims them.
        undimmed = ("gui.buttons/big", "gui.buttons/bar_360", "gui.buttons/button", "gui.buttons/color_")
        for button in REQUIRED["buttons"]:
            if button.startswith(undimmed) and not button.startswith("gui.buttons/button_"):
                continue
            with self.subTest(button=button):
                self.assertTrue(os.path.exists(picture_path(button + "_disabled")), button + "_disabled")
                self.assertAllDistinct([button, button + "_hover", button + "_disabled"])

    def test_characters_stand_on_their_feet_points(self):
        for index, (x, y) in enumerate(TOKEN_OFFSETS):
            name = f"gui.characters/{index:02d}"
            with self.subTest(character=name):
                png = load(name)
                self.assertGreater(png.width, x)
                self.assertGreater(png.height, y)
                # Between the shoes just above the feet point the figure is solid; well below it, empty.
                self.assertGreater(max(png.alpha(x + dx, y - 6) for dx in range(-14, 15)), 200)
                self.assertEqual(png.alpha(x, png.height - 1), 0)
                # The figure reaches well above the feet.
                self.assertGreater(max(png.alpha(x, y - 120 * png.height // 310 - dy) for dy in range(0, 20)), 0)

    def test_planet_quarters_face_the_disc_centre(self):
        corners = [(0, 1023), (0, 0), (1023, 0), (1023, 1023)]  # quarters 0 to 3: top right, bottom right ...
        for n in range(16):
            with self.subTest(planet=n):
                png = load(f"game.planets/{n}")
                self.assertEqual((png.width, png.height), (1024, 1024))
                cx, cy = corners[n % 4]
                near = (abs(cx - 40), abs(cy - 40))
                far = (1023 - cx, 1023 - cy)
                self.assertEqual(png.alpha(*near), 255)
                self.assertEqual(png.alpha(*far), 0)

    def test_number_badges_leave_the_field_icon_visible(self):
        for n in (1, 9, 20):
            png = load(f"game.fields/{n}")
            self.assertEqual(png.alpha(png.width // 2, png.height // 2), 0)
            self.assertGreater(png.alpha(png.width * 3 // 4, png.height * 3 // 4), 200)


class FontsTest(unittest.TestCase):
    def test_every_font_file_is_there_and_is_a_font(self):
        problems = []
        for name in REQUIRED["fonts"]:
            path = os.path.join(DATA_ROOT, "data", "gui", "fonts", name)
            if not os.path.exists(path):
                problems.append(f"{name}: missing")
                continue
            with open(path, "rb") as f:
                magic = f.read(4)
            if magic not in (b"\x00\x01\x00\x00", b"OTTO", b"true", b"ttcf"):
                problems.append(f"{name}: not a TrueType/OpenType file ({magic!r})")
            elif os.path.getsize(path) < 10000:
                problems.append(f"{name}: only {os.path.getsize(path)} bytes")
        self.assertEqual(problems, [])


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    DATA_ROOT = sys.argv[1]
    REQUIRED = read_required(sys.argv[2])
    unittest.main(argv=[sys.argv[0]] + sys.argv[3:], verbosity=1)
