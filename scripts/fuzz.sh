#!/usr/bin/env bash
# Builds the fuzz targets natively (clang, AddressSanitizer, UndefinedBehaviorSanitizer, libFuzzer),
# runs each once over its seed corpus, then fuzzes each for a bounded time. Any finding fails.
#
#   scripts/fuzz.sh                                   # about a minute in all (the test command)
#   CORVANI_FUZZ_SECONDS=600 CORVANI_FUZZ_JOBS=2 scripts/fuzz.sh   # ten minutes a target, two at once
#   scripts/fuzz.sh filter_list_fuzz                  # only the targets named
#
# The corpus each run grows is kept in build/fuzz/corpus/<target> and taken up by the next run;
# findings land in build/fuzz/findings/. To replay one: build/fuzz/<target> <file>.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$root/build/fuzz
seconds=${CORVANI_FUZZ_SECONDS:-12}
jobs=${CORVANI_FUZZ_JOBS:-1}

CC=clang CXX=clang++ cmake -S fuzz -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" >/dev/null

if [ $# -gt 0 ]; then targets=("$@"); else mapfile -t targets <"$build/fuzz-targets.txt"; fi
[ ${#targets[@]} -gt 0 ] || { echo "fuzz: no targets were built" >&2; exit 1; }

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}

# The seeds: the committed ones, and for the decoder the project's own pictures and a copy of the
# About picture cut off in its entropy-coded data.
seeds_of() {
  local t=$1 dir=$build/seeds/$1
  rm -rf "$dir"
  mkdir -p "$dir"
  cp fuzz/seeds/"$t"/* "$dir"/
  if [ "$t" = jpeg_decoder_fuzz ]; then
    for f in src/resources/about.jpg tests/data/grey.jpg tests/data/progressive.jpg; do
      [ -f "$f" ] && cp "$f" "$dir"/
    done
    if [ -f src/resources/about.jpg ]; then
      head -c $(($(stat -c %s src/resources/about.jpg) * 2 / 3)) src/resources/about.jpg >"$dir/about_truncated.jpg"
    fi
  fi
  echo "$dir"
}

mkdir -p "$build/findings" "$build/logs"
failed=()

# First every seed once, as a plain sanitizer run.
for t in "${targets[@]}"; do
  dir=$(seeds_of "$t")
  if ! "$build/$t" "$dir"/* >"$build/logs/$t.seeds.log" 2>&1; then
    echo "fuzz: $t fails on its seeds (build/fuzz/logs/$t.seeds.log):" >&2
    tail -n 30 "$build/logs/$t.seeds.log" >&2
    failed+=("$t")
  fi
done
[ ${#failed[@]} -eq 0 ] || { echo "fuzz: FAILED on seeds: ${failed[*]}" >&2; exit 1; }

run_one() {
  local t=$1 corpus=$build/corpus/$1
  mkdir -p "$corpus"
  # A picture at the size limit takes a while to decode under the sanitizers; only a hang that
  # long counts as a finding.
  "$build/$t" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$build/findings/$t-" "$corpus" "$build/seeds/$t" >"$build/logs/$t.log" 2>&1
}

summary() {
  local t=$1 log=$build/logs/$1.log
  local execs rate size
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  size=$(find "$build/corpus/$t" -type f | wc -l)
  printf 'fuzz: %-22s %10s runs %8s exec/s  corpus %5s files  %s s\n' "$t" "${execs:-?}" "${rate:-?}" "$size" "$seconds"
}

pids=()
names=()
for t in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  run_one "$t" &
  pids+=($!)
  names+=("$t")
done
for i in "${!pids[@]}"; do
  t=${names[$i]}
  if wait "${pids[$i]}"; then
    summary "$t"
  else
    echo "fuzz: FINDING in $t (log: build/fuzz/logs/$t.log):" >&2
    grep -E 'ERROR|property failed|runtime error|SUMMARY|Test unit written' "$build/logs/$t.log" | head -n 20 >&2 || true
    failed+=("$t")
  fi
done
[ ${#failed[@]} -eq 0 ] || { echo "fuzz: FAILED: ${failed[*]}" >&2; exit 1; }
echo "fuzz: ${#targets[@]} targets, no findings"
