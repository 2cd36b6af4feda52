#!/usr/bin/env python3
"""Renders one music track: song file (music/<name>.py) -> MIDI -> fluidsynth -> seamless loop -> OGG.

The song is written with its first bars repeated after the end (the "tail"), and rendered in one
pass. The rendered body runs from 0 to L (the song's length, a whole number of samples). The loop
keeps the render from L onwards for its first bars - the start of the song as it sounds right
after the end, with the end's reverb and released notes still ringing - and switches to the
first render of the same bars with a short cross-fade once that ringing has died away. The loop
point itself (the end of the file going back to its start) is then exactly the continuous render
at L, so it cannot click.

usage: render_music.py SONG.py OUT.ogg WORKDIR [--soundfont SF2] [--fluidsynth BIN] [--sox BIN]
"""

import argparse
import importlib.util
import os
import shutil
import subprocess
import sys
from array import array

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True   # the build must not write into the source tree
import midigen  # noqa: E402

RATE = 44100
TAIL_BARS = 3        # first bars repeated after the end
SPLICE_BARS = 2      # where the loop switches from the repeated bars to the first render
FADE = 0.012         # cross-fade length in seconds, ending just before that bar line
EARLY = 0.003        # the cross-fade ends this long before the bar line (onsets come a bit late)
GAIN = 0.25          # fluidsynth master gain; the result is normalised afterwards
CHORUS_HZ = 0.3      # about fluidsynth's own chorus rate; see chorus_speed
TARGET_RMS = -18.0   # dBFS, the loudness of every track
LIMIT_FROM = -9.0    # dBFS, peaks above this are compressed 4:1


def load_song(path):
    module_spec = importlib.util.spec_from_file_location("song_" + os.path.basename(path)[:-3].replace(" ", "_"), path)
    module = importlib.util.module_from_spec(module_spec)
    module_spec.loader.exec_module(module)
    return module.song()


def chorus_speed(song):
    """A chorus rate that runs a whole number of cycles in one pass of the song. The chorus sweeps
    all the time; at any other rate the repeated bars after the end come out with the sweep at
    another point than the first render of the same bars, and a chorused part (board 1's lead)
    then differs so much between the two that the cross-fade from one to the other dips."""
    seconds = song.bar * bar_samples(song) / RATE
    return max(1, round(CHORUS_HZ * seconds)) / seconds


def render(song, work, soundfont, fluidsynth, sox, tail_bars, tail_seconds):
    os.makedirs(work, exist_ok=True)
    mid = os.path.join(work, "song.mid")
    raw = os.path.join(work, "song.f32")
    song.write(mid, tail_bars=tail_bars, tail_seconds=tail_seconds)
    subprocess.run([fluidsynth, "-ni", "-q", "-g", str(GAIN), "-r", str(RATE), "-R", "1", "-C", "1",
                    "-o", "synth.polyphony=256", "-o", "synth.chorus.speed=%.6f" % chorus_speed(song),
                    "-O", "float", "-E", "little", "-T", "raw",
                    "-F", raw, soundfont, mid], check=True, stdout=subprocess.DEVNULL)
    # Remove the DC and sub-sonic rumble some samples carry and bring every track to one RMS
    # loudness (a limiter catches the peaks). Processing the whole render before the loop is cut
    # keeps the loop point continuous.
    fmt = ["-t", "f32", "-r", str(RATE), "-c", "2", "-L"]
    stats = subprocess.run([sox] + fmt + [raw, "-n", "stats"], check=True, capture_output=True, text=True).stderr
    rms = next(float(line.split()[3]) for line in stats.splitlines() if line.startswith("RMS lev dB"))
    gain = TARGET_RMS - rms
    knee = LIMIT_FROM - gain    # input level that comes out at LIMIT_FROM after the gain
    limiter = "6:-90,-90,%.2f,%.2f,%.2f,%.2f" % (knee, knee, knee + 12, knee + 3)   # 4:1 above the knee
    filtered = os.path.join(work, "song-hp.f32")
    subprocess.run([sox, "-R"] + fmt + [raw, "-t", "f32", "-L", filtered, "highpass", "25",
                    "compand", "0.001,0.1", limiter, "%.2f" % gain, "-90"], check=True)
    os.replace(filtered, raw)
    data = array("f")
    with open(raw, "rb") as f:
        data.frombytes(f.read())
    if sys.byteorder != "little":
        data.byteswap()
    return data


def bar_samples(song):
    exact = song.beats * song.tempo_us * RATE
    if exact % 1_000_000:
        raise ValueError("tempo %d us does not give a whole number of samples per bar" % song.tempo_us)
    return exact // 1_000_000


def make_loop(song, data):
    """data: interleaved stereo float samples of the render with the tail. Returns the loop."""
    bar = bar_samples(song)
    length = song.bar * bar
    splice = SPLICE_BARS * bar - int(EARLY * RATE)
    fade = int(FADE * RATE)
    need = 2 * (length + splice)
    if len(data) < need:
        raise RuntimeError("render too short: %d of %d samples" % (len(data) // 2, need // 2))
    a = 2 * (splice - fade)     # sample index (interleaved) where the cross-fade starts
    b = 2 * splice
    tail = data[2 * length: 2 * length + b]           # the start as heard after the end
    out = array("f", tail[:a])
    for i in range(a, b):
        w = ((i - a) // 2 + 0.5) / fade                 # 0 -> 1 over the fade
        out.append(tail[i] * (1.0 - w) + data[i] * w)
    out.extend(data[b: 2 * length])
    return out


def encode(samples, path, work, sox, quality="5"):
    raw = os.path.join(work, "loop.f32")
    if sys.byteorder != "little":
        samples = array("f", samples)
        samples.byteswap()
    with open(raw, "wb") as f:
        samples.tofile(f)
    # written beside the work files and moved in whole: the game loads every file of its folder.
    # The game sets the music category's gain on top.
    tmp = os.path.join(work, "loop.ogg")
    # -R: repeatable, so that the Ogg stream's serial number, and with it the file, is the same every build.
    subprocess.run([sox, "-R", "-t", "f32", "-r", str(RATE), "-c", "2", "-L", raw, "-C", quality, tmp], check=True)
    shutil.move(tmp, path)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("song")
    ap.add_argument("out")
    ap.add_argument("work")
    ap.add_argument("--soundfont", default="/usr/share/sounds/sf2/FluidR3_GM.sf2")
    ap.add_argument("--fluidsynth", default="fluidsynth")
    ap.add_argument("--sox", default="sox")
    ap.add_argument("--midi-only", action="store_true", help="write the MIDI file and stop")
    args = ap.parse_args()

    song = load_song(args.song)
    if args.midi_only:
        os.makedirs(args.work, exist_ok=True)
        song.write(os.path.join(args.work, "song.mid"))
        return
    data = render(song, args.work, args.soundfont, args.fluidsynth, args.sox, TAIL_BARS, 3.0)
    loop = make_loop(song, data)
    os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
    encode(loop, args.out, args.work, args.sox)
    for name in ("song.f32", "loop.f32"):
        try:
            os.remove(os.path.join(args.work, name))
        except OSError:
            pass
    print("%s: %d bars at %.1f bpm, %.1f s" % (os.path.basename(args.out), song.bar, song.bpm,
                                                len(loop) / 2 / RATE))


if __name__ == "__main__":
    main()
