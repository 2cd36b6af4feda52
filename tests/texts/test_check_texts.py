#!/usr/bin/env python3
"""Self-test of check_texts.py: each broken fixture must be reported, a sound one must pass."""
import os
import shutil
import sys
import tempfile
import unittest

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_texts  # noqa: E402

LANGS = ["en", "cs"]
HEADER = '<?xml version="1.0" encoding="utf-8"?>\n<resources>\n'


def write(folder, lang, name, body):
    os.makedirs(os.path.join(folder, lang), exist_ok=True)
    with open(os.path.join(folder, lang, name), "w", encoding="utf-8") as stream:
        stream.write(body)


def resources(pairs):
    return HEADER + "".join('    <string name="%s">%s</string>\n' % p for p in pairs) + "</resources>\n"


class CheckTexts(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp()
        self.required = os.path.join(self.dir, "required.txt")
        with open(self.required, "w", encoding="utf-8") as stream:
            stream.write("# comment\ngui.Drink 1   # trailing comment\ngui.Title\n")
        self.good = {
            "en": [("Drink", "Drink %s!"), ("Title", "[c=FFC400]Swig[/c]gard &amp; co")],
            "cs": [("Drink", "Napij se %s×!"), ("Title", "[c=FFC400]Swig[/c]gard a spol.")],
        }

    def tearDown(self):
        shutil.rmtree(self.dir)

    def run_check(self, texts=None, files=None):
        texts = texts or self.good
        for lang in LANGS:
            write(self.dir, lang, "a.xml", (files or {}).get(lang) or resources(texts[lang]))
        return check_texts.check(self.dir, self.required, LANGS)

    def assertReported(self, errors, fragment):
        self.assertTrue(any(fragment in e for e in errors), "%r not in %r" % (fragment, errors))

    def with_cs(self, key, text):
        texts = {lang: list(pairs) for lang, pairs in self.good.items()}
        texts["cs"] = [(k, text if k == key else v) for k, v in texts["cs"]]
        return texts

    def test_sound_fixture_passes(self):
        self.assertEqual(self.run_check(), [])

    def test_malformed_xml(self):
        self.assertReported(self.run_check(files={"cs": HEADER + "<string name='Drink'>x</resources>"}),
                            "not well-formed")

    def test_missing_and_extra_key(self):
        texts = dict(self.good)
        texts["cs"] = [("Drink", "Napij se %s×!"), ("Other", "navíc")]
        errors = self.run_check(texts)
        self.assertReported(errors, "cs: key Title missing")
        self.assertReported(errors, "cs: key Other is not in en")

    def test_placeholder_count(self):
        self.assertReported(self.run_check(self.with_cs("Drink", "Napij se!")), "placeholders")

    def test_placeholder_kind(self):
        self.assertReported(self.run_check(self.with_cs("Drink", "Napij se %d×!")), "placeholders")

    def test_stray_percent(self):
        self.assertReported(self.run_check(self.with_cs("Title", "100 % zábava")), "stray")
        self.assertReported(self.run_check(self.with_cs("Title", "100 %% zábava")), "literal percent")

    def test_required_key_missing(self):
        with open(self.required, "a", encoding="utf-8") as stream:
            stream.write("gui.Nowhere 0\n")
        self.assertReported(self.run_check(), "gui.Nowhere missing")

    def test_required_argument_count(self):
        with open(self.required, "w", encoding="utf-8") as stream:
            stream.write("gui.Drink 2\n")
        self.assertReported(self.run_check(), "needs exactly 2")

    def test_empty_text(self):
        self.assertReported(self.run_check(self.with_cs("Title", "  ")), "empty text")

    def test_unbalanced_markup(self):
        self.assertReported(self.run_check(self.with_cs("Title", "[c=FFC400]Swig")), "never closed")
        self.assertReported(self.run_check(self.with_cs("Title", "Swig[/b]")), "without an opening")
        self.assertReported(self.run_check(self.with_cs("Title", "[c=FFC400][b=000000]x[/c][/b]")), "closes")
        self.assertReported(self.run_check(self.with_cs("Title", "[c]x[/c]")), "without a colour")
        self.assertReported(self.run_check(self.with_cs("Title", "a [note] b")), "square bracket")

    def test_duplicate_key(self):
        files = {"cs": resources([("Drink", "Napij se %s×!"), ("Drink", "znovu %s"), ("Title", "x")])}
        self.assertReported(self.run_check(files=files), "defined twice")

    def test_escapes_braces_and_prefix(self):
        self.assertReported(self.run_check(self.with_cs("Title", "a\\nb")), "backslash")
        self.assertReported(self.run_check(self.with_cs("Title", "{x}")), "brace")
        files = {"cs": resources([("gui.Drink", "%s"), ("Title", "x")])}
        self.assertReported(self.run_check(files=files), "without the 'gui.' prefix")

    def test_different_file_names(self):
        self.run_check()
        write(self.dir, "cs", "b.xml", resources([]))
        self.assertReported(check_texts.check(self.dir, self.required, LANGS), "files")


if __name__ == "__main__":
    unittest.main()
