"""Whole runs over the bundled sample and over real setup scripts: exactly
the lines that the rules name are blank, every other line keeps its bytes."""

import os
import shutil

from harness import SAMPLE, TargetTestCase, crlf
import reference

CORPUS = os.environ.get("VORNIX_CORPUS",
                        os.path.join(os.path.dirname(__file__), "..", "..", "..", "shared", "corpus"))
# Drivers that occur in the real scripts, some in several sections each,
# and "pci", which also occurs in the bus-extender headers.
NAMES = [b"aic78xx", b"iaStor", b"nvraid", b"usbstor", b"sbp2port", b"nvatabus",
         b"si3112r", b"viasraid", b"uniata", b"pci", b"AHCIX86"]
SOURCES = [
    ("xp-sp3-ru", "TXTSETUP.SIF", "DOSNET.INF"),
    ("xp-x64-nlite", "TXTSETUP.SIF", "DOSNET.INF"),
    ("minixp-hiren", "txtsetup.sif", None),
    ("reactos-0.4.13", "txtsetup.sif", None),
]


def read(path):
    with open(path, "rb") as f:
        return f.read()


class Sample(TargetTestCase):
    def test_sample_source(self):
        s = self.scratch
        shutil.rmtree(s.setup)
        shutil.copytree(os.path.join(SAMPLE, "I386"), s.setup)
        side = {name: read(os.path.join(SAMPLE, "tool", name))
                for name in ("txtfiles.del", "dosnet.add", "txtsetup.add")}
        for name, data in side.items():
            s.write("tool/" + name, data)
        txtsetup, dosnet = read(os.path.join(s.setup, "txtsetup.sif")), read(os.path.join(s.setup, "dosnet.inf"))
        self.assertEqual(s.run(self.target.path(s.setup), "-Q").status, 0)

        names = reference.split_lines(side["txtfiles.del"])
        expected = reference.expected_scripts(txtsetup, dosnet, names,
                                              side["txtsetup.add"], side["dosnet.add"])
        self.assertEqual(s.read("I386/txtsetup.sif"), expected[0])
        self.assertEqual(s.read("I386/dosnet.inf"), expected[1])
        # The lines worked out by hand from the rules, numbered from 1.
        blank_txtsetup = [81, 82, 83, *range(125, 135), 145, 146, 147, 155, 156, 157,
                          168, 211, 212, 213, 214]
        blank_dosnet = [47, 48, 49, 92, 105, 125]
        for original, written, blanks in ((txtsetup, expected[0], blank_txtsetup),
                                          (dosnet, expected[1], blank_dosnet)):
            before, after = reference.split_lines(original), reference.split_lines(written)
            if before[-1] == b"\x1a":
                before.pop()  # the end-of-file marker goes; the restore lines follow
            changed = [i + 1 for i, line in enumerate(before) if line != after[i]]
            self.assertEqual(changed, [n for n in blanks if before[n - 1]])


class Corpus(TargetTestCase):
    def test_real_scripts(self):
        if not os.path.isdir(CORPUS):
            self.skipTest("no corpus of real scripts at " + CORPUS)
        s = self.scratch
        s.write("tool/txtfiles.del", crlf(*NAMES))
        for folder, txtsetup_name, dosnet_name in SOURCES:
            with self.subTest(source=folder):
                txtsetup = read(os.path.join(CORPUS, folder, txtsetup_name))
                dosnet = (read(os.path.join(CORPUS, folder, dosnet_name)) if dosnet_name
                          else read(os.path.join(CORPUS, "xp-sp3-ru", "DOSNET.INF")))
                s.write("I386/txtsetup.sif", txtsetup)
                s.write("I386/dosnet.inf", dosnet)
                self.assertEqual(s.run(self.target.path(s.setup), "-Q").status, 0)
                expected = reference.expected_scripts(txtsetup, dosnet, NAMES)
                written = s.read("I386/txtsetup.sif"), s.read("I386/dosnet.inf")
                for name, want, got in zip(("txtsetup", "dosnet"), expected, written):
                    self.assertEqual(got.split(b"\r\n"), want.split(b"\r\n"), name)
                blanked = sum(1 for a, b in zip(reference.split_lines(txtsetup),
                                                reference.split_lines(written[0])) if a != b)
                self.assertGreater(blanked, 0, "the names must occur in " + folder)
