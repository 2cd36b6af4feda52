"""Everybody, bottoms up! A crowd shouts it and cheers, with clinking glasses."""


def clink(k, f):
    return k.synth(0.6, "sine", f, "sine", f * 2.76, "sine", f * 5.4,
                   fx=["fade", "l", 0, 0.6, 0.58, "highpass", 900])


def make(k):
    shout = k.mix(
        (k.speak("Bottoms up!", voice="en-us+m3", speed=165, pitch=40), 0.0),
        (k.speak("Bottoms up!", voice="en-us+f2", speed=170, pitch=70), 0.04, -2),
        (k.speak("Bottoms up!", voice="en+m1", speed=160, pitch=25), 0.07, -2),
    )
    woo = k.mix(
        (k.speak("Woo!", voice="en-us+f3", speed=130, pitch=90), 0.0),
        (k.speak("Woohoo!", voice="en-us+m2", speed=150, pitch=70), 0.05, -2),
        (k.speak("Yeah!", voice="en+m7", speed=140, pitch=60), 0.12, -3),
    )
    clinks = [(clink(k, f), t) for f, t in ((1850, 0.0), (2210, 0.06), (1990, 0.13), (2400, 0.2))]
    return k.mix((k.fx(shout, "reverb", 25), 0.0, 3), *[(c, t + 0.9) for c, t in clinks],
                 (k.fx(woo, "reverb", 30), 1.05, 2))
