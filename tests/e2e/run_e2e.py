#!/usr/bin/env python3
"""Runs the end-to-end tests against the builds named on the command line.

    run_e2e.py native=build/native/vornix wine32=build/win-i686/vornix.exe

Every test module here (test_*.py) runs once per target. A wine target
whose wine is missing fails: it is never skipped.
"""

import importlib
import os
import shutil
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402


def main(argv):
    os.environ["VORNIX_TARGETS"] = ";".join(argv[1:])
    targets = harness.targets_from_environment()
    if not targets:
        print("usage: run_e2e.py native=PATH [wine32=PATH] [wine64=PATH] [-k PATTERN]")
        return 2
    for target in targets:
        if not os.path.isfile(target.executable):
            print("missing build: %s" % target.executable)
            return 1
        if isinstance(target, harness.WineTarget) and shutil.which("wine") is None:
            print("wine is not installed: the Windows builds cannot be tested")
            return 1

    names = sorted(f[:-3] for f in os.listdir(os.path.dirname(os.path.abspath(__file__)))
                   if f.startswith("test_") and f.endswith(".py"))
    pattern = os.environ.get("VORNIX_E2E_FILTER")
    suite = unittest.TestSuite()
    loader = unittest.TestLoader()
    for name in names:
        module = importlib.import_module(name)
        suite.addTests(harness.load_tests_for_targets(loader, vars(module), targets))
    if pattern:
        suite = unittest.TestSuite(t for t in _flatten(suite) if pattern in t.id())
    for target in targets:
        target.start()
    try:
        result = unittest.TextTestRunner(verbosity=2, stream=sys.stdout).run(suite)
    finally:
        for target in targets:
            target.stop()
    return 0 if result.wasSuccessful() and result.testsRun > 0 else 1


def _flatten(suite):
    for item in suite:
        if isinstance(item, unittest.TestSuite):
            yield from _flatten(item)
        else:
            yield item


if __name__ == "__main__":
    sys.exit(main(sys.argv))
