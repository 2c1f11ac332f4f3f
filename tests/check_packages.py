#!/usr/bin/env python3
"""Checks the release archives that cpack makes from the build directories.

    check_packages.py CPACK VERSION native=BUILD win32=BUILD win64=BUILD

Each archive, made afresh, holds one folder of its own name with exactly the
files that ship, the same bytes as in the build or the source tree; the
Windows batch file is the README's ```bat block and readme.txt its guide, in
Windows-1251, both with CR LF line ends. The programs themselves are run by
the end-to-end tests, not here.
"""
import os
import re
import subprocess
import sys
import tarfile
import tempfile
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def read(path):
    with open(path, "rb") as f:
        return f.read()


def problems(cpack, version, name, build):
    windows, platform = name.startswith("win"), name if name != "native" else "linux-" + os.uname().machine
    files = {n: os.path.join(ROOT, n) for n in ("README.md", "LICENSE")}
    files.update({n: os.path.join(ROOT, "sample", "tool", n) for n in ("txtfiles.del", "dosnet.add", "txtsetup.add")})
    files.update({n: os.path.join(build, n) for n in (["vornix.exe", "remove-drivers.bat", "readme.txt"]
                                                         if windows else ["vornix"])})
    top = "vornix-%s-%s/" % (version, platform)
    with tempfile.TemporaryDirectory(prefix="vornix-packages-") as scratch:
        subprocess.run([cpack, "-B", scratch], cwd=build, check=True, stdout=subprocess.DEVNULL)
        archive = os.path.join(scratch, top[:-1] + (".zip" if windows else ".tar.gz"))
        if windows:
            with zipfile.ZipFile(archive) as z:
                members = {n: z.read(n) for n in z.namelist() if not n.endswith("/")}
        else:
            with tarfile.open(archive) as t:
                members = {m.name: t.extractfile(m).read() for m in t.getmembers() if m.isfile()}
    found = [] if sorted(members) == sorted(top + n for n in files) else ["it holds %s" % sorted(members)]
    found += ["%s is not %s" % (n, path) for n, path in files.items() if members.get(top + n) != read(path)]
    readme = read(files["README.md"]).decode()
    block = re.search(r"^```bat\n(.*?)^```$", readme, re.M | re.S).group(1)
    if windows and read(files["remove-drivers.bat"]) != block.replace("\n", "\r\n").encode("ascii"):
        found.append("remove-drivers.bat is not the README's batch file")
    guide = readme[:readme.index("## Release packages")].replace("\n", "\r\n").encode("cp1251")
    if windows and read(files["readme.txt"]) != guide:
        found.append("readme.txt is not the README's guide in Windows-1251 with CR LF")
    print("%s: %s" % (os.path.basename(archive), "; ".join(found) or "ok"))
    return found


if __name__ == "__main__":
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    found = [p for entry in sys.argv[3:] for p in problems(sys.argv[1], sys.argv[2], *entry.split("=", 1))]
    sys.exit(1 if found else 0)
