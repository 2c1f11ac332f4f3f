#!/usr/bin/env python3
"""Whole runs of `vornix I386 -Q` against the floor (bench/floor.c: read each script, write it to a
temporary file beside it, flush, rename it over the script, flush the directory; no parsing), for
deletion lists of 0, 200 and 5,000 names: instructions of the whole process (callgrind, where valgrind
is present), the median wall time of alternating runs, peak memory (/usr/bin/time %M), and the
instructions of a preview (-N) and a list (-L) of the same list. Exit status 0 unless a run failed, the tool did not
blank lines it should have, or the instructions missed their bound (they do not depend on the machine)."""

import argparse, os, random, re, shutil, statistics, subprocess, sys, tempfile, time
from pathlib import Path
import make_source

HERE = Path(__file__).resolve().parent
IR_BOUND = {0: 1.5e6, 200: 2.5e6, 5000: 4.5e6}  # instructions of a run
WALL_BOUND = {200: 1.25, 5000: 1.5}               # tool / floor, median wall time
PEAK_BOUND = {5000: 2.5 * 2**20}                  # bytes
NULL = [(os.POSIX_SPAWN_OPEN, fd, os.devnull, os.O_RDWR, 0) for fd in (0, 1, 2)]


def timed(argv):
    """Wall ms of one process; its standard streams are /dev/null."""
    start = time.perf_counter_ns()
    _, status, _ = os.wait4(os.posix_spawn(argv[0], argv, os.environ, file_actions=NULL), 0)
    if os.waitstatus_to_exitcode(status):
        raise RuntimeError(f"{' '.join(argv)}: exit {os.waitstatus_to_exitcode(status)}")
    return (time.perf_counter_ns() - start) / 1e6


def instructions(argv, out):
    """Instructions of the whole process under callgrind, or None without valgrind."""
    if not shutil.which("valgrind"):
        return None
    subprocess.run(["valgrind", "-q", "--tool=callgrind", f"--callgrind-out-file={out}", *argv],
                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, check=True)
    return int(re.search(r"^(?:summary|totals): (\d+)", Path(out).read_text(), re.M).group(1))


def peak(argv, out):
    subprocess.run(["/usr/bin/time", "-f", "%M", "-o", out, *argv], stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    return int(Path(out).read_text().split()[-1])


def scripts(args):
    """({file name: bytes} of the two scripts, driver names that occur in them)."""
    if not args.real:
        txtsetup, dosnet, pool = make_source.source(args.seed)
        return {"txtsetup.sif": txtsetup, "dosnet.inf": dosnet}, pool
    names = {n.lower(): n for n in os.listdir(args.real)}
    if not {"txtsetup.sif", "dosnet.inf"} <= names.keys():
        sys.exit(f"no TXTSETUP.SIF and DOSNET.INF in {args.real}")
    data = {names[n]: Path(args.real, names[n]).read_bytes().replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
            for n in ("txtsetup.sif", "dosnet.inf")}  # the media has CR LF line ends
    parts = re.split(r"\n(?=\s*\[)", data[names["txtsetup.sif"]].decode("latin-1"))  # one a section
    pool = list(dict.fromkeys(m.lower() for p in parts if p.lstrip().lower().startswith("[sourcedisksfiles")
                              for m in re.findall(r"^\s*([\w$-]+)\.sys\b", p, re.M | re.I)))
    random.Random(args.seed).shuffle(pool)
    return data, pool


def measure(work, args, data, pool):
    text = b"".join(data.values())
    data = {n: b.rstrip(b"\x1a") * (args.scale - 1) + b for n, b in data.items()}
    i386, pristine = Path(work, "I386"), Path(work, "pristine")
    i386.mkdir(), pristine.mkdir()
    for n, body in data.items():
        (pristine / n).write_bytes(body)
    restore = lambda: [shutil.copyfile(pristine / n, i386 / n) for n in data]
    floor = [str(Path(work, "floor"))] + [str(i386 / n) for n in data]
    subprocess.run(["cc", "-O2", "-static", "-o", floor[0], HERE / "floor.c"], check=True)  # linked as the tool is
    print(f"{args.tool}; {work}: " + "; ".join(f"{n} {len(b.splitlines()):,} lines {len(b):,} bytes"
                                                for n, b in data.items()))
    print(f"{'names':>6} {'present':>7} {'blanked':>11} | {'M instr':>7} {'floor':>5} {'-N':>6} {'-L':>6} | "
          f"{'tool ms':>7} {'floor':>6} {'ratio':>5} | {'peak KiB':>8} {'floor':>5}")
    ok = True
    for count in args.names:
        del_list, present = make_source.name_list(args.seed, count, pool, text)
        bindir = Path(work, f"tool-{count}")
        bindir.mkdir()
        shutil.copy2(args.tool, bindir / "vornix")
        (bindir / "txtfiles.del").write_bytes(del_list)
        tool = [str(bindir / "vornix"), str(i386), "-Q"]
        restore()
        done = subprocess.run(tool, stdin=subprocess.DEVNULL, capture_output=True)
        after = [(i386 / n).read_bytes().split(b"\r\n") for n in data]
        blanked = [sum(1 for a, b in zip(old.rstrip(b"\x1a").split(b"\r\n"), new) if a.strip() and not b)
                   for old, new in zip(data.values(), after)]
        if done.returncode or (present and not all(blanked)):
            raise RuntimeError(f"{count} names: exit {done.returncode}, blanked {blanked}\n"
                               + (done.stdout + done.stderr).decode("latin-1"))
        out = Path(work, "out")
        ir = []
        for argv in (tool, floor, tool[:2] + ["-N"], tool[:2] + ["-L"]):  # each on the scripts as given
            restore()
            ir.append(instructions(argv, out))
        restore()
        peaks = [peak(tool, out), peak(floor, out)]
        walls = [[], []]
        for i in range(args.runs + 1):  # alternating; the first round warms up and is dropped
            for k, argv in enumerate((tool, floor)):
                restore()
                os.sync()
                wall = timed(argv)
                if i:
                    walls[k].append(wall)
        tool_ms, floor_ms = (statistics.median(w) if w else float("nan") for w in walls)
        marks = []
        if ir[0] is not None and count in IR_BOUND and ir[0] > IR_BOUND[count] * args.scale:
            marks.append(f"instructions over {IR_BOUND[count] / 1e6:g} M")
        if ir[0] is not None and ir[2] > 2 * ir[0]:
            marks.append("preview over twice the run")
        if ir[0] is not None and ir[3] > 2 * ir[0]:
            marks.append("list over twice the run")
        ok = ok and not marks
        if count in WALL_BOUND and args.runs and tool_ms / floor_ms > WALL_BOUND[count]:
            marks.append(f"wall over {WALL_BOUND[count]}x")
        if count in PEAK_BOUND and peaks[0] * 1024 > PEAK_BOUND[count] * args.scale:
            marks.append("peak over 2.5 MB")
        m = lambda x: f"{x / 1e6:.2f}" if x is not None else "-"
        print(f"{count:>6} {present:>7} {'/'.join(map(str, blanked)):>11} | {m(ir[0]):>7} {m(ir[1]):>5} "
              f"{m(ir[2]):>6} {m(ir[3]):>6} | {tool_ms:>7.2f} {floor_ms:>6.2f} {tool_ms / floor_ms:>5.2f} | "
              f"{peaks[0]:>8} {peaks[1]:>5}  {'; '.join(marks) or 'ok'}")
    return ok


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--tool", default=str(HERE.parent / "build/native/vornix"), help="(%(default)s)")
    parser.add_argument("--workdir", help="where to run (default: a temporary directory)")
    parser.add_argument("--runs", type=int, default=21, help="timed runs per side (%(default)s; 0: none)")
    parser.add_argument("--seed", type=int, default=make_source.SEED)
    parser.add_argument("--real", metavar="DIR", help="the TXTSETUP.SIF and DOSNET.INF in DIR instead")
    parser.add_argument("--scale", type=int, default=1, help="each script repeated this often (%(default)s)")
    parser.add_argument("--names", default="0,200,5000", help="list sizes (%(default)s)")
    args = parser.parse_args()
    args.names = [int(n) for n in args.names.split(",")]
    args.tool = os.path.abspath(args.tool)
    print(f"load average {' '.join(f'{x:.2f}' for x in os.getloadavg())}; {args.runs} alternating runs; "
          "bounds scale with --scale")
    work = tempfile.mkdtemp(prefix="vornix-bench-", dir=args.workdir)
    try:
        return 0 if measure(work, args, *scripts(args)) else 1
    except (RuntimeError, OSError, subprocess.CalledProcessError) as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
