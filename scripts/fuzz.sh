#!/usr/bin/env bash
# Builds the libFuzzer targets (the "fuzz" preset: clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each one for SECONDS seconds (default 30).
#
#   bash scripts/fuzz.sh [SECONDS]
#
# Targets:
#   fuzz_reader   any bytes as a definition file: read, then every statement kind
#   fuzz_profile  any bytes as a settings profile: load, save, load again
#
# Each target first replays its kept crash inputs (tests/data/fuzz-regressions/<name>/),
# then fuzzes from its seeds (fuzz/corpus/<name>/ and the definition files and profile in
# examples/) and from what earlier runs on this machine found (build/fuzz/corpus/<name>/,
# never committed).
# A finding is written to build/fuzz/findings/ and the script exits with status 1 after
# all targets have run. Keep a fixed finding as a regression: copy it into
# tests/data/fuzz-regressions/<name>/ (the core tests replay it too).
#
# Environment: FUZZ_TARGETS limits the run to the named targets ("fuzz_reader fuzz_profile").
set -uo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
targets=${FUZZ_TARGETS:-"fuzz_reader fuzz_profile"}

cmake --preset fuzz >/dev/null || exit 1
cmake --build --preset fuzz -j "$(nproc)" || exit 1

findings=build/fuzz/findings
mkdir -p "$findings"
# Stack traces name our sources; a smaller quarantine keeps the runs fast on small inputs.
export ASAN_OPTIONS=${ASAN_OPTIONS:-"quarantine_size_mb=64:malloc_context_size=10"}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-"print_stacktrace=1"}
# The targets write a file per input; saves sync it to disk, which on tmpfs costs nothing.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi

status=0
for target in $targets; do
  name=${target#fuzz_}
  binary=build/fuzz/fuzz/$target
  seeds=fuzz/corpus/$name
  work=build/fuzz/corpus/$name
  regressions=tests/data/fuzz-regressions/$name
  mkdir -p "$work"
  log=$findings/$target.log

  if compgen -G "$regressions/*" >/dev/null; then
    echo "== $target: replaying $regressions"
    if ! "$binary" -rss_limit_mb=2048 -timeout=10 "$regressions"/* >"$log" 2>&1; then
      echo "!! $target fails on a kept regression input; see $log" >&2
      tail -n 30 "$log" >&2
      status=1
      continue
    fi
  fi

  echo "== $target: fuzzing for $seconds s"
  if ! "$binary" "$work" "$seeds" examples \
      -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -max_len=65536 \
      -print_final_stats=1 \
      -artifact_prefix="$findings/$target-" >"$log" 2>&1; then
    echo "!! $target found a problem; input and log in $findings/" >&2
    grep -E "ERROR|broken rule|SUMMARY" "$log" | head -n 10 >&2
    status=1
    continue
  fi
  # The last status line tells the executions and the coverage reached.
  grep -E "^#[0-9]+[[:space:]]+(DONE|pulse|NEW|REDUCE|INITED)" "$log" | tail -n 1
  grep -E "stat::number_of_executed_units" "$log" | tail -n 1
done
exit $status
