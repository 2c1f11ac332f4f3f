#!/usr/bin/env python3
"""check_windows_program.py vornix.exe: fails when a Windows build imports
more than KERNEL32 and msvcrt (read with objdump) or a function that came
after Windows XP, or when its version record is not the product's."""
import re, struct, subprocess, sys  # noqa: E401

AFTER_XP = set("""AcquireSRWLockExclusive AcquireSRWLockShared CancelIoEx CompareStringEx CreateEventExA
CreateEventExW CreateSemaphoreExW CreateSymbolicLinkA CreateSymbolicLinkW FlsAlloc FlsFree FlsGetValue FlsSetValue
GetCurrentProcessorNumber GetFileInformationByHandleEx GetFinalPathNameByHandleA GetFinalPathNameByHandleW
GetLocaleInfoEx GetSystemTimePreciseAsFileTime GetTickCount64 InitOnceBeginInitialize InitOnceComplete
InitOnceExecuteOnce InitializeConditionVariable InitializeCriticalSectionEx InitializeSRWLock LCIDToLocaleName
LocaleNameToLCID QueryFullProcessImageNameA QueryFullProcessImageNameW ReleaseSRWLockExclusive
ReleaseSRWLockShared SetFileInformationByHandle SleepConditionVariableCS SleepConditionVariableSRW
SetThreadStackGuarantee TryAcquireSRWLockExclusive WakeAllConditionVariable WakeConditionVariable""".split())
VERSION = {"CompanyName": "The Vornix developers", "FileDescription": "MassStorage driver deleter",
           "FileVersion": "1.0.0.3", "InternalName": "vornix", "OriginalFilename": "vornix.exe",
           "ProductName": "Vornix", "ProductVersion": "1.0.0.3", "Translation": "\u0419\u04e3"}  # Russian, 1251


def problems(exe):
    dump = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", exe], capture_output=True, text=True).stdout
    table = {dll.lower(): re.findall(r"^\s+[0-9a-f]+\s+\d+\s+(\w+)$", functions, re.M)
             for dll, functions in re.findall(r"DLL Name: (\S+)\n(.*?)\n\n", dump, re.S)}
    print("%s imports %s" % (exe, ", ".join("%s (%d)" % (d, len(f)) for d, f in table.items())))
    found = ["%s is imported" % d for d in table if d not in ("kernel32.dll", "msvcrt.dll")]
    found += ["%s came after Windows XP" % f for f in AFTER_XP.intersection(*[sum(table.values(), [])])]
    found += [] if sum(map(len, table.values())) else ["no imports found: the table was not read"]
    with open(exe, "rb") as f:
        data = f.read()
    fixed = data.find(b"\xbd\x04\xef\xfe")  # the fixed part of the version record
    if fixed < 0 or struct.unpack_from("<4I", data, fixed + 8) != (1 << 16, 3, 1 << 16, 3):
        found.append("the file and product versions are not 1.0.0.3")
    return found + ["the version record lacks %s=%s" % (k, v) for k, v in VERSION.items() if not re.search(
        re.escape(k.encode("utf-16-le")) + b"\0\0(\0\0)?" + re.escape(v.encode("utf-16-le")), data)]


if __name__ == "__main__":
    found = [p for exe in sys.argv[1:] for p in problems(exe)]
    print("\n".join(found) or "ok")
    sys.exit(1 if found else 0)
