#!/usr/bin/env python3
"""Whole runs of the built programs, for what only a process shows.

    run_e2e.py native=PATH sanitized=PATH valgrind=PATH wine32=PATH wine64=PATH [-k TEXT]

Each row is one run on a scratch source, made to meet one situation. After
it, on every build the row is for: (1) every script is as before, or what
the run makes of it, or, after a failure in the second save, the first new
and the second old; (2) the scratch directory holds the entries it held;
(3) status and output are honest: 1 with the report of what failed, 2 and
the stop screen when nothing was done, or 0 and the screen.
"""
import contextlib, os, re, resource, shutil, signal, stat, subprocess, sys, tempfile, threading, time, types  # noqa: E401


def crlf(*lines):
    return b"".join(line + b"\r\n" for line in lines)


BANNER = ["MassStorage driver deleter v1.0.0.2", "Written by the Vornix developers", "Made on the Internet, 2026", ""]
WORK_DONE = ["Delete 3rd party MSST drivers...", "Done...", "Restore stok replaced/deleted MSST drivers...", "Done..."]
PAUSE = ["", "Hit <Enter> to exit"]
USAGE = ["Usage: Vornix <I386_DIR>  [-Q]", "", "I386_DIR dir - I386 source dir to MassStorage driver integration",
         "-Q (optional) - batch mode - no wait user input", "", "For more info see readme.txt (to future...)"] + PAUSE
PREVIEW = ["Preview: nothing is written.", "", "abc", "  TXTSETUP.SIF 2: abc.sys = 1", "  TXTSETUP.SIF 5: abc = abc.sys,4",
           "  DOSNET.INF 2: d1,abc.sys", "", "Would append 1 line to DOSNET.INF and 2 lines to TXTSETUP.SIF.",
           "Would cut the end-of-file marker from TXTSETUP.SIF."]
TXTSETUP = crlf(b"[SourceDisksFiles]", b"abc.sys = 1", b"x.sys = 1", b"[SCSI.Load]", b"abc = abc.sys,4", b"x = x") + b"\x1a"
DOSNET, ADDED = crlf(b"[Files]", b"d1,abc.sys", b"d1,x.sys"), crlf(b"[SCSI.Load]", b"stock = stock.sys,4")
SOURCE = {"I386/txtsetup.sif": TXTSETUP, "I386/dosnet.inf": DOSNET, "tool/txtfiles.del": b"abc\r\n",
          "tool/dosnet.add": b"s", "tool/txtsetup.add": ADDED}  # a file of one byte
NEW = {"txtsetup": crlf(b"[SourceDisksFiles]", b"", b"x.sys = 1", b"[SCSI.Load]", b"", b"x = x") + ADDED,
       "dosnet": crlf(b"[Files]", b"", b"d1,x.sys", b"s")}


class Target:
    """One build: native (also sanitized, or under valgrind), or a Windows one under wine."""

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
        """A report: held in the ANSI, written in the OEM code page (wine's for LANG=C); or UTF-8."""
        return text.encode("cp1252", "replace").decode("cp1252").encode("cp437", "replace") if self.wine else text.encode()

    def screen(self, lines):
        return b"".join(line.encode("latin-1") + self.line_end for line in lines)

    def wineserver(self, start):
        """A prefix and a server of its own, its streams detached (or captured pipes stay open)."""
        self.prefix = tempfile.mkdtemp(prefix="vornix-wine-") if start else self.prefix
        subprocess.run("(%s) </dev/null >/dev/null 2>&1" % ("wineserver -p; wine cmd /c exit" if start else
                                                         "wineserver -k"), shell=True, env=self.environment())
        shutil.rmtree(self.prefix, ignore_errors=True) if not start else None


def Outcome(lines, status=0, report=None, saved=(), **new):
    """The screen (None: not looked at), status, report (class name and message, or "checked": the
    row's check judges standard error) and the scripts saved, with what they then hold."""
    return types.SimpleNamespace(lines=lines, status=status, report=report, saved=saved, new=dict(NEW, **new))


def ok(lines=BANNER + WORK_DONE, **new):
    return Outcome(lines, 0, None, ("txtsetup", "dosnet"), **new)


def stops(message):
    return Outcome(BANNER + [message, "", "Process stopped."], 2)


def fails(class_name, message, printed=BANNER, saved=(), **new):
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
        self.module, self.cwd, self.env, self.preexec_fn = re.escape(target.exe), self.root, {}, None
        self.cleanups = [lambda: shutil.rmtree(self.root, ignore_errors=True),  # undone in reverse order
                         lambda: subprocess.run(["chmod", "-R", "u+rwx", self.root])]

    def write(self, relative, data):
        os.makedirs(os.path.dirname(os.path.join(self.root, relative)), exist_ok=True)
        open(os.path.join(self.root, relative), "wb").write(data)

    def snapshot(self):
        """Every entry but the program: a file up to 256 MiB by its bytes, others by mode, size and time."""
        entries = {}
        for directory, subdirectories, names in os.walk(self.root):
            for path in (os.path.join(directory, n) for n in names + subdirectories if n != self.target.exe):
                status, key = os.lstat(path), os.path.relpath(path, self.root)
                entries[key] = (status.st_mode, status.st_size, status.st_mtime_ns)
                if stat.S_ISREG(status.st_mode) and status.st_size <= (256 << 20):
                    entries[key] = open(path, "rb").read()
        return entries

    def use_setup(self, relative):
        self.scripts = {k: os.path.join(relative, os.path.basename(v)) for k, v in self.scripts.items()}
        self.args[0] = self.target.path(os.path.join(self.root, relative))

    def pattern(self, text, system=""):
        """A message as the report writes it; {system} the system's words (wine's own: any), {hex} an address."""
        found = re.escape(self.target.encode(text)).replace(rb"\{hex\}", b"[0-9A-F]{8,}")
        return found.replace(rb"\{system\}", rb"[^\r\n]*" if self.target.wine else re.escape(system.encode()))

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
                              cwd=self.cwd, env=self.target.environment(self.env), timeout=120, preexec_fn=self.preexec_fn)
        if captured:
            done.stdout = open(captured, "rb").read()
        after, o = self.snapshot(), row.outcome
        assert sorted(after) == sorted(before), "entries left behind or lost: %s" % (set(after) ^ set(before))
        if o.report and o.report != "checked":
            end, (name, message) = re.escape(self.target.line_end), o.report
            header = re.escape(self.target.encode("Исключительная ситуация %s в модуле " % name)) + self.module.encode()
            message = message(self) if callable(message) else self.pattern(message)
            assert re.fullmatch(header + re.escape(self.target.encode(" по адресу ")) + b"[0-9A-F]{8}\\." + end
                                + message + end + end, done.stderr), done.stderr
        assert o.report or done.stderr == b"", done.stderr
        assert done.returncode == o.status, (done.returncode, done.stderr)
        assert o.lines is None or (done.stdout or b"") == self.target.screen(o.lines), done.stdout
        for key, relative in self.scripts.items():
            assert after[relative] == (o.new[key] if key in o.saved else before[relative]), (relative, after[relative])
        assert not row.check or row.check(self, done), (done.stdout, done.stderr)


def Row(name, outcome, *prepare, only=None, root=False, plain=False, check=None):
    """`only` "native" or "wine"; `plain`: not sanitized or under valgrind; `check`: true when it holds."""
    return types.SimpleNamespace(name=name, outcome=outcome, prepare=prepare, check=check, only=only, root=root,
                                 plain=plain)



def setup_path(c): return c.target.path(c.setup)  # noqa: E704
def at(c, relative): return os.path.join(c.root, relative)  # noqa: E704
def args(*values): return lambda c: setattr(c, "args", [v(c) if callable(v) else v for v in values])  # noqa: E704
def option(**values): return lambda c: c.__dict__.update(values)  # noqa: E704
def write(relative, data): return lambda c: c.write(relative, data)  # noqa: E704
def chmod(relative, mode): return lambda c: os.chmod(at(c, relative), mode)  # noqa: E704
def modes_kept(*modes): return lambda c, done: all(os.stat(at(c, r)).st_mode & 0o7777 == m for r, m in modes)  # noqa
def helper_path(c, name): return os.path.join(os.path.dirname(c.target.executable), name)  # noqa: E704
def limit(kind, size): return option(preexec_fn=lambda: resource.setrlimit(kind, (size, size)))  # noqa: E704


def replace(relative, make):
    """The entry replaced by what `make(path)` makes: no longer a script."""
    def prepare(c):
        os.remove(at(c, relative))
        make(at(c, relative))
        c.scripts = {k: v for k, v in c.scripts.items() if v != relative}
    return prepare


def rename(c, renames):
    """The scripts renamed: {old: new} relative to the scratch root."""
    for old, new in renames.items():
        os.rename(at(c, old), at(c, new))
        c.scripts = {k: new if v == old else v for k, v in c.scripts.items()}


def unreadable(relative):
    """A FIFO (root opens any file); on Windows a file another program holds without sharing."""
    def prepare(c):
        if not c.target.wine:
            return replace(relative, os.mkfifo)(c)
        holder = subprocess.Popen(c.target.command(helper_path(c, "test_helper.exe"), ["hold", c.target.path(
            at(c, relative))]), stdin=subprocess.PIPE, stdout=subprocess.PIPE, env=c.target.environment())
        assert holder.stdout.readline().strip() == b"held"
        c.cleanups.append(lambda: holder.communicate(b""))
    return prepare


def mounted(size, txtsetup, dosnet, read_only=False):
    """The source on a tmpfs of its own."""
    def prepare(c):
        os.mkdir(at(c, "small"))
        subprocess.run(["mount", "-t", "tmpfs", "-o", "size=" + size, "tmpfs", at(c, "small")], check=True)
        c.cleanups.append(lambda: subprocess.run(["umount", at(c, "small")]))
        c.write("small/txtsetup.sif", txtsetup)
        c.write("small/dosnet.inf", dosnet)
        subprocess.run(["mount", "-o", "remount,ro", at(c, "small")], check=read_only) if read_only else None
        c.use_setup("small")
    return prepare


def closed_pipe(c):
    read_end, c.stdout = os.pipe()
    os.close(read_end)
    c.cleanups.append(lambda: os.close(c.stdout))


def in_directory(*parts):
    """The source moved there; on Linux the run starts in the directory above, with a relative
    path (Windows keeps its current directory under MAX_PATH)."""
    def prepare(c):
        os.makedirs(at(c, os.path.join(*parts[:-1])), exist_ok=True)
        os.rename(c.setup, at(c, os.path.join(*parts)))
        c.use_setup(os.path.join(*parts))
        if not c.target.wine:
            c.cwd, c.args[0] = at(c, os.path.join(*parts[:-1])), parts[-1]
    return prepare


def drive_root(c):
    link = os.path.join(c.target.prefix, "dosdevices", "r:")  # a drive whose root is the source
    os.remove(link) if os.path.lexists(link) else None
    os.symlink(c.setup, link)
    c.cleanups.append(lambda: os.remove(link))
    c.args[0] = "R:\\"


def traced(c):
    """strace records the program's writes to standard output."""
    c.trace = tempfile.mktemp(prefix="vornix-trace-")
    c.cleanups.append(lambda: os.path.exists(c.trace) and os.remove(c.trace))
    c.command = ["strace", "-o", c.trace, "-e", "trace=write", "-e", "signal=none", c.program] + c.args


def writes_are(sizes):
    def check(c, done):
        return [int(n) for n in re.findall(r"^write\(1, .*\)\s+= (\d+)$", open(c.trace).read(), re.M)] == sizes(c)
    return check


def on_a_terminal(c):
    import pty
    leader, c.stdout = pty.openpty()
    c.cleanups += [lambda: os.close(leader), lambda: os.close(c.stdout)]


def batch_file(c):
    """The README's remove-drivers.bat, as the build makes it, beside the program, run by cmd."""
    shutil.copy(helper_path(c, "remove-drivers.bat"), c.tool)
    c.command = ["wine", "cmd", "/c", c.target.path(os.path.join(c.tool, "remove-drivers.bat")), c.args[0]]


def russian_report(c, done):
    address = done.stderr.split(b".\r\n")[0][-8:].decode("ascii", "replace")
    return done.stderr == ("Исключительная ситуация EStringListError в модуле vornix.exe по адресу %s.\r\n"
                           "Индекс списка вышел за границы (-1).\r\n\r\n" % address).encode("cp866")


def io_error(native_text):
    # wine hands over its own error codes for the console's failures.
    return lambda c: c.pattern("Ошибка ввода/вывода ") + rb"-?\d+\." if c.target.wine else c.pattern(native_text + ".")


def file_message(template, relative, system):
    return lambda c: c.pattern(template % c.target.path(at(c, relative)), system)


def fault(kind, *late):
    """The test helper faulting as `kind` says with a save's temporary file noted; "late": after the run."""
    def prepare(c):
        name = "test_helper" + ".exe" * c.target.wine
        c.module = re.escape(name) if kind not in ("inpage", "other") else r"\S+"  # a system library may raise it
        c.command = c.target.command(helper_path(c, name), [kind, c.target.path(at(c, "I386/t.tmp"))] + list(late))
    return prepare


def runtime_error(number):
    return lambda c, done: re.fullmatch(re.escape(c.target.screen(["before"])) + rb"Runtime error %3d at (?!0{8})[0-9A-F]{8}"
                                        % number + re.escape(c.target.line_end), done.stdout)


def interrupt(signal_number):
    """The signal, sent once the first save's temporary file is there (a large txtsetup.sif keeps it)."""
    def watch(c):
        for _ in range(60000):
            if any(re.match(r"\.vornix-|vornix-.*\.tmp$", n) for n in os.listdir(c.setup)):
                marks = (c.program.encode(), c.target.path(c.program).encode())  # wine may show the Windows path
                for pid in (p for p in os.listdir("/proc") if p.isdigit()):
                    with contextlib.suppress(OSError), open("/proc/%s/cmdline" % pid, "rb") as f:
                        line = f.read()
                        os.kill(int(pid), signal_number) if any(m in line for m in marks) else None
                return
            time.sleep(0.001)

    def prepare(c):
        c.write("I386/txtsetup.sif", b"[SCSI.Load]\r\n" + b"x = x.sys,4\r\n" * 2000000)
        watcher = threading.Thread(target=watch, args=(c,))
        watcher.start()
        c.cleanups.append(watcher.join)
    return prepare


OPEN, CREATE = 'Не могу открыть файл "%s". {system}.', 'Не могу создать файл "%s". {system}.'
BIG, EMPTY, MISSING = b"y" * (64 << 20), write("I386/txtsetup.sif", b""), "Unnable to open txtsetup.sif!"
INTERACTIVE, PAUSED, SAVED = args(setup_path), ok(BANNER + WORK_DONE + PAUSE), BANNER + WORK_DONE
WRITE, HIGH = "Ошибка записи потока.", bytes(range(0x80, 0x100)) + "Диск".encode("cp866")
VIOLATION = 'Нарушение доступа по адресу {hex} в модуле "test_helper{exe}". %s по адресу %s.'
FAULTS = [("read", "EAccessViolation", VIOLATION % ("Чтение", "00000010")),  # "{code}": the code of the platform
          ("write", "EAccessViolation", VIOLATION % ("Запись", "00000020")), ("stack", "EStackOverflow",
          "Переполнение стека."), ("divide", "EDivByZero", "Деление на ноль."), ("illegal", "EPrivilege",
          "Привилегированная инструкция."), ("privileged", "EPrivilege", "Привилегированная инструкция."),
          ("inpage", "EInPageError", "Ошибка страницы ввода/вывода."), ("other", "EExternalException",
          "Внешнее исключение {code}.")]


def fault_text(text):
    return lambda c: c.pattern(text.replace("{exe}", ".exe" * c.target.wine).replace(
        "{code}", "E0001234" if c.target.wine else "00000008"))


ROWS = [
    Row("a complete batch run", ok()),
    Row("an interactive run reads one line", PAUSED, INTERACTIVE, option(stdin=b"\r\n")),
    Row("a preview writes nothing", Outcome(BANNER + PREVIEW), args(setup_path, "-N")),
    Row("/N is -N", Outcome(BANNER + PREVIEW), args(setup_path, "/N")),
    Row("/? after the directory: the usage screen and the pause, nothing read or written", Outcome(BANNER + USAGE),
        args(setup_path, "/?")),
    Row("a UTF-8 byte-order mark before txtfiles.del", ok(), write("tool/txtfiles.del", b"\xef\xbb\xbfabc\r\n")),
    Row("a preview without a script stops without the pause", stops(MISSING), args(lambda c: setup_path(c) + "x", "-n")),
    Row("a relative path with .. and a separator at its end, -q, an empty argument", ok(), lambda c: c.__dict__.update(
        cwd=c.tool, args=[("\\" if c.target.wine else "/").join(["..", "tool", "..", "I386", ""]), "-q", ""])),
    # The console.
    Row("standard output to a file holds the screen's bytes, standard input the null device", PAUSED, INTERACTIVE,
        option(stdin=subprocess.DEVNULL, stdout=tempfile.mktemp(prefix="vornix-out-"))),
    Row("output to a pipe leaves in blocks of 128 bytes", ok(), traced, only="native", plain=True,
        check=writes_are(lambda c: [128, len(c.target.screen(BANNER + WORK_DONE)) - 128])),
    Row("a terminal gets each line in one write", ok(None), traced, on_a_terminal, only="native", plain=True,
        check=writes_are(lambda c: [len(line) + 1 for line in BANNER + WORK_DONE])),
    Row("standard output closed", fails("EInOutError", io_error("Ошибка ввода/вывода 105"), []),
        option(stdout=None, preexec_fn=lambda: os.close(1))),
    Row("standard output a full device", fails("EInOutError", io_error("Диск полон"), []),
        lambda c: setattr(c, "stdout", open("/dev/full", "wb"))),
    Row("standard output a closed pipe", fails("EInOutError", io_error("Ошибка ввода/вывода 32"), []), closed_pipe),
    Row("standard input closed", fails("EInOutError", io_error("Ошибка ввода/вывода 104"), SAVED + PAUSE,
                                       ("txtsetup", "dosnet")), INTERACTIVE, option(preexec_fn=lambda: os.close(0))),
    Row("a file-size limit met by standard output", fails("EInOutError", "Ошибка ввода/вывода 27.", []),
        lambda c: setattr(c, "stdout", tempfile.mktemp(prefix="vornix-out-")), limit(resource.RLIMIT_FSIZE, 0),
        only="native", plain=True),
    # Disks, rights and odd entries.
    Row("disk full writing the first script", fails("EWriteError", WRITE, SAVED), mounted(
        "64k", crlf(b"[SCSI]") + crlf(*[b"file%05d.sys = 1,,,,,,4_,4,1" % i for i in range(1500)]), DOSNET), root=True),
    Row("disk full writing the second script", fails("EWriteError", WRITE, SAVED, ("txtsetup",), txtsetup=crlf(
        b"[SCSI]") + ADDED), mounted("64k", crlf(b"[SCSI]"), DOSNET + b"x" * 50000), root=True),
    Row("a read-only file system", fails("EFCreateError", file_message(CREATE, "small/TXTSETUP.SIF",
                                                                       "Read-only file system"), SAVED),
        mounted("1m", TXTSETUP, DOSNET, read_only=True), root=True),
    Row("a file-size limit met while saving", fails("EWriteError", WRITE, SAVED),
        write("I386/txtsetup.sif", b"x" * 8192 + b"\r\n" + TXTSETUP), limit(resource.RLIMIT_FSIZE, 4096),
        only="native", plain=True),
    Row("txtsetup.sif read-only", fails("EFCreateError", file_message(CREATE, "I386/TXTSETUP.SIF", "Permission denied"),
                                        SAVED), chmod("I386/txtsetup.sif", 0o444)),
    Row("dosnet.inf read-only", fails("EFCreateError", file_message(CREATE, "I386/DOSNET.INF", "Permission denied"),
                                      SAVED, ("txtsetup",)), chmod("I386/dosnet.inf", 0o444)),
    Row("set-user-ID, set-group-ID, sticky and other mode bits are kept", ok(), chmod("I386/txtsetup.sif", 0o6755),
        chmod("I386/dosnet.inf", 0o1640), only="native", root=True,
        check=modes_kept(("I386/txtsetup.sif", 0o6755), ("I386/dosnet.inf", 0o1640))),
    Row("a script that is a link: its file is replaced", ok(), lambda c: rename(c, {"I386/txtsetup.sif": "I386/r"}),
        lambda c: os.symlink("r", at(c, "I386/txtsetup.sif")), only="native"),
    Row("the scripts in upper case are the same files", ok(), lambda c: rename(c, {
        "I386/txtsetup.sif": "I386/TXTSETUP.SIF", "I386/dosnet.inf": "I386/DOSNET.INF"})),
    Row("of two spellings the smaller in byte order", ok(), lambda c: rename(c, {"I386/txtsetup.sif": "I386/TXTSETUP.SIF"}),
        write("I386/txtsetup.sif", b"other"), lambda c: c.scripts.update(other="I386/txtsetup.sif"), only="native"),
    Row("the directory missing", stops(MISSING), lambda c: c.args.__setitem__(0, c.args[0] + "-missing")),
    Row("txtsetup.sif a directory", stops(MISSING), replace("I386/txtsetup.sif", os.mkdir)),
    Row("dosnet.inf a dangling link", stops("Unnable to open dosnet.inf!"),
        replace("I386/dosnet.inf", lambda path: os.symlink("gone", path))),
    Row("dosnet.inf cannot be opened", fails("EFOpenError", file_message(OPEN, "I386/dosnet.inf", "Invalid argument")),
        unreadable("I386/dosnet.inf")),
    Row("memory exhausted", fails("EOutOfMemory", "Не хватает памяти."), write("I386/txtsetup.sif", BIG),
        limit(resource.RLIMIT_AS, 48 << 20), only="native", plain=True,
        check=lambda c, done: b" 00000000." not in done.stderr),  # the place where memory ran out
    Row("a script of 2 GiB", fails("EOutOfMemory", "Не хватает памяти."),
        lambda c: os.truncate(at(c, "I386/dosnet.inf"), 2 << 30)),
    # What the files hold.
    Row("an empty txtsetup.sif", fails("EStringListError", "Индекс списка вышел за границы (-1)."), EMPTY),
    Row("odd bytes: 0x80 to 0xFF, 0x1A in a line and at the end, mixed line ends, NUL padding", ok(
        txtsetup=crlf(b"[SCSI.Load]", b"x\x1ay = 1", b"", HIGH) + ADDED, dosnet=crlf(b"[Files]", b"", b"", b"d1,x.sys",
                                                                               b"", b"last", b"s")),
        write("I386/txtsetup.sif", b"[SCSI.Load]\r\nx\x1ay = 1\r\nabc = abc.sys,4\r\n" + HIGH + b"\x1a\x1a\r\n"),
        write("I386/dosnet.inf", b"[Files]\rd1,abc.sys\n\rd1,x.sys\r\r\nlast" + b"\0" * 300)),
    Row("a line of 64 MiB", ok(dosnet=crlf(b"[Files]", b"", b"d1,x.sys", BIG, b"s")),
        write("I386/dosnet.inf", DOSNET + BIG)),
    # Where the source lies.
    Row("a path with blanks and letters beyond ASCII", ok(), in_directory("My \u00e9t\u00e9 Disk", "I 3 8 6")),
    Row("a directory the code page cannot spell (Cyrillic under code page 1252)", ok(),
        in_directory("x", "\u041f\u0430\u043f\u043a\u0430"), option(env={"LANG": "C.UTF-8"})),
    Row("a path over 260 bytes of names of 255, from a current directory as long", ok(),
        in_directory("n" * 255, "p" * 60, "d" * 255)),
    Row("a drive root", ok(), drive_root, only="wine"),
    # Interrupts and faults of the processor.
    *[Row("%s during a save" % name, Outcome(None, -number), interrupt(number), only="native", plain=True)
      for name, number in (("SIGINT", signal.SIGINT), ("SIGTERM", signal.SIGTERM), ("SIGHUP", signal.SIGHUP))],
    Row("Ctrl+C (SIGINT to wine) during a save", Outcome(None), interrupt(signal.SIGINT), only="wine"),
    *[Row("a fault: " + kind, fails(name, fault_text(text), ["before"]), fault(kind), plain=True,
          only="wine" if kind == "privileged" else None) for kind, name, text in FAULTS],
    *[Row("a fault after the run's end: " + kind, Outcome(None, number), fault(kind, "late"), plain=True,
          check=runtime_error(number)) for kind, number in (("read", 216), ("divide", 200), ("illegal", 255), ("other", 255))],
    Row("a C++ exception that no handler takes", Outcome(None, 217), fault("throw"), plain=True,
        check=runtime_error(217)),
    # What only the Windows programs have.
    Row("the report in the OEM code page of a Russian system", Outcome(BANNER, 1, "checked"), EMPTY,
        option(env={"LANG": "ru_RU.UTF-8"}), only="wine", check=russian_report),
    Row("remove-drivers.bat after a complete run", ok(None), batch_file, only="wine",
        check=lambda c, done: done.stdout.endswith(b"Drivers removed from %s.\r\n" % setup_path(c).encode())),
    Row("remove-drivers.bat after a stopped run", Outcome(None, 2), batch_file, replace("I386/dosnet.inf", os.mkdir), only="wine",
        check=lambda c, done: done.stdout.endswith(b" holds no txtsetup.sif or no dosnet.inf.\r\n")),
    Row("remove-drivers.bat on a directory the code page cannot spell", ok(None), in_directory("x", "\u041f\u0430"),
        option(env={"LANG": "C.UTF-8"}), batch_file, only="wine",
        check=lambda c, done: b"\r\nDrivers removed from " in done.stdout),
    Row("remove-drivers.bat after a failed run", Outcome(None, 1, "checked"), batch_file, EMPTY, only="wine",
        check=lambda c, done: done.stdout.endswith(b"vornix failed with status 1: see the report above.\r\n")),
]


def attempt(target, row):
    case, problem = Case(target), None
    try:
        case.run(row)
    except (Exception, SystemExit) as e:  # a failing row is reported, the rest go on
        problem = str(e)[:2000]
    for cleanup in reversed(case.cleanups):
        cleanup()
    return problem


def main(argv):
    wanted, targets = argv[argv.index("-k") + 1] if "-k" in argv else "", [Target(a) for a in argv[1:] if "=" in a]
    failed = ran = 0
    for t in targets:
        t.wineserver(start=True)
        for row in (r for r in ROWS if wanted in r.name and r.only in (None, "wine" if t.wine else "native")):
            if (row.plain and t.instrumented) or (row.root and os.geteuid() != 0):
                print("%-9s not run %s: %s" % (t.name, "under " + t.name if row.plain else "without root", row.name))
                continue
            ran, problem = ran + 1, attempt(t, row)
            if problem and "wine client error" in problem:  # wine's client now and then loses its server
                problem = attempt(t, row)
            failed += problem is not None
            print("%-9s %s %s%s" % (t.name, "FAIL" if problem else "ok  ", row.name, ": " + problem if problem else ""))
        t.wineserver(start=False)
    print("%d rows, %d failed" % (ran, failed))
    return 1 if failed or not ran else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
