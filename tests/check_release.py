#!/usr/bin/env python3
"""check_release.py CPACK VERSION native=BUILD win32=BUILD win64=BUILD: each release archive, made
afresh by cpack, holds one folder of its own name with exactly the files that ship, the bytes of the
build and the source tree; the Windows batch file is the README's ```bat block, readme.txt its guide
in Windows-1251, both with CR LF. A Windows program imports only KERNEL32 and msvcrt, nothing that
came after Windows XP, and carries the product's version record. End-to-end tests run the programs."""
import io, os, re, struct, subprocess, sys, tarfile, tempfile, zipfile  # noqa: E401

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
AFTER_XP = set("""AcquireSRWLockExclusive AcquireSRWLockShared CancelIoEx CompareStringEx CreateEventExA
CreateEventExW CreateSemaphoreExW CreateSymbolicLinkA CreateSymbolicLinkW FlsAlloc FlsFree FlsGetValue FlsSetValue
GetCurrentProcessorNumber GetFileInformationByHandleEx GetFinalPathNameByHandleA GetFinalPathNameByHandleW
GetLocaleInfoEx GetSystemTimePreciseAsFileTime GetTickCount64 InitOnceBeginInitialize InitOnceComplete
InitOnceExecuteOnce InitializeConditionVariable InitializeCriticalSectionEx InitializeSRWLock LCIDToLocaleName
LocaleNameToLCID QueryFullProcessImageNameA QueryFullProcessImageNameW ReleaseSRWLockExclusive ReleaseSRWLockShared
SetFileInformationByHandle SleepConditionVariableCS SleepConditionVariableSRW SetThreadStackGuarantee
TryAcquireSRWLockExclusive WakeAllConditionVariable WakeConditionVariable""".split())
VERSION = {"CompanyName": "The Vornix developers", "FileDescription": "MassStorage driver deleter",
           "FileVersion": sys.argv[2], "InternalName": "vornix", "OriginalFilename": "vornix.exe",
           "ProductName": "Vornix", "ProductVersion": sys.argv[2], "Translation": "\u0419\u04e3"}  # Russian, 1251
NUMBER = [int(n) for n in sys.argv[2].split(".")]  # of the version


def program_problems(exe, data):
    dump = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", exe], capture_output=True, text=True).stdout
    table = {dll.lower(): re.findall(r"^\s+[0-9a-f]+\s+\d+\s+(\w+)$", functions, re.M)
             for dll, functions in re.findall(r"DLL Name: (\S+)\n(.*?)\n\n", dump, re.S)}
    print("%s imports %s" % (exe, ", ".join("%s (%d)" % (d, len(f)) for d, f in table.items())))
    found = ["%s is imported" % d for d in table if d not in ("kernel32.dll", "msvcrt.dll")]
    found += ["%s came after Windows XP" % f for f in AFTER_XP.intersection(*[sum(table.values(), [])])]
    found += [] if sum(map(len, table.values())) else ["no imports found: the table was not read"]
    fixed = data.find(b"\xbd\x04\xef\xfe")  # the fixed part of the version record
    words = (NUMBER[0] << 16 | NUMBER[1], NUMBER[2] << 16 | NUMBER[3]) * 2  # file, then product
    if fixed < 0 or struct.unpack_from("<4I", data, fixed + 8) != words:
        found.append("the file and product versions are not %s" % sys.argv[2])
    return found + ["the version record lacks %s=%s" % (k, v) for k, v in VERSION.items() if not re.search(
        re.escape(k.encode("utf-16-le")) + b"\0\0(\0\0)?" + re.escape(v.encode("utf-16-le")), data)]


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
    found += program_problems(os.path.join(build, "vornix.exe"), expected["vornix.exe"]) if windows else []
    print("%s: %s" % (top[:-1], "; ".join(found) or "ok"))
    return found


if __name__ == "__main__":
    found = [p for entry in sys.argv[3:] for p in problems(sys.argv[1], sys.argv[2], *entry.split("=", 1))]
    sys.exit(1 if found or len(sys.argv) < 4 else 0)
