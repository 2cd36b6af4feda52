"""A small standard-MIDI-file writer with a pattern language for hand-written music.

Only the Python standard library is used. A piece is a `Song`: a tempo, a set of parts (one MIDI
channel and General MIDI programme each) and a list of sections. Every section names its chords
and gives each part a pattern written as text:

* drums:  one 16-step line per drum sound, "X" accent, "x" normal, "o" ghost, "." nothing;
          a line may have 32 or 64 steps to cover two or four bars.
* comp:   a rhythm line for chords: "x" strikes the bar's chord, "-" holds it, "." is silence.
* bass:   tokens "DEGREE/LEN" relative to the chord root (R 2 b3 3 4 5 6 b7 7 8, or 3 and 7 that
          follow the chord's quality), an absolute note ("Bb1/2"), or "r/LEN" for a rest;
          LEN is counted in sixteenths. Bars are separated by "|".
* melody: tokens "NOTE/LEN" with absolute notes such as "C5", "F#4", "Bb3", and "r/LEN" rests,
          bars separated by "|"; every bar must add up to its length, which catches typing errors.

The song ends exactly at the end of its last bar; `write` can append the first bars again (the
"tail") so that a renderer can produce the sound that follows the loop point, used to make a
seamless loop.
"""

import random
import struct

TICKS = 480            # per quarter note
STEP = TICKS // 4      # one sixteenth
DRUM_CHANNEL = 9       # channel 10 in the usual 1-based counting

DRUMS = {
    "kick": 36, "kick2": 35, "stick": 37, "snare": 38, "clap": 39, "snare2": 40,
    "tom_low": 45, "tom_mid": 47, "tom_hi": 50, "tom_floor": 41,
    "hat": 42, "pedal": 44, "open": 46, "crash": 49, "ride": 51, "china": 52,
    "bell": 53, "tamb": 54, "splash": 55, "cowbell": 56, "crash2": 57,
    "bongo_hi": 60, "bongo_lo": 61, "conga_mute": 62, "conga_hi": 63, "conga_lo": 64,
    "timbale_hi": 65, "timbale_lo": 66, "agogo_hi": 67, "agogo_lo": 68, "cabasa": 69,
    "maracas": 70, "whistle": 72, "guiro": 73, "claves": 75, "block_hi": 76, "block_lo": 77,
    "triangle_mute": 80, "triangle": 81, "shaker": 82,
}

NOTE_BASE = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}

CHORD_SHAPES = {
    "": (0, 4, 7), "m": (0, 3, 7), "7": (0, 4, 7, 10), "maj7": (0, 4, 7, 11),
    "m7": (0, 3, 7, 10), "6": (0, 4, 7, 9), "m6": (0, 3, 7, 9), "sus4": (0, 5, 7),
    "sus2": (0, 2, 7), "dim": (0, 3, 6), "dim7": (0, 3, 6, 9), "aug": (0, 4, 8),
    "add9": (0, 4, 7, 14), "9": (0, 4, 7, 10, 14), "m9": (0, 3, 7, 10, 14), "7sus4": (0, 5, 7, 10),
}

DEGREES = {"R": 0, "b2": 1, "2": 2, "b3": 3, "4": 5, "b5": 6, "5": 7, "#5": 8, "6": 9,
           "b7": 10, "8": 12, "9": 14, "b9": 13, "10": 16}


def note_number(text):
    """'C4' -> 60, 'F#3' -> 54, 'Bb1' -> 34."""
    name = text[0].upper()
    rest = text[1:]
    value = NOTE_BASE[name]
    while rest and rest[0] in "#b":
        value += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    return value + 12 * (int(rest) + 1)


def parse_chord(symbol):
    """'F#m7' -> (6, (0, 3, 7, 10)); an optional '/X' gives a bass note other than the root."""
    bass = None
    if "/" in symbol:
        symbol, bass_name = symbol.split("/")
        bass = note_number(bass_name + "0") % 12
    root = NOTE_BASE[symbol[0].upper()]
    i = 1
    while i < len(symbol) and symbol[i] in "#b":
        root += 1 if symbol[i] == "#" else -1
        i += 1
    quality = symbol[i:]
    if quality not in CHORD_SHAPES:
        raise ValueError("unknown chord quality in %r" % symbol)
    return root % 12, CHORD_SHAPES[quality], (root % 12 if bass is None else bass)


class Part:
    def __init__(self, name, channel, program, volume=100, pan=64, reverb=40, chorus=0,
                 octave=4, center=None, velocity=90, humanize=6, bank=0):
        self.name = name
        self.channel = channel
        self.program = program
        self.volume = volume
        self.pan = pan
        self.reverb = reverb
        self.chorus = chorus
        self.octave = octave          # bass octave for bass parts
        self.center = center          # centre note of chord voicings
        self.velocity = velocity
        self.humanize = humanize
        self.bank = bank


class Song:
    def __init__(self, tempo_us, swing=0.0, seed=1, beats_per_bar=4):
        """tempo_us: microseconds per quarter note (a whole number, so loops cut at exact samples).
        swing: 0 plays sixteenths straight, 0.33 delays every second sixteenth by a third of a step."""
        self.tempo_us = tempo_us
        self.swing = swing
        self.rng = random.Random(seed)
        self.parts = {}
        self.notes = []        # (start tick, end tick, channel, note, velocity)
        self.controls = []     # (tick, channel, message bytes): controllers and pitch bends
        self.bar = 0           # next bar to write
        self.beats = beats_per_bar
        self.bar_ticks = TICKS * beats_per_bar
        self.sections = []

    @property
    def bpm(self):
        return 60_000_000 / self.tempo_us

    def part(self, name, **kwargs):
        self.parts[name] = Part(name, **kwargs)
        return self.parts[name]

    def cc(self, part, tick, number, value):
        """A controller change (1 modulation = vibrato, 7 volume, 11 expression, 64 sustain)."""
        ch = self.parts[part].channel
        self.controls.append((tick, ch, bytes([0xB0 | ch, number, value])))

    def bend(self, part, tick, value):
        """A pitch bend, -8192..8191 (the default range is two semitones)."""
        ch = self.parts[part].channel
        v = max(0, min(16383, value + 8192))
        self.controls.append((tick, ch, bytes([0xE0 | ch, v & 0x7F, v >> 7])))

    def note(self, part, tick, length, name, velocity):
        """One note at an absolute tick, for sound effects written note by note."""
        self._note(part, tick, length, note_number(name) if isinstance(name, str) else name, velocity)

    # -- timing --------------------------------------------------------------------------------
    def _tick(self, bar, step):
        """Tick of a sixteenth step within a bar, with swing on the off sixteenths."""
        t = bar * self.bar_ticks + step * STEP
        if self.swing and step % 2 == 1:
            t += int(STEP * self.swing)
        return t

    def _note(self, part, tick, length, note, velocity):
        p = self.parts[part] if isinstance(part, str) else part
        v = velocity + (self.rng.randint(-p.humanize, p.humanize) if p.humanize else 0)
        v = max(1, min(127, v))
        tick, length = int(round(tick)), int(round(length))
        self.notes.append((tick, tick + max(1, length), p.channel, note, v))

    # -- sections ------------------------------------------------------------------------------
    def section(self, chords, repeat=1, **layers):
        """chords: bars separated by '|', two chords in a bar split it in halves ("C G").
        layers: part name -> pattern (see the module text). A pattern may be a list with one
        entry per repeat. Returns the first bar of the section."""
        bars = [b.split() for b in chords.split("|")]
        start = self.bar
        for r in range(repeat):
            first = self.bar
            for name, pattern in layers.items():
                if isinstance(pattern, list):
                    pattern = pattern[r % len(pattern)]
                if pattern is None:
                    continue
                kind, text = pattern
                getattr(self, "_" + kind)(name, first, bars, text)
            self.bar += len(bars)
        self.sections.append((start, self.bar))
        return start

    def _bar_chords(self, bars, index):
        """Chords of one bar as [(start_step, end_step, chord)]."""
        names = bars[index % len(bars)]
        n = len(names)
        steps = self.beats * 4
        return [(i * steps // n, (i + 1) * steps // n, parse_chord(c)) for i, c in enumerate(names)]

    def _chord_at(self, bars, bar_index, step):
        for s, e, chord in self._bar_chords(bars, bar_index):
            if s <= step < e:
                return chord
        return self._bar_chords(bars, bar_index)[-1][2]

    def _drums(self, name, first, bars, lines):
        """lines: {drum name: step string}; a string longer than a bar spans several bars and
        repeats over the section. Two optional entries: "first" (lines added to the first bar,
        e.g. a crash) and "fill" (lines that replace all others in the last bar)."""
        p = self.parts[name]
        steps = self.beats * 4
        lines = dict(lines)
        first_lines = lines.pop("first", {})
        fill_lines = lines.pop("fill", None)
        for b in range(len(bars)):
            if fill_lines is not None and b == len(bars) - 1:
                groups = [(fill_lines, 0)]
            else:
                groups = [(lines, b)]
            if b == 0 and first_lines:
                groups.append((first_lines, 0))
            for group, bar_offset in groups:
                for drum, line in group.items():
                    line = line.replace(" ", "").replace("|", "")
                    note = DRUMS[drum]
                    for s in range(steps):
                        c = line[(bar_offset * steps + s) % len(line)]
                        if c == ".":
                            continue
                        vel = {"X": 122, "x": 98, "o": 62, "g": 40}[c]
                        self._note(p, self._tick(first + b, s), STEP // 2, note,
                                   min(127, vel * p.velocity // 100))

    def _voicing(self, part, chord):
        root, shape, _ = chord
        center = part.center or 64
        notes = []
        for interval in shape:
            pc = (root + interval) % 12
            # put each chord tone nearest to the centre (within a sixth below to a fifth above)
            n = center - 8 + ((pc - (center - 8)) % 12)
            notes.append(n)
        return sorted(set(notes))

    def _comp(self, name, first, bars, line):
        """Strikes the chord at 'x', holds at '-'. A line may span several bars."""
        p = self.parts[name]
        steps = self.beats * 4
        line = line.replace(" ", "").replace("|", "")
        total = len(bars) * steps
        seq = [line[i % len(line)] for i in range(total)]
        i = 0
        while i < total:
            c = seq[i]
            if c in "xXo":
                j = i + 1
                while j < total and seq[j] == "-":
                    j += 1
                b, s = divmod(i, steps)
                chord = self._chord_at(bars, b, s)
                vel = {"X": p.velocity + 18, "x": p.velocity, "o": p.velocity - 25}[c]
                start = self._tick(first + b, s)
                end_b, end_s = divmod(j, steps)
                end = self._tick(first + end_b, end_s) - STEP // 6
                for n in self._voicing(p, chord):
                    self._note(p, start, end - start, n, vel)
                i = j
            else:
                i += 1

    def _tokens(self, text, bar_steps):
        """Splits 'tok/len tok/len | ...' into bars of (token, start step, length)."""
        out = []
        for bar_text in text.split("|"):
            bar_text = bar_text.strip()
            if not bar_text:
                continue
            pos = 0
            items = []
            for tok in bar_text.split():
                what, length = tok.rsplit("/", 1)
                tie = length.endswith("~")
                length = int(length.rstrip("~"))
                items.append((what, pos, length, tie))
                pos += length
            if pos != bar_steps:
                raise ValueError("bar %r has %d sixteenths, not %d" % (bar_text, pos, bar_steps))
            out.append(items)
        return out

    def _bass(self, name, first, bars, text):
        p = self.parts[name]
        steps = self.beats * 4
        pattern = self._tokens(text, steps)
        for b in range(len(bars)):
            for what, pos, length, _ in pattern[b % len(pattern)]:
                if what == "r":
                    continue
                accent = what.startswith("!")
                what = what.lstrip("!")
                if what[0] in NOTE_BASE and len(what) > 1 and what[-1].isdigit() and what not in DEGREES:
                    note = note_number(what)
                else:
                    root, shape, bass = self._chord_at(bars, b, pos)
                    if what == "R":
                        interval = (bass - root) % 12
                    elif what == "3":
                        interval = 3 if 3 in shape else 4
                    elif what == "7":
                        interval = 10 if 10 in shape else (11 if 11 in shape else 10)
                    else:
                        interval = DEGREES[what]
                    base = 12 * (p.octave + 1) + root
                    if base > 12 * (p.octave + 1) + 6:    # keep roots between F#-1 and F of the octave
                        base -= 12
                    note = base + interval
                start = self._tick(first + b, pos)
                end_b, end_s = divmod(pos + length, steps)
                end = self._tick(first + b + end_b, end_s) - STEP // 5
                self._note(p, start, end - start, note, p.velocity + (20 if accent else 0))

    def _melody(self, name, first, bars, text):
        p = self.parts[name]
        steps = self.beats * 4
        pattern = self._tokens(text, steps)
        flat = []
        for b, items in enumerate(pattern):
            for what, pos, length, tie in items:
                flat.append([what, b * steps + pos, length, tie])
        # join tied notes ("C5/4~ C5/4" is one note of 8 sixteenths)
        merged = []
        for item in flat:
            if merged and merged[-1][3] and merged[-1][0] == item[0]:
                merged[-1][2] += item[2]
                merged[-1][3] = item[3]
            else:
                merged.append(item)
        span = len(pattern) * steps
        for r in range(max(1, len(bars) // len(pattern))):
            for what, pos, length, _ in merged:
                if what == "r":
                    continue
                accent = what.startswith("!")
                ghost = what.startswith("?")
                notes = what.lstrip("!?").split("+")
                at = pos + r * span
                b, s = divmod(at, steps)
                eb, es = divmod(at + length, steps)
                start = self._tick(first + b, s)
                end = self._tick(first + eb, es) - (STEP // 4 if length <= 2 else STEP // 3)
                vel = p.velocity + (18 if accent else 0) - (30 if ghost else 0)
                for n in notes:
                    self._note(p, start, end - start, note_number(n), vel)

    # -- output --------------------------------------------------------------------------------
    def length_seconds(self, bars=None):
        bars = self.bar if bars is None else bars
        return bars * self.beats * self.tempo_us / 1e6

    def write(self, path, tail_bars=0, tail_seconds=0.0):
        """Writes a type-1 MIDI file. tail_bars repeats the first bars after the end (for
        rendering the loop point); tail_seconds adds silence after that for reverb to ring out."""
        end = self.bar * self.bar_ticks
        notes = list(self.notes)
        if tail_bars:
            limit = tail_bars * self.bar_ticks
            notes += [(a + end, b + end, ch, n, v) for a, b, ch, n, v in self.notes if a < limit]
        # a note struck again before it ends is cut at the new strike
        notes.sort(key=lambda e: (e[2], e[3], e[0]))
        events = []
        for i, (a, b, ch, n, v) in enumerate(notes):
            if i + 1 < len(notes) and notes[i + 1][2:4] == (ch, n):
                b = max(a + 1, min(b, notes[i + 1][0]))
            events.append((a, 1, ch, bytes([0x90 | ch, n, v])))
            events.append((b, 0, ch, bytes([0x80 | ch, n, 0])))
        events += [(t, 0.5, ch, msg) for t, ch, msg in self.controls]
        last = end + tail_bars * self.bar_ticks + int(tail_seconds * 1e6 / self.tempo_us * TICKS)
        last = max([last] + [e[0] for e in events])

        tracks = []
        # track 0: tempo and metre
        meta = [(0, 0, None, b"\xff\x51\x03" + self.tempo_us.to_bytes(3, "big")),
                (0, 0, None, b"\xff\x58\x04" + bytes([self.beats, 2, 24, 8]))]
        meta.append((last, 9, None, b"\xff\x2f\x00"))
        tracks.append(meta)
        for p in self.parts.values():
            ch = p.channel
            setup = [
                (0, -9, ch, bytes([0xB0 | ch, 0, p.bank])),
                (0, -8, ch, bytes([0xB0 | ch, 32, 0])),
                (0, -7, ch, bytes([0xC0 | ch, p.program])),
                (0, -6, ch, bytes([0xB0 | ch, 7, p.volume])),
                (0, -5, ch, bytes([0xB0 | ch, 10, p.pan])),
                (0, -4, ch, bytes([0xB0 | ch, 91, p.reverb])),
                (0, -3, ch, bytes([0xB0 | ch, 93, p.chorus])),
            ]
            own = [e for e in events if e[2] == ch]
            track = setup + own
            track.append((last, 9, ch, b"\xff\x2f\x00"))
            tracks.append(track)

        chunks = [b"MThd" + struct.pack(">IHHH", 6, 1, len(tracks), TICKS)]
        for track in tracks:
            track.sort(key=lambda e: (e[0], e[1]))
            data = bytearray()
            now = 0
            for tick, _, _, msg in track:
                data += _varlen(tick - now)
                data += msg
                now = tick
            chunks.append(b"MTrk" + struct.pack(">I", len(data)) + bytes(data))
        with open(path, "wb") as f:
            f.write(b"".join(chunks))


def _varlen(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


# Short helpers so that the song files read like scores.
def drums(**lines):
    return ("drums", lines)


def comp(line):
    return ("comp", line)


def bass(text):
    return ("bass", text)


def melody(text):
    return ("melody", text)
