"""Reads icons from Iconify JSON icon sets (npm packages @iconify-json/<set>) and places them into
our SVG pictures as nested <svg> elements."""
import json
import os
import sys


class IconSets:
    def __init__(self, modules):
        self.modules = modules
        self.sets = {}

    def _set(self, prefix):
        if prefix not in self.sets:
            path = os.path.join(self.modules, "@iconify-json", prefix, "icons.json")
            if not os.path.exists(path):
                sys.exit(f"icon set '{prefix}' is missing ({path}): run scripts/setup (npm ci --prefix assets)")
            with open(path, encoding="utf-8") as f:
                self.sets[prefix] = json.load(f)
        return self.sets[prefix]

    def icon(self, source):
        """(body, width, height) of '<set>:<name>', following aliases."""
        prefix, _, name = source.partition(":")
        data = self._set(prefix)
        flips = []
        while name not in data["icons"]:
            alias = data.get("aliases", {}).get(name)
            if alias is None:
                sys.exit(f"icon '{source}' does not exist in the set '{prefix}'")
            if alias.get("hFlip"):
                flips.append(alias)
            name = alias["parent"]
        icon = data["icons"][name]
        width = icon.get("width", data.get("width", 16))
        height = icon.get("height", data.get("height", 16))
        body = icon["body"]
        if flips:
            body = f'<g transform="translate({width} 0) scale(-1 1)">{body}</g>'
        left = icon.get("left", data.get("left", 0))
        top = icon.get("top", data.get("top", 0))
        return body, (left, top, width, height)

    def place(self, source, x, y, size, colour=None, extra=""):
        """The icon scaled into the square (x, y, size, size); one-colour icons take 'colour'."""
        body, (left, top, width, height) = self.icon(source)
        paint = f' color="{colour}" fill="{colour}"' if colour else ""
        return (
            f'<svg x="{x:g}" y="{y:g}" width="{size:g}" height="{size:g}" '
            f'viewBox="{left} {top} {width} {height}" overflow="visible"{paint}{extra}>{body}</svg>'
        )
