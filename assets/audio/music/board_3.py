"""Board 3: a beer-hall oom-pah polka in C major (trio in F), 120 bpm. Tuba on the beats,
accordion chords on the off-beats, clarinet and accordion tune, trumpet trio. 48 bars, 96 s."""

from midigen import Song, drums, comp, bass, melody

OOMPAH = dict(kick="x...x...x...x...", snare="..x...x...x...x.", hat="..o...o...o...o.")
FILL = dict(kick="x...x...x...x...", snare="..x...x.x.x.xxxx", crash=".............X..")
CRASH = {"crash": "X..............."}

TUBA = bass("R/2 r/2 5/2 r/2 R/2 r/2 5/2 r/2 | R/2 r/2 5/2 r/2 R/2 r/2 3/2 r/2")
PAH = comp("..x...x...x...x.")

TUNE = melody(
    "G5/2 E5/2 G5/2 C6/2 E6/4 C6/4 | D6/2 B5/2 D6/2 F6/2 E6/4 D6/4 |"
    " B5/2 G5/2 B5/2 D6/2 F6/4 D6/4 | E6/4 C6/4 G5/4 r/4 |"
    " G5/2 A5/2 B5/2 C6/2 E6/4 G6/4 | A6/4 F6/2 C6/2 A5/4 F5/4 |"
    " G5/2 B5/2 D6/2 F6/2 E6/2 D6/2 B5/4 | C6/4 G5/4 C6/4 r/4")
# the same tune a third lower for a second voice
TUNE_LOW = melody(
    "E5/2 C5/2 E5/2 G5/2 C6/4 G5/4 | B5/2 G5/2 B5/2 D6/2 C6/4 B5/4 |"
    " G5/2 D5/2 G5/2 B5/2 D6/4 B5/4 | C6/4 G5/4 E5/4 r/4 |"
    " E5/2 F5/2 G5/2 A5/2 C6/4 E6/4 | F6/4 C6/2 A5/2 F5/4 C5/4 |"
    " D5/2 G5/2 B5/2 D6/2 C6/2 B5/2 G5/4 | E5/4 E5/4 E5/4 r/4")

TRIO = melody(
    "A5/6 G5/2 F5/4 A5/4 | G5/8 E5/4 C5/4 | Bb5/6 A5/2 G5/4 Bb5/4 | A5/8 F5/4 r/4 |"
    " A5/4 C6/4 F6/6 E6/2 | D6/4 F6/4 D6/4 Bb5/4 | C6/4 E6/4 G6/4 Bb5/4 | A5/4 F5/4 F6/4 r/4")
TRIO_COUNTER = melody(
    "r/4 C5/4 r/4 C5/4 | r/4 Bb4/4 r/4 Bb4/4 | r/4 E5/4 r/4 E5/4 | r/4 F5/4 r/4 F5/4 |"
    " r/4 C5/4 r/4 C5/4 | r/4 D5/4 r/4 D5/4 | r/4 E5/4 r/4 G5/4 | F5/4 C5/4 A4/4 r/4")


def song():
    s = Song(500000, seed=41)
    s.part("drums", channel=9, program=0, velocity=92, reverb=35, humanize=6)
    s.part("tuba", channel=1, program=58, octave=2, volume=110, velocity=100, reverb=30, humanize=4)
    s.part("accordion", channel=2, program=21, center=66, volume=82, velocity=84, reverb=40, pan=48)
    s.part("clarinet", channel=3, program=71, volume=104, velocity=100, reverb=50, pan=72, humanize=4)
    s.part("lead", channel=4, program=21, volume=96, velocity=96, reverb=45, pan=60, humanize=4)
    s.part("trumpet", channel=5, program=56, volume=100, velocity=100, reverb=50, pan=66, humanize=4)
    s.part("glock", channel=6, program=9, volume=70, velocity=90, reverb=60, pan=80, humanize=4)

    a = "C | G7 | G7 | C | C | F | G7 | C"
    trio = "F | C7 | C7 | F | F | Bb | C7 | F"

    s.section(a, drums=drums(**OOMPAH, first=CRASH, fill=FILL), tuba=TUBA, accordion=PAH, lead=TUNE)
    s.section(a, drums=drums(**OOMPAH, tamb="o.g.o.g.o.g.o.g.", first=CRASH, fill=FILL), tuba=TUBA,
              accordion=PAH, clarinet=TUNE, lead=TUNE_LOW)
    s.section(trio, drums=drums(**OOMPAH, first=CRASH, fill=FILL), tuba=TUBA, accordion=PAH, trumpet=TRIO,
              clarinet=TRIO_COUNTER)
    s.section(trio, drums=drums(**OOMPAH, tamb="o.g.o.g.o.g.o.g.", first=CRASH, fill=FILL), tuba=TUBA,
              accordion=PAH, trumpet=TRIO, clarinet=TRIO_COUNTER, glock=TRIO)
    s.section(a, drums=drums(**OOMPAH, first=CRASH, fill=FILL), tuba=TUBA, accordion=PAH, clarinet=TUNE,
              glock=TUNE)
    s.section(a, drums=drums(**OOMPAH, tamb="o.g.o.g.o.g.o.g.", first=CRASH, fill=FILL), tuba=TUBA,
              accordion=PAH, lead=TUNE, clarinet=TUNE_LOW)
    return s
