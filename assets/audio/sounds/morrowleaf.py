"""Morrowleaf studio jingle: a leaf drifting down (harp and celesta), a warm chord and a bell
motif rising - morrow, leaf. About three seconds, played with the studio logo."""


def make(k):
    s = k.song(tempo_us=500000)
    s.part("celesta", channel=0, program=8, volume=110, reverb=90, humanize=3)
    s.part("harp", channel=1, program=46, volume=100, reverb=90, humanize=3)
    s.part("strings", channel=2, program=49, volume=96, reverb=110, humanize=0)
    s.part("bells", channel=3, program=14, volume=92, reverb=110, humanize=0)
    s.part("flute", channel=4, program=73, volume=100, reverb=90, humanize=0)
    e = 120
    # the leaf drifts down: a falling harp line in D major
    for i, n in enumerate(("A6", "F#6", "D6", "B5", "A5", "F#5", "E5", "D5")):
        s.note("harp", i * e // 2 * 1, 6 * e, n, 90 - i * 3)
    # morrow-leaf: a three-note motif that rises, the last note held
    for n, at, length in (("D5", 5, 3), ("A5", 8, 3), ("F#6", 11, 13)):
        s.note("celesta", at * e, length * e, n, 105)
        s.note("flute", at * e, length * e, n, 80)
    s.note("bells", 11 * e, 12 * e, "D6", 90)
    # the warm chord under it
    for n in ("D3", "A3", "D4", "F#4", "A4", "E5"):
        s.note("strings", 5 * e, 19 * e, n, 80)
    s.cc("strings", 0, 11, 90)
    return k.midi(s, tail=1.5, fx=["trim", 0, 3.6, "fade", "t", 0, 3.6, 1.2])
