#!/usr/bin/env bash
# Sets up the machine, builds the Release build and starts the workbench.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release
# The 8051 tool chain goes into the workbench's default tool folder.
if [ -w /opt ] || [ -w /opt/omf51/bin ]; then
  cmake --install build/release --component toolchain >/dev/null
else
  sudo cmake --install build/release --component toolchain >/dev/null
fi
# The window on the simulator, with the lab's software experiments loaded; the listings the
# object names as its sources are beside it.
cd build/release/examples
exec ../src/shell/ui/workbench --simulator experiments.omf "$@"
