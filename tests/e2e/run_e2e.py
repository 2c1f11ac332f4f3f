#!/usr/bin/env python3
"""Whole runs of the built programs, for what only a process shows.

    run_e2e.py native=PATH sanitized=PATH valgrind=PATH wine32=PATH wine64=PATH [-k TEXT]

Each row of the table is one run on a scratch source, made to meet one
situation. Afterwards, on every target the row applies to: (1) every script
is as before, or exactly what the run makes of it, or, where a failure came
after the first save, the first new and the second old; (2) the scratch
directory holds the same entries as before; (3) the status and what is
printed are honest: 1 with the report of the failure that happened, or 0
and the screen. A target whose wine is missing fails.
"""
import os
import re
import resource
import shutil
import signal
import stat
import subprocess
import sys
import tempfile
import threading
import time


def crlf(*lines):
    return b"".join(line + b"\r\n" for line in lines)


BANNER = ["MassStorage driver deleter v1.0.0.2", "Written by the Vornix developers", "Made on the Internet, 2026", ""]
WORK_DONE = ["Delete 3rd party MSST drivers...", "Done...", "Restore stok replaced/deleted MSST drivers...", "Done..."]
PAUSE = ["", "Hit <Enter> to exit"]
TXTSETUP = crlf(b"[SourceDisksFiles]", b"abc.sys = 1,,,,,,4_,4,1", b"x.sys = 1", b"[SCSI.Load]", b"abc = abc.sys,4",
                b"x = x.sys,4") + b"\x1a"
DOSNET = crlf(b"[Files]", b"d1,abc.sys", b"d1,x.sys")
SOURCE = {"I386/txtsetup.sif": TXTSETUP, "I386/dosnet.inf": DOSNET, "tool/txtfiles.del": b"abc\r\n",
          "tool/dosnet.add": b"d1,stock.sys\r\n", "tool/txtsetup.add": b"[SCSI.Load]\r\nstock = stock.sys,4\r\n"}
ADDED = crlf(b"[SCSI.Load]", b"stock = stock.sys,4")
NEW = {"txtsetup": crlf(b"[SourceDisksFiles]", b"", b"x.sys = 1", b"[SCSI.Load]", b"", b"x = x.sys,4") + ADDED,
       "dosnet": crlf(b"[Files]", b"", b"d1,x.sys", b"d1,stock.sys")}


class Target:
    """One build: native (also sanitized, or under valgrind), or a Windows one
    run by wine in a prefix of its own; it says how paths are spelt, lines
    end and reports are encoded."""

    def __init__(self, entry):
        self.name, _, path = entry.partition("=")
        self.executable, self.wine = os.path.abspath(path), self.name.startswith("wine")
        self.instrumented = self.name in ("sanitized", "valgrind")
        self.exe, self.line_end = ("vornix.exe", b"\r\n") if self.wine else ("vornix", b"\n")

    def command(self, program, args):
        valgrind = ["valgrind", "-q", "--error-exitcode=99", "--leak-check=full", "--errors-for-leak-kinds=definite"]
        return ["wine"] * self.wine + valgrind * (self.name == "valgrind") + [program] + list(args)

    def environment(self, extra=()):
        env = {k: v for k, v in os.environ.items() if k not in ("LANG", "LC_ALL")}
        env.update({"WINEPREFIX": self.prefix, "WINEDEBUG": "-all", "LANG": "C"} if self.wine else {"LC_ALL": "C"})
        return dict(env, **dict(extra))

    def path(self, unix_path):
        return "Z:" + unix_path.replace("/", "\\") if self.wine else unix_path

    def encode(self, text):
        """Reports are held in the ANSI code page and written in the OEM one
        (wine's for LANG=C), or in UTF-8."""
        if not self.wine:
            return text.encode("utf-8")
        return text.encode("cp1252", "replace").decode("cp1252").encode("cp437", "replace")

    def screen(self, lines):
        return b"".join(line.encode("latin-1") + self.line_end for line in lines)

    def wineserver(self, start):
        if self.wine and start:  # with its streams detached, or captured pipes stay open
            self.prefix = tempfile.mkdtemp(prefix="vornix-wine-")
            subprocess.run("(wineserver -p; wine cmd /c exit) </dev/null >/dev/null 2>&1", shell=True,
                           env=self.environment())
        elif self.wine:
            subprocess.run(["wineserver", "-k"], env=self.environment(), capture_output=True)
            shutil.rmtree(self.prefix, ignore_errors=True)


class Outcome:
    """The screen (None: not looked at), the status, the report (class name and
    message; "checked": the row's check judges standard error) and the scripts
    saved, with what they then hold."""

    def __init__(self, lines, status=0, report=None, saved=(), **new):
        self.lines, self.status, self.report, self.saved, self.new = lines, status, report, saved, dict(NEW, **new)


def ok(lines=BANNER + WORK_DONE, **new):
    return Outcome(lines, 0, None, ("txtsetup", "dosnet"), **new)


def stops(message, *pause):
    return Outcome(BANNER + [message, "", "Process stopped."] + list(pause))


def fails(class_name, message, printed=BANNER, saved=(), **new):
    """`message`: the text, "{system}" where the system's own words stand, or
    a function of the case that gives the pattern."""
    return Outcome(printed, 1, (class_name, message), saved, **new)


class Case:
    """One row on one target: the scratch source and how the program runs."""

    def __init__(self, target):
        self.target, self.root = target, tempfile.mkdtemp(prefix="vornix-e2e-")
        self.setup, self.tool = os.path.join(self.root, "I386"), os.path.join(self.root, "tool")
        for relative, data in SOURCE.items():
            self.write(relative, data)
        self.program = os.path.join(self.tool, target.exe)
        shutil.copy(target.executable, self.program)
        self.scripts = {"txtsetup": "I386/txtsetup.sif", "dosnet": "I386/dosnet.inf"}
        self.args, self.command, self.stdin, self.stdout = [target.path(self.setup), "-Q"], None, b"", subprocess.PIPE
        self.module = re.escape(target.exe)  # a pattern
        self.cwd, self.env, self.preexec_fn = self.root, {}, None
        self.cleanups = [lambda: shutil.rmtree(self.root, ignore_errors=True),  # undone in reverse order
                         lambda: subprocess.run(["chmod", "-R", "u+rwx", self.root])]

    def write(self, relative, data):
        os.makedirs(os.path.dirname(os.path.join(self.root, relative)), exist_ok=True)
        with open(os.path.join(self.root, relative), "wb") as f:
            f.write(data)

    def snapshot(self):
        """Every entry but the program: a file with its bytes (a large one with
        its size and time), anything else with its mode, size and time."""
        entries = {}
        for directory, subdirectories, names in os.walk(self.root):
            for path in (os.path.join(directory, n) for n in names + subdirectories if n != self.target.exe):
                status, key = os.lstat(path), os.path.relpath(path, self.root)
                entries[key] = (status.st_mode, status.st_size, status.st_mtime_ns)
                if stat.S_ISREG(status.st_mode) and status.st_size <= (256 << 20):
                    with open(path, "rb") as f:
                        entries[key] = f.read()
        return entries

    def use_setup(self, relative):
        self.scripts = {k: os.path.join(relative, os.path.basename(v)) for k, v in self.scripts.items()}
        self.args[0] = self.target.path(os.path.join(self.root, relative))

    def pattern(self, text, *system):
        """A message as the report writes it; each {system} the system's words
        (wine's are its own: any), each {hex} an address."""
        pieces, system = re.split(r"(\{system\}|\{hex\})", text), list(system)
        found = b""
        for piece in pieces:
            if piece == "{hex}":
                found += b"[0-9A-F]{8,}"
            elif piece == "{system}":
                part = system.pop(0)
                found += rb"[^\r\n]*" if self.target.wine else re.escape(part.encode())
            else:
                found += re.escape(self.target.encode(piece))
        return found

    def run(self, row):
        for prepare in row.prepare:
            prepare(self)
        before, captured = self.snapshot(), self.stdout if isinstance(self.stdout, str) else None
        if captured:  # a file away from the source
            self.stdout = open(captured, "wb")
            self.cleanups += [self.stdout.close, lambda: os.remove(captured)]
        feed = self.stdin if isinstance(self.stdin, bytes) else None
        done = subprocess.run(self.command or self.target.command(self.program, self.args), input=feed,
                              stdin=None if feed is not None else self.stdin, stdout=self.stdout, stderr=subprocess.PIPE,
                              cwd=self.cwd, env=self.target.environment(self.env), timeout=120,
                              preexec_fn=self.preexec_fn)
        if captured:
            with open(captured, "rb") as f:
                done.stdout = f.read()
        after, o = self.snapshot(), row.outcome
        assert sorted(after) == sorted(before), "entries left behind or lost: %s" % (set(after) ^ set(before))
        if o.report and o.report != "checked":
            end = re.escape(self.target.line_end)
            header = re.escape(self.target.encode("Исключительная ситуация %s в модуле " % o.report[0]))
            header += self.module.encode() + re.escape(self.target.encode(" по адресу "))
            message = o.report[1](self) if callable(o.report[1]) else self.pattern(o.report[1])
            assert re.fullmatch(header + b"[0-9A-F]{8}\\." + end + message + end + end, done.stderr), done.stderr
        assert o.report or done.stderr == b"", done.stderr
        assert done.returncode == o.status, (done.returncode, done.stderr)
        assert o.lines is None or (done.stdout or b"") == self.target.screen(o.lines), done.stdout
        for key, relative in self.scripts.items():
            assert after[relative] == (o.new[key] if key in o.saved else before[relative]), (relative, after[relative])
        if row.check:
            row.check(self, done)


class Row:
    def __init__(self, name, outcome, *prepare, only=None, root=False, plain=False, check=None):
        """`only`: "native" or "wine"; `root`: needs root; `plain`: not for a
        build under a sanitizer or valgrind; `check`: one more check."""
        self.name, self.outcome, self.prepare, self.check = name, outcome, prepare, check
        self.only, self.root, self.plain = only, root, plain


# --- how each situation is made ------------------------------------------------

def setup_path(c):
    return c.target.path(c.setup)


def args(*values):
    return lambda c: setattr(c, "args", [v(c) if callable(v) else v for v in values])


def option(**values):
    return lambda c: c.__dict__.update(values)


def write(relative, data):
    return lambda c: c.write(relative, data)


def chmod(relative, mode):
    return lambda c: os.chmod(os.path.join(c.root, relative), mode)


def mode_kept(relative, mode):
    def check(c, done):
        found = os.stat(os.path.join(c.root, relative)).st_mode & 0o7777
        assert found == mode, oct(found)
    return check


def replace(relative, make):
    """The entry replaced by what `make(path)` makes: no longer a script."""
    def prepare(c):
        os.remove(os.path.join(c.root, relative))
        make(os.path.join(c.root, relative))
        c.scripts = {k: v for k, v in c.scripts.items() if v != relative}
    return prepare


def linked(c):
    """txtsetup.sif a link to real.sif."""
    os.rename(os.path.join(c.setup, "txtsetup.sif"), os.path.join(c.setup, "real.sif"))
    os.symlink("real.sif", os.path.join(c.setup, "txtsetup.sif"))
    c.scripts["txtsetup"] = "I386/real.sif"


def unreadable(relative):
    """Root opens any file: a FIFO is refused instead. On Windows another
    program holds the file open without sharing."""
    def prepare(c):
        if not c.target.wine:
            return replace(relative, os.mkfifo)(c)
        holder = subprocess.Popen(c.target.command(helper_path(c, "hold_file.exe"), [c.target.path(
            os.path.join(c.root, relative))]), stdin=subprocess.PIPE, stdout=subprocess.PIPE, env=c.target.environment())
        assert holder.stdout.readline().strip() == b"held"
        c.cleanups.append(lambda: holder.communicate(b""))
    return prepare


def small_disk(txtsetup_big):
    def prepare(c):
        os.mkdir(os.path.join(c.root, "small"))
        subprocess.run(["mount", "-t", "tmpfs", "-o", "size=64k", "tmpfs", os.path.join(c.root, "small")], check=True)
        c.cleanups.append(lambda: subprocess.run(["umount", os.path.join(c.root, "small")]))
        big = b"".join(b"file%05d.sys = 1,,,,,,4_,4,1\r\n" % i for i in range(1500))
        c.write("small/txtsetup.sif", b"[SourceDisksFiles]\r\n" + (big if txtsetup_big else b"abc.sys = 1\r\n"))
        c.write("small/dosnet.inf", b"[Files]\r\n" + (b"d1,abc.sys\r\n" if txtsetup_big else big))
        c.use_setup("small")
    return prepare


def closed_pipe(c):
    read_end, c.stdout = os.pipe()
    os.close(read_end)
    c.cleanups.append(lambda: os.close(c.stdout))


def in_directory(*parts):
    """The source moved to a directory of these name parts."""
    def prepare(c):
        os.makedirs(os.path.join(c.root, *parts[:-1]), exist_ok=True)
        os.rename(c.setup, os.path.join(c.root, *parts))
        c.use_setup(os.path.join(*parts))
    return prepare


def upper_case_names(c):
    for key, relative in c.scripts.items():
        c.scripts[key] = relative.upper()
        os.rename(os.path.join(c.root, relative), os.path.join(c.root, relative.upper()))


def drive_root(c):
    # A drive of its own whose root is the source directory.
    link = os.path.join(c.target.prefix, "dosdevices", "r:")
    if os.path.lexists(link):
        os.remove(link)
    os.symlink(c.setup, link)
    c.cleanups.append(lambda: os.remove(link))
    c.args[0] = "R:\\"


def filesystem_root(c):
    # The source in "/" of a root of its own, with the program's libraries.
    for library in re.findall(r"(/\S+) \(0x", subprocess.run(["ldd", c.program], capture_output=True, text=True).stdout):
        os.makedirs(c.root + os.path.dirname(library), exist_ok=True)
        shutil.copy(library, c.root + library)
    for key, relative in c.scripts.items():
        c.scripts[key] = os.path.basename(relative)
        os.rename(os.path.join(c.root, relative), os.path.join(c.root, c.scripts[key]))
    os.rmdir(c.setup)
    c.command = ["chroot", c.root, "/tool/vornix", "/", "-Q"]


def traced(c):
    """strace records the program's writes to standard output."""
    c.trace = tempfile.mktemp(prefix="vornix-trace-")
    c.cleanups.append(lambda: os.path.exists(c.trace) and os.remove(c.trace))
    c.command = ["strace", "-o", c.trace, "-e", "trace=write", "-e", "signal=none", c.program] + c.args


def writes_are(sizes):
    def check(c, done):
        with open(c.trace) as f:
            found = [int(n) for n in re.findall(r"^write\(1, .*\)\s+= (\d+)$", f.read(), re.M)]
        assert found == sizes(c), found
    return check


def on_a_terminal(c):
    import pty
    leader, c.stdout = pty.openpty()
    c.cleanups += [lambda: os.close(leader), lambda: os.close(c.stdout)]


def helper_path(c, name):
    """A test helper, or the batch file, as the Windows build makes them."""
    return os.path.join(os.path.dirname(c.target.executable), name)


def batch_file(c):
    """The README's remove-drivers.bat beside the program, run by cmd."""
    shutil.copy(helper_path(c, "remove-drivers.bat"), c.tool)
    c.command = ["wine", "cmd", "/c", c.target.path(os.path.join(c.tool, "remove-drivers.bat")), setup_path(c)]


def last_line(text):
    def check(c, done):
        assert done.stdout.endswith(text(c).encode() + b"\r\n"), done.stdout
    return check


def russian_report(c, done):
    address = done.stderr.split(b".\r\n")[0][-8:].decode("ascii", "replace")
    assert done.stderr == ("Исключительная ситуация EStringListError в модуле vornix.exe по адресу %s.\r\n"
                           "Индекс списка вышел за границы (-1).\r\n\r\n" % address).encode("cp866"), done.stderr


def io_error(native_text):
    # wine hands over its own error codes for the console's failures.
    return lambda c: (c.pattern("Ошибка ввода/вывода ") + rb"-?\d+\." if c.target.wine
                      else c.pattern(native_text + "."))


def file_message(template, relative, system):
    return lambda c: c.pattern(template % c.target.path(os.path.join(c.root, relative)),
                               system(c) if callable(system) else system)


def fault_helper(kind, *late):
    """The fault helper, built beside the program, faulting as `kind` says
    while a save's temporary file is noted."""
    def prepare(c):
        name = "fault_helper" + ".exe" * c.target.wine
        c.module = re.escape(name)
        c.command = c.target.command(helper_path(c, name), [kind, c.target.path(os.path.join(c.setup, "t.tmp"))]
                                     + list(late))
    return prepare


def runtime_error(number):
    def check(c, done):
        line = rb"Runtime error %3d at [0-9A-F]{8}" % number
        assert re.fullmatch(re.escape(c.target.screen(["before"])) + line + re.escape(c.target.line_end), done.stdout), \
            done.stdout
    return check


def interrupt(signal_number):
    """The signal, sent as soon as the first save's temporary file is there;
    a large txtsetup.sif keeps it there long enough."""
    def watch(c):
        pattern = re.compile(r"(\.vornix-|vornix-.*\.tmp$)")
        for _ in range(60000):
            if any(pattern.match(n) for n in os.listdir(c.setup)):
                for pid in (int(p) for p in os.listdir("/proc") if p.isdigit()):
                    try:
                        with open("/proc/%d/cmdline" % pid, "rb") as f:
                            command_line = f.read()  # wine may show the program's Windows path
                            if any(p.encode() in command_line for p in (c.program, c.target.path(c.program))):
                                os.kill(pid, signal_number)
                    except OSError:
                        pass
                return
            time.sleep(0.001)

    def prepare(c):
        c.write("I386/txtsetup.sif", b"[SCSI.Load]\r\n" + b"x = x.sys,4\r\n" * 2000000)
        watcher = threading.Thread(target=watch, args=(c,))
        watcher.start()
        c.cleanups.append(watcher.join)
    return prepare


def read_only_file_system(c):
    mount = os.path.join(c.root, "ro")
    os.mkdir(mount)
    subprocess.run(["mount", "-t", "tmpfs", "-o", "size=1m", "tmpfs", mount], check=True)
    c.cleanups.append(lambda: subprocess.run(["umount", mount]))
    shutil.copy(os.path.join(c.setup, "txtsetup.sif"), mount)
    shutil.copy(os.path.join(c.setup, "dosnet.inf"), mount)
    subprocess.run(["mount", "-o", "remount,ro", mount], check=True)
    c.use_setup("ro")


def file_size_limit(size):
    return option(preexec_fn=lambda: resource.setrlimit(resource.RLIMIT_FSIZE, (size, size)))


OPEN, CREATE = 'Не могу открыть файл "%s". {system}.', 'Не могу создать файл "%s". {system}.'
NOT_TEXT = 'Файл "%s" не является текстовым: нулевой байт по смещению {system}.'
E2BIG, EMPTY, MISSING = b"y" * (64 << 20), write("I386/txtsetup.sif", b""), "Unnable to open txtsetup.sif!"
INTERACTIVE, PAUSED = args(setup_path), ok(BANNER + WORK_DONE + PAUSE)


def unreadable_text(c):
    return "Permission denied" if os.geteuid() else "Invalid argument"


ROWS = [
    # Screens and arguments.
    Row("a complete batch run", ok()),
    Row("an interactive run reads one line", PAUSED, INTERACTIVE, option(stdin=b"\r\n")),
    Row("no argument: the usage screen and the pause", Outcome(BANNER + [
        "Usage: Vornix <I386_DIR>  [-Q]", "", "I386_DIR dir - I386 source dir to MassStorage driver integration",
        "-Q (optional) - batch mode - no wait user input", "", "For more info see readme.txt (to future...)"] + PAUSE),
        args()),
    Row("a lone -q is the directory too", stops(MISSING), args("-q"), lambda c: setattr(c, "cwd", c.setup)),
    Row("a preview writes nothing", Outcome(BANNER + [
        "Preview: nothing is written.", "", "abc", "  TXTSETUP.SIF 2: abc.sys = 1,,,,,,4_,4,1",
        "  TXTSETUP.SIF 5: abc = abc.sys,4", "  DOSNET.INF 2: d1,abc.sys", "",
        "Would append 1 line to DOSNET.INF and 2 lines to TXTSETUP.SIF.",
        "Would cut the end-of-file marker from TXTSETUP.SIF."]), args(setup_path, "-N")),
    Row("a preview without a script stops without the pause", stops(MISSING),
        args(lambda c: setup_path(c) + "-missing", "-n")),
    Row("a relative path with .. and a separator at its end, -q", ok(), lambda c: c.__dict__.update(
        cwd=c.tool, args=[("\\" if c.target.wine else "/").join(["..", "tool", "..", "I386", ""]), "-q"])),
    # The console.
    Row("standard output to a file holds the screen's bytes", PAUSED, INTERACTIVE,
        lambda c: setattr(c, "stdout", tempfile.mktemp(prefix="vornix-out-"))),
    Row("standard input the null device", PAUSED, INTERACTIVE, option(stdin=subprocess.DEVNULL)),
    Row("output to a pipe leaves in blocks of 128 bytes", ok(), traced, only="native", plain=True,
        check=writes_are(lambda c: [128, len(c.target.screen(BANNER + WORK_DONE)) - 128])),
    Row("a terminal gets each line in one write", ok(None), traced, on_a_terminal, only="native", plain=True,
        check=writes_are(lambda c: [len(line) + 1 for line in BANNER + WORK_DONE])),
    Row("standard output closed", fails("EInOutError", io_error("Ошибка ввода/вывода 105"), []),
        option(stdout=None, preexec_fn=lambda: os.close(1))),
    Row("standard output a full device", fails("EInOutError", io_error("Диск полон"), []),
        lambda c: setattr(c, "stdout", open("/dev/full", "wb"))),
    Row("standard output a pipe whose reader has gone", fails("EInOutError", io_error("Ошибка ввода/вывода 32"), []),
        closed_pipe),
    Row("standard input closed", fails("EInOutError", io_error("Ошибка ввода/вывода 104"), BANNER + WORK_DONE + PAUSE,
                                       ("txtsetup", "dosnet")), INTERACTIVE, option(preexec_fn=lambda: os.close(0))),
    # Disks, rights and odd entries.
    Row("disk full writing the first script", fails("EWriteError", "Ошибка записи потока.", BANNER + WORK_DONE),
        small_disk(True), root=True),
    Row("disk full writing the second script", fails("EWriteError", "Ошибка записи потока.", BANNER + WORK_DONE,
                                                     ("txtsetup",), txtsetup=crlf(b"[SourceDisksFiles]", b"") + ADDED),
        small_disk(False), root=True),
    Row("txtsetup.sif read-only", fails("EFCreateError", file_message(CREATE, "I386/TXTSETUP.SIF", "Permission denied"),
                                        BANNER + WORK_DONE), chmod("I386/txtsetup.sif", 0o444)),
    Row("dosnet.inf read-only", fails("EFCreateError", file_message(CREATE, "I386/DOSNET.INF", "Permission denied"),
                                      BANNER + WORK_DONE, ("txtsetup",)), chmod("I386/dosnet.inf", 0o444)),
    Row("the directory read-only, run as root", ok(), chmod("I386", 0o555), root=True),
    Row("a script's mode is kept", ok(), chmod("I386/dosnet.inf", 0o640), only="native",
        check=mode_kept("I386/dosnet.inf", 0o640)),
    Row("a script that is a link: its file is replaced", ok(), linked, only="native"),
    Row("the scripts in upper case are the same files", ok(), upper_case_names),
    Row("of two spellings the smaller in byte order", ok(), upper_case_names, write("I386/txtsetup.sif", b"other"),
        lambda c: c.scripts.update(other="I386/txtsetup.sif"), only="native"),
    Row("the directory missing", stops(MISSING), lambda c: c.args.__setitem__(0, c.args[0] + "-missing")),
    Row("txtsetup.sif a directory", stops(MISSING), replace("I386/txtsetup.sif", os.mkdir)),
    Row("dosnet.inf a dangling link", stops("Unnable to open dosnet.inf!"),
        replace("I386/dosnet.inf", lambda path: os.symlink("gone", path))),
    Row("dosnet.inf cannot be opened", fails("EFOpenError", file_message(OPEN, "I386/dosnet.inf", unreadable_text)),
        unreadable("I386/dosnet.inf")),
    Row("txtfiles.del cannot be opened", fails("EFOpenError", file_message(OPEN, "tool/txtfiles.del", unreadable_text)),
        unreadable("tool/txtfiles.del")),
    Row("memory exhausted", fails("EOutOfMemory", "Не хватает памяти."), write("I386/txtsetup.sif", b"x" * (64 << 20)),
        option(preexec_fn=lambda: resource.setrlimit(resource.RLIMIT_AS, (48 << 20, 48 << 20))),
        only="native", plain=True),
    Row("a script of 2 GiB", fails("EOutOfMemory", "Не хватает памяти."),
        lambda c: os.truncate(os.path.join(c.setup, "dosnet.inf"), 2 << 30)),
    # What the files hold.
    Row("an empty txtsetup.sif", fails("EStringListError", "Индекс списка вышел за границы (-1)."), EMPTY),
    Row("txtsetup.sif in UTF-16", fails("EFileFormatError", file_message(NOT_TEXT, "I386/txtsetup.sif", "3")),
        write("I386/txtsetup.sif", "[SCSI]\r\n".encode("utf-16"))),
    Row("txtsetup.add in UTF-16", fails("EFileFormatError", file_message(NOT_TEXT, "tool/txtsetup.add", "1")),
        write("tool/txtsetup.add", "x\r\n".encode("utf-16-le"))),
    Row("NUL padding at the end", ok(), write("I386/dosnet.inf", DOSNET + b"\0" * 300)),
    Row("0x1A in a line and at the end", ok(txtsetup=crlf(b"[SCSI.Load]", b"x\x1ay = 1", b"", b"last = 1") + ADDED),
        write("I386/txtsetup.sif", b"[SCSI.Load]\r\nx\x1ay = 1\r\nabc = abc.sys,4\r\nlast = 1\x1a\x1a\r\n")),
    Row("a line of 64 MiB", ok(dosnet=NEW["dosnet"][:-14] + E2BIG + b"\r\nd1,stock.sys\r\n"),
        write("I386/dosnet.inf", DOSNET + E2BIG)),
    Row("a million empty lines", ok(txtsetup=b"\r\n" * 10 ** 6 + ADDED), write("I386/txtsetup.sif", b"\r\n" * 10 ** 6)),
    Row("bytes 0x80 to 0xFF and CP866 text", ok(txtsetup=crlf(bytes(range(0x80, 0x100)), "Диск".encode("cp866"))
                                                + NEW["txtsetup"]),
        write("I386/txtsetup.sif", crlf(bytes(range(0x80, 0x100)), "Диск".encode("cp866")) + TXTSETUP)),
    Row("CR, LF, CR LF and LF CR mixed", ok(dosnet=crlf(b"[Files]", b"", b"", b"d1,x.sys", b"", b"last", b"d1,stock.sys")),
        write("I386/dosnet.inf", b"[Files]\rd1,abc.sys\n\rd1,x.sys\r\r\nlast")),
    # Where the source lies.
    Row("a path with blanks", ok(), in_directory("My Setup Disk", "I 3 8 6")),
    Row("a path with letters beyond ASCII", ok(), in_directory("\u00e9t\u00e9", "I386")),
    Row("directory names of 255 bytes", ok(), in_directory("n" * 255, "d" * 255)),
    Row("a path over 260 bytes", ok(), in_directory(*["p" * 60] * 5, "I386")),
    Row("a drive root", ok(), drive_root, only="wine"),
    Row("the file system root", ok(), filesystem_root, only="native", root=True, plain=True),
    Row("a script's set-user-ID, set-group-ID and sticky bits are kept", ok(), chmod("I386/txtsetup.sif", 0o6755),
        chmod("I386/dosnet.inf", 0o3674), only="native", root=True, check=lambda c, done: [
            mode_kept("I386/txtsetup.sif", 0o6755)(c, done), mode_kept("I386/dosnet.inf", 0o3674)(c, done)]),
    Row("a read-only file system", fails("EFCreateError", file_message(CREATE, "ro/TXTSETUP.SIF", "Read-only file system"),
                                         BANNER + WORK_DONE), read_only_file_system, root=True),
    Row("a file-size limit met while saving", fails("EWriteError", "Ошибка записи потока.", BANNER + WORK_DONE),
        write("I386/txtsetup.sif", b"x" * 8192 + b"\r\n" + TXTSETUP), file_size_limit(4096), only="native", plain=True),
    Row("a file-size limit met by standard output", fails("EInOutError", "Ошибка ввода/вывода 27.", []),
        lambda c: setattr(c, "stdout", tempfile.mktemp(prefix="vornix-out-")), file_size_limit(0), only="native",
        plain=True),
    # Interrupts, and faults of the processor.
    Row("SIGINT during a save", Outcome(None, -signal.SIGINT), interrupt(signal.SIGINT), only="native", plain=True),
    Row("SIGTERM during a save", Outcome(None, -signal.SIGTERM), interrupt(signal.SIGTERM), only="native", plain=True),
    Row("SIGHUP during a save", Outcome(None, -signal.SIGHUP), interrupt(signal.SIGHUP), only="native", plain=True),
    Row("Ctrl+C (SIGINT to wine) during a save", Outcome(None), interrupt(signal.SIGINT), only="wine"),
    Row("an access violation reading", fails("EAccessViolation", lambda c: c.pattern(
        'Нарушение доступа по адресу {hex} в модуле "fault_helper%s". Чтение по адресу 00000010.'
        % (".exe" * c.target.wine)), ["before"]),
        fault_helper("read"), plain=True),
    Row("an access violation writing", fails("EAccessViolation", lambda c: c.pattern(
        'Нарушение доступа по адресу {hex} в модуле "fault_helper%s". Запись по адресу 00000020.'
        % (".exe" * c.target.wine)), ["before"]),
        fault_helper("write"), plain=True),
    Row("a stack overflow", fails("EStackOverflow", "Переполнение стека.", ["before"]), fault_helper("stack"),
        plain=True),
    Row("a division by zero", fails("EDivByZero", "Деление на ноль.", ["before"]), fault_helper("divide"), plain=True),
    Row("an illegal instruction", fails("EPrivilege", "Привилегированная инструкция.", ["before"]),
        fault_helper("illegal"), plain=True),
    Row("a privileged instruction", fails("EPrivilege", "Привилегированная инструкция.", ["before"]),
        fault_helper("privileged"), only="wine"),
    Row("an in-page error", fails("EInPageError", "Ошибка страницы ввода/вывода.", ["before"]),
        fault_helper("inpage"), lambda c: setattr(c, "module", r"\S+"), plain=True),
    Row("any other fault", fails("EExternalException", lambda c: c.pattern(
        "Внешнее исключение %s." % ("E0001234" if c.target.wine else "00000008")), ["before"]),
        fault_helper("other"), lambda c: setattr(c, "module", r"\S+"), plain=True),
    Row("a fault after the run's end", Outcome(None, 216), fault_helper("read", "late"), plain=True,
        check=runtime_error(216)),
    Row("a C++ exception that no handler takes", Outcome(None, 217), fault_helper("throw"), plain=True,
        check=runtime_error(217)),
    # What only the Windows programs have.
    Row("the report in the OEM code page of a Russian system", Outcome(BANNER, 1, "checked"), EMPTY,
        option(env={"LANG": "ru_RU.UTF-8"}), only="wine", check=russian_report),
    Row("remove-drivers.bat after a complete run", ok(None), batch_file, only="wine",
        check=last_line(lambda c: "Drivers removed from %s." % setup_path(c))),
    Row("remove-drivers.bat after a failed run", Outcome(None, 1, "checked"), batch_file, EMPTY, only="wine",
        check=last_line(lambda c: "vornix failed with status 1: see the report above.")),
]


def main(argv):
    wanted, targets = argv[argv.index("-k") + 1] if "-k" in argv else "", [Target(a) for a in argv[1:] if "=" in a]
    if not targets or (any(t.wine for t in targets) and not shutil.which("wine")):
        print(__doc__ if not targets else "wine is not installed: the Windows builds cannot be tested")
        return 2
    failed = ran = 0
    for t in targets:
        t.wineserver(start=True)
        for row in ROWS:
            if row.only not in (None, "wine" if t.wine else "native") or (row.plain and t.instrumented) \
                    or wanted not in row.name:
                continue
            if row.root and os.geteuid() != 0:
                print("%-9s not run without root: %s" % (t.name, row.name))
                continue
            ran += 1
            for attempt in (1, 2):
                case, problem = Case(t), None
                try:
                    case.run(row)
                except (Exception, SystemExit) as e:  # a failing row is reported, the rest go on
                    problem = str(e)[:2000]
                for cleanup in reversed(case.cleanups):
                    cleanup()
                # wine's client now and then loses its server's socket: once more, then.
                if not (problem and "wine client error" in problem and attempt == 1):
                    break
            failed += problem is not None
            print("%-9s %s %s%s" % (t.name, "FAIL" if problem else "ok  ", row.name, ": " + problem if problem else ""))
        t.wineserver(start=False)
    print("%d rows, %d failed" % (ran, failed))
    return 1 if failed or not ran else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
