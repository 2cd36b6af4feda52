#!/usr/bin/env python3
"""Builds every picture of the game: extracts the chosen icons from the npm icon sets, draws the
rest, writes one SVG per picture and rasterises them all with rsvg-convert, in parallel.

Only changed SVGs are written and only PNGs older than their SVG are rasterised again, so a rebuild
after a small change is quick.

    build_art.py --modules assets/node_modules --out <data root>/data/gui/images --work <dir>
"""
import argparse
import concurrent.futures
import os
import shutil
import subprocess
import sys

import characters
import draw
import iconify

HERE = os.path.dirname(os.path.abspath(__file__))


def parse_mapping(path):
    """icons.txt: '[section]' headers, then rows of whitespace-separated words. A comment starts with
    '# ' (hash and space), so that colours such as '#ffcc00' stay data."""
    sections = {}
    current = None
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = (" " + raw).split(" # ", 1)[0].strip()
            if not line or line == "#" or line.startswith("# "):
                continue
            if line.startswith("[") and line.endswith("]"):
                current = sections.setdefault(line[1:-1], [])
                continue
            if current is None:
                sys.exit(f"{path}:{number}: a row before the first [section]")
            current.append(line.split())
    return sections


def collect(mapping, icons):
    """Every picture as (image path relative to the images folder, SVG text)."""
    pictures = []
    pictures += draw.field_icons(mapping["icons"], icons)
    pictures += characters.pictures(mapping["characters"], icons)
    pictures += draw.flags(mapping["flags"], icons)
    decor = {row[0]: row[1] for row in mapping["decor"]}
    pictures += draw.drawn_pictures(icons, decor)
    pictures += hand_drawn()
    names = [name for name, _ in pictures]
    duplicates = sorted({n for n in names if names.count(n) > 1})
    if duplicates:
        sys.exit("pictures made twice: " + ", ".join(duplicates))
    return pictures


def hand_drawn():
    """SVG files written by hand under svg/<set>/<folder>/<name>.svg (or svg/logos/<name>.svg)."""
    root = os.path.join(HERE, "svg")
    found = []
    for folder, _, files in os.walk(root):
        for name in sorted(files):
            if name.endswith(".svg"):
                rel = os.path.relpath(os.path.join(folder, name), root)[:-4]
                with open(os.path.join(folder, name), encoding="utf-8") as f:
                    found.append((rel, f.read()))
    return found


def write_if_changed(path, text):
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            if f.read() == text:
                return
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)


def rasterise(job):
    svg, png = job
    os.makedirs(os.path.dirname(png), exist_ok=True)
    result = subprocess.run(["rsvg-convert", "-o", png, svg], capture_output=True, text=True)
    if result.returncode != 0:
        return f"{svg}: {result.stderr.strip()}"
    return None


def remove_dropped(args, names):
    """Pictures the last run made and this one does not (a renamed icon) leave the data root."""
    if not os.path.exists(args.stamp):
        return
    with open(args.stamp, encoding="utf-8") as f:
        dropped = {line.strip() for line in f if line.strip()} - names
    for name in dropped:
        for path in (os.path.join(args.out, name + ".png"), os.path.join(args.work, name + ".svg")):
            if os.path.exists(path):
                os.remove(path)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--modules", required=True, help="the node_modules folder holding the icon sets")
    parser.add_argument("--out", required=True, help="the images folder of the data root")
    parser.add_argument("--work", required=True, help="where the SVG files are written")
    parser.add_argument("--stamp", help="touched when everything is up to date")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    args = parser.parse_args()

    if not shutil.which("rsvg-convert"):
        sys.exit("rsvg-convert is missing: run scripts/setup (Debian package librsvg2-bin)")
    icons = iconify.IconSets(args.modules)
    mapping = parse_mapping(os.path.join(HERE, "icons.txt"))
    pictures = collect(mapping, icons)

    jobs = []
    for name, text in pictures:
        svg = os.path.join(args.work, name + ".svg")
        png = os.path.join(args.out, name + ".png")
        write_if_changed(svg, text)
        if not os.path.exists(png) or os.path.getmtime(png) < os.path.getmtime(svg):
            jobs.append((svg, png))

    with concurrent.futures.ThreadPoolExecutor(max_workers=max(1, args.jobs)) as pool:
        errors = [e for e in pool.map(rasterise, jobs) if e]
    if errors:
        sys.exit("rsvg-convert failed:\n" + "\n".join(errors))
    print(f"art: {len(pictures)} pictures, {len(jobs)} rasterised")
    if args.stamp:
        remove_dropped(args, {name for name, _ in pictures})
        with open(args.stamp, "w", encoding="utf-8") as f:
            f.write("\n".join(name for name, _ in pictures) + "\n")


if __name__ == "__main__":
    main()
