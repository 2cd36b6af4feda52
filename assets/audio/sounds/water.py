"""A splash and a few bubbles rising."""


def bubble(k, f, seconds):
    # a bubble is a short sine whose pitch jumps up as it closes
    return k.synth(seconds, "sine", "%d:%d" % (f, f * 2.4), fx=["fade", "q", 0.003, seconds, seconds * 0.6])


def make(k):
    splash = k.synth(0.45, "whitenoise", fx=["lowpass", 5000, "highpass", 300, "fade", "l", 0.005, 0.45, 0.42,
                                             "reverb", 30])
    low = k.synth(0.25, "brownnoise", fx=["lowpass", 600, "fade", "l", 0.005, 0.25, 0.24])
    bubbles = [(bubble(k, f, d), t, -2) for f, d, t in ((420, 0.06, 0.18), (620, 0.05, 0.28), (380, 0.07, 0.36),
                                                       (780, 0.04, 0.45), (520, 0.05, 0.52), (950, 0.035, 0.6))]
    return k.mix((splash, 0.0), (low, 0.0, -3), *bubbles)
