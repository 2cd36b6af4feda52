"""Asleep through your turn: a cartoon snore, twice (a rasping breath in, a whistle out)."""


def make(k):
    # breath in: a low buzz with a rattle, swelling
    rasp = k.synth(0.6, "sawtooth", 70, "brownnoise",
                   fx=["lowpass", 900, "tremolo", 28, 80, "fade", "q", 0.35, 0.6, 0.12])
    # breath out: a falling whistle
    whistle = k.synth(0.45, "sine", "1500:900", fx=["fade", "q", 0.08, 0.45, 0.25, "tremolo", 7, 30])
    return k.mix((rasp, 0.0), (whistle, 0.68, -4), (rasp, 1.25), (whistle, 1.93, -4))
