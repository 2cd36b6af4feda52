"""Board 1: four-on-the-floor party disco in G major, 125 bpm, straight sixteenths.
Square-wave lead, octave-jumping synth bass, house piano, strings and claps. 48 bars, about 92 s."""

from midigen import Song, drums, comp, bass, melody

FLOOR = dict(kick="x...x...x...x...", clap="....x.......x...", hat="..x...x...x...x.",
             shaker="xoxoxoxoxoxoxoxo")
FLOOR_FULL = dict(FLOOR, open="..x...x...x...x.", hat="x.x.x.x.x.x.x.x.")
FILL = dict(kick="x...x...x...x...", clap="....x.......x...", snare="........x.xxXXXX",
            hat="x.x.x.x.........")
CRASH = {"crash": "X..............."}

OCTAVES = bass("R/2 8/2 R/2 8/2 R/2 8/2 R/2 8/2 | R/2 8/2 R/2 8/2 R/2 8/2 5/2 8/2")
PIANO = comp("..x..x..x..x.x..")
STRINGS = comp("x-------x-------")
ARP = melody(
    "G4/2 B4/2 D5/2 G5/2 D5/2 B4/2 D5/2 G5/2 | E4/2 G4/2 B4/2 E5/2 B4/2 G4/2 B4/2 E5/2 |"
    " C5/2 E5/2 G5/2 C6/2 G5/2 E5/2 G5/2 C6/2 | D5/2 F#5/2 A5/2 D6/2 A5/2 F#5/2 A5/2 D6/2")

HOOK = melody(
    "D5/2 G5/2 B5/2 D6/4 B5/2 A5/2 G5/2 | A5/4 G5/2 E5/10 |"
    " r/2 E5/2 G5/2 C6/4 B5/2 A5/2 G5/2 | A5/4 F#5/4 D5/8 |"
    " D5/2 G5/2 B5/2 D6/4 E6/2 D6/2 B5/2 | D6/4 B5/2 G5/10 |"
    " E5/2 G5/2 C6/2 E6/4 D6/2 C6/2 A5/2 | B5/2 A5/2 F#5/2 D5/2 E5/2 F#5/2 A5/4")

CHORUS = melody(
    "C6/4 B5/2 A5/2 E5/8 | F#5/2 A5/2 C6/4 B5/2 A5/2 F#5/4 |"
    " D6/4 B5/2 A5/2 F#5/8 | G5/2 A5/2 B5/4 D6/4 E6/4 |"
    " E6/8 D6/4 B5/4 | A5/8 F#5/4 A5/4 |"
    " B5/4 G5/4 E6/4 D6/4 | F#6/4 E6/4 D6/2 C6/2 B5/2 A5/2")


def song():
    s = Song(480000, seed=21)
    s.part("drums", channel=9, program=0, velocity=100, reverb=25, humanize=6)
    s.part("bass", channel=1, program=38, octave=2, volume=100, velocity=96, reverb=10, humanize=4)
    s.part("piano", channel=2, program=0, center=67, volume=92, velocity=86, reverb=45, pan=54)
    s.part("strings", channel=3, program=48, center=62, volume=76, velocity=70, reverb=70, pan=76)
    s.part("lead", channel=4, program=80, volume=88, velocity=96, reverb=55, chorus=50, humanize=3)
    s.part("arp", channel=5, program=81, volume=62, velocity=80, reverb=60, chorus=30, pan=40, humanize=4)
    s.part("brass", channel=6, program=62, center=70, volume=80, velocity=100, reverb=40, pan=90)

    verse = "G | Em | C | D | G | Em | C | D"
    chorus = "Am7 | D7 | Bm7 | Em7 | Cmaj7 | D | Em | D"

    # intro groove: arpeggio and bass, the beat builds
    s.section(verse, drums=drums(kick="x...x...x...x...", hat="..x...x...x...x.", first=CRASH, fill=FILL),
              bass=OCTAVES, arp=ARP, strings=STRINGS)
    # hook
    s.section(verse, drums=drums(**FLOOR, first=CRASH, fill=FILL), bass=OCTAVES, piano=PIANO, lead=HOOK)
    # hook again with strings and the arpeggio underneath
    s.section(verse, drums=drums(**FLOOR_FULL, first=CRASH, fill=FILL), bass=OCTAVES, piano=PIANO, lead=HOOK,
              strings=STRINGS, arp=ARP)
    # chorus with brass stabs
    s.section(chorus, drums=drums(**FLOOR_FULL, first=CRASH, fill=FILL), bass=OCTAVES, piano=PIANO,
              lead=CHORUS, strings=STRINGS, brass=comp("x-....x-..x-...."))
    # breakdown: no kick for four bars, then back in
    s.section(chorus, drums=drums(clap="....x.......x...", shaker="xoxoxoxoxoxoxoxo",
                                  kick="................................................................"
                                       "x...x...x...x...x...x...x...x...x...x...x...x...x...x...x...x...",
                                  first=CRASH, fill=FILL),
              bass=bass("R/8 5/8"), strings=comp("x---------------"), arp=ARP, piano=comp("x-------x-------"))
    # hook to end, leads back to the intro
    s.section(verse, drums=drums(**FLOOR_FULL, first=CRASH, fill=FILL), bass=OCTAVES, piano=PIANO, lead=HOOK,
              brass=comp("................ ................ ................ ..............x-"))
    return s
