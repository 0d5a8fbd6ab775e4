#!/usr/bin/env bash
# Times the editor's Open and Save of 1, 10 and 50 MB of GBK text against a floor program (a bare
# EDIT filled by ReadFile + SetWindowTextA, saved by GetWindowTextA + WriteFile + flush), and the
# peak memory of the first open of each. Prints figures only. Wine's EDIT takes about a second
# per MB, so the 50 MB runs are few.
#   bench/editor.sh [build-dir] [runs 1 MB] [runs 10 MB] [runs 50 MB]
#   (default build/x64, 7 5 3; builds editor_bench first)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/x64}
shift || true
cmake --build "$build" --target editor_bench >/dev/null
work=$(mktemp -d /tmp/corvani-editor-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
win() { echo "Z:${1//\//\\}"; }
"$root/scripts/with-wine-env.sh" bash -c '"$CORVANI_WINE" "$@"' bench \
  "$build/bench/editor_bench.exe" "$(win "$work")" "$@"
