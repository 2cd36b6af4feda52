"""A brass fanfare with timpani and cymbal: someone finished a lap first."""


def make(k):
    s = k.song(tempo_us=400000)
    s.part("trumpet", channel=0, program=56, volume=120, reverb=60, humanize=3)
    s.part("brass", channel=1, program=61, volume=100, reverb=60, humanize=3)
    s.part("timpani", channel=2, program=47, volume=110, reverb=50, humanize=0)
    s.part("drums", channel=9, program=0, volume=110, reverb=50, humanize=0)
    e = 120   # one sixteenth in ticks
    # ta-ta-ta-taaa, ta-ta-TAAA
    phrase = [("G4", 0, 1), ("G4", 1, 1), ("G4", 2, 1), ("C5", 3, 5), ("A4", 8, 2), ("B4", 10, 2),
              ("C5", 12, 2), ("E5", 14, 2), ("G5", 16, 10)]
    for n, at, length in phrase:
        s.note("trumpet", at * e, length * e - 20, n, 110)
    for chord, at, length in ((("C4", "E4", "G4"), 3, 5), (("F4", "A4", "C5"), 8, 4),
                              (("G4", "B4", "D5"), 12, 4), (("C4", "E4", "G4", "C5"), 16, 10)):
        for n in chord:
            s.note("brass", at * e, length * e - 20, n, 100)
    for at in (3, 16):
        s.note("timpani", at * e, 4 * e, "C3", 120)
    for i in range(8):   # a timpani roll on G into the last chord
        s.note("timpani", (12 + i * 0.5) * e, e // 2, "G2", 70 + i * 6)
    s.note("drums", 16 * e, 8 * e, "A3", 80)   # crash cymbal 2 (57) on the last chord
    return k.midi(s, tail=1.0, fx=["trim", 0, 3.0, "fade", "t", 0, 3.0, 0.9])
