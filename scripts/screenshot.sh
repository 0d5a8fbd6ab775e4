#!/usr/bin/env bash
# Inside scripts/with-wine-env.sh: starts a program, waits for its window, saves a screenshot
# of the whole virtual desktop and closes the program again.
#   scripts/screenshot.sh build/x64/src/corvani.exe out/shot.png
set -euo pipefail
exe=$1 out=$2
root=$(cd "$(dirname "$0")/.." && pwd)
"$CORVANI_WINE" "$exe" &
pid=$!
for _ in $(seq 1 100); do
  xdotool search --name 'Corvani' >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 1
capture="$root/build/x64/tests/capture_screen.exe"
if [ -x "$capture" ]; then
  # Read through GDI: it sees every window as the program drew it.
  bmp=$(mktemp /tmp/corvani-shot.XXXXXX.bmp)
  "$CORVANI_WINE" "$capture" "Z:${bmp//\//\\}"
  convert "$bmp" "png:$out"
  rm -f "$bmp"
else
  xwd -root -silent | convert xwd:- "png:$out"
fi
kill "$pid" >/dev/null 2>&1 || true
"${CORVANI_WINE%/*}/wineserver" -k >/dev/null 2>&1 || true
