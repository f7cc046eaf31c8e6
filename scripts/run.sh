#!/usr/bin/env bash
# Sets up the machine, builds the Release build and starts the workbench.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release
# Until the workbench window lands, show the disassembly of the bundled demo program.
exec build/release/tools/demo/corvel-demo "$@"
