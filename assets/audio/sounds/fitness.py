"""The coach's whistle, short-long, and a gruff "Move it!"."""


def whistle(k, seconds):
    # a pea whistle: a bright tone whose pea rattles it in amplitude, with a little breath
    tone = k.synth(seconds, "sine", 2850, "sine", 3020,
                   fx=["tremolo", 38, 70, "fade", "q", 0.01, seconds, 0.03])
    breath = k.synth(seconds, "pinknoise", fx=["bandpass", 2900, "400h", "fade", "q", 0.01, seconds, 0.03])
    return k.mix((tone, 0.0), (breath, 0.0, -14))


def make(k):
    voice = k.speak("Move it!", voice="en-us+m3", speed=175, pitch=20, fx=["overdrive", 8, "reverb", 10])
    return k.mix((whistle(k, 0.14), 0.0), (whistle(k, 0.42), 0.22), (voice, 0.78, 3))
