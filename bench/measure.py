#!/usr/bin/env python3
"""Times whole runs of `vornix I386 -Q` against one `cp txtsetup.sif
dosnet.inf DEST/` process, for deletion lists of 0, 200 and 5,000 names, and
reads the tool's peak memory with /usr/bin/time. Exit status 0 unless a run
failed or the tool did not do its work; the figures never change it."""

import argparse, os, random, re, shutil, statistics, subprocess, sys, tempfile, time
from pathlib import Path
import make_source

TARGETS = {200: 3.0, 5000: 20.0}  # tool/copy wall time
NULL = [(os.POSIX_SPAWN_OPEN, fd, os.devnull, os.O_RDWR, 0) for fd in (0, 1, 2)]
DEVNULL = subprocess.DEVNULL


def timed(argv):
    """(wall ms, CPU user + system s) of one process; its stdin is /dev/null."""
    start = time.perf_counter_ns()
    _, status, use = os.wait4(os.posix_spawn(argv[0], argv, os.environ, file_actions=NULL), 0)
    wall = (time.perf_counter_ns() - start) / 1e6
    if os.waitstatus_to_exitcode(status):
        raise RuntimeError(f"{' '.join(argv)}: exit {os.waitstatus_to_exitcode(status)}")
    return wall, use.ru_utime + use.ru_stime


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


def spread(samples):
    q = statistics.quantiles(samples, n=4) if len(samples) > 1 else [0, 0, 0]
    return f"{100 * (q[2] - q[0]) / statistics.median(samples):.0f}%"


def measure(work, args, tools, data, pool):
    i386, pristine, dest = (Path(work, d) for d in ("I386", "pristine", "copy"))
    for d in (i386, pristine, dest):
        d.mkdir()
    for n, body in data.items():
        (pristine / n).write_bytes(body)
    restore = lambda: [shutil.copyfile(pristine / n, i386 / n) for n in data]
    copy = [shutil.which("cp")] + [str(pristine / n) for n in data] + [f"{dest}/"]
    fs = subprocess.run(["stat", "-f", "-c", "%T", work], capture_output=True, text=True).stdout.strip()
    print(f"\n== {work} ({fs}): " + "; ".join(f"{n} {len(b.splitlines()):,} lines {len(b):,} bytes"
                                              for n, b in data.items()))
    print(f"   # {'names':>5} {'present':>7} {'blanked':>11} {'tool ms':>8} {'iqr':>4} {'copy ms':>8}"
          f" {'iqr':>4} {'ratio':>6} {'target':>11} {'cpu x':>5} {'peak KiB':>8} {'limit KiB':>9}")
    for count in (0, 200, 5000):
        del_list, present = make_source.name_list(args.seed, count, pool, b"".join(data.values()))
        runs = []
        for k, tool in enumerate(tools):
            bindir = Path(work, f"tool{k + 1}-{count}")
            bindir.mkdir()
            shutil.copy2(tool, bindir / "vornix")
            (bindir / "txtfiles.del").write_bytes(del_list)
            runs.append([str(bindir / "vornix"), str(i386)] + (args.args or ["-Q"]))
        checks, report = {}, Path(work, "peak")
        for argv in runs:  # one checked run and one under /usr/bin/time for the peak, untimed
            restore()
            done = subprocess.run(argv, stdin=DEVNULL, capture_output=True)
            after = [(i386 / n).read_bytes().split(b"\r\n") for n in data]
            blanked = [sum(1 for a, b in zip(old.rstrip(b"\x1a").split(b"\r\n"), new) if a.strip() and not b)
                       for old, new in zip(data.values(), after)]
            if done.returncode or (args.args is None and present and not all(blanked)):
                raise RuntimeError(f"{argv[0]}, {count} names: exit {done.returncode}, blanked {blanked}\n"
                                   + (done.stdout + done.stderr).decode("latin-1"))
            restore()
            if subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report, *argv],
                              stdin=DEVNULL, stdout=DEVNULL, stderr=DEVNULL).returncode:
                raise RuntimeError(f"{argv[0]}, {count} names: the run under /usr/bin/time failed")
            checks[argv[0]] = blanked, int(report.read_text().split()[-1])
        times = {argv[0]: [] for argv in runs + [copy]}
        for i in range(args.runs + 1):  # the first round warms up and is dropped
            for argv in runs + [copy]:
                if argv is not copy and args.args is None:
                    restore()
                os.sync()
                sample = timed(argv)
                if i:
                    times[argv[0]].append(sample)
        copy_walls = [w for w, _ in times[copy[0]]]
        copy_ms, copy_cpu = statistics.median(copy_walls), statistics.median(c for _, c in times[copy[0]])
        limit = (4 * (sum(map(len, data.values())) + len(del_list)) + 4 * 2**20) / 1024
        for k, argv in enumerate(runs):
            (blanked, peak), walls = checks[argv[0]], [w for w, _ in times[argv[0]]]
            tool_ms, cpu = statistics.median(walls), statistics.median(c for _, c in times[argv[0]])
            target = TARGETS.get(count)
            verdict = f"{target:g}x " + ("PASS" if tool_ms / copy_ms <= target else "MISS") if target else "-"
            print(f"   {k + 1} {count:>5} {present:>7} {'/'.join(map(str, blanked)):>11} {tool_ms:>8.2f}"
                  f" {spread(walls):>4} {copy_ms:>8.2f} {spread(copy_walls):>4} {tool_ms / copy_ms:>6.2f}"
                  f" {verdict:>11} {cpu / max(copy_cpu, 1e-6):>5.2f} {peak:>8} {limit:>9.0f}"
                  f" {'PASS' if peak <= limit else 'MISS'}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--tool", action="append", help="vornix binary (build/native/vornix); twice to compare")
    parser.add_argument("--compare", metavar="TOOL", help="a second binary, timed in turn with the first")
    parser.add_argument("--workdir", action="append", help="where to run (repeatable; default a temp dir)")
    parser.add_argument("--runs", type=int, default=21, help="timed runs per side and case (%(default)s)")
    parser.add_argument("--seed", type=int, default=make_source.SEED)
    parser.add_argument("--real", metavar="DIR", help="time the TXTSETUP.SIF and DOSNET.INF in DIR instead")
    parser.add_argument("--args", nargs=argparse.REMAINDER,
                        help="arguments after the directory instead of -Q; nothing is restored (last option)")
    args = parser.parse_args()
    args.args = args.args or None
    tools = args.tool or [Path(__file__).resolve().parents[1] / "build/native/vornix"]
    tools = [os.path.abspath(t) for t in tools + ([args.compare] if args.compare else [])]
    if args.runs < 1 or not all(os.access(t, os.X_OK) for t in tools):
        parser.error(f"--runs must be at least 1 and each tool an executable: {tools}")
    data, pool = scripts(args)
    print(" ".join(f"tool {k + 1}: {t}" for k, t in enumerate(tools)) + f"; {args.runs} runs, median")
    print(f"load average {' '.join(f'{x:.2f}' for x in os.getloadavg())} ({os.cpu_count()} CPUs); "
          "sync before each timed run; limit 4 x (scripts + list) + 4 MiB; peak from /usr/bin/time %M")
    status = 0
    for base in args.workdir or [None]:
        work = tempfile.mkdtemp(prefix="vornix-bench-", dir=base)
        try:
            measure(work, args, tools, data, pool)
        except (RuntimeError, OSError) as failure:
            sys.stdout.flush()
            print(f"FAILED: {failure}", file=sys.stderr)
            status = 1
        finally:
            shutil.rmtree(work, ignore_errors=True)
    return status


if __name__ == "__main__":
    sys.exit(main())
