#!/usr/bin/env bash
# Inside scripts/with-wine-env.sh: starts a program, waits for its window, saves a screenshot
# of the whole virtual desktop and closes the program again.
#   scripts/screenshot.sh build/x64/src/corvani.exe out/shot.png
set -euo pipefail
exe=$1 out=$2
"$CORVANI_WINE" "$exe" &
pid=$!
for _ in $(seq 1 100); do
  xdotool search --name 'Corvani' >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 1
xwd -root -silent | convert xwd:- "png:$out"
kill "$pid" >/dev/null 2>&1 || true
"${CORVANI_WINE%/*}/wineserver" -k >/dev/null 2>&1 || true
