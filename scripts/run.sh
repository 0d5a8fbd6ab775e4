#!/usr/bin/env bash
# Installs what is missing, builds, and runs the editor: on your display when there is one,
# otherwise on a private Xvfb, where it takes a screenshot and says where it is.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh i686 x64
exe=build/x64/src/corvani.exe
echo "Release exe (32-bit): $(pwd)/build/i686/src/corvani.exe"
echo "Running: $(pwd)/$exe"
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  export WINEPREFIX=${WINEPREFIX:-$HOME/.corvani-wine} WINEDEBUG=-all LC_ALL=zh_CN.UTF-8
  [ -d "$WINEPREFIX" ] || WINEDLLOVERRIDES="mscoree,mshtml=" /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
  exec /usr/lib/wine/wine64 "$exe"
fi
mkdir -p out
scripts/with-wine-env.sh scripts/screenshot.sh "$exe" out/corvani-main-window.png
echo "No display: the editor ran on a private Xvfb; screenshot saved to $(pwd)/out/corvani-main-window.png"
