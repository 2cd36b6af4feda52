"""Three gulps down the throat and a satisfied "Ahh!"."""


def gulp(k, low, high):
    # a gulp is a short rising bubble, low-passed so it sounds wet and in the throat
    return k.synth(0.09, "sine", "%d:%d" % (low, high),
                   fx=["fade", "q", 0.01, 0.09, 0.05, "lowpass", 1500, "overdrive", 6])


def make(k):
    ahh = k.speak("Ahh!", voice="en-us+m3", speed=120, pitch=35, fx=["reverb", 15])
    return k.mix((gulp(k, 160, 420), 0.0), (gulp(k, 150, 400), 0.2), (gulp(k, 170, 460), 0.4),
                 (ahh, 0.62, 2))
