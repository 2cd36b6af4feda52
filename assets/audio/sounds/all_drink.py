"""Glasses clink and the whole table shouts "Cheers!"."""


def clink(k, f):
    # a glass: a few inharmonic partials that ring and die away
    return k.synth(0.6, "sine", f, "sine", f * 2.76, "sine", f * 5.4,
                   fx=["fade", "l", 0, 0.6, 0.58, "highpass", 900])


def make(k):
    clinks = [(clink(k, f), t) for f, t in ((1850, 0.0), (2210, 0.07), (1990, 0.15))]
    voices = [
        (k.speak("Cheers!", voice="en-us+m3", speed=150, pitch=40), 0.32, 0),
        (k.speak("Cheers!", voice="en-us+f2", speed=160, pitch=65), 0.36, -2),
        (k.speak("Cheers!", voice="en+m1", speed=140, pitch=30), 0.40, -3),
    ]
    crowd = k.mix(*voices)
    return k.mix(*clinks, (k.fx(crowd, "reverb", 30), 0.0, 4))
