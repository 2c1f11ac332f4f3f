#!/usr/bin/env bash
# Runs the Linux tests with the program's memory checked: every unit and
# end-to-end test against a build with AddressSanitizer and
# UndefinedBehaviorSanitizer, then the end-to-end runs of a plain build,
# linked dynamically so that memcheck sees every allocation, under
# valgrind's memcheck. Any report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

scripts/install-deps.sh

cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORNIX_SANITIZE=ON >/dev/null
cmake --build build/sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

cmake -S . -B build/memcheck -DCMAKE_BUILD_TYPE=Release -DVORNIX_STATIC=OFF >/dev/null
cmake --build build/memcheck --target vornix -j "$jobs"
python3 tests/e2e/run_e2e.py valgrind=build/memcheck/vornix
