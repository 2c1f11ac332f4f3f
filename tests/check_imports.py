#!/usr/bin/env python3
"""Fails when a Windows build needs more than a bare Windows XP offers.

Reads the import table with objdump: only KERNEL32 and msvcrt may be
imported, and none of the functions that came after Windows XP.
"""

import re
import subprocess
import sys

ALLOWED_DLLS = {"kernel32.dll", "msvcrt.dll"}

# Functions a static MinGW program can pull in that Windows XP lacks.
AFTER_XP = {
    "AcquireSRWLockExclusive", "AcquireSRWLockShared", "CancelIoEx",
    "CompareStringEx", "CreateEventExA", "CreateEventExW", "CreateSemaphoreExW",
    "CreateSymbolicLinkA", "CreateSymbolicLinkW", "FlsAlloc", "FlsFree", "FlsGetValue",
    "FlsSetValue", "GetCurrentProcessorNumber", "GetFileInformationByHandleEx",
    "GetFinalPathNameByHandleA", "GetFinalPathNameByHandleW", "GetLocaleInfoEx",
    "GetSystemTimePreciseAsFileTime", "GetTickCount64", "InitOnceBeginInitialize",
    "InitOnceComplete", "InitOnceExecuteOnce", "InitializeConditionVariable",
    "InitializeCriticalSectionEx", "InitializeSRWLock", "LCIDToLocaleName",
    "LocaleNameToLCID", "QueryFullProcessImageNameA", "QueryFullProcessImageNameW",
    "ReleaseSRWLockExclusive", "ReleaseSRWLockShared", "SetFileInformationByHandle",
    "SleepConditionVariableCS", "SleepConditionVariableSRW", "TryAcquireSRWLockExclusive",
    "WakeAllConditionVariable", "WakeConditionVariable",
}


def imports(exe):
    for objdump in ("x86_64-w64-mingw32-objdump", "i686-w64-mingw32-objdump"):
        done = subprocess.run([objdump, "-p", exe], capture_output=True, text=True)
        if done.returncode == 0:
            break
    else:
        raise SystemExit("objdump cannot read %s" % exe)
    table, dll = {}, None
    for line in done.stdout.splitlines():
        found = re.match(r"\s*DLL Name: (\S+)", line)
        if found:
            dll = found.group(1)
            table[dll] = []
            continue
        entry = re.match(r"\s+[0-9a-f]+\s+(\d+)\s+(\w+)$", line)
        if dll and entry:
            table[dll].append(entry.group(2))
    return table


def main(exes):
    failed = False
    for exe in exes:
        table = imports(exe)
        print("%s: %s" % (exe, ", ".join("%s (%d functions)" % (d, len(f))
                                         for d, f in table.items())))
        for dll, functions in table.items():
            if dll.lower() not in ALLOWED_DLLS:
                print("  not allowed: %s" % dll)
                failed = True
            for function in sorted(AFTER_XP.intersection(functions)):
                print("  not on Windows XP: %s!%s" % (dll, function))
                failed = True
        if not table or sum(len(f) for f in table.values()) == 0:
            print("  no imports found: the table was not read")
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
