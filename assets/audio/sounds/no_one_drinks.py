"""The sad trombone: wah, wah, wah, waaah - nobody drinks this time."""


def make(k):
    s = k.song(tempo_us=420000)
    s.part("trombone", channel=0, program=57, volume=120, reverb=50, humanize=0)
    q = 480
    for i, note in enumerate(("D4", "C#4", "C4")):
        s.note("trombone", i * q, q - 40, note, 100)
    s.note("trombone", 3 * q, 3 * q, "B3", 105)
    # the last note wobbles: a slow, wide pitch wave
    for i in range(36):
        t = 3 * q + 240 + i * 30
        wave = [0, 700, 0, -700][i % 4]
        s.bend("trombone", t, wave)
    s.bend("trombone", 7 * q, 0)
    return k.midi(s, tail=1.0)
