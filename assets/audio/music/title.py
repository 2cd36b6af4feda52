"""Title: a laid-back disco-funk groove in F major, 111 bpm, lightly swung sixteenths.
Alto sax lead over Rhodes, slap bass and a brass section. 40 bars, about 86 s."""

from midigen import Song, drums, comp, bass, melody

GROOVE = dict(
    kick="x......x..x..... x......x..x...x.",
    snare="....X..o....X... ....X..o....X..o",
    hat="x.xox.xox.xox.x. x.xox.xox.xox.xo",
    open="..............x. ................",
    tamb="....x.......x...",
)
FILL = dict(kick="x......x..x.....", snare="....X..o.xxoXxXX", hat="x.xox.xox.......",
            tom_hi="..........x.....", tom_mid="............x...")
CRASH = {"crash": "X..............."}

THEME = melody(
    "r/2 C5/2 F5/2 A5/2 G5/4 F5/2 D5/2 | F5/6 r/6 C5/2 D5/2 |"
    " F5/2 F5/2 G5/2 A5/2 Bb5/4 A5/2 G5/2 | A5/8 G5/4 r/4 |"
    " r/2 C5/2 F5/2 A5/2 C6/4 A5/2 F5/2 | D6/6 C6/2 A5/4 F5/4 |"
    " G5/3 A5/3 Bb5/2 A5/2 G5/2 E5/4 | F5/12 r/4")

THEME_B = melody(
    "r/2 C5/2 F5/2 A5/2 G5/4 F5/2 D5/2 | F5/6 r/6 C5/2 D5/2 |"
    " F5/2 F5/2 G5/2 A5/2 Bb5/4 A5/2 G5/2 | A5/8 C6/4 r/4 |"
    " D6/4 C6/2 A5/2 C6/4 A5/2 F5/2 | G5/6 F5/2 D5/4 F5/4 |"
    " G5/3 A5/3 Bb5/2 C6/2 D6/2 E6/4 | F6/8 E6/2 C6/2 r/4")

BRIDGE = melody(
    "D6/8 C6/4 A5/4 | C6/8 G5/8 | Bb5/4 A5/4 G5/4 F5/4 | E5/8 G5/8 |"
    " D6/8 F6/4 D6/4 | E6/8 C6/8 | D6/4 C6/4 B5/4 D6/4 | C6/8 Bb5/4 G5/4")

STABS = comp("x-..........x.x. ..x-..........x-")
SLAP = bass("!R/3 R/1 r/2 8/2 r/2 R/2 b7/2 8/2 | !R/3 R/1 r/2 8/2 r/2 5/2 6/2 b7/2")
KEYS = comp("..x-..x...x-.x..")


def song():
    s = Song(540000, swing=0.18, seed=11)
    s.part("drums", channel=9, program=0, velocity=96, reverb=30, humanize=8)
    s.part("bass", channel=1, program=36, octave=2, volume=104, velocity=92, reverb=10)
    s.part("keys", channel=2, program=4, center=65, volume=88, velocity=78, reverb=50, chorus=40, pan=50)
    s.part("brass", channel=3, program=61, center=70, volume=84, velocity=96, reverb=45, pan=80)
    s.part("sax", channel=4, program=65, volume=110, velocity=96, reverb=55, humanize=5, pan=70)
    s.part("pad", channel=5, program=89, center=62, volume=60, velocity=60, reverb=70, pan=40)

    main = "Fmaj7 | Dm7 | Gm7 | C7 | Fmaj7 | Dm7 | Gm7 | C7"
    bridge = "Bbmaj7 | Am7 | Gm7 | C7 | Bbmaj7 | Am7 | Dm7 G7 | C7sus4 C7"

    # groove: rhythm section with brass stabs
    s.section(main, drums=drums(**GROOVE, first=CRASH, fill=FILL), bass=SLAP, keys=KEYS, brass=STABS)
    # theme
    s.section(main, drums=drums(**GROOVE, first=CRASH, fill=FILL), bass=SLAP, keys=KEYS, sax=THEME,
              pad=comp("x---------------"))
    # theme, second ending with brass answers
    s.section(main, drums=drums(**GROOVE, first=CRASH, fill=FILL), bass=SLAP, keys=KEYS, sax=THEME_B,
              brass=comp("................ ............x-x-"))
    # bridge: half-time feel on the ride, sax sings over pads
    s.section(bridge, drums=drums(kick="x.........x.....", snare="........X.......",
                                  ride="x.x.x.x.x.x.x.x.", first=CRASH,
                                  fill=dict(kick="x.......x.......", snare="X.X.X.X.XxXxXXXX")),
              bass=bass("R/6 R/2 5/4 8/4 | R/6 R/2 b7/4 5/4"), keys=comp("x-------..x-..x-"), sax=BRIDGE,
              pad=comp("x---------------"))
    # theme again, brass joins in the last bars and leads back to the groove
    s.section(main, drums=drums(**GROOVE, first=CRASH, fill=FILL), bass=SLAP, keys=KEYS, sax=THEME,
              brass=STABS)
    return s
