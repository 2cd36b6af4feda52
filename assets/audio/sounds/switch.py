"""Swap places: a whoosh with two tones that cross, one rising and one falling."""


def make(k):
    up = k.synth(0.45, "triangle", "300:1600", fx=["fade", "q", 0.05, 0.45, 0.15])
    down = k.synth(0.45, "triangle", "1600:300", fx=["fade", "q", 0.05, 0.45, 0.15])
    whoosh = k.synth(0.55, "pinknoise", fx=["bandpass", 1200, "0.7q", "fade", "h", 0.25, 0.55, 0.3])
    zip_ = k.synth(0.08, "square", "600:2400", fx=["lowpass", 4000, "fade", "q", 0.005, 0.08, 0.04])
    return k.fx(k.mix((whoosh, 0.0), (up, 0.05, -6), (down, 0.05, -6), (zip_, 0.5, -4)), "phaser", 0.6, 0.66, 3,
                0.6, 0.5, "-t", "reverb", 20)
