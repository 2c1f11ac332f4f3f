"""Whole runs of the built program, natively and under wine.

A target is one build of the program: the native Linux one, or a Windows
one run by wine. Each test copies the program beside its side files into a
scratch directory, runs it on a scratch setup directory, and compares files,
standard output, standard error and exit status byte for byte. What differs
between the platforms (line ends, how paths are spelt, the module name, the
code page of the failure report) is the target's to say.
"""

import os
import re
import shutil
import stat
import subprocess
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLE = os.path.join(HERE, "..", "..", "sample")

BANNER = [
    "MassStorage driver deleter v1.0.0.2",
    "Written by the Vornix developers",
    "Made on the Internet, 2026",
    "",
]
WORK_DONE = [
    "Delete 3rd party MSST drivers...",
    "Done...",
    "Restore stok replaced/deleted MSST drivers...",
    "Done...",
]
PAUSE = ["", "Hit <Enter> to exit"]
USAGE = [
    "Usage: Vornix <I386_DIR>  [-Q]",
    "",
    "I386_DIR dir - I386 source dir to MassStorage driver integration",
    "-Q (optional) - batch mode - no wait user input",
    "",
    "For more info see readme.txt (to future...)",
]


def stop_screen(message):
    return [message, "", "Process stopped."]


class Target:
    """The native Linux program."""

    name = "native"
    line_end = b"\n"
    module = "vornix"
    executable_name = "vornix"
    # A build run under a sanitizer or valgrind cannot take an address-space
    # limit or run in a bare root of its own.
    instrumented = False

    def __init__(self, executable):
        self.executable = os.path.abspath(executable)

    def command(self, program, args):
        return [program] + list(args)

    def environment(self, extra):
        env = dict(os.environ)
        env.pop("LANG", None)
        env["LC_ALL"] = "C"
        env.update(extra)
        return env

    def path(self, unix_path):
        """A path as the program is given it and names it in messages."""
        return unix_path

    def encode_report(self, text):
        return text.encode("utf-8")

    def system_text(self, posix_text):
        """The system's text for an error, as a pattern."""
        return re.escape(posix_text)

    def screen(self, lines):
        return b"".join(line.encode("ascii") + self.line_end for line in lines)

    def start(self):
        pass

    def stop(self):
        pass


class SanitizedTarget(Target):
    """The native program built with AddressSanitizer and UBSan."""

    name = "sanitized"
    instrumented = True


class ValgrindTarget(Target):
    """The native program run under valgrind's memcheck: any error it finds
    fails the run with status 99."""

    name = "valgrind"
    instrumented = True

    def command(self, program, args):
        return ["valgrind", "-q", "--error-exitcode=99", "--leak-check=full",
                "--errors-for-leak-kinds=definite", program] + list(args)


class WineTarget(Target):
    """A Windows build, run by wine in a prefix of its own."""

    module = "vornix.exe"
    executable_name = "vornix.exe"
    line_end = b"\r\n"
    ansi, oem = "cp1252", "cp437"  # what wine takes for LANG=C

    def __init__(self, name, executable):
        super().__init__(executable)
        self.name = name
        self.prefix = None

    def command(self, program, args):
        return ["wine", program] + list(args)

    def environment(self, extra):
        env = dict(os.environ)
        env.update({"WINEPREFIX": self.prefix, "WINEDEBUG": "-all", "LANG": "C"})
        env.pop("LC_ALL", None)
        env.update(extra)
        return env

    def path(self, unix_path):
        return "Z:" + unix_path.replace("/", "\\")

    def encode_report(self, text):
        # The report is held in the ANSI code page and written in the OEM one.
        return text.encode(self.ansi, "replace").decode(self.ansi).encode(self.oem, "replace")

    def system_text(self, posix_text):
        return r"[^\r\n]*"  # wine's texts are its own

    def start(self):
        # A fresh prefix per run, and a server started with its streams
        # detached, or the first captured run's pipes stay open.
        self.prefix = tempfile.mkdtemp(prefix="vornix-wine-")
        subprocess.run("(wineserver -p; wine cmd /c exit) </dev/null >/dev/null 2>&1",
                       shell=True, env=self.environment({}), check=False)

    def stop(self):
        subprocess.run(["wineserver", "-k"], env=self.environment({}), check=False,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        shutil.rmtree(self.prefix, ignore_errors=True)


def targets_from_environment():
    """VORNIX_TARGETS: name=path entries separated by ';', the names native,
    sanitized, valgrind, or wine32 and wine64 for the Windows builds."""
    kinds = {"native": Target, "sanitized": SanitizedTarget, "valgrind": ValgrindTarget}
    targets = []
    for entry in filter(None, os.environ.get("VORNIX_TARGETS", "").split(";")):
        name, _, path = entry.partition("=")
        targets.append(kinds[name](path) if name in kinds else WineTarget(name, path))
    return targets


class Result:
    def __init__(self, completed):
        self.status = completed.returncode
        self.stdout = completed.stdout
        self.stderr = completed.stderr


class Scratch:
    """A tool directory (program and side files) and a setup directory."""

    def __init__(self, target, root=None):
        self.target = target
        self.root = tempfile.mkdtemp(prefix="vornix-e2e-", dir=root)
        self.tool = os.path.join(self.root, "tool")
        self.setup = os.path.join(self.root, "I386")
        os.makedirs(self.tool)
        os.makedirs(self.setup)
        self.program = os.path.join(self.tool, target.executable_name)
        shutil.copy(target.executable, self.program)

    def cleanup(self):
        subprocess.run(["chmod", "-R", "u+rwx", self.root], check=False)
        shutil.rmtree(self.root, ignore_errors=True)

    def write(self, relative, data):
        path = os.path.join(self.root, relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
        return path

    def read(self, relative):
        with open(os.path.join(self.root, relative), "rb") as f:
            return f.read()

    def snapshot(self):
        """Every entry below the scratch root but the program: a file with
        its bytes, anything else with its kind and mode."""
        files = {}
        for directory, subdirectories, names in os.walk(self.root):
            for name in names + subdirectories:
                path = os.path.join(directory, name)
                status = os.lstat(path)
                key = os.path.relpath(path, self.root)
                if path == self.program:
                    continue
                if stat.S_ISREG(status.st_mode) and status.st_size > (256 << 20):
                    files[key] = ("large file", status.st_size, status.st_mtime_ns)
                elif stat.S_ISREG(status.st_mode):
                    with open(path, "rb") as f:
                        files[key] = f.read()
                else:
                    files[key] = (stat.S_IFMT(status.st_mode), status.st_mode & 0o7777)
        return files

    def run(self, *args, stdin=b"", stdout=subprocess.PIPE, cwd=None, env=None,
            timeout=120, program=None, preexec_fn=None):
        """Runs the program. `stdin` is bytes, or a file object or DEVNULL."""
        target = self.target
        feed = stdin if isinstance(stdin, (bytes, bytearray)) else None
        completed = subprocess.run(
            target.command(program or self.program, args),
            input=feed, stdin=None if feed is not None else stdin,
            stdout=stdout, stderr=subprocess.PIPE, cwd=cwd or self.root,
            env=target.environment(env or {}), timeout=timeout,
            preexec_fn=preexec_fn)
        return Result(completed)


def crlf(*lines):
    return b"".join(line + b"\r\n" for line in lines)


class TargetTestCase(unittest.TestCase):
    """A test that runs once for every target given."""

    target = None

    def setUp(self):
        self.scratch = Scratch(self.target)

    def tearDown(self):
        self.scratch.cleanup()

    def assertScreen(self, result, lines, status=0):
        self.assertEqual(result.stdout, self.target.screen(lines))
        self.assertEqual(result.stderr, b"")
        self.assertEqual(result.status, status)

    def assertReport(self, result, class_name, message_pattern, lines_before):
        """Exit status 1, the progress text on standard output, and the three
        report lines on standard error."""
        target = self.target
        self.assertEqual(result.stdout, target.screen(lines_before))
        self.assertEqual(result.status, 1, result.stderr)
        header = target.encode_report(
            "Исключительная ситуация %s в модуле %s по адресу " % (class_name, target.module))
        end = re.escape(target.line_end)
        pattern = (re.escape(header) + b"[0-9A-F]{8}\\." + end + message_pattern + end + end)
        self.assertRegex(result.stderr, b"^" + pattern + b"$")

    def message(self, text, *system_parts):
        """A report message as a pattern: the Russian text in the report's
        code page, with the system texts in place of their markers."""
        pieces = text.split("{system}")
        pattern = re.escape(self.target.encode_report(pieces[0]))
        for piece, system in zip(pieces[1:], system_parts):
            pattern += self.target.system_text(system).encode() + re.escape(
                self.target.encode_report(piece))
        return pattern


def load_tests_for_targets(loader, module_globals, targets):
    """Makes one concrete test class per target and test class."""
    suite = unittest.TestSuite()
    for target in targets:
        for value in list(module_globals.values()):
            if (isinstance(value, type) and issubclass(value, TargetTestCase)
                    and value is not TargetTestCase and not value.__name__.startswith("_")):
                if not getattr(value, "applies_to", lambda t: True)(target):
                    continue
                concrete = type("%s[%s]" % (value.__name__, target.name), (value,),
                                {"target": target})
                suite.addTests(loader.loadTestsFromTestCase(concrete))
    return suite
