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
import contextlib, fcntl, os, pty, re, resource, shutil, signal, stat, subprocess, sys
import tempfile, threading, time
from dataclasses import dataclass, field
from functools import partial
from pathlib import Path
from subprocess import DEVNULL, PIPE


def crlf(*lines):
    return b"".join(line + b"\r\n" for line in lines)


BANNER = ["MassStorage driver deleter v1.0.0.2", "Written by the Vornix developers"]
BANNER += ["Made on the Internet, 2026", ""]
SAVED = BANNER + ["Delete 3rd party MSST drivers...", "Done..."]
SAVED += ["Restore stok replaced/deleted MSST drivers...", "Done..."]
PAUSE, ADDED = ["", "Hit <Enter> to exit"], crlf(b"[SCSI.Load]", b"stock = stock.sys,4")
TXTSETUP = crlf(b"[SourceDisksFiles]", b"abc.sys = 1", b"x.sys = 1", b"[SCSI.Load]")
TXTSETUP += crlf(b"abc = abc.sys,4", b"x = x") + b"\x1a"
DOSNET, SCSI = crlf(b"[Files]", b"d1,abc.sys", b"d1,x.sys"), crlf(b"[SCSI]")
SIF, INF = "I386/txtsetup.sif", "I386/dosnet.inf"
LONG_SIF = b"[SCSI.Load]\r\n" + b"x = x.sys,4\r\n" * 2000000  # its save takes a while
INTERRUPTED = {"either": ("txtsetup",), "new": {"txtsetup": LONG_SIF + ADDED}}
SOURCE = {SIF: TXTSETUP, INF: DOSNET, "tool/txtfiles.del": b"abc\r\n", "tool/txtsetup.add": ADDED}
SOURCE["tool/dosnet.add"] = b"s"  # a file of one byte
NEW = {"dosnet": crlf(b"[Files]", b"", b"d1,x.sys", b"s")}
NEW["txtsetup"] = crlf(b"[SourceDisksFiles]", b"", b"x.sys = 1", b"[SCSI.Load]", b"", b"x = x")
NEW["txtsetup"] += ADDED
VALGRIND = "valgrind -q --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite"


class Target:  # native (also sanitized, or under valgrind), or a Windows build under wine
    def __init__(self, entry):
        self.name, _, path = entry.partition("=")
        self.executable, self.wine = os.path.abspath(path), self.name.startswith("wine")
        self.instrumented, self.prefix = self.name in ("sanitized", "valgrind"), None
        self.exe, self.end = ("vornix.exe", b"\r\n") if self.wine else ("vornix", b"\n")
        self.runner = ["wine"] if self.wine else VALGRIND.split() * (self.name == "valgrind")
        self.foreign = "native" if self.wine else "wine"  # rows only for those are not run here

    def helper(self, name):  # a file the build makes beside the program
        return os.path.join(os.path.dirname(self.executable), name)

    def environment(self, extra=()):
        env = {k: v for k, v in os.environ.items() if k not in ("LANG", "LC_ALL")}
        own = dict(WINEPREFIX=self.prefix, WINEDEBUG="-all", LANG="C") if self.wine else {}
        return {**env, **(own or {"LC_ALL": "C"}), **dict(extra)}

    def path(self, unix_path):
        return "Z:" + unix_path.replace("/", "\\") if self.wine else unix_path

    def encode(self, text, lang):  # held in the ANSI, written in the OEM code page of wine's LANG
        if not self.wine:
            return text.encode()
        ansi, oem = ("cp1251", "cp866") if lang.startswith("ru_RU") else ("cp1252", "cp437")
        return text.encode(ansi, "replace").decode(ansi).encode(oem, "replace")

    def screen(self, lines):
        return b"".join(line.encode("latin-1") + self.end for line in lines)

    def wineserver(self, command):  # its streams detached, or captured pipes stay open
        command = "(%s) </dev/null >/dev/null 2>&1" % command
        subprocess.run(command, shell=True, env=self.environment())


@dataclass
class Outcome:
    lines: list  # the screen; None: not looked at
    status: int = 0
    report: object = None  # (class name, message), or CHECKED: the row's check judges it
    saved: tuple = ()  # the scripts saved: then they hold what `new`, or else NEW, has for them
    new: dict = field(default_factory=dict)
    either: tuple = ()  # the scripts that may be old or new: an interrupt may come after a save


def ok(lines=SAVED, **new):
    return Outcome(lines, 0, None, ("txtsetup", "dosnet"), new)


def stops(message):
    return Outcome(BANNER + [message, "", "Process stopped."], 2)


def fails(class_name, message, printed=BANNER, saved=(), **new):  # message: see Case.report
    return Outcome(printed, 1, (class_name, message), saved, new)


def refused(relative, system, printed=SAVED, saved=()):  # the save's file not created
    return fails("EFCreateError", (CREATE, relative, system), printed, saved)


def unwritten(relative, system, saved=()):
    return fails("EWriteError", (WRITE, relative, system), SAVED, saved)


@dataclass
class Row:
    expect: Outcome
    setup: tuple = ()  # steps done on the Case, in order
    on: str = ""  # "native" or "wine": only there; "plain": not sanitized or under valgrind; "root"
    check: object = None  # true of the Case and the finished run
    args: str = "{source} -Q"  # split at blanks; {source}: the source as the program names it
    stdin: object = b""  # bytes to feed, or a stream
    env: dict = field(default_factory=dict)


class Case:  # one row on one build: the scratch source made to meet it, and how it runs
    def __init__(self, target, row, cleanup):
        self.target, self.row, self.cleanup, self.in_child = target, row, cleanup, []
        self.root = tempfile.mkdtemp(prefix="vornix-e2e-")
        cleanup.callback(shutil.rmtree, self.root, ignore_errors=True)
        cleanup.callback(subprocess.run, ["chmod", "-R", "u+rwx", self.root])
        self.scratch = cleanup.enter_context(tempfile.TemporaryDirectory())  # away from the source
        for relative, data in SOURCE.items():
            self.write(relative, data)
        self.tool, self.module, self.output = self.at("tool"), re.escape(target.exe), None
        self.program, self.command, self.stdout = os.path.join(self.tool, target.exe), None, PIPE
        shutil.copy(target.executable, self.program)
        self.scripts, self.cwd = {"txtsetup": SIF, "dosnet": INF}, self.root
        self.use_setup("I386")
        for step in row.setup:
            step(self)

    def at(self, relative):
        return os.path.join(self.root, relative)

    def write(self, relative, data):
        os.makedirs(os.path.dirname(self.at(relative)), exist_ok=True)
        with open(self.at(relative), "wb") as f:
            f.write(data)

    def use_setup(self, relative):
        self.scripts = {k: relative + v[v.rindex("/") :] for k, v in self.scripts.items()}
        self.setup, self.source = self.at(relative), self.target.path(self.at(relative))

    def snapshot(self):
        """Each entry but the program: a file to 256 MiB by its bytes, others by mode, size, time"""
        entries = {}
        for directory, subdirectories, names in os.walk(self.root):
            for name in set(names + subdirectories) - {self.target.exe}:
                path = os.path.join(directory, name)
                status, key = os.lstat(path), os.path.relpath(path, self.root)
                entries[key] = (status.st_mode, status.st_size, status.st_mtime_ns)
                if stat.S_ISREG(status.st_mode) and status.st_size <= (256 << 20):
                    entries[key] = Path(path).read_bytes()
        return entries

    def pattern(self, text, system=""):
        """A message as the report writes it: {system} the system's words (wine's own: any), {hex}
        an address, {exe} ".exe" on Windows, {code} the code of the test helper's "other" fault."""
        wine = self.target.wine
        text = text.replace("{exe}", ".exe" * wine)
        text = text.replace("{code}", "E0001234" if wine else "00000008")
        text = self.target.encode(text, self.row.env.get("LANG", "C"))
        found = re.escape(text).replace(rb"\{hex\}", rb"[0-9A-F]{8,}")
        return found.replace(rb"\{system\}", rb"[^\r\n]*" if wine else re.escape(system.encode()))

    def report(self, name, message):
        """The class and place of the failure, then the message: a pattern (see pattern), one made
        of (template, file, the system's words), or a function of the case making either."""
        if isinstance(message, tuple):
            template, relative, system = message
            message = self.pattern(template % self.target.path(self.at(relative)), system)
        text = message(self) if callable(message) else message
        text = self.pattern(text) if isinstance(text, str) else text
        end = re.escape(self.target.end)
        head = self.pattern("Исключительная ситуация %s в модуле " % name) + self.module.encode()
        return head + self.pattern(" по адресу ") + rb"[0-9A-F]{8}\." + end + text + end + end

    def run_in_child(self):
        for step in self.in_child:
            step()

    def run(self):
        command = self.command or self.target.runner + [self.program, *self.row.args.split(" ")]
        command = [part.replace("{source}", self.source) for part in command]
        stdin, env = self.row.stdin, self.target.environment(self.row.env)
        streams = {"input" if isinstance(stdin, bytes) else "stdin": stdin, "stdout": self.stdout}
        in_child = self.run_in_child if self.in_child else None
        done = subprocess.run(
            command, cwd=self.cwd, env=env, timeout=120, preexec_fn=in_child, stderr=PIPE, **streams
        )
        if self.output:
            done.stdout = Path(self.output).read_bytes()
        return done


def verify(c, before, after, done):  # what every row holds (see the top), then its own check
    expect, lost = c.row.expect, set(after) ^ set(before)
    assert not lost, "entries left behind or lost: %s" % lost
    if expect.report not in (None, CHECKED):
        assert re.fullmatch(c.report(*expect.report), done.stderr), done.stderr
    assert expect.report or done.stderr == b"", done.stderr
    assert done.returncode == expect.status, (done.returncode, done.stderr, len(done.stdout or b""))
    if expect.lines is not None:
        assert (done.stdout or b"") == c.target.screen(expect.lines), done.stdout
    for key, relative in c.scripts.items():
        new = {**NEW, **expect.new}.get(key)
        wanted = new if key in expect.saved else before[relative]
        assert after[relative] in (wanted, *[new] * (key in expect.either)), relative
    assert not c.row.check or c.row.check(c, done), (done.stdout, done.stderr)


class Skip(Exception):
    """The row cannot be made here; the reason is printed."""


def attempt(target, row):  # None when the row holds on the build, a Skip, or what went wrong
    if "plain" in row.on and target.instrumented:
        return Skip("under " + target.name)
    if "root" in row.on and os.geteuid() != 0:
        return Skip("without root")
    with contextlib.ExitStack() as cleanup:
        try:
            c = Case(target, row, cleanup)
            before = c.snapshot()
            done = c.run()
            verify(c, before, c.snapshot(), done)
        except Skip as e:
            return e
        except (Exception, SystemExit) as e:  # a failing row is reported, the rest go on
            return str(e)[:2000] or type(e).__name__
    return None


# The rows' steps (done on the Case before the run), checks and messages.


def put(files, c):  # written (kept so if no script), or made by a function of its path
    for relative, data in files.items():
        if not callable(data):
            c.write(relative, data)
            if relative not in c.scripts.values():
                c.scripts[relative] = relative
            continue
        if os.path.lexists(c.at(relative)):
            os.remove(c.at(relative))
        data(c.at(relative))
        c.scripts = {k: v for k, v in c.scripts.items() if v != relative}


def rename(renames, c):
    for old, new in renames.items():
        os.rename(c.at(old), c.at(new))
        c.scripts = {k: new if v == old else v for k, v in c.scripts.items()}


def linked(relative, name, c):  # the script moved to `name` and a link to it in its place
    rename({relative: name}, c)
    put({relative: partial(os.symlink, "../" + name)}, c)


def chmod(modes, c):
    for relative, mode in modes.items():
        os.chmod(c.at(relative), mode)


def modes_kept(modes, c, done):
    return all(os.stat(c.at(r)).st_mode & 0o7777 == m for r, m in modes.items())


def limit(kind, size, c):  # in the program's process
    c.in_child.append(partial(resource.setrlimit, kind, (size, size)))


def closed(fd, c):  # in the program's process
    c.in_child.append(partial(os.close, fd))


def relative_source(c):  # from the tool's directory, with the system's separator
    c.cwd, c.source = c.tool, os.path.join(".", "..", "tool", "..", "I386", "")
    c.source = c.source.replace("/", "\\") if c.target.wine else c.source


def stdout_to_file(c):
    c.output = os.path.join(c.scratch, "out")
    c.stdout = c.cleanup.enter_context(open(c.output, "wb"))


def stdout_full(c):
    c.stdout = c.cleanup.enter_context(open("/dev/full", "wb"))


def stdout_closed_pipe(c):
    read_end, c.stdout = os.pipe()
    os.close(read_end)
    c.cleanup.callback(os.close, c.stdout)


def on_a_terminal(c):
    leader, c.stdout = pty.openpty()
    c.cleanup.callback(os.close, leader)
    c.cleanup.callback(os.close, c.stdout)


def traced(c):  # strace records the program's writes to standard output
    c.trace = os.path.join(c.scratch, "trace")
    c.command = ["strace", "-o", c.trace, "-e", "trace=write", "-e", "signal=none"]
    c.command += [c.program, *c.row.args.split(" ")]


def wrote(sizes, c, done):
    return re.findall(rb"^write\(1, .*\)\s+= (\d+)$", Path(c.trace).read_bytes(), re.M) == sizes


def io_error(native_text, c):  # wine hands over its own error codes for the console's failures
    if c.target.wine:
        return c.pattern("Ошибка ввода/вывода ") + rb"-?\d+\."
    return c.pattern(native_text + ".")


def mounted(size, txtsetup, dosnet, read_only, c):  # the source on a tmpfs of its own
    small = c.at("small")
    os.mkdir(small)
    subprocess.run(["mount", "-t", "tmpfs", "-o", "size=" + size, "tmpfs", small], check=True)
    c.cleanup.callback(subprocess.run, ["umount", small])
    c.write("small/txtsetup.sif", txtsetup)
    c.write("small/dosnet.inf", dosnet)
    if read_only:
        subprocess.run(["mount", "-o", "remount,ro", small], check=True)
    c.use_setup("small")


def dosnet_unreadable(c):  # a FIFO (root opens any file); on Windows held without sharing
    if not c.target.wine:
        return put({INF: os.mkfifo}, c)
    hold = [c.target.helper("test_helper.exe"), "hold", c.target.path(c.at(INF))]
    holder = subprocess.Popen(["wine", *hold], stdin=PIPE, stdout=PIPE, env=c.target.environment())
    c.cleanup.callback(holder.communicate, b"")
    assert holder.stdout.readline().strip() == b"held"


def place_named(c, done):  # the place where memory ran out
    return b" 00000000." not in done.stderr


def dosnet_of_2_gib(c):
    os.truncate(c.at(INF), 2 << 30)


def in_directory(parts, c):
    """The source moved there; on Linux run from above it (Windows keeps a cwd under MAX_PATH)."""
    above = os.path.join(*parts[:-1])
    os.makedirs(c.at(above), exist_ok=True)
    os.rename(c.setup, c.at(os.path.join(*parts)))
    c.use_setup(os.path.join(*parts))
    if not c.target.wine:
        c.cwd, c.source = c.at(above), parts[-1]


def drive_root(c):  # a drive whose root is the source
    link = os.path.join(c.target.prefix, "dosdevices", "r:")
    if os.path.lexists(link):
        os.remove(link)
    os.symlink(c.setup, link)
    c.cleanup.callback(os.remove, link)
    c.source = "R:\\"


def interrupt(number, c):
    """Sent once a save's temporary file is there (a large txtsetup.sif keeps it); no core."""
    limit(resource.RLIMIT_CORE, 0, c)
    c.write(SIF, LONG_SIF)
    watcher = threading.Thread(target=signal_when_saving, args=(c, number))
    watcher.start()
    c.cleanup.callback(watcher.join)


def signal_when_saving(c, number):
    for _ in range(60000):
        if any(re.match(r"\.vornix-|vornix-.*\.tmp$", n) for n in os.listdir(c.setup)):
            marks = (c.program.encode(), c.target.path(c.program).encode())  # or wine's own
            for pid in filter(str.isdigit, os.listdir("/proc")):
                with contextlib.suppress(OSError):
                    if any(mark in Path("/proc/%s/cmdline" % pid).read_bytes() for mark in marks):
                        os.kill(int(pid), number)
            return
        time.sleep(0.001)


def fault(kind, c, late=False):
    """The test helper faulting as `kind` says, a save's temporary file noted, or after the end."""
    name = "test_helper" + ".exe" * c.target.wine
    c.module = r"\S+" if kind in ("inpage", "other") else re.escape(name)  # or a system library
    args = [kind, c.target.path(c.at("I386/t.tmp"))] + ["late"] * late
    c.command = c.target.runner + [c.target.helper(name), *args]


def runtime_error(number, c, done):
    line = rb"Runtime error %3d at (?!0{8})[0-9A-F]{8}" % number + re.escape(c.target.end)
    return re.fullmatch(re.escape(c.target.screen(["before"])) + line, done.stdout)


def dies(kind, number, late=True):  # the test helper's fault ends the run in a runtime error
    setup = [partial(fault, kind, late=late)]
    return Row(Outcome(None, number), setup, "plain", partial(runtime_error, number))


def batch_file(c):  # the README's remove-drivers.bat as the build makes it, run by cmd
    shutil.copy(c.target.helper("remove-drivers.bat"), c.tool)
    batch = c.target.path(os.path.join(c.tool, "remove-drivers.bat"))
    c.command = ["wine", "cmd", "/c", batch, "{source}"]


def told(pattern, c, done):  # what the batch file says last
    return re.search(pattern.replace(b"{source}", re.escape(c.source.encode())), done.stdout)


def batch(expect, said, *setup, env=()):  # remove-drivers.bat after the program's run
    return Row(expect, [*setup, batch_file], "wine", partial(told, said), env=dict(env))


def rights_noted(c):  # ACLs on txtsetup.sif and for new files of I386, user.* on dosnet.inf
    try:
        for acl in (["-m", "u:12345:r", c.at(SIF)], ["-dm", "u:12345:rw", c.setup]):
            subprocess.run(["setfacl", *acl], check=True, stderr=PIPE)
        os.setxattr(c.at(INF), "user.origin", b"cd 1")
    except (OSError, subprocess.CalledProcessError) as e:
        raise Skip("without ACLs and user attributes here (%s)" % str(e).strip())
    names = {SIF: "system.posix_acl_access", INF: "user.origin"}
    c.kept = {(r, n): os.getxattr(c.at(r), n) for r, n in names.items()}


def rights_kept(c, done):  # and dosnet.inf, which had no ACL, takes none from the directory
    kept = all(os.getxattr(c.at(r), n) == value for (r, n), value in c.kept.items())
    return kept and "system.posix_acl_access" not in os.listxattr(c.at(INF))


def first_run_holding(c):  # another run, stopped while it holds the source by a full pipe
    c.drain, full = os.pipe()
    os.write(full, b"x" * fcntl.fcntl(full, fcntl.F_GETPIPE_SZ))
    cmd, env = c.target.runner + [c.program, c.source, "-Q"], c.target.environment()
    c.first = subprocess.Popen(cmd, stdin=DEVNULL, stdout=full, stderr=PIPE, cwd=c.root, env=env)
    os.close(full)
    c.cleanup.callback(os.close, c.drain)
    c.cleanup.callback(c.first.wait)
    c.cleanup.callback(c.first.kill)
    for _ in range(6000):
        if held(c):
            return
        time.sleep(0.01)
    raise AssertionError("the first run never held the source")


def held(c):  # wine's lock file is there, or the directory's lock is taken
    if c.target.wine:
        return os.path.exists(c.at("I386/vornix.lock"))
    return b":%d " % os.stat(c.setup).st_ino in Path("/proc/locks").read_bytes()


def first_run_saves(c, done):  # once its output flows it saves both and leaves nothing behind
    with open(c.drain, "rb", closefd=False) as output:
        output.read()
    c.first.wait(60)
    saved = all(Path(c.at(r)).read_bytes() == NEW[k] for k, r in c.scripts.items())
    left = sorted(os.listdir(c.setup))
    return c.first.returncode == 0 and saved and left == ["dosnet.inf", "txtsetup.sif"]


def held_message(c):
    held_path = c.at("I386/vornix.lock" if c.target.wine else "I386")
    return c.pattern(OPEN % c.target.path(held_path), "Resource temporarily unavailable")


OPEN, CREATE = 'Не могу открыть файл "%s". {system}.', 'Не могу создать файл "%s". {system}.'
WRITE, FULL = 'Ошибка записи потока в файл "%s". {system}.', "No space left on device"
MISSING, BIG, EMPTY = "Unnable to open txtsetup.sif!", b"y" * (64 << 20), partial(put, {SIF: b""})
PAUSED, BOTH, CHECKED, NATIVE = ok(SAVED + PAUSE), ("txtsetup", "dosnet"), "checked", "native plain"
IO, FSIZE, MEMORY = "EInOutError", resource.RLIMIT_FSIZE, resource.RLIMIT_AS
HIGH, DENIED = bytes(range(0x80, 0x100)) + "Диск".encode("cp866"), "Permission denied"
NO_MEMORY = fails("EOutOfMemory", "Не хватает памяти.")
EMPTIED = fails("EStringListError", "Индекс списка вышел за границы (-1).")  # by EMPTY
USAGE = ["Usage: Vornix <I386_DIR>  [-Q]", "", "I386_DIR dir - I386 source dir to MassStorage"]
USAGE[-1] += " driver integration"
USAGE += ["-Q (optional) - batch mode - no wait user input", ""]
USAGE += ["For more info see readme.txt (to future...)"] + PAUSE
CYRILLIC = {"LANG": "C.UTF-8"}  # wine's ANSI code page is then 1252: no Cyrillic letter
LISTED = BANNER + ["Text-mode mass-storage drivers in TXTSETUP.SIF: 2", ""]
LISTED += ["  abc  abc.sys  0 IDs  (no description) <- abc"]
LISTED += ["  x    x        0 IDs  (no description)"]
PREVIEW = BANNER + ["Preview: nothing is written.", "", "abc", "  TXTSETUP.SIF 2: abc.sys = 1"]
PREVIEW += ["  TXTSETUP.SIF 5: abc = abc.sys,4", "  DOSNET.INF 2: d1,abc.sys", ""]
PREVIEW += ["Would append 1 line to DOSNET.INF and 2 lines to TXTSETUP.SIF."]
PREVIEW += ["Would cut the end-of-file marker from TXTSETUP.SIF."]
MANY_DRIVERS = crlf(b"[SCSI]", *[b"file%05d.sys = 1,,,,,,4_,4,1" % i for i in range(1500)])
ODD = {INF: b"[Files]\rd1,abc.sys\n\rd1,x.sys\r\r\nlast" + b"\0" * 300}
ODD[SIF] = b"[SCSI.Load]\r\nx\x1ay = 1\r\nabc = abc.sys,4\r\n" + HIGH + b"\x1a\x1a\r\n"
ODD_NEW = {"txtsetup": crlf(b"[SCSI.Load]", b"x\x1ay = 1", b"", HIGH) + ADDED}
ODD_NEW["dosnet"] = crlf(b"[Files]", b"", b"", b"d1,x.sys", b"", b"last", b"s")
VIOLATION = 'Нарушение доступа по адресу {hex} в модуле "test_helper{exe}". %s по адресу %s.'
FAULTS = [  # the test helper's kind of fault, the class and message of the report, `on`
    ("read", "EAccessViolation", VIOLATION % ("Чтение", "00000010"), "plain"),
    ("write", "EAccessViolation", VIOLATION % ("Запись", "00000020"), "plain"),
    ("stack", "EStackOverflow", "Переполнение стека.", "plain"),
    ("divide", "EDivByZero", "Деление на ноль.", "plain"),
    ("illegal", "EPrivilege", "Привилегированная инструкция.", "plain"),
    ("privileged", "EPrivilege", "Привилегированная инструкция.", "plain wine"),
    ("inpage", "EInPageError", "Ошибка страницы ввода/вывода.", "plain"),
    ("other", "EExternalException", "Внешнее исключение {code}.", "plain"),
]
SIGNALS = [getattr(signal, n) for n in "SIGINT SIGTERM SIGHUP SIGQUIT SIGUSR1 SIGRTMIN".split()]
LATE_FAULTS = [("read", 216), ("divide", 200), ("illegal", 255), ("other", 255)]
CONSOLE = [  # standard output made to fail, the message on Linux
    ("standard output closed", partial(closed, 1), "Ошибка ввода/вывода 105"),
    ("standard output a full device", stdout_full, "Диск полон"),
    ("standard output a closed pipe", stdout_closed_pipe, "Ошибка ввода/вывода 32"),
]
STDIN_CLOSED = fails(IO, partial(io_error, "Ошибка ввода/вывода 104"), SAVED + PAUSE, BOTH)
SIZES = [len(line) + 1 for line in SAVED]  # of the screen's lines on Linux
BLOCKS, LINES = [b"128", b"%d" % (sum(SIZES) - 128)], [b"%d" % n for n in SIZES]
FULL_AT_DOSNET = unwritten("small/DOSNET.INF", FULL, ("txtsetup",))
FULL_AT_DOSNET.new["txtsetup"] = SCSI + ADDED
FULL_AT_SIF, FILLED = unwritten("small/TXTSETUP.SIF", FULL), DOSNET + b"x" * 50000
READ_ONLY = refused("small/TXTSETUP.SIF", "Read-only file system")
MOUNTS = {  # the source on a tmpfs of its own: the outcome; the size, scripts, read-only or not
    "disk full writing the first script": (FULL_AT_SIF, "64k", MANY_DRIVERS, DOSNET, False),
    "disk full writing the second script": (FULL_AT_DOSNET, "64k", SCSI, FILLED, False),
    "a read-only file system": (READ_ONLY, "1m", TXTSETUP, DOSNET, True),
}
SAVE_LIMIT = (partial(put, {SIF: b"x" * 8192 + b"\r\n" + TXTSETUP}), partial(limit, FSIZE, 4096))
UPPER, KEPT_MODES = {SIF: "I386/TXTSETUP.SIF", INF: "I386/DOSNET.INF"}, {SIF: 0o6755, INF: 0o1640}
LOOP = "Too many levels of symbolic links"
BATCH_END = {  # what remove-drivers.bat says last, after the run the row makes
    "complete": rb"Drivers removed from {source}\.\r\n\Z",
    "stopped": rb" holds no txtsetup\.sif or no dosnet\.inf\.\r\n\Z",
    "failed": rb"vornix failed with status 1: see the report above\.\r\n\Z",
}

ROWS = {
    "a complete batch run": Row(ok()),
    "an interactive run reads one line": Row(PAUSED, args="{source}", stdin=b"\r\n"),
    "a preview writes nothing": Row(Outcome(PREVIEW), args="{source} -N"),
    "a preview without a script stops without the pause": Row(stops(MISSING), args="{source}x -n"),
    "/N is -N": Row(Outcome(PREVIEW), args="{source} /N"),
    "/? after the directory: the usage screen and the pause, nothing read or written": Row(
        Outcome(BANNER + USAGE), args="{source} /?"
    ),
    "a UTF-8 byte-order mark before txtfiles.del": Row(
        ok(), [partial(put, {"tool/txtfiles.del": b"\xef\xbb\xbfabc\r\n"})]
    ),
    "a list writes nothing": Row(Outcome(LISTED), args="{source} -L"),
    "a list without a script stops without the pause": Row(stops(MISSING), args="{source}x /l"),
    "a relative path with .. and a separator at its end, -q, an empty argument": Row(
        ok(), [relative_source], args="{source} -q "
    ),
    # The console.
    "standard output to a file holds the screen's bytes, standard input the null device": Row(
        PAUSED, [stdout_to_file], args="{source}", stdin=DEVNULL
    ),
    "output to a pipe leaves in blocks of 128 bytes": Row(
        ok(), [traced], NATIVE, partial(wrote, BLOCKS)
    ),
    "a terminal gets each line in one write": Row(
        ok(None), [traced, on_a_terminal], NATIVE, partial(wrote, LINES)
    ),
    **{name: Row(fails(IO, partial(io_error, text), []), [step]) for name, step, text in CONSOLE},
    "standard input closed": Row(STDIN_CLOSED, [partial(closed, 0)], args="{source}"),
    "a file-size limit met by standard output": Row(
        fails(IO, "Ошибка ввода/вывода 27.", []), [partial(limit, FSIZE, 0), stdout_to_file], NATIVE
    ),
    # Disks, rights and odd entries.
    **{
        name: Row(expect, [partial(mounted, *disk)], "root")
        for name, (expect, *disk) in MOUNTS.items()
    },
    "a file-size limit met while saving": Row(
        unwritten("I386/TXTSETUP.SIF", "File too large"), SAVE_LIMIT, NATIVE
    ),
    "txtsetup.sif read-only": Row(
        refused("I386/TXTSETUP.SIF", DENIED), [partial(chmod, {SIF: 0o444})]
    ),
    "dosnet.inf read-only": Row(
        refused("I386/DOSNET.INF", DENIED, saved=("txtsetup",)), [partial(chmod, {INF: 0o444})]
    ),
    "set-user-ID, set-group-ID, sticky and other mode bits are kept": Row(
        ok(), [partial(chmod, KEPT_MODES)], "native root", partial(modes_kept, KEPT_MODES)
    ),
    # Wine shows a Unix link as a plain file, and replaces the link itself.
    "a script that is a link: refused before anything is written": Row(
        refused("I386/DOSNET.INF", LOOP, BANNER), [partial(linked, INF, "d")], "native"
    ),
    "a preview reads through a link": Row(
        Outcome(PREVIEW), [partial(linked, SIF, "t")], "native", args="{source} -N"
    ),
    "an ACL and a user attribute are kept": Row(ok(), [rights_noted], "native", rights_kept),
    "a second run while the first holds the source fails; the first saves": Row(
        fails("EFOpenError", held_message), [first_run_holding], check=first_run_saves
    ),
    "the scripts in upper case are the same files": Row(ok(), [partial(rename, UPPER)]),
    "of two spellings the smaller in byte order": Row(
        ok(), [partial(rename, {SIF: UPPER[SIF]}), partial(put, {SIF: b"other"})], "native"
    ),
    "the directory missing": Row(stops(MISSING), args="{source}-missing -Q"),
    "txtsetup.sif a directory": Row(stops(MISSING), [partial(put, {SIF: os.mkdir})]),
    "dosnet.inf a dangling link": Row(
        stops("Unnable to open dosnet.inf!"), [partial(put, {INF: partial(os.symlink, "gone")})]
    ),
    "dosnet.inf cannot be opened": Row(
        fails("EFOpenError", (OPEN, INF, "Invalid argument")), [dosnet_unreadable]
    ),
    "memory exhausted": Row(
        NO_MEMORY, [partial(put, {SIF: BIG}), partial(limit, MEMORY, 48 << 20)], NATIVE, place_named
    ),
    "a script of 2 GiB": Row(NO_MEMORY, [dosnet_of_2_gib]),
    # What the files hold.
    "an empty txtsetup.sif": Row(EMPTIED, [EMPTY]),
    "odd bytes: 0x80 to 0xFF, 0x1A in a line and at the end, mixed line ends, NUL padding": Row(
        ok(**ODD_NEW), [partial(put, ODD)]
    ),
    "a line of 64 MiB": Row(
        ok(dosnet=crlf(b"[Files]", b"", b"d1,x.sys", BIG, b"s")),
        [partial(put, {INF: DOSNET + BIG})],
    ),
    # Where the source lies.
    "a path with blanks and letters beyond ASCII": Row(
        ok(), [partial(in_directory, ("My \u00e9t\u00e9 Disk", "I 3 8 6"))]
    ),
    "a directory the code page cannot spell (Cyrillic under code page 1252)": Row(
        ok(), [partial(in_directory, ("x", "\u041f\u0430\u043f\u043a\u0430"))], env=CYRILLIC
    ),
    "a path over 260 bytes of names of 255, from a current directory as long": Row(
        ok(), [partial(in_directory, ("n" * 255, "p" * 60, "d" * 255))]
    ),
    "a drive root": Row(ok(), [drive_root], "wine"),
    # Interrupts and faults of the processor.
    **{
        f"{n.name} during a save": Row(
            Outcome(None, -n, **INTERRUPTED), [partial(interrupt, n)], NATIVE
        )
        for n in SIGNALS
    },
    "Ctrl+C (SIGINT to wine) during a save": Row(
        Outcome(None, **INTERRUPTED), [partial(interrupt, signal.SIGINT)], "wine"
    ),
    **{
        f"a fault: {kind}": Row(fails(name, text, ["before"]), [partial(fault, kind)], on)
        for kind, name, text, on in FAULTS
    },
    **{f"a fault after the run's end: {kind}": dies(kind, n) for kind, n in LATE_FAULTS},
    "a C++ exception that no handler takes": dies("throw", 217, late=False),
    # What only the Windows programs have.
    "the report in the OEM code page of a Russian system": Row(
        EMPTIED, [EMPTY], "wine", env={"LANG": "ru_RU.UTF-8"}
    ),
    "remove-drivers.bat after a complete run": batch(ok(None), BATCH_END["complete"]),
    "remove-drivers.bat after a stopped run": batch(
        Outcome(None, 2), BATCH_END["stopped"], partial(put, {INF: os.mkdir})
    ),
    "remove-drivers.bat on a directory the code page cannot spell": batch(
        ok(None),
        rb"\r\nDrivers removed from ",  # the path as the console shows it
        partial(in_directory, ("x", "\u041f\u0430")),
        env=CYRILLIC,
    ),
    "remove-drivers.bat after a failed run": batch(
        Outcome(None, 1, CHECKED), BATCH_END["failed"], EMPTY
    ),
}


def main(argv):
    wanted = argv[argv.index("-k") + 1] if "-k" in argv else ""
    failed = ran = 0
    for t in [Target(a) for a in argv[1:] if "=" in a]:
        if t.wine:  # a prefix and a server of its own
            t.prefix = tempfile.mkdtemp(prefix="vornix-wine-")
            t.wineserver("wineserver -p; wine cmd /c exit")
        for name, row in ROWS.items():
            if wanted not in name or t.foreign in row.on:
                continue
            problem = attempt(t, row)
            # wine died without a word, or the program ended having written nothing
            lost = t.wine and re.fullmatch(r"\(-\d+, b'', \d+\)|\(\d+, b'', 0\)", str(problem))
            if problem and ("wine client error" in str(problem) or lost):  # once more
                problem = attempt(t, row)
            ran, failed = ran + (not isinstance(problem, Skip)), failed + isinstance(problem, str)
            verdict = "ok   " + name if problem is None else "FAIL %s: %s" % (name, problem)
            if isinstance(problem, Skip):
                verdict = "not run %s: %s" % (problem, name)
            print("%-9s %s" % (t.name, verdict))
        if t.wine:
            t.wineserver("wineserver -k")
            shutil.rmtree(t.prefix, ignore_errors=True)
    print("%d rows, %d failed" % (ran, failed))
    return 1 if failed or not ran else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
