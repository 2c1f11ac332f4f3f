#!/usr/bin/env bash
# Builds the passes fuzzer in build/fuzz and runs it for SECONDS (default 60),
# seeded with every case of tests/cases, one seed a case, in a directory of
# the build so that what the fuzzer adds stays there. Prints the number of
# executions; exits non-zero if it crashed, found a mismatch or did not run.
#
#   scripts/fuzz.sh [SECONDS]
#
# CLANGXX selects the compiler (default clang++).
set -euo pipefail

seconds="${1:-60}"
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: $0 [SECONDS]" >&2
  exit 2
fi

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/fuzz"
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER="${CLANGXX:-clang++}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVORNIX_FUZZ=ON -DVORNIX_SANITIZE=OFF -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target passes_fuzz -j "$(nproc)"

work="$build/runs/passes_fuzz"
rm -rf "$work"
mkdir -p "$work/corpus"
for cases in "$root"/tests/cases/*.txt; do
  csplit -s -z -f "$work/corpus/$(basename "$cases" .txt)-" "$cases" '/^== /' '{*}'
done
echo "== passes_fuzz: ${seconds}s"
status=0
"$build/fuzz/passes_fuzz" -max_total_time="$seconds" -print_final_stats=1 -timeout=30 -artifact_prefix="$work/" \
  "$work/corpus" >"$work/log" 2>&1 || status=$?
executions="$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -n 1)"
if [[ $status -ne 0 ]]; then
  tail -n 40 "$work/log" >&2
  ls "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* 2>/dev/null >&2 || true
  echo "passes_fuzz: FAILED (exit $status) after ${executions:-?} executions"
  exit 1
fi
echo "passes_fuzz: ${executions:-?} executions in ${seconds}s"
