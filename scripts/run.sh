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
# Until the workbench window lands, run experiment 5 (sorting a table) of the lab's software
# experiments, built with the tool chain in the build tree, from its entry address 09B0H to its
# end label through workbench-cli, and print its input table and the sorted table.
cd build/release/examples
cli=../tools/workbench-cli/workbench-cli
end=$("$cli" -e "load experiments.omf" -e "symbol SORT_END" | sed -n 's/^SORT_END: code, Label:\([0-9A-F]\{4\}\)H$/\1/p')
exec "$cli" -e "load experiments.omf" -e "dump code 1401 0A" -e "pc 09B0" \
  -e "run --break $end --max 1000000" -e "dump iram 50 0A" "$@"
