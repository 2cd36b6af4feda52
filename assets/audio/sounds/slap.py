"""A sharp slap on the skin and an "Ow!"."""

# espeak-ng stops the last vowel dead: let it die away over the last 40 ms
FADE_OUT = 0.04


def make(k):
    smack = k.synth(0.12, "whitenoise", fx=["highpass", 700, "lowpass", 7000, "fade", "l", 0, 0.12, 0.115])
    thump = k.synth(0.07, "sine", "180:90", fx=["fade", "l", 0, 0.07, 0.065])
    ow = k.speak("Ow!", voice="en-us+m3", speed=150, pitch=75)
    hit = k.fx(k.mix((smack, 0.0), (thump, 0.0, -4)), "reverb", 15)
    return k.mix((hit, 0.0, 4), (ow, 0.22))
