#!/usr/bin/env bash
# Sets up the machine, builds the test build (sanitizers on) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset test >/dev/null
cmake --build --preset test
ctest --preset test "$@"
