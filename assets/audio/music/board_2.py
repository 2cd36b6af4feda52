"""Board 2: a sunny ska shuffle in Bb major, 115 bpm. Off-beat organ and guitar skanks, walking
bass, trumpet and trombone horns, and a steel drum for the beach party. 40 bars, about 83 s."""

from midigen import Song, drums, comp, bass, melody

BEAT = dict(kick="x.......x.......", stick="....x.......x...", hat="x.x.x.x.x.x.x.x.",
            open="..............x.", claves="x..x..x...x.x...")
FILL = dict(kick="x.......x.......", snare="........x.x.xxxx", tom_hi="....x.x.........",
            hat="x.x.x.x.........")
CRASH = {"crash": "X..............."}

SKANK = comp("..x...x...x...x.")
WALK = bass("R/4 3/4 5/4 6/4 | R/4 5/4 8/4 5/4")

HORNS = melody(
    "F5/4 D5/2 F5/2 Bb5/4 A5/2 G5/2 | F5/6 G5/2 D5/8 |"
    " Eb5/2 G5/2 Bb5/2 G5/2 C6/4 Bb5/4 | A5/8 F5/4 r/4 |"
    " F5/4 D5/2 F5/2 Bb5/4 C6/2 D6/2 | D6/4 Bb5/4 G5/8 |"
    " G5/2 Bb5/2 Eb6/4 D6/2 C6/2 Bb5/4 | C6/6 Bb5/2 A5/4 F5/4")
# the trombone a third or sixth under the trumpet
HORNS_LOW = melody(
    "D5/4 Bb4/2 D5/2 F5/4 F5/2 D5/2 | D5/6 D5/2 Bb4/8 |"
    " Bb4/2 Eb5/2 G5/2 Eb5/2 G5/4 G5/4 | F5/8 C5/4 r/4 |"
    " D5/4 Bb4/2 D5/2 F5/4 A5/2 Bb5/2 | Bb5/4 G5/4 D5/8 |"
    " Eb5/2 G5/2 G5/4 Bb5/2 A5/2 G5/4 | A5/6 G5/2 F5/4 C5/4")

STEEL = melody(
    "G5/2 Eb5/2 G5/2 C6/2 Bb5/2 G5/2 Eb5/4 | F5/2 A5/2 C6/4 A5/2 F5/2 C5/4 |"
    " D5/2 F5/2 Bb5/2 D6/2 C6/2 Bb5/2 F5/4 | G5/4 Bb5/4 D6/8 |"
    " Eb6/2 D6/2 C6/2 Bb5/2 G5/4 Eb5/4 | F5/4 A5/4 C6/4 Eb6/4 |"
    " D6/4 C6/4 Bb5/4 G5/4 | F5/2 G5/2 A5/2 Bb5/2 C6/4 Eb6/4")

RIFF = melody("r/8 F5/2 D5/2 F5/2 G5/2 | r/16 | r/8 Eb5/2 C5/2 Eb5/2 F5/2 | r/16")


def song():
    s = Song(520000, swing=0.12, seed=31)
    s.part("drums", channel=9, program=0, velocity=96, reverb=35, humanize=7)
    s.part("bass", channel=1, program=33, octave=2, volume=106, velocity=96, reverb=15, humanize=5)
    s.part("organ", channel=2, program=17, center=67, volume=78, velocity=84, reverb=40, pan=44)
    s.part("guitar", channel=3, program=27, center=72, volume=72, velocity=90, reverb=35, pan=86)
    s.part("trumpet", channel=4, program=56, volume=100, velocity=98, reverb=50, pan=70, humanize=4)
    s.part("trombone", channel=5, program=57, volume=88, velocity=90, reverb=50, pan=56, humanize=4)
    s.part("steel", channel=6, program=114, volume=104, velocity=100, reverb=55, pan=64, humanize=5)

    verse = "Bb | Gm | Eb | F | Bb | Gm | Eb | F"
    bridge = "Cm | F | Bb | Gm | Cm | F | Eb | F7"

    # groove: skanks and walking bass, the horns play a short riff
    s.section(verse, drums=drums(**BEAT, first=CRASH, fill=FILL), bass=WALK, organ=SKANK, guitar=SKANK,
              trumpet=RIFF, trombone=None)
    # trumpet tune
    s.section(verse, drums=drums(**BEAT, first=CRASH, fill=FILL), bass=WALK, organ=SKANK, guitar=SKANK,
              trumpet=HORNS)
    # steel drum bridge
    s.section(bridge, drums=drums(kick="x.......x.......", stick="....x.......x...", hat="xxx.xxx.xxx.xxx.",
                                  conga_hi="..x...x...x..xx.", conga_lo="x.......x.......", first=CRASH,
                                  fill=FILL),
              bass=WALK, organ=SKANK, guitar=SKANK, steel=STEEL)
    # both horns, steel drum doubling the riff
    s.section(verse, drums=drums(**BEAT, first=CRASH, fill=FILL), bass=WALK, organ=SKANK, guitar=SKANK,
              trumpet=HORNS, trombone=HORNS_LOW)
    # bridge once more with horns holding chords, leads back to the groove
    s.section(bridge, drums=drums(**BEAT, first=CRASH, fill=FILL), bass=WALK, organ=SKANK, guitar=SKANK,
              steel=STEEL, trombone=comp("x-------........"))
    return s
