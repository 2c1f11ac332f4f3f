#!/usr/bin/env bash
# Builds vornix for Linux and for 32- and 64-bit Windows, then runs every
# test: the unit tests, the end-to-end runs of the Linux program and of both
# Windows programs under wine, and the checks of the Windows programs'
# imports and version record.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc 2>/dev/null || echo 2)

scripts/install-deps.sh

for arch in i686 x86_64; do
  cmake -S . -B "build/win-$arch" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch-w64-mingw32.cmake" >/dev/null
  cmake --build "build/win-$arch" -j "$jobs"
done

cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release \
  -DVORNIX_WIN32_BUILD="$root/build/win-i686" \
  -DVORNIX_WIN64_BUILD="$root/build/win-x86_64" >/dev/null
cmake --build build/native -j "$jobs"
ctest --test-dir build/native --output-on-failure -j "$jobs" "$@"
