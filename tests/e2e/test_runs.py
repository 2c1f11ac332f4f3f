"""Whole runs: what a user sees and what ends up in the scripts."""

import os

from harness import (BANNER, PAUSE, USAGE, WORK_DONE, TargetTestCase, crlf,
                     stop_screen)

TXTSETUP = (b"[SourceDisksFiles]\nabc.sys = 1,,,,,,4_,4,1\nother.sys = 1\n"
            b"[SCSI.Load]\nabc = abc.sys,4\nother = other.sys,4\n"
            b"[files.abc]\nabc.sys,4\n[Strings]\nx = \"\xe4\"\n\x1a")
DOSNET = b"[Files]\r\nd1,abc.sys\r\nd1,other.sys\r\n"
EXPECTED_TXTSETUP = crlf(b"[SourceDisksFiles]", b"", b"other.sys = 1", b"[SCSI.Load]", b"",
                         b"other = other.sys,4", b"", b"", b"[Strings]", b"x = \"\xe4\"",
                         b"[SCSI.Load]", b"stock = stock.sys,4")
EXPECTED_DOSNET = crlf(b"[Files]", b"", b"d1,other.sys", b"d1,stock.sys")


class _Source(TargetTestCase):
    def setUp(self):
        super().setUp()
        s = self.scratch
        s.write("I386/txtsetup.sif", TXTSETUP)
        s.write("I386/dosnet.inf", DOSNET)
        s.write("tool/txtfiles.del", b"abc\r\n")
        s.write("tool/dosnet.add", b"d1,stock.sys\n")
        s.write("tool/txtsetup.add", b"[SCSI.Load]\r\nstock = stock.sys,4")

    def setup_arg(self, relative=""):
        return self.target.path(os.path.join(self.scratch.setup, relative)).rstrip("\\/") \
            if relative == "" else self.target.path(os.path.join(self.scratch.setup, relative))



class CompleteRun(_Source):
    def test_batch_run_rewrites_both_scripts_in_place(self):
        result = self.scratch.run(self.setup_arg(), "-Q")
        self.assertScreen(result, BANNER + WORK_DONE)
        files = self.scratch.snapshot()
        # The scripts keep their names; no temporary file is left.
        self.assertEqual(sorted(files), ["I386", "I386/dosnet.inf", "I386/txtsetup.sif",
                                         "tool", "tool/dosnet.add", "tool/txtfiles.del",
                                         "tool/txtsetup.add"])
        self.assertEqual(files["I386/txtsetup.sif"], EXPECTED_TXTSETUP)
        self.assertEqual(files["I386/dosnet.inf"], EXPECTED_DOSNET)

    def test_interactive_run_waits_for_one_line(self):
        result = self.scratch.run(self.setup_arg(), stdin=b"\r\n")
        self.assertScreen(result, BANNER + WORK_DONE + PAUSE)
        self.assertEqual(self.scratch.read("I386/dosnet.inf"), EXPECTED_DOSNET)

    def test_relative_directory_with_trailing_separator(self):
        separator = "\\" if self.target.line_end == b"\r\n" else "/"
        result = self.scratch.run("I386" + separator, "-q", cwd=self.scratch.root)
        self.assertScreen(result, BANNER + WORK_DONE)
        self.assertEqual(self.scratch.read("I386/txtsetup.sif"), EXPECTED_TXTSETUP)

    def test_without_side_files_the_scripts_are_only_rewritten(self):
        for name in ("txtfiles.del", "dosnet.add", "txtsetup.add"):
            os.remove(os.path.join(self.scratch.tool, name))
        self.assertScreen(self.scratch.run(self.setup_arg(), "-Q"), BANNER + WORK_DONE)
        self.assertEqual(self.scratch.read("I386/dosnet.inf"), DOSNET)
        self.assertEqual(self.scratch.read("I386/txtsetup.sif"),
                         TXTSETUP[:-2].replace(b"\n", b"\r\n") + b"\r\n")

    def test_a_second_run_appends_the_restore_lines_again(self):
        self.scratch.run(self.setup_arg(), "-Q")
        self.scratch.run(self.setup_arg(), "-Q")
        self.assertEqual(self.scratch.read("I386/dosnet.inf"),
                         EXPECTED_DOSNET + crlf(b"d1,stock.sys"))

    def test_upper_case_names_are_the_same_files(self):
        s = self.scratch
        for name in ("txtsetup.sif", "dosnet.inf"):
            os.rename(os.path.join(s.setup, name), os.path.join(s.setup, name.upper()))
        self.assertScreen(s.run(self.setup_arg(), "-Q"), BANNER + WORK_DONE)
        self.assertEqual(sorted(os.listdir(s.setup)), ["DOSNET.INF", "TXTSETUP.SIF"])
        self.assertEqual(s.read("I386/TXTSETUP.SIF"), EXPECTED_TXTSETUP)

    def test_blank_names_remove_nothing(self):
        self.scratch.write("tool/txtfiles.del", b"\r\n  \t\r\n\r\n")
        self.scratch.run(self.setup_arg(), "-Q")
        self.assertEqual(self.scratch.read("I386/dosnet.inf"),
                         DOSNET + crlf(b"d1,stock.sys"))


class Arguments(_Source):
    def test_no_argument_shows_usage_and_pauses(self):
        before = self.scratch.snapshot()
        self.assertScreen(self.scratch.run(), BANNER + USAGE + PAUSE)
        self.assertEqual(self.scratch.snapshot(), before)

    def test_a_lone_switch_is_also_the_directory(self):
        result = self.scratch.run("-q", cwd=self.scratch.setup)
        self.assertScreen(result, BANNER + stop_screen("Unnable to open txtsetup.sif!"))

    def test_only_the_last_argument_is_the_switch(self):
        result = self.scratch.run("-Q", self.setup_arg(), cwd=self.scratch.root)
        self.assertScreen(result, BANNER + stop_screen("Unnable to open txtsetup.sif!") + PAUSE)
        result = self.scratch.run(self.setup_arg(), "-Q", "more")
        self.assertScreen(result, BANNER + WORK_DONE + PAUSE)
