#!/usr/bin/env bash
# Builds the libFuzzer targets in build/fuzz and runs each for SECONDS
# (default 60), starting from a copy of its seeds so that what the fuzzer adds
# stays in the build directory: the committed ones in fuzz/corpus, and for
# the passes, every case of tests/cases. Prints the number
# of executions per target; exits non-zero if a target crashed, found a
# mismatch or did not run.
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
targets=(line_list_fuzz passes_fuzz)

cmake -S "$root" -B "$build" \
  -DCMAKE_CXX_COMPILER="${CLANGXX:-clang++}" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVORNIX_FUZZ=ON -DVORNIX_SANITIZE=OFF -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target "${targets[@]}" -j "$(nproc)"

runs="$build/runs"
rm -rf "$runs"
mkdir -p "$runs"
failed=0
summary=()
for target in "${targets[@]}"; do
  work="$runs/$target"
  mkdir -p "$work/corpus"
  if [[ $target == passes_fuzz ]]; then
    for cases in "$root"/tests/cases/*.txt; do
      csplit -s -z -f "$work/corpus/$(basename "$cases" .txt)-" "$cases" '/^== /' '{*}'
    done
  else
    cp "$root/fuzz/corpus/$target/." "$work/corpus/" -R
  fi
  options=(-max_total_time="$seconds" -print_final_stats=1 -timeout=30
           -artifact_prefix="$work/")

  echo "== $target: ${seconds}s"
  status=0
  "$build/fuzz/$target" "${options[@]}" "$work/corpus" >"$work/log" 2>&1 || status=$?
  executions="$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -n 1)"
  executions="${executions:-?}"
  if [[ $status -ne 0 ]]; then
    failed=1
    summary+=("$target: FAILED (exit $status) after $executions executions")
    tail -n 40 "$work/log" >&2
    for artifact in "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-*; do
      [[ -e "$artifact" ]] && echo "input: $artifact" >&2
    done
  else
    summary+=("$target: $executions executions")
  fi
done

echo
echo "== executions in ${seconds}s per target"
printf '%s\n' "${summary[@]}"
exit "$failed"
