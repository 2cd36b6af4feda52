#!/usr/bin/env python3
"""Checks the game's texts in data/gui/texts/<language>/*.xml (standard library only).

Checks:
  - every language folder of LANGUAGES exists and holds the same file names as English;
  - every file parses as XML: <resources> with <string name="Key">text</string> children only;
  - no key twice within a language (across its files);
  - every language has exactly the key set of English (none missing, none extra);
  - the %-placeholders of each text (%s, %d, in order) equal those of the English text;
    any other "%" (also "%%") is an error: texts hold no literal percent sign;
  - every key of required_keys.txt exists, with the listed number of %s placeholders;
  - no empty texts, no leading or trailing white space, no line breaks (but between the paragraphs of
    the few long texts that have them), no backslash escapes,
    no braces (they are the composite-key notation of the GUI library);
  - mark-up tags balance: [c=RRGGBB]...[/c] and [b=RRGGBB]...[/b], properly nested,
    and no other square brackets.

Usage: check_texts.py [--texts DIR] [--required FILE]
Exit status 0 when everything passes, 1 otherwise (each problem is printed).
"""
import argparse
import os
import re
import sys
import xml.etree.ElementTree as ET

LANGUAGES = ["en", "cs", "de", "es", "fr", "pt", "ru", "zh-HANT"]
REFERENCE = "en"

PERCENT = re.compile(r"%(.?)")
TAG = re.compile(r"\[(/?)([cb])(?:=([0-9A-Fa-f]{6}))?\]")


# The long texts whose paragraphs are separated by line breaks.
PARAGRAPH_KEYS = {"DisclaimerText", "HelpRulesText", "HelpKeysText", "CreditsText"}


def placeholders(text):
    """The placeholders of a text in order ("%s", "%d"), or raises ValueError on any other %."""
    found = []
    for m in PERCENT.finditer(text):
        kind = m.group(1)
        if kind in ("s", "d"):
            found.append("%" + kind)
        elif kind == "%":
            raise ValueError("literal percent sign '%%' (a text shown without formatting would show it as is;"
                             " write the word instead)")
        else:
            raise ValueError("stray '%%' (followed by %r)" % (kind or "end of text"))
    return found


def markup_problems(text):
    """Problems of the mark-up of one text (empty list when it is fine)."""
    problems = []
    stack = []
    pos = 0
    for m in TAG.finditer(text):
        between = text[pos:m.start()]
        if "[" in between or "]" in between:
            problems.append("square bracket that is not a [c=RRGGBB]/[b=RRGGBB]/[/c]/[/b] tag")
        pos = m.end()
        closing, kind, colour = m.group(1), m.group(2), m.group(3)
        if closing:
            if colour is not None:
                problems.append("closing tag [/%s] with a colour" % kind)
            elif not stack:
                problems.append("[/%s] without an opening tag" % kind)
            elif stack[-1] != kind:
                problems.append("[/%s] closes [%s=...]" % (kind, stack[-1]))
                stack.pop()
            else:
                stack.pop()
        else:
            if colour is None:
                problems.append("[%s] without a colour (write [%s=RRGGBB])" % (kind, kind))
            else:
                stack.append(kind)
    rest = text[pos:]
    if "[" in rest or "]" in rest:
        problems.append("square bracket that is not a [c=RRGGBB]/[b=RRGGBB]/[/c]/[/b] tag")
    for kind in reversed(stack):
        problems.append("[%s=...] is never closed" % kind)
    return problems


def text_problems(text, key):
    """Problems of one text apart from the comparison with English."""
    problems = []
    if not text.strip():
        return ["empty text"]
    if text != text.strip():
        problems.append("leading or trailing white space")
    if "\r" in text or ("\n" in text and key not in PARAGRAPH_KEYS):
        problems.append("line break (keep texts on one line; labels wrap)")
    if "\n\n\n" in text:
        problems.append("more than one empty line between paragraphs")
    if "\\" in text:
        problems.append("backslash (no escape sequences are interpreted)")
    if "{" in text or "}" in text:
        problems.append("brace (reserved for the composite-key notation)")
    try:
        placeholders(text)
    except ValueError as error:
        problems.append(str(error))
    problems.extend(markup_problems(text))
    return problems


def load_language(folder, errors):
    """Reads every *.xml file of a language folder. Returns ({key: (text, file)}, [file names])."""
    texts = {}
    files = sorted(f for f in os.listdir(folder) if f.endswith(".xml"))
    if not files:
        errors.append("%s: no *.xml files" % folder)
    for name in files:
        path = os.path.join(folder, name)
        try:
            root = ET.parse(path).getroot()
        except ET.ParseError as error:
            errors.append("%s: not well-formed XML: %s" % (path, error))
            continue
        if root.tag != "resources":
            errors.append("%s: root element is <%s>, expected <resources>" % (path, root.tag))
            continue
        if (root.text or "").strip():
            errors.append("%s: text directly inside <resources>" % path)
        for element in root:
            if (element.tail or "").strip():
                errors.append("%s: text between elements" % path)
            if element.tag != "string":
                errors.append("%s: unexpected element <%s>" % (path, element.tag))
                continue
            key = element.get("name")
            if not key:
                errors.append("%s: <string> without a name" % path)
                continue
            if key.startswith("gui."):
                errors.append("%s: key %s must be written without the 'gui.' prefix" % (path, key))
            if re.search(r"\s", key):
                errors.append("%s: key %r contains white space" % (path, key))
            if len(element):
                errors.append("%s: key %s has child elements (mark-up is written as [c=..] text)" % (path, key))
            text = "".join(element.itertext())
            if key in texts:
                errors.append("%s: key %s defined twice (also in %s)" % (path, key, texts[key][1]))
                continue
            texts[key] = (text, name)
    return texts, files


def load_required(path, errors):
    """Reads required_keys.txt. Returns an ordered list of (key without "gui.", count or None)."""
    required = []
    seen = {}
    with open(path, encoding="utf-8") as stream:
        for number, line in enumerate(stream, 1):
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            parts = line.split()
            where = "%s:%d" % (path, number)
            if not parts[0].startswith("gui.") or len(parts) > 2:
                errors.append("%s: expected 'gui.Key [count]', got %r" % (where, line))
                continue
            key = parts[0][len("gui."):]
            count = None
            if len(parts) == 2:
                if not parts[1].isdigit():
                    errors.append("%s: argument count %r is not a number" % (where, parts[1]))
                    continue
                count = int(parts[1])
            if key in seen and seen[key] != count:
                errors.append("%s: %s listed again with another argument count" % (where, parts[0]))
                continue
            seen[key] = count
            required.append((key, count))
    return required


def check(texts_dir, required_path, languages=LANGUAGES):
    """Runs every check; returns the list of problems (empty when all pass)."""
    errors = []
    data = {}
    files = {}
    for lang in languages:
        folder = os.path.join(texts_dir, lang)
        if not os.path.isdir(folder):
            errors.append("language folder missing: %s" % folder)
            continue
        data[lang], files[lang] = load_language(folder, errors)

    if REFERENCE not in data:
        errors.append("reference language %s missing; nothing else can be compared" % REFERENCE)
        return errors
    reference = data[REFERENCE]

    for lang, texts in data.items():
        if files[lang] != files[REFERENCE]:
            errors.append("%s: files %s differ from %s's %s" % (lang, files[lang], REFERENCE, files[REFERENCE]))
        missing = [k for k in reference if k not in texts]
        extra = [k for k in texts if k not in reference]
        for key in missing:
            errors.append("%s: key %s missing (present in %s)" % (lang, key, REFERENCE))
        for key in extra:
            errors.append("%s: key %s is not in %s" % (lang, key, REFERENCE))
        for key, (text, name) in texts.items():
            where = "%s/%s: %s" % (lang, name, key)
            for problem in text_problems(text, key):
                errors.append("%s: %s" % (where, problem))
            if key in reference and lang != REFERENCE:
                try:
                    mine, theirs = placeholders(text), placeholders(reference[key][0])
                except ValueError:
                    continue  # already reported
                if mine != theirs:
                    errors.append("%s: placeholders %s differ from %s's %s" % (where, mine, REFERENCE, theirs))

    if required_path:
        for key, count in load_required(required_path, errors):
            if key not in reference:
                errors.append("required key gui.%s missing from %s" % (key, REFERENCE))
                continue
            if count is None:
                continue
            for lang, texts in data.items():
                if key not in texts:
                    continue
                try:
                    found = placeholders(texts[key][0])
                except ValueError:
                    continue
                if found.count("%s") != count or len(found) != count:
                    errors.append("%s: gui.%s needs exactly %d %%s placeholder(s), the text has %s"
                                  % (lang, key, count, found or "none"))
    return errors


def main(argv=None):
    here = os.path.dirname(os.path.abspath(__file__))
    default_texts = os.path.normpath(os.path.join(here, "..", "..", "data", "gui", "texts"))
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--texts", default=default_texts, help="folder holding one folder per language")
    parser.add_argument("--required", default=os.path.join(here, "required_keys.txt"),
                        help="list of required keys ('' to skip)")
    args = parser.parse_args(argv)
    errors = check(args.texts, args.required)
    for error in errors:
        print("FAIL " + error)
    if errors:
        print("%d problem(s) in %s" % (len(errors), args.texts))
        return 1
    counts = []
    for lang in LANGUAGES:
        folder = os.path.join(args.texts, lang)
        keys = sum(len(ET.parse(os.path.join(folder, f)).getroot()) for f in os.listdir(folder) if f.endswith(".xml"))
        counts.append("%s %d" % (lang, keys))
    print("texts OK: " + ", ".join(counts))
    return 0


if __name__ == "__main__":
    sys.exit(main())
