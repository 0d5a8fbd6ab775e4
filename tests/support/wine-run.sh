#!/usr/bin/env bash
# CTest's emulator: runs one Windows test program under 64-bit Wine in the environment that
# scripts/with-wine-env.sh prepared.
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
  echo "wine-run: no test environment; run the tests through scripts/with-wine-env.sh" >&2
  exit 1
fi
exec "${CORVANI_WINE:-/usr/lib/wine/wine64}" "$@"
