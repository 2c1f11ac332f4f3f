"""The console: redirected, closed and failing standard streams, the exit
pause, and the reports of failures that stop a run."""

import os
import re
import resource
import stat
import subprocess
import tempfile

from harness import BANNER, PAUSE, WORK_DONE, TargetTestCase, WineTarget, crlf

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

    def test_full_device(self):
        with open("/dev/full", "wb") as full:
            result = self.scratch.run(self.setup_dir, "-Q", stdout=full)
        self.assertEqual(result.stdout, None)
        result.stdout = b""
        self.assertReport(result, "EInOutError", self.io_error("Диск полон"), [])
        self.assertNothingWritten()

    def test_closed_output(self):
        result = self.scratch.run(self.setup_dir, "-Q", stdout=None,
                                  preexec_fn=lambda: os.close(1))
        result.stdout = b""
        self.assertReport(result, "EInOutError", self.io_error("Ошибка ввода/вывода 105"), [])
        self.assertNothingWritten()

    def test_closed_pipe(self):
        # The run stops at the line during which the first block of 128
        # bytes fills, before anything is saved.
        read_end, write_end = os.pipe()
        os.close(read_end)
        try:
            result = self.scratch.run(self.setup_dir, "-Q", stdout=write_end)
        finally:
            os.close(write_end)
        result.stdout = b""
        self.assertReport(result, "EInOutError", self.io_error("Ошибка ввода/вывода 32"), [])
        self.assertNothingWritten()


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

    def test_closed_input_is_reported_after_the_pause(self):
        result = self.scratch.run(self.setup_dir, stdin=None, preexec_fn=lambda: os.close(0))
        self.assertReport(result, "EInOutError", self.io_error("Ошибка ввода/вывода 104"),
                          BANNER + WORK_DONE + PAUSE)
        self.assertEqual(self.scratch.read("I386/dosnet.inf"), REWRITTEN_DOSNET)


class Failures(_Source):
    def test_dosnet_that_cannot_be_opened(self):
        path = os.path.join(self.scratch.setup, "dosnet.inf")
        if is_wine(self.target):
            holder = self.hold_open(path)
        elif os.geteuid() == 0:
            # Root opens any file; a FIFO in the script's place is refused.
            os.remove(path)
            os.mkfifo(path)
            self.before = self.scratch.snapshot()
        else:
            os.chmod(path, 0)
        result = self.scratch.run(self.setup_dir, "-Q")
        system = "Permission denied" if os.geteuid() else "Invalid argument"
        self.assertReport(result, "EFOpenError", self.message(
            'Не могу открыть файл "%s". {system}.' % self.target.path(path), system), BANNER)
        if is_wine(self.target):
            holder.communicate(b"")
        self.assertNothingWritten()

    def hold_open(self, path):
        helper = os.path.join(os.path.dirname(self.target.executable), "hold_file.exe")
        holder = subprocess.Popen(self.target.command(helper, [self.target.path(path)]),
                                  stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                  env=self.target.environment({}))
        self.assertEqual(holder.stdout.readline().strip(), b"held")
        return holder


class NativeOnly(_Source):
    applies_to = staticmethod(lambda target: not is_wine(target))

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

    def test_exhausted_memory_is_reported(self):
        self.scratch.write("I386/txtsetup.sif", b"x" * (64 << 20))
        self.before = self.scratch.snapshot()
        limit = 48 << 20

        def cap_memory():
            resource.setrlimit(resource.RLIMIT_AS, (limit, limit))

        result = self.scratch.run(self.setup_dir, "-Q", preexec_fn=cap_memory)
        self.assertReport(result, "EOutOfMemory", self.message("Не хватает памяти."), BANNER)
        self.assertNothingWritten()
        del self.before
