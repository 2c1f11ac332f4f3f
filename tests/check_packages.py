#!/usr/bin/env python3
"""Checks the release archives that cpack makes in the build directories.

    check_packages.py CPACK VERSION native=BUILD win32=BUILD win64=BUILD

Every archive is made afresh into a scratch directory and unpacked there.
Its file list must be exactly what ships, its files must be the ones in the
source tree and the build, and the program must do a complete run from the
unpacked folder on a copy of the sample source, the Windows programs under
wine (one prefix for all). A missing wine or archive fails the check.
"""

import os
import platform
import re
import shutil
import subprocess
import sys
import tarfile
import tempfile
import unittest
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
SAMPLE = os.path.join(ROOT, "sample")
SIDE_FILES = ["txtfiles.del", "dosnet.add", "txtsetup.add"]

sys.path.insert(0, os.path.join(HERE, "e2e"))
import harness  # noqa: E402
import reference  # noqa: E402


def read(path):
    with open(path, "rb") as f:
        return f.read()


def readme_batch_file():
    """The README's ```bat block as a batch file: CR LF after every line."""
    text = read(os.path.join(ROOT, "README.md")).decode("utf-8").replace("\r", "")
    block = re.search(r"^```bat\n(.*?)^```$", text, re.M | re.S)
    return block.group(1).replace("\n", "\r\n").encode("ascii")


class Archive:
    """One platform's archive: its name, how its program is run, what it holds."""

    def __init__(self, platform_name, build, version, target):
        self.platform = platform_name
        self.build = os.path.abspath(build)
        self.target = target
        self.windows = isinstance(target, harness.WineTarget)
        self.top = "vornix-%s-%s" % (version, platform_name)
        self.file_name = self.top + (".zip" if self.windows else ".tar.gz")
        self.program_name = "vornix.exe" if self.windows else "vornix"
        shipped = [self.program_name, "README.md", "LICENSE"] + SIDE_FILES
        if self.windows:
            shipped.append("remove-drivers.bat")
        self.expected_members = sorted(self.top + "/" + name for name in shipped)


class ArchiveTestCase(unittest.TestCase):
    """The checks of one archive; made concrete once per archive."""

    archive = None
    cpack = None
    scratch = None

    @classmethod
    def setUpClass(cls):
        a = cls.archive
        cls.work = os.path.join(cls.scratch, a.platform)
        packages = os.path.join(cls.work, "packages")
        done = subprocess.run([cls.cpack, "-B", packages], cwd=a.build,
                              stdin=subprocess.DEVNULL, capture_output=True, text=True)
        if done.returncode != 0:
            raise AssertionError("cpack failed in %s:\n%s%s" % (a.build, done.stdout, done.stderr))
        made = sorted(n for n in os.listdir(packages) if n != "_CPack_Packages")
        if made != [a.file_name]:
            raise AssertionError("cpack in %s made %s, not %s" % (a.build, made, a.file_name))

        path = os.path.join(packages, a.file_name)
        cls.unpacked = os.path.join(cls.work, "unpacked")
        if a.windows:
            with zipfile.ZipFile(path) as z:
                cls.members = {i.filename: i for i in z.infolist()}
                cls.member_list = [i.filename for i in z.infolist()]
                cls.regular = {i.filename for i in z.infolist() if not i.is_dir()}
                z.extractall(cls.unpacked)
        else:
            with tarfile.open(path, "r:gz") as t:
                infos = t.getmembers()
                cls.members = {i.name: i for i in infos}
                cls.member_list = [i.name for i in infos]
                cls.regular = {i.name for i in infos if i.isreg()}
                extra = {"filter": "data"} if hasattr(tarfile, "data_filter") else {}
                t.extractall(cls.unpacked, **extra)
        cls.folder = os.path.join(cls.unpacked, a.top)

    def shipped(self, name):
        return read(os.path.join(self.folder, name))

    def test_holds_exactly_the_files_that_ship(self):
        a = self.archive
        self.assertEqual(sorted(self.member_list), a.expected_members)
        self.assertEqual(self.regular, set(a.expected_members))
        if not a.windows:
            program = self.members[a.top + "/" + a.program_name]
            self.assertEqual(program.mode & 0o111, 0o111, oct(program.mode))
            self.assertTrue(os.access(os.path.join(self.folder, a.program_name), os.X_OK))

    def test_files_are_those_of_the_build_and_the_source_tree(self):
        a = self.archive
        self.assertEqual(self.shipped(a.program_name),
                         read(os.path.join(a.build, a.program_name)))
        for name in ["README.md", "LICENSE"]:
            self.assertEqual(self.shipped(name), read(os.path.join(ROOT, name)), name)
        for name in SIDE_FILES:
            self.assertEqual(self.shipped(name), read(os.path.join(SAMPLE, "tool", name)), name)

    def sample_copy(self, name):
        setup = os.path.join(self.work, name, "I386")
        shutil.copytree(os.path.join(SAMPLE, "I386"), setup)
        return setup

    def assertSampleRewritten(self, setup):
        """The scripts as the unpacked side files make them from the sample's."""
        original = [read(os.path.join(SAMPLE, "I386", n)) for n in ["txtsetup.sif", "dosnet.inf"]]
        side = {n: self.shipped(n) for n in SIDE_FILES}
        expected = reference.expected_scripts(
            original[0], original[1], reference.split_lines(side["txtfiles.del"]),
            side["txtsetup.add"], side["dosnet.add"])
        written = tuple(read(os.path.join(setup, n)) for n in ["txtsetup.sif", "dosnet.inf"])
        self.assertEqual(written, expected)
        self.assertNotEqual(written[0], original[0])
        self.assertNotEqual(written[1], original[1])

    def test_complete_run_on_the_sample(self):
        t = self.archive.target
        setup = self.sample_copy("run")
        done = subprocess.run(
            t.command(os.path.join(self.folder, self.archive.program_name), [t.path(setup), "-Q"]),
            cwd=self.work, env=t.environment({}), stdin=subprocess.DEVNULL,
            capture_output=True, timeout=120)
        self.assertEqual((done.returncode, done.stderr), (0, b""))
        self.assertEqual(done.stdout, t.screen(harness.BANNER + harness.WORK_DONE))
        self.assertSampleRewritten(setup)


class WindowsArchiveTestCase(ArchiveTestCase):
    """The Windows archives also ship the README's batch file."""

    def test_batch_file_is_the_readmes(self):
        batch = self.shipped("remove-drivers.bat")
        self.assertEqual(batch, readme_batch_file())
        self.assertTrue(batch.startswith(b"@echo off\r\n"))
        self.assertNotIn(b"\n", batch.replace(b"\r\n", b""))

    def test_batch_file_runs_the_program_beside_it(self):
        t = self.archive.target
        setup = self.sample_copy("batch")
        batch = t.path(os.path.join(self.folder, "remove-drivers.bat"))
        done = subprocess.run(["wine", "cmd", "/c", batch, t.path(setup)],
                              cwd=self.work, env=t.environment({}), stdin=subprocess.DEVNULL,
                              capture_output=True, timeout=120)
        self.assertEqual((done.returncode, done.stderr), (0, b""))
        self.assertEqual(done.stdout, t.screen(harness.BANNER + harness.WORK_DONE + [
            "Drivers removed from %s." % t.path(setup)]))
        self.assertSampleRewritten(setup)


def main(argv):
    if len(argv) < 4:
        print("usage: check_packages.py CPACK VERSION native=BUILD [win32=BUILD] [win64=BUILD]")
        return 2
    cpack, version = argv[1], argv[2]
    wine = harness.WineTarget("wine", "")
    archives = []
    for entry in argv[3:]:
        name, _, build = entry.partition("=")
        if not os.path.isdir(build):
            print("missing build directory for %s: %r" % (name, build))
            return 1
        if name == "native":
            archives.append(Archive("linux-" + platform.machine().lower(), build, version,
                                    harness.Target("")))
        elif name in ("win32", "win64"):
            archives.append(Archive(name, build, version, wine))
        else:
            print("unknown platform: %s" % name)
            return 2
    windows = any(a.windows for a in archives)
    if windows and shutil.which("wine") is None:
        print("wine is not installed: the Windows archives cannot be run")
        return 1

    scratch = tempfile.mkdtemp(prefix="vornix-packages-")
    suite = unittest.TestSuite()
    for a in archives:
        base = WindowsArchiveTestCase if a.windows else ArchiveTestCase
        concrete = type("Archive[%s]" % a.platform, (base,),
                        {"archive": a, "cpack": cpack, "scratch": scratch})
        suite.addTests(unittest.TestLoader().loadTestsFromTestCase(concrete))
    if windows:
        wine.start()
    try:
        result = unittest.TextTestRunner(verbosity=2, stream=sys.stdout).run(suite)
    finally:
        if windows:
            wine.stop()
        shutil.rmtree(scratch, ignore_errors=True)
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
