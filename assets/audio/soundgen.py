#!/usr/bin/env python3
"""Builds one sound effect from its recipe (sounds/<name with _ for spaces>.py) into an OGG file.

A recipe is a Python file with a function `make(k)` that returns the path of a WAV file made
with the helpers of the kit `k` below (sox synthesis and effects, espeak-ng voices, freedesktop
theme sounds, MIDI phrases rendered with fluidsynth). An optional `LEVEL` (dB, default 0) sets
the sound a little above or below the others; an optional `FADE_OUT` (seconds) lengthens the
final fade-out of a sound whose source stops in the middle of a tone.

Every sound then gets the same finish: mono, 44.1 kHz, silence trimmed at both ends, peak
normalised to -3 dBFS, then one loudness for all: the gain that brings the RMS of the loudest
50 ms to the target below (a limiter keeps raised peaks under -1 dBFS), then the recipe's LEVEL.
Last come a 3 ms fade-in and a 15 ms fade-out, both raised-cosine, so that no sound starts or
stops with a jump.

usage: soundgen.py RECIPE.py OUT.ogg WORKDIR [--sox BIN] [--espeak BIN] [--fluidsynth BIN]
                                             [--soundfont SF2] [--theme DIR]
"""

import argparse
import importlib.util
import os
import shutil
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True   # the build must not write into the source tree
import midigen  # noqa: E402

RATE = 44100
WAVEFORMS = {"sine", "square", "triangle", "sawtooth", "trapezium", "exp", "noise", "whitenoise",
             "tpdfnoise", "pinknoise", "brownnoise", "pluck"}
PEAK = -3.0            # dBFS after normalising
LOUDEST_RMS = -12.0    # dBFS, the RMS of every sound's loudest 50 ms
MAX_BOOST = 8.0        # dB, the most a spiky sound is raised towards that
CEILING = -1.0         # dBFS, the highest peak after raising
# Raised-cosine fades (smooth at both of their ends). 3 ms softens a struck attack only a little
# but takes the jump from silence out of it; 15 ms lets a sound that is still sounding at its end
# die away instead of stopping.
FADE_IN = 0.003
FADE_OUT = 0.015


class Kit:
    def __init__(self, work, sox, espeak, fluidsynth, soundfont, theme):
        self.work = work
        self.sox_bin = sox
        self.espeak_bin = espeak
        self.fluidsynth_bin = fluidsynth
        self.soundfont = soundfont
        self.theme = theme
        self.count = 0
        os.makedirs(work, exist_ok=True)

    def tmp(self, stem="part"):
        self.count += 1
        return os.path.join(self.work, "%02d-%s.wav" % (self.count, stem))

    def sox(self, *args):
        # -R: sox's repeatable mode seeds its noise, its dither and the Ogg stream's serial number, so
        # that two builds make the same files.
        subprocess.run([self.sox_bin, "-V1", "-R"] + [str(a) for a in args], check=True)

    # -- sources, each returns a mono 44.1 kHz WAV path -----------------------------------------
    def synth(self, seconds, *synth_args, fx=()):
        """sox's synth: k.synth(0.2, "sine", "800:1600", fx=["fade", "l", 0, 0.2, 0.15]).
        Several waveforms ("sine", 440, "sine", 660) sound together (mixed to one channel)."""
        voices = sum(1 for word in synth_args if str(word) in WAVEFORMS)
        out = self.tmp("synth")
        mixdown = ["remix", "-"] if voices > 1 else []
        self.sox("-r", RATE, "-c", max(1, voices), "-n", "-c", 1, "-b", 32, out, "synth", seconds, *synth_args,
                 *mixdown, *fx)
        return out

    def fx(self, source, *effects):
        """Runs sox effects on a file."""
        out = self.tmp("fx")
        self.sox(source, "-r", RATE, "-c", 1, "-b", 32, out, *effects)
        return out

    def speak(self, text, voice="en-us", speed=160, pitch=50, fx=()):
        """espeak-ng says text; fx are sox effects for the voice (pitch, reverb, overdrive ...)."""
        raw = self.tmp("voice-raw")
        subprocess.run([self.espeak_bin, "-v", voice, "-s", str(speed), "-p", str(pitch), "-a", "180",
                        "-w", raw, text], check=True)
        out = self.tmp("voice")
        self.sox(raw, "-r", RATE, "-c", 1, "-b", 32, out, "silence", 1, 0.005, "-50d", "reverse",
                 "silence", 1, 0.005, "-50d", "reverse", *fx)
        return out

    def theme_sound(self, name, fx=()):
        """A sound of Debian's freedesktop sound theme (sound-theme-freedesktop)."""
        path = os.path.join(self.theme, name + ".oga")
        out = self.tmp("theme")
        self.sox(path, "-r", RATE, "-c", 1, "-b", 32, out, *fx)
        return out

    def song(self, tempo_us=500000, beats_per_bar=4):
        """A midigen.Song for a short MIDI phrase, rendered with `midi`."""
        return midigen.Song(tempo_us, beats_per_bar=beats_per_bar, seed=7)

    def midi(self, song, tail=2.0, gain=0.4, fx=()):
        mid = os.path.join(self.work, "phrase%02d.mid" % self.count)
        song.write(mid, tail_seconds=tail)
        raw = self.tmp("midi-raw")
        subprocess.run([self.fluidsynth_bin, "-ni", "-q", "-g", str(gain), "-r", str(RATE), "-R", "1", "-C", "1",
                        "-T", "wav", "-F", raw, self.soundfont, mid], check=True, stdout=subprocess.DEVNULL)
        out = self.tmp("midi")
        self.sox(raw, "-r", RATE, "-c", 1, "-b", 32, out, *fx)
        return out

    # -- combining ----------------------------------------------------------------------------
    def silence(self, seconds):
        out = self.tmp("silence")
        self.sox("-n", "-r", RATE, "-c", 1, "-b", 32, out, "trim", 0, seconds)
        return out

    def mix(self, *layers):
        """layers: (path, start seconds[, gain dB]) or a path. Each is scaled by 1/number of layers so
        that nothing clips; the finish normalises the result."""
        args = []
        for layer in layers:
            if isinstance(layer, str):
                layer = (layer, 0.0)
            path, start = layer[0], layer[1]
            gain = layer[2] if len(layer) > 2 else 0.0
            if start > 0:
                padded = self.tmp("pad")
                self.sox(path, padded, "pad", start)
                path = padded
            args += ["-v", "%.4f" % (10 ** (gain / 20.0) / len(layers)), path]
        out = self.tmp("mix")
        self.sox(*(["-m"] if len(layers) > 1 else []), *args, "-b", 32, out)
        return out

    def concat(self, *paths):
        out = self.tmp("concat")
        self.sox(*paths, out)
        return out


def stat(sox, path):
    """Values of `sox stats` (first column) by name."""
    text = subprocess.run([sox, path, "-n", "stats"], check=True, capture_output=True, text=True).stderr
    values = {}
    for line in text.splitlines():
        parts = line.rsplit(None, 1)
        if len(parts) == 2:
            try:
                values[parts[0].strip()] = float(parts[1])
            except ValueError:
                pass
    return values


def finish(k, source, out, level, fade_out=FADE_OUT):
    cut = k.tmp("cut")
    k.sox(source, "-r", RATE, "-c", 1, "-b", 32, cut,
          "silence", 1, 0.001, "-60d", "reverse", "silence", 1, 0.001, "-60d", "reverse")
    peaked = k.tmp("peaked")
    k.sox(cut, peaked, "gain", "-n", PEAK)
    # one loudness: bring the loudest 50 ms of every sound to the same RMS. Short, spiky sounds
    # need gain; a limiter (compand with a knee so that the -3 dBFS peak comes out at -1 dBFS)
    # keeps their transients from clipping.
    gain = max(-12.0, min(MAX_BOOST, LOUDEST_RMS - stat(k.sox_bin, peaked).get("RMS Pk dB", PEAK)))
    leveled = k.tmp("leveled")
    if PEAK + gain > CEILING:
        top = CEILING - gain              # where the -3 dBFS peak must land before the gain
        knee = top - 4.0
        slope = (top - knee) / (PEAK - knee)
        limiter = "6:-90,-90,%.2f,%.2f,0,%.2f" % (knee, knee, knee * (1.0 - slope))
        k.sox(peaked, leveled, "compand", "0.001,0.06", limiter, "%.2f" % gain, "-90")
        if stat(k.sox_bin, leveled).get("Pk lev dB", 0.0) > CEILING:
            again = k.tmp("leveled")
            k.sox(leveled, again, "gain", "-n", CEILING)
            leveled = again
    else:
        k.sox(peaked, leveled, "gain", "%.2f" % gain)
    # The fades come last, so that nothing reshapes them: the limiter starts at full gain and lets
    # the first millisecond of an attack through raised (up to full scale) before it takes hold.
    # Written beside the work files and moved in whole: the game loads every file of its folder.
    tmp = os.path.join(k.work, "finished.ogg")
    k.sox(leveled, "-b", 16, "-C", 6, tmp, "gain", "%.2f" % level,
          "fade", "h", FADE_IN, "-0", "%.4f" % max(fade_out, FADE_OUT))
    shutil.move(tmp, out)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("recipe")
    ap.add_argument("out")
    ap.add_argument("work")
    ap.add_argument("--sox", default="sox")
    ap.add_argument("--espeak", default="espeak-ng")
    ap.add_argument("--fluidsynth", default="fluidsynth")
    ap.add_argument("--soundfont", default="/usr/share/sounds/sf2/FluidR3_GM.sf2")
    ap.add_argument("--theme", default="/usr/share/sounds/freedesktop/stereo")
    ap.add_argument("--keep", action="store_true", help="keep the work files")
    args = ap.parse_args()

    recipe_spec = importlib.util.spec_from_file_location("recipe", args.recipe)
    recipe = importlib.util.module_from_spec(recipe_spec)
    recipe_spec.loader.exec_module(recipe)

    if os.path.isdir(args.work):
        shutil.rmtree(args.work)
    k = Kit(args.work, args.sox, args.espeak, args.fluidsynth, args.soundfont, args.theme)
    wav = recipe.make(k)
    os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
    finish(k, wav, args.out, getattr(recipe, "LEVEL", 0.0), getattr(recipe, "FADE_OUT", FADE_OUT))
    if not args.keep:
        shutil.rmtree(args.work, ignore_errors=True)


if __name__ == "__main__":
    main()
