#!/usr/bin/env bash
# Configures and builds both targets: the 32-bit release exe and the x86_64 build with tests.
set -euo pipefail
cd "$(dirname "$0")/.."
for preset in "$@"; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
