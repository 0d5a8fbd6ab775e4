#!/usr/bin/env bash
# Installs what is missing, builds both targets, and runs every check and test: static
# analysis, the fuzz targets for a bounded time, then all tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh i686 x64
scripts/lint.sh
scripts/fuzz.sh
scripts/with-wine-env.sh ctest --preset x64 -j2 "$@"
