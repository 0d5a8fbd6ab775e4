#!/usr/bin/env bash
# Runs a command inside a private test environment: its own Xvfb display at 1920x1080x24 and a
# fresh Wine prefix whose programs all run in one Wine virtual desktop of that size, with the
# Chinese locale (code page 936). Everything is torn down when the command ends.
#   scripts/with-wine-env.sh ctest --preset x64
set -euo pipefail
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || { echo "with-wine-env: $wine is missing; run scripts/install-deps.sh" >&2; exit 1; }

width=${CORVANI_SCREEN_WIDTH:-1920}
height=${CORVANI_SCREEN_HEIGHT:-1080}

display=""
for n in $(seq 90 140); do
  if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "with-wine-env: no free X display" >&2; exit 1; }

prefix=$(mktemp -d /tmp/corvani-wineprefix.XXXXXX)
xvfb_pid=""
cleanup() {
  WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX="$prefix" /usr/lib/wine/wineserver -w >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && wait "$xvfb_pid" 2>/dev/null || true
  rm -rf "$prefix"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 "${width}x${height}x24" -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.05; done

export DISPLAY="$display" WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all LC_ALL=zh_CN.UTF-8
export CORVANI_WINE="$wine"
# No Mono or Gecko prompts while the prefix is made.
WINEDLLOVERRIDES="mscoree,mshtml=" "$wine" wineboot -i >/dev/null 2>&1
reg() { "$wine" reg add "$@" /f >/dev/null 2>&1; }
# One virtual desktop for every program: windows get real frames and captions.
reg 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
reg 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "${width}x${height}"
# Unmanaged windows: otherwise hiding or destroying a visible window waits 2 s for a window
# manager that is not there.
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /d N
# A crash must fail a test, not wait on a debugger dialog.
reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
# The default desktop was made without the settings above: start the server afresh.
/usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
/usr/lib/wine/wineserver -w >/dev/null 2>&1 || true

set +e
"$@"
rc=$?
set -e
exit $rc
