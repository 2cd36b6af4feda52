"""A cow's moo and the clonk of its cowbell: time for a glass of milk."""


def make(k):
    # the moo: a buzzing low voice whose pitch rises and falls, filtered towards an "oo" vowel
    moo = k.synth(1.1, "sawtooth", 105, "sawtooth", 105.6,
                  fx=["bend", "0.05,350,0.3", "0.5,-550,0.5", "lowpass", 700, "lowpass", 1100,
                      "equalizer", 320, "2q", 8, "tremolo", 5, 15, "fade", "q", 0.18, 1.1, 0.35])
    # the cowbell: two detuned square tones through a band filter, fast decay
    bell = k.synth(0.35, "square", 562, "square", 845,
                   fx=["bandpass", 800, "1q", "fade", "l", 0, 0.35, 0.33])
    # a low, slow voice says it too, so that nobody mistakes the cow
    said = k.speak("Mooooo", voice="en-us+m1", speed=70, pitch=5, fx=["pitch", -300, "lowpass", 1800])
    return k.fx(k.mix((bell, 0.0, -1), (moo, 0.15), (said, 0.15, -3), (bell, 1.2, -3)), "reverb", 20)
