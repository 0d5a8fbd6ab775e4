#!/usr/bin/env bash
# Times ReadWholeFile/WriteWholeFile on 1, 10 and 50 MB of GBK text against plain system calls,
# and the extra memory of opening a 50 MB file. Prints figures only.
#   bench/files.sh [build-dir]      (default build/x64; builds files_bench first)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/x64}
cmake --build "$build" --target files_bench >/dev/null
work=$(mktemp -d /tmp/corvani-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
win() { echo "Z:${1//\//\\}"; }
"$root/scripts/with-wine-env.sh" bash -c '
  set -e
  "$CORVANI_WINE" "$1" "$2"
  "$CORVANI_WINE" "$1" --open-peak "$3"
' bench "$build/bench/files_bench.exe" "$(win "$work")" "$(win "$work/bench-50.txt")"
