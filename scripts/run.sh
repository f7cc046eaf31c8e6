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
# Until the workbench window lands, run the bundled example (built with the tool chain in
# the build tree) through workbench-cli to its last label and print its final state.
cd build/release/tools/workbench-cli/demo && exec ../workbench-cli -e "load COPYBLOCK.OMF" -e "run --break 004A --max 100000" -e "dump xdata 0100 10" -e state "$@"
