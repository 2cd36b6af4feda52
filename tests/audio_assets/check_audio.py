#!/usr/bin/env python3
"""Checks the sounds and music that the build made in the data root.

Every sound the game plays and every music track its playlists name must exist as
data/audio/sound/<name>.ogg or data/audio/music/<name>.ogg, be an Ogg Vorbis file that decodes,
run 44.1 kHz, have a plausible length (sounds 0.05-4 s, the click under 0.2 s, music 60-130 s),
not be silent and not be clipped; a music track must also loop without a click.

usage: check_audio.py DATA_ROOT [--sox BIN] [--soxi BIN]
"""

import argparse
import math
import os
import subprocess
import sys
from array import array

# Sound names of the game: the default click, the catalogue's action sounds, the lap fanfare
# and the studio jingle.
SOUNDS = [
    "click", "drink", "all drink", "all drink much", "no one drinks", "fitness", "phone", "scales",
    "strip", "slap", "massage", "water", "skip turn", "switch", "drink milk", "makeout", "camera",
    "first to finish lap", "morrowleaf",
]
# The playlists: "title" plays the title track, "board" the three board tracks.
MUSIC = ["title", "board 1", "board 2", "board 3"]

SOUND_SECONDS = (0.05, 4.0)
CLICK_MAX = 0.2
MUSIC_SECONDS = (60.0, 130.0)
MIN_PEAK_DB = -12.0       # the loudest sample of a sound or track is at least this loud
MIN_RMS_DB = -40.0        # and its average level too: nothing is (nearly) silent
MAX_PEAK_DB = -0.05       # at 0 dBFS a decoded file has clipped
MAX_LOOP_ERROR = 0.06     # full-scale units, see loop_click


def run(*args):
    return subprocess.run([str(a) for a in args], capture_output=True, text=True)


def stats(sox, path):
    result = run(sox, path, "-n", "stats")
    if result.returncode != 0:
        raise RuntimeError("sox cannot decode it: " + result.stderr.strip())
    values = {}
    for line in result.stderr.splitlines():
        parts = line.split()
        for key in ("Pk lev dB", "RMS lev dB"):
            if line.startswith(key):
                values[key] = float(parts[len(key.split())])
    return values


def samples(sox, path, *trim):
    raw = subprocess.run([sox, path, "-t", "f32", "-e", "floating-point", "-L", "-", "trim"] + [str(t) for t in trim],
                         capture_output=True, check=True).stdout
    data = array("f")
    data.frombytes(raw)
    if sys.byteorder != "little":
        data.byteswap()
    return data


def lpc(x, order):
    """Linear-prediction coefficients (Levinson-Durbin on the Hamming-windowed autocorrelation)."""
    n = len(x)
    w = [x[i] * (0.54 - 0.46 * math.cos(2 * math.pi * i / (n - 1))) for i in range(n)]
    r = [sum(w[i] * w[i + k] for i in range(n - k)) for k in range(order + 1)]
    if r[0] <= 0:
        return [1.0] + [0.0] * order
    r[0] *= 1.0 + 1e-9
    a = [1.0] + [0.0] * order
    err = r[0]
    for i in range(1, order + 1):
        k = -(r[i] + sum(a[j] * r[i - j] for j in range(1, i))) / err
        a = [a[j] + k * a[i - j] if 0 < j < i else a[j] for j in range(order + 1)]
        a[i] = k
        err *= 1.0 - k * k
    return a


def loop_click(sox, path, channels, order=24):
    """How much the first samples of the file differ from what the end of the file predicts
    (the linear-prediction error at the loop point, in full-scale units). A seamless loop gives
    about the error of the lossy coding (0.03 at most here); a cut in the middle of the music
    gives 0.1 and more."""
    head = samples(sox, path, 0, 0.005)
    tail = samples(sox, path, "-0.06")
    worst = 0.0
    for c in range(channels):
        x = list(tail[c::channels]) + list(head[c::channels])
        joint = len(tail) // channels
        a = lpc(x[joint - 2000:joint], order)
        for n in range(joint, joint + 3):
            error = abs(sum(a[k] * x[n - k] for k in range(order + 1)))
            worst = max(worst, error)
    return worst


def check(path, kind, name, sox, soxi):
    problems = []
    if not os.path.isfile(path):
        return ["missing"]
    with open(path, "rb") as f:
        head = f.read(64)
    if not head.startswith(b"OggS") or b"\x01vorbis" not in head:
        problems.append("not an Ogg Vorbis file")
        return problems
    kind_text = run(soxi, "-t", path)
    if kind_text.returncode != 0 or kind_text.stdout.strip() != "vorbis":
        problems.append("soxi does not read it as vorbis: %s" % (kind_text.stdout + kind_text.stderr).strip())
        return problems
    duration = float(run(soxi, "-D", path).stdout)
    rate = int(run(soxi, "-r", path).stdout)
    channels = int(run(soxi, "-c", path).stdout)
    if rate != 44100:
        problems.append("sample rate %d, not 44100" % rate)
    low, high = SOUND_SECONDS if kind == "sound" else MUSIC_SECONDS
    if not low <= duration <= high:
        problems.append("lasts %.3f s, not %g-%g s" % (duration, low, high))
    if name == "click" and duration >= CLICK_MAX:
        problems.append("the click lasts %.3f s, not under %g s" % (duration, CLICK_MAX))
    try:
        values = stats(sox, path)
    except RuntimeError as e:
        return problems + [str(e)]
    peak, rms = values.get("Pk lev dB", -999.0), values.get("RMS lev dB", -999.0)
    if peak < MIN_PEAK_DB or rms < MIN_RMS_DB:
        problems.append("too quiet: peak %.1f dBFS, RMS %.1f dBFS" % (peak, rms))
    if peak > MAX_PEAK_DB:
        problems.append("clipped: peak %.2f dBFS" % peak)
    detail = "%.2f s, peak %.1f dBFS, RMS %.1f dBFS" % (duration, peak, rms)
    if kind == "music" and not problems:
        click = loop_click(sox, path, channels)
        detail += ", loop-point error %.3f" % click
        if click > MAX_LOOP_ERROR:
            problems.append("clicks at the loop point (prediction error %.3f, at most %g)" % (click, MAX_LOOP_ERROR))
    return problems or detail


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("data_root")
    ap.add_argument("--sox", default="sox")
    ap.add_argument("--soxi", default="soxi")
    args = ap.parse_args()

    passed = failed = 0
    for kind, folder, names in (("sound", "sound", SOUNDS), ("music", "music", MUSIC)):
        for name in names:
            path = os.path.join(args.data_root, "data", "audio", folder, name + ".ogg")
            result = check(path, kind, name, args.sox, args.soxi)
            if isinstance(result, list):
                failed += 1
                print("FAIL %s '%s': %s" % (kind, name, "; ".join(result)))
            else:
                passed += 1
                print("ok   %s '%s': %s" % (kind, name, result))
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
