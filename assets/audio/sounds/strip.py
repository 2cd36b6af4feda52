"""The wolf whistle: a rising whistle, then one that rises and falls."""


def make(k):
    up = k.synth(0.2, "sine", "900:2300", fx=["fade", "q", 0.03, 0.2, 0.04])
    up_down = k.concat(
        k.synth(0.18, "sine", "900:2500", fx=["fade", "q", 0.03, 0.18, 0]),
        k.synth(0.45, "sine", "2500:750", fx=["fade", "q", 0, 0.45, 0.2]))
    breath = k.synth(0.85, "pinknoise", fx=["bandpass", 1800, "1.5q", "fade", "q", 0.05, 0.85, 0.3])
    return k.fx(k.mix((up, 0.0), (up_down, 0.33), (breath, 0.0, -22)), "reverb", 25)
