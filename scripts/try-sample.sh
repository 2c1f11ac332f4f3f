#!/usr/bin/env bash
# Builds vornix and runs it on a copy of the bundled sample installation
# source (sample/), then shows what changed. The sample itself stays as it is.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/native --target vornix -j "$(nproc 2>/dev/null || echo 2)" >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/vornix-sample-XXXXXX")
cp -r sample/I386 "$work/I386"
mkdir "$work/tool"
cp build/native/vornix sample/tool/txtfiles.del sample/tool/dosnet.add \
  sample/tool/txtsetup.add "$work/tool/"

echo "\$ $work/tool/vornix $work/I386 -Q"
"$work/tool/vornix" "$work/I386" -Q
for script in txtsetup.sif dosnet.inf; do
  echo
  diff -u --label "sample/I386/$script" --label "$work/I386/$script" \
    "sample/I386/$script" "$work/I386/$script" | tr -d '\r' || true
done
echo
echo "The changed copy is in $work"
