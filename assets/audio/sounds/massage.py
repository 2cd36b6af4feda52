"""A dreamy harp glissando and a relaxed "Ooh, that's nice"."""


def make(k):
    s = k.song(tempo_us=500000)
    s.part("harp", channel=0, program=46, volume=110, reverb=90, humanize=4)
    s.part("pad", channel=1, program=88, volume=70, reverb=100, humanize=0)
    notes = ["C4", "D4", "E4", "G4", "A4", "C5", "D5", "E5", "G5", "A5", "C6", "D6", "E6", "G6"]
    for i, n in enumerate(notes):
        s.note("harp", i * 40, 1400, n, 70 + i * 2)
    for n in ("C4", "E4", "G4", "D5"):
        s.note("pad", 0, 1800, n, 60)
    harp = k.midi(s, tail=1.0)
    voice = k.speak("Oooh, that's nice.", voice="en-us+m3", speed=105, pitch=30, fx=["reverb", 30])
    return k.mix((harp, 0.0, -2), (voice, 0.65, 4))
