#!/usr/bin/env bash
# Start-up benchmark: the median time from launch to the main window visible and answering
# messages, for corvani.exe and for a minimal Win32 window program (the floor), and their ratio.
# Runs in the private test environment:
#   scripts/with-wine-env.sh bench/startup.sh [N]      (N starts of each, default 20)
# Builds the x64 preset's programs first if needed.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -n "${WINEPREFIX:-}" ] || { echo "startup.sh: run it inside scripts/with-wine-env.sh" >&2; exit 1; }
runs=${1:-20}
build=build/x64
[ -f "$build/build.ninja" ] || cmake --preset x64 >/dev/null
cmake --build "$build" --target corvani floor_window startup_launcher >/dev/null
# Wine sees the Linux root as drive Z:.
windows_path() { echo "Z:$(realpath "$1" | tr / '\\')"; }
"${CORVANI_WINE:-/usr/lib/wine/wine64}" "$build/bench/startup_launcher.exe" \
  "$(windows_path "$build/src/corvani.exe")" "$(windows_path "$build/bench/floor_window.exe")" "$runs"
