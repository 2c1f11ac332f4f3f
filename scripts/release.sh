#!/usr/bin/env bash
# Builds the 32- and 64-bit Windows programs and the Linux program as
# releases and packs each with cpack. The three archives end up in out/:
#   vornix-<version>-win32.zip, vornix-<version>-win64.zip and
#   vornix-<version>-linux-<cpu>.tar.gz
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc 2>/dev/null || echo 2)

scripts/install-deps.sh

# A release is never a sanitizer build, whatever a build directory's cache
# held before.
release_options=(-DCMAKE_BUILD_TYPE=Release -DVORNIX_SANITIZE=OFF)
builds=()
for arch in i686 x86_64; do
  cmake -S . -B "build/win-$arch" "${release_options[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch-w64-mingw32.cmake" >/dev/null
  builds+=("build/win-$arch")
done
cmake -S . -B build/native "${release_options[@]}" >/dev/null
builds+=(build/native)

staging=$(mktemp -d "${TMPDIR:-/tmp}/vornix-release-XXXXXX")
trap 'rm -rf "$staging"' EXIT
mkdir -p out
archives=()
for build in "${builds[@]}"; do
  cmake --build "$build" -j "$jobs"
  packages="$staging/$(basename "$build")"
  (cd "$build" && cpack -B "$packages" >/dev/null)
  for archive in "$packages"/vornix-*; do
    [ -f "$archive" ] || { echo "cpack made no archive in $build" >&2; exit 1; }
    mv -f "$archive" out/
    archives+=("$(basename "$archive")")
  done
done

cd out
for archive in "${archives[@]}"; do
  printf '%-40s %9d bytes\n' "$archive" "$(stat -c %s "$archive")"
done
