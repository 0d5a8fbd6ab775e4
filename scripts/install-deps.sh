#!/usr/bin/env bash
# Installs what building and testing need on a fresh Debian 12 machine (run as root).
# Safe to run again: it only installs what is missing.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  cmake ninja-build make python3 dpkg-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine64 fonts-wine xvfb xdotool x11-apps imagemagick fonts-wqy-microhei locales
  googletest
  clang libclang-rt-14-dev clang-tidy cppcheck libjpeg62-turbo-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done

# libjpeg-turbo's source comes through a deb-src entry beside the existing one.
src_list=/etc/apt/sources.list.d/corvani-deb-src.sources
need_update=0
if [ ! -f "$src_list" ]; then
  cat >"$src_list" <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  need_update=1
fi
if [ ${#missing[@]} -gt 0 ] || [ $need_update = 1 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine maps LC_ALL=zh_CN.UTF-8 to code page 936; the locale must exist for that.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$'; then
  sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >>/etc/locale.gen
  locale-gen >/dev/null
fi

# The JPEG library's source, unpacked once into .deps/ (not tracked).
deps="$here/.deps"
if [ ! -f "$deps/libjpeg-turbo/CMakeLists.txt" ]; then
  mkdir -p "$deps/download"
  (cd "$deps/download" && apt-get source -qq libjpeg-turbo >/dev/null 2>&1)
  srcdir=$(find "$deps/download" -maxdepth 1 -mindepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
  [ -n "$srcdir" ] || { echo "install-deps: could not fetch the libjpeg-turbo source" >&2; exit 1; }
  rm -rf "$deps/libjpeg-turbo"
  mv "$srcdir" "$deps/libjpeg-turbo"
  rm -rf "$deps/download"
fi
