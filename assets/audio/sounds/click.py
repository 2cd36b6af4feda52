"""A short, dry UI tick: a falling sine blip over a tiny noise transient, about 60 ms."""

LEVEL = -4.0   # played on every button: a bit softer than the game's cues


def make(k):
    tone = k.synth(0.065, "sine", "2200:1000", fx=["fade", "q", 0, 0.065, 0.06])
    tick = k.synth(0.006, "whitenoise", fx=["highpass", 2500, "fade", "l", 0, 0.006, 0.006])
    return k.mix((tone, 0.0), (tick, 0.0, -6))
