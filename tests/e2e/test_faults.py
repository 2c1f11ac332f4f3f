"""The fault table: whole runs on a scratch source under every fault we
can make, each checked afterwards for the three things that must hold.

1. Every script is byte-identical to before (a failed or stopped run), or
   exactly what the removal rules give (a run that succeeds), or, where a
   failure comes after the first save, the first script new and the second
   old.
2. No file is left behind: the directories hold the same entries as before.
3. The exit status and the failure report are honest: status 1 with the
   report of the failure that happened, or status 0 and the normal screen.
"""

import os
import re
import resource
import shutil
import subprocess

from harness import BANNER, PAUSE, WORK_DONE, TargetTestCase, WineTarget, crlf, stop_screen
import reference

TXTSETUP = crlf(b"[SourceDisksFiles]", b"abc.sys = 1,,,,,,4_,4,1", b"x.sys = 1",
                b"[SCSI.Load]", b"abc = abc.sys,4", b"x = x.sys,4") + b"\x1a"
DOSNET = crlf(b"[Files]", b"d1,abc.sys", b"d1,x.sys")
NAMES = crlf(b"abc")


class Succeeds:
    """Status 0, the normal screen, the scripts as the rules make them."""

    def __init__(self, lines=BANNER + WORK_DONE):
        self.lines = lines


class Stops:
    """Status 0 and a stop screen; nothing is written."""

    def __init__(self, message):
        self.lines = BANNER + stop_screen(message)


class Fails:
    """Status 1 and the report; nothing written but the files in `saved`."""

    def __init__(self, class_name, message, printed, saved=()):
        self.class_name, self.message, self.printed, self.saved = class_name, message, printed, saved


class Fault:
    """One row: how to make the fault, and what must come of it."""

    def __init__(self, name, outcome, prepare=None, native=True, wine=True, root=False,
                 instrumented=True):
        self.name, self.outcome, self.prepare = name, outcome, prepare
        self.native, self.wine, self.root = native, wine, root
        self.instrumented = instrumented


def io_error(native_text):
    # wine hands over its own error codes for the console's failures.
    return lambda case: (case.message("Ошибка ввода/вывода ") + rb"-?\d+\." if case.wine
                         else case.message(native_text + "."))


def file_message(template, relative, native_system):
    def pattern(case):
        return case.message(template % case.target.path(os.path.join(case.run_root, relative)),
                            native_system(case) if callable(native_system) else native_system)
    return pattern


def plain(text):
    return lambda case: case.message(text)


# --- how each fault is made ---------------------------------------------------

def write(relative, data):
    return lambda case: case.scratch.write(relative, data)


def read_only(relative):
    return lambda case: os.chmod(os.path.join(case.scratch.root, relative), 0o444)


def read_only_directory(case):
    os.chmod(case.scratch.setup, 0o555)


def directory_instead(relative):
    def prepare(case):
        path = os.path.join(case.scratch.root, relative)
        os.remove(path)
        os.mkdir(path)
    return prepare


def dangling_link(relative):
    def prepare(case):
        path = os.path.join(case.scratch.root, relative)
        os.remove(path)
        os.symlink("gone", path)
    return prepare


def unreadable(relative):
    """Root opens any file: a FIFO is refused instead. On Windows another
    program holds the file open without sharing."""
    def prepare(case):
        path = os.path.join(case.scratch.root, relative)
        if case.wine:
            case.hold_open(path)
        elif os.geteuid() == 0:
            os.remove(path)
            os.mkfifo(path)
        else:
            os.chmod(path, 0)
    return prepare


def unreadable_system_text(case):
    return "Permission denied" if os.geteuid() else "Invalid argument"


def small_disk(txtsetup_big):
    def prepare(case):
        mount = os.path.join(case.scratch.root, "small")
        os.mkdir(mount)
        subprocess.run(["mount", "-t", "tmpfs", "-o", "size=64k", "tmpfs", mount], check=True)
        case.addCleanup(subprocess.run, ["umount", mount], check=False)
        big = b"".join(b"file%05d.sys = 1,,,,,,4_,4,1\r\n" % i for i in range(1500))
        case.scratch.write("small/txtsetup.sif", b"[SourceDisksFiles]\r\n" + (big if txtsetup_big else b"abc.sys = 1\r\n"))
        case.scratch.write("small/dosnet.inf", b"[Files]\r\n" + (b"d1,abc.sys\r\n" if txtsetup_big else big))
        case.use_setup("small")
    return prepare


def stdout_to(opener):
    def prepare(case):
        case.options["stdout"] = opener(case)
        case.printed_to_pipe = False
    return prepare


def closed_pipe(case):
    read_end, write_end = os.pipe()
    os.close(read_end)
    case.addCleanup(os.close, write_end)
    return write_end


def close_descriptor(fd):
    def prepare(case):
        case.options["preexec_fn"] = lambda: os.close(fd)
        if fd == 1:
            case.options["stdout"] = None
            case.printed_to_pipe = False
    return prepare


def interactive(case):
    case.args = [case.target.path(case.scratch.setup)]


def sparse(relative, size):
    def prepare(case):
        with open(os.path.join(case.scratch.root, relative), "r+b") as f:
            f.truncate(size)
    return prepare


def memory_limit(case):
    case.scratch.write("I386/txtsetup.sif", b"x" * (64 << 20))
    limit = 48 << 20
    case.options["preexec_fn"] = lambda: resource.setrlimit(resource.RLIMIT_AS, (limit, limit))


def in_directory(*parts):
    """The source moved to a directory of the given name parts."""
    def prepare(case):
        target = os.path.join(case.scratch.root, *parts)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        os.rename(case.scratch.setup, target)
        case.use_setup(os.path.join(*parts))
    return prepare


def relative_with_dots(case):
    case.options["cwd"] = case.scratch.tool
    separator = "\\" if case.wine else "/"
    case.args = [".." + separator + "tool" + separator + ".." + separator + "I386", "-Q"]


def drive_root(case):
    # A drive of its own whose root is the source directory.
    link = os.path.join(case.target.prefix, "dosdevices", "r:")
    if os.path.lexists(link):
        os.remove(link)
    os.symlink(case.scratch.setup, link)
    case.addCleanup(os.remove, link)
    case.args = ["R:\\", "-Q"]
    case.drive_root = True


def filesystem_root(case):
    # The source in "/" itself: the run happens in a root of its own, which
    # holds the program's libraries and no /proc.
    root = case.scratch.root
    listed = subprocess.run(["ldd", case.scratch.program], capture_output=True, text=True).stdout
    for library in re.findall(r"(/\S+) \(0x", listed):
        os.makedirs(root + os.path.dirname(library), exist_ok=True)
        shutil.copy(library, root + library)
    for name in ("txtsetup.sif", "dosnet.inf"):
        os.rename(os.path.join(case.scratch.setup, name), os.path.join(root, name))
    os.rmdir(case.scratch.setup)
    case.use_setup("")
    case.chroot = True


E2BIG = b"y" * (64 << 20)

FAULTS = [
    # Disks, permissions and odd entries.
    Fault("disk full writing the first script", Fails(
        "EWriteError", plain("Ошибка записи потока."), BANNER + WORK_DONE),
        small_disk(txtsetup_big=True), root=True),
    Fault("disk full writing the second script", Fails(
        "EWriteError", plain("Ошибка записи потока."), BANNER + WORK_DONE, saved=["txtsetup.sif"]),
        small_disk(txtsetup_big=False), root=True),
    Fault("read-only txtsetup.sif", Fails("EFCreateError", file_message(
        'Не могу создать файл "%s". {system}.', "I386/TXTSETUP.SIF", "Permission denied"),
        BANNER + WORK_DONE), read_only("I386/txtsetup.sif")),
    Fault("read-only dosnet.inf", Fails("EFCreateError", file_message(
        'Не могу создать файл "%s". {system}.', "I386/DOSNET.INF", "Permission denied"),
        BANNER + WORK_DONE, saved=["txtsetup.sif"]), read_only("I386/dosnet.inf")),
    Fault("read-only directory, run as root", Succeeds(), read_only_directory, root=True),
    Fault("missing directory", Stops("Unnable to open txtsetup.sif!"),
          lambda case: case.args.__setitem__(0, case.args[0] + "-missing")),
    Fault("txtsetup.sif is a directory", Stops("Unnable to open txtsetup.sif!"),
          directory_instead("I386/txtsetup.sif")),
    Fault("dosnet.inf is a dangling link", Stops("Unnable to open dosnet.inf!"),
          dangling_link("I386/dosnet.inf")),
    Fault("dosnet.inf cannot be opened", Fails("EFOpenError", file_message(
        'Не могу открыть файл "%s". {system}.', "I386/dosnet.inf", unreadable_system_text),
        BANNER), unreadable("I386/dosnet.inf")),
    Fault("txtfiles.del cannot be opened", Fails("EFOpenError", file_message(
        'Не могу открыть файл "%s". {system}.', "tool/txtfiles.del", unreadable_system_text),
        BANNER), unreadable("tool/txtfiles.del")),
    Fault("empty txtsetup.sif", Fails("EStringListError", plain(
        "Индекс списка вышел за границы (-1)."), BANNER), write("I386/txtsetup.sif", b"")),
    # The console.
    Fault("standard output closed", Fails("EInOutError", io_error("Ошибка ввода/вывода 105"), []),
          close_descriptor(1)),
    Fault("standard output a full device", Fails("EInOutError", io_error("Диск полон"), []),
          stdout_to(lambda case: open("/dev/full", "wb"))),
    Fault("standard output a closed pipe", Fails("EInOutError", io_error("Ошибка ввода/вывода 32"), []),
          stdout_to(closed_pipe)),
    Fault("standard input closed", Fails(
        "EInOutError", io_error("Ошибка ввода/вывода 104"), BANNER + WORK_DONE + PAUSE,
        saved=["txtsetup.sif", "dosnet.inf"]),
        lambda case: (interactive(case), close_descriptor(0)(case))),
    Fault("memory exhausted", Fails("EOutOfMemory", plain("Не хватает памяти."), BANNER),
          memory_limit, wine=False, instrumented=False),
    Fault("a script of 2 GiB", Fails("EOutOfMemory", plain("Не хватает памяти."), BANNER),
          sparse("I386/dosnet.inf", 2 << 30)),
    # What the files hold.
    Fault("UTF-16 txtsetup.sif", Fails("EFileFormatError", file_message(
        'Файл "%s" не является текстовым: нулевой байт по смещению {system}.', "I386/txtsetup.sif", "3"),
        BANNER), write("I386/txtsetup.sif", "[SCSI]\r\n".encode("utf-16"))),
    Fault("UTF-16 txtsetup.add", Fails("EFileFormatError", file_message(
        'Файл "%s" не является текстовым: нулевой байт по смещению {system}.', "tool/txtsetup.add", "1"),
        BANNER), write("tool/txtsetup.add", "x\r\n".encode("utf-16-le"))),
    Fault("NUL inside dosnet.inf", Fails("EFileFormatError", file_message(
        'Файл "%s" не является текстовым: нулевой байт по смещению {system}.', "I386/dosnet.inf", "10"),
        BANNER), write("I386/dosnet.inf", b"[Files]\r\nd\x001,abc.sys\r\n")),
    Fault("NUL padding at the end", Succeeds(), write("I386/dosnet.inf", DOSNET + b"\0" * 300)),
    Fault("0x1A in the middle and at the end", Succeeds(), write(
        "I386/txtsetup.sif", b"[SCSI.Load]\r\nx\x1ay = 1\r\nabc = abc.sys,4\r\nlast = 1\x1a\x1a\r\n")),
    Fault("a 64 MiB single line", Succeeds(), write("I386/dosnet.inf", DOSNET + E2BIG)),
    Fault("a million empty lines", Succeeds(), write("I386/txtsetup.sif", b"\r\n" * 10 ** 6)),
    Fault("bytes 0x80-0xFF and CP866 text", Succeeds(), write(
        "I386/txtsetup.sif", b"[Strings]\r\n" + bytes(range(0x80, 0x100)) + b"\r\n"
        + "Контроллер = \"Стандартный\"\r\n".encode("cp866") + TXTSETUP)),
    Fault("mixed line ends", Succeeds(), write(
        "I386/dosnet.inf", b"[Files]\rd1,abc.sys\n\rd1,x.sys\r\r\nlast")),
    # Where the source lies.
    Fault("a path with blanks", Succeeds(), in_directory("My Setup Disk", "I 3 8 6")),
    Fault("a path with bytes above 0x7F", Succeeds(), in_directory("\u00e9t\u00e9", "I386")),
    Fault("255-byte names", Succeeds(), in_directory("n" * 255, "d" * 255)),
    Fault("a path over 260 bytes", Succeeds(), in_directory(*["p" * 60] * 5, "I386")),
    Fault("a relative path with ..", Succeeds(), relative_with_dots),
    Fault("a drive root", Succeeds(), drive_root, native=False),
    Fault("the file system root", Succeeds(), filesystem_root, wine=False, root=True,
          instrumented=False),
]


class FaultTable(TargetTestCase):
    def setUp(self):
        super().setUp()
        self.wine = isinstance(self.target, WineTarget)
        s = self.scratch
        s.write("I386/txtsetup.sif", TXTSETUP)
        s.write("I386/dosnet.inf", DOSNET)
        s.write("tool/txtfiles.del", NAMES)
        s.write("tool/dosnet.add", b"d1,stock.sys\r\n")
        s.write("tool/txtsetup.add", b"[SCSI.Load]\r\nstock = stock.sys,4\r\n")

    # What a row's preparation may change.
    def use_setup(self, relative):
        self.setup_relative = relative
        self.run_root = self.scratch.root
        self.args = [self.target.path(os.path.join(self.scratch.root, relative)), "-Q"]

    def hold_open(self, path):
        helper = os.path.join(os.path.dirname(self.target.executable), "hold_file.exe")
        holder = subprocess.Popen(self.target.command(helper, [self.target.path(path)]),
                                  stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                  env=self.target.environment({}))
        self.assertEqual(holder.stdout.readline().strip(), b"held")
        self.addCleanup(holder.communicate, b"")

    def test_fault_table(self):
        rows = [f for f in FAULTS if (f.wine if self.wine else f.native)
                and (f.instrumented or not self.target.instrumented)]
        for fault in rows:
            with self.subTest(fault=fault.name):
                self.tearDown()
                self.setUp()
                if fault.root and os.geteuid() != 0:
                    print("\n  not run without root: %s" % fault.name)
                    continue
                self.run_row(fault)

    def run_row(self, fault):
        s = self.scratch
        self.options, self.printed_to_pipe, self.chroot = {}, True, False
        self.use_setup("I386")
        if fault.prepare:
            fault.prepare(self)
        outcome = fault.outcome
        saved = outcome.saved if isinstance(outcome, Fails) else (
            ["txtsetup.sif", "dosnet.inf"] if isinstance(outcome, Succeeds) else [])
        inputs = [s.read(os.path.join(self.setup_relative, name))
                  for name in ("txtsetup.sif", "dosnet.inf")] if saved else None
        before = s.snapshot()
        if self.chroot:
            result = s.run(s.root, "/tool/vornix", "/", "-Q", program="chroot", **self.options)
        else:
            result = s.run(*self.args, **self.options)
        if not self.printed_to_pipe:
            result.stdout = b""
        after = s.snapshot()
        self.assertEqual(sorted(after), sorted(before), "entries left behind or lost")

        if isinstance(outcome, Fails):
            printed = outcome.printed if self.printed_to_pipe else []
            self.assertReport(result, outcome.class_name, outcome.message(self), printed)
        else:
            self.assertScreen(result, outcome.lines)

        if saved:
            expected = reference.expected_scripts(
                inputs[0], inputs[1],
                reference.split_lines(s.read("tool/txtfiles.del")),
                s.read("tool/txtsetup.add"), s.read("tool/dosnet.add"))
        for index, name in enumerate(("txtsetup.sif", "dosnet.inf")):
            key = os.path.join(self.setup_relative, name)
            if name in saved:
                self.assertEqual(after[key], expected[index], name)
            else:
                self.assertEqual(after.get(key), before.get(key), name)
