#!/usr/bin/env bash
# Installs what is missing, builds both targets and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/lint.sh
scripts/fuzz.sh
scripts/build.sh i686 x64
scripts/with-wine-env.sh ctest --preset x64 -j2 "$@"
