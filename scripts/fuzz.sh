#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for FUZZ_SECONDS (default 30).
# Any crash or sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-30}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
shopt -s nullglob
status=0
for f in build/fuzz/fuzz/*/fuzz_*; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus=build/fuzz/corpus/$name
  mkdir -p "$corpus"
  seeds=fuzz/seeds/$name
  [ -d "$seeds" ] || seeds=
  echo "fuzz: $name for ${seconds}s"
  if ! "$f" -max_total_time="$seconds" -print_final_stats=0 "$corpus" $seeds >"build/fuzz/$name.log" 2>&1; then
    echo "fuzz: $name FAILED"; tail -n 40 "build/fuzz/$name.log"; status=1
  fi
done
exit $status
