#!/usr/bin/env python3
"""Checks the sounds and music that the build made in the data root.

Every sound the game plays and every music track its playlists name must exist as
data/audio/sound/<name>.ogg or data/audio/music/<name>.ogg. The checks come in four groups:

  sound files   an Ogg Vorbis file that decodes, 44.1 kHz, a plausible length (0.05-4 s, the
                click under 0.2 s), not (nearly) silent and not clipped
  sound edges   starts and stops without a click (EDGE_* below)
  music files   as the sound files, 60-130 s long
  music seams   the end runs on into the start without a jump when the game loops the track
                (SEAM_* and MAX_LOOP_ERROR below)

Every file is reported in every group with its figures; a failure names the file and the figure
that is out of bounds.

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

RATE = 44100
SOUND_SECONDS = (0.05, 4.0)
CLICK_MAX = 0.2
MUSIC_SECONDS = (60.0, 130.0)
MIN_PEAK_DB = -12.0       # the loudest sample of a sound or track is at least this loud
MIN_RMS_DB = -40.0        # and its average level too: nothing is (nearly) silent
MAX_PEAK_DB = -0.05       # at 0 dBFS a decoded file has clipped

# Sound edges. Every sound is levelled so that its loudest 50 ms have an RMS of about -12 dBFS.
# - A sound may rise from silence and fall back to it no faster than a 2 ms raised-cosine ramp
#   between silence and full scale: a faster jump is heard as a tick of its own (the finish fades
#   in over 3 ms and out over 15 ms). Up to -30 dBFS (3 % of full scale) is allowed at any
#   speed: 18 dB under the sound, such a tick is lost in its attack or decay, and the lossy coding
#   itself leaves up to about -35 dBFS at an edge that follows loud sound.
# - The last 5 ms have an RMS of at most -30 dBFS, 18 dB under the sound's loudness: a sound still
#   louder there is heard to stop short even when the very last samples come down smoothly (with
#   the finish's fade-out the sounds here end at -34 dBFS and under). The start has no such bound:
#   a slap or a knock is at full strength within its first milliseconds.
EDGE_RAMP_MS = 2.0
EDGE_STEP_DB = -30.0
END_WINDOW_MS = 5.0
END_MAX_RMS_DB = -30.0

# Music seams. The game plays a track's end straight into its start.
# - The step from the last sample to the first (each channel) is at most 4 times the RMS of the
#   sample-to-sample steps of the 10 ms on either side: music that runs on steps like its
#   surroundings (the tracks here: 1.3 at most), a cut through a sounding note or the reverb
#   makes a step of the size of the music itself.
# - The last and the first 100 ms differ in loudness by at most 10 dB. The tracks' own bar lines
#   change by up to that much where a section starts after a quiet bar (the seam is such a bar
#   line); a loop whose end fades out, or that starts in silence, differs by 15 dB and more.
#   (Over the last 10 ms before a downbeat a track is typically 10-15 dB quieter than after it:
#   the notes end shortly before the bar line, at every bar line alike.)
# - The linear-prediction error at the loop point (see loop_click) is at most MAX_LOOP_ERROR.
SEAM_STEP_MS = 10.0
SEAM_MAX_STEP = 4.0
SEAM_LOUDNESS_MS = 100.0
SEAM_MAX_LOUDNESS_DB = 10.0
MAX_LOOP_ERROR = 0.06     # full-scale units


def run(*args):
    return subprocess.run([str(a) for a in args], capture_output=True, text=True)


def db(value):
    return 20.0 * math.log10(max(value, 1e-9))


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
    """Decoded samples (interleaved floats), of the whole file or of a `trim` of it."""
    raw = subprocess.run([sox, path, "-t", "f32", "-e", "floating-point", "-L", "-"] +
                         (["trim"] + [str(t) for t in trim] if trim else []),
                         capture_output=True, check=True).stdout
    data = array("f")
    data.frombytes(raw)
    if sys.byteorder != "little":
        data.byteswap()
    return data


def rms(values):
    return math.sqrt(sum(v * v for v in values) / len(values)) if len(values) else 0.0


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


def loop_click(head, tail, channels, order=24):
    """How much the first samples of the file differ from what the end of the file predicts
    (the linear-prediction error at the loop point, in full-scale units). A seamless loop gives
    about the error of the lossy coding (0.04 at most here); a cut in the middle of the music
    gives 0.1 and more."""
    worst = 0.0
    for c in range(channels):
        x = list(tail[c::channels]) + list(head[c::channels])
        joint = len(tail) // channels
        a = lpc(x[joint - 2000:joint], order)
        for n in range(joint, joint + 3):
            error = abs(sum(a[k] * x[n - k] for k in range(order + 1)))
            worst = max(worst, error)
    return worst


# -- the groups -------------------------------------------------------------------------------
def check_file(path, kind, name, sox, soxi):
    """Format, rate, length and level. Returns (problems, figures, channels)."""
    if not os.path.isfile(path):
        return ["missing"], "", 0
    with open(path, "rb") as f:
        head = f.read(64)
    if not head.startswith(b"OggS") or b"\x01vorbis" not in head:
        return ["not an Ogg Vorbis file"], "", 0
    kind_text = run(soxi, "-t", path)
    if kind_text.returncode != 0 or kind_text.stdout.strip() != "vorbis":
        return ["soxi does not read it as vorbis: %s" % (kind_text.stdout + kind_text.stderr).strip()], "", 0
    problems = []
    duration = float(run(soxi, "-D", path).stdout)
    rate = int(run(soxi, "-r", path).stdout)
    channels = int(run(soxi, "-c", path).stdout)
    if rate != RATE:
        problems.append("sample rate %d, not %d" % (rate, RATE))
    low, high = SOUND_SECONDS if kind == "sound" else MUSIC_SECONDS
    if not low <= duration <= high:
        problems.append("lasts %.3f s, not %g-%g s" % (duration, low, high))
    if name == "click" and duration >= CLICK_MAX:
        problems.append("the click lasts %.3f s, not under %g s" % (duration, CLICK_MAX))
    try:
        values = stats(sox, path)
    except RuntimeError as e:
        return problems + [str(e)], "", 0
    peak, level = values.get("Pk lev dB", -999.0), values.get("RMS lev dB", -999.0)
    if peak < MIN_PEAK_DB or level < MIN_RMS_DB:
        problems.append("too quiet: peak %.1f dBFS, RMS %.1f dBFS" % (peak, level))
    if peak > MAX_PEAK_DB:
        problems.append("clipped: peak %.2f dBFS" % peak)
    return problems, "%.2f s, peak %.1f dBFS, RMS %.1f dBFS" % (duration, peak, level), channels


def steepest(x, ramp, floor):
    """The sample of the first `ramp` samples of x that goes furthest over the raised-cosine ramp
    from silence to full scale (or over `floor`): (share of its limit, index, |sample|, limit)."""
    worst = (0.0, 0, 0.0, floor)
    for i in range(min(ramp, len(x))):
        limit = max(floor, math.sin(math.pi * (i + 0.5) / (2 * ramp)) ** 2)
        share = abs(x[i]) / limit
        if share > worst[0]:
            worst = (share, i, abs(x[i]), limit)
    return worst


def check_edges(data, channels):
    """A sound's first and last milliseconds. Returns (problems, figures)."""
    ramp = int(EDGE_RAMP_MS * RATE / 1000)
    window = int(END_WINDOW_MS * RATE / 1000)
    floor = 10 ** (EDGE_STEP_DB / 20)
    problems, figures = [], []
    for edge in ("start", "end"):
        worst = (0.0, 0, 0.0, floor)
        for c in range(channels):
            x = data[c::channels]
            worst = max(worst, steepest(x if edge == "start" else x[::-1], ramp, floor))
        share, at, value, limit = worst
        figures.append("%s ramp %.0f%%" % (edge, 100 * share))
        if share > 1.0:
            problems.append("jumps at the %s: %.3f (%.1f dBFS) %.2f ms %s, a %g ms ramp allows %.3f" % (
                edge, value, db(value), at * 1000.0 / RATE, "in" if edge == "start" else "before the end",
                EDGE_RAMP_MS, limit))
    last = max(rms(data[c::channels][-window:]) for c in range(channels))
    figures.append("last %g ms %.1f dBFS" % (END_WINDOW_MS, db(last)))
    if db(last) > END_MAX_RMS_DB:
        problems.append("still loud at the end: the last %g ms at %.1f dBFS RMS, at most %g" % (
            END_WINDOW_MS, db(last), END_MAX_RMS_DB))
    return problems, ", ".join(figures)


def check_seam(head, tail, channels):
    """The loop point of a track, from its first and last SEAM_LOUDNESS_MS. Returns (problems,
    figures)."""
    problems = []
    around = int(SEAM_STEP_MS * RATE / 1000)
    worst = (0.0, 0.0)
    for c in range(channels):
        x = list(tail[c::channels][-around - 1:]) + list(head[c::channels][:around + 1])
        joint = around + 1                          # x[joint] is the first sample of the file
        steps = [x[i + 1] - x[i] for i in range(len(x) - 1)]
        seam = abs(steps.pop(joint - 1))
        worst = max(worst, (seam / max(rms(steps), 1e-9), seam))
    ratio, seam = worst
    if ratio > SEAM_MAX_STEP:
        problems.append("jumps at the loop point: a step of %.3f, %.1f times the steps around it (at most %g)" % (
            seam, ratio, SEAM_MAX_STEP))
    end, start = db(rms(tail)), db(rms(head))
    if abs(start - end) > SEAM_MAX_LOUDNESS_DB:
        problems.append("the last %g ms at %.1f dBFS and the first at %.1f differ by %.1f dB (at most %g)" % (
            SEAM_LOUDNESS_MS, end, start, abs(start - end), SEAM_MAX_LOUDNESS_DB))
    click = loop_click(head, tail, channels)
    if click > MAX_LOOP_ERROR:
        problems.append("clicks at the loop point (prediction error %.3f, at most %g)" % (click, MAX_LOOP_ERROR))
    return problems, "step %.3f (%.1f times its surroundings), last/first %g ms %.1f/%.1f dBFS, loop-point error %.3f" % (
        seam, ratio, SEAM_LOUDNESS_MS, end, start, click)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("data_root")
    ap.add_argument("--sox", default="sox")
    ap.add_argument("--soxi", default="soxi")
    args = ap.parse_args()

    groups = {}          # group -> list of (name, problems, figures)
    for kind, names in (("sound", SOUNDS), ("music", MUSIC)):
        for name in names:
            path = os.path.join(args.data_root, "data", "audio", kind, name + ".ogg")
            problems, figures, channels = check_file(path, kind, name, args.sox, args.soxi)
            groups.setdefault(kind + " files", []).append((name, problems, figures))
            second = kind + (" edges" if kind == "sound" else " seams")
            if problems:
                # the file itself is wrong: its edges or seam would say nothing more
                groups.setdefault(second, []).append((name, ["not checked: the file failed"], ""))
            elif kind == "sound":
                groups.setdefault(second, []).append((name, *check_edges(samples(args.sox, path), channels)))
            else:
                seconds = SEAM_LOUDNESS_MS / 1000
                head = samples(args.sox, path, 0, seconds)
                tail = samples(args.sox, path, "-%g" % seconds)
                groups.setdefault(second, []).append((name, *check_seam(head, tail, channels)))

    failed = 0
    summary = []
    for group in ("sound files", "sound edges", "music files", "music seams"):
        print("== %s" % group)
        bad = 0
        for name, problems, figures in groups[group]:
            if problems:
                bad += 1
                print("FAIL '%s': %s" % (name, "; ".join(problems)))
            else:
                print("ok   '%s': %s" % (name, figures))
        summary.append("%s %d/%d" % (group, len(groups[group]) - bad, len(groups[group])))
        failed += bad
    print("passed: " + ", ".join(summary))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
