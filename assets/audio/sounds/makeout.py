"""Two smooches and a breathy "Ooh la la!"."""


def smooch(k):
    # lips part: a short hum, then a wet pop
    hum = k.synth(0.1, "sine", 190, fx=["fade", "q", 0.03, 0.1, 0.03])
    pop = k.synth(0.03, "whitenoise", fx=["bandpass", 1800, "2q", "fade", "l", 0.001, 0.03, 0.028])
    suck = k.synth(0.05, "sine", "700:1500", fx=["fade", "l", 0.002, 0.05, 0.045])
    return k.mix((hum, 0.0, -10), (pop, 0.1), (suck, 0.1, -3))


def make(k):
    voice = k.speak("Ooh la la!", voice="en-us+f2", speed=120, pitch=70, fx=["reverb", 25])
    return k.mix((smooch(k), 0.0), (smooch(k), 0.3), (voice, 0.6, 3))
