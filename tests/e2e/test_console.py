"""The console: redirected, closed and failing standard streams, the exit
pause, and the reports of failures that stop a run."""

import os
import re
import tempfile

from harness import BANNER, PAUSE, WORK_DONE, TargetTestCase, ValgrindTarget, WineTarget, crlf

TXTSETUP = b"[SCSI.Load]\r\nabc = abc.sys,4\r\nother = other.sys,4\r\n"
DOSNET = b"[Files]\r\nd1,abc.sys\r\nd1,other.sys\r\n"
REWRITTEN_DOSNET = crlf(b"[Files]", b"", b"d1,other.sys")


def is_wine(target):
    return isinstance(target, WineTarget)


class _Source(TargetTestCase):
    def setUp(self):
        super().setUp()
        self.scratch.write("I386/txtsetup.sif", TXTSETUP)
        self.scratch.write("I386/dosnet.inf", DOSNET)
        self.scratch.write("tool/txtfiles.del", b"abc\r\n")
        self.setup_dir = self.target.path(self.scratch.setup)
        self.before = self.scratch.snapshot()

    def io_error(self, native_text):
        """The message of a console failure: the platform's own code on wine."""
        if is_wine(self.target):
            return self.message("Ошибка ввода/вывода ") + rb"-?\d+\."
        return self.message(native_text + ".")

    def assertNothingWritten(self):
        self.assertEqual(self.scratch.snapshot(), self.before)


class Output(_Source):
    def test_output_to_a_file_holds_the_screen_bytes(self):
        with tempfile.TemporaryFile() as out:
            result = self.scratch.run(self.setup_dir, stdout=out, stdin=b"\n")
            out.seek(0)
            self.assertEqual(out.read(), self.target.screen(BANNER + WORK_DONE + PAUSE))
        self.assertEqual(result.status, 0)
        self.assertEqual(self.scratch.read("I386/dosnet.inf"), REWRITTEN_DOSNET)


class Input(_Source):
    def run_interactive(self, **kwargs):
        result = self.scratch.run(self.setup_dir, **kwargs)
        self.assertScreen(result, BANNER + WORK_DONE + PAUSE)

    def test_empty_input_and_null_device_return_at_once(self):
        self.run_interactive(stdin=b"")
        with open(os.devnull, "rb") as null:
            self.run_interactive(stdin=null)

    def test_a_line_with_a_lone_cr(self):
        self.run_interactive(stdin=b"abc\rdef\n")

    def test_input_from_a_file(self):
        with tempfile.TemporaryFile() as source:
            source.write(b"abc\x1adef\r\n")
            source.seek(0)
            self.run_interactive(stdin=source)


class NativeOnly(_Source):
    applies_to = staticmethod(lambda target: not is_wine(target)
                              and not isinstance(target, ValgrindTarget))

    def trace_writes(self, **kwargs):
        trace = os.path.join(self.scratch.root, "trace")
        self.scratch.run("-o", trace, "-e", "trace=write", "-e", "signal=none",
                         self.scratch.program, self.setup_dir, "-Q", program="strace", **kwargs)
        with open(trace) as f:
            return [int(n) for n in re.findall(r"^write\(1, .*\)\s+= (\d+)$", f.read(), re.M)]

    def test_redirected_output_leaves_in_blocks_of_128_bytes(self):
        sizes = self.trace_writes()
        total = len(self.target.screen(BANNER + WORK_DONE))
        self.assertEqual(sizes, [128] * (total // 128) + [total % 128])

    def test_a_terminal_gets_each_line_in_one_write(self):
        import pty
        leader, follower = pty.openpty()
        try:
            sizes = self.trace_writes(stdout=follower)
        finally:
            os.close(follower)
            os.close(leader)
        self.assertEqual(sizes, [len(line) + 1 for line in BANNER + WORK_DONE])
