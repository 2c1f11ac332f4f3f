#!/usr/bin/env python3
"""check_packages.py CPACK VERSION native=BUILD win32=BUILD win64=BUILD: each
release archive, made afresh by cpack, holds one folder of its own name with
exactly the files that ship, the bytes of the build and the source tree; the
Windows batch file is the README's ```bat block, readme.txt the README's guide
in Windows-1251, both with CR LF. The programs are run by the end-to-end tests."""
import io, os, re, subprocess, sys, tarfile, tempfile, zipfile  # noqa: E401

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def problems(cpack, version, name, build):
    windows, platform = name.startswith("win"), name if name != "native" else "linux-" + os.uname().machine
    top = "vornix-%s-%s/" % (version, platform)
    with tempfile.TemporaryDirectory(prefix="vornix-packages-") as scratch:  # cpack builds what is out of date
        subprocess.run([cpack, "-B", scratch], cwd=build, check=True, stdout=subprocess.DEVNULL)
        data = open(os.path.join(scratch, top[:-1] + (".zip" if windows else ".tar.gz")), "rb").read()
    readme = open(os.path.join(ROOT, "README.md"), encoding="utf-8").read()
    expected = {n: open(os.path.join(ROOT, n), "rb").read() for n in ("README.md", "LICENSE")}
    expected.update({n: open(os.path.join(ROOT, "sample", "tool", n), "rb").read()
                     for n in ("txtfiles.del", "dosnet.add", "txtsetup.add")})
    built = ["vornix.exe", "remove-drivers.bat", "readme.txt"] if windows else ["vornix"]
    expected.update({n: open(os.path.join(build, n), "rb").read() for n in built})
    found = [] if not windows else [n for n, text in (
        ("remove-drivers.bat", re.search(r"^```bat\n(.*?)^```$", readme, re.M | re.S).group(1).encode("ascii")),
        ("readme.txt", readme[:readme.index("## Release packages")].encode("cp1251")))
        if expected[n] != text.replace(b"\n", b"\r\n")]
    if windows:
        with zipfile.ZipFile(io.BytesIO(data)) as z:
            members = {n: z.read(n) for n in z.namelist() if not n.endswith("/")}
    else:
        with tarfile.open(fileobj=io.BytesIO(data)) as t:
            members = {m.name: t.extractfile(m).read() for m in t.getmembers() if m.isfile()}
    found += ["the archive holds %s" % sorted(members)] if sorted(members) != sorted(top + n for n in expected) else []
    found += ["%s differs from the build or the source tree" % n for n in expected if members.get(top + n) != expected[n]]
    print("%s: %s" % (top[:-1], "; ".join(found) or "ok"))
    return found


if __name__ == "__main__":
    found = [p for entry in sys.argv[3:] for p in problems(sys.argv[1], sys.argv[2], *entry.split("=", 1))]
    sys.exit(1 if found or len(sys.argv) < 4 else 0)
