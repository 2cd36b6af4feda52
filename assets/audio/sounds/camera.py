"""Say cheese! The camera shutter of Debian's freedesktop sound theme, after the rising whine of
the flash charging."""


def make(k):
    whine = k.synth(0.35, "sine", "1800:7000", fx=["fade", "q", 0.05, 0.35, 0.02])
    shutter = k.theme_sound("camera-shutter")
    return k.mix((whine, 0.0, -16), (shutter, 0.3))
