#!/usr/bin/env bash
# Static analysis, clean or failing: clang-tidy with the checks in .clang-tidy, and cppcheck
# over src/ and fuzz/. The checks and why: docs/hardening.md.
#
# clang-tidy reads the sources that also build natively (the fuzz build's compile_commands.json)
# as Linux code, and every other source as Windows code through clang's MinGW target.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc)

CC=clang CXX=clang++ cmake -S fuzz -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

mapfile -t native < <(python3 -c '
import json, sys
for e in json.load(open("build/fuzz/compile_commands.json")):
    print(e["file"])' | sort -u)
mapfile -t windows < <(find "$root/src" -name '*.cpp' | sort | grep -vxF -f <(printf '%s\n' "${native[@]}"))
scripts/compile-db-mingw.py build/lint "${windows[@]}"

status=0
tidy() {
  local db=$1
  shift
  printf '%s\n' "$@" | xargs -r -P "$jobs" -n 4 clang-tidy -p "$db" --quiet 2>/dev/null
}
if ! tidy build/fuzz "${native[@]}" >build/lint/clang-tidy.log || ! tidy build/lint "${windows[@]}" >>build/lint/clang-tidy.log; then
  status=1
fi
if grep -qE '(warning|error):' build/lint/clang-tidy.log; then status=1; fi
if [ $status -ne 0 ]; then
  echo "lint: clang-tidy found problems:" >&2
  grep -E -A3 '(warning|error):' build/lint/clang-tidy.log | head -n 80 >&2
else
  echo "lint: clang-tidy clean ($(( ${#native[@]} + ${#windows[@]} )) files)"
fi

if ! cppcheck --enable=warning,style,performance,portability --std=c++20 --language=c++ \
    --library=windows -I src --suppressions-list=.cppcheck-suppressions --inline-suppr \
    --error-exitcode=1 --quiet -j "$jobs" \
    --template='{file}:{line}: {severity}: {message} [{id}]' src fuzz; then
  echo "lint: cppcheck found problems" >&2
  status=1
else
  echo "lint: cppcheck clean"
fi
exit $status
